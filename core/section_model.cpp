#include "core/section_model.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "core/polygons.h"

namespace velmora::section {
namespace {

constexpr double kPi = std::numbers::pi;

using Pt = Point;

Polygons FromGeometry(const Geometry& geometry) {
    Polygons out;
    out.symmetry = geometry.symmetry;
    for (const Outline& outline : geometry.outlines) out.rings.push_back({Vertices(outline), outline.hole});
    return out;
}

// The vertex after i on a closed outline of n vertices.
std::size_t Next(std::size_t i, std::size_t n) { return i + 1 == n ? 0 : i + 1; }

// The integrals of one outline, signed by its orientation (Green's theorem).
struct Sums {
    double a = 0;   // ∫ dA
    double sx = 0;  // ∫ x dA
    double sy = 0;  // ∫ y dA
    double xx = 0;  // ∫ x² dA
    double yy = 0;  // ∫ y² dA
    double xy = 0;  // ∫ x·y dA
};

Sums FirstSums(const std::vector<Pt>& p) {
    Sums s;
    for (std::size_t i = 0, n = p.size(); i < n; ++i) {
        const Pt& a = p[i];
        const Pt& b = p[Next(i, n)];
        const double cross = a.x * b.y - b.x * a.y;
        s.a += cross;
        s.sx += (a.x + b.x) * cross;
        s.sy += (a.y + b.y) * cross;
    }
    s.a /= 2;
    s.sx /= 6;
    s.sy /= 6;
    return s;
}

Sums AllSums(const std::vector<Pt>& p) {
    Sums s = FirstSums(p);
    for (std::size_t i = 0, n = p.size(); i < n; ++i) {
        const Pt& a = p[i];
        const Pt& b = p[Next(i, n)];
        const double cross = a.x * b.y - b.x * a.y;
        s.xx += (a.x * a.x + a.x * b.x + b.x * b.x) * cross;
        s.yy += (a.y * a.y + a.y * b.y + b.y * b.y) * cross;
        s.xy += (a.x * b.y + 2 * a.x * a.y + 2 * b.x * b.y + b.x * a.y) * cross;
    }
    s.xx /= 12;
    s.yy /= 12;
    s.xy /= 24;
    return s;
}

// +1 for material, −1 for a hole, whichever way the outline runs.
double Weight(const Ring& ring) {
    const double orientation = FirstSums(ring.pts).a < 0 ? -1.0 : 1.0;
    return ring.hole ? -orientation : orientation;
}

// The part of an outline on one side of the line y = c (Sutherland–Hodgman
// against a half-plane: a concave outline may come back with edges running
// to and fro along the line, which add nothing to any integral).
void Clip(const std::vector<Pt>& in, double c, bool below, std::vector<Pt>& out) {
    out.clear();
    const auto inside = [&](const Pt& p) { return below ? p.y <= c : p.y >= c; };
    for (std::size_t i = 0, n = in.size(); i < n; ++i) {
        const Pt& p = in[i];
        const Pt& q = in[Next(i, n)];
        const bool pin = inside(p), qin = inside(q);
        if (pin) out.push_back(p);
        if (pin != qin) out.push_back({p.x + (c - p.y) * ((q.x - p.x) / (q.y - p.y)), c});
    }
}

struct Weighted {
    const std::vector<Pt>* pts;
    double weight;
};

// Area of the section below y = c.
double AreaBelow(const std::vector<Weighted>& parts, double c, std::vector<Pt>& scratch) {
    double area = 0;
    for (const Weighted& part : parts) {
        Clip(*part.pts, c, true, scratch);
        area += part.weight * FirstSums(scratch).a;
    }
    return area;
}

// The height c where the area below is half the total. Between two
// consecutive vertex heights the width of a polygon is linear in the height,
// so the area below is a quadratic there: it is fitted through three exact
// values and solved in closed form.
double EqualAreaHeight(const std::vector<Weighted>& parts, double total) {
    // Scratch kept per thread: a batch computes millions of sections.
    thread_local std::vector<double> heights;
    thread_local std::vector<Pt> scratch;
    heights.clear();
    for (const Weighted& part : parts)
        for (const Pt& p : *part.pts) heights.push_back(p.y);
    std::sort(heights.begin(), heights.end());
    heights.erase(std::unique(heights.begin(), heights.end()), heights.end());

    const double target = total / 2;
    double y0 = heights.front(), a0 = 0;
    for (std::size_t k = 1; k < heights.size(); ++k) {
        const double y1 = heights[k];
        const double a1 = k + 1 == heights.size() ? total : AreaBelow(parts, y1, scratch);
        if (a1 >= target || k + 1 == heights.size()) {
            const double h = y1 - y0;
            const double am = AreaBelow(parts, y0 + h / 2, scratch);
            // a(t) = a0 + p·t + q·t², t = c − y0
            const double q = 2 * ((a1 - am) - (am - a0)) / (h * h);
            const double p = (a1 - a0) / h - q * h;
            const double d = target - a0;
            const double root = std::sqrt(std::max(0.0, p * p + 4 * q * d));
            const double t = p + root > 0 ? 2 * d / (p + root) : 0;
            return y0 + std::clamp(t, 0.0, h);
        }
        y0 = y1;
        a0 = a1;
    }
    return heights.front();
}

// ∫ |y − c| dA over the section.
double AbsoluteMoment(const std::vector<Weighted>& parts, double c) {
    thread_local std::vector<Pt> shifted, piece;
    double sum = 0;
    for (const Weighted& part : parts) {
        shifted.clear();
        for (const Pt& p : *part.pts) shifted.push_back({p.x, p.y - c});
        Clip(shifted, 0, false, piece);
        sum += part.weight * FirstSums(piece).sy;
        Clip(shifted, 0, true, piece);
        sum -= part.weight * FirstSums(piece).sy;
    }
    return sum;
}

// The plastic modulus about a horizontal axis; `symmetric`: the section is
// its own mirror image in y = 0, which is then the equal-area axis.
double PlasticModulus(const std::vector<Ring>& rings, bool symmetric, double total) {
    thread_local std::vector<Weighted> parts;
    parts.clear();
    for (const Ring& ring : rings) parts.push_back({&ring.pts, Weight(ring)});
    const double c = symmetric ? 0.0 : EqualAreaHeight(parts, total);
    return AbsoluteMoment(parts, c);
}

Basic FromPolygons(Polygons section) {
    Basic out;
    double a = 0, sx = 0, sy = 0;
    for (const Ring& ring : section.rings) {
        const Sums s = FirstSums(ring.pts);
        const double w = Weight(ring);
        a += w * s.a;
        sx += w * s.sx;
        sy += w * s.sy;
    }
    const double cx = MirroredInY(section.symmetry) ? 0.0 : sx / a;
    const double cy = MirroredInX(section.symmetry) ? 0.0 : sy / a;
    double top = -std::numeric_limits<double>::infinity(), bottom = -top, left = -top, right = top;
    for (Ring& ring : section.rings) {
        for (Pt& p : ring.pts) {
            p.x -= cx;
            p.y -= cy;
            if (!ring.hole) {
                top = std::max(top, p.y);
                bottom = std::min(bottom, p.y);
                left = std::min(left, p.x);
                right = std::max(right, p.x);
            }
        }
    }
    out.area = a;
    out.centroidX = cx;
    out.centroidY = cy;
    for (const Ring& ring : section.rings) {
        const Sums s = AllSums(ring.pts);
        const double w = Weight(ring);
        out.secondMomentX += w * s.yy;
        out.secondMomentY += w * s.xx;
        out.productMoment += w * s.xy;
        for (std::size_t i = 0, n = ring.pts.size(); i < n; ++i) {
            const Pt& p = ring.pts[i];
            const Pt& q = ring.pts[Next(i, n)];
            out.perimeter += std::hypot(q.x - p.x, q.y - p.y);
        }
    }
    if (section.symmetry != Symmetry::None) out.productMoment = 0;
    out.eTop = top;
    out.eBottom = -bottom;
    out.eLeft = -left;
    out.eRight = right;
    out.zpx = PlasticModulus(section.rings, MirroredInX(section.symmetry), a);
    for (Ring& ring : section.rings)
        for (Pt& p : ring.pts) std::swap(p.x, p.y);
    out.zpy = PlasticModulus(section.rings, MirroredInY(section.symmetry), a);
    return out;
}

// Full ellipse with vertical semi-axis a and horizontal semi-axis b.
Basic Ellipse(double a, double b) {
    Basic out;
    out.area = kPi * a * b;
    out.secondMomentX = kPi / 4 * b * a * a * a;
    out.secondMomentY = kPi / 4 * a * b * b * b;
    out.eTop = out.eBottom = a;
    out.eLeft = out.eRight = b;
    out.zpx = 4.0 / 3 * a * a * b;
    out.zpy = 4.0 / 3 * a * b * b;
    const double major = std::max(a, b), minor = std::min(a, b);
    const double ratio = minor / major;
    out.perimeter = 4 * major * std::comp_ellint_2(std::sqrt((1 - ratio) * (1 + ratio)));
    return out;
}

// The outer ellipse less a concentric inner one.
Basic HollowEllipse(double a1, double a2, double b1, double b2) {
    Basic out = Ellipse(a2, b2);
    const Basic in = Ellipse(a1, b1);
    out.area = kPi * (a2 * b2 - a1 * b1);
    out.secondMomentX -= in.secondMomentX;
    out.secondMomentY -= in.secondMomentY;
    out.zpx -= in.zpx;
    out.zpy -= in.zpy;
    out.perimeter += in.perimeter;
    return out;
}

// Half disc of radius r on its flat side.
Basic HalfDisc(double r) {
    Basic out;
    const double r2 = r * r, r3 = r2 * r, r4 = r2 * r2;
    const double centroid = 4 * r / (3 * kPi);  // above the flat side
    out.area = kPi / 2 * r2;
    out.secondMomentX = (kPi / 8 - 8 / (9 * kPi)) * r4;
    out.secondMomentY = kPi / 8 * r4;
    out.eTop = r - centroid;
    out.eBottom = centroid;
    out.centroidY = centroid;
    out.eLeft = out.eRight = r;
    // ∫ |y − c| dA with c = t·r the equal-area height: (4/3)(r² − c²)^(3/2) − (2/3) r³
    const double t = HalfDiscEqualAreaHeight();
    const double s = (1 - t) * (1 + t);
    out.zpx = (4.0 / 3 * s * std::sqrt(s) - 2.0 / 3) * r3;
    out.zpy = 2.0 / 3 * r3;
    out.perimeter = (kPi + 2) * r;
    return out;
}

}  // namespace

double HalfDiscEqualAreaHeight() {
    static const double root = [] {
        // Newton on f(t) = t·√(1 − t²) + asin t − π/4, f′(t) = 2·√(1 − t²);
        // f is increasing and concave on [0, 1], so from t = 0 the steps rise
        // monotonically to the root: stop when one no longer moves it.
        double t = 0;
        for (int i = 0; i < 100; ++i) {
            const double s = std::sqrt((1 - t) * (1 + t));
            const double next = t - (t * s + std::asin(t) - kPi / 4) / (2 * s);
            if (!(next > t)) break;
            t = next;
        }
        return t;
    }();
    return root;
}

Geometry CentroidalGeometry(ShapeType shape, std::span<const double> dims) {
    const Basic basic = Compute(shape, dims);
    const auto shift = [&](Point p) { return Point{p.x - basic.centroidX, p.y - basic.centroidY}; };
    Geometry g = SectionGeometry(shape, dims);
    for (Outline& o : g.outlines) {
        for (Edge& e : o.edges) {
            e.start = shift(e.start);
            if (e.arc) e.arc->centre = shift(e.arc->centre);
        }
    }
    return g;
}

Basic Compute(ShapeType shape, std::span<const double> d) {
    switch (shape) {
        case 11: return Ellipse(d[0] / 2, d[0] / 2);
        case 12: return HollowEllipse(d[0] / 2, d[1] / 2, d[0] / 2, d[1] / 2);
        case 13: return HalfDisc(d[0]);
        case 14: return Ellipse(d[0], d[1]);
        case 15: return HollowEllipse(d[0], d[1], d[2], d[3]);
        default: return FromPolygons(FromGeometry(SectionGeometry(shape, d)));
    }
}

}  // namespace velmora::section
