// The small dialog asked before a sheet is previewed or saved: 件名, 部材 and
// 作成者 and whether to add the table of every property.
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
    // `acceptText` names what OK does ("プレビュー(&P)", "保存(&S)…"); the boxes
    // start from `headings` (the last sheet's), `includeDetails` is the tick's first state.
    SheetDialog(QWidget* parent, const QString& acceptText, const SheetRequest& headings,
                bool includeDetails);

    SheetRequest request() const;

private:
    QLineEdit* subject_;
    QLineEdit* member_;
    QLineEdit* author_;
    QCheckBox* details_;
};

}  // namespace velmora::ui
