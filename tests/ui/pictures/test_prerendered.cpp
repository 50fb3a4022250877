// The pictures prerendered at build time are the renderer's own pixels: each
// equals what the SVG renderer draws now at a pixel ratio of 1, and together
// they are exactly what the first window shows (fifty thumbnails and the
// icon's usual sizes).
#include <QDirIterator>
#include <QImage>
#include <QSet>
#include <QtTest>

#include "tests/ui/support/test_setup.h"
#include "ui/common/picture_image.h"
#include "ui/common/pictures.h"

using namespace velmora::ui;

namespace {

// The picture as the renderer draws it, bypassing the prerendered pixels.
QImage Rendered(const QString& path, QSize size) {
    return DrawPictureImage(
        size, 1, [&path](QPainter& painter, const QRectF& rect) { return PaintSvg(painter, path, rect); });
}

}  // namespace

class TestPrerendered : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { testing::PrepareUiTest(); }

    void theyAreTheFirstWindowsPictures() {
        QStringList expected;
        for (int shape = 0; shape < 25; ++shape)
            for (const bool selected : {false, true})
                expected << QStringLiteral("%1.40x31").arg(ThumbnailPath(shape, selected).mid(2));
        for (const int side : kIconSizes) expected << QStringLiteral("icon/velmora.svg.%1x%1").arg(side);
        QStringList actual;
        QDirIterator it(QStringLiteral(":/prerendered"), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) actual << it.next().mid(QStringLiteral(":/prerendered/").size());
        expected.sort();
        actual.sort();
        QCOMPARE(actual, expected);
    }

    void eachIsWhatTheRendererDraws_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        for (int shape = 0; shape < 25; ++shape)
            for (const bool selected : {false, true})
                QTest::addRow("%s", qPrintable(ThumbnailPath(shape, selected)))
                    << ThumbnailPath(shape, selected) << kThumbnailSize;
        for (const int side : kIconSizes) QTest::addRow("icon %d", side) << IconPath() << QSize(side, side);
    }
    void eachIsWhatTheRendererDraws() {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        const QImage shown = RenderSvg(path, size, 1).toImage();
        const QImage rendered = Rendered(path, size);
        QVERIFY(!rendered.isNull());
        QCOMPARE(shown.size(), size);
        QCOMPARE(shown.convertToFormat(QImage::Format_ARGB32_Premultiplied), rendered);
        // Not a blank: the picture has more than one colour.
        QSet<QRgb> colours;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) colours.insert(rendered.pixel(x, y));
        QVERIFY(colours.size() > 1);
    }

    // Other ratios and sizes are rendered, not scaled from the prerendered ones.
    void otherRatiosAreRendered() {
        const QImage twice = RenderSvg(ThumbnailPath(12, false), kThumbnailSize, 2).toImage();
        QCOMPARE(twice.size(), kThumbnailSize * 2);
        QCOMPARE(twice.devicePixelRatio(), 2.0);
        QCOMPARE(twice.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                 DrawPictureImage(kThumbnailSize, 2, [](QPainter& painter, const QRectF& rect) {
                     return PaintSvg(painter, ThumbnailPath(12, false), rect);
                 }));
    }
};

QTEST_MAIN(TestPrerendered)
#include "test_prerendered.moc"
