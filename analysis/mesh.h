// Quadrilateral meshes of a section, made from its exact outline: curved edges
// are kept exactly (transfinite maps), sharp corners get geometrically graded
// elements, long thin walls get elements no longer than a few thicknesses.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "core/section_geometry.h"

namespace velmora::analysis {

using section::Arc;
using section::Point;

// One element: the map of [−1, 1]² onto the section through its four corners
// (counter-clockwise from (−1, −1)), each side straight or an exact arc.
// Sides: 0 from corner 0 to 1 (v = −1), 1 from 1 to 2 (u = 1), 2 from 3 to 2
// (v = 1), 3 from 0 to 3 (u = −1).
struct Element {
    std::array<int, 4> vertex{};             // indices into Mesh::points
    std::array<std::optional<Arc>, 4> side;  // arcs run from the side's first corner to its second

    // A piece cut from a curved element: the bilinear image of [−1, 1]² in
    // that element's parameter square, through the corners `at`, mapped on by
    // the curved element's own map, so that the arcs stay exact.
    struct Piece {
        std::array<Point, 4> corners;  // the curved element's corners
        std::array<std::optional<Arc>, 4> side;
        std::array<Point, 4> at;  // this element's corners in its parameter square
    };
    std::optional<Piece> piece;
    bool curved() const { return piece || side[0] || side[1] || side[2] || side[3]; }

    struct Mapped {
        Point p;
        double xu, xv, yu, yv;  // ∂x/∂u, ∂x/∂v, ∂y/∂u, ∂y/∂v
    };
};

struct Mesh {
    std::vector<Point> points;
    std::vector<Element> elements;
    // The material pieces: component[e] numbers the separate piece element e lies in.
    std::vector<int> component;
    int componentCount = 0;

    Element::Mapped Map(const Element& e, double u, double v) const;
};

// How finely to mesh: grading layers toward sharp inner corners and toward the
// other corners of straight-sided sections.
struct MeshOptions {
    int reentrantLayers = 6;
    double grading = 0.2;  // size ratio of successive layers at sharp inner corners
    int cornerLayers = 3;
    double cornerGrading = 0.3;  // the same at the other corners
    double maxAspect = 2.5;      // longest element side over the wall it lies in
};

// The mesh of a section given in its centroidal axes.
Mesh MakeMesh(const section::Geometry& geometry, const MeshOptions& options = {});

}  // namespace velmora::analysis
