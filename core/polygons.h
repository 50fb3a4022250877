// Straight-edged outlines as plain vertex lists, shared by the section
// geometry (which builds them) and the section properties (which integrate
// over them). Internal to the core.
#pragma once

#include <vector>

#include "core/catalogue.h"
#include "core/section_geometry.h"

namespace velmora::section {

// One closed outline of straight edges; the last vertex joins the first.
// Either orientation: `hole` says which side the material lies on.
struct Ring {
    std::vector<Point> pts;
    bool hole = false;
};

struct Polygons {
    std::vector<Ring> rings;
    Symmetry symmetry = Symmetry::None;
};

}  // namespace velmora::section
