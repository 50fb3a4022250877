// The program's windows and the hand-overs between them. Exactly one of the
// selection window and the calculator exists at a time, built afresh each time
// it is shown; the formula viewer and the information window stand modally
// over the window that asked for them.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "ui/common/context.h"

namespace velmora::ui {

class Shell final : public QObject, public Navigator {
    Q_OBJECT

public:
    Shell(Module1& module, Platform& platform);
    ~Shell() override;

    // Shows the selection window; the start of every run.
    void start();

    // The selection window or the calculator, whichever is shown.
    QWidget* mainWindow() const { return mainWindow_; }

    void showCalculator() override;
    void showSelection() override;
    void showFormulaViewer(QWidget* owner) override;
    void showInformation(QWidget* owner) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    template <typename Window>
    void replaceMainWindow();

    AppContext context_;
    QPointer<QWidget> mainWindow_;
};

}  // namespace velmora::ui
