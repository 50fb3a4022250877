// The calculator's closed forms against the sections themselves: every shape
// is drawn as polygons from what its dimensions mean (section_geometry) and
// integrated exactly, for many random valid dimensions per shape.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/ans.h"
#include "core/catalogue.h"
#include "core/thickness.h"
#include "tests/core/section_geometry.h"

using namespace velmora;
using geometry::SectionProperties;

namespace {

constexpr int kDraws = 200;

// Results are stored in single precision (relative 6e-8) and the curved
// outlines are polygons of kCurveVertices corners (relative 7e-8 at most in I);
// the formulas themselves are exact, so anything beyond this is a fault.
constexpr double kExact = 1e-6;

// Half a unit in the fourth decimal: the rounding of the decimal coefficients
// 2.8284, 0.6906, 0.2256 (octagon) and 0.1908, 0.2587 (semicircle).
constexpr double kHalfUnit4 = 0.5e-4;

using Rng = std::mt19937;

double Uniform(Rng& rng, double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); }

// Spread over three orders of magnitude.
double Size(Rng& rng) { return 0.5 * std::exp(Uniform(rng, 0, std::log(1000.0))); }

// Valid dimensions in slot order: inner parts smaller than outer ones, the
// thin parts of the composite sections inside their outlines.
std::vector<double> DrawDimensions(int shape, Rng& rng) {
    switch (shape) {
        case 0:
        case 6:
        case 14: return {Size(rng), Size(rng)};
        case 2:
        case 4:
        case 7:
        case 8:
        case 9:
        case 11:
        case 13: return {Size(rng)};
        case 1: {
            const double h2 = Size(rng);
            return {Uniform(rng, 0, 0.95) * h2, h2, Size(rng)};
        }
        case 3:
        case 5:
        case 12: {
            const double outer = Size(rng);
            return {Uniform(rng, 0, 0.95) * outer, outer};
        }
        case 10: {
            const double b = Size(rng);
            return {Size(rng), b, Uniform(rng, 0, 3) * b};
        }
        case 15: {
            const double a2 = Size(rng), b2 = Size(rng);
            return {Uniform(rng, 0, 0.95) * a2, a2, Uniform(rng, 0, 0.95) * b2, b2};
        }
        case 16:
        case 17:
        case 18: {
            const double h2 = Size(rng), b2 = Size(rng);
            return {Uniform(rng, 0.05, 0.95) * h2, h2, Uniform(rng, 0.05, 0.95) * b2, b2};
        }
        case 19:
        case 20:
        case 21:
        case 22:
        case 23:
        case 24: {
            // Wide, thick bottoms put the centroid of 22 to 24 inside the bottom rectangle.
            const double h2 = Size(rng), b2 = Size(rng);
            return {Uniform(rng, 0.05, 0.95) * h2, h2, b2 * std::exp(Uniform(rng, -3, 3)), b2};
        }
        default: return {};
    }
}

// The text of a float with 17 digits: the Ans operation reads back the very
// float the geometry uses, and the thickness inputs, which the window derives
// from the texts in double precision, see that value too (nine digits would
// round-trip the float but shift a thin wall b2 − b1 by up to 1e-6 of itself).
std::string Text(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", static_cast<double>(static_cast<float>(value)));
    return buffer;
}

struct Sample {
    int shape = 0;
    std::vector<double> dims;  // as read, in single precision
    InputTexts texts;
    AnsOutcome outcome;
    SectionProperties exact;

    std::string Describe() const {
        std::ostringstream out;
        const ShapeEntry* entry = FindShape(shape);
        out << "shape " << shape << " (" << entry->name << "):";
        for (const InputSlot& slot : entry->entered)
            out << ' ' << slot.caption << '=' << texts[slot.slot - 1];
        for (const InputSlot& slot : entry->derived)
            out << ' ' << slot.caption << '=' << texts[slot.slot - 1];
        return out.str();
    }
};

// The texts the window puts into the derived boxes while the option is ticked.
void FillDerived(int shape, InputTexts& texts) {
    const ThicknessOutcome derived = UpdateThicknessInputs(static_cast<ShapeType>(shape), texts, true);
    ASSERT_FALSE(derived.wallNotConstant) << "shape " << shape;
    for (const ThicknessWrite& w : derived.writes) texts[static_cast<std::size_t>(w.slot - 1)] = w.text;
}

enum class Geometry { Integrate, Skip };

Sample MakeSample(int shape, const std::vector<double>& dims, bool ticked = false,
                  Geometry geometry = Geometry::Integrate) {
    Sample s;
    s.shape = shape;
    for (std::size_t i = 0; i < dims.size(); ++i) {
        s.texts[i] = Text(dims[i]);
        s.dims.push_back(static_cast<float>(dims[i]));
    }
    if (ticked) FillDerived(shape, s.texts);
    s.outcome = ComputeAnswers(static_cast<ShapeType>(shape), s.texts, ticked, {});
    if (geometry == Geometry::Integrate) s.exact = geometry::Integrate(geometry::BuildSection(shape, s.dims));
    return s;
}

// Keeps the largest relative deviation seen, for the test's record.
class Worst {
public:
    void See(double relative) { worst_ = std::max(worst_, relative); }
    void Record(const std::string& key) const {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.3g", worst_);
        ::testing::Test::RecordProperty(key, buffer);
    }

private:
    double worst_ = 0;
};

// actual / expected − 1 within [low, high].
::testing::AssertionResult Within(const char* what, double actual, double expected, double low, double high,
                                  Worst* worst = nullptr) {
    const double deviation = actual / expected - 1;
    if (worst) worst->See(std::fabs(deviation));
    if (std::isfinite(deviation) && deviation >= low && deviation <= high)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << what << " = " << actual << " but the section gives " << expected << ": relative deviation "
           << deviation << ", allowed [" << low << ", " << high << "]";
}

::testing::AssertionResult Near(const char* what, double actual, double expected, double tolerance,
                                Worst* worst = nullptr) {
    return Within(what, actual, expected, -tolerance, tolerance, worst);
}

// The octagon's decimal coefficient c (result = c·r^n) is the exact one
// rounded to four decimals: off by at most half a unit of the fourth decimal.
double RoundedCoefficientTolerance(double result, double r, int power) {
    return kExact + kHalfUnit4 * std::pow(r, power) / std::fabs(result);
}

// The semicircle's moduli 0.1908 r³ and 0.2587 r³ are not the exact I/e
// rounded once (that would be 0.1907 and 0.2586): they are 0.1098 / 0.5756 and
// 0.1098 / 0.4244, the I coefficient and the fibre distance each rounded to
// four decimals, then the quotient: 0.06 % and 0.035 % high. The bound adds
// the three roundings.
double SemicircleModulusTolerance(const Sample& s, double modulus, double fibre) {
    const double r = s.dims[0];
    return kExact +
           kHalfUnit4 * (std::pow(r, 4) / s.exact.inertia + r / fibre + std::pow(r, 3) / std::fabs(modulus));
}

std::string ParamName(const ::testing::TestParamInfo<int>& info) {
    std::string name = "s" + std::to_string(info.param) + "_";
    for (char c : FindShape(info.param)->name)
        if (std::isalnum(static_cast<unsigned char>(c))) name += c;
    return name;
}

Rng SeededFor(int shape, int family) {
    return Rng(static_cast<unsigned>(7919 * shape + 104729 * family + 1));
}

void ExpectComputed(const Sample& s) {
    ASSERT_TRUE(s.outcome.showFirstLine) << s.Describe();
    ASSERT_EQ(s.outcome.message, AnsMessage::None) << s.Describe();
}

}  // namespace

// The integrator itself, on figures whose properties are known by hand.
TEST(SectionGeometry, IntegratorReproducesHandWorkedFigures) {
    using geometry::Box;
    using geometry::Contour;
    using geometry::Integrate;
    using geometry::Section;

    // A 2 × 3 rectangle away from the origin, listed clockwise.
    Contour cw = Box(5, 7, 7, 10);
    std::reverse(cw.begin(), cw.end());
    SectionProperties p = Integrate(Section{{cw}, {}});
    EXPECT_DOUBLE_EQ(p.area, 6);
    EXPECT_DOUBLE_EQ(p.centroidY, 8.5);
    EXPECT_DOUBLE_EQ(p.inertia, 4.5);
    EXPECT_DOUBLE_EQ(p.eTop, 1.5);
    EXPECT_DOUBLE_EQ(p.eBottom, 1.5);

    // 4 × 4 square with a 2 × 1 hole whose bottom is at y = 2: the hole lifts
    // nothing off the lower half, so the centroid drops to (16·2 − 2·2.5)/14.
    p = Integrate(Section{{Box(0, 0, 4, 4)}, {Box(1, 2, 3, 3)}});
    const double yc = 27.0 / 14;
    EXPECT_DOUBLE_EQ(p.area, 14);
    EXPECT_DOUBLE_EQ(p.centroidY, yc);
    EXPECT_NEAR(p.inertia,
                4 * 64.0 / 12 + 16 * (2 - yc) * (2 - yc) - (2.0 / 12 + 2 * (2.5 - yc) * (2.5 - yc)), 1e-12);
    EXPECT_DOUBLE_EQ(p.eTop, 4 - yc);

    // Right triangle, base 6, height 3: centroid at h/3, I = b·h³/36.
    p = Integrate(Section{{Contour{{0, 0}, {6, 0}, {0, 3}}}, {}});
    EXPECT_DOUBLE_EQ(p.area, 9);
    EXPECT_DOUBLE_EQ(p.centroidY, 1);
    EXPECT_DOUBLE_EQ(p.inertia, 6 * 27.0 / 36);
    EXPECT_DOUBLE_EQ(p.eTop, 2);

    // Two rectangles sharing an edge count as their union.
    p = Integrate(Section{{Box(0, 0, 1, 1), Box(0, 1, 1, 2)}, {}});
    EXPECT_DOUBLE_EQ(p.area, 2);
    EXPECT_DOUBLE_EQ(p.inertia, 8.0 / 12);

    // The discretised disc is within the bound the tolerances rely on (true π here).
    const double r = 3;
    p = Integrate(Section{{geometry::EllipseContour(r, r, 1, 2)}, {}});
    EXPECT_NEAR(p.area / (std::numbers::pi * r * r), 1, 2e-8);
    EXPECT_NEAR(p.inertia / (std::numbers::pi * std::pow(r, 4) / 4), 1, 7e-8);
    EXPECT_NEAR(p.centroidY, 2, 1e-12);
    EXPECT_NEAR(p.eTop, r, 1e-12);
}

class ClosedForms : public ::testing::TestWithParam<int> {};

// A, I and k² of the first line against the integrated section.
TEST_P(ClosedForms, AreaSecondMomentAndRadiusOfGyration) {
    const int shape = GetParam();
    Rng rng = SeededFor(shape, 1);
    Worst worst;
    for (int i = 0; i < kDraws && !HasFailure(); ++i) {
        const Sample s = MakeSample(shape, DrawDimensions(shape, rng));
        SCOPED_TRACE(s.Describe());
        ExpectComputed(s);
        const SectionValues& v = s.outcome.values;
        const SectionProperties& g = s.exact;
        const bool octagon = shape == 9;
        const double r = s.dims[0];
        EXPECT_TRUE(
            Near("A", v.resA, g.area, octagon ? RoundedCoefficientTolerance(v.resA, r, 2) : kExact, &worst));
        EXPECT_TRUE(Near("I", v.resI, g.inertia, kExact, &worst));
        EXPECT_TRUE(Near("k²", v.resK, g.inertia / g.area,
                         octagon ? RoundedCoefficientTolerance(v.resK, r, 2) : kExact, &worst));
    }
    worst.Record("worst_deviation");
}

// Z is I over the distance from the centroid to the top fibre: √3·b/2 for the
// hexagon on corners, b on sides, the narrow top of the trapezoid, the curved
// top of the semicircle, e1 of 22 to 24, half the height elsewhere.
TEST_P(ClosedForms, ModulusIsIOverTheTopFibre) {
    const int shape = GetParam();
    Rng rng = SeededFor(shape, 2);
    Worst worst;
    for (int i = 0; i < kDraws && !HasFailure(); ++i) {
        const Sample s = MakeSample(shape, DrawDimensions(shape, rng));
        SCOPED_TRACE(s.Describe());
        ExpectComputed(s);
        const double z = s.outcome.values.resZ;
        const double exact = s.exact.inertia / s.exact.eTop;
        if (shape == 9)
            EXPECT_TRUE(Near("Z", z, exact, RoundedCoefficientTolerance(z, s.dims[0], 3), &worst));
        else if (shape == 13)
            EXPECT_TRUE(Near("Z", z, exact, SemicircleModulusTolerance(s, z, s.exact.eTop), &worst));
        else
            EXPECT_TRUE(Near("Z", z, exact, kExact, &worst));
    }
    worst.Record("worst_deviation");
}

// The definition k² = I ÷ A holds between the program's own results.
TEST_P(ClosedForms, RadiusOfGyrationSquaredIsIOverA) {
    const int shape = GetParam();
    Rng rng = SeededFor(shape, 3);
    for (int i = 0; i < kDraws && !HasFailure(); ++i) {
        const Sample s = MakeSample(shape, DrawDimensions(shape, rng), false, Geometry::Skip);
        SCOPED_TRACE(s.Describe());
        ExpectComputed(s);
        const SectionValues& v = s.outcome.values;
        // The octagon's A and k² carry independently rounded coefficients.
        const double tolerance = shape == 9 ? RoundedCoefficientTolerance(v.resA, s.dims[0], 2) +
                                                  RoundedCoefficientTolerance(v.resK, s.dims[0], 2)
                                            : kExact;
        EXPECT_TRUE(Near("k²", v.resK, double{v.resI} / v.resA, tolerance));
    }
}

INSTANTIATE_TEST_SUITE_P(AllShapes, ClosedForms, ::testing::Range(0, kShapeCount), ParamName);

class SecondModulus : public ::testing::TestWithParam<int> {};

// Shapes not symmetric about the axis: Z2 is I over the bottom fibre, and the
// group 22 to 24 also stores e1 (top) and e2 (bottom).
TEST_P(SecondModulus, BottomModulusAndCentroidDistances) {
    const int shape = GetParam();
    Rng rng = SeededFor(shape, 4);
    Worst worst;
    for (int i = 0; i < kDraws && !HasFailure(); ++i) {
        const Sample s = MakeSample(shape, DrawDimensions(shape, rng));
        SCOPED_TRACE(s.Describe());
        ExpectComputed(s);
        const SectionValues& v = s.outcome.values;
        EXPECT_EQ(s.outcome.secondLine, SecondLine::ZOnly);
        const double exact = s.exact.inertia / s.exact.eBottom;
        if (shape == 13) {
            EXPECT_TRUE(
                Near("Z2", v.resZ2, exact, SemicircleModulusTolerance(s, v.resZ2, s.exact.eBottom), &worst));
            continue;
        }
        EXPECT_TRUE(Near("Z2", v.resZ2, exact, kExact, &worst));
        if (shape >= 22) {
            EXPECT_TRUE(Near("e1 (aux3)", v.aux3, s.exact.eTop, kExact, &worst));
            EXPECT_TRUE(Near("e2 (aux4)", v.aux4, s.exact.eBottom, kExact, &worst));
        }
    }
    worst.Record("worst_deviation");
}

INSTANTIATE_TEST_SUITE_P(Unsymmetric, SecondModulus, ::testing::Values(6, 13, 22, 23, 24), ParamName);

// The shapes of a group differ only in their drawings: the same entries give
// the same outcome, value for value (the geometry tests above show that each
// drawing really has those properties).
TEST(ShapeGroups, SameEntriesGiveIdenticalOutcomes) {
    for (int first : {16, 19, 22}) {
        Rng rng = SeededFor(first, 5);
        for (int i = 0; i < kDraws; ++i) {
            const std::vector<double> dims = DrawDimensions(first, rng);
            for (bool ticked : {false, true}) {
                if (ticked && first != 16) continue;
                const Sample a = MakeSample(first, dims, ticked, Geometry::Skip);
                for (int other = first + 1; other <= first + 2; ++other) {
                    const AnsOutcome b = ComputeAnswers(static_cast<ShapeType>(other), a.texts, ticked, {});
                    ASSERT_EQ(a.outcome, b)
                        << a.Describe() << " against shape " << other << (ticked ? ", ticked" : "");
                }
            }
        }
    }
}

// Circular tube, thin-wall line: dm and t as the window fills them. With
// τ = t/dm the exact section has A = π·dm·t, I = π·dm·t·(dm² + t²)/8 and its
// extreme fibre at dm/2 + t/2, so the thin-wall A is exact, I and k² fall
// short by less than τ², and Z (fibre taken at dm/2) is high by less than τ.
// For τ ≤ 0.05: I and k² within 0.25 %, Z within 5 %.
TEST(ThinWall, CircularTubeWithinBoundsOfTheWallRatio) {
    Rng rng = SeededFor(12, 6);
    Worst zWorst;
    for (int i = 0; i < kDraws && !HasFailure(); ++i) {
        const double dm = Size(rng) + 5, tau = Uniform(rng, 0.001, 0.05);
        const Sample s = MakeSample(12, {dm * (1 - tau), dm * (1 + tau)}, true);
        SCOPED_TRACE(s.Describe());
        ExpectComputed(s);
        ASSERT_EQ(s.outcome.secondLine, SecondLine::Full);
        const SectionValues& v = s.outcome.values;
        const SectionProperties& g = s.exact;
        const double ratio = double{v.val4} / v.val3;
        ASSERT_LE(ratio, 0.0501);
        EXPECT_TRUE(Near("A2", v.resA2, g.area, kExact));
        EXPECT_TRUE(Within("I2", v.resI2, g.inertia, -ratio * ratio - kExact, kExact));
        EXPECT_TRUE(Within("Z2", v.resZ2, g.inertia / g.eTop, -kExact, ratio + kExact, &zWorst));
        EXPECT_TRUE(Within("k²2", v.resK2, g.inertia / g.area, -ratio * ratio - kExact, kExact));
        EXPECT_TRUE(Near("k²2 against I2/A2", v.resK2, double{v.resI2} / v.resA2, kExact));
    }
    zWorst.Record("worst_thin_wall_modulus_deviation");
}

// Hollow ellipse, thin-wall line, for a wall of constant thickness t
// (a1 = a2 − t, b1 = b2 − t, all semi-axes) entered on a binary grid so that
// the window accepts the wall as constant. The line's A, π·t·(a2 + b2 − t), is
// the exact ring area. Its I, π/4·a2²·(a2 + 3·b2)·t, is the first-order term of
// the exact π/4·(a2³·b2 − a1³·b1) and exceeds it; with x = t/a2 the excess is
// below 3x/(1 − 3x) for any b2. Z2 = I2/a2 follows I2. k² divides I2 by the
// outer perimeter π(a2 + b2)·t, which pulls it down by at most t/(a2 + b2) < x.
// For x ≤ 0.05 that is at most 18 %.
TEST(ThinWall, HollowEllipseWithinBoundsOfTheWallRatio) {
    Rng rng = SeededFor(15, 6);
    const auto grid = [](double value, double step) { return std::round(value / step) * step; };
    Worst iWorst;
    for (int i = 0; i < kDraws && !HasFailure(); ++i) {
        const double a2 = grid(Uniform(rng, 10, 500), 0.125);
        const double b2 = grid(std::clamp(a2 * std::exp(Uniform(rng, -1.4, 1.4)), 10.0, 500.0), 0.125);
        const double t = std::max(grid(Uniform(rng, 0.001, 0.05) * std::min(a2, b2), 1.0 / 64), 1.0 / 64);
        const Sample s = MakeSample(15, {a2 - t, a2, b2 - t, b2}, true);
        SCOPED_TRACE(s.Describe());
        ExpectComputed(s);
        ASSERT_EQ(s.outcome.secondLine, SecondLine::Full);
        const SectionValues& v = s.outcome.values;
        ASSERT_EQ(v.val5, t);
        const SectionProperties& g = s.exact;
        const double x = t / a2, excess = 3 * x / (1 - 3 * x);
        EXPECT_TRUE(Near("A2", v.resA2, g.area, kExact));
        EXPECT_TRUE(Within("I2", v.resI2, g.inertia, -kExact, excess + kExact, &iWorst));
        EXPECT_TRUE(Within("Z2", v.resZ2, g.inertia / g.eTop, -kExact, excess + kExact));
        EXPECT_TRUE(Within("k²2", v.resK2, g.inertia / g.area, -x - kExact, excess + kExact));
    }
    iWorst.Record("worst_thin_wall_inertia_deviation");
}

// Box, I- and channel section: for t1 = b2 − b1, t2 = (h2 − h1)/2 and
// ~h = h1 + t2, as the window fills them, the thin-wall line is no
// approximation: it equals the exact section up to rounding, for thin and
// thick walls alike. The window shows ~h with seven digits (up to 5e-7 off),
// and ~h enters I, Z and k² squared, so those allow twice that text's error.
TEST(ThinWall, WallSectionsEqualTheExactSectionForConsistentWalls) {
    for (int shape : {16, 17, 18}) {
        Rng rng = SeededFor(shape, 6);
        Worst worst;
        for (int i = 0; i < kDraws && !HasFailure(); ++i) {
            const Sample s = MakeSample(shape, DrawDimensions(shape, rng), true);
            SCOPED_TRACE(s.Describe());
            ExpectComputed(s);
            ASSERT_EQ(s.outcome.secondLine, SecondLine::Full);
            const SectionValues& v = s.outcome.values;
            const SectionProperties& g = s.exact;
            const double meanHeight = (s.dims[0] + s.dims[1]) / 2;
            const double shown = 2 * std::fabs(v.val7 / meanHeight - 1);
            EXPECT_TRUE(Near("A2", v.resA2, g.area, kExact, &worst));
            EXPECT_TRUE(Near("I2", v.resI2, g.inertia, kExact + shown, &worst));
            EXPECT_TRUE(Near("Z2", v.resZ2, g.inertia / g.eTop, kExact + shown, &worst));
            EXPECT_TRUE(Near("k²2", v.resK2, g.inertia / g.area, kExact + shown, &worst));
        }
        worst.Record("worst_deviation_shape_" + std::to_string(shape));
    }
}
