#include "tests/ui/random_user/random_user.h"

#include <QApplication>
#include <algorithm>
#include <numeric>
#include <vector>

#include "tests/ui/random_user/real_message_boxes.h"
#include "ui/calculator/form2.h"
#include "ui/selection/form1.h"
#include "ui/shell/shell.h"

namespace velmora::ui::testing {
namespace {

constexpr std::size_t kRecentActions = 25;

}  // namespace

RandomUser::RandomUser(Shell& shell, Module1& module, FakePlatform& platform, Dice& dice)
    : shell(shell), module(module), platform(platform), dice(dice) {}

RandomUser::~RandomUser() = default;

bool RandomUser::run(int count) {
    // Every shape gets its share, in an order of the seed's choosing.
    std::vector<int> shapes(kShapeCount);
    std::iota(shapes.begin(), shapes.end(), 0);
    for (int i = kShapeCount - 1; i > 0; --i) std::swap(shapes[i], shapes[dice.below(i + 1)]);

    for (int i = 0; i < kShapeCount; ++i) {
        const int shape = shapes[static_cast<std::size_t>(i)];
        const int end = actionsDone_ + count / kShapeCount + (i < count % kShapeCount ? 1 : 0);
        if (calculator()) {
            BackToSelection(*this);
            if (!finish()) return false;
        }
        if (!chooseShape(shape)) return false;
        while (actionsDone_ < end) {
            act(CalculatorActions());
            if (!finish()) return false;
            // Going back to the selection is one of the actions; then choose again.
            if (!inCalculator && !chooseShape(shape)) return false;
        }
    }
    return true;
}

bool RandomUser::chooseShape(int shape) {
    // Some wandering first: a look at the information, an early OK, a
    // question to end, other pictures.
    for (int n = dice.weighted({6, 3, 1}); n > 0; --n) {
        act(SelectionActions());
        if (!finish()) return false;
    }
    if (expectedSelection != shape || dice.chance(0.2)) {
        ClickPicture(*this, shape);
        if (!finish()) return false;
    }
    OpenCalculator(*this, shape);
    return finish();
}

void RandomUser::act(std::span<const Action> actions) {
    int total = 0;
    for (const Action& entry : actions) total += entry.weight;
    int roll = dice.below(total);
    for (const Action& entry : actions) {
        if (roll < entry.weight) return entry.act(*this);
        roll -= entry.weight;
    }
}

void RandomUser::begin(const QString& description) {
    action = description;
    if (verbose) qInfo("%d: %s", actionsDone_ + 1, qUtf8Printable(description));
    changes_.clear();
    textChanges_ = 0;
    activations.clear();
    expectedMessages_.clear();
    messagesBefore_ = platform.messages.size();
    expectedEnds = 0;
    endsBefore_ = platform.endCount;
    expectedUrls = 0;
    urlsBefore_ = platform.urls.size();
    editsForbidden = false;
    unitForbidden = false;
    opening = false;
    expectedUnitListText.clear();
    platform.answers.clear();
}

bool RandomUser::finish() {
    // What a real event loop would do next: activation, painting, deletion of
    // the windows let go of.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // The offscreen platform has no window manager: it activates a window when
    // it is shown but activates nothing when one closes (the unit list's popup,
    // the viewer, the information window). Do what a window manager does and
    // hand the activation back to the window that is left.
    if (QWidget* main = shell.mainWindow(); main && QApplication::activeWindow() != main) {
        main->activateWindow();
        QCoreApplication::processEvents();
        count(QStringLiteral("activation handed back"));
    }

    if (inCalculator) {
        Form2* form = calculator();
        if (!form) {
            problem(QStringLiteral("the calculator is not the main window; it is %1")
                        .arg(Name(shell.mainWindow())));
        } else {
            if (form != watched) {
                if (!opening) problem(QStringLiteral("a new calculator window appeared"));
                watchCalculator();
                checkOpenedCalculator();
            }
            checkCalculator();
        }
    } else {
        if (!selection())
            problem(QStringLiteral("the selection window is not the main window; it is %1")
                        .arg(Name(shell.mainWindow())));
        else
            checkSelection();
    }
    if (realBoxes) {
        problems_ += realBoxes->problems;
        realBoxes->problems.clear();
    }
    if (platform.endCount - endsBefore_ != expectedEnds)
        problem(QStringLiteral("the program was asked to end %1 times, expected %2")
                    .arg(platform.endCount - endsBefore_)
                    .arg(expectedEnds));
    if (platform.urls.size() - urlsBefore_ != expectedUrls)
        problem(QStringLiteral("%1 addresses were opened, expected %2")
                    .arg(platform.urls.size() - urlsBefore_)
                    .arg(expectedUrls));

    ++actionsDone_;
    if (verbose) qInfo("%d: done: %s", actionsDone_, qUtf8Printable(action));
    recent_.push_back(QStringLiteral("%1: %2").arg(actionsDone_).arg(action));
    if (recent_.size() > kRecentActions) recent_.pop_front();
    if (problems_.isEmpty()) return true;

    failure_ = QStringLiteral("action %1 (shape %2): %3\n  %4\nthe last actions:\n%5")
                   .arg(actionsDone_)
                   .arg(inCalculator ? expected.shape : module.SelectedShape)
                   .arg(action, problems_.join(QStringLiteral("\n  ")), recentActions());
    return false;
}

QString RandomUser::recentActions() const {
    QStringList lines;
    for (const QString& line : recent_) lines << "  " + line;
    return lines.join('\n');
}

// --- descriptions ------------------------------------------------------------------

QString Shown(const QString& text) {
    QString shown = text.left(24);
    shown.replace('\n', QStringLiteral("\\n"))
        .replace('\r', QStringLiteral("\\r"))
        .replace('\t', QStringLiteral("\\t"));
    return text.size() > 24 ? QStringLiteral("\"%1…\" (%2 characters)").arg(shown).arg(text.size())
                            : '"' + shown + '"';
}

QString Name(const QWidget* widget) {
    return widget ? widget->objectName() + " (" + widget->metaObject()->className() + ")"
                  : QStringLiteral("nothing");
}

std::array<char, kSlotCount> SlotRoles(const ShapeEntry& shape) {
    std::array<char, kSlotCount> roles;
    roles.fill('-');
    for (const InputSlot& input : shape.entered) roles[static_cast<std::size_t>(input.slot - 1)] = 'e';
    for (const InputSlot& input : shape.derived) roles[static_cast<std::size_t>(input.slot - 1)] = 'd';
    return roles;
}

QString OptionName(const ShapeEntry& shape) {
    switch (shape.option) {
        case ThicknessOption::Chk1: return QStringLiteral("chk1");
        case ThicknessOption::Chk2: return QStringLiteral("chk2");
        case ThicknessOption::Chk3: return QStringLiteral("chk3");
        case ThicknessOption::None: break;
    }
    return {};
}

}  // namespace velmora::ui::testing
