// Where a window opens: centred on the platform's screen.
#pragma once

class QWidget;

namespace velmora::ui {

class Platform;
struct WindowSize;

// Centres the window on the platform's screen by its outer size:
// Left = (screen width − window width) / 2, Top = (screen height − window height) / 2.
void PlaceWindow(QWidget* window, const WindowSize& size, const Platform& platform);

}  // namespace velmora::ui
