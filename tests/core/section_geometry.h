// An independent model of the 25 sections: each shape drawn as polygons from
// what its dimensions mean, then integrated with the exact polygon formulas.
// Nothing here knows the calculator's closed forms; the geometry tests compare
// the two.
#pragma once

#include <span>
#include <vector>

namespace velmora::geometry {

struct Point {
    double x;
    double y;
};

// A closed polygon; the last vertex joins the first. Either orientation.
using Contour = std::vector<Point>;

// Material: the union of `solids` (interiors disjoint; they may share edges)
// minus the `holes` (each inside a solid, not overlapping one another).
struct Section {
    std::vector<Contour> solids;
    std::vector<Contour> holes;
};

// Properties about the horizontal axis through the centroid.
struct SectionProperties {
    double area = 0;
    double centroidY = 0;
    double inertia = 0;  // second moment of area about the centroidal axis
    double eTop = 0;     // centroid to the highest point of the section
    double eBottom = 0;  // lowest point of the section to the centroid
};

// Vertices used for a full circle or ellipse. An inscribed polygon with n
// vertices misses a relative (2π/n)²/6 of the area and about four times that
// of the second moment: about 1.6e-8 and 7e-8 here, well below the float
// rounding the tests allow for.
inline constexpr int kCurveVertices = 20000;

// Shoelace area, first moment and second moment of every contour; the second
// moment is taken in a second pass about the centroid found in the first, so
// that no large parallel-axis term has to be cancelled.
SectionProperties Integrate(const Section& section);

// Axis-parallel rectangle between two corners.
Contour Box(double x0, double y0, double x1, double y1);

// Ellipse centred at (cx, cy) with semi-axis `vertical` along y and
// `horizontal` along x, inscribed polygon with `vertices` corners starting at
// the right end; a multiple of 4 puts corners at the top and bottom.
Contour EllipseContour(double vertical, double horizontal, double cx = 0, double cy = 0,
                       int vertices = kCurveVertices);

// Regular polygon with `corners` corners on a circle of `circumradius` around
// the origin, the first corner at `firstAngle` (radians, from the x axis).
Contour RegularPolygon(int corners, double circumradius, double firstAngle);

// The contour turned by `angle` (radians) about the origin.
Contour Rotated(const Contour& contour, double angle);

// The section of catalogue shape 0 to 24 for its entered dimensions in slot
// order (h, b for the rectangle; a1, a2, b1, b2 for the hollow ellipse, all
// semi-axes; h1, h2, b1, b2 for 16 to 24, and so on).
Section BuildSection(int shape, std::span<const double> dims);

}  // namespace velmora::geometry
