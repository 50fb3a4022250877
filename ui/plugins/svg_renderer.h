// The SVG renderer, a plugin loaded on first use: Qt SVG is needed for the
// drawings, the formulas, the sheet and pictures at other than the usual size,
// but not to show the first window, whose pictures are prerendered.
#pragma once

#include <QRectF>
#include <QString>
#include <QtPlugin>

class QPainter;

namespace velmora::ui {

class SvgRenderer {
public:
    virtual ~SvgRenderer() = default;

    // Draws the SVG file at `path` (a resource path) into `target` on
    // `painter`, as vectors when the painter's device keeps them. False, and
    // nothing drawn, when the file is missing or does not parse.
    virtual bool paint(QPainter& painter, const QString& path, const QRectF& target) const = 0;
};

}  // namespace velmora::ui

#define VELMORA_SVG_RENDERER_IID "example.velmora.SvgRenderer/1"
Q_DECLARE_INTERFACE(velmora::ui::SvgRenderer, VELMORA_SVG_RENDERER_IID)
