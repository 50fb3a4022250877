#include "tests/ui/random_user/real_message_boxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "tests/ui/random_user/random_texts.h"

namespace velmora::ui::testing {
namespace {

QMessageBox::StandardButton ButtonFor(MessageAnswer answer) {
    switch (answer) {
        case MessageAnswer::Ok: return QMessageBox::Ok;
        case MessageAnswer::Cancel: return QMessageBox::Cancel;
        case MessageAnswer::Yes: return QMessageBox::Yes;
        case MessageAnswer::No: return QMessageBox::No;
    }
    return QMessageBox::NoButton;
}

QString Describe(MessageAnswer answer) {
    switch (answer) {
        case MessageAnswer::Ok: return QStringLiteral("OK");
        case MessageAnswer::Cancel: return QStringLiteral("Cancel");
        case MessageAnswer::Yes: return QStringLiteral("Yes");
        case MessageAnswer::No: return QStringLiteral("No");
    }
    return {};
}

// Waits until `window` is the active window, from inside the box's own event
// loop. Unlike QTest::qWaitForWindowActive it does not force deferred
// deletions: a box shown from a handler (an edit from a text box's own menu)
// must not delete that menu while the menu is still delivering the edit.
bool WaitUntilActive(QWidget* window) {
    const QDeadlineTimer deadline(1000);
    while (QApplication::activeWindow() != window && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return QApplication::activeWindow() == window;
}

}  // namespace

MessageAnswer RealMessageBoxes::showMessage(QWidget* parent, const MessageRequest& request) {
    // The record, and the answer the test scripted; none scripted is the box closed.
    const bool scripted = !record_.answers.empty();
    const MessageAnswer intended = record_.showMessage(parent, request);

    bool answered = false;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            problems
                << QStringLiteral("the message box \"%1\" is not the active modal window").arg(request.text);
            for (QWidget* window : QApplication::topLevelWidgets())
                if (qobject_cast<QMessageBox*>(window) && window->isVisible()) window->close();
            return;
        }
        answered = true;
        // A window manager gives the new box the keyboard; the offscreen platform may not have yet.
        if (!WaitUntilActive(box))
            problems << QStringLiteral("the message box \"%1\" never became active").arg(request.text);
        // The box shows the request's lines, each break as a line feed.
        static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
        if (box->text().split(QLatin1Char('\n')) != request.text.split(lineBreak) ||
            box->windowTitle() != request.title || box->parentWidget() != parent)
            problems << QStringLiteral("the message box reads \"%1\" / \"%2\"")
                            .arg(box->windowTitle(), box->text());
        if (!scripted) {
            box->close();  // the close box
            return;
        }
        QAbstractButton* button = box->button(ButtonFor(intended));
        if (!button) {
            problems << QStringLiteral("the message box \"%1\" has no %2 button")
                            .arg(request.text, Describe(intended));
            box->close();
            return;
        }
        // The button by mouse, or by the key a user would press for it.
        const int way = dice_.below(3);
        // Through the box's window, as real input arrives.
        QWindow* window = box->windowHandle();
        if (way == 1 && button == box->defaultButton())
            QTest::keyClick(window, Qt::Key_Return);
        else if (way == 2 && button == box->escapeButton())
            QTest::keyClick(window, Qt::Key_Escape);
        else
            QTest::mouseClick(window, Qt::LeftButton, {}, button->mapTo(box, button->rect().center()));
    });
    timer.start(0);
    const MessageAnswer given = real_.showMessage(parent, request);
    timer.stop();
    // A window manager gives the keyboard back to the window beneath, so that
    // the user can type on; the offscreen platform does not. Only asked for
    // here: processing events before the handler that showed the box has
    // returned would run deletions the program's own loop keeps for later.
    if (QWidget* beneath = parent ? parent->window() : nullptr) beneath->activateWindow();
    if (!answered) problems << QStringLiteral("the message box \"%1\" was never shown").arg(request.text);
    if (given != intended)
        problems << QStringLiteral("the message box \"%1\" answered %2 for %3")
                        .arg(request.text, Describe(given),
                             scripted ? Describe(intended) : QStringLiteral("its close box"));
    return given;
}

}  // namespace velmora::ui::testing
