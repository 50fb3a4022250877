// How long the Ans computation and the number texts take.
#include <benchmark/benchmark.h>

#include "analysis/torsion.h"
#include "core/ans.h"
#include "core/numtext.h"
#include "core/properties.h"
#include "core/thickness.h"

using namespace velmora;

static void BM_Ans(benchmark::State& state) {
    const auto shape = static_cast<ShapeType>(state.range(0));
    const InputTexts texts{"8", "10", "4", "6", "2", "1", "9"};
    const bool ticked = shape == 15 || (shape >= 16 && shape <= 18);
    for (auto _ : state) benchmark::DoNotOptimize(ComputeAnswers(shape, texts, ticked, {}));
}
BENCHMARK(BM_Ans)->DenseRange(0, 24);

static void BM_SingleToText(benchmark::State& state) {
    float v = 329.33334f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SingleToText(v));
        v += 1.25f;
    }
}
BENCHMARK(BM_SingleToText);

static void BM_TextToSingle(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(TextToSingle("  -1234.5678E-3 "));
}
BENCHMARK(BM_TextToSingle);

static void BM_UpdateThicknessInputs(benchmark::State& state) {
    const InputTexts texts{"8", "10", "4", "6"};
    for (auto _ : state) benchmark::DoNotOptimize(UpdateThicknessInputs(16, texts, true));
}
BENCHMARK(BM_UpdateThicknessInputs);

// Every property of one section per shape, from the entered texts.
static void BM_ComputeProperties(benchmark::State& state) {
    const auto shape = static_cast<ShapeType>(state.range(0));
    const bool hollowEllipse = shape == 15;
    const InputTexts texts =
        hollowEllipse ? InputTexts{"80", "100", "40", "50"} : InputTexts{"8", "10", "4", "6"};
    for (auto _ : state) benchmark::DoNotOptimize(ComputeProperties(shape, texts));
}
BENCHMARK(BM_ComputeProperties)->DenseRange(0, 24);

// The torsion quantities of one section per shape, with the mesh each needed.
static void BM_Torsion(benchmark::State& state) {
    const auto shape = static_cast<ShapeType>(state.range(0));
    const InputTexts texts =
        shape == 15 ? InputTexts{"80", "100", "40", "50"} : InputTexts{"8", "10", "4", "6"};
    analysis::TorsionOptions options;
    options.keepField = false;
    analysis::TorsionResult last;
    for (auto _ : state) {
        auto outcome = analysis::ComputeTorsion(shape, texts, '.', options);
        last = std::get<analysis::TorsionResult>(std::move(outcome));
        benchmark::DoNotOptimize(last.J);
    }
    state.counters["elements"] = last.elements;
    state.counters["degree"] = last.order;
    state.counters["unknowns"] = last.unknowns;
    state.counters["converged"] = last.converged;
}
BENCHMARK(BM_Torsion)->DenseRange(0, 24)->Unit(benchmark::kMillisecond)->MinTime(0.5);
