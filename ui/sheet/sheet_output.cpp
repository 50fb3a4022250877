#include "ui/sheet/sheet_output.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSaveFile>

#include "ui/common/pictures.h"
#include "ui/sheet/sheet_content.h"
#include "ui/sheet/sheet_page.h"

namespace velmora::ui {
namespace {

constexpr int kPdfResolution = 600;

QString DocumentName(const SheetContent& content) {
    return content.shapeName.isEmpty()
               ? content.title
               : content.title + QStringLiteral("（") + content.shapeName + QStringLiteral("）");
}

// Why the file could not be opened for writing, in the user's words.
QString OpenFailure(const QFileInfo& target, const QString& systemReason) {
    const QFileInfo folder(target.absolutePath());
    if (!folder.exists())
        return QStringLiteral("フォルダー %1 がありません。")
            .arg(QDir::toNativeSeparators(folder.filePath()));
    if (!folder.isDir())
        return QStringLiteral("%1 はフォルダーではありません。")
            .arg(QDir::toNativeSeparators(folder.filePath()));
    return QStringLiteral(
               "このフォルダーにはファイルを作れません（書き込む権限がない可能性があります: %1）。")
        .arg(systemReason);
}

void Paint(QPagedPaintDevice& device, QPainter& painter, const SheetContent& content) {
    const int dpi = device.logicalDpiX();
    PaintSheet(painter, QRectF(device.pageLayout().fullRectPixels(dpi)), content);
}

}  // namespace

WriteOutcome WriteSheetPdf(const QString& path, const SheetContent& content) {
    const QFileInfo target(path);
    if (target.isDir())
        return {false, QStringLiteral("フォルダーの名前です。ファイルの名前を指定して下さい。")};

    QSaveFile file(path);
    file.setDirectWriteFallback(false);  // always through the temporary file
    if (!file.open(QIODevice::WriteOnly)) return {false, OpenFailure(target, file.errorString())};
    {
        QPdfWriter writer(&file);
        writer.setResolution(kPdfResolution);
        writer.setPageSize(QPageSize(kSheetPageSize));
        writer.setPageOrientation(QPageLayout::Portrait);
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(DocumentName(content));
        writer.setCreator(content.footer);
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            return {false, QStringLiteral("PDF を作れませんでした。")};
        }
        Paint(writer, painter, content);
        painter.end();
    }
    if (!file.commit())
        return {false,
                QStringLiteral("書き込みに失敗しました。ディスクの空きが足りない可能性があります（%1）。")
                    .arg(file.errorString())};
    return {true, {}};
}

void PrintSheet(QPrinter& printer, const SheetContent& content) {
    printer.setFullPage(true);  // the sheet keeps its own margins
    QPainter painter(&printer);
    Paint(printer, painter, content);
}

void PreviewSheet(QWidget* parent, const SheetContent& content) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(kSheetPageSize));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFullPage(true);
    printer.setDocName(DocumentName(content));
    printer.setCreator(content.footer);

    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("SheetPreview"));
    dialog.setWindowTitle(QStringLiteral("velmora: 計算書の印刷プレビュー"));
    dialog.setWindowIcon(ProgramIcon());
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&content](QPrinter* target) { PrintSheet(*target, content); });
    dialog.exec();
}

}  // namespace velmora::ui
