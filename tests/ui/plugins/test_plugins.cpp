// Qt SVG and Qt PrintSupport come in through velmora's plugins, on first use:
// the selection window shows with neither loaded, the calculator's drawing
// brings in the SVG renderer, the print preview the printing. Without the
// plugins the pictures stay empty and printing says why, in Japanese.
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "tests/ui/calculator/calculator_harness.h"
#include "tests/ui/sheet/pdf_tools.h"
#include "tests/ui/support/test_setup.h"
#include "ui/common/look.h"
#include "ui/selection/form1.h"

using namespace velmora;
using namespace velmora::ui;
using namespace velmora::ui::testing;

namespace {

// Whether a shared library whose file name starts with `name` is mapped into
// this process.
bool Loaded(const char* name) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly)) qFatal("cannot read /proc/self/maps");
    return maps.readAll().contains(QByteArray("/") + name);
}

// Presses Ctrl+P and answers the sheet dialog; whether the print preview
// showed then (it is closed at once).
bool PrintPreviewShows(Calculator& calc) {
    AnswerSheetDialog({});
    bool shown = false;
    QTimer timer;
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal->objectName() != QStringLiteral("SheetPreview")) return;
        timer.stop();
        shown = true;
        qobject_cast<QDialog*>(modal)->reject();
    });
    timer.start();
    QTest::keyClick(calc.form.get(), Qt::Key_P, Qt::ControlModifier);
    return shown;
}

}  // namespace

class TestPlugins : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        PrepareUiTest();
        PreloadStyleImages();  // as the program does at start (no image plugin for the frame)
        QVERIFY(!Loaded("libQt6Svg"));
        QVERIFY(!Loaded("libQt6PrintSupport"));
    }

    // The first window's pictures and icon are prerendered.
    void theSelectionWindowNeedsNeither() {
        Module1 module;
        FakePlatform platform;
        RecordingNavigator navigator;
        AppContext context{module, platform, navigator};
        Form1 form(context);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.grab().size(), form.size());  // painted
        for (int shape = 0; shape < kShapeCount; ++shape)
            QVERIFY(!form.findChild<QLabel*>(QStringLiteral("Image1_%1").arg(shape))->pixmap().isNull());
        QVERIFY(!form.windowIcon().pixmap(32, 32).isNull());
        QTest::mouseClick(form.findChild<QLabel*>(QStringLiteral("Image1_7")), Qt::LeftButton);
        QVERIFY(!form.findChild<QLabel*>(QStringLiteral("Image2_7"))->pixmap().isNull());
        QVERIFY(!Loaded("libQt6Svg"));
        QVERIFY(!Loaded("libQt6PrintSupport"));
    }

    // Before any plugin is loaded: none to be found.
    void withoutThePluginsPicturesStayEmptyAndPrintingSaysWhy() {
        const QStringList paths = QCoreApplication::libraryPaths();
        const auto restore = qScopeGuard([&paths] { QCoreApplication::setLibraryPaths(paths); });
        const QTemporaryDir empty;
        QCoreApplication::setLibraryPaths({empty.path()});

        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("^velmora: no pictures can be drawn: .+")));
        Calculator calc(16);
        QVERIFY(calc.get<QLabel>(QStringLiteral("img1"))->pixmap().isNull());
        QVERIFY(!PrintPreviewShows(calc));
        QCOMPARE(calc.platform.messages.size(), 1);
        QVERIFY2(calc.platform.messages[0].text.startsWith(
                     QStringLiteral("印刷の機能を読み込めませんでした。\n理由: ")),
                 qPrintable(calc.platform.messages[0].text));
        QCOMPARE(calc.platform.messages[0].title, QStringLiteral("利用ナビ"));
        QVERIFY(!Loaded("libQt6Svg"));
        QVERIFY(!Loaded("libQt6PrintSupport"));
    }

    void theCalculatorsDrawingLoadsTheSvgRendererOnly() {
        Calculator calc(16);
        QVERIFY(!calc.get<QLabel>(QStringLiteral("img1"))->pixmap().isNull());
        QVERIFY(Loaded("libvelmora_svg"));
        QVERIFY(Loaded("libQt6Svg"));
        QVERIFY(!Loaded("libQt6PrintSupport"));
    }

    void thePrintPreviewLoadsPrinting() {
        Calculator calc(16);
        calc.enter({QStringLiteral("8"), QStringLiteral("10"), QStringLiteral("4"), QStringLiteral("6")});
        calc.click(QStringLiteral("cmd1"));
        QVERIFY(PrintPreviewShows(calc));
        QVERIFY(calc.platform.messages.isEmpty());
        QVERIFY(Loaded("libvelmora_print"));
        QVERIFY(Loaded("libQt6PrintSupport"));
    }
};

QTEST_MAIN(TestPlugins)
#include "test_plugins.moc"
