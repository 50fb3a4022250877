// The exit question every window asks on a double click on its background.
#pragma once

class QWidget;

namespace velmora::ui {

class Platform;

// "本当に終了しますか？" with Yes and No; Yes ends the program, No does nothing.
void ConfirmExit(QWidget* parent, Platform& platform);

}  // namespace velmora::ui
