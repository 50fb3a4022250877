// velmora: section properties of 25 beam cross-sections.
#include <QApplication>

#include "core/module1.h"
#include "ui/common/look.h"
#include "ui/common/platform.h"
#include "ui/shell/qt_platform.h"
#include "ui/shell/shell.h"
#include "ui/shell/translations.h"
#include "velmora/version.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(velmora::kProgramName));
    QApplication::setApplicationVersion(QString::fromLatin1(velmora::kVersion));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(velmora::kApplicationId));
    velmora::ui::InstallFontSubstitutions();
    velmora::ui::PreloadStyleImages();
    velmora::ui::InstallTranslations(app);  // without the catalogue Qt's buttons stay English

    velmora::Module1 module;
    velmora::ui::QtPlatform platform;
    velmora::ui::Shell shell(module, platform);
    shell.start();
    return app.exec();
}
