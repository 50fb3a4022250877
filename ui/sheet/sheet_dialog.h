// The small dialog asked before a sheet is previewed or saved: 件名, 部材 and
// 作成者 (empty each time, not remembered) and whether to add the table of
// every property.
#pragma once

#include <QDialog>

#include "ui/sheet/sheet_content.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace velmora::ui {

class SheetDialog final : public QDialog {
    Q_OBJECT

public:
    // `acceptText` names what OK does ("プレビュー", "保存…"); `includeDetails`
    // is the tick's first state.
    SheetDialog(QWidget* parent, const QString& acceptText, bool includeDetails);

    SheetRequest request() const;

private:
    QLineEdit* subject_;
    QLineEdit* member_;
    QLineEdit* author_;
    QCheckBox* details_;
};

}  // namespace velmora::ui
