// Qt PrintSupport behind the PrintPreview interface.
#include <QObject>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "ui/plugins/print_preview.h"

namespace velmora::ui {

class PrintPreviewPlugin final : public QObject, public PrintPreview {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID VELMORA_PRINT_PREVIEW_IID)
    Q_INTERFACES(velmora::ui::PrintPreview)

public:
    void exec(QWidget* parent, const PrintJob& job) override {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageSize(job.pageSize);
        printer.setPageOrientation(QPageLayout::Portrait);
        printer.setFullPage(true);  // the page keeps its own margins
        printer.setDocName(job.documentName);
        printer.setCreator(job.creator);

        QPrintPreviewDialog dialog(&printer, parent);
        dialog.setObjectName(job.objectName);
        dialog.setWindowTitle(job.windowTitle);
        dialog.setWindowIcon(job.windowIcon);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&job](QPrinter* target) {
            target->setFullPage(true);
            QPainter painter(target);
            const QRect page = target->pageLayout().fullRectPixels(target->logicalDpiX());
            job.paintPage(painter, QRectF(page));
        });
        dialog.exec();
    }
};

}  // namespace velmora::ui

#include "print_preview_plugin.moc"
