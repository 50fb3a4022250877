// A second, independent way to every property of the 25 sections: each shape
// cut by hand into horizontal slabs (straight-sided trapezoids and pieces of
// ellipses), each slab integrated along its height with Gauss–Legendre
// quadrature (exact for the polynomial integrands of straight slabs, converged
// to rounding for the curved ones), equal-area axes found by bisection, and
// perimeters from closed forms per shape. It shares no code with the core.
#pragma once

#include <array>
#include <span>

namespace velmora::oracle {

struct Values {
    double area, ix, iy, ixy;
    double eTop, eBottom, eLeft, eRight;
    double zpx, zpy, perimeter;
};

Values Compute(int shape, std::span<const double> dims);

}  // namespace velmora::oracle
