// Every way out, with the real platform layer and the program's own event
// loop: the loop ends with status 0, also from inside a modal window, and a
// No to the exit question keeps the program running.
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "core/module1.h"
#include "tests/ui/support/test_setup.h"
#include "tests/ui/support/user_input.h"
#include "ui/common/platform.h"
#include "ui/shell/form4.h"
#include "ui/shell/qt_platform.h"
#include "ui/shell/shell.h"

using namespace velmora;
using namespace velmora::ui;
using velmora::ui::testing::EmptySpot;

namespace {

constexpr int kStillRunning = 99;

QPushButton* Button(const QWidget* window, const char* name) {
    return window->findChild<QPushButton*>(QLatin1String(name));
}

// Answers the message box that is about to open with `button`.
void AnswerNextMessage(QMessageBox::StandardButton button) {
    QTimer::singleShot(0, [button] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        QCOMPARE(box->text(), QStringLiteral("本当に終了しますか？"));
        box->button(button)->click();
    });
}

}  // namespace

class TestEnding : public QObject {
    Q_OBJECT

    // Starts the program, runs `act` from inside its event loop and returns the
    // loop's exit status; kStillRunning if it had not ended after five seconds.
    static int Run(const std::function<void(Shell&)>& act) {
        Module1 module;
        QtPlatform platform;
        Shell shell(module, platform);
        shell.start();
        QTimer::singleShot(0, [&] { act(shell); });
        QTimer::singleShot(5000, [] { QCoreApplication::exit(kStillRunning); });
        return QCoreApplication::exec();
    }

    static void ChooseShapeAndOk(Shell& shell, int shape) {
        QTest::mouseClick(shell.mainWindow()->findChild<QLabel*>(QStringLiteral("Image1_%1").arg(shape)),
                          Qt::LeftButton);
        Button(shell.mainWindow(), "cmd1")->click();
    }

private slots:
    void initTestCase() { velmora::ui::testing::PrepareUiTest(); }

    void exitButtons() {
        QCOMPARE(Run([](Shell& shell) { Button(shell.mainWindow(), "oc3")->click(); }), 0);
        QCOMPARE(Run([](Shell& shell) {
                     ChooseShapeAndOk(shell, 4);
                     Button(shell.mainWindow(), "oc3")->click();
                 }),
                 0);
    }

    void closeButtons() {
        QCOMPARE(Run([](Shell& shell) { shell.mainWindow()->close(); }), 0);
        QCOMPARE(Run([](Shell& shell) {
                     ChooseShapeAndOk(shell, 4);
                     shell.mainWindow()->close();
                 }),
                 0);
    }

    // A hand-over never leaves the program without a window, so it goes on.
    void handOversKeepRunning() {
        QCOMPARE(Run([](Shell& shell) {
                     ChooseShapeAndOk(shell, 4);
                     QTimer::singleShot(100, [&shell] {
                         QLabel* drawing = shell.mainWindow()->findChild<QLabel*>(QStringLiteral("img1"));
                         QTest::mouseDClick(drawing, Qt::LeftButton, {}, drawing->rect().center());
                         QTimer::singleShot(100, [] { QCoreApplication::exit(kStillRunning); });
                     });
                 }),
                 kStillRunning);
    }

    void yesInTheExitQuestion() {
        QCOMPARE(Run([](Shell& shell) {
                     AnswerNextMessage(QMessageBox::Yes);
                     QTest::mouseDClick(shell.mainWindow(), Qt::LeftButton, {},
                                        EmptySpot(shell.mainWindow()));
                 }),
                 0);
    }

    void noInTheExitQuestion() {
        QCOMPARE(Run([](Shell& shell) {
                     AnswerNextMessage(QMessageBox::No);
                     QTest::mouseDClick(shell.mainWindow(), Qt::LeftButton, {},
                                        EmptySpot(shell.mainWindow()));
                     QVERIFY(shell.mainWindow()->isVisible());
                     QCoreApplication::exit(kStillRunning);
                 }),
                 kStillRunning);
    }

    // Yes over the modal information window ends the whole program, not only that window.
    void yesInsideTheInformationWindow() {
        QCOMPARE(Run([](Shell& shell) {
                     QTimer::singleShot(0, [] {
                         auto* info = qobject_cast<Form4*>(QApplication::activeModalWidget());
                         QVERIFY(info);
                         AnswerNextMessage(QMessageBox::Yes);
                         QTest::mouseDClick(info, Qt::LeftButton, {}, EmptySpot(info));
                     });
                     Button(shell.mainWindow(), "oc2")->click();  // blocks until the program ends
                 }),
                 0);
    }
};

QTEST_MAIN(TestEnding)
#include "test_ending.moc"
