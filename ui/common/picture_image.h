// How a picture becomes pixels, shared by the windows and the build-time
// prerendering, so both give the same pixels.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QSize>

namespace velmora::ui {

// A transparent premultiplied ARGB image of `logicalSize` × `ratio` pixels,
// drawn by `draw(QPainter&, QRectF)` in logical coordinates. A null image when
// `draw` returns false.
template <typename Draw>
QImage DrawPictureImage(QSize logicalSize, qreal ratio, Draw&& draw) {
    if (logicalSize.isEmpty()) return {};
    QImage image(logicalSize * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    if (!draw(painter, QRectF(QPointF(0, 0), QSizeF(logicalSize)))) return {};
    return image;
}

}  // namespace velmora::ui
