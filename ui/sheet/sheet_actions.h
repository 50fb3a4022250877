// The calculator's two ways to a calculation sheet, behind its menu entries
// "計算書を印刷…" (Ctrl+P, the print preview) and "計算書をPDFで保存…" (Ctrl+S,
// a PDF file). Both ask the sheet's dialog first and use the results on show
// at that moment.
#pragma once

#include <QObject>
#include <functional>

#include "ui/sheet/sheet_content.h"

class QWidget;

namespace velmora::ui {

class Platform;

class SheetActions final : public QObject {
    Q_OBJECT

public:
    using Snapshot = std::function<CalculatorSnapshot()>;

    // Serves `window` and belongs to it. `snapshot` reads the calculator at
    // the moment of the request.
    SheetActions(QWidget* window, Platform& platform, Snapshot snapshot);

    void preview();
    void savePdf();

    // The file name offered: the shape's name and the date, in `folder`, or
    // for the first sheet of the run in the documents folder (else home).
    static QString SuggestedPath(const SheetContent& content, const QString& folder = {});

    // The name to write: one typed with another extension ("計算書 テスト.txt") gets ".pdf".
    static QString PdfPath(const QString& chosen);

private:
    // The sheet for the dialog's answers, or nothing when the user cancels.
    std::optional<SheetContent> askSheet(const QString& acceptText);

    QWidget* window_;
    Platform& platform_;
    Snapshot snapshot_;
};

}  // namespace velmora::ui
