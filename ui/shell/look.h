// The look every window shares: the peach background, the Japanese Gothic
// font, the program icon, a fixed size, and centring on the screen.
#pragma once

#include <QColor>
#include <QFont>

class QWidget;

namespace velmora::ui {

class Platform;

// RGB(255, 224, 192): windows, frames, labels and check boxes.
inline QColor WindowColour() { return {255, 224, 192}; }

// The family every window asks for; mapped to installed Japanese Gothic faces.
inline constexpr char kFontFamily[] = "ＭＳ ゴシック";

// Registers the Gothic faces that stand in for kFontFamily. Call once at start-up.
void InstallFontSubstitutions();

// "ＭＳ ゴシック" at the given point size.
QFont GothicFont(double pointSize, bool bold = false);

// Background colour, 9 pt font, program icon and a fixed client size (twips);
// no maximise or minimise box.
void ApplyWindowLook(QWidget* window, int clientWidthTwips, int clientHeightTwips);

// Sets the outer size (twips) and centres the window on the platform's screen:
// Left = (screen width − window width) / 2, Top = (screen height − window height) / 2.
void PlaceWindow(QWidget* window, int outerWidthTwips, int outerHeightTwips, const Platform& platform);

}  // namespace velmora::ui
