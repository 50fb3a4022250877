#include "ui/common/default_button.h"

#include <QFocusEvent>
#include <QPushButton>

namespace velmora::ui {

DefaultButton* DefaultButton::install(QPushButton* button) { return new DefaultButton(button); }

DefaultButton::DefaultButton(QPushButton* button) : QObject(button->window()), main_(button) {
    for (QPushButton* each : button->window()->findChildren<QPushButton*>()) {
        buttons_.append(each);
        // A focused default button presses itself on Enter (QPushButton's own
        // key handling); the automatic default of dialogs stays off, since
        // outside a dialog it would drop the window's default on focus out.
        each->setAutoDefault(false);
        each->installEventFilter(this);
    }
    setCurrent(button);
}

void DefaultButton::press() const {
    if (QPushButton* button = current()) button->click();
}

bool DefaultButton::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    auto* button = qobject_cast<QPushButton*>(watched);  // null while it is being destroyed
    if (button && (type == QEvent::FocusIn || type == QEvent::FocusOut) &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
        setCurrent(type == QEvent::FocusIn ? button : qobject_cast<QPushButton*>(main_.data()));
    return QObject::eventFilter(watched, event);
}

void DefaultButton::setCurrent(QPushButton* button) {
    current_ = button;
    for (const QPointer<QWidget>& each : buttons_)
        if (auto* other = qobject_cast<QPushButton*>(each.data())) other->setDefault(other == button);
}

}  // namespace velmora::ui
