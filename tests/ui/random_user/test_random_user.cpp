// A random user on the whole program, through the real shell and a scripted
// platform: thousands of actions over every shape, each followed by a check of
// what the windows show.
//
//   VELMORA_RANDOM_SEED     the seed to replay (printed by every run); random when unset
//   VELMORA_RANDOM_ACTIONS  how many actions (default 10000)
//   VELMORA_RANDOM_VERBOSE  1: print every action as it starts and ends
//   VELMORA_RANDOM_MESSAGE_BOXES  real: show the program's own message boxes
//                           and answer them with the mouse and keys; otherwise
//                           the fake platform answers them
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <cstdint>
#include <optional>
#include <random>

#include "core/module1.h"
#include "tests/ui/random_user/random_user.h"
#include "tests/ui/random_user/real_message_boxes.h"
#include "tests/ui/support/fake_platform.h"
#include "tests/ui/support/test_setup.h"
#include "ui/shell/shell.h"

using namespace velmora;
using namespace velmora::ui;
using namespace velmora::ui::testing;

namespace {

constexpr int kDefaultActions = 10000;

// The value of a whole-number environment variable; nullopt when unset,
// and a test failure when it is not a number.
std::optional<std::uint64_t> NumberFromEnvironment(const char* name, bool& valid) {
    valid = true;
    const QByteArray text = qgetenv(name);
    if (text.isEmpty()) return std::nullopt;
    bool ok = false;
    const std::uint64_t value = text.trimmed().toULongLong(&ok);
    valid = ok;
    return value;
}

QtMessageHandler previousHandler = nullptr;

// The offscreen platform says, for every popup and message box, that it cannot
// raise windows or grab the keyboard; thousands of those would crowd out the
// test's own report.
void QuietOffscreenNotices(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support"))) return;
    previousHandler(type, context, message);
}

}  // namespace

class TestRandomUser : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        PrepareUiTest();
        previousHandler = qInstallMessageHandler(QuietOffscreenNotices);
        QApplication::setQuitOnLastWindowClosed(false);  // the fake platform decides when the program ends
    }

    void randomUser() {
        bool valid = true;
        const auto chosenSeed = NumberFromEnvironment("VELMORA_RANDOM_SEED", valid);
        QVERIFY2(valid, "VELMORA_RANDOM_SEED is not a whole number");
        const auto chosenCount = NumberFromEnvironment("VELMORA_RANDOM_ACTIONS", valid);
        QVERIFY2(valid && chosenCount.value_or(1) > 0,
                 "VELMORA_RANDOM_ACTIONS is not a positive whole number");
        std::random_device entropy;
        const std::uint64_t seed = chosenSeed.value_or((std::uint64_t{entropy()} << 32) | entropy());
        const int actions = static_cast<int>(chosenCount.value_or(kDefaultActions));
        qInfo("seed %llu, %d actions; replay with VELMORA_RANDOM_SEED=%llu",
              static_cast<unsigned long long>(seed), actions, static_cast<unsigned long long>(seed));

        Dice dice(seed);
        Module1 module;
        FakePlatform platform;
        RealMessageBoxes realBoxes(platform, dice);
        const bool real = qgetenv("VELMORA_RANDOM_MESSAGE_BOXES") == "real";
        if (real) qInfo("the message boxes are real");
        Shell shell(module, real ? static_cast<Platform&>(realBoxes) : platform);
        shell.start();
        QVERIFY(QTest::qWaitForWindowActive(shell.mainWindow()));

        RandomUser user(shell, module, platform, dice);
        if (real) user.realBoxes = &realBoxes;
        user.verbose = qEnvironmentVariableIntValue("VELMORA_RANDOM_VERBOSE") == 1;
        QElapsedTimer clock;
        clock.start();
        const bool passed = user.run(actions);

        QStringList tally;
        for (auto it = user.tally().begin(); it != user.tally().end(); ++it)
            tally << QStringLiteral("%1 %2").arg(it.value(), 6).arg(it.key());
        qInfo("%d actions in %.1f s\n%s", user.actionsDone(), clock.elapsed() / 1000.0,
              qUtf8Printable(tally.join('\n')));
        if (!passed) {
            QFAIL(
                qUtf8Printable(QStringLiteral("%1\nreplay: VELMORA_RANDOM_SEED=%2 VELMORA_RANDOM_ACTIONS=%3")
                                   .arg(user.failure())
                                   .arg(seed)
                                   .arg(actions)));
        }
        // A run long enough to have reached them must have seen the main outcomes,
        // or the actions no longer do what they are meant to.
        if (user.actionsDone() >= 2000) {
            for (const char* outcome : {"Ans: first line shown", "Ans: input error", "Ans: second line",
                                        "Ans: second Z", "wall not constant", "viewer opened",
                                        "unit: picked with the mouse", "results cleared by an edit"})
                QVERIFY2(user.tally().value(outcome) > 0, outcome);
        }
    }
};

QTEST_MAIN(TestRandomUser)
#include "test_random_user.moc"
