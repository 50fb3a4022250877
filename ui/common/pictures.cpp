#include "ui/common/pictures.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

#include "core/catalogue.h"
#include "core/formula_pictures.h"
#include "ui/common/twips.h"

namespace velmora::ui {
namespace {

QString Numbered(const char* pattern, int n) {
    return QString::fromLatin1(pattern).arg(n, 2, 10, QLatin1Char('0'));
}

// An icon drawn from its SVG at the size asked for. QIcon would load the
// toolkit's SVG icon plugin for this at start-up; the renderer is at hand.
class SvgIconEngine final : public QIconEngine {
public:
    explicit SvgIconEngine(QString path) : path_(std::move(path)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        QSvgRenderer(path_).render(painter, rect);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        return RenderSvg(path_, size, 1);
    }
    // The sizes a window system asks for first; others are drawn on demand.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        return {QSize(16, 16), QSize(32, 32), QSize(48, 48), QSize(64, 64)};
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

    QSvgRenderer renderer(path);
    if (!renderer.isValid() || logicalSize.isEmpty()) return {};
    pixmap = QPixmap(logicalSize * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(logicalSize)));
    painter.end();
    QPixmapCache::insert(key, pixmap);
    return pixmap;
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
