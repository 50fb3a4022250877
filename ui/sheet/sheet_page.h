// Lays a calculation sheet out on one A4 page and paints it with any painter:
// the print preview, a printer and the PDF writer share it. Everything is
// drawn as vectors and text: the drawing and the formula pictures go through
// the SVG renderer, the texts stay text.
#pragma once

#include <QPageSize>
#include <QRectF>

class QPainter;

namespace velmora::ui {

struct SheetContent;

inline constexpr QPageSize::PageSizeId kSheetPageSize = QPageSize::A4;

// Paints `content` onto the page whose full rectangle (paper edge to paper
// edge) is `page` in the painter's current coordinates. The painter's device
// gives the resolution; the painter is left as it was.
void PaintSheet(QPainter& painter, const QRectF& page, const SheetContent& content);

}  // namespace velmora::ui
