#include "tests/core/section_oracle.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <stdexcept>
#include <vector>

namespace velmora::oracle {
namespace {

constexpr double kPi = std::numbers::pi;

// A horizontal slab from y0 to y1: straight sides from (xl0, y0) to (xl1, y1)
// and (xr0, y0) to (xr1, y1), or the part of the ellipse centred (cx, cy) with
// vertical semi-axis a and horizontal semi-axis b between those heights.
struct Slab {
    double y0, y1;
    double xl0 = 0, xl1 = 0, xr0 = 0, xr1 = 0;
    bool curved = false;
    double cx = 0, cy = 0, a = 0, b = 0;
    double weight = 1;  // −1 for a hole

    double Left(double y) const {
        if (curved) return cx - HalfWidth(y);
        return xl0 + (xl1 - xl0) * ((y - y0) / (y1 - y0));
    }
    double Right(double y) const {
        if (curved) return cx + HalfWidth(y);
        return xr0 + (xr1 - xr0) * ((y - y0) / (y1 - y0));
    }
    double HalfWidth(double y) const {
        const double u = std::clamp((y - cy) / a, -1.0, 1.0);
        return b * std::sqrt((1 - u) * (1 + u));
    }
};

Slab Straight(double y0, double y1, double xl0, double xl1, double xr0, double xr1, double weight = 1) {
    Slab s{y0, y1};
    s.xl0 = xl0;
    s.xl1 = xl1;
    s.xr0 = xr0;
    s.xr1 = xr1;
    s.weight = weight;
    return s;
}

Slab Rect(double x0, double y0, double x1, double y1, double weight = 1) {
    return Straight(y0, y1, x0, x0, x1, x1, weight);
}

Slab EllipsePart(double a, double b, double y0, double y1, double weight = 1) {
    Slab s{y0, y1};
    s.curved = true;
    s.a = a;
    s.b = b;
    s.weight = weight;
    return s;
}

// Gauss–Legendre, 8 nodes on [−1, 1].
constexpr std::array<double, 4> kNodes{0.1834346424956498, 0.5255324099163290, 0.7966664774136267,
                                       0.9602898564975363};
constexpr std::array<double, 4> kWeights{0.3626837833783620, 0.3137066458778873, 0.2223810344533745,
                                         0.1012285362903763};

// ∫ f(y, left, right) dy over [ya, yb] within the slab. Straight slabs: one
// 8-node rule (exact to degree 15). Curved: y = cy + a·sin θ, in 64 panels.
template <typename F>
double Along(const Slab& s, double ya, double yb, F f) {
    if (!(yb > ya)) return 0;
    double sum = 0;
    if (!s.curved) {
        const double mid = (ya + yb) / 2, half = (yb - ya) / 2;
        for (std::size_t k = 0; k < kNodes.size(); ++k)
            for (const double sign : {-1.0, 1.0}) {
                const double y = mid + sign * half * kNodes[k];
                sum += kWeights[k] * f(y, s.Left(y), s.Right(y));
            }
        return sum * half;
    }
    const double ta = std::asin(std::clamp((ya - s.cy) / s.a, -1.0, 1.0));
    const double tb = std::asin(std::clamp((yb - s.cy) / s.a, -1.0, 1.0));
    constexpr int kPanels = 64;
    const double step = (tb - ta) / kPanels;
    for (int p = 0; p < kPanels; ++p) {
        const double mid = ta + (p + 0.5) * step, half = step / 2;
        for (std::size_t k = 0; k < kNodes.size(); ++k)
            for (const double sign : {-1.0, 1.0}) {
                const double t = mid + sign * half * kNodes[k];
                const double y = s.cy + s.a * std::sin(t);
                const double w = s.b * std::cos(t);
                sum += kWeights[k] * half * f(y, s.cx - w, s.cx + w) * s.a * std::cos(t);
            }
    }
    return sum;
}

// Heights inside the slab where a side crosses the vertical line x = c.
std::vector<double> Crossings(const Slab& s, double c) {
    std::vector<double> ys{s.y0};
    if (s.curved) {
        const double u = (c - s.cx) / s.b;
        if (std::fabs(u) < 1) {
            const double d = s.a * std::sqrt(1 - u * u);
            ys.push_back(s.cy - d);
            ys.push_back(s.cy + d);
        }
    } else {
        for (const auto& [p, q] : {std::pair{s.xl0, s.xl1}, std::pair{s.xr0, s.xr1}})
            if (p != q) ys.push_back(s.y0 + (c - p) / (q - p) * (s.y1 - s.y0));
    }
    ys.push_back(s.y1);
    std::erase_if(ys, [&](double y) { return !(y >= s.y0 && y <= s.y1); });
    std::sort(ys.begin(), ys.end());
    return ys;
}

template <typename F>
double Sum(const std::vector<Slab>& slabs, F f) {
    double sum = 0;
    for (const Slab& s : slabs) sum += s.weight * Along(s, s.y0, s.y1, f);
    return sum;
}

// Over every slab, split where a side crosses x = c.
template <typename F>
double SumSplitAtX(const std::vector<Slab>& slabs, double c, F f) {
    double sum = 0;
    for (const Slab& s : slabs) {
        const std::vector<double> ys = Crossings(s, c);
        for (std::size_t i = 0; i + 1 < ys.size(); ++i) sum += s.weight * Along(s, ys[i], ys[i + 1], f);
    }
    return sum;
}

// The root of an increasing function between lo and hi, by halving.
template <typename F>
double Bisect(double lo, double hi, F f) {
    for (int i = 0; i < 200; ++i) {
        const double mid = lo + (hi - lo) / 2;
        if (mid <= lo || mid >= hi) break;
        (f(mid) < 0 ? lo : hi) = mid;
    }
    return lo + (hi - lo) / 2;
}

double EllipsePerimeter(double a, double b) {
    // Trapezoid rule over a whole period: converges geometrically.
    constexpr int kSteps = 20000;
    double sum = 0;
    for (int k = 0; k < kSteps; ++k) {
        const double t = 2 * kPi * k / kSteps;
        sum += std::hypot(a * std::sin(t), b * std::cos(t));
    }
    return sum * 2 * kPi / kSteps;
}

struct Shape {
    std::vector<Slab> slabs;
    double perimeter;
};

Shape Build(int shape, std::span<const double> d) {
    const auto v = [&](std::size_t i) {
        if (i >= d.size()) throw std::invalid_argument("too few dimensions");
        return d[i];
    };
    switch (shape) {
        case 0: return {{Rect(0, 0, v(1), v(0))}, 2 * (v(0) + v(1))};
        case 1: {
            const double h1 = v(0), h2 = v(1), b = v(2);
            return {{Rect(0, 0, b, (h2 - h1) / 2), Rect(0, (h2 + h1) / 2, b, h2)}, 4 * b + 2 * (h2 - h1)};
        }
        case 2: return {{Rect(0, 0, v(0), v(0))}, 4 * v(0)};
        case 3: {
            const double h1 = v(0), h2 = v(1), o = (h2 - h1) / 2;
            return {{Rect(0, 0, h2, h2), Rect(o, o, o + h1, o + h1, -1)}, 4 * (h1 + h2)};
        }
        case 4:
        case 5: {
            // A diamond of side h: diagonal h·√2, as two triangles.
            const auto diamond = [](double h, double centre, double w) {
                const double r = h / std::sqrt(2.0);
                return std::vector<Slab>{
                    Straight(centre - r, centre, centre, centre - r, centre, centre + r, w),
                    Straight(centre, centre + r, centre - r, centre, centre + r, centre, w)};
            };
            if (shape == 4) return {diamond(v(0), 0, 1), 4 * v(0)};
            std::vector<Slab> slabs = diamond(v(1), 0, 1);
            for (const Slab& s : diamond(v(0), 0, -1)) slabs.push_back(s);
            return {slabs, 4 * (v(0) + v(1))};
        }
        case 6: {
            const double h = v(0), b = v(1);
            return {{Straight(0, h, 0, b / 2, b, b / 2)}, b + 2 * std::hypot(h, b / 2)};
        }
        case 7: {
            const double b = v(0), s = b * std::sqrt(3.0) / 2;
            return {{Straight(-s, 0, -b / 2, -b, b / 2, b), Straight(0, s, -b, -b / 2, b, b / 2)}, 6 * b};
        }
        case 8: {
            const double b = v(0), s = b * std::sqrt(3.0) / 2;
            return {{Straight(-b, -b / 2, 0, -s, 0, s), Rect(-s, -b / 2, s, b / 2),
                     Straight(b / 2, b, -s, 0, s, 0)},
                    6 * b};
        }
        case 9: {
            const double r = v(0), c = r * std::cos(kPi / 8), s = r * std::sin(kPi / 8);
            return {{Straight(-c, -s, -s, -c, s, c), Rect(-c, -s, c, s), Straight(s, c, -c, -s, c, s)},
                    16 * s};
        }
        case 10: {
            const double h = v(0), b = v(1), b1 = v(2);
            return {{Straight(0, h, -b1 / 2, 0, b + b1 / 2, b)}, 2 * b + b1 + 2 * std::hypot(h, b1 / 2)};
        }
        case 11: {
            const double r = v(0) / 2;
            return {{EllipsePart(r, r, -r, r)}, kPi * v(0)};
        }
        case 12: {
            const double r1 = v(0) / 2, r2 = v(1) / 2;
            return {{EllipsePart(r2, r2, -r2, r2), EllipsePart(r1, r1, -r1, r1, -1)}, kPi * (v(0) + v(1))};
        }
        case 13: {
            const double r = v(0);
            return {{EllipsePart(r, r, 0, r)}, (kPi + 2) * r};
        }
        case 14: return {{EllipsePart(v(0), v(1), -v(0), v(0))}, EllipsePerimeter(v(0), v(1))};
        case 15: {
            const double a1 = v(0), a2 = v(1), b1 = v(2), b2 = v(3);
            return {{EllipsePart(a2, b2, -a2, a2), EllipsePart(a1, b1, -a1, a1, -1)},
                    EllipsePerimeter(a2, b2) + EllipsePerimeter(a1, b1)};
        }
        default: break;
    }
    const double h1 = v(0), h2 = v(1), b1 = v(2), b2 = v(3);
    const double f = (h2 - h1) / 2;
    switch (shape) {
        case 16: {
            const double x = (b2 - b1) / 2;
            return {{Rect(0, 0, b2, h2), Rect(x, f, x + b1, f + h1, -1)}, 2 * (b2 + h2) + 2 * (b1 + h1)};
        }
        case 17:
            return {{Rect(0, 0, b2, f), Rect(b1 / 2, f, b2 - b1 / 2, f + h1), Rect(0, f + h1, b2, h2)},
                    2 * (b2 + h2 + b1)};
        case 18:
            return {{Rect(0, 0, b2, f), Rect(0, f, b2 - b1, f + h1), Rect(0, f + h1, b2, h2)},
                    2 * (b2 + h2 + b1)};
        case 19:
            return {{Rect(0, 0, b2 / 2, h2), Rect(b2 / 2, f, b2 / 2 + b1, f + h1),
                     Rect(b2 / 2 + b1, 0, b1 + b2, h2)},
                    2 * h2 + 2 * b2 + 2 * (h2 - h1) + 2 * b1};
        case 20:
            return {{Rect(0, f, b1 / 2, f + h1), Rect(b1 / 2, 0, b1 / 2 + b2, h2),
                     Rect(b1 / 2 + b2, f, b1 + b2, f + h1)},
                    2 * (b2 + h2 + b1)};
        case 21: return {{Rect(0, 0, b2, h2), Rect(b2, f, b2 + b1, f + h1)}, 2 * (b2 + h2 + b1)};
        case 22:
            return {
                {Rect(0, 0, b2 / 2, h2), Rect(b2 / 2, 0, b2 / 2 + b1, h1), Rect(b2 / 2 + b1, 0, b1 + b2, h2)},
                2 * (b1 + b2 + h2) + 2 * (h2 - h1)};
        case 23: return {{Rect(0, 0, b1 + b2, h1), Rect(b1 / 2, h1, b1 / 2 + b2, h2)}, 2 * (b1 + b2 + h2)};
        case 24: return {{Rect(0, 0, b2, h2), Rect(b2, 0, b2 + b1, h1)}, 2 * (b1 + b2 + h2)};
        default: throw std::invalid_argument("no such shape");
    }
}

}  // namespace

Values Compute(int shape, std::span<const double> dims) {
    const Shape s = Build(shape, dims);
    const std::vector<Slab>& slabs = s.slabs;
    Values out{};
    out.perimeter = s.perimeter;
    out.area = Sum(slabs, [](double, double l, double r) { return r - l; });
    const double cx = Sum(slabs, [](double, double l, double r) { return (r * r - l * l) / 2; }) / out.area;
    const double cy = Sum(slabs, [](double y, double l, double r) { return y * (r - l); }) / out.area;
    out.ix = Sum(slabs, [&](double y, double l, double r) { return (y - cy) * (y - cy) * (r - l); });
    out.iy = Sum(slabs, [&](double, double l, double r) {
        const double p = r - cx, q = l - cx;
        return (p * p * p - q * q * q) / 3;
    });
    out.ixy = Sum(slabs, [&](double y, double l, double r) {
        const double p = r - cx, q = l - cx;
        return (y - cy) * (p * p - q * q) / 2;
    });

    double top = -std::numeric_limits<double>::infinity(), bottom = -top, left = -top, right = top;
    for (const Slab& sl : slabs) {
        if (sl.weight < 0) continue;
        top = std::max(top, sl.y1);
        bottom = std::min(bottom, sl.y0);
        // Widest point: an end, or for a curved slab the ellipse's middle.
        std::vector<double> ys{sl.y0, sl.y1};
        if (sl.curved && sl.y0 <= sl.cy && sl.cy <= sl.y1) ys.push_back(sl.cy);
        for (const double y : ys) {
            left = std::min(left, sl.Left(y));
            right = std::max(right, sl.Right(y));
        }
    }
    out.eTop = top - cy;
    out.eBottom = cy - bottom;
    out.eLeft = cx - left;
    out.eRight = right - cx;

    // Equal-area axis parallel to x: the area below y = c is half the total.
    const auto areaBelow = [&](double c) {
        double sum = 0;
        for (const Slab& sl : slabs)
            sum += sl.weight *
                   Along(sl, sl.y0, std::min(sl.y1, c), [](double, double l, double r) { return r - l; });
        return sum;
    };
    const double c = Bisect(bottom, top, [&](double y) { return areaBelow(y) - out.area / 2; });
    for (const Slab& sl : slabs) {
        const auto moment = [&](double y, double l, double r) { return std::fabs(y - c) * (r - l); };
        const double split = std::clamp(c, sl.y0, sl.y1);
        out.zpx += sl.weight * (Along(sl, sl.y0, split, moment) + Along(sl, split, sl.y1, moment));
    }

    // Equal-area axis parallel to y: the area left of x = k is half the total.
    const auto areaLeft = [&](double k) {
        return SumSplitAtX(slabs, k, [&](double, double l, double r) { return std::clamp(k, l, r) - l; });
    };
    const double k = Bisect(left, right, [&](double x) { return areaLeft(x) - out.area / 2; });
    out.zpy = SumSplitAtX(slabs, k, [&](double, double l, double r) {
        if (k <= l) return ((r - k) * (r - k) - (l - k) * (l - k)) / 2;
        if (k >= r) return ((k - l) * (k - l) - (k - r) * (k - r)) / 2;
        return ((r - k) * (r - k) + (k - l) * (k - l)) / 2;
    });
    return out;
}

}  // namespace velmora::oracle
