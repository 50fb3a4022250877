// The calculator's context menu, built from the list of entries the calculator
// gives it. A right click anywhere on the window opens it, except in the text
// boxes, which keep their own edit menus; from the keyboard, Shift+F10
// anywhere in the window does, and so does the Menu key on a control without
// a menu of its own (Ans, the check boxes, Info, Exit). An entry's shortcut
// works in the whole window with the menu closed.
#pragma once

#include <QKeySequence>
#include <QObject>
#include <QString>
#include <functional>
#include <span>

class QMenu;
class QWidget;

namespace velmora::ui {

struct MenuEntry {
    QString text;           // "断面性能の詳細…"
    QKeySequence shortcut;  // empty for none
    std::function<void()> run;
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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void popupOverAnchor();

    QWidget* anchor_;
    QMenu* menu_;
};

}  // namespace velmora::ui
