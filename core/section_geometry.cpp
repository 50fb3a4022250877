#include "core/section_geometry.h"

#include <cmath>
#include <numbers>

#include "core/polygons.h"

namespace velmora::section {
namespace {

constexpr double kPi = std::numbers::pi;

using Pt = Point;

// An axis-parallel rectangle centred on the origin.
Ring CentredBox(double width, double height, bool hole = false) {
    const double x = width / 2, y = height / 2;
    return {{{-x, -y}, {x, -y}, {x, y}, {-x, y}}, hole};
}

// A square of side h stood on a corner, centred on the origin.
Ring Diamond(double h, bool hole = false) {
    const double d = h / std::sqrt(2.0);
    return {{{d, 0}, {0, d}, {-d, 0}, {0, -d}}, hole};
}

Polygons StraightShape(ShapeType shape, std::span<const double> d) {
    switch (shape) {
        case 0: return {{CentredBox(d[1], d[0])}, Symmetry::BothAxes};
        case 1: {  // two strips b wide, clear gap h1, overall height h2
            const double h1 = d[0], h2 = d[1], x = d[2] / 2;
            const double in = h1 / 2, out = h2 / 2;
            return {
                {{{{-x, in}, {x, in}, {x, out}, {-x, out}}}, {{{-x, -out}, {x, -out}, {x, -in}, {-x, -in}}}},
                Symmetry::BothAxes};
        }
        case 2: return {{CentredBox(d[0], d[0])}, Symmetry::BothAxes};
        case 3: return {{CentredBox(d[1], d[1]), CentredBox(d[0], d[0], true)}, Symmetry::BothAxes};
        case 4: return {{Diamond(d[0])}, Symmetry::BothAxes};
        case 5: return {{Diamond(d[1]), Diamond(d[0], true)}, Symmetry::BothAxes};
        case 6: {  // base b at the bottom, apex h above its middle
            const double h = d[0], x = d[1] / 2;
            return {{{{{-x, 0}, {x, 0}, {0, h}}}}, Symmetry::AboutY};
        }
        case 7: {  // side b; corners left and right, flat top and bottom
            const double b = d[0], s = b * std::sqrt(3.0) / 2, half = b / 2;
            return {{{{{b, 0}, {half, s}, {-half, s}, {-b, 0}, {-half, -s}, {half, -s}}}},
                    Symmetry::BothAxes};
        }
        case 8: {  // side b; corners at top and bottom, two sides vertical
            const double b = d[0], s = b * std::sqrt(3.0) / 2, half = b / 2;
            return {{{{{0, -b}, {s, -half}, {s, half}, {0, b}, {-s, half}, {-s, -half}}}},
                    Symmetry::BothAxes};
        }
        case 9: {  // r to a corner; sides at top, bottom, left and right
            const double c = d[0] * std::cos(kPi / 8), s = d[0] * std::sin(kPi / 8);
            return {{{{{c, -s}, {c, s}, {s, c}, {-s, c}, {-c, s}, {-c, -s}, {-s, -c}, {s, -c}}}},
                    Symmetry::BothAxes};
        }
        case 10: {  // top width b, bottom width b + b1, height h
            const double h = d[0], top = d[1] / 2, bottom = (d[1] + d[2]) / 2;
            return {{{{{-bottom, 0}, {bottom, 0}, {top, h}, {-top, h}}}}, Symmetry::AboutY};
        }
        case 16:  // box: outer b2 × h2, concentric opening b1 × h1
            return {{CentredBox(d[3], d[1]), CentredBox(d[2], d[0], true)}, Symmetry::BothAxes};
        case 17: {  // I: flanges b2 wide, web b2 − b1 thick, clear height h1
            const double f = d[0] / 2, y = d[1] / 2, w = (d[3] - d[2]) / 2, x = d[3] / 2;
            return {{{{{-x, -y},
                       {x, -y},
                       {x, -f},
                       {w, -f},
                       {w, f},
                       {x, f},
                       {x, y},
                       {-x, y},
                       {-x, f},
                       {-w, f},
                       {-w, -f},
                       {-x, -f}}}},
                    Symmetry::BothAxes};
        }
        case 18: {  // channel open to the right: web b2 − b1 on the left
            const double f = d[0] / 2, y = d[1] / 2, b2 = d[3], web = d[3] - d[2];
            return {{{{{0, -y}, {b2, -y}, {b2, -f}, {web, -f}, {web, f}, {b2, f}, {b2, y}, {0, y}}}},
                    Symmetry::AboutX};
        }
        case 19: {  // H: uprights b2/2 each, gap b1, cross-bar h1 on the axis
            const double t = d[0] / 2, y = d[1] / 2, g = d[2] / 2, x = (d[2] + d[3]) / 2;
            return {{{{{-x, -y},
                       {-g, -y},
                       {-g, -t},
                       {g, -t},
                       {g, -y},
                       {x, -y},
                       {x, y},
                       {g, y},
                       {g, t},
                       {-g, t},
                       {-g, y},
                       {-x, y}}}},
                    Symmetry::BothAxes};
        }
        case 20: {  // cross: upright b2 × h2, arms b1/2 each side, h1 thick
            const double t = d[0] / 2, y = d[1] / 2, u = d[3] / 2, x = (d[2] + d[3]) / 2;
            return {{{{{-u, -y},
                       {u, -y},
                       {u, -t},
                       {x, -t},
                       {x, t},
                       {u, t},
                       {u, y},
                       {-u, y},
                       {-u, t},
                       {-x, t},
                       {-x, -t},
                       {-u, -t}}}},
                    Symmetry::BothAxes};
        }
        case 21: {  // side T: upright b2 × h2, one arm b1 long, h1 thick, to the right
            const double t = d[0] / 2, y = d[1] / 2, b2 = d[3], x = d[2] + d[3];
            return {{{{{0, -y}, {b2, -y}, {b2, -t}, {x, -t}, {x, t}, {b2, t}, {b2, y}, {0, y}}}},
                    Symmetry::AboutX};
        }
        case 22: {  // U: uprights b2/2 each, base h1 thick between them
            const double h1 = d[0], h2 = d[1], g = d[2] / 2, x = (d[2] + d[3]) / 2;
            return {{{{{-x, 0}, {x, 0}, {x, h2}, {g, h2}, {g, h1}, {-g, h1}, {-g, h2}, {-x, h2}}}},
                    Symmetry::AboutY};
        }
        case 23: {  // inverted T: flange b1 + b2 wide, h1 thick; stem b2 wide
            const double h1 = d[0], h2 = d[1], s = d[3] / 2, x = (d[2] + d[3]) / 2;
            return {{{{{-x, 0}, {x, 0}, {x, h1}, {s, h1}, {s, h2}, {-s, h2}, {-s, h1}, {-x, h1}}}},
                    Symmetry::AboutY};
        }
        case 24: {  // L: upright b2 × h2 on the left, foot h1 thick reaching b1 beyond it
            const double h1 = d[0], h2 = d[1], b2 = d[3], x = d[2] + d[3];
            return {{{{{0, 0}, {x, 0}, {x, h1}, {b2, h1}, {b2, h2}, {0, h2}}}}, Symmetry::None};
        }
        default: return {};
    }
}

Outline FullEllipse(double rx, double ry, bool hole = false) {
    return {{{{rx, 0}, Arc{{0, 0}, rx, ry, 0, 2 * kPi}}}, hole};
}

}  // namespace

Point Arc::at(double t) const { return {centre.x + rx * std::cos(t), centre.y + ry * std::sin(t)}; }

Geometry SectionGeometry(ShapeType shape, std::span<const double> d) {
    const ShapeEntry* entry = FindShape(shape);
    if (entry == nullptr) return {};
    switch (shape) {
        case 11: return {{FullEllipse(d[0] / 2, d[0] / 2)}, entry->symmetry};
        case 12:
            return {{FullEllipse(d[1] / 2, d[1] / 2), FullEllipse(d[0] / 2, d[0] / 2, true)},
                    entry->symmetry};
        case 13: {  // half disc of radius r on its flat side, centred on the origin
            const double r = d[0];
            return {{{{{{r, 0}, Arc{{0, 0}, r, r, 0, kPi}}, {{-r, 0}, std::nullopt}}}}, entry->symmetry};
        }
        // Ellipses: a is the vertical semi-axis, b the horizontal one.
        case 14: return {{FullEllipse(d[1], d[0])}, entry->symmetry};
        case 15: return {{FullEllipse(d[3], d[1]), FullEllipse(d[2], d[0], true)}, entry->symmetry};
        default: break;
    }
    Polygons polygons = StraightShape(shape, d);
    Geometry out;
    out.symmetry = polygons.symmetry;
    for (Ring& ring : polygons.rings) {
        Outline outline;
        outline.hole = ring.hole;
        for (const Pt& p : ring.pts) outline.edges.push_back({p, std::nullopt});
        out.outlines.push_back(std::move(outline));
    }
    return out;
}

std::vector<Point> Vertices(const Outline& outline) {
    std::vector<Point> out;
    out.reserve(outline.edges.size());
    for (const Edge& e : outline.edges) out.push_back(e.start);
    return out;
}

}  // namespace velmora::section
