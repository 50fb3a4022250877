// Layout is designed in twips (1/1440 inch); at 96 dpi 15 twips make one
// logical pixel. Every position and size goes through these helpers.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <cmath>

namespace velmora::ui {

inline constexpr double kTwipsPerPixel = 15.0;

// Twips to logical pixels, rounded to the nearest pixel (halves away from zero).
inline int Px(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }

inline QSize TwipsSize(double width, double height) { return {Px(width), Px(height)}; }

inline QRect TwipsRect(double left, double top, double width, double height) {
    return {Px(left), Px(top), Px(width), Px(height)};
}

inline double ToTwips(int pixels) { return pixels * kTwipsPerPixel; }

}  // namespace velmora::ui
