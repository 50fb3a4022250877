#include "ui/shell/shell.h"

#include <QEvent>
#include <QWidget>

#include "ui/calculator/form2.h"
#include "ui/common/platform.h"
#include "ui/formula/form3.h"
#include "ui/selection/form1.h"
#include "ui/shell/form4.h"

namespace velmora::ui {

Shell::Shell(Module1& module, Platform& platform) : context_{module, platform, *this} {}

Shell::~Shell() {
    if (mainWindow_) {
        mainWindow_->removeEventFilter(this);
        delete mainWindow_;
    }
}

void Shell::start() { replaceMainWindow<Form1>(); }

void Shell::showCalculator() { replaceMainWindow<Form2>(); }

void Shell::showSelection() { replaceMainWindow<Form1>(); }

void Shell::showFormulaViewer(QWidget* owner) {
    Form3 viewer(context_, owner);
    viewer.exec();
}

void Shell::showInformation(QWidget* owner) {
    Form4 information(context_, owner);
    information.exec();
}

// The new window is built (its load places it) and shown before the old one
// goes, so there is always a window on screen and Qt never sees the last one
// close. The request comes from one of the old window's own handlers, so it is
// hidden now and deleted once that handler has returned.
template <typename Window>
void Shell::replaceMainWindow() {
    QWidget* previous = mainWindow_;
    auto* next = new Window(context_);
    next->setAttribute(Qt::WA_DeleteOnClose);
    next->installEventFilter(this);
    mainWindow_ = next;
    next->show();
    if (previous) {
        previous->removeEventFilter(this);
        previous->hide();
        previous->deleteLater();
    }
}

// The close button of the selection window or the calculator ends the program;
// the window itself is deleted on closing.
bool Shell::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close && watched == mainWindow_) context_.platform.endProgram();
    return false;
}

}  // namespace velmora::ui
