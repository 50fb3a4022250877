#include "ui/common/plugins.h"

#include <QCoreApplication>
#include <QDir>
#include <QPluginLoader>

namespace velmora::ui {

QObject* LoadPluginObject(const char* name, QString* error) {
    // The installed layout: the plugins' folder relative to the program's.
    static const bool installedPathAdded = [] {
        QCoreApplication::addLibraryPath(QDir(QCoreApplication::applicationDirPath())
                                             .filePath(QStringLiteral(VELMORA_PLUGIN_DIR_FROM_BIN)));
        return true;
    }();
    Q_UNUSED(installedPathAdded);

    // A relative name is looked up in every library path, the program's own
    // folder among them; the loaded library stays, and its instance is shared.
    QPluginLoader loader(QString::fromLatin1(name));
    QObject* instance = loader.instance();
    if (!instance && error) *error = loader.errorString();
    return instance;
}

}  // namespace velmora::ui
