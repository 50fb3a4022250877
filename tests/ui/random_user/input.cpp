#include "tests/ui/random_user/random_user.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "ui/calculator/form2.h"
#include "ui/common/text.h"
#include "ui/selection/form1.h"
#include "ui/shell/shell.h"

namespace velmora::ui::testing {

Form1* RandomUser::selection() const { return qobject_cast<Form1*>(shell.mainWindow()); }

Form2* RandomUser::calculator() const { return qobject_cast<Form2*>(shell.mainWindow()); }

QLineEdit* RandomUser::focusEnteredBox() {
    const ShapeEntry* shape = FindShape(expected.shape);
    auto* focused = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (focused && focused->objectName().startsWith("txt") && focused->isEnabled() && dice.chance(0.7))
        return focused;
    const InputSlot& input =
        shape->entered[static_cast<std::size_t>(dice.below(static_cast<int>(shape->entered.size())))];
    QLineEdit* edit = box(input.slot);
    // A click into the box puts the cursor where it lands.
    clickAt(edit, QPoint(dice.between(2, edit->width() - 3), edit->height() / 2));
    return edit;
}

QLineEdit* RandomUser::box(int slot) const {
    return static_cast<QLineEdit*>(control(QStringLiteral("txt%1").arg(slot)));
}

QWidget* RandomUser::control(const QString& name) const {
    QWidget* window = shell.mainWindow();
    QWidget* widget = window ? window->findChild<QWidget*>(name) : nullptr;
    if (!widget) qFatal("no control %s in %s", qPrintable(name), qPrintable(Name(window)));
    return widget;
}

InputTexts RandomUser::screenTexts() const {
    InputTexts texts;
    for (int slot = 1; slot <= kSlotCount; ++slot)
        texts[static_cast<std::size_t>(slot - 1)] = box(slot)->text().toStdString();
    return texts;
}

bool RandomUser::optionTicked() const {
    const QString name = OptionName(*FindShape(expected.shape));
    return !name.isEmpty() && static_cast<QCheckBox*>(control(name))->checkState() == Qt::Checked;
}

// What the calculator reads and writes as the decimal separator.
char RandomUser::separator() const { return DecimalSeparator(); }

// Keys, like the mouse, go through the window that has the keyboard (the open
// popup, the modal window, or the active window), so that Qt delivers them,
// with their shortcuts, to its focus widget as it does for real input.
QWindow* RandomUser::keyboardWindow() const {
    QWidget* window = QApplication::activePopupWidget();
    if (!window) window = QApplication::activeModalWidget();
    if (!window) window = QApplication::activeWindow();
    if (!window) window = shell.mainWindow();
    return window->window()->windowHandle();
}

// Where the locale writes a comma between whole and fraction, people mostly
// type the comma; sometimes the point anyway.
QString RandomUser::localised(QString text, double share) {
    const char point = separator();
    if (point != '.' && dice.chance(share)) text.replace('.', QChar(point));
    return text;
}

void RandomUser::typeCharacter(QChar c) {
    if (!QApplication::focusWidget()) {
        problem(QStringLiteral("no widget has the focus to type %1 into").arg(c));
        return;
    }
    if (c.unicode() >= 0x20 && c.unicode() < 0x7F)
        QTest::keyClick(keyboardWindow(), static_cast<char>(c.unicode()));
    else
        QTest::sendKeyEvent(QTest::Click, keyboardWindow(), Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void RandomUser::key(Qt::Key k, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(keyboardWindow(), k, modifiers);
}

// Mouse input goes through the window, so that Qt finds the widget under the
// pointer and passes the event on as it does for real input.
void RandomUser::clickAt(QWidget* widget, QPoint local) {
    QWidget* window = widget->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, widget->mapTo(window, local));
}

void RandomUser::doubleClickAt(QWidget* widget, QPoint local) {
    QWidget* window = widget->window();
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, widget->mapTo(window, local));
}

MessageAnswer RandomUser::answerNextMessage(MessageButtons buttons) {
    // No scripted answer is the box closed by its close button.
    switch (buttons) {
        case MessageButtons::OkCancel: {
            const int choice = dice.weighted({6, 3, 1});
            if (choice == 0) platform.answer(MessageAnswer::Ok);
            if (choice == 1) platform.answer(MessageAnswer::Cancel);
            return choice == 0 ? MessageAnswer::Ok : MessageAnswer::Cancel;
        }
        case MessageButtons::YesNo: {
            const int choice = dice.weighted({3, 5, 2});
            if (choice == 0) platform.answer(MessageAnswer::Yes);
            if (choice == 1) platform.answer(MessageAnswer::No);
            return choice == 0 ? MessageAnswer::Yes : MessageAnswer::No;
        }
        case MessageButtons::Ok: break;
    }
    return MessageAnswer::Ok;
}

}  // namespace velmora::ui::testing
