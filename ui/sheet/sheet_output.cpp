#include "ui/sheet/sheet_output.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include "ui/common/pictures.h"
#include "ui/common/plugins.h"
#include "ui/plugins/print_preview.h"
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

}  // namespace

// The PDF is made in memory first and handed to the file in one write whose
// length is checked: a short write (a full disk, a size limit) leaves the file
// device without an error of its own, and would otherwise pass as complete.
WriteOutcome WriteSheetPdf(const QString& path, const SheetContent& content) {
    const QFileInfo target(path);
    if (target.isDir())
        return {false, QStringLiteral("フォルダーの名前です。ファイルの名前を指定して下さい。")};

    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        writer.setPageSize(QPageSize(kSheetPageSize));
        writer.setPageOrientation(QPageLayout::Portrait);
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(DocumentName(content));
        writer.setCreator(content.footer);
        QPainter painter;
        if (!painter.begin(&writer)) return {false, QStringLiteral("PDF を作れませんでした。")};
        PaintSheet(painter, QRectF(writer.pageLayout().fullRectPixels(writer.logicalDpiX())), content);
        painter.end();
    }

    QSaveFile file(path);
    file.setDirectWriteFallback(false);  // always through the temporary file
    if (!file.open(QIODevice::WriteOnly)) return {false, OpenFailure(target, file.errorString())};
    const bool complete = file.write(pdf) == pdf.size() && file.flush();
    if (!complete || !file.commit()) {
        const QString reason = file.error() == QFileDevice::NoError ? QString() : file.errorString();
        file.cancelWriting();  // removes the temporary file; the target stays as it was
        return {false, QStringLiteral("書き込みに失敗しました。ディスクの空きが足りない可能性があります%1。")
                           .arg(reason.isEmpty() ? QString() : QStringLiteral("（%1）").arg(reason))};
    }
    return {true, {}};
}

QString PreviewSheet(QWidget* parent, const SheetContent& content) {
    QString error;
    PrintPreview* preview = LoadPlugin<PrintPreview>(kPrintPreviewPlugin, &error);
    if (!preview) return error;
    preview->exec(parent, {.windowTitle = QStringLiteral("velmora: 計算書の印刷プレビュー"),
                           .objectName = QStringLiteral("SheetPreview"),
                           .windowIcon = ProgramIcon(),
                           .documentName = DocumentName(content),
                           .creator = content.footer,
                           .pageSize = QPageSize(kSheetPageSize),
                           .paintPage = [&content](QPainter& painter, const QRectF& page) {
                               PaintSheet(painter, page, content);
                           }});
    return {};
}

}  // namespace velmora::ui
