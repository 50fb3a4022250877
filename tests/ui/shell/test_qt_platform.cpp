// The production platform layer on a real screen and with real message boxes.
#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "core/messages.h"
#include "tests/ui/support/test_setup.h"
#include "ui/common/text.h"
#include "ui/shell/qt_platform.h"

using namespace velmora;
using namespace velmora::ui;

class TestQtPlatform : public QObject {
    Q_OBJECT

    // Shows `request` in a real box, reads the box's text as drawn, presses its first button.
    static QString shownText(const MessageRequest& request) {
        QString shown;
        QTimer poll;
        connect(&poll, &QTimer::timeout, &poll, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            poll.stop();
            if (const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")))
                shown = label->text();
            box->buttons().first()->click();
        });
        poll.start(10);
        QtPlatform().showMessage(nullptr, request);
        return shown;
    }

private slots:
    void initTestCase() { testing::PrepareUiTest(); }

    // Windows centre themselves on the whole screen, panels included. Run
    // under X with a work area set on the root window, so that the two differ.
    void placementUsesTheWholeScreen() {
        const QScreen* screen = QGuiApplication::primaryScreen();
        QVERIFY(screen);
        if (screen->availableGeometry() == screen->geometry()) {
            if (qEnvironmentVariableIsSet("VELMORA_TEST_WORK_AREA"))
                QFAIL("the work area set for the test is not seen");
            QSKIP("the screen has no panels here: the test needs a work area smaller than the screen");
        }
        QCOMPARE(QtPlatform().screenGeometry(), screen->geometry());
    }

    // The held texts break their lines with a lone carriage return, which a
    // plain-text label would draw as a blank: the box shows real lines.
    void messageLinesShowAsLines_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("the unit message") << ToQString(kUnitMissingMessage)
                                          << QStringLiteral(
                                                 "単位が選択されていません。\n\n"
                                                 "「OK」を選択すると単位を \"mm\" に設定します。");
        QTest::newRow("CR LF and LF") << QStringLiteral("a\r\nb\nc\r") << QStringLiteral("a\nb\nc\n");
    }

    void messageLinesShowAsLines() {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        const MessageRequest request{text, QStringLiteral("利用ナビ"), MessageIcon::Exclamation,
                                     MessageButtons::OkCancel};
        QCOMPARE(shownText(request), shown);
        QCOMPARE(request.text, text);
    }
};

QTEST_MAIN(TestQtPlatform)
#include "test_qt_platform.moc"
