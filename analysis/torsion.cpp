#include "analysis/torsion.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

#include "analysis/mesh.h"
#include "analysis/torsion_accuracy.h"
#include "analysis/warping.h"
#include "core/section_geometry.h"
#include "core/section_model.h"

namespace velmora::analysis {
namespace {

constexpr double kPi = std::numbers::pi;

using enum TorsionProperty;

constexpr std::array<TorsionPropertyInfo, kTorsionPropertyCount> kInfo{{
    {J, "J", "ねじり定数", "J", 4},
    {xs, "xs", "せん断中心の位置（図心から x 方向）", "xs", 1},
    {ys, "ys", "せん断中心の位置（図心から y 方向）", "ys", 1},
    {Iw, "Iw", "曲げねじり定数", "Iw", 6},
    {Zt, "Zt", "ねじり断面係数", "Zt", 3},
}};

class FiniteElementField final : public TorsionField {
public:
    FiniteElementField(std::shared_ptr<const WarpingSolution> solution, double j)
        : solution_(std::move(solution)), j_(j) {}
    std::vector<Sample> Samples(int n) const override {
        std::vector<Sample> out;
        const int elements = ElementCount();
        n = std::max(n, 2);
        out.reserve(static_cast<std::size_t>(elements * n * n));
        for (int e = 0; e < elements; ++e)
            for (int j = 0; j < n; ++j)
                for (int i = 0; i < n; ++i) {
                    Point at;
                    const double u = -1 + 2.0 * i / (n - 1), v = -1 + 2.0 * j / (n - 1);
                    const double tau = solution_->Stress(e, u, v, &at) / j_;
                    out.push_back({at.x, at.y, tau});
                }
        return out;
    }
    int ElementCount() const override { return static_cast<int>(solution_->mesh().elements.size()); }

private:
    std::shared_ptr<const WarpingSolution> solution_;
    double j_;
};

}  // namespace

std::span<const TorsionPropertyInfo> AllTorsionProperties() { return kInfo; }
const TorsionPropertyInfo& Info(TorsionProperty property) {
    return kInfo[static_cast<std::size_t>(property)];
}

double TorsionResult::value(TorsionProperty p) const {
    switch (p) {
        case TorsionProperty::J: return J;
        case TorsionProperty::xs: return xs;
        case TorsionProperty::ys: return ys;
        case TorsionProperty::Iw: return Iw;
        case TorsionProperty::Zt: return Zt.value_or(std::numeric_limits<double>::quiet_NaN());
    }
    return std::numeric_limits<double>::quiet_NaN();
}

TorsionResult ComputeTorsion(ShapeType shape, std::span<const double> d, const TorsionOptions& options) {
    TorsionResult out;
    const ShapeEntry* entry = FindShape(shape);
    if (entry == nullptr) return out;
    const section::Basic basic = section::Compute(shape, d);
    const double ip = basic.secondMomentX + basic.secondMomentY;
    const section::Geometry geometry = section::CentroidalGeometry(shape, d);
    const bool finiteStress = !entry->reentrantCorners;

    // Closed forms: the circle and the tube (J = Ip), the ellipse and a hollow
    // ellipse whose two ellipses are similar (ω = k·x·y on both).
    if (options.closedForms) {
        std::optional<TorsionResult> exact;
        const auto ellipse = [](double a, double b, TorsionResult& r, double sign) {
            // a vertical, b horizontal semi-axis
            const double a2 = a * a, b2 = b * b, k = (a2 - b2) / (a2 + b2);
            r.J += sign * kPi * a2 * a * b2 * b / (a2 + b2);
            r.Iw += sign * kPi * a2 * a * b2 * b * k * k / 24;
        };
        if (shape == 11 || shape == 12) {
            TorsionResult r;
            r.J = ip;
            r.Zt = ip / (d[shape == 11 ? 0 : 1] / 2);
            exact = r;
        } else if (shape == 14 || (shape == 15 && d[0] * d[3] == d[1] * d[2])) {
            TorsionResult r;
            const double a = shape == 14 ? d[0] : d[1], b = shape == 14 ? d[1] : d[3];
            ellipse(a, b, r, 1);
            // τmax = 2T ÷ (π·major·minor²) on the solid ellipse, at the ends of
            // the minor axis; a similar hole scales J and the stress together.
            const double major = std::max(a, b), minor = std::min(a, b);
            double zt = kPi * major * minor * minor / 2;
            if (shape == 15) {
                const double q = d[0] / d[1], q2 = q * q;
                ellipse(d[0], d[2], r, -1);
                zt *= 1 - q2 * q2;
            }
            r.Zt = zt;
            exact = r;
        }
        if (exact) {
            exact->method = TorsionMethod::ClosedForm;
            exact->maxStressUnitTorque = 1 / *exact->Zt;
            if (options.keepField) {
                auto s = std::make_shared<const WarpingSolution>(MakeMesh(geometry), 8);
                exact->field = std::make_shared<FiniteElementField>(s, exact->J);
            }
            return *exact;
        }
    }

    // The finite-element solution: raise the degree until every value of the
    // latest agrees with the two degrees before within its tolerance.
    const Mesh mesh = MakeMesh(geometry);
    // A symmetric section's warping function is odd, so a degree and the next
    // can give the same solution: each estimate compares the latest degree
    // with both before it.
    std::shared_ptr<const WarpingSolution> latest;
    std::vector<WarpingIntegrals> history;
    constexpr int kFirstDegree = 5, kLastDegree = 13;
    // A section far outside the usual proportions needs a mesh of hundreds of
    // elements: past about 60 000 unknowns (some 70 MB) the degree stops
    // rising and the result says it did not converge.
    constexpr std::size_t kMostUnknowns = 60000;
    for (int p = kFirstDegree; p <= kLastDegree; ++p) {
        const auto unknowns = mesh.elements.size() * static_cast<std::size_t>(p * p);
        if (p > kFirstDegree + 2 && unknowns > kMostUnknowns) break;
        latest = std::make_shared<const WarpingSolution>(mesh, p);
        const WarpingIntegrals now = latest->Integrals(finiteStress);
        history.push_back(now);
        out.J = now.J;
        out.xs = now.xs;
        out.ys = now.ys;
        out.Iw = now.Iw;
        if (finiteStress) {
            out.Zt = now.J / now.maxStress;
            out.maxStressUnitTorque = now.maxStress / now.J;
            out.maxStressAt = std::array{now.maxStressAt.x, now.maxStressAt.y};
        }
        out.order = p;
        out.unknowns = now.unknowns;
        out.elements = static_cast<int>(mesh.elements.size());
        if (history.size() < 3) continue;
        out.errorJ = out.errorXs = out.errorYs = out.errorIw = out.errorZt = 0;
        for (std::size_t k = history.size() - 3; k + 1 < history.size(); ++k) {
            const WarpingIntegrals& was = history[k];
            out.errorJ = std::max(out.errorJ, std::abs(now.J - was.J));
            out.errorXs = std::max(out.errorXs, std::abs(now.xs - was.xs));
            out.errorYs = std::max(out.errorYs, std::abs(now.ys - was.ys));
            out.errorIw = std::max(out.errorIw, std::abs(now.Iw - was.Iw));
            if (finiteStress) out.errorZt = std::max(out.errorZt, std::abs(*out.Zt - was.J / was.maxStress));
        }
        // On a mirror line the shear centre lies exactly on it.
        if (MirroredInX(entry->symmetry)) out.ys = 0, out.errorYs = 0;
        if (MirroredInY(entry->symmetry)) out.xs = 0, out.errorXs = 0;
        out.converged = AllWithinTolerance(Accuracy(out, shape, d, options.tolerance));
        if (out.converged) break;
    }
    if (shape == 13 && options.closedForms) {
        out.J = (kPi / 2 - 4 / kPi) * d[0] * d[0] * d[0] * d[0];
        out.errorJ = 0;
    }
    out.method = TorsionMethod::FiniteElement;
    if (options.keepField) out.field = std::make_shared<FiniteElementField>(latest, out.J);
    return out;
}

std::variant<TorsionResult, SectionError> ComputeTorsion(ShapeType shape, const InputTexts& texts,
                                                         char decimalSeparator,
                                                         const TorsionOptions& options) {
    auto entered = EnteredSection(shape, texts, decimalSeparator);
    if (auto* error = std::get_if<SectionError>(&entered)) return std::move(*error);
    return ComputeTorsion(shape, std::get<std::vector<double>>(entered), options);
}

}  // namespace velmora::analysis
