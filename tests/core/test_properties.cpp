#include "core/properties.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <numbers>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "tests/core/section_oracle.h"

namespace velmora {
namespace {

using enum Property;
constexpr double kPi = std::numbers::pi;

SectionProperties Props(ShapeType shape, const InputTexts& texts, char separator = '.') {
    const PropertiesOutcome outcome = ComputeProperties(shape, texts, separator);
    if (const auto* error = std::get_if<SectionError>(&outcome)) ADD_FAILURE() << error->message;
    return std::get_if<SectionProperties>(&outcome) ? std::get<SectionProperties>(outcome)
                                                    : SectionProperties{};
}

std::string ErrorOf(const PropertiesOutcome& outcome) {
    const auto* error = std::get_if<SectionError>(&outcome);
    return error ? error->message : "(a section)";
}

// ---------------------------------------------------------------- oracle

bool Curved(int shape) { return FindShape(shape)->curved; }

// Random real sections: sizes spread over three decades, inner sizes a share
// of the outer ones.
std::vector<double> RandomDims(int shape, std::mt19937_64& rng) {
    std::uniform_real_distribution<double> share(0.05, 0.95), unit(0, 1);
    const auto size = [&] { return std::pow(10.0, 3 * unit(rng)); };
    switch (shape) {
        case 0:
        case 6: return {size(), size()};
        case 1: {
            const double h2 = size();
            return {h2 * share(rng), h2, size()};
        }
        case 3:
        case 5:
        case 12: {
            const double outer = size();
            return {outer * share(rng), outer};
        }
        case 10: {
            const double b = size();
            return {size(), b, 2 * b * unit(rng)};
        }
        case 14: {
            const double a = size();
            return {a, a * std::pow(10.0, 2 * unit(rng) - 1)};
        }
        case 15: {
            const double a2 = size(), b2 = a2 * std::pow(10.0, 2 * unit(rng) - 1);
            return {a2 * share(rng), a2, b2 * share(rng), b2};
        }
        case 16:
        case 17:
        case 18: {
            const double h2 = size(), b2 = h2 * std::pow(10.0, 2 * unit(rng) - 1);
            return {h2 * share(rng), h2, b2 * share(rng), b2};
        }
        default:
            if (shape >= 19) {
                const double h2 = size();
                return {h2 * share(rng), h2, h2 * std::pow(10.0, 2 * unit(rng) - 1),
                        h2 * std::pow(10.0, 2 * unit(rng) - 1)};
            }
            return {size()};
    }
}

struct Expected {
    double value;
    double scale;  // what the error is relative to
};

// Every property from the oracle's basic values, with the scale its error is
// measured against.
std::array<Expected, kPropertyCount> FromOracle(const oracle::Values& o) {
    std::array<Expected, kPropertyCount> e{};
    const auto set = [&](Property p, double v, double scale) { e[static_cast<std::size_t>(p)] = {v, scale}; };
    const auto plain = [&](Property p, double v) { set(p, v, std::fabs(v)); };
    const double mean = (o.ix + o.iy) / 2, radius = std::hypot((o.ix - o.iy) / 2, o.ixy);
    const double major = mean + radius, minor = (o.ix * o.iy - o.ixy * o.ixy) / major;
    plain(A, o.area);
    plain(e_top, o.eTop);
    plain(e_bottom, o.eBottom);
    plain(e_left, o.eLeft);
    plain(e_right, o.eRight);
    plain(Ix, o.ix);
    plain(Iy, o.iy);
    set(Ixy, o.ixy, std::sqrt(o.ix * o.iy));
    plain(Iu, major);
    set(Iv, minor, major);
    plain(Zx_top, o.ix / o.eTop);
    plain(Zx_bottom, o.ix / o.eBottom);
    plain(Zy_left, o.iy / o.eLeft);
    plain(Zy_right, o.iy / o.eRight);
    plain(ix, std::sqrt(o.ix / o.area));
    plain(iy, std::sqrt(o.iy / o.area));
    plain(iu, std::sqrt(major / o.area));
    set(iv, std::sqrt(minor / o.area), std::sqrt(major / o.area));
    plain(Ip, o.ix + o.iy);
    plain(Zpx, o.zpx);
    plain(Zpy, o.zpy);
    plain(fx, o.zpx / std::min(o.ix / o.eTop, o.ix / o.eBottom));
    plain(fy, o.zpy / std::min(o.iy / o.eLeft, o.iy / o.eRight));
    plain(perimeter, o.perimeter);
    set(alpha, 0, 0);  // checked apart
    return e;
}

class OracleTest : public testing::TestWithParam<int> {};

TEST_P(OracleTest, EveryPropertyAgreesOnRandomSections) {
    const int shape = GetParam();
    const double tolerance = Curved(shape) ? 1e-7 : 1e-9;
    std::mt19937_64 rng(20261208u + static_cast<unsigned>(shape));
    double worst = 0;
    for (int n = 0; n < 200; ++n) {
        const std::vector<double> dims = RandomDims(shape, rng);
        const PropertiesOutcome outcome = ComputeProperties(static_cast<ShapeType>(shape), dims);
        ASSERT_TRUE(std::holds_alternative<SectionProperties>(outcome)) << ErrorOf(outcome);
        const SectionProperties& p = std::get<SectionProperties>(outcome);
        const auto expected = FromOracle(oracle::Compute(shape, dims));
        for (const PropertyInfo& info : AllProperties()) {
            if (info.property == alpha) continue;
            const Expected& e = expected[static_cast<std::size_t>(info.property)];
            const double error = std::fabs(p[info.property] - e.value) / e.scale;
            worst = std::max(worst, error);
            ASSERT_LE(error, tolerance) << "shape " << shape << " section " << n << " " << info.key << ": "
                                        << p[info.property] << " against " << e.value;
        }
        // Only the L has no axis of symmetry; for it the angle follows from
        // tan 2α = −2·Ixy ÷ (Ix − Iy), the u axis taking the larger moment.
        ASSERT_EQ(p.hasPrincipalAxes(), shape == 24) << "shape " << shape;
        if (shape == 24) {
            const double a = p[alpha] * kPi / 180;
            const double c = std::cos(a), s = std::sin(a);
            const double along = p[Ix] * c * c + p[Iy] * s * s - 2 * p[Ixy] * s * c;
            EXPECT_NEAR(along / p[Iu], 1, 1e-12);
            EXPECT_GT(p[alpha], -90);
            EXPECT_LE(p[alpha], 90);
        } else {
            EXPECT_EQ(p[Ixy], 0);
            EXPECT_TRUE(p[alpha] == 0 || p[alpha] == 90);
        }
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.2e", worst);
    RecordProperty("worst_relative_error", text);
}

// Every property scales with the size to its length power, right out to the
// ends of the single-precision range the texts can reach.
TEST_P(OracleTest, PropertiesScaleToTheEndsOfTheSingleRange) {
    const int shape = GetParam();
    std::mt19937_64 rng(7u + static_cast<unsigned>(shape));
    const std::vector<double> base = RandomDims(shape, rng);
    const auto compute = [&](const std::vector<double>& dims) {
        const PropertiesOutcome outcome = ComputeProperties(static_cast<ShapeType>(shape), dims);
        EXPECT_TRUE(std::holds_alternative<SectionProperties>(outcome)) << ErrorOf(outcome);
        return std::holds_alternative<SectionProperties>(outcome) ? std::get<SectionProperties>(outcome)
                                                                  : SectionProperties{};
    };
    const SectionProperties reference = compute(base);
    // Sizes from 1 to 1000 become 7E-40 to 7E-37 and 8E+34 to 8E+37; powers
    // of 2 keep the scaled sizes exact.
    for (const double scale : {0x1p-130, 0x1p+116}) {
        std::vector<double> dims = base;
        for (double& d : dims) d *= scale;
        const SectionProperties p = compute(dims);
        for (const PropertyInfo& info : AllProperties()) {
            const double expected = reference[info.property] * std::pow(scale, info.lengthPower);
            const double size = info.property == Ixy ? std::sqrt(p[Ix] * p[Iy]) : std::fabs(expected);
            EXPECT_LE(std::fabs(p[info.property] - expected), 1e-12 * size)
                << "shape " << shape << " scale " << scale << " " << info.key;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllShapes, OracleTest, testing::Range(0, kShapeCount));

// ---------------------------------------------------------------- by hand

// Textbook closed forms, one or more per shape.
TEST(PropertiesByHand, TextbookClosedForms) {
    const double r2 = std::sqrt(2.0), r3 = std::sqrt(3.0);
    const struct {
        ShapeType shape;
        InputTexts texts;
        Property property;
        double expected;
    } cases[] = {
        {1, {"100", "300", "150"}, Ix, 150 * (27e6 - 1e6) / 12},
        {1, {"100", "300", "150"}, Zpx, 150 * (9e4 - 1e4) / 4},
        {2, {"300"}, Zpx, 27e6 / 4},
        {3, {"100", "300"}, Zpx, (27e6 - 1e6) / 4},
        {3, {"100", "300"}, perimeter, 1600},
        {4, {"300"}, Zpx, 27e6 / (3 * r2)},  // two triangles about their bases
        {4, {"300"}, e_top, 300 / r2},
        {5, {"100", "300"}, Zx_top, r2 * (81e8 - 1e8) / (12 * 300)},
        {6, {"300", "150"}, Ix, 150 * 27e6 / 36},
        {6, {"300", "150"}, e_top, 200},
        {6, {"300", "150"}, Zpx, 150 * 9e4 * (2 - r2) / 6},  // equal-area line h/√2 below the apex
        {6, {"300", "150"}, perimeter, 150 + 2 * std::hypot(300, 75)},
        {7, {"300"}, A, 1.5 * r3 * 9e4},
        {7, {"300"}, Ix, 5 * r3 / 16 * 81e8},
        {7, {"300"}, Zpx, 27e6},  // twice the first moment of a half hexagon: b³
        {8, {"300"}, Zx_top, 5 * r3 / 16 * 27e6},
        {8, {"300"}, perimeter, 1800},
        {9, {"300"}, perimeter, 16 * 300 * std::sin(kPi / 8)},
        {10, {"300", "150", "60"}, e_bottom, 300 * (210 + 2 * 150) / (3.0 * 360)},
        {10, {"300", "150", "60"}, Ix, 27e6 * (150 * 150 + 4 * 150 * 210 + 210 * 210) / (36 * 360)},
        {12, {"80", "100"}, Zpx, (1e6 - 512e3) / 6},
        {12, {"80", "100"}, perimeter, 180 * kPi},
        {14, {"300", "150"}, Ix, kPi * 27e6 * 150 / 4},
        {14, {"300", "150"}, Zpy, 4 * 300 * 22500 / 3.0},
        {14, {"150", "150"}, perimeter, 300 * kPi},
        {15, {"50", "100", "30", "80"}, Zpx, 4 * (1e4 * 80 - 2500 * 30) / 3.0},
        {16, {"260", "300", "120", "150"}, Zpx, (150 * 9e4 - 120 * 67600) / 4},
        {17, {"260", "300", "120", "150"}, Zpy, 2 * 20 * 22500 / 4.0 + 260 * 900 / 4.0},
        {18, {"260", "300", "120", "150"}, Ix, (150 * 27e6 - 120 * 17576e3) / 12},
        {19, {"100", "300", "120", "150"}, Ix, (150 * 27e6 + 120 * 1e6) / 12},
        {20, {"100", "300", "120", "150"}, Zpx, (150 * 9e4 + 120 * 1e4) / 4},
        {21, {"100", "300", "120", "150"}, Zx_bottom, (150 * 27e6 + 120 * 1e6) / 12 / 150},
        {22, {"100", "300", "120", "150"}, e_bottom, (1e4 * 120 + 9e4 * 150) / (2.0 * 57000)},
        {23, {"100", "300", "120", "150"}, perimeter, 2 * (120 + 150 + 300)},
    };
    for (const auto& c : cases) {
        const SectionProperties p = Props(c.shape, c.texts);
        EXPECT_NEAR(p[c.property] / c.expected, 1, 1e-14)
            << "shape " << c.shape << " " << Info(c.property).key;
    }
}

TEST(PropertiesByHand, Rectangle300By150) {
    const SectionProperties p = Props(0, {"300", "150"});
    EXPECT_EQ(PropertyText(p[A]), "45000");
    EXPECT_EQ(PropertyText(p[Ix]), "3.375E+08");
    EXPECT_EQ(PropertyText(p[Iy]), "8.4375E+07");
    EXPECT_EQ(p[Zpx], 3375000);
    EXPECT_EQ(p[Zpy], 1687500);
    EXPECT_EQ(p[fx], 1.5);
    EXPECT_EQ(p[fy], 1.5);
    EXPECT_EQ(p[Zx_top], 2250000);
    EXPECT_EQ(p[Zy_right], 1125000);
    EXPECT_EQ(p[e_top], 150);
    EXPECT_EQ(p[e_left], 75);
    EXPECT_EQ(p[perimeter], 900);
    EXPECT_EQ(p[Ip], 337500000.0 + 84375000.0);
    EXPECT_EQ(PropertyText(p[ix]), "86.60254");  // 300/√12
    EXPECT_FALSE(p.hasPrincipalAxes());
    EXPECT_EQ(p[Iu], p[Ix]);
    EXPECT_EQ(p[Iv], p[Iy]);
    EXPECT_EQ(p[alpha], 0);
}

TEST(PropertiesByHand, EqualLegAngle) {
    // Upright 10 × 100 and foot 90 × 10: centroid 545/19 from the outer faces
    // both ways; product of inertia by the parallel axes of the two rectangles.
    const SectionProperties p = Props(24, {"10", "100", "90", "10"});
    const double ixx = 1e7 / 12 + 1000 * std::pow(405.0 / 19, 2) + 9e4 / 12 + 900 * std::pow(450.0 / 19, 2);
    const double ixy = -384750000.0 / 361;
    EXPECT_NEAR(p[e_bottom], 545.0 / 19, 1e-12);
    EXPECT_NEAR(p[e_left], 545.0 / 19, 1e-12);
    EXPECT_NEAR(p[Ix] / ixx, 1, 1e-14);
    EXPECT_NEAR(p[Iy] / ixx, 1, 1e-14);
    EXPECT_NEAR(p[Ixy] / ixy, 1, 1e-14);
    EXPECT_TRUE(p.hasPrincipalAxes());
    EXPECT_NEAR(p[Iu] / (ixx - ixy), 1, 1e-14);
    EXPECT_NEAR(p[Iv] / (ixx + ixy), 1, 1e-12);
    EXPECT_NEAR(p[alpha], 45, 1e-12);
    EXPECT_EQ(PropertyText(p[Ixy]), "-1065789");
}

TEST(PropertiesByHand, UnequalAngle) {
    // Upright 10 × 60, foot 10 high reaching 90 beyond: A = 1500,
    // x̄ = (600·5 + 900·55)/1500 = 35, ȳ = (600·30 + 900·5)/1500 = 15.
    const SectionProperties p = Props(24, {"10", "60", "90", "10"});
    const double ixx = 10 * 216000.0 / 12 + 600 * 225 + 90 * 1000.0 / 12 + 900 * 100;
    const double iyy = 60 * 1000.0 / 12 + 600 * 900 + 10 * 729000.0 / 12 + 900 * 400;
    const double ixy = 600 * (-30.0) * 15 + 900 * 20.0 * (-10);
    EXPECT_NEAR(p[Ix] / ixx, 1, 1e-14);
    EXPECT_NEAR(p[Iy] / iyy, 1, 1e-14);
    EXPECT_NEAR(p[Ixy] / ixy, 1, 1e-14);
    const double alphaRad = std::atan2(-2 * ixy, ixx - iyy) / 2;
    EXPECT_NEAR(p[alpha], alphaRad * 180 / kPi, 1e-12);
    EXPECT_GT(p[alpha], 45);  // the long foot: the u axis lies nearer to y
    const double mean = (ixx + iyy) / 2, r = std::hypot((ixx - iyy) / 2, ixy);
    EXPECT_NEAR(p[Iu] / (mean + r), 1, 1e-14);
    EXPECT_NEAR(p[Iv] / (mean - r), 1, 1e-13);
    EXPECT_EQ(p[e_top], 45);
    EXPECT_EQ(p[e_right], 65);
    // Equal-area axes: 750 of the 1500 lie below y = 7.5 (the foot is 100
    // wide there) and left of x = 25 (the upright's 600 and 15 × 10 of foot).
    const double zpx = 100 * 7.5 * 7.5 / 2 + 100 * 2.5 * 2.5 / 2 + 10 * 50 * (2.5 + 25);
    EXPECT_NEAR(p[Zpx] / zpx, 1, 1e-14);
    const double zpy = 60 * 10 * 20 + 10 * 15 * 15 / 2.0 + 10 * 75 * 75 / 2.0;
    EXPECT_NEAR(p[Zpy] / zpy, 1, 1e-14);
    EXPECT_EQ(p[perimeter], 2 * (90 + 10 + 60));
}

TEST(PropertiesByHand, FlatWideAngleKeepsItsSmallPrincipalMoment) {
    // An upright far wider than high, at the largest ratio of sizes: Iv is
    // some 1e-10 of Iu, and taking it as the mean less the radius would keep
    // only its first six digits (further apart, it lost Iv entirely).
    const SectionProperties p = Props(24, {"4", "30", "200", "4E+6"});
    const long double det =
        static_cast<long double>(p[Ix]) * p[Iy] - static_cast<long double>(p[Ixy]) * p[Ixy];
    EXPECT_GT(p[Iv], 0);
    EXPECT_NEAR(static_cast<double>(det / p[Iu] / p[Iv]), 1, 1e-12);
    EXPECT_LE(p[Iv], p[Ix]);
    EXPECT_GT(p[iv], 0);
}

TEST(PropertiesByHand, Circle) {
    const SectionProperties p = Props(11, {"100"});
    EXPECT_NEAR(p[A], 2500 * kPi, 1e-9);
    EXPECT_NEAR(p[Ix], kPi * 1e8 / 64, 1e-6);
    EXPECT_EQ(p[Ix], p[Iy]);
    EXPECT_NEAR(p[Zpx], 1e6 / 6, 1e-9);
    EXPECT_NEAR(p[fx], 16 / (3 * kPi), 1e-15);
    EXPECT_NEAR(p[perimeter], 100 * kPi, 1e-12);
    EXPECT_NEAR(p[ix], 25, 1e-13);
    EXPECT_EQ(PropertyText(p[A]), "7853.982");
    // The calculator stores 7853.981 and 4908738 (single precision).
    const auto notes = CalculatorFootnotes(11, {"100"}, p);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].result, "A");
    EXPECT_EQ(notes[0].calculatorText, "7853.981");
    EXPECT_EQ(notes[0].exactText, "7853.982");
    EXPECT_NE(notes[0].reason.find("単精度"), std::string::npos);
    EXPECT_EQ(notes[1].result, "I");
    EXPECT_EQ(notes[1].calculatorText, "4908738");
    EXPECT_EQ(notes[1].exactText, "4908739");
}

TEST(PropertiesByHand, SemicircleAndItsFootnote) {
    const SectionProperties p = Props(13, {"100"});
    const double ybar = 400 / (3 * kPi);
    const double ixx = (kPi / 8 - 8 / (9 * kPi)) * 1e8;
    EXPECT_NEAR(p[e_bottom], ybar, 1e-12);
    EXPECT_NEAR(p[e_top], 100 - ybar, 1e-12);
    EXPECT_NEAR(p[Ix] / ixx, 1, 1e-15);
    EXPECT_NEAR(p[Zpy], 2e6 / 3, 1e-8);
    // The equal-area line at t·r halves the half disc.
    const double t = (p[Zpx] / 1e6 + 2.0 / 3) * 3 / 4;  // (1 − t²)^(3/2)
    const double tt = std::sqrt(1 - std::pow(t, 2.0 / 3));
    EXPECT_NEAR(tt * std::sqrt(1 - tt * tt) + std::asin(tt), kPi / 4, 1e-13);
    const auto notes = CalculatorFootnotes(13, {"100"}, p);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].result, "Z");
    EXPECT_EQ(notes[0].property, Zx_top);
    EXPECT_EQ(notes[0].calculatorText, "190800");
    EXPECT_EQ(notes[0].exactText, PropertyText(ixx / (100 - ybar)));
    EXPECT_EQ(notes[0].reason, "電卓の公式は丸めた係数 0.1908 を用いるため、厳密な値と異なります。");
    // The second line's modulus, the flat side's, gets its footnote too.
    EXPECT_EQ(notes[1].result, "Z2");
    EXPECT_EQ(notes[1].property, Zx_bottom);
    EXPECT_EQ(notes[1].calculatorText, "258700");
    EXPECT_EQ(notes[1].exactText, PropertyText(ixx / ybar));
    EXPECT_EQ(notes[1].reason, "電卓の公式は丸めた係数 0.2587 を用いるため、厳密な値と異なります。");
}

TEST(PropertiesByHand, SecondModulusFootnoteOnlyWhereItsTextDiffers) {
    // Triangle h = 9, b = 6: Z to the base is b·h²/12 = 40.5, as the calculator
    // shows it; no footnote for it.
    for (const CalculatorFootnote& note : CalculatorFootnotes(6, {"9", "6"}, Props(6, {"9", "6"})))
        EXPECT_NE(note.result, "Z2");
    // Triangle h = 7, b = 3: b·h²/12 = 12.25 exactly in both.
    const SectionProperties t = Props(6, {"7", "3"});
    EXPECT_NEAR(t[Zx_bottom], 3 * 49 / 12.0, 1e-12);
    for (const CalculatorFootnote& note : CalculatorFootnotes(6, {"7", "3"}, t)) EXPECT_NE(note.result, "Z2");
}

TEST(PropertiesByHand, AValueSinglePrecisionLosesSaysSo) {
    // A rectangle 1e-12 × 1e-12: A = 1e-24 fits single precision, I = 1e-48/12
    // does not and is stored as 0.
    const SectionProperties p = Props(0, {"1e-12", "1e-12"});
    EXPECT_NEAR(p[Ix] / (1e-48 / 12), 1, 1e-6);
    const auto notes = CalculatorFootnotes(0, {"1e-12", "1e-12"}, p);
    bool sawI = false;
    for (const CalculatorFootnote& note : notes) {
        if (note.result != "I") continue;
        sawI = true;
        EXPECT_EQ(note.calculatorText, "0");
        EXPECT_NE(note.reason.find("0 になります"), std::string::npos) << note.reason;
        EXPECT_EQ(note.reason.find("最後の桁"), std::string::npos) << note.reason;
    }
    EXPECT_TRUE(sawI);
    // A figure that only differs in its last digit keeps the single-precision reason.
    for (const CalculatorFootnote& note : CalculatorFootnotes(11, {"100"}, Props(11, {"100"})))
        EXPECT_NE(note.reason.find("最後の桁"), std::string::npos);
}

TEST(PropertiesByHand, OctagonFootnotesNameTheRoundedCoefficients) {
    const InputTexts texts{"300"};
    const SectionProperties p = Props(9, texts);
    EXPECT_NEAR(p[A] / (2 * std::sqrt(2.0) * 90000), 1, 1e-15);
    EXPECT_NEAR(p[Ix] / ((1 + 2 * std::sqrt(2.0)) / 6 * 8.1e9), 1, 1e-15);
    std::set<std::string> coefficients;
    for (const CalculatorFootnote& note : CalculatorFootnotes(9, texts, p))
        if (note.reason.find("係数") != std::string::npos) coefficients.insert(std::string(note.result));
    EXPECT_EQ(coefficients, (std::set<std::string>{"A", "Z", "k2"}));
}

// The thin-wall line's notes, keyed by result.
std::map<std::string, CalculatorFootnote> ThinWallNotes(ShapeType shape, const InputTexts& texts,
                                                        char separator = '.') {
    std::map<std::string, CalculatorFootnote> notes;
    for (CalculatorFootnote& note :
         CalculatorFootnotes(shape, texts, Props(shape, texts, separator), separator, true))
        if (note.result == "A2" || note.result == "I2" || note.result == "Z2" || note.result == "K2")
            notes[std::string(note.result)] = std::move(note);
    return notes;
}

TEST(PropertiesByHand, ThinWallLineFootnotesSayHowFarTheApproximationIs) {
    // Tube d1 = 80, d2 = 100: the calculator derives dm = 90, t = 10. Thin-wall
    // I = π·dm³·t/8 = 911250π against π(d2⁴ − d1⁴)/64 = 922500π (1.2 % less);
    // Z = π·dm²·t/4 = 20250π against I/50 = 18450π (9.8 % more); k² = dm²/8 =
    // 1012.5 against (d1² + d2²)/16 = 1025 (1.2 % less). A = π·dm·t is exact.
    auto notes = ThinWallNotes(12, {"80", "100"});
    ASSERT_EQ(notes.count("I2"), 1u);
    EXPECT_EQ(notes["I2"].property, Ix);
    EXPECT_EQ(notes["I2"].calculatorText, "2862776");
    EXPECT_EQ(notes["I2"].exactText, PropertyText(922500 * kPi));
    EXPECT_EQ(notes["I2"].reason, "2 行目は肉厚を用いた薄肉近似のため、厳密な値より 1.2 % 小さくなります。");
    ASSERT_EQ(notes.count("Z2"), 1u);
    EXPECT_EQ(notes["Z2"].property, Zx_top);
    EXPECT_EQ(notes["Z2"].reason, "2 行目は肉厚を用いた薄肉近似のため、厳密な値より 9.8 % 大きくなります。");
    ASSERT_EQ(notes.count("K2"), 1u);
    EXPECT_EQ(notes["K2"].property, ix);
    EXPECT_EQ(notes["K2"].calculatorText, "1012.5");
    EXPECT_EQ(notes["K2"].exactText, "1025");
    EXPECT_EQ(notes["K2"].reason, "2 行目は肉厚を用いた薄肉近似のため、厳密な値より 1.2 % 小さくなります。");
    if (notes.count("A2")) {
        EXPECT_NE(notes["A2"].reason.find("単精度"), std::string::npos) << notes["A2"].reason;
    }

    // A thinner wall comes closer, and a small percentage keeps two digits
    // without an exponent: d1 = 98, d2 = 100 (dm = 99, t = 1), k² = 1225.125
    // against 1225.25, 0.0102 % less.
    notes = ThinWallNotes(12, {"98", "100"});
    ASSERT_EQ(notes.count("K2"), 1u);
    EXPECT_EQ(notes["K2"].calculatorText, "1225.125");
    EXPECT_EQ(notes["K2"].exactText, "1225.25");
    EXPECT_EQ(notes["K2"].reason,
              "2 行目は肉厚を用いた薄肉近似のため、厳密な値より 0.010 % 小さくなります。");

    // The decimal comma where the locale writes one.
    notes = ThinWallNotes(12, {"80", "100"}, ',');
    EXPECT_NE(notes["Z2"].reason.find("9,8 %"), std::string::npos) << notes["Z2"].reason;
}

TEST(PropertiesByHand, ThinWallFootnotesOnlyWhileTheOptionIsTicked) {
    // Unticked, the calculator shows no thin-wall line: nothing to footnote.
    for (const CalculatorFootnote& note : CalculatorFootnotes(12, {"80", "100"}, Props(12, {"80", "100"})))
        EXPECT_TRUE(note.result == "A" || note.result == "I" || note.result == "Z" || note.result == "k2")
            << note.result;
    // The box's thin-wall formulas are exact for the derived t1, t2 and ~h:
    // its line differs by single precision at most, never by the approximation.
    for (const InputTexts& box : {InputTexts{"8", "10", "4", "6"}, InputTexts{"7", "10", "3", "6"},
                                  InputTexts{"200", "300", "140", "160"}})
        for (const auto& [result, note] : ThinWallNotes(16, box))
            EXPECT_EQ(note.reason.find("薄肉近似"), std::string::npos) << result << " " << note.reason;
    // The I-section (17) with flanges 10 thick: the same exact formulas.
    for (const auto& [result, note] : ThinWallNotes(17, {"280", "300", "190", "200"}))
        EXPECT_EQ(note.reason.find("薄肉近似"), std::string::npos) << result << " " << note.reason;
}

TEST(PropertiesByHand, NoFootnoteWhereTheTextsAgreeOrTheCalculatorFails) {
    EXPECT_TRUE(CalculatorFootnotes(0, {"300", "150"}, Props(0, {"300", "150"})).empty());
    // The calculator overflows single precision; nothing to compare with.
    const SectionProperties big = Props(0, {"1E+20", "1E+20"});
    EXPECT_TRUE(CalculatorFootnotes(0, {"1E+20", "1E+20"}, big).empty());
    EXPECT_TRUE(CalculatorFootnotes(30, {"1"}, big).empty());
}

TEST(PropertiesByHand, ThicknessOptionSlotsAreNotRead) {
    // The tube's dm and t and the box's t1, t2, ~h do not enter the exact section.
    const SectionProperties tube = Props(12, {"80", "100", "x", ""});
    EXPECT_NEAR(tube[A], (1e4 - 6400) * kPi / 4, 1e-9);
    const SectionProperties box = Props(16, {"8", "10", "4", "6", "nonsense", "", ""});
    EXPECT_EQ(box[A], 28);
    EXPECT_NEAR(box[Ix], (6 * 1000 - 4 * 512) / 12.0, 1e-12);
}

TEST(PropertiesByHand, TextsAreReadInSingleThenWidened) {
    const SectionProperties p = Props(0, {"0.1", "1"});
    EXPECT_EQ(p[e_top], static_cast<double>(0.1f) / 2);
    const SectionProperties comma = Props(0, {"0,1", "1"}, ',');
    EXPECT_EQ(comma[A], p[A]);
}

// ---------------------------------------------------------------- validity

struct Invalid {
    ShapeType shape;
    InputTexts texts;
    std::string message;
};

TEST(SectionChecks, EachFaultIsNamed) {
    const std::string kRatio = "寸法の比が大きすぎて正確に計算できません（最大の寸法は最小の 100 万倍まで）";
    const Invalid cases[] = {
        {0, {"0", "1"}, "h は 0 より大きくして下さい"},
        {0, {"1", "-2"}, "b は 0 より大きくして下さい"},
        {0, {"", "1"}, "h の値を読み取れません"},
        {0, {"1", "abc"}, "b の値を読み取れません"},
        {0, {"1E+39", "1"}, "h の値を読み取れません"},
        {1, {"10", "10", "3"}, "h1 は h2 より小さくして下さい"},
        {1, {"12", "10", "3"}, "h1 は h2 より小さくして下さい"},
        {3, {"10", "8"}, "h1 は h2 より小さくして下さい"},
        {5, {"0", "8"}, "h1 は 0 より大きくして下さい"},
        {6, {"3", "0"}, "b は 0 より大きくして下さい"},
        {9, {"-1"}, "r は 0 より大きくして下さい"},
        {10, {"3", "2", "-0.5"}, "b1 は 0 以上にして下さい"},
        {11, {"0"}, "d は 0 より大きくして下さい"},
        {12, {"100", "80"}, "d1 は d2 より小さくして下さい"},
        {13, {"r"}, "r の値を読み取れません"},
        {14, {"2", "0"}, "b は 0 より大きくして下さい"},
        {15, {"90", "100", "50", "50"}, "b1 は b2 より小さくして下さい"},
        {15, {"100", "100", "40", "50"}, "a1 は a2 より小さくして下さい"},
        {16, {"8", "10", "6", "6"}, "b1 は b2 より小さくして下さい"},
        {17, {"10", "10", "4", "6"}, "h1 は h2 より小さくして下さい"},
        {18, {"8", "10", "7", "6"}, "b1 は b2 より小さくして下さい"},
        {19, {"11", "10", "4", "6"}, "h1 は h2 より小さくして下さい"},
        {20, {"1", "10", "0", "6"}, "b1 は 0 より大きくして下さい"},
        {21, {"1", "10", "4", "0"}, "b2 は 0 より大きくして下さい"},
        {22, {"10", "10", "4", "6"}, "h1 は h2 より小さくして下さい"},
        {23, {"1", "10", "4", "x"}, "b2 の値を読み取れません"},
        {24, {"12", "10", "4", "6"}, "h1 は h2 より小さくして下さい"},
        // The first failing condition in slot order: h1 < h2 is complete at
        // slot 2, before b1 is looked at.
        {16, {"12", "10", "0", "6"}, "h1 は h2 より小さくして下さい"},
        {16, {"8", "10", "x", "-1"}, "b1 の値を読み取れません"},
        {16, {"8", "-10", "x", "6"}, "h2 は 0 より大きくして下さい"},
        // Straight-sided sections whose sizes lie more than 10⁶ apart, which
        // double precision cannot resolve about the centroid (the L below gave
        // an Iy 10¹¹ times too large); curved sections keep their precision.
        {24, {"2", "3333333333333333333333333E+4", "113333333333330", "320"}, kRatio},
        {0, {"0.001", "1000.001"}, kRatio},
        {10, {"1", "1E+7", "0"}, kRatio},
        {-1, {"1"}, "計算する断面形状がありません"},
        {25, {"1"}, "計算する断面形状がありません"},
        {kNoShape, {"1"}, "計算する断面形状がありません"},
    };
    for (const Invalid& c : cases)
        EXPECT_EQ(ErrorOf(ComputeProperties(c.shape, c.texts)), c.message) << "shape " << c.shape;
}

TEST(SectionChecks, SizesUpToAMillionApartAreComputed) {
    for (const auto& [shape, dims] : std::initializer_list<std::pair<ShapeType, std::vector<double>>>{
             {0, {0.001, 1000}}, {24, {1, 1e6, 1e6, 1}}, {10, {1, 1e6, 0}}, {12, {1e-3, 1e6}}, {11, {1e-30}}})
        EXPECT_TRUE(std::holds_alternative<SectionProperties>(ComputeProperties(shape, dims)))
            << "shape " << shape << ": " << ErrorOf(ComputeProperties(shape, dims));
}

TEST(SectionChecks, NumbersGiveTheSameConditionsAndTheCountIsChecked) {
    EXPECT_EQ(ErrorOf(ComputeProperties(3, std::vector<double>{2, 1})), "h1 は h2 より小さくして下さい");
    EXPECT_EQ(ErrorOf(ComputeProperties(0, std::vector<double>{1})), "寸法の数が断面形状と合いません");
    EXPECT_EQ(ErrorOf(ComputeProperties(0, std::vector<double>{1, std::nan("")})),
              "b は 0 より大きくして下さい");
    EXPECT_TRUE(
        std::holds_alternative<SectionProperties>(ComputeProperties(10, std::vector<double>{3, 2, 0})));
    // Beyond what double precision can hold (no single-precision text gets there).
    EXPECT_EQ(ErrorOf(ComputeProperties(0, std::vector<double>{1e100, 1e100})),
              "寸法が大きすぎるか小さすぎて計算できません");
}

// ---------------------------------------------------------------- table

TEST(PropertyTable, KeysNamesAndPowers) {
    std::set<std::string_view> keys, names, symbols;
    int index = 0;
    for (const PropertyInfo& info : AllProperties()) {
        EXPECT_EQ(static_cast<int>(info.property), index++);
        keys.insert(info.key);
        names.insert(info.japaneseName);
        symbols.insert(info.symbol);
        EXPECT_EQ(PropertyForKey(info.key), info.property);
        EXPECT_EQ(&Info(info.property), &info);
    }
    EXPECT_EQ(index, kPropertyCount);
    EXPECT_EQ(keys.size(), static_cast<std::size_t>(kPropertyCount));
    EXPECT_EQ(names.size(), static_cast<std::size_t>(kPropertyCount));
    EXPECT_EQ(symbols.size(), static_cast<std::size_t>(kPropertyCount));
    EXPECT_EQ(PropertyForKey("zx_top"), std::nullopt);
    EXPECT_EQ(Info(Zx_top).japaneseName, "断面係数（上縁）");
    EXPECT_EQ(Info(Ix).lengthPower, 4);
    EXPECT_EQ(Info(Zpy).lengthPower, 3);
    EXPECT_EQ(Info(A).lengthPower, 2);
    EXPECT_EQ(Info(iv).lengthPower, 1);
    EXPECT_EQ(Info(alpha).lengthPower, 0);
    const std::set<Property> principal{Iu, Iv, alpha, iu, iv};
    for (const PropertyInfo& info : AllProperties())
        EXPECT_EQ(info.principal, principal.contains(info.property));
}

TEST(PropertyTable, ProductNoiseIsNoPrincipalAxis) {
    SectionProperties p;
    p[Ix] = 4;
    p[Iy] = 1;
    p[Ixy] = 1e-13;
    EXPECT_FALSE(p.hasPrincipalAxes());
    p[Ixy] = -1e-11;
    EXPECT_TRUE(p.hasPrincipalAxes());
    p[Ix] = p[Iy] = 1;
    p[Ixy] = 1e-12;  // exactly at the threshold: still noise
    EXPECT_FALSE(p.hasPrincipalAxes());
    // Moments near the top of the double range: the threshold must not overflow.
    p[Ix] = p[Iy] = 1e160;
    p[Ixy] = -1e159;
    EXPECT_TRUE(p.hasPrincipalAxes());
}

// ---------------------------------------------------------------- units

TEST(DisplayUnits, MillimetresShownInCentimetres) {
    const SectionProperties p = Props(0, {"300", "150"});
    const double f = LengthFactor("mm", "cm").value();
    EXPECT_EQ(Convert(Ix, p[Ix], f), 33750);
    EXPECT_EQ(PropertyText(Convert(Ix, p[Ix], f)), "33750");
    EXPECT_EQ(PropertyText(Convert(Zx_top, p[Zx_top], f)), "2250");
    EXPECT_EQ(PropertyText(Convert(A, p[A], f)), "450");
    EXPECT_EQ(PropertyText(Convert(ix, p[ix], f)), "8.660254");
    EXPECT_EQ(Convert(fx, p[fx], f), 1.5);
    EXPECT_EQ(Convert(alpha, 45, f), 45);
    EXPECT_EQ(PropertyUnit(Ix, "cm"), "cm⁴");
    EXPECT_EQ(PropertyUnit(Zpx, "cm"), "cm³");
    EXPECT_EQ(PropertyUnit(A, "尺"), "尺²");
    EXPECT_EQ(PropertyUnit(perimeter, "in"), "in");
    EXPECT_EQ(PropertyUnit(alpha, "mm"), "°");
    EXPECT_EQ(PropertyUnit(fy, "mm"), "");
}

TEST(DisplayUnits, ExactFactors) {
    EXPECT_EQ(LengthFactor("in", "mm"), 25.4);
    EXPECT_EQ(LengthFactor("ft", "mm"), 304.8);
    EXPECT_EQ(LengthFactor("ft", "in"), 12);
    EXPECT_EQ(LengthFactor("尺", "寸"), 10);
    EXPECT_EQ(LengthFactor("尺", "分"), 100);
    EXPECT_EQ(LengthFactor("寸", "分"), 10);
    EXPECT_EQ(LengthFactor("尺", "m"), 10.0 / 33);
    EXPECT_EQ(LengthFactor("m", "尺"), 3.3);
    EXPECT_EQ(LengthFactor("尺", "mm"), 10000.0 / 33);
    EXPECT_EQ(LengthFactor("cm", "cm"), 1);
    EXPECT_EQ(LengthFactor("none", "mm"), std::nullopt);
    EXPECT_EQ(LengthFactor("mm", ""), std::nullopt);
}

TEST(DisplayUnits, EveryPairRoundTrips) {
    const std::vector<std::string> units{"mm", "cm", "m", "in", "ft", "尺", "寸", "分"};
    for (const std::string& from : units)
        for (const std::string& to : units) {
            const double there = LengthFactor(from, to).value(), back = LengthFactor(to, from).value();
            EXPECT_NEAR(there * back, 1, 4e-16) << from << " " << to;
            for (const Property p : {A, Ix, Zx_top, ix, fx}) {
                const double v = 123456.789;
                EXPECT_NEAR(Convert(p, Convert(p, v, there), back) / v, 1, 1e-14) << from << " " << to;
            }
        }
}

// ---------------------------------------------------------------- text

TEST(PropertyTextRule, EdgeCases) {
    const struct {
        double value;
        std::string text;
    } cases[] = {
        {84375000, "8.4375E+07"},
        {1234567.5, "1234568"},  // exact tie: to even
        {1234568.5, "1234568"},  // exact tie: to even
        {12345665, "1.234566E+07"},
        {12345675, "1.234568E+07"},
        {9999999, "9999999"},
        {9999999.4, "9999999"},
        {9999999.5, "1E+07"},  // rounds up into E notation
        {10000000, "1E+07"},
        {12345678, "1.234568E+07"},
        {-0.0, "0"},
        {0, "0"},
        {-1234.5, "-1234.5"},
        {1.0 / 3, "0.3333333"},
        {0.0001, "0.0001"},
        {0.00001234, "1.234E-05"},
        {1e-300, "1E-300"},
        {-2.5e20, "-2.5E+20"},
    };
    for (const auto& c : cases) EXPECT_EQ(PropertyText(c.value), c.text) << c.value;
    EXPECT_EQ(PropertyText(0.5, ','), "0,5");
    EXPECT_EQ(PropertyText(12345678, ','), "1,234568E+07");
}

}  // namespace
}  // namespace velmora
