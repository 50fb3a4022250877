// "結果をコピー": the calculator's results, as its frames show them, put on the
// clipboard as text that pastes well into a spreadsheet or a note.
#pragma once

#include <QObject>
#include <QString>
#include <span>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace velmora::ui {

class ResultFrame;

// The texts on show, one line per frame, the cells separated by tabs: the
// symbol, the value and the unit with its exponent; where the frame shows a
// second line, its value and the unit follow.
//   A      28        mm²
//   Z      8         mm³   4   mm³
//   k²     11.7619   mm
QString ResultsText(std::span<ResultFrame* const> frames);

// The result frames' context menu: the copy entry first, then what the
// window adds. A right click on a frame opens it; from the keyboard, Shift+F10 anywhere in the window does,
// and so does the Menu key on a control without a menu of its own (Ans, the check boxes, Info, Exit). The
// text boxes keep their own edit menus.
class ResultCopy final : public QObject {
    Q_OBJECT

public:
    // Serves `frames`, which lie in `window`; belongs to the window.
    ResultCopy(std::span<ResultFrame* const> frames, QWidget* window);

    // Puts ResultsText on the clipboard.
    void copy() const;

    // Adds entries below the copy entry, after a separator.
    void addActions(const QList<QAction*>& actions);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void popupOverResults();  // where the keyboard asks for it

    std::vector<ResultFrame*> frames_;
    QMenu* menu_;
};

}  // namespace velmora::ui
