// The calculator's context menu, built from the list of entries the calculator
// gives it. A right click anywhere on the window opens it, except in the text
// boxes, which keep their own edit menus; from the keyboard, the Menu key or
// Shift+F10 on a control without a menu of its own (Ans, the check boxes,
// Info, Exit) does. In a text box both keys open the box's own edit menu, as a
// right click there does. An entry's shortcut
// works in the whole window with the menu closed.
#pragma once

#include <QKeySequence>
#include <QObject>
#include <QString>
#include <functional>
#include <span>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace velmora::ui {

struct MenuEntry {
    QString text;           // "断面性能の詳細…"
    QKeySequence shortcut;  // empty for none
    std::function<void()> run;
    std::vector<MenuEntry> submenu{};  // an entry with these opens a submenu and runs nothing itself
};

class ContextMenu final : public QObject {
    Q_OBJECT

public:
    // Serves `window` and belongs to it; opened over `anchor` when the
    // keyboard asks for it.
    ContextMenu(QWidget* window, QWidget* anchor, std::span<const MenuEntry> entries);

    // How to reach the menu and its entries with their shortcuts, one a line:
    // the tooltip that makes the menu known.
    QString summary() const;

    // The top-level entry with that text (to grey it), or nullptr.
    QAction* action(const QString& text) const;

    // The entries with a shortcut, so that another window of the same
    // calculator can offer the same keys.
    QList<QAction*> shortcutActions() const { return shortcutActions_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void popupOverAnchor();
    void requestFromFocus();  // Shift+F10: the Menu key's request, to the focused control

    void addEntries(QMenu* menu, QWidget* window, std::span<const MenuEntry> entries);

    QWidget* anchor_;
    QMenu* menu_;
    QList<QAction*> shortcutActions_;
};

}  // namespace velmora::ui
