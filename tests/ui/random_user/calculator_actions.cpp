#include "tests/ui/random_user/random_user.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <tuple>

#include "core/formula_pictures.h"
#include "tests/ui/support/user_input.h"
#include "ui/calculator/form2.h"
#include "ui/common/text.h"
#include "ui/formula/form3.h"

namespace velmora::ui::testing {
namespace {

const std::array<QString, 4> kFrames{"Frame2", "Frame3", "Frame4", "Frame5"};
const std::array<const char*, 4> kFormulaKinds{"a", "i", "z", "k"};

void TypeCharacters(RandomUser& user) {
    QString typed;
    for (int n = user.dice.weighted({6, 3, 1}) + 1; n > 0; --n) typed += RandomCharacter(user.dice);
    user.begin(QStringLiteral("type %1").arg(Shown(typed)));
    QLineEdit* edit = user.focusEnteredBox();
    user.action += QStringLiteral(" into %1 at %2 of %3")
                       .arg(edit->objectName())
                       .arg(edit->cursorPosition())
                       .arg(Shown(edit->text()));
    for (QChar c : typed) user.typeCharacter(c);
    user.count(QStringLiteral("calculator: type"));
}

void DeleteCharacters(RandomUser& user) {
    user.begin(QStringLiteral("delete"));
    QLineEdit* edit = user.focusEnteredBox();
    const QString before = edit->text();
    const int cursor = edit->cursorPosition();
    QStringList keys;
    for (int n = user.dice.between(0, 2); n > 0; --n) {  // move the cursor first, or select
        const auto [k, m, name] = user.dice.pick<std::tuple<Qt::Key, Qt::KeyboardModifiers, const char*>>(
            {{Qt::Key_Home, Qt::NoModifier, "Home"},
             {Qt::Key_End, Qt::NoModifier, "End"},
             {Qt::Key_Left, Qt::NoModifier, "Left"},
             {Qt::Key_Right, Qt::NoModifier, "Right"},
             {Qt::Key_Left, Qt::ShiftModifier, "Shift+Left"},
             {Qt::Key_Home, Qt::ShiftModifier, "Shift+Home"}});
        user.key(k, m);
        keys << name;
    }
    for (int n = user.dice.weighted({6, 2, 1}) + 1; n > 0; --n) {
        const auto [k, m, name] = user.dice.pick<std::tuple<Qt::Key, Qt::KeyboardModifiers, const char*>>(
            {{Qt::Key_Backspace, Qt::NoModifier, "Backspace"},
             {Qt::Key_Backspace, Qt::NoModifier, "Backspace"},
             {Qt::Key_Delete, Qt::NoModifier, "Delete"},
             {Qt::Key_Delete, Qt::NoModifier, "Delete"},
             {Qt::Key_Backspace, Qt::ControlModifier, "Ctrl+Backspace"},
             {Qt::Key_X, Qt::ControlModifier, "Ctrl+X"},
             {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"},
             {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "Ctrl+Shift+Z"}});
        user.key(k, m);
        keys << name;
    }
    user.action = QStringLiteral("%1 in %2 (was %3, cursor %4)")
                      .arg(keys.join(' '), edit->objectName(), Shown(before))
                      .arg(cursor);
    user.count(QStringLiteral("calculator: delete"));
}

void Paste(RandomUser& user) {
    const QString text = user.localised(RandomClipboardText(user.dice));
    user.begin(QStringLiteral("paste %1").arg(Shown(text)));
    QApplication::clipboard()->setText(text);
    QLineEdit* edit = user.focusEnteredBox();
    user.action += " into " + edit->objectName();
    if (user.dice.chance(0.4)) user.key(Qt::Key_A, Qt::ControlModifier);
    if (user.dice.chance(0.8))
        user.key(Qt::Key_V, Qt::ControlModifier);
    else
        user.key(Qt::Key_Insert, Qt::ShiftModifier);
    user.count(QStringLiteral("calculator: paste"));
}

void Retype(RandomUser& user) {
    const QString text = user.localised(RandomNumberText(user.dice));
    user.begin(QStringLiteral("retype %1").arg(Shown(text)));
    QLineEdit* edit = user.focusEnteredBox();
    user.action += QStringLiteral(" in %1 (was %2)").arg(edit->objectName(), Shown(edit->text()));
    if (user.dice.chance(0.8)) {
        user.key(Qt::Key_A, Qt::ControlModifier);
    } else {
        user.key(Qt::Key_End);
        user.key(Qt::Key_Home, Qt::ShiftModifier);
    }
    if (text.isEmpty()) user.key(user.dice.pick({Qt::Key_Delete, Qt::Key_Backspace}));
    for (QChar c : text) user.typeCharacter(c);
    user.count(QStringLiteral("calculator: retype"));
}

// Every entered box retyped with a plain number, Tab from box to box, as
// someone does who knows the dimensions.
void FillInDimensions(RandomUser& user) {
    const ShapeEntry* shape = FindShape(user.expected.shape);
    QStringList typed;
    for (std::size_t i = 0; i < shape->entered.size(); ++i)
        typed << (user.dice.chance(0.8) ? QString::number(user.dice.between(1, 200))
                                        : user.localised(QString::number(user.dice.between(1, 99)) + '.' +
                                                             QString::number(user.dice.between(1, 9)),
                                                         1.0));
    user.begin(QStringLiteral("fill in %1").arg(typed.join(' ')));
    for (std::size_t i = 0; i < shape->entered.size(); ++i) {
        QLineEdit* edit = user.box(shape->entered[i].slot);
        if (i == 0 || QApplication::focusWidget() != edit) user.clickAt(edit, QPoint(4, edit->height() / 2));
        user.key(Qt::Key_A, Qt::ControlModifier);
        for (QChar c : typed[static_cast<qsizetype>(i)]) user.typeCharacter(c);
        if (i + 1 < shape->entered.size()) user.key(Qt::Key_Tab);
    }
    user.count(QStringLiteral("calculator: dimensions filled in"));
}

void CommitJapanese(RandomUser& user) {
    const QString text = RandomJapaneseText(user.dice);
    user.begin(QStringLiteral("input method commits %1").arg(Shown(text)));
    QLineEdit* edit = user.focusEnteredBox();
    user.action += " into " + edit->objectName();
    QWidget* target = QApplication::focusWidget();
    if (!target) {
        user.problem(QStringLiteral("the clicked box has no focus"));
        return;
    }
    QInputMethodEvent composing(text.left(1), {});
    QCoreApplication::sendEvent(target, &composing);
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QCoreApplication::sendEvent(target, &commit);
    user.count(QStringLiteral("calculator: input method"));
}

void TickOption(RandomUser& user) {
    const QString name = OptionName(*FindShape(user.expected.shape));
    if (name.isEmpty()) return TypeCharacters(user);
    auto* option = static_cast<QCheckBox*>(user.control(name));
    if (user.dice.chance(0.7)) {
        user.begin(QStringLiteral("click %1 (%2)").arg(name, option->isChecked() ? "ticked" : "unticked"));
        user.clickAt(option, QPoint(6, option->height() / 2));
    } else {
        user.begin(QStringLiteral("Space on %1 (%2)").arg(name, option->isChecked() ? "ticked" : "unticked"));
        option->setFocus(Qt::TabFocusReason);
        user.key(Qt::Key_Space);
    }
    user.count(QStringLiteral("calculator: option"));
}

// A pick in the open list is one selection of that item, with its text.
void CheckPicked(RandomUser& user, const QComboBox& list, int item) {
    if (user.activations.size() != 1 || user.activations.front().index != item ||
        user.activations.front().text != list.itemText(item))
        user.problem(QStringLiteral("picking item %1 did not select it (%2 selections)")
                         .arg(item)
                         .arg(user.activations.size()));
}

void PickUnitWithMouse(RandomUser& user) {
    auto* list = static_cast<QComboBox*>(user.control("cmb1"));
    const int item = user.dice.below(list->count());
    user.begin(QStringLiteral("pick %1 in the unit list with the mouse").arg(list->itemText(item)));
    user.unitForbidden = false;
    user.clickAt(list, QPoint(list->width() - 8, list->height() / 2));  // the arrow
    QAbstractItemView* view = list->view();
    if (!view->isVisible()) {
        user.problem(QStringLiteral("a click on the arrow did not open the unit list"));
        return;
    }
    // Move onto the item, then click it.
    const QPoint spot = view->visualRect(list->model()->index(item, 0)).center();
    QWidget* popup = view->window();
    QTest::mouseMove(popup->windowHandle(), view->viewport()->mapTo(popup, spot));
    user.clickAt(view->viewport(), spot);
    if (view->isVisible()) user.problem(QStringLiteral("the unit list stayed open after a pick"));
    CheckPicked(user, *list, item);
    user.count(QStringLiteral("unit: picked with the mouse"));
}

void PickUnitWithKeyboard(RandomUser& user) {
    auto* list = static_cast<QComboBox*>(user.control("cmb1"));
    user.begin(QStringLiteral("open the unit list with the keyboard"));
    user.clickAt(list, QPoint(6, list->height() / 2));  // into the text: the list takes the focus
    if (user.dice.chance(0.5))
        user.key(Qt::Key_F4);
    else
        user.key(Qt::Key_Down, Qt::AltModifier);
    QAbstractItemView* view = list->view();
    if (!view->isVisible()) {
        user.problem(QStringLiteral("the keyboard did not open the unit list"));
        return;
    }
    QStringList keys;
    for (int n = user.dice.between(0, 4); n > 0; --n) {
        const Qt::Key k = user.dice.pick({Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_End, Qt::Key_Home});
        QTest::keyClick(view->window()->windowHandle(), k);
        keys << QKeySequence(k).toString();
    }
    const int item = view->currentIndex().row();
    user.action += QStringLiteral(", %1, Return on %2").arg(keys.join(' '), list->itemText(item));
    QTest::keyClick(view->window()->windowHandle(), Qt::Key_Return);
    if (view->isVisible()) user.problem(QStringLiteral("the unit list stayed open after Return"));
    CheckPicked(user, *list, item);
    user.count(QStringLiteral("unit: picked with the keyboard"));
}

void StepUnitWithoutList(RandomUser& user) {
    auto* list = static_cast<QComboBox*>(user.control("cmb1"));
    const auto [k, name] = user.dice.pick<std::pair<Qt::Key, const char*>>({{Qt::Key_Up, "Up"},
                                                                            {Qt::Key_Down, "Down"},
                                                                            {Qt::Key_PageUp, "PageUp"},
                                                                            {Qt::Key_PageDown, "PageDown"}});
    user.begin(QStringLiteral("%1 in the unit list (at %2)").arg(name, Shown(list->currentText())));
    user.clickAt(list, QPoint(6, list->height() / 2));
    user.key(k);
    user.count(QStringLiteral("unit: stepped"));
}

void OpenUnitListAndCancel(RandomUser& user) {
    auto* list = static_cast<QComboBox*>(user.control("cmb1"));
    user.begin(QStringLiteral("open the unit list and close it with Escape"));
    user.unitForbidden = true;
    user.clickAt(list, QPoint(6, list->height() / 2));
    user.key(Qt::Key_F4);
    QAbstractItemView* view = list->view();
    if (!view->isVisible()) {
        user.problem(QStringLiteral("F4 did not open the unit list"));
        return;
    }
    QTest::keyClick(view->window()->windowHandle(), Qt::Key_Down);
    QTest::keyClick(view->window()->windowHandle(), Qt::Key_Escape);
    if (view->isVisible()) user.problem(QStringLiteral("Escape did not close the unit list"));
    user.count(QStringLiteral("unit: list cancelled"));
}

void TypeIntoUnitList(RandomUser& user) {
    auto* list = static_cast<QComboBox*>(user.control("cmb1"));
    // Sometimes exactly a list text: typing it still selects nothing.
    const QString typed = user.dice.chance(0.3)
                              ? list->itemText(user.dice.below(list->count()))
                              : QString(RandomCharacter(user.dice)) + RandomCharacter(user.dice);
    user.begin(
        QStringLiteral("type %1 into the unit list (was %2)").arg(Shown(typed), Shown(list->currentText())));
    user.unitForbidden = true;
    user.clickAt(list, QPoint(user.dice.between(3, list->width() / 2), list->height() / 2));
    if (user.dice.chance(0.5)) user.key(Qt::Key_A, Qt::ControlModifier);
    if (user.dice.chance(0.3)) user.key(Qt::Key_Backspace);
    for (QChar c : typed) user.typeCharacter(c);
    user.count(QStringLiteral("unit: typed"));
}

// The mouse wheel over the closed list steps through the units.
void ScrollUnitList(RandomUser& user) {
    auto* list = static_cast<QComboBox*>(user.control("cmb1"));
    const bool up = user.dice.chance(0.5);
    user.begin(QStringLiteral("wheel %1 over the unit list (at %2)")
                   .arg(up ? "up" : "down", Shown(list->currentText())));
    const QPointF inside(list->width() / 2.0, list->height() / 2.0);
    QWheelEvent wheel(inside, list->mapToGlobal(inside), QPoint(), QPoint(0, up ? 120 : -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(list, &wheel);
    user.count(QStringLiteral("unit: wheel"));
}

// The text box's own menu (right click): undo, cut, copy, paste, delete,
// select all, or nothing (Escape).
void UseContextMenu(RandomUser& user) {
    user.begin(QStringLiteral("right click"));
    QLineEdit* edit = user.focusEnteredBox();
    const QString clipboard = user.localised(RandomClipboardText(user.dice));
    if (user.dice.chance(0.5)) QApplication::clipboard()->setText(clipboard);
    user.action +=
        QStringLiteral(" in %1 (%2, clipboard %3)")
            .arg(edit->objectName(), Shown(edit->text()), Shown(QApplication::clipboard()->text()));
    bool menuSeen = false;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) {  // not yet: look again
            timer.start(0);
            return;
        }
        menuSeen = true;
        QList<QAction*> usable;
        for (QAction* item : menu->actions())
            if (item->isEnabled() && !item->isSeparator() && item->isVisible()) usable.append(item);
        const int chosen = user.dice.below(static_cast<int>(usable.size()) + 1);
        if (chosen == usable.size()) {
            user.action += ", Escape";
            QTest::keyClick(menu->windowHandle(), Qt::Key_Escape);
        } else {
            // Walk to the item with the arrow keys and take it with Return.
            user.action += ", " + usable[chosen]->text().remove('&');
            if (user.verbose) qInfo("  %s", qUtf8Printable(user.action));
            for (int guard = 0; menu->activeAction() != usable[chosen] && guard < 20; ++guard)
                QTest::keyClick(menu->windowHandle(), Qt::Key_Down);
            QTest::keyClick(menu->windowHandle(), user.dice.pick({Qt::Key_Return, Qt::Key_Enter}),
                            user.dice.chance(0.5) ? Qt::NoModifier : Qt::KeypadModifier);
        }
        if (QApplication::activePopupWidget() == menu) {
            user.problem(QStringLiteral("the menu stayed open"));
            menu->close();
        }
    });
    timer.start(0);
    QWidget* window = edit->window();
    QTest::mouseClick(
        window->windowHandle(), Qt::RightButton, {},
        edit->mapTo(window, QPoint(user.dice.between(2, edit->width() - 3), edit->height() / 2)));
    timer.stop();
    if (!menuSeen) user.problem(QStringLiteral("no menu opened"));
    user.count(QStringLiteral("calculator: context menu"));
}

// Double clicks on controls belong to them: captions, greyed boxes, the
// drawing's frame, the boxes, the option, the unit list. None is the window's
// background, and none opens anything.
void DoubleClickControl(RandomUser& user) {
    Form2* form = user.calculator();
    QList<QWidget*> targets;
    for (QWidget* child : form->findChildren<QWidget*>()) {
        const QString name = child->objectName();
        if (!child->isVisible()) continue;
        if ((name.startsWith("lbl") || name.startsWith("txt") || name.startsWith("chk") || name == "cmb1"))
            targets.append(child);
    }
    targets.append(user.control("Frame1"));
    QWidget* target = targets[user.dice.below(static_cast<int>(targets.size()))];
    const QPoint spot = target->objectName() == "Frame1"   ? QPoint(4, target->height() - 4)
                        : qobject_cast<QCheckBox*>(target) ? QPoint(6, target->height() / 2)
                                                           : target->rect().center();
    user.begin(QStringLiteral("double click %1%2")
                   .arg(target->objectName(), target->isEnabled() ? "" : " (greyed)"));
    user.unitForbidden = true;
    if (WhileModal([&] { user.doubleClickAt(target, spot); }, [](QWidget*) {}))
        user.problem(QStringLiteral("a double click on %1 opened a window").arg(target->objectName()));
    user.count(QStringLiteral("calculator: control double clicked"));
}

// Space anywhere, or Return and Enter on a button: the focused control acts.
void PressKeyOnFocus(RandomUser& user, Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* focus = QApplication::focusWidget();
    const QString name = focus ? focus->objectName() : QString();
    if (name == "oc2") return OpenInformation(user, user.calculator(), k, modifiers);
    user.begin(QStringLiteral("%1 (focus on %2)").arg(QKeySequence(k).toString(), Name(focus)));
    if (name == "cmd1") {
        user.expectAns();
    } else if (name == "oc3") {
        user.expectedEnds = 1;  // Exit: the fake platform records the request and goes on
    } else if (qobject_cast<QComboBox*>(focus) ||
               (focus && qobject_cast<QComboBox*>(focus->parentWidget()))) {
        user.unitForbidden = true;
    }
    user.key(k, modifiers);
    user.count(QStringLiteral("calculator: Space"));
}

void PressSpace(RandomUser& user) { PressKeyOnFocus(user, Qt::Key_Space); }

void PressAns(RandomUser& user) {
    const int way = user.dice.weighted({5, 3, 1, 1});
    // Return and Enter press a focused Info or Exit, not Ans.
    if (way == 1 && FocusOnInfoOrExit(user)) return PressKeyOnFocus(user, Qt::Key_Return);
    if (way == 2 && FocusOnInfoOrExit(user)) return PressKeyOnFocus(user, Qt::Key_Enter, Qt::KeypadModifier);
    switch (way) {
        case 0:
            user.begin(QStringLiteral("click Ans"));
            user.expectAns();
            user.clickAt(user.control("cmd1"), user.control("cmd1")->rect().center());
            break;
        case 1:
            user.begin(QStringLiteral("Return (focus on %1)").arg(Name(QApplication::focusWidget())));
            user.expectAns();
            user.key(Qt::Key_Return);
            break;
        case 2:
            user.begin(QStringLiteral("keypad Enter (focus on %1)").arg(Name(QApplication::focusWidget())));
            user.expectAns();
            user.key(Qt::Key_Enter, Qt::KeypadModifier);
            break;
        default:
            user.begin(QStringLiteral("Space on Ans"));
            user.expectAns();
            user.control("cmd1")->setFocus(Qt::TabFocusReason);
            user.key(Qt::Key_Space);
            break;
    }
}

void MoveFocus(RandomUser& user) {
    const int steps = user.dice.between(1, 4);
    const bool back = user.dice.chance(0.3);
    user.begin(QStringLiteral("%1 ×%2 from %3")
                   .arg(back ? "Shift+Tab" : "Tab")
                   .arg(steps)
                   .arg(Name(QApplication::focusWidget())));
    for (int n = 0; n < steps; ++n)
        user.key(back ? Qt::Key_Backtab : Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier);
    user.action += " to " + Name(QApplication::focusWidget());
    user.count(QStringLiteral("calculator: focus moved"));
}

void OpenFormula(RandomUser& user) {
    Form2* form = user.calculator();
    const std::size_t frameIndex = static_cast<std::size_t>(user.dice.below(4));
    auto* frame = static_cast<QGroupBox*>(user.control(kFrames[frameIndex]));
    // Either the frame itself (border, caption) or one of its labels.
    QList<QWidget*> labels;
    for (QWidget* child : frame->findChildren<QWidget*>()) {
        if (child->isVisible()) labels.append(child);
    }
    const bool onFrame = user.dice.chance(0.75) || labels.isEmpty();
    const int w = frame->width(), h = frame->height();
    QWidget* target = frame;
    QPoint spot;
    if (onFrame) {
        spot = user.dice.pick<QPoint>({{2, h / 2}, {w - 3, h / 2}, {w / 2, h - 3}, {12, 4}});
    } else {
        target = labels[user.dice.below(static_cast<int>(labels.size()))];
        spot = target->rect().center();
    }
    const char* kind = kFormulaKinds[frameIndex];
    user.begin(QStringLiteral("double click %1 of %2")
                   .arg(onFrame ? "the border" : target->objectName(), frame->objectName()));
    const std::string kindBefore = user.module.FormulaKind;
    const bool opened = WhileModal(
        [&] { user.doubleClickAt(target, spot); },
        [&](QWidget* modal) {
            auto* viewer = qobject_cast<Form3*>(modal);
            if (!viewer) {
                user.problem("a modal " + Name(modal) + " opened instead of the viewer");
                return;
            }
            if (viewer->parentWidget() != form)
                user.problem(QStringLiteral("the viewer stands over %1").arg(Name(viewer->parentWidget())));
            if (viewer->windowTitle() != ToQString(FormulaCaption(kind)))
                user.problem(QStringLiteral("the viewer is captioned %1").arg(viewer->windowTitle()));
            const int picture = FormulaPictureIndex(user.expected.shape, kind);
            if (viewer->shownPicture() != picture)
                user.problem(QStringLiteral("the viewer shows picture %1, expected %2")
                                 .arg(viewer->shownPicture())
                                 .arg(picture));
            auto* formula = viewer->findChild<QLabel*>(QStringLiteral("Image1"));
            if (picture >= 0 && formula && user.dice.chance(0.6)) {
                user.action += ", closed by a double click on the formula";
                user.doubleClickAt(formula, QPoint(formula->width() / 2, formula->height() / 2));
                if (viewer->isVisible())
                    user.problem(QStringLiteral("the formula's double click did not close the viewer"));
            } else if (user.dice.chance(0.5)) {
                user.action += ", closed by Escape";
                QTest::keyClick(viewer->windowHandle(), Qt::Key_Escape);
            } else {
                user.action += ", closed by its close box";
                if (!viewer->close()) user.problem(QStringLiteral("the viewer refused to close"));
            }
        });
    if (opened != onFrame)
        user.problem(onFrame ? QStringLiteral("no viewer opened")
                             : QStringLiteral("a double click on a label opened a viewer"));
    if (onFrame && user.module.FormulaKind != kind)
        user.problem(
            QStringLiteral("FormulaKind is %1, expected %2").arg(ToQString(user.module.FormulaKind), kind));
    if (!onFrame && user.module.FormulaKind != kindBefore)
        user.problem(QStringLiteral("FormulaKind changed"));
    user.editsForbidden = true;
    user.unitForbidden = true;
    user.count(onFrame ? QStringLiteral("viewer opened") : QStringLiteral("viewer: label double clicked"));
}

void OpenCalculatorInformation(RandomUser& user) { OpenInformation(user, user.calculator()); }
void DoubleClickCalculatorBackground(RandomUser& user) { DoubleClickBackground(user, user.calculator()); }

}  // namespace

// What a person does in the calculator, and how often, relative to the rest.
std::span<const Action> CalculatorActions() {
    static constexpr Action kActions[] = {
        {18, TypeCharacters},
        {11, DeleteCharacters},
        {6, Paste},
        {14, Retype},
        {6, FillInDimensions},
        {2, CommitJapanese},
        {2, UseContextMenu},
        {6, TickOption},
        {4, PickUnitWithMouse},
        {3, PickUnitWithKeyboard},
        {3, StepUnitWithoutList},
        {2, ScrollUnitList},
        {1, OpenUnitListAndCancel},
        {4, TypeIntoUnitList},
        {15, PressAns},
        {2, PressSpace},
        {3, MoveFocus},
        {2, DoubleClickControl},
        {3, OpenFormula},
        {2, UseDetails},
        {1, OpenCalculatorInformation},
        {1, DoubleClickCalculatorBackground},
        {1, BackToSelection},
    };
    return kActions;
}

}  // namespace velmora::ui::testing
