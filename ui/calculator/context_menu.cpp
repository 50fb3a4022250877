#include "ui/calculator/context_menu.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QShortcut>
#include <QWidget>

namespace velmora::ui {

ContextMenu::ContextMenu(QWidget* window, QWidget* anchor, std::span<const MenuEntry> entries)
    : QObject(window), anchor_(anchor), menu_(new QMenu(window)) {
    addEntries(menu_, window, entries);
    auto* shortcut = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), window);
    connect(shortcut, &QShortcut::activated, this, &ContextMenu::requestFromFocus);
    // The requests of the controls without a menu of their own reach the window.
    window->installEventFilter(this);
}

void ContextMenu::addEntries(QMenu* menu, QWidget* window, std::span<const MenuEntry> entries) {
    for (const MenuEntry& entry : entries) {
        if (!entry.submenu.empty()) {
            addEntries(menu->addMenu(entry.text), window, entry.submenu);
            continue;
        }
        QAction* action = menu->addAction(entry.text);
        action->setShortcut(entry.shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, entry.run);
        if (entry.shortcut.isEmpty()) continue;
        window->addAction(action);  // the shortcut works with the menu closed
        shortcutActions_ << action;
    }
}

QAction* ContextMenu::action(const QString& text) const {
    for (QAction* action : menu_->actions())
        if (action->text() == text) return action;
    return nullptr;
}

QString ContextMenu::summary() const {
    QStringList lines{QStringLiteral("右クリックまたは Shift+F10 でメニュー:")};
    for (const QAction* action : menu_->actions()) {
        const QString keys = action->shortcut().toString(QKeySequence::NativeText);
        lines << QStringLiteral("  ") + action->text() +
                     (keys.isEmpty() ? QString() : QStringLiteral("  ") + keys);
    }
    return lines.join(QLatin1Char('\n'));
}

bool ContextMenu::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ContextMenu) return QObject::eventFilter(watched, event);
    const auto* request = static_cast<QContextMenuEvent*>(event);
    if (request->reason() == QContextMenuEvent::Keyboard)
        popupOverAnchor();
    else
        menu_->popup(request->globalPos());
    return true;
}

void ContextMenu::requestFromFocus() {
    QWidget* focus = static_cast<QWidget*>(parent())->focusWidget();
    if (!focus) return popupOverAnchor();
    // At the text cursor in a text box, else mid-control, as for the Menu key.
    const QRect cursor = focus->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const QPoint at = cursor.isValid() ? cursor.bottomLeft() : focus->rect().center();
    QContextMenuEvent request(QContextMenuEvent::Keyboard, at, focus->mapToGlobal(at));
    QApplication::sendEvent(focus, &request);
}

void ContextMenu::popupOverAnchor() { menu_->popup(anchor_->mapToGlobal(anchor_->rect().center())); }

}  // namespace velmora::ui
