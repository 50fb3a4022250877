#include "ui/common/click_watcher.h"

#include <QMouseEvent>
#include <QWidget>
#include <utility>

namespace velmora::ui {

ClickWatcher* ClickWatcher::watch(QWidget* widget) { return new ClickWatcher(widget); }

ClickWatcher::ClickWatcher(QWidget* widget) : QObject(widget), widget_(widget) {
    widget->installEventFilter(this);
}

bool ClickWatcher::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched != widget_ || (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
                               type != QEvent::MouseButtonDblClick))
        return false;

    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton) {
        if (type == QEvent::MouseButtonPress) {
            pressed_ = true;
        } else if (type == QEvent::MouseButtonDblClick) {
            // Qt delivers the second press of a double click as this event, so the
            // release after it finds no press and makes no second click.
            emit doubleClicked();
        } else if (std::exchange(pressed_, false) && widget_->rect().contains(mouse->position().toPoint())) {
            emit clicked();
        }
    }
    return true;  // never passed on to the window beneath
}

}  // namespace velmora::ui
