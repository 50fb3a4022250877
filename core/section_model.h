// The exact geometry of each shape: polygons integrated with Green's theorem,
// curves by their closed forms. Axes: x to the right, y upwards, as the
// shape's drawing shows the section.
#pragma once

#include <span>

#include "core/catalogue.h"
#include "core/section_geometry.h"

namespace velmora::section {

// The quantities every other property follows from; second moments and
// distances are about the centroidal axes.
struct Basic {
    double area = 0;
    double centroidX = 0, centroidY = 0;  // in the axes of SectionGeometry
    double secondMomentX = 0;             // ∫ y² dA
    double secondMomentY = 0;             // ∫ x² dA
    double productMoment = 0;             // ∫ x·y dA; exactly 0 for a section with an axis of symmetry
    double eTop = 0, eBottom = 0, eLeft = 0, eRight = 0;
    double zpx = 0;  // ∫ |y − c| dA about the horizontal equal-area axis y = c
    double zpy = 0;  // the same about the vertical equal-area axis
    double perimeter = 0;
};

// The section of shape 0 to 24 for its entered dimensions in slot order, which
// must form a real section (see section_checks.h).
Basic Compute(ShapeType shape, std::span<const double> dims);

// The section's outline moved into its centroidal axes (the axes of every
// property), for the same dimensions as Compute.
Geometry CentroidalGeometry(ShapeType shape, std::span<const double> dims);

// The root t in [0, 1] of t·√(1 − t²) + asin t = π/4: the height, in radii,
// of the line that halves a half disc lying on its flat side.
double HalfDiscEqualAreaHeight();

}  // namespace velmora::section
