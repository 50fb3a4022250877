#include "ui/calculator/details_placement.h"

#include "ui/details/details_window.h"

namespace velmora::ui {
namespace {

constexpr int kGap = 8;  // pixels between the calculator and its details, as BesidePosition leaves

}  // namespace

PairPlacement PlaceDetails(const QRect& calculator, const QSize& details, const QRect& drawing,
                           const QRect& screen) {
    const bool roomRight = calculator.right() + 1 + kGap + details.width() <= screen.right() + 1;
    const bool roomLeft = calculator.left() - kGap - details.width() >= screen.left();
    if (roomRight || roomLeft)
        return {calculator.topLeft(), QRect(BesidePosition(calculator, details, screen), details)};

    const int pair = calculator.width() + kGap + details.width();
    if (pair <= screen.width()) {
        const QRect moved(QPoint(screen.left() + (screen.width() - pair) / 2, calculator.top()),
                          calculator.size());
        return {moved.topLeft(), QRect(BesidePosition(moved, details, screen), details)};
    }
    return {calculator.topLeft(), drawing.intersected(screen)};
}

}  // namespace velmora::ui
