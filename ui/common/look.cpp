#include "ui/common/look.h"

#include <cstddef>

#include <QApplication>
#include <QFileInfo>
#include <QFontDatabase>
#include <QIcon>
#include <QImageReader>
#include <QPalette>
#include <QPixmapCache>
#include <QStyle>
#include <QWidget>

#include "ui/common/pictures.h"
#include "ui/common/twips.h"

namespace velmora::ui {

namespace {

// The key under which QPixmap::load keeps a file it has read in the pixmap
// cache: the path, the file's time and size, and the pixmap type, each number
// written as its bytes in memory order, low hex digit first.
QString PixmapLoadKey(const QFileInfo& file) {
    QString key = QStringLiteral("qt_pixmap") + file.absoluteFilePath();
    const auto appendHex = [&key](auto value) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(&value);
        for (std::size_t i = 0; i < sizeof value; ++i) {
            key += QLatin1Char("0123456789abcdef"[bytes[i] & 0xf]);
            key += QLatin1Char("0123456789abcdef"[bytes[i] >> 4]);
        }
    };
    appendHex(static_cast<uint>(file.lastModified().toSecsSinceEpoch()));
    appendHex(static_cast<quint64>(file.size()));
    appendHex(uint{0});  // a pixmap, not a bitmap
    return key;
}

// The installed Japanese Gothic faces that stand in for kFontFamily, nearest first.
QStringList GothicSubstitutes() {
    return {QStringLiteral("IPAGothic"),        QStringLiteral("IPAexGothic"),
            QStringLiteral("MS Gothic"),        QStringLiteral("Noto Sans Mono CJK JP"),
            QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL Gothic"),
            QStringLiteral("Takao Gothic"),     QStringLiteral("Osaka-Mono")};
}

}  // namespace

const char kFusionGroupBoxFrame[] = ":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png";

// Fusion draws a group box's frame from a small PNG in Qt's resources through
// QPixmap's file loader, which first offers the file to every image-format
// plugin: the first paint of the selection window's frame would load all of
// them (and libjpeg) for it. Read here by the built-in PNG reader alone, the
// frame waits in the pixmap cache under the keys the style looks for (its own
// in newer Qt, the loader's in older), so no plugin is loaded. Should a key
// ever differ, the style reads the file itself as before.
void PreloadStyleImages() {
    if (QApplication::style()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0) return;
    const QFileInfo file(QString::fromLatin1(kFusionGroupBoxFrame));
    QImageReader reader(file.absoluteFilePath(), "png");
    reader.setAutoDetectImageFormat(false);
    const QPixmap frame = QPixmap::fromImageReader(&reader);
    if (frame.isNull()) return;
    QPixmapCache::insert(PixmapLoadKey(file), frame);
    QPixmapCache::insert(QStringLiteral("fusion_groupbox"), frame);
}

void InstallFontSubstitutions() {
    QFont::insertSubstitutions(QString::fromUtf8(kFontFamily), GothicSubstitutes());
}

// Asking for an installed face by its own name spares Qt, for every font a
// window first uses, a search through fontconfig for fallbacks of the missing
// one, script by script: about 1 ms of the selection window's start.
QString GothicFamily() {
    static const QString family = [] {
        const QString wanted = QString::fromUtf8(kFontFamily);
        const QStringList installed = QFontDatabase::families();
        for (const QString& name : QStringList{wanted} + GothicSubstitutes())
            if (installed.contains(name, Qt::CaseInsensitive)) return name;
        return wanted;  // none installed: whatever Qt falls back to
    }();
    return family;
}

QFont GothicFont(double pointSize, bool bold) {
    QFont font(GothicFamily());
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

void ApplyColoursFontAndIcon(QWidget* window) {
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, WindowColour());
    window->setPalette(palette);
    window->setAutoFillBackground(true);
    window->setFont(GothicFont(9));
    window->setWindowIcon(ProgramIcon());
}

void ApplyWindowLook(QWidget* window, const WindowSize& size) {
    ApplyColoursFontAndIcon(window);
    window->setFixedSize(TwipsSize(size.clientWidth, size.clientHeight));
    window->setWindowFlags((window->windowFlags() & ~(Qt::WindowMinMaxButtonsHint)) |
                           Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint);
}

}  // namespace velmora::ui
