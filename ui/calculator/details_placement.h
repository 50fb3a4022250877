// Where the calculator and its details window stand once the details open.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace velmora::ui {

struct PairPlacement {
    QPoint calculator;  // the calculator's outer top-left corner
    QRect details;      // the details window's outer frame
};

// `calculator` is the calculator's outer frame, `details` the outer size the
// details window would like, `drawing` the calculator's drawing frame in
// screen coordinates. Where the screen has room beside the calculator, the
// calculator stays and the details go beside it. Where it has room on neither
// side but the two fit side by side, the calculator moves so that the pair is
// centred on the screen together. Where not even that fits, the details window
// takes the place of the drawing, so that it covers none of the inputs,
// results or buttons.
PairPlacement PlaceDetails(const QRect& calculator, const QSize& details, const QRect& drawing,
                           const QRect& screen);

}  // namespace velmora::ui
