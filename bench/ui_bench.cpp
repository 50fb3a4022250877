// How long the windows take to build and show, and how long one action takes
// through a window, painting included. Every one should end well inside one
// frame at 60 Hz (16.7 ms). Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPixmapCache>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>
#include <memory>
#include <utility>
#include <vector>

#include "core/ans.h"
#include "core/formula_pictures.h"
#include "core/module1.h"
#include "core/numtext.h"
#include "tests/ui/support/recording_navigator.h"
#include "ui/calculator/form2.h"
#include "ui/common/context.h"
#include "ui/common/look.h"
#include "ui/common/platform.h"
#include "ui/details/details_window.h"
#include "ui/details/torsion_computation.h"
#include "ui/formula/form3.h"
#include "ui/selection/form1.h"
#include "ui/sheet/sheet_content.h"
#include "ui/sheet/sheet_output.h"
#include "ui/shell/form4.h"
#include "ui/shell/qt_platform.h"

using namespace velmora;
using namespace velmora::ui;

namespace {

struct Program {
    Module1 module;
    QtPlatform platform;
    testing::RecordingNavigator navigator;  // the windows on their own: hand-overs are not followed
    AppContext context{module, platform, navigator};
};

// Lets Qt expose, lay out and paint what is pending, and delete what was let go.
void Settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Builds a window, shows it and lets it paint; the closing is not timed.
template <typename Window>
void OpenWindows(benchmark::State& state, Program& program) {
    for (auto _ : state) {
        auto window = std::make_unique<Window>(program.context);
        window->show();
        Settle();
        state.PauseTiming();
        window.reset();
        Settle();
        state.ResumeTiming();
    }
}

void BM_OpenSelection(benchmark::State& state) {
    Program program;
    OpenWindows<Form1>(state, program);
}
BENCHMARK(BM_OpenSelection)->Unit(benchmark::kMicrosecond);

// The selection window as at start-up: nothing rendered yet, so its pictures
// and the icon are drawn from their SVGs. What the first window costs beyond
// the toolkit's own start.
void BM_OpenSelectionUncached(benchmark::State& state) {
    Program program;
    for (auto _ : state) {
        state.PauseTiming();
        QPixmapCache::clear();
        state.ResumeTiming();
        auto window = std::make_unique<Form1>(program.context);
        window->show();
        Settle();
        state.PauseTiming();
        window.reset();
        Settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenSelectionUncached)->Unit(benchmark::kMicrosecond);

void BM_OpenCalculator(benchmark::State& state) {
    Program program;
    program.module.SelectedShape = static_cast<ShapeType>(state.range(0));
    OpenWindows<Form2>(state, program);
}
BENCHMARK(BM_OpenCalculator)->DenseRange(0, kShapeCount - 1)->Unit(benchmark::kMicrosecond);

// A shape and kind that show each formula picture.
std::vector<std::pair<ShapeType, const char*>> FormulaRequests() {
    std::vector<std::pair<ShapeType, const char*>> requests(kFormulaPictureCount);
    for (int shape = kShapeCount - 1; shape >= 0; --shape) {
        for (const char* kind : {"a", "i", "z", "k"}) {
            const int picture = FormulaPictureIndex(shape, kind);
            if (picture >= 0)
                requests[static_cast<std::size_t>(picture)] = {static_cast<ShapeType>(shape), kind};
        }
    }
    return requests;
}

void BM_OpenFormulaViewer(benchmark::State& state) {
    Program program;
    const auto [shape, kind] = FormulaRequests()[static_cast<std::size_t>(state.range(0))];
    program.module.SelectedShape = shape;
    program.module.FormulaKind = kind;
    for (auto _ : state) {
        auto viewer = std::make_unique<Form3>(program.context, nullptr);
        viewer->show();  // the viewer loads as it is shown
        Settle();
        state.PauseTiming();
        viewer.reset();
        Settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenFormulaViewer)->DenseRange(0, kFormulaPictureCount - 1)->Unit(benchmark::kMicrosecond);

void BM_OpenInformation(benchmark::State& state) {
    Program program;
    OpenWindows<Form4>(state, program);
}
BENCHMARK(BM_OpenInformation)->Unit(benchmark::kMicrosecond);

// A calculator for `shape`, shown, with txt1, txt2, … set to `texts`.
std::unique_ptr<Form2> CalculatorWith(Program& program, ShapeType shape,
                                      std::initializer_list<const char*> texts) {
    program.module.SelectedShape = shape;
    auto form = std::make_unique<Form2>(program.context);
    form->show();
    int slot = 0;
    for (const char* text : texts)
        form->findChild<QLineEdit*>(QStringLiteral("txt%1").arg(++slot))->setText(QLatin1String(text));
    return form;
}

// The box section 8 × 10 outside, 4 × 6 inside, thin-wall option ticked.
std::unique_ptr<Form2> BoxCalculator(Program& program) {
    auto form = CalculatorWith(program, 16, {"8", "10", "4", "6"});
    QTest::mouseClick(form->findChild<QCheckBox*>(QStringLiteral("chk3")), Qt::LeftButton, {}, QPoint(6, 8));
    Settle();
    return form;
}

// A click on Ans until both lines are painted. Between clicks an untimed edit
// clears the results, so that every click has something to show.
void BM_AnsRoundTrip(benchmark::State& state) {
    Program program;
    auto form = BoxCalculator(program);
    auto* ans = form->findChild<QPushButton*>(QStringLiteral("cmd1"));
    auto* height = form->findChild<QLineEdit*>(QStringLiteral("txt2"));
    bool taller = false;
    for (auto _ : state) {
        QTest::mouseClick(ans, Qt::LeftButton);
        Settle();
        state.PauseTiming();
        height->setText(QLatin1String((taller = !taller) ? "12" : "10"));
        Settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AnsRoundTrip)->Unit(benchmark::kMicrosecond);

// One key per iteration at the end of `box`, alternately a digit and
// Backspace, each followed by the window's repaint.
void TypeAlternately(benchmark::State& state, QLineEdit* box) {
    box->setFocus();
    box->end(false);
    bool digit = true;
    for (auto _ : state) {
        QTest::keyClick(box, digit ? Qt::Key_5 : Qt::Key_Backspace);
        Settle();
        digit = !digit;
    }
}

// One key in txt1, alternately a digit and Backspace: the change handling
// clears the results and refills the derived inputs, then the window paints.
void BM_Keystroke(benchmark::State& state) {
    Program program;
    auto form = BoxCalculator(program);
    TypeAlternately(state, form->findChild<QLineEdit*>(QStringLiteral("txt1")));
}
BENCHMARK(BM_Keystroke)->Unit(benchmark::kMicrosecond);

// The L-section 100 high, 80 wide, 10 thick: the details' longest table.
std::unique_ptr<Form2> AngleCalculator(Program& program) {
    auto form = CalculatorWith(program, 24, {"10", "100", "70", "10"});
    if (!QTest::qWaitForWindowActive(form.get()))
        qFatal("the calculator is not active");  // for its shortcuts
    Settle();
    return form;
}

// Ctrl+D until the details window is built, placed and painted; the closing
// is not timed.
void BM_OpenDetails(benchmark::State& state) {
    Program program;
    auto form = AngleCalculator(program);
    for (auto _ : state) {
        QTest::keyClick(form->windowHandle(), Qt::Key_D, Qt::ControlModifier);
        Settle();
        state.PauseTiming();
        if (!form->detailsWindow()) {
            state.SkipWithError("no details window");
            break;
        }
        form->detailsWindow()->close();
        Settle();
        if (!QTest::qWaitForWindowActive(form.get())) qFatal("the calculator is not active");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenDetails)->Unit(benchmark::kMicrosecond);

// One key in txt2 with the details window open: the calculator's change
// handling, every property computed again and the table updated, both
// windows painted.
void BM_DetailsKeystroke(benchmark::State& state) {
    Program program;
    auto form = AngleCalculator(program);
    QTest::keyClick(form->windowHandle(), Qt::Key_D, Qt::ControlModifier);
    Settle();
    TypeAlternately(state, form->findChild<QLineEdit*>(QStringLiteral("txt2")));
    if (!form->detailsWindow()) state.SkipWithError("no details window");
}
BENCHMARK(BM_DetailsKeystroke)->Unit(benchmark::kMicrosecond);

// The first key in txt2 once the details window shows a section's torsion
// values: the properties and the table again, the torsion solve handed to the
// pool, "計算中…" and the drawing's new outline painted. The solve itself and
// the update it brings are not timed (they are off the UI thread). Arguments:
// shape (17 the I-section, 24 the L-section) and whether the stress map is on.
void BM_DetailsFirstKeystroke(benchmark::State& state) {
    Program program;
    const auto shape = static_cast<ShapeType>(state.range(0));
    auto form =
        shape == 24 ? AngleCalculator(program) : CalculatorWith(program, shape, {"80", "100", "45", "50"});
    if (!QTest::qWaitForWindowActive(form.get())) qFatal("the calculator is not active");
    QTest::keyClick(form->windowHandle(), Qt::Key_D, Qt::ControlModifier);
    Settle();
    DetailsWindow* details = form->detailsWindow();
    if (!details) {
        state.SkipWithError("no details window");
        return;
    }
    if (state.range(1)) details->findChild<QCheckBox*>(QStringLiteral("stressMap"))->setChecked(true);
    auto* box = form->findChild<QLineEdit*>(QStringLiteral("txt2"));
    box->setFocus();
    box->end(false);
    bool digit = true;
    for (auto _ : state) {
        state.PauseTiming();
        WaitForTorsionSolves();
        Settle();
        state.ResumeTiming();
        QTest::keyClick(box, digit ? Qt::Key_5 : Qt::Key_Backspace);
        Settle();
        digit = !digit;
    }
    WaitForTorsionSolves();
    Settle();
}
BENCHMARK(BM_DetailsFirstKeystroke)
    ->Args({17, 0})
    ->Args({24, 0})
    ->Args({17, 1})
    ->Args({24, 1})
    ->Unit(benchmark::kMicrosecond);

// One calculation sheet from the calculator's state to the PDF file on disk:
// the working, the property table, the layout, the fonts embedded and the
// safe write. Arguments: shape, the thickness option, the details table.
void BM_WriteSheet(benchmark::State& state) {
    const auto shape = static_cast<ShapeType>(state.range(0));
    const bool tick = state.range(1) != 0;
    CalculatorSnapshot snapshot;
    snapshot.shape = shape;
    snapshot.texts = shape == 0 ? InputTexts{"10", "6", "0", "0", "0", "0", "0"}
                                : InputTexts{"8", "10", "4", "6", "2", "1", "9"};
    snapshot.optionTicked = tick;
    snapshot.unitSuffix = "mm";
    const AnsOutcome outcome = ComputeAnswers(shape, snapshot.texts, tick, {});
    const auto text = [](float v) { return QString::fromStdString(SingleToText(v)); };
    const SectionValues& v = outcome.values;
    snapshot.firstLine = {text(v.resA), text(v.resI), text(v.resZ), text(v.resK)};
    if (outcome.secondLine == SecondLine::Full)
        snapshot.secondLine = {text(v.resA2), text(v.resI2), text(v.resZ2), text(v.resK2)};
    if (outcome.secondLine == SecondLine::ZOnly) snapshot.secondLine[2] = text(v.resZ2);
    const SheetRequest request{QStringLiteral("件名"), QStringLiteral("部材"), QStringLiteral("作成者"),
                               state.range(2) != 0};

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
    for (auto _ : state) {
        const SheetContent sheet = BuildSheet(snapshot, request, QDate::currentDate());
        if (!WriteSheetPdf(path, sheet).written) state.SkipWithError("not written");
    }
    if (BuildSheet(snapshot, request, QDate::currentDate()).working.empty())
        state.SkipWithError("no working");
}
BENCHMARK(BM_WriteSheet)->Args({0, 0, 0})->Args({16, 1, 1})->Args({24, 0, 1})->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCoreApplication::addLibraryPath(QStringLiteral(VELMORA_PLUGIN_BUILD_DIR));  // velmora's plugins
    InstallFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
