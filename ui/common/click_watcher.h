// Clicks and double clicks on plain widgets (picture and text labels), which
// have no such signals of their own.
#pragma once

#include <QObject>

class QWidget;

namespace velmora::ui {

// Reports a left click (press and release on the widget) and a left double
// click the way buttons do: the release that ends a double click is not
// another click. The watched widget keeps its mouse presses to itself, so they
// never reach the window beneath as a click on the background.
class ClickWatcher final : public QObject {
    Q_OBJECT

public:
    // Starts watching `widget`; the watcher belongs to it.
    static ClickWatcher* watch(QWidget* widget);

signals:
    void clicked();
    void doubleClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit ClickWatcher(QWidget* widget);

    QWidget* widget_;
    bool pressed_ = false;
};

}  // namespace velmora::ui
