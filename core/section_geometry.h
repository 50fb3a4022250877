// The exact outline of each section: straight edges and circular or elliptic
// arcs, in the drawing's axes (x to the right, y upwards) about the point each
// shape is built around. The properties, the finite-element mesh and the
// pictures all read this one description.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "core/catalogue.h"

namespace velmora::section {

struct Point {
    double x = 0;
    double y = 0;
};

// The arc centre + (rx·cos t, ry·sin t) for t from t0 to t1 (t1 < t0: clockwise).
struct Arc {
    Point centre;
    double rx = 0;
    double ry = 0;
    double t0 = 0;
    double t1 = 0;

    Point at(double t) const;
};

// One edge of an outline, from `start` to the next edge's start (the last edge
// ends at the first's): straight unless it is an arc.
struct Edge {
    Point start;
    std::optional<Arc> arc;
};

// A closed outline of material, or of a hole in it. Outlines of material run
// counter-clockwise, holes clockwise; separate pieces are separate outlines.
struct Outline {
    std::vector<Edge> edges;
    bool hole = false;
};

struct Geometry {
    std::vector<Outline> outlines;
    Symmetry symmetry = Symmetry::None;
};

// The section of shape 0 to 24 for its entered dimensions in slot order; they
// must form a real section (see section_checks.h). Empty for another shape.
Geometry SectionGeometry(ShapeType shape, std::span<const double> dims);

// The vertices of an outline of straight edges, in order.
std::vector<Point> Vertices(const Outline& outline);

}  // namespace velmora::section
