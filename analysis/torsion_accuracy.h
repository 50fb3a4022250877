// How far each torsion value can be trusted: its error estimate against the
// tolerance the solution was asked for, by the rule the solver stops on, so
// that a value whose estimate is still above it can be marked where it is
// shown instead of passing for seven right digits.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>

#include "analysis/torsion.h"
#include "core/catalogue.h"

namespace velmora::analysis {

struct TorsionAccuracy {
    // The estimate is within the tolerance (always so for closed forms, for
    // values fixed by symmetry and for a Zt that does not exist).
    bool withinTolerance = true;
    double error = 0;  // the estimated absolute error, in the section's length unit and power
    // error ÷ |value| for J, Iw and Zt where the value is not 0; xs and ys
    // are judged against the section's largest dimension instead.
    std::optional<double> relative;
};

// Each value's accuracy, in the order of AllTorsionProperties(), for `result`
// of ComputeTorsion(shape, dims, options) with options.tolerance = `tolerance`:
// J and Zt relative; xs, ys relative to the largest dimension; Iw relative or
// 1e-9·Ip·(largest dimension)², whichever is larger.
std::array<TorsionAccuracy, kTorsionPropertyCount> Accuracy(const TorsionResult& result, ShapeType shape,
                                                            std::span<const double> dims,
                                                            double tolerance = TorsionOptions{}.tolerance);

// True when every value is within its tolerance.
bool AllWithinTolerance(std::span<const TorsionAccuracy> accuracy);

// An error estimate to two significant digits in the values' E style
// ("2.3E-06"): an estimate has no more digits worth showing.
std::string EstimateText(double estimate, char decimalSeparator = '.');

}  // namespace velmora::analysis
