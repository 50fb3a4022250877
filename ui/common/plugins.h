// velmora's own plugins: parts loaded on first use, so that the libraries
// they need are not loaded at start-up. They live beside the program in the
// build tree and in velmora's library folder once installed; Qt's library
// paths are searched too.
#pragma once

#include <QObject>
#include <QString>

namespace velmora::ui {

inline constexpr char kSvgRendererPlugin[] = "velmora_svg";
inline constexpr char kPrintPreviewPlugin[] = "velmora_print";

// The root object of the plugin called `name`, loaded on the first call; null
// with Qt's reason in `error` when it cannot be found or loaded.
QObject* LoadPluginObject(const char* name, QString* error);

template <typename Interface>
Interface* LoadPlugin(const char* name, QString* error = nullptr) {
    QString reason;
    Interface* plugin = qobject_cast<Interface*>(LoadPluginObject(name, &reason));
    if (!plugin && reason.isEmpty()) reason = QStringLiteral("%1 is not a plugin of this kind").arg(name);
    if (error) *error = reason;
    return plugin;
}

}  // namespace velmora::ui
