// The look every window shares: the peach background, the Japanese Gothic
// font, the program icon and a fixed size.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QWidget;

namespace velmora::ui {

// RGB(255, 224, 192): windows, frames, labels and check boxes.
inline QColor WindowColour() { return {255, 224, 192}; }

// The family every window's font is; installed Japanese Gothic faces stand in
// for it where it is missing.
inline constexpr char kFontFamily[] = "ＭＳ ゴシック";

// Registers the Gothic faces that stand in for kFontFamily. Call once at start-up.
void InstallFontSubstitutions();

// The face the windows ask for: kFontFamily where it is installed, else the
// first installed face that stands in for it (kFontFamily when none is).
QString GothicFamily();

// Reads the style's own images the first window paints, without loading
// image-format plugins. Call once, after the application is made.
void PreloadStyleImages();

// The frame image Fusion draws group boxes with.
extern const char kFusionGroupBoxFrame[];

// The Gothic face (GothicFamily) at the given point size.
QFont GothicFont(double pointSize, bool bold = false);

// A window's client area and its outer size (title bar and borders included), in twips.
struct WindowSize {
    int clientWidth;
    int clientHeight;
    int outerWidth;
    int outerHeight;
};

// The four windows, side by side.
inline constexpr WindowSize kSelectionWindowSize{5430, 4950, 5520, 5325};    // Form1
inline constexpr WindowSize kCalculatorWindowSize{9345, 8370, 9435, 8745};   // Form2
inline constexpr WindowSize kFormulaWindowSize{7905, 2475, 7995, 2850};      // Form3
inline constexpr WindowSize kInformationWindowSize{5355, 2310, 5445, 2685};  // Form4

// Background colour, 9 pt font and program icon: what every window and dialog
// of the program shares.
void ApplyColoursFontAndIcon(QWidget* window);

// ApplyColoursFontAndIcon, and the fixed client size; no maximise or minimise box.
void ApplyWindowLook(QWidget* window, const WindowSize& size);

}  // namespace velmora::ui
