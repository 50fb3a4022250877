// What every window is handed when it is built: the program-wide values, the
// platform seam and the navigator that opens the other windows.
#pragma once

#include "core/module1.h"

class QWidget;

namespace velmora::ui {

class Platform;

// Hand-overs between the windows. The shell implements it; the windows only
// ask. Tests record the requests.
class Navigator {
public:
    virtual ~Navigator() = default;
    virtual void showCalculator() = 0;                   // from Form1: Form2, then unload Form1
    virtual void showSelection() = 0;                    // from Form2: Form1, then unload Form2
    virtual void showFormulaViewer(QWidget* owner) = 0;  // Form3, modal over the calculator
    virtual void showInformation(QWidget* owner) = 0;    // Form4, modal over the owner
};

struct AppContext {
    Module1& module;
    Platform& platform;
    Navigator& navigator;
};

}  // namespace velmora::ui
