// The default button of a dialog, for a plain window: Enter presses the
// focused push button, and the default one while the focus is anywhere else;
// the button Enter would press is the one drawn as the default.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QPushButton>

namespace velmora::ui {

class DefaultButton final : public QObject {
    Q_OBJECT

public:
    // Makes `button` its window's default; the window's other push buttons
    // take that role over while they hold the focus. Call once the window's
    // buttons exist; the result belongs to the window.
    static DefaultButton* install(QPushButton* button);

    // The button Enter presses now.
    QPushButton* current() const { return qobject_cast<QPushButton*>(current_.data()); }

    // Enter: clicks current().
    void press() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit DefaultButton(QPushButton* button);
    void setCurrent(QPushButton* button);

    // Guarded: the window's children go before this helper when it closes.
    // Held as widgets and cast on use: a button being destroyed still sends
    // its focus-out, after it has stopped being a QPushButton.
    QPointer<QWidget> main_;
    QPointer<QWidget> current_;
    QList<QPointer<QWidget>> buttons_;
};

}  // namespace velmora::ui
