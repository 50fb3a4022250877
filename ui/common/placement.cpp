#include "ui/common/placement.h"

#include <QWidget>

#include "ui/common/look.h"
#include "ui/common/platform.h"
#include "ui/common/twips.h"

namespace velmora::ui {

void PlaceWindow(QWidget* window, const WindowSize& size, const Platform& platform) {
    const QRect screen = platform.screenGeometry();
    const double left = (ToTwips(screen.width()) - size.outerWidth) / 2;
    const double top = (ToTwips(screen.height()) - size.outerHeight) / 2;
    window->move(screen.x() + Px(left), screen.y() + Px(top));
}

}  // namespace velmora::ui
