// The style's group box frame is read ahead without image-format plugins, and
// is the very frame the style would otherwise read for itself.
#include <QFile>
#include <QGroupBox>
#include <QPixmapCache>
#include <QStyle>
#include <QtTest>

#include "tests/ui/support/test_setup.h"
#include "ui/common/look.h"

using namespace velmora::ui;

namespace {

bool ImageFormatPluginLoaded() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly)) return false;
    return maps.readAll().contains("/imageformats/");
}

}  // namespace

class TestStyleImages : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        testing::PrepareUiTest();
        if (QApplication::style()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0)
            QSKIP("the frame image is Fusion's");
        if (!QFile::exists(QStringLiteral("/proc/self/maps"))) QSKIP("no /proc to see loaded libraries in");
    }

    // Runs first: once a plugin is loaded it stays for the life of the process.
    void paintingAGroupBoxLoadsNoImagePlugin() {
        QVERIFY(!ImageFormatPluginLoaded());
        PreloadStyleImages();
        QGroupBox box(QStringLiteral("断面形状"));
        box.resize(200, 120);
        QVERIFY(!box.grab().isNull());
        QVERIFY(!ImageFormatPluginLoaded());
    }

    void theStyleFindsThePreloadedFrame() {
        QPixmap preloaded;
        QVERIFY(QPixmapCache::find(QStringLiteral("fusion_groupbox"), &preloaded));
        // A pixmap served from the cache shares the cached one's data.
        QCOMPARE(QPixmap(QString::fromLatin1(kFusionGroupBoxFrame)).cacheKey(), preloaded.cacheKey());
    }

    void thePreloadedFrameIsTheStylesOwn() {
        QPixmap preloaded;
        QVERIFY(QPixmapCache::find(QStringLiteral("fusion_groupbox"), &preloaded));
        QPixmapCache::clear();
        const QPixmap readByQt(QString::fromLatin1(kFusionGroupBoxFrame));
        QVERIFY(!readByQt.isNull());
        QVERIFY(readByQt.cacheKey() != preloaded.cacheKey());
        QCOMPARE(preloaded.toImage(), readByQt.toImage());
    }
};

QTEST_MAIN(TestStyleImages)
#include "test_style_images.moc"
