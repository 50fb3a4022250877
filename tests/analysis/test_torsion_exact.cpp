// The torsion quantities against exact solutions that owe nothing to the
// finite elements: the rectangle's series, the ellipse, the equilateral
// triangle, the circle and the tube, and the semicircle's torsion constant.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "analysis/torsion.h"

namespace velmora::analysis {
namespace {

constexpr double kPi = std::numbers::pi;

TorsionResult Numerical(ShapeType shape, std::vector<double> dims) {
    TorsionOptions options;
    options.closedForms = false;
    options.keepField = false;
    return ComputeTorsion(shape, dims, options);
}

void ExpectRelative(double actual, double expected, double tolerance, const char* what) {
    EXPECT_LE(std::abs(actual - expected), tolerance * std::abs(expected))
        << what << ": " << actual << " against " << expected;
}

// Saint-Venant's series for a rectangle with sides b ≤ h.
double RectangleJ(double h, double b) {
    if (b > h) std::swap(h, b);
    double sum = 0;
    for (int n = 1; n < 200; n += 2) sum += std::tanh(n * kPi * h / (2 * b)) / std::pow(n, 5);
    return h * b * b * b / 3 * (1 - 192 * b / (std::pow(kPi, 5) * h) * sum);
}

// The largest stress per unit twist, at the middle of a long side.
double RectangleMaxStress(double h, double b) {
    if (b > h) std::swap(h, b);
    double sum = 0;
    for (int n = 1; n < 200; n += 2) sum += 1 / (n * n * std::cosh(n * kPi * h / (2 * b)));
    return b * (1 - 8 / (kPi * kPi) * sum);
}

TEST(TorsionExact, RectanglesAndTheSquareFollowTheirSeries) {
    for (const auto& [h, b] : std::vector<std::pair<double, double>>{{1, 1}, {2, 1}, {1, 3}, {10, 1}}) {
        const TorsionResult r = Numerical(0, {h, b});
        const double j = RectangleJ(h, b);
        ExpectRelative(r.J, j, 1e-9, "J");
        ASSERT_TRUE(r.Zt.has_value());
        ExpectRelative(*r.Zt, j / RectangleMaxStress(h, b), 1e-7, "Zt");
        // The estimate meets the tolerance and bounds the true error, down to
        // the mesh's own floor far below it.
        EXPECT_GE(r.errorJ + 1e-9 * j, std::abs(r.J - j));
        EXPECT_LE(r.errorJ, 1e-7 * r.J);
        // The largest stress sits on a long side's middle.
        ASSERT_TRUE(r.maxStressAt.has_value());
        const auto [x, y] = *r.maxStressAt;
        // h is the height, b the width.
        if (h > b) {
            EXPECT_NEAR(std::abs(x), b / 2, 1e-12 * b);
            EXPECT_NEAR(y, 0, 1e-3 * h);
        } else if (h < b) {
            EXPECT_NEAR(std::abs(y), h / 2, 1e-12 * h);
            EXPECT_NEAR(x, 0, 1e-3 * b);
        }
        EXPECT_EQ(r.xs, 0);
        EXPECT_EQ(r.ys, 0);
    }
    // The square as its own shape, and stood on a corner.
    for (ShapeType shape : {2, 4})
        ExpectRelative(Numerical(shape, {2}).J, RectangleJ(2, 2), 1e-9, "square J");
}

TEST(TorsionExact, EllipseFromTheElementsMatchesItsClosedForm) {
    const double a = 2, b = 1;  // vertical and horizontal semi-axes
    const TorsionResult fe = Numerical(14, {a, b});
    const double j = kPi * a * a * a * b * b * b / (a * a + b * b);
    const double k = (a * a - b * b) / (a * a + b * b);
    ExpectRelative(fe.J, j, 1e-9, "J");
    ExpectRelative(fe.Iw, kPi * a * a * a * b * b * b * k * k / 24, 1e-8, "Iw");
    ExpectRelative(*fe.Zt, kPi * a * b * b / 2, 1e-7, "Zt");
    // The closed form the program uses gives the same.
    const TorsionResult exact = ComputeTorsion(14, std::vector<double>{a, b});
    EXPECT_EQ(exact.method, TorsionMethod::ClosedForm);
    ExpectRelative(exact.J, fe.J, 1e-9, "closed-form J");
    ExpectRelative(exact.Iw, fe.Iw, 1e-8, "closed-form Iw");
    ExpectRelative(*exact.Zt, *fe.Zt, 1e-7, "closed-form Zt");
}

TEST(TorsionExact, SimilarHollowEllipseMatchesItsClosedForm) {
    const std::vector<double> dims{1, 2, 0.75, 1.5};  // a1, a2, b1, b2: inner half the outer
    const TorsionResult fe = Numerical(15, dims);
    const TorsionResult exact = ComputeTorsion(15, dims);
    EXPECT_EQ(exact.method, TorsionMethod::ClosedForm);
    ExpectRelative(fe.J, exact.J, 1e-9, "J");
    ExpectRelative(fe.Iw, exact.Iw, 1e-8, "Iw");
    ExpectRelative(*fe.Zt, *exact.Zt, 2e-7, "Zt");
}

TEST(TorsionExact, EquilateralTriangle) {
    const double b = 3;
    const TorsionResult r = Numerical(6, {b * std::sqrt(3.0) / 2, b});
    ExpectRelative(r.J, std::sqrt(3.0) * std::pow(b, 4) / 80, 1e-10, "J");
    ExpectRelative(r.Iw, std::sqrt(3.0) * std::pow(b, 6) / 40320, 1e-9, "Iw");
    ExpectRelative(*r.Zt, b * b * b / 20, 1e-9, "Zt");
    // Three axes of symmetry: the shear centre is the centroid.
    EXPECT_EQ(r.xs, 0);
    EXPECT_NEAR(r.ys, 0, 1e-12 * b);
}

TEST(TorsionExact, CircleAndTubeAreTheirPolarMoment) {
    for (const auto& [shape, dims] :
         std::vector<std::pair<ShapeType, std::vector<double>>>{{11, {2}}, {12, {1.2, 2}}}) {
        const double ro = dims.back() / 2, ri = shape == 12 ? dims[0] / 2 : 0;
        const double ip = kPi / 2 * (std::pow(ro, 4) - std::pow(ri, 4));
        const TorsionResult fe = Numerical(shape, dims), exact = ComputeTorsion(shape, dims);
        ExpectRelative(fe.J, ip, 1e-9, "J");
        ExpectRelative(exact.J, ip, 1e-14, "closed-form J");
        ExpectRelative(*fe.Zt, ip / ro, 1e-7, "Zt");
        ExpectRelative(*exact.Zt, ip / ro, 1e-14, "closed-form Zt");
        EXPECT_LE(std::abs(fe.Iw), 1e-9 * ip * 4 * ro * ro);
        EXPECT_EQ(exact.Iw, 0);
    }
}

TEST(TorsionExact, SemicircleTorsionConstant) {
    const double r = 1.5;
    const TorsionResult fe = Numerical(13, {r});
    ExpectRelative(fe.J, (kPi / 2 - 4 / kPi) * std::pow(r, 4), 1e-8, "J");
    EXPECT_EQ(fe.xs, 0);
}

}  // namespace
}  // namespace velmora::analysis
