// Where a calculation sheet goes: a PDF file written safely, or the print
// preview over the system's printers.
#pragma once

#include <QString>

class QWidget;

namespace velmora::ui {

struct SheetContent;

struct WriteOutcome {
    bool written = false;
    QString reason;  // one Japanese sentence when not written
};

// Writes the sheet as a one-page A4 PDF. The PDF goes to a temporary file
// beside `path` that replaces it only once completely written; a failure leaves neither
// a partial PDF nor the temporary file, and any file already there untouched.
WriteOutcome WriteSheetPdf(const QString& path, const SheetContent& content);

// Shows the print preview of the sheet, modal over `parent`, through the
// print preview plugin. An empty text, or why the plugin could not be loaded.
QString PreviewSheet(QWidget* parent, const SheetContent& content);

}  // namespace velmora::ui
