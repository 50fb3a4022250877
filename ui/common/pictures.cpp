#include "ui/common/pictures.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmapCache>
#include <QResource>
#include <utility>

#include "core/catalogue.h"
#include "core/formula_pictures.h"
#include "ui/common/picture_image.h"
#include "ui/common/plugins.h"
#include "ui/common/twips.h"
#include "ui/plugins/svg_renderer.h"

namespace velmora::ui {
namespace {

QString Numbered(const char* pattern, int n) {
    return QString::fromLatin1(pattern).arg(n, 2, 10, QLatin1Char('0'));
}

// The SVG renderer plugin, loaded on first use. Without it the pictures stay
// empty, and the reason is logged once.
const SvgRenderer* Renderer() {
    static const SvgRenderer* renderer = nullptr;
    static bool warned = false;
    if (!renderer) {
        QString error;
        renderer = LoadPlugin<SvgRenderer>(kSvgRendererPlugin, &error);
        if (!renderer && !std::exchange(warned, true))
            qWarning("velmora: no pictures can be drawn: %s", qPrintable(error));
    }
    return renderer;
}

// The pixels of a picture prerendered at build time for a pixel ratio of 1, as
// the renderer would draw them; a null image for any other picture or size.
// The image reads the compiled-in pixels where they lie when they are aligned
// for it (they stay for the program's life), else a copy of them.
QImage Prerendered(const QString& path, QSize size) {
    const QResource file(QStringLiteral(":/prerendered/%1.%2x%3")
                             .arg(QStringView(path).mid(2))  // without ":/"
                             .arg(size.width())
                             .arg(size.height()));
    const qint64 bytes = qint64(size.width()) * size.height() * 4;
    if (!file.isValid() || file.compressionAlgorithm() != QResource::NoCompression || file.size() != bytes)
        return {};
    const QImage pixels(file.data(), size.width(), size.height(), size.width() * 4,
                        QImage::Format_ARGB32_Premultiplied);
    return reinterpret_cast<quintptr>(file.data()) % alignof(quint32) == 0 ? pixels : pixels.copy();
}

// An icon drawn from its SVG at the size asked for. QIcon would load the
// toolkit's SVG icon plugin for this at start-up; here the sizes a window
// system asks for first come prerendered, and any other is rendered.
class SvgIconEngine final : public QIconEngine {
public:
    explicit SvgIconEngine(QString path) : path_(std::move(path)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        PaintSvg(*painter, path_, rect);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        return RenderSvg(path_, size, 1);
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (const int side : kIconSizes) sizes.append(QSize(side, side));
        return sizes;
    }
    QIconEngine* clone() const override { return new SvgIconEngine(path_); }
    bool isNull() override { return false; }

private:
    QString path_;
};

}  // namespace

QString DrawingPath(int shape) { return Numbered(":/drawings/shape_%1.svg", shape); }

QString ThumbnailPath(int shape, bool selected) {
    return Numbered(selected ? ":/thumbnails/selected_%1.svg" : ":/thumbnails/normal_%1.svg", shape);
}

QString FormulaPath(int picture) { return Numbered(":/formulas/formula_%1.svg", picture); }

QString IconPath() { return QStringLiteral(":/icon/velmora.svg"); }

QSize DrawingSize(int shape) {
    const ShapeEntry* entry = FindShape(shape);
    return entry ? TwipsSize(entry->drawingWidthTwips, entry->drawingHeightTwips) : QSize();
}

QSize FormulaSize(int picture) {
    const TwipsExtent size = FormulaPictureSize(picture);
    return TwipsSize(size.width, size.height);
}

// The windows are built afresh on every visit and would render the same
// pictures again (the selection window fifty of them): each rendering is kept
// in Qt's pixmap cache for the next time.
QPixmap RenderSvg(const QString& path, QSize logicalSize, qreal devicePixelRatio) {
    const QString key = QStringLiteral("velmora:%1:%2x%3@%4")
                            .arg(path)
                            .arg(logicalSize.width())
                            .arg(logicalSize.height())
                            .arg(devicePixelRatio);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap)) return pixmap;

    QImage image = devicePixelRatio == 1 ? Prerendered(path, logicalSize) : QImage();
    if (image.isNull()) {
        image = DrawPictureImage(
            logicalSize, devicePixelRatio,
            [&path](QPainter& painter, const QRectF& rect) { return PaintSvg(painter, path, rect); });
    }
    if (image.isNull()) return {};
    // As it is: a pixmap converted to an opaque format would copy every picture
    // that happens to have no transparent pixel, and draw no differently.
    pixmap = QPixmap::fromImage(std::move(image), Qt::NoFormatConversion);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

bool PaintSvg(QPainter& painter, const QString& path, const QRectF& target) {
    const SvgRenderer* renderer = Renderer();
    return renderer && renderer->paint(painter, path, target);
}

QPixmap DrawingPixmap(int shape, qreal devicePixelRatio) {
    return RenderSvg(DrawingPath(shape), DrawingSize(shape), devicePixelRatio);
}

QPixmap ThumbnailPixmap(int shape, bool selected, qreal devicePixelRatio) {
    return RenderSvg(ThumbnailPath(shape, selected), kThumbnailSize, devicePixelRatio);
}

QPixmap FormulaPixmap(int picture, qreal devicePixelRatio) {
    return RenderSvg(FormulaPath(picture), FormulaSize(picture), devicePixelRatio);
}

QIcon ProgramIcon() { return QIcon(new SvgIconEngine(IconPath())); }

}  // namespace velmora::ui
