#include "tests/ui/support/test_setup.h"

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QtGlobal>

#include "ui/common/look.h"

namespace velmora::ui::testing {
namespace {

// Runs before main(), so before Qt reads any of it.
void PinSurroundings() {
    // Offscreen, unless a test that needs a real display names its platform.
    qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("VELMORA_TEST_PLATFORM")
                                   ? QByteArray("offscreen")
                                   : qgetenv("VELMORA_TEST_PLATFORM"));
    const QByteArray locale = qEnvironmentVariableIsEmpty("VELMORA_TEST_LOCALE")
                                  ? QByteArray("C.UTF-8")
                                  : qgetenv("VELMORA_TEST_LOCALE");
    qputenv("LC_ALL", locale);
    qputenv("LANG", locale);
    QLocale::setDefault(QLocale(QString::fromLatin1(locale)));
    // velmora's plugins, built beside the program rather than beside the tests.
    const QByteArray plugins = qgetenv("QT_PLUGIN_PATH");
    qputenv("QT_PLUGIN_PATH", plugins.isEmpty() ? QByteArray(VELMORA_PLUGIN_BUILD_DIR)
                                                : QByteArray(VELMORA_PLUGIN_BUILD_DIR) + ':' + plugins);
    // The offscreen platform's notices about raising windows and grabbing keys.
    if (!qEnvironmentVariableIsSet("QT_LOGGING_RULES")) qputenv("QT_LOGGING_RULES", "qt.qpa.*=false");
}

}  // namespace

Q_CONSTRUCTOR_FUNCTION(PinSurroundings)

void PrepareUiTest() {
    static bool done = false;
    if (done) return;
    done = true;
    InstallFontSubstitutions();
}

}  // namespace velmora::ui::testing
