// The print preview, a plugin loaded on first use, so that Qt PrintSupport is
// loaded only when the user asks to print.
#pragma once

#include <QIcon>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <QtPlugin>
#include <functional>

class QPainter;
class QWidget;

namespace velmora::ui {

// A one-page document to preview and print.
struct PrintJob {
    QString windowTitle;  // the preview window's title
    QString objectName;   // the preview window's object name
    QIcon windowIcon;
    QString documentName;  // what the print queue shows
    QString creator;
    QPageSize pageSize;
    // Paints the page, portrait, edge to edge: `page` is the whole sheet in
    // the painter's device pixels.
    std::function<void(QPainter& painter, const QRectF& page)> paintPage;
};

class PrintPreview {
public:
    virtual ~PrintPreview() = default;

    // Shows the preview modal over `parent`, with the system's printers to
    // print on, and returns when the user closes it.
    virtual void exec(QWidget* parent, const PrintJob& job) = 0;
};

}  // namespace velmora::ui

#define VELMORA_PRINT_PREVIEW_IID "example.velmora.PrintPreview/1"
Q_DECLARE_INTERFACE(velmora::ui::PrintPreview, VELMORA_PRINT_PREVIEW_IID)
