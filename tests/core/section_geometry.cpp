#include "tests/core/section_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <numbers>
#include <stdexcept>

namespace velmora::geometry {
namespace {

constexpr double kPi = std::numbers::pi;

// Sums over the edges of one contour, signed by its orientation.
struct ContourSums {
    double area = 0;    // ∫ dA
    double firstY = 0;  // ∫ y dA
};

ContourSums SumFirst(const Contour& c) {
    ContourSums s;
    for (std::size_t i = 0, n = c.size(); i < n; ++i) {
        const Point& p = c[i];
        const Point& q = c[(i + 1) % n];
        const double cross = p.x * q.y - q.x * p.y;
        s.area += cross;
        s.firstY += (p.y + q.y) * cross;
    }
    s.area /= 2;
    s.firstY /= 6;
    return s;
}

// ∫ (y − y0)² dA over the contour, signed by its orientation.
double SumSecond(const Contour& c, double y0) {
    double sum = 0;
    for (std::size_t i = 0, n = c.size(); i < n; ++i) {
        const double px = c[i].x, py = c[i].y - y0;
        const double qx = c[(i + 1) % n].x, qy = c[(i + 1) % n].y - y0;
        sum += (py * py + py * qy + qy * qy) * (px * qy - qx * py);
    }
    return sum / 12;
}

// +1 for material, −1 for a hole, whatever way the contour runs.
double Weight(const ContourSums& s, bool hole) {
    const double orientation = s.area < 0 ? -1.0 : 1.0;
    return hole ? -orientation : orientation;
}

double At(std::span<const double> dims, std::size_t i) {
    if (i >= dims.size()) throw std::invalid_argument("too few dimensions for the shape");
    return dims[i];
}

// The unit circle of the usual fineness, worked out once: every circle and
// ellipse is a stretched copy of it.
const Contour& UnitCircle() {
    static const Contour circle = RegularPolygon(kCurveVertices, 1, 0);
    return circle;
}

// A closed outline through the listed corners.
Contour Outline(std::initializer_list<Point> corners) { return Contour(corners); }

}  // namespace

SectionProperties Integrate(const Section& section) {
    struct Weighted {
        const Contour* contour;
        double weight;
    };
    std::vector<Weighted> parts;
    double area = 0, firstY = 0;
    const auto accumulate = [&](const std::vector<Contour>& contours, bool hole) {
        for (const Contour& c : contours) {
            const ContourSums s = SumFirst(c);
            const double w = Weight(s, hole);
            area += w * s.area;
            firstY += w * s.firstY;
            parts.push_back({&c, w});
        }
    };
    accumulate(section.solids, false);
    accumulate(section.holes, true);

    SectionProperties out;
    out.area = area;
    out.centroidY = firstY / area;
    for (const Weighted& part : parts) out.inertia += part.weight * SumSecond(*part.contour, out.centroidY);

    double top = -std::numeric_limits<double>::infinity();
    double bottom = std::numeric_limits<double>::infinity();
    for (const Contour& c : section.solids)
        for (const Point& p : c) {
            top = std::max(top, p.y);
            bottom = std::min(bottom, p.y);
        }
    out.eTop = top - out.centroidY;
    out.eBottom = out.centroidY - bottom;
    return out;
}

Contour Box(double x0, double y0, double x1, double y1) { return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}; }

Contour EllipseContour(double vertical, double horizontal, double cx, double cy, int vertices) {
    Contour other;
    const Contour& circle =
        vertices == kCurveVertices ? UnitCircle() : (other = RegularPolygon(vertices, 1, 0));
    Contour c;
    c.reserve(circle.size());
    for (const Point& p : circle) c.push_back({cx + horizontal * p.x, cy + vertical * p.y});
    return c;
}

Contour RegularPolygon(int corners, double circumradius, double firstAngle) {
    Contour c;
    for (int k = 0; k < corners; ++k) {
        const double angle = firstAngle + 2 * kPi * k / corners;
        c.push_back({circumradius * std::cos(angle), circumradius * std::sin(angle)});
    }
    return c;
}

Contour Rotated(const Contour& contour, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    Contour out;
    for (const Point& p : contour) out.push_back({c * p.x - s * p.y, s * p.x + c * p.y});
    return out;
}

Section BuildSection(int shape, std::span<const double> d) {
    const auto v = [&](std::size_t slot) { return At(d, slot - 1); };
    switch (shape) {
        case 0: {  // b wide, h high
            const double h = v(1), b = v(2);
            return {{Box(0, 0, b, h)}, {}};
        }
        case 1: {  // two strips of width b, clear gap h1, overall height h2
            const double h1 = v(1), h2 = v(2), b = v(3);
            return {{Box(0, 0, b, (h2 - h1) / 2), Box(0, (h2 + h1) / 2, b, h2)}, {}};
        }
        case 2: {
            const double h = v(1);
            return {{Box(0, 0, h, h)}, {}};
        }
        case 3: {  // concentric square hole
            const double h1 = v(1), h2 = v(2);
            const double inset = (h2 - h1) / 2;
            return {{Box(0, 0, h2, h2)}, {Box(inset, inset, inset + h1, inset + h1)}};
        }
        case 4: {  // square of side h stood on a corner
            const double h = v(1);
            return {{Rotated(Box(-h / 2, -h / 2, h / 2, h / 2), kPi / 4)}, {}};
        }
        case 5: {
            const double h1 = v(1), h2 = v(2);
            return {{Rotated(Box(-h2 / 2, -h2 / 2, h2 / 2, h2 / 2), kPi / 4)},
                    {Rotated(Box(-h1 / 2, -h1 / 2, h1 / 2, h1 / 2), kPi / 4)}};
        }
        case 6: {  // base b at the bottom, apex h above its middle
            const double h = v(1), b = v(2);
            return {{Outline({{-b / 2, 0}, {b / 2, 0}, {0, h}})}, {}};
        }
        case 7:  // side b; corners left and right, flat top and bottom
            return {{RegularPolygon(6, v(1), 0)}, {}};
        case 8:  // side b; corners top and bottom, two sides vertical
            return {{RegularPolygon(6, v(1), kPi / 2)}, {}};
        case 9:  // r to a corner; a side at the top and one at the bottom
            return {{RegularPolygon(8, v(1), kPi / 8)}, {}};
        case 10: {  // top width b, bottom width b + b1 (b1/2 overhang each side)
            const double h = v(1), b = v(2), b1 = v(3);
            const double bottom = b + b1;
            return {{Outline({{-bottom / 2, 0}, {bottom / 2, 0}, {b / 2, h}, {-b / 2, h}})}, {}};
        }
        case 11: {
            const double r = v(1) / 2;
            return {{EllipseContour(r, r)}, {}};
        }
        case 12: {  // inner diameter d1, outer d2
            const double r1 = v(1) / 2, r2 = v(2) / 2;
            return {{EllipseContour(r2, r2)}, {EllipseContour(r1, r1)}};
        }
        case 13: {  // half disc, flat side down; the same vertex spacing as a full circle
            const double r = v(1);
            const Contour& circle = UnitCircle();
            Contour c;
            for (std::size_t k = 0; k <= circle.size() / 2; ++k)
                c.push_back({r * circle[k].x, r * circle[k].y});
            return {{c}, {}};
        }
        case 14:  // a vertical semi-axis, b horizontal
            return {{EllipseContour(v(1), v(2))}, {}};
        case 15:  // a1, a2 vertical and b1, b2 horizontal semi-axes
            return {{EllipseContour(v(2), v(4))}, {EllipseContour(v(1), v(3))}};
        case 16: {  // box: outer b2 × h2, concentric clear opening b1 × h1
            const double h1 = v(1), h2 = v(2), b1 = v(3), b2 = v(4);
            const double x = (b2 - b1) / 2, y = (h2 - h1) / 2;
            return {{Box(0, 0, b2, h2)}, {Box(x, y, x + b1, y + h1)}};
        }
        case 17: {  // I: flanges b2 wide, web between two clear widths b1/2
            const double h1 = v(1), h2 = v(2), b1 = v(3), b2 = v(4);
            const double f = (h2 - h1) / 2, wl = b1 / 2, wr = b2 - b1 / 2;
            return {{Outline({{0, 0},
                              {b2, 0},
                              {b2, f},
                              {wr, f},
                              {wr, h2 - f},
                              {b2, h2 - f},
                              {b2, h2},
                              {0, h2},
                              {0, h2 - f},
                              {wl, h2 - f},
                              {wl, f},
                              {0, f}})},
                    {}};
        }
        case 18: {  // channel open to the right: web on the left, flanges reach b1 beyond it
            const double h1 = v(1), h2 = v(2), b1 = v(3), b2 = v(4);
            const double f = (h2 - h1) / 2, web = b2 - b1;
            return {
                {Outline(
                    {{0, 0}, {b2, 0}, {b2, f}, {web, f}, {web, h2 - f}, {b2, h2 - f}, {b2, h2}, {0, h2}})},
                {}};
        }
        case 19: {  // H: uprights b2/2 each, gap b1, cross-bar h1 thick on the mid-height
            const double h1 = v(1), h2 = v(2), b1 = v(3), b2 = v(4);
            const double u = b2 / 2, y0 = (h2 - h1) / 2;
            return {{Box(0, 0, u, h2), Box(u, y0, u + b1, y0 + h1), Box(u + b1, 0, u + b1 + u, h2)}, {}};
        }
        case 20: {  // cross: upright b2 × h2, arms b1/2 to each side, h1 thick
            const double h1 = v(1), h2 = v(2), b1 = v(3), b2 = v(4);
            const double a = b1 / 2, y0 = (h2 - h1) / 2, y1 = y0 + h1;
            return {{Outline({{a, 0},
                              {a + b2, 0},
                              {a + b2, y0},
                              {a + b2 + a, y0},
                              {a + b2 + a, y1},
                              {a + b2, y1},
                              {a + b2, h2},
                              {a, h2},
                              {a, y1},
                              {0, y1},
                              {0, y0},
                              {a, y0}})},
                    {}};
        }
        case 21: {  // side T: upright b2 × h2, one arm b1 long, h1 thick, to the right
            const double h1 = v(1), h2 = v(2), b1 = v(3), b2 = v(4);
            const double y0 = (h2 - h1) / 2;
            return {{Box(0, 0, b2, h2), Box(b2, y0, b2 + b1, y0 + h1)}, {}};
        }
        case 22: {  // U: uprights b2/2 each, base h1 thick between them at the bottom
            const double h1 = v(1), h2 = v(2), b1 = v(3), b2 = v(4);
            const double u = b2 / 2, w = b1 + b2;
            return {
                {Outline({{0, 0}, {w, 0}, {w, h2}, {u + b1, h2}, {u + b1, h1}, {u, h1}, {u, h2}, {0, h2}})},
                {}};
        }
        case 23: {  // inverted T: flange b1 + b2 wide, h1 thick; stem b2 wide up to h2
            const double h1 = v(1), h2 = v(2), b1 = v(3), b2 = v(4);
            const double s = b1 / 2, w = b1 + b2;
            return {
                {Outline({{0, 0}, {w, 0}, {w, h1}, {s + b2, h1}, {s + b2, h2}, {s, h2}, {s, h1}, {0, h1}})},
                {}};
        }
        case 24: {  // L: upright b2 × h2 on the left, foot h1 thick reaching b1 beyond it
            const double h1 = v(1), h2 = v(2), b1 = v(3), b2 = v(4);
            return {{Outline({{0, 0}, {b2 + b1, 0}, {b2 + b1, h1}, {b2, h1}, {b2, h2}, {0, h2}})}, {}};
        }
        default: throw std::invalid_argument("no such shape");
    }
}

}  // namespace velmora::geometry
