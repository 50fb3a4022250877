// The program's pictures, compiled in as SVG resources and rendered crisp at
// any device-pixel ratio.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QRectF>
#include <QSize>
#include <QString>

class QPainter;

namespace velmora::ui {

// Resource paths, by shape index 0 to 24 and formula picture 0 to 75.
QString DrawingPath(int shape);  // ":/drawings/shape_07.svg"
QString ThumbnailPath(int shape,
                      bool selected);  // ":/thumbnails/normal_07.svg", ":/thumbnails/selected_07.svg"
QString FormulaPath(int picture);      // ":/formulas/formula_42.svg"
QString IconPath();                    // ":/icon/velmora.svg"

// The natural sizes in logical pixels: the catalogue's drawing size (twips ÷ 15),
// 40 × 31 for a thumbnail, the formula picture table's size.
QSize DrawingSize(int shape);
inline constexpr QSize kThumbnailSize{40, 31};
QSize FormulaSize(int picture);
// The icon sizes a window system is offered first (the window's icon).
inline constexpr int kIconSizes[] = {16, 32, 48, 64};

// Renders an SVG to a pixmap of the given logical size at the given ratio.
// A null pixmap when the SVG is missing or does not parse. The selection
// window's thumbnails and the icon's usual sizes come prerendered at ratio 1.
QPixmap RenderSvg(const QString& path, QSize logicalSize, qreal devicePixelRatio);

// Draws an SVG into `target` on `painter`, as vectors where the device keeps
// them (a PDF). False when the SVG is missing, does not parse, or no renderer
// could be loaded.
bool PaintSvg(QPainter& painter, const QString& path, const QRectF& target);

QPixmap DrawingPixmap(int shape, qreal devicePixelRatio);
QPixmap ThumbnailPixmap(int shape, bool selected, qreal devicePixelRatio);
QPixmap FormulaPixmap(int picture, qreal devicePixelRatio);

// The program icon, shared by every window.
QIcon ProgramIcon();

}  // namespace velmora::ui
