// The program's pictures, compiled in as SVG resources and rendered crisp at
// any device-pixel ratio.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

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

// Renders an SVG to a pixmap of the given logical size at the given ratio.
// A null pixmap when the SVG is missing or does not parse.
QPixmap RenderSvg(const QString& path, QSize logicalSize, qreal devicePixelRatio);

QPixmap DrawingPixmap(int shape, qreal devicePixelRatio);
QPixmap ThumbnailPixmap(int shape, bool selected, qreal devicePixelRatio);
QPixmap FormulaPixmap(int picture, qreal devicePixelRatio);

// The program icon, shared by every window.
QIcon ProgramIcon();

}  // namespace velmora::ui
