// Feeds the torsion solver arbitrary sections: a shape and up to four sizes
// from the input bytes (sizes between 1 and 20, so each solve stays short).
// Checks what the windows rely on: finite results, J ≤ Ip, Iw ≥ 0, the error
// estimates below their tolerances where the solution says it converged.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "analysis/torsion.h"
#include "core/section_checks.h"
#include "core/section_model.h"
#include "tests/fuzz/require.h"

using namespace velmora;

namespace {}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const auto shape = static_cast<ShapeType>(data[0] % kShapeCount);
    const std::size_t count = FindShape(shape)->entered.size();
    std::vector<double> dims;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t byte = 1 + i < size ? data[1 + i] : 128;
        dims.push_back(static_cast<float>(1 + byte * (19.0 / 255)));
    }
    if (CheckSection(shape, dims)) return 0;
    analysis::TorsionOptions options;
    options.keepField = false;
    const analysis::TorsionResult r = analysis::ComputeTorsion(shape, dims, options);
    const section::Basic basic = section::Compute(shape, dims);
    const double ip = basic.secondMomentX + basic.secondMomentY;
    const double extent = std::max(basic.eLeft + basic.eRight, basic.eTop + basic.eBottom);
    Require(std::isfinite(r.J) && std::isfinite(r.xs) && std::isfinite(r.ys) && std::isfinite(r.Iw),
            "finite");
    Require(r.J > 0 && r.J <= ip * (1 + 1e-9), "0 < J <= Ip");
    const double iwTolerance = std::max(1e-7 * r.Iw, 1e-9 * ip * extent * extent);
    Require(r.Iw >= -iwTolerance, "Iw >= 0");
    Require(r.Zt.has_value() == !FindShape(shape)->reentrantCorners, "Zt where the stress is finite");
    if (r.Zt) Require(std::isfinite(*r.Zt) && *r.Zt > 0, "finite Zt");
    if (r.converged) {
        Require(r.errorJ <= 1e-7 * r.J, "J estimate");
        Require(r.errorXs <= 1e-7 * extent && r.errorYs <= 1e-7 * extent, "shear centre estimate");
        Require(r.errorIw <= iwTolerance, "Iw estimate");
        if (r.Zt) Require(r.errorZt <= 1e-7 * *r.Zt, "Zt estimate");
    }
    return 0;
}
