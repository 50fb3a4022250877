#include "ui/common/look.h"

#include <QIcon>
#include <QPalette>
#include <QWidget>

#include "ui/common/pictures.h"
#include "ui/common/twips.h"

namespace velmora::ui {

void InstallFontSubstitutions() {
    QFont::insertSubstitutions(
        QString::fromUtf8(kFontFamily),
        {QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic"), QStringLiteral("MS Gothic"),
         QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("Noto Sans CJK JP"),
         QStringLiteral("VL Gothic"), QStringLiteral("Takao Gothic"), QStringLiteral("Osaka-Mono")});
}

QFont GothicFont(double pointSize, bool bold) {
    QFont font(QString::fromUtf8(kFontFamily));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

void ApplyWindowLook(QWidget* window, const WindowSize& size) {
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, WindowColour());
    window->setPalette(palette);
    window->setAutoFillBackground(true);
    window->setFont(GothicFont(9));
    window->setWindowIcon(ProgramIcon());
    window->setFixedSize(TwipsSize(size.clientWidth, size.clientHeight));
    window->setWindowFlags((window->windowFlags() & ~(Qt::WindowMinMaxButtonsHint)) |
                           Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint);
}

}  // namespace velmora::ui
