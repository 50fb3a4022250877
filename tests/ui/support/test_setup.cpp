#include "tests/ui/support/test_setup.h"

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QtGlobal>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

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

// Whether a thread of Qt's global pool is still in this process.
bool PoolThreadsRemain() {
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task", error)) {
        std::ifstream name(task.path() / "comm");
        std::string comm;
        if (std::getline(name, comm) && comm.starts_with("Thread (pooled)")) return true;
    }
    return false;
}

// Qt's raster engine splits large fills (the group boxes' frames) over its
// global thread pool. When the pool goes at exit it waits for its threads
// with QThread::wait(), which returns before a thread has freed its thread
// data; on a busy machine the process could end first, and LeakSanitizer
// would report that data. This runs after the pool is gone (the pool is made
// later than this is registered, so it is destroyed earlier) and waits until
// its threads have really ended.
void AwaitPoolThreads() {
    for (int waited = 0; PoolThreadsRemain() && waited < 5000; ++waited)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

}  // namespace

Q_CONSTRUCTOR_FUNCTION(PinSurroundings)
Q_DESTRUCTOR_FUNCTION(AwaitPoolThreads)

void PrepareUiTest() {
    static bool done = false;
    if (done) return;
    done = true;
    InstallFontSubstitutions();
}

}  // namespace velmora::ui::testing
