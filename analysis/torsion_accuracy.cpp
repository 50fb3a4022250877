#include "analysis/torsion_accuracy.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/section_model.h"

namespace velmora::analysis {

std::array<TorsionAccuracy, kTorsionPropertyCount> Accuracy(const TorsionResult& result, ShapeType shape,
                                                            std::span<const double> dims, double tolerance) {
    const section::Basic basic = section::Compute(shape, dims);
    const double ip = basic.secondMomentX + basic.secondMomentY;
    const double size = std::max(basic.eLeft + basic.eRight, basic.eTop + basic.eBottom);

    std::array<TorsionAccuracy, kTorsionPropertyCount> out{};
    const auto judge = [&](TorsionProperty p, double value, double error, double allowed, bool relative) {
        TorsionAccuracy& a = out[static_cast<std::size_t>(p)];
        a.error = error;
        a.withinTolerance = error <= allowed;
        if (relative && value != 0) a.relative = error / std::abs(value);
    };
    judge(TorsionProperty::J, result.J, result.errorJ, tolerance * std::abs(result.J), true);
    judge(TorsionProperty::xs, result.xs, result.errorXs, tolerance * size, false);
    judge(TorsionProperty::ys, result.ys, result.errorYs, tolerance * size, false);
    judge(TorsionProperty::Iw, result.Iw, result.errorIw,
          std::max(tolerance * std::abs(result.Iw), 1e-9 * ip * size * size), true);
    if (result.Zt)
        judge(TorsionProperty::Zt, *result.Zt, result.errorZt, tolerance * std::abs(*result.Zt), true);
    return out;
}

bool AllWithinTolerance(std::span<const TorsionAccuracy> accuracy) {
    return std::all_of(accuracy.begin(), accuracy.end(),
                       [](const TorsionAccuracy& a) { return a.withinTolerance; });
}

std::string EstimateText(double estimate, char decimalSeparator) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, estimate, std::chars_format::scientific, 1).ptr;
    std::string out(text, end);
    for (char& c : out) {
        if (c == 'e') c = 'E';
        if (c == '.') c = decimalSeparator;
    }
    return out;
}

}  // namespace velmora::analysis
