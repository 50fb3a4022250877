// What the UI tests do as a user would, in one place: typing into a text box,
// acting inside a modal window, double clicking a window's background, and
// reading which shape the selection window shows as chosen.
#pragma once

#include <QPoint>
#include <QString>
#include <functional>

class QLineEdit;
class QMenu;
class QWidget;

namespace velmora::ui::testing {

// Replaces the text of a text box as a user does: focus, Ctrl+A, then `keys`
// one key at a time (also characters beyond Latin-1, such as full-width
// digits); an empty `keys` clears it with Delete.
void Retype(QLineEdit* box, const QString& keys);

// The context menu now open, or null.
QMenu* OpenMenu();

// Rests the pointer on `widget` and returns the tooltip that shows ("" for none).
QString HoverTip(QWidget* widget);

// Runs `open`, which is to show a modal window and wait in its event loop, and
// hands that window to `inside` once it is up. Message boxes are passed over:
// whoever scripted them answers them. Whatever is still open when `inside`
// returns is closed (hidden if it refuses), so `open` returns. Returns whether a
// modal window appeared; `inside` is not called when none did.
bool WhileModal(const std::function<void()>& open, const std::function<void(QWidget*)>& inside);

// The same for a modal window of a known class: `inside` gets it only when the
// modal window is one; true only then.
template <typename Window>
bool WhileModal(const std::function<void()>& open, const std::function<void(Window*)>& inside) {
    bool right = false;
    const bool appeared = WhileModal(open, [&](QWidget* modal) {
        if (auto* window = qobject_cast<Window*>(modal)) {
            right = true;
            inside(window);
        }
    });
    return appeared && right;
}

// A point of the window's own background, not covered by any control. A window
// without one is a broken test: the program stops there.
QPoint EmptySpot(const QWidget* window);

// Which shape the selection window shows as chosen: "12", or "" for none. A
// pair showing both its pictures or neither is named too, as "3 (both)" or
// "5 (neither)", so a comparison with the expected choice fails.
QString ShownChoice(const QWidget* selection);

}  // namespace velmora::ui::testing
