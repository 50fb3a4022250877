// The rendered pictures are kept for the next window that shows them, but a
// picture asked for at another size or pixel ratio is rendered for that.
#include <QImage>
#include <QPixmap>
#include <QtTest>

#include "tests/ui/support/test_setup.h"
#include "ui/common/pictures.h"

using namespace velmora::ui;

class TestPictureCache : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { testing::PrepareUiTest(); }

    void aSecondRenderingIsTheFirst() {
        const QPixmap first = ThumbnailPixmap(7, false, 1);
        QVERIFY(!first.isNull());
        QCOMPARE(ThumbnailPixmap(7, false, 1).cacheKey(), first.cacheKey());
        QCOMPARE(DrawingPixmap(12, 1).cacheKey(), DrawingPixmap(12, 1).cacheKey());
    }

    void eachSizeRatioAndPictureHasItsOwn() {
        const QPixmap single = ThumbnailPixmap(3, true, 1);
        const QPixmap twice = ThumbnailPixmap(3, true, 2);
        QCOMPARE(single.size(), kThumbnailSize);
        QCOMPARE(twice.size(), kThumbnailSize * 2);
        QCOMPARE(twice.devicePixelRatio(), 2.0);
        QCOMPARE(RenderSvg(ThumbnailPath(3, true), kThumbnailSize * 3, 1).size(), kThumbnailSize * 3);
        QVERIFY(ThumbnailPixmap(3, false, 1).toImage() != single.toImage());
        QVERIFY(ThumbnailPixmap(4, true, 1).toImage() != single.toImage());
    }

    void aMissingPictureIsNone() {
        QVERIFY(RenderSvg(QStringLiteral(":/drawings/missing.svg"), {40, 31}, 1).isNull());
        QVERIFY(RenderSvg(IconPath(), {0, 0}, 1).isNull());
    }
};

QTEST_MAIN(TestPictureCache)
#include "test_picture_cache.moc"
