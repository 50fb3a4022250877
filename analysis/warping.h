// The warping function of a section on a mesh, with spectral elements of
// degree p (Gauss–Lobatto–Legendre nodes), and the integrals of Saint-Venant
// torsion that follow from it.
#pragma once

#include <memory>
#include <vector>

#include "analysis/mesh.h"

namespace velmora::analysis {

struct WarpingIntegrals {
    double J = 0;           // ∫ |∇ω − (y, −x)|² dA
    double xs = 0, ys = 0;  // shear centre (Trefftz)
    double Iw = 0;          // ∫ ω_s² dA − (∫ ω_s dA)² ÷ A
    double maxStress = 0;   // max over the boundary of |∇ω − (y, −x)|
    Point maxStressAt;
    int unknowns = 0;
};

class WarpingSolution {
public:
    // Solves on `mesh` (centroidal axes) with elements of degree p ≥ 1.
    WarpingSolution(const Mesh& mesh, int degree);
    ~WarpingSolution();
    WarpingSolution(WarpingSolution&&) noexcept;
    WarpingSolution& operator=(WarpingSolution&&) noexcept;

    // `withStress`: also look for the largest boundary stress.
    WarpingIntegrals Integrals(bool withStress) const;
    // |∇ω − (y, −x)| and the position at (u, v) of element e.
    double Stress(int element, double u, double v, Point* at = nullptr) const;
    const Mesh& mesh() const;

private:
    struct Data;
    std::unique_ptr<Data> d_;
};

}  // namespace velmora::analysis
