#include "tests/ui/random_user/random_user.h"

#include <QApplication>
#include <QKeySequence>
#include <QLabel>
#include <QTest>

#include "core/messages.h"
#include "tests/ui/support/user_input.h"
#include "ui/calculator/form2.h"
#include "ui/selection/form1.h"
#include "ui/shell/form4.h"

namespace velmora::ui::testing {

void ClickPicture(RandomUser& user, int shape) {
    user.begin(QStringLiteral("click the picture of shape %1").arg(shape));
    QWidget* picture =
        user.control(QStringLiteral("Image%1_%2").arg(user.expectedSelection == shape ? 2 : 1).arg(shape));
    if (!picture) return;
    user.clickAt(picture, picture->rect().center());
    user.expectedSelection = static_cast<ShapeType>(shape);
    user.count(QStringLiteral("selection: picture clicked"));
}

void OpenCalculator(RandomUser& user, int shape) {
    int way = user.dice.below(3);
    if (way == 1 && FocusOnInfoOrExit(user)) way = 0;  // Return would press the focused button
    switch (way) {
        case 0:
            user.begin(QStringLiteral("OK for shape %1").arg(shape));
            user.clickAt(user.control("cmd1"), user.control("cmd1")->rect().center());
            break;
        case 1:
            user.begin(QStringLiteral("Return for shape %1").arg(shape));
            user.key(user.dice.pick({Qt::Key_Return, Qt::Key_Enter}));
            break;
        default: {
            user.begin(QStringLiteral("double click the chosen picture of shape %1").arg(shape));
            QWidget* picture = user.control(QStringLiteral("Image2_%1").arg(shape));
            if (picture) user.doubleClickAt(picture, picture->rect().center());
            break;
        }
    }
    user.inCalculator = true;
    user.opening = true;
    user.expected.open(static_cast<ShapeType>(shape));
    user.count(QStringLiteral("calculator opened"));
}

void BackToSelection(RandomUser& user) {
    user.begin(QStringLiteral("double click the drawing"));
    QWidget* drawing = user.control("img1");
    user.doubleClickAt(drawing, drawing->rect().center());
    user.inCalculator = false;
    user.expectedSelection = kNoShape;
    user.count(QStringLiteral("back to the selection"));
}

bool FocusOnInfoOrExit(const RandomUser& user) {
    QWidget* focus = QApplication::focusWidget();
    return focus && (focus == user.control("oc2") || focus == user.control("oc3"));
}

void OpenInformation(RandomUser& user, QWidget* owner, Qt::Key k, Qt::KeyboardModifiers modifiers) {
    QWidget* button = user.control("oc2");
    const bool byKey = QApplication::focusWidget() == button;
    user.begin(byKey ? QStringLiteral("%1 on Info").arg(QKeySequence(k).toString())
                     : QStringLiteral("click Info"));
    user.editsForbidden = true;
    user.unitForbidden = true;
    const bool opened = WhileModal(
        [&] {
            if (byKey)
                user.key(k, modifiers);
            else
                user.clickAt(button, button->rect().center());
        },
        [&](QWidget* modal) {
            auto* info = qobject_cast<Form4*>(modal);
            if (!info) {
                user.problem("a modal " + Name(modal) + " opened instead of the information window");
                return;
            }
            if (info->parentWidget() != owner)
                user.problem(
                    QStringLiteral("the information window stands over %1").arg(Name(info->parentWidget())));
            switch (user.dice.below(4)) {
                case 0:
                    user.action += ", closed by Escape";
                    QTest::keyClick(info->windowHandle(), Qt::Key_Escape);
                    break;
                case 1: {
                    auto* link = info->findChild<QLabel*>(user.dice.pick({"Label6", "Label8"}));
                    if (!link) {
                        user.problem(QStringLiteral("no address in the information window"));
                        break;
                    }
                    user.action += ", clicked " + link->objectName();
                    user.clickAt(link, QPoint(4, link->height() / 2));
                    user.expectedUrls = 1;
                    break;
                }
                case 2: {
                    user.action += ", double clicked its background";
                    const MessageAnswer answer = user.answerNextMessage(MessageButtons::YesNo);
                    user.expectMessage(kConfirmExitMessage, MessageIcon::Question, MessageButtons::YesNo,
                                       info);
                    if (answer == MessageAnswer::Yes) user.expectedEnds = 1;
                    user.doubleClickAt(info, EmptySpot(info));
                    break;
                }
                default: break;
            }
            if (info->isVisible() && !info->close())
                user.problem(QStringLiteral("the information window refused to close"));
        });
    if (!opened) user.problem(QStringLiteral("the information window did not open"));
    user.count(QStringLiteral("information opened"));
}

void DoubleClickBackground(RandomUser& user, QWidget* window) {
    const QPoint spot = window == user.watched ? user.calculatorBackground : EmptySpot(window);
    user.begin(QStringLiteral("double click the background of %1").arg(window->objectName()));
    const MessageAnswer answer = user.answerNextMessage(MessageButtons::YesNo);
    user.action += answer == MessageAnswer::Yes ? ", answer Yes" : ", answer No";
    user.editsForbidden = true;
    user.unitForbidden = true;
    user.expectMessage(kConfirmExitMessage, MessageIcon::Question, MessageButtons::YesNo, window);
    if (answer == MessageAnswer::Yes) user.expectedEnds = 1;
    user.doubleClickAt(window, spot);
    user.count(QStringLiteral("exit question"));
}

namespace {

void PressOkWithNothingChosen(RandomUser& user) {
    user.begin(QStringLiteral("OK with no shape chosen"));
    Form1* form = user.selection();
    user.expectMessage(kChooseShapeMessage, MessageIcon::Information, MessageButtons::Ok, form);
    // Return on Info or Exit would press that button instead.
    if (FocusOnInfoOrExit(user) || user.dice.chance(0.5))
        user.clickAt(user.control("cmd1"), user.control("cmd1")->rect().center());
    else
        user.key(Qt::Key_Return);
    user.count(QStringLiteral("selection: OK with nothing chosen"));
}

void ClickAnyPicture(RandomUser& user) { ClickPicture(user, user.dice.below(kShapeCount)); }

// OK does something of its own only while nothing is chosen; otherwise the
// user looks at the information instead.
void PressOkOrLookAtInformation(RandomUser& user) {
    if (user.expectedSelection == kNoShape)
        PressOkWithNothingChosen(user);
    else
        OpenInformation(user, user.selection());
}

void OpenSelectionInformation(RandomUser& user) { OpenInformation(user, user.selection()); }
void DoubleClickSelectionBackground(RandomUser& user) { DoubleClickBackground(user, user.selection()); }

}  // namespace

// The wandering before a shape is chosen: other pictures, an early OK, a look
// at the information, a question to end.
std::span<const Action> SelectionActions() {
    static constexpr Action kActions[] = {
        {6, ClickAnyPicture},
        {1, PressOkOrLookAtInformation},
        {1, OpenSelectionInformation},
        {1, DoubleClickSelectionBackground},
    };
    return kActions;
}

}  // namespace velmora::ui::testing
