#include "analysis/warping.h"

#include <Eigen/Dense>
#include <Eigen/Sparse>
#include <Eigen/SparseCholesky>
#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <numbers>
#include <optional>

namespace velmora::analysis {
namespace {

using Eigen::MatrixXd;
using Eigen::VectorXd;

// The Legendre polynomial P_n and its derivative at x.
void Legendre(int n, double x, double& p, double& dp) {
    double p0 = 1, p1 = x;
    if (n == 0) {
        p = 1;
        dp = 0;
        return;
    }
    for (int k = 2; k <= n; ++k) {
        const double pk = ((2 * k - 1) * x * p1 - (k - 1) * p0) / k;
        p0 = p1;
        p1 = pk;
    }
    p = p1;
    dp = n * (x * p1 - p0) / (x * x - 1);
}

// Gauss–Legendre points and weights on [−1, 1].
void GaussLegendre(int q, std::vector<double>& x, std::vector<double>& w) {
    x.assign(static_cast<std::size_t>(q), 0);
    w.assign(static_cast<std::size_t>(q), 0);
    for (int i = 0; i < q; ++i) {
        double t = -std::cos(std::numbers::pi * (i + 0.75) / (q + 0.5)), p = 0, dp = 0;
        for (int it = 0; it < 100; ++it) {
            Legendre(q, t, p, dp);
            const double step = p / dp;
            t -= step;
            if (std::abs(step) < 1e-16) break;
        }
        Legendre(q, t, p, dp);
        x[static_cast<std::size_t>(i)] = t;
        w[static_cast<std::size_t>(i)] = 2 / ((1 - t * t) * dp * dp);
    }
}

// Gauss–Lobatto–Legendre nodes of degree p: ±1 and the roots of P_p′.
std::vector<double> LobattoNodes(int p) {
    std::vector<double> x(static_cast<std::size_t>(p + 1));
    x.front() = -1;
    x.back() = 1;
    for (int i = 1; i < p; ++i) {
        double t = -std::cos(std::numbers::pi * i / p);
        for (int it = 0; it < 100; ++it) {
            // Newton on q = (1 − t²)·P_p′: q′ = −p(p+1)·P_p.
            double lp = 0, dlp = 0;
            Legendre(p, t, lp, dlp);
            const double q = (1 - t * t) * dlp, dq = -p * (p + 1) * lp;
            const double step = q / dq;
            t -= step;
            if (std::abs(step) < 1e-16) break;
        }
        x[static_cast<std::size_t>(i)] = t;
    }
    return x;
}

// The Lagrange basis on `nodes` and its derivative at t.
void Lagrange(const std::vector<double>& nodes, double t, double* value, double* derivative) {
    const std::size_t n = nodes.size();
    for (std::size_t i = 0; i < n; ++i) {
        double v = 1, d = 0;
        for (std::size_t j = 0; j < n; ++j) {
            if (j == i) continue;
            const double f = 1 / (nodes[i] - nodes[j]);
            d = d * (t - nodes[j]) * f + v * f;
            v *= (t - nodes[j]) * f;
        }
        value[i] = v;
        derivative[i] = d;
    }
}

}  // namespace

struct WarpingSolution::Data {
    Mesh mesh;
    int p = 0;
    int n1 = 0;
    std::vector<double> nodes;
    std::vector<double> gx, gw;       // quadrature
    MatrixXd B, D;                    // q × n1: basis values and derivatives at the quadrature points
    MatrixXd differentiation;         // n1 × n1: the basis' derivatives at the nodes
    std::vector<double> barycentric;  // the nodes' barycentric weights
    std::vector<int> dofs;            // element e's local node j·n1 + i → global
    VectorXd omega;
    int unknowns = 0;
    int shared = 0;  // nodes on element sides and corners: the first `shared` numbers

    const int* ElementDofs(std::size_t e) const { return &dofs[e * static_cast<std::size_t>(n1 * n1)]; }
    void Number();
    void Solve();
    // The polynomial of degree p with `values` at the nodes, at t.
    double Interpolate(const VectorXd& values, double t) const;
    // ω's gradient in (u, v) and its value at a point of element e.
    void Evaluate(std::size_t e, double u, double v, double& w, double& wu, double& wv) const;
};

void WarpingSolution::Data::Number() {
    const int n = n1 * n1, inner = p - 1;
    dofs.assign(mesh.elements.size() * static_cast<std::size_t>(n), -1);
    std::vector<int> vertexDof(mesh.points.size(), -1);
    std::map<std::pair<int, int>, int> edgeDof;
    int next = 0;
    for (std::size_t e = 0; e < mesh.elements.size(); ++e) {
        const Element& el = mesh.elements[e];
        int* d = &dofs[e * static_cast<std::size_t>(n)];
        const auto local = [&](int i, int j) -> int& { return d[j * n1 + i]; };
        const std::array<std::pair<int, int>, 4> corner{{{0, 0}, {p, 0}, {p, p}, {0, p}}};
        for (std::size_t k = 0; k < 4; ++k) {
            int& g = vertexDof[static_cast<std::size_t>(el.vertex[k])];
            if (g < 0) g = next++;
            local(corner[k].first, corner[k].second) = g;
        }
        // Sides: (from corner, to corner), and the local node of step k from the first.
        const std::array<std::pair<std::size_t, std::size_t>, 4> ends{{{0, 1}, {1, 2}, {3, 2}, {0, 3}}};
        for (std::size_t s = 0; s < 4; ++s) {
            const int a = el.vertex[ends[s].first], b = el.vertex[ends[s].second];
            auto [it, added] = edgeDof.try_emplace({std::min(a, b), std::max(a, b)}, next);
            if (added) next += inner;
            for (int k = 1; k < p; ++k) {
                const int g = it->second + (a < b ? k - 1 : p - 1 - k);
                switch (s) {
                    case 0: local(k, 0) = g; break;
                    case 1: local(p, k) = g; break;
                    case 2: local(k, p) = g; break;
                    default: local(0, k) = g; break;
                }
            }
        }
    }
    // The elements' own inner nodes come after the shared ones: they are
    // eliminated element by element before the shared system is solved.
    shared = next;
    for (std::size_t e = 0; e < mesh.elements.size(); ++e) {
        int* d = &dofs[e * static_cast<std::size_t>(n)];
        for (int j = 1; j < p; ++j)
            for (int i = 1; i < p; ++i) d[j * n1 + i] = next++;
    }
    unknowns = next;
}

namespace {

// One element's inner nodes condensed out: Kii's factor, X = Kii⁻¹·Kis and
// the Schur complement Kss − Kisᵀ·X on the side nodes.
struct Condensed {
    Eigen::LLT<MatrixXd> inner;
    MatrixXd X, schur;
};

Condensed Condense(const MatrixXd& K, int ns) {
    const int ni = static_cast<int>(K.rows()) - ns;
    Condensed c;
    c.inner.compute(K.bottomRightCorner(ni, ni));
    c.X = c.inner.solve(K.bottomLeftCorner(ni, ns));
    c.schur = K.topLeftCorner(ns, ns);
    c.schur.noalias() -= K.bottomLeftCorner(ni, ns).transpose() * c.X;
    return c;
}

// Laplace's stiffness does not change when an element is moved, turned or
// scaled: a straight-sided element's shape up to similarity, its corners
// measured in the frame where the first side runs from (0, 0) to (1, 0),
// rounded to 2⁻³⁶ (1.5e-11, far below the solution's tolerance) so that the
// copies a graded mesh repeats share one condensation.
using ShapeKey = std::array<long long, 4>;
std::optional<ShapeKey> SimilarityKey(const Mesh& mesh, const Element& e) {
    if (e.curved()) return std::nullopt;
    const auto at = [&](std::size_t k) { return mesh.points[static_cast<std::size_t>(e.vertex[k])]; };
    const Point o = at(0), s = at(1);
    const double sx = s.x - o.x, sy = s.y - o.y, s2 = sx * sx + sy * sy;
    ShapeKey key{};
    for (std::size_t k = 2; k < 4; ++k) {
        const double wx = at(k).x - o.x, wy = at(k).y - o.y;
        key[2 * k - 4] = std::llround(std::ldexp((wx * sx + wy * sy) / s2, 36));
        key[2 * k - 3] = std::llround(std::ldexp((wy * sx - wx * sy) / s2, 36));
    }
    return key;
}

// Whether the element is a parallelogram with straight sides: its map is
// affine, so its stiffness is a fixed combination of three reference matrices.
bool Affine(const Mesh& mesh, const Element& e) {
    if (e.curved()) return false;
    const auto at = [&](std::size_t k) { return mesh.points[static_cast<std::size_t>(e.vertex[k])]; };
    const Point p0 = at(0), p1 = at(1), p2 = at(2), p3 = at(3);
    const double size = std::max(
        {std::abs(p1.x - p0.x), std::abs(p1.y - p0.y), std::abs(p3.x - p0.x), std::abs(p3.y - p0.y)});
    return std::abs(p0.x + p2.x - p1.x - p3.x) <= 1e-13 * size &&
           std::abs(p0.y + p2.y - p1.y - p3.y) <= 1e-13 * size;
}

}  // namespace

void WarpingSolution::Data::Solve() {
    const int n = n1 * n1, q = static_cast<int>(gx.size()), nq = q * q;
    // Local nodes in the order [on the element's sides, inside it].
    std::vector<int> order;
    for (int pass = 0; pass < 2; ++pass)
        for (int j = 0; j < n1; ++j)
            for (int i = 0; i < n1; ++i)
                if ((i == 0 || j == 0 || i == p || j == p) == (pass == 0)) order.push_back(j * n1 + i);
    const int ns = 4 * p, ni = n - ns;
    // Reference gradients at the quadrature points: row b·q + a, column in `order`.
    MatrixXd Nu(nq, n), Nv(nq, n);
    VectorXd weight(nq);
    for (int b = 0; b < q; ++b)
        for (int a = 0; a < q; ++a) {
            const int r = b * q + a;
            weight[r] = gw[static_cast<std::size_t>(a)] * gw[static_cast<std::size_t>(b)];
            for (int c = 0; c < n; ++c) {
                const int i = order[static_cast<std::size_t>(c)] % n1,
                          j = order[static_cast<std::size_t>(c)] / n1;
                Nu(r, c) = B(b, j) * D(a, i);
                Nv(r, c) = D(b, j) * B(a, i);
            }
        }
    const MatrixXd NuW = Nu.transpose() * weight.asDiagonal(), NvW = Nv.transpose() * weight.asDiagonal();
    // A parallelogram's K = a·Kuu + b·(Kuv + Kvu) + c·Kvv, (a, b, c) its metric.
    const MatrixXd Kuu = NuW * Nu, Kvv = NvW * Nv, Kuv = NuW * Nv + (NuW * Nv).transpose();

    std::vector<Eigen::Triplet<double>> entries;
    entries.reserve(mesh.elements.size() * static_cast<std::size_t>(ns * (ns + 1) / 2));
    VectorXd f = VectorXd::Zero(shared);
    MatrixXd G(2 * nq, n), K(n, n);
    VectorXd alpha(nq), beta(nq), fe(n);
    // Similar elements share one condensation.
    std::vector<Condensed> condensed;
    std::map<ShapeKey, std::size_t> byShape;
    std::vector<std::size_t> condensedOf(mesh.elements.size());
    std::vector<VectorXd> recoverY(mesh.elements.size());
    for (std::size_t e = 0; e < mesh.elements.size(); ++e) {
        const Element& element = mesh.elements[e];
        const std::optional<ShapeKey> key = SimilarityKey(mesh, element);
        const auto known = key ? byShape.find(*key) : byShape.end();
        const bool build = known == byShape.end(), affine = build && Affine(mesh, element);
        // The load ∫ ∇N·(y, −x) dA = NuW·α + NvW·β, with α = x·x_v + y·y_v and
        // β = −(x·x_u + y·y_u) at each quadrature point.
        for (int b = 0; b < q; ++b) {
            for (int a = 0; a < q; ++a) {
                const int r = b * q + a;
                const Element::Mapped m =
                    mesh.Map(element, gx[static_cast<std::size_t>(a)], gx[static_cast<std::size_t>(b)]);
                alpha[r] = m.p.x * m.xv + m.p.y * m.yv;
                beta[r] = -(m.p.x * m.xu + m.p.y * m.yu);
                if (!build || affine) continue;
                // ∇N = (y_v·N_u − y_u·N_v, −x_v·N_u + x_u·N_v) ÷ det
                const double det = m.xu * m.yv - m.xv * m.yu;
                const double s = std::sqrt(weight[r] / det);
                G.row(r) = s * (m.yv * Nu.row(r) - m.yu * Nv.row(r));
                G.row(nq + r) = s * (-m.xv * Nu.row(r) + m.xu * Nv.row(r));
            }
        }
        fe.noalias() = NuW * alpha;
        fe.noalias() += NvW * beta;
        if (!build) {
            condensedOf[e] = known->second;
        } else {
            if (affine) {
                const Element::Mapped m = mesh.Map(element, 0, 0);
                const double det = m.xu * m.yv - m.xv * m.yu;
                K = ((m.xv * m.xv + m.yv * m.yv) / det) * Kuu - ((m.xu * m.xv + m.yu * m.yv) / det) * Kuv +
                    ((m.xu * m.xu + m.yu * m.yu) / det) * Kvv;
            } else {
                K.setZero();
                K.selfadjointView<Eigen::Lower>().rankUpdate(G.transpose());
                K.triangularView<Eigen::StrictlyUpper>() = K.transpose();
            }
            condensedOf[e] = condensed.size();
            if (key) byShape.emplace(*key, condensed.size());
            condensed.push_back(Condense(K, ns));
        }
        Condensed& c = condensed[condensedOf[e]];
        recoverY[e] = c.inner.solve(fe.tail(ni));
        // Kii's factor serves later elements of the same shape only.
        if (!key) c.inner = Eigen::LLT<MatrixXd>();
        const VectorXd g = fe.head(ns) - c.X.transpose() * fe.tail(ni);
        const int* d = ElementDofs(e);
        for (int col = 0; col < ns; ++col) {
            const int gc = d[order[static_cast<std::size_t>(col)]];
            f[gc] += g[col];
            for (int row = 0; row < ns; ++row) {
                const int gr = d[order[static_cast<std::size_t>(row)]];
                if (gr >= gc) entries.emplace_back(gr, gc, c.schur(row, col));
            }
        }
    }
    Eigen::SparseMatrix<double> stiffness(shared, shared);
    stiffness.setFromTriplets(entries.begin(), entries.end());
    std::vector<Eigen::Triplet<double>>().swap(entries);
    // ω is fixed up to a constant on each piece: hold one node of each at 0
    // while solving; the constants are settled by the integrals afterwards.
    std::vector<char> pinned(static_cast<std::size_t>(shared), 0);
    std::vector<char> seen(static_cast<std::size_t>(mesh.componentCount), 0);
    for (std::size_t e = 0; e < mesh.elements.size(); ++e) {
        const auto c = static_cast<std::size_t>(mesh.component[e]);
        if (!seen[c]) {
            seen[c] = 1;
            pinned[static_cast<std::size_t>(ElementDofs(e)[0])] = 1;
        }
    }
    // The pinned rows and columns become the identity. The solution is 0 at
    // the pinned nodes, so the held matrix gives the residual of every other
    // node as the assembled one would.
    for (int k = 0; k < stiffness.outerSize(); ++k)
        for (Eigen::SparseMatrix<double>::InnerIterator it(stiffness, k); it; ++it)
            if (pinned[static_cast<std::size_t>(it.row())] || pinned[static_cast<std::size_t>(it.col())])
                it.valueRef() = it.row() == it.col() ? 1.0 : 0.0;
    Eigen::SimplicialLDLT<Eigen::SparseMatrix<double>, Eigen::Lower, Eigen::AMDOrdering<int>> solver(
        stiffness);
    const auto masked = [&](VectorXd v) {
        for (int i = 0; i < shared; ++i)
            if (pinned[static_cast<std::size_t>(i)]) v[i] = 0;
        return v;
    };
    VectorXd skeleton = solver.solve(masked(f));
    // Iterative refinement against the assembled matrix recovers the digits
    // the factorisation of a graded, high-order mesh loses.
    for (int step = 0; step < 2; ++step) {
        const VectorXd residual = masked(f) - stiffness.selfadjointView<Eigen::Lower>() * skeleton;
        skeleton += solver.solve(masked(residual));
    }
    omega.resize(unknowns);
    omega.head(shared) = skeleton;
    VectorXd us(ns);
    for (std::size_t e = 0; e < mesh.elements.size(); ++e) {
        const int* d = ElementDofs(e);
        for (int c = 0; c < ns; ++c) us[c] = skeleton[d[order[static_cast<std::size_t>(c)]]];
        const VectorXd ui = recoverY[e] - condensed[condensedOf[e]].X * us;
        for (int r = 0; r < ni; ++r) omega[d[order[static_cast<std::size_t>(ns + r)]]] = ui[r];
    }
}

double WarpingSolution::Data::Interpolate(const VectorXd& values, double t) const {
    double num = 0, den = 0;
    for (int i = 0; i < n1; ++i) {
        const double diff = t - nodes[static_cast<std::size_t>(i)];
        if (diff == 0) return values[i];
        const double c = barycentric[static_cast<std::size_t>(i)] / diff;
        num += c * values[i];
        den += c;
    }
    return num / den;
}

void WarpingSolution::Data::Evaluate(std::size_t e, double u, double v, double& w, double& wu,
                                     double& wv) const {
    std::vector<double> bu(static_cast<std::size_t>(n1)), du(bu), bv(bu), dv(bu);
    Lagrange(nodes, u, bu.data(), du.data());
    Lagrange(nodes, v, bv.data(), dv.data());
    const int* d = ElementDofs(e);
    w = wu = wv = 0;
    for (int j = 0; j < n1; ++j)
        for (int i = 0; i < n1; ++i) {
            const double c = omega[d[j * n1 + i]];
            const auto I = static_cast<std::size_t>(i), J = static_cast<std::size_t>(j);
            w += c * bu[I] * bv[J];
            wu += c * du[I] * bv[J];
            wv += c * bu[I] * dv[J];
        }
}

WarpingSolution::WarpingSolution(const Mesh& mesh, int degree) : d_(std::make_unique<Data>()) {
    Data& d = *d_;
    d.mesh = mesh;
    d.p = degree;
    d.n1 = degree + 1;
    d.nodes = LobattoNodes(degree);
    GaussLegendre(degree + 2, d.gx, d.gw);
    const int q = degree + 2;
    d.B.resize(q, d.n1);
    d.D.resize(q, d.n1);
    for (int a = 0; a < q; ++a) {
        std::vector<double> v(static_cast<std::size_t>(d.n1)), dv(v);
        Lagrange(d.nodes, d.gx[static_cast<std::size_t>(a)], v.data(), dv.data());
        for (int i = 0; i < d.n1; ++i) {
            d.B(a, i) = v[static_cast<std::size_t>(i)];
            d.D(a, i) = dv[static_cast<std::size_t>(i)];
        }
    }
    d.differentiation.resize(d.n1, d.n1);
    d.barycentric.assign(static_cast<std::size_t>(d.n1), 1);
    for (int k = 0; k < d.n1; ++k) {
        std::vector<double> v(static_cast<std::size_t>(d.n1)), dv(v);
        Lagrange(d.nodes, d.nodes[static_cast<std::size_t>(k)], v.data(), dv.data());
        for (int i = 0; i < d.n1; ++i) d.differentiation(k, i) = dv[static_cast<std::size_t>(i)];
        for (int j = 0; j < d.n1; ++j)
            if (j != k)
                d.barycentric[static_cast<std::size_t>(k)] /=
                    d.nodes[static_cast<std::size_t>(k)] - d.nodes[static_cast<std::size_t>(j)];
    }
    d.Number();
    d.Solve();
}

WarpingSolution::~WarpingSolution() = default;
WarpingSolution::WarpingSolution(WarpingSolution&&) noexcept = default;
WarpingSolution& WarpingSolution::operator=(WarpingSolution&&) noexcept = default;

const Mesh& WarpingSolution::mesh() const { return d_->mesh; }

double WarpingSolution::Stress(int element, double u, double v, Point* at) const {
    const auto e = static_cast<std::size_t>(element);
    const Element::Mapped m = d_->mesh.Map(d_->mesh.elements[e], u, v);
    double w = 0, wu = 0, wv = 0;
    d_->Evaluate(e, u, v, w, wu, wv);
    const double det = m.xu * m.yv - m.xv * m.yu;
    const double wx = (m.yv * wu - m.yu * wv) / det, wy = (-m.xv * wu + m.xu * wv) / det;
    if (at) *at = m.p;
    return std::hypot(wx - m.p.y, wy + m.p.x);
}

WarpingIntegrals WarpingSolution::Integrals(bool withStress) const {
    const Data& d = *d_;
    const int q = static_cast<int>(d.gx.size());
    struct QuadraturePoint {
        double w, x, y, omega;
        int component;
    };
    std::vector<QuadraturePoint> points;
    points.reserve(d.mesh.elements.size() * static_cast<std::size_t>(q * q));
    const auto components = static_cast<std::size_t>(d.mesh.componentCount);
    std::vector<double> area(components, 0), sum(components, 0);
    WarpingIntegrals out;
    MatrixXd W(d.n1, d.n1);
    for (std::size_t e = 0; e < d.mesh.elements.size(); ++e) {
        const int* dof = d.ElementDofs(e);
        for (int j = 0; j < d.n1; ++j)
            for (int i = 0; i < d.n1; ++i) W(j, i) = d.omega[dof[j * d.n1 + i]];
        // ω and its parametric derivatives at the quadrature points (row b, column a).
        const MatrixXd value = d.B * W * d.B.transpose();
        const MatrixXd du = d.B * W * d.D.transpose();
        const MatrixXd dv = d.D * W * d.B.transpose();
        const int c = d.mesh.component[e];
        for (int b = 0; b < q; ++b) {
            for (int a = 0; a < q; ++a) {
                const Element::Mapped m = d.mesh.Map(d.mesh.elements[e], d.gx[static_cast<std::size_t>(a)],
                                                     d.gx[static_cast<std::size_t>(b)]);
                const double det = m.xu * m.yv - m.xv * m.yu;
                const double w = d.gw[static_cast<std::size_t>(a)] * d.gw[static_cast<std::size_t>(b)] * det;
                const double wx = (m.yv * du(b, a) - m.yu * dv(b, a)) / det;
                const double wy = (-m.xv * du(b, a) + m.xu * dv(b, a)) / det;
                const double tx = wx - m.p.y, ty = wy + m.p.x;
                out.J += w * (tx * tx + ty * ty);
                points.push_back({w, m.p.x, m.p.y, value(b, a), c});
                area[static_cast<std::size_t>(c)] += w;
                sum[static_cast<std::size_t>(c)] += w * value(b, a);
            }
        }
    }
    // Each piece's warping has its own zero mean.
    double ix = 0, iy = 0, ixy = 0, ixw = 0, iyw = 0, total = 0;
    for (QuadraturePoint& p : points) {
        const auto c = static_cast<std::size_t>(p.component);
        p.omega -= sum[c] / area[c];
        ix += p.w * p.y * p.y;
        iy += p.w * p.x * p.x;
        ixy += p.w * p.x * p.y;
        ixw += p.w * p.x * p.omega;
        iyw += p.w * p.y * p.omega;
        total += p.w;
    }
    const double det = ix * iy - ixy * ixy;
    out.xs = (ixy * ixw - iy * iyw) / det;
    out.ys = (ix * ixw - ixy * iyw) / det;
    double s1 = 0, s2 = 0;
    for (const QuadraturePoint& p : points) {
        const double ws = p.omega - out.ys * p.x + out.xs * p.y;
        s1 += p.w * ws;
        s2 += p.w * ws * ws;
    }
    out.Iw = s2 - s1 * s1 / total;
    out.unknowns = d.unknowns;
    if (withStress) {
        // The largest stress lies on the boundary: sample every side that no
        // other element shares, then close in on the best sample.
        std::map<std::pair<int, int>, int> sides;
        const std::array<std::pair<std::size_t, std::size_t>, 4> ends{{{0, 1}, {1, 2}, {3, 2}, {0, 3}}};
        for (const Element& el : d.mesh.elements)
            for (const auto& [a, b] : ends)
                ++sides[{std::min(el.vertex[a], el.vertex[b]), std::max(el.vertex[a], el.vertex[b])}];
        const int samples = 4 * d.p + 8;
        VectorXd sideValues(d.n1), sideSlopes(d.n1);
        for (std::size_t e = 0; e < d.mesh.elements.size(); ++e) {
            const Element& el = d.mesh.elements[e];
            for (std::size_t s = 0; s < 4; ++s) {
                const int a = el.vertex[ends[s].first], b = el.vertex[ends[s].second];
                if (sides[{std::min(a, b), std::max(a, b)}] != 1) continue;
                // On the boundary τ runs along it: |τ| = |∂ω/∂s + r·n|, from
                // the derivative along the side alone, which converges faster
                // than the normal one.
                // ω along the side is the polynomial through the side's own
                // nodes: its derivative's values at those nodes, interpolated.
                const bool alongU = s == 0 || s == 2;
                const int* dof = d.ElementDofs(e);
                for (int k = 0; k < d.n1; ++k) {
                    const int i = alongU ? k : (s == 1 ? d.p : 0), j = alongU ? (s == 2 ? d.p : 0) : k;
                    sideValues[k] = d.omega[dof[j * d.n1 + i]];
                }
                sideSlopes.noalias() = d.differentiation * sideValues;
                const auto at = [&](double t, Point* where) {
                    const double u = s == 1 ? 1 : s == 3 ? -1 : t, v = s == 0 ? -1 : s == 2 ? 1 : t;
                    const Element::Mapped m = d.mesh.Map(el, u, v);
                    const double tx = alongU ? m.xu : m.xv, ty = alongU ? m.yu : m.yv,
                                 len = std::hypot(tx, ty);
                    const double ds = d.Interpolate(sideSlopes, t) / len;
                    if (where) *where = m.p;
                    return std::abs(ds + (m.p.x * ty - m.p.y * tx) / len);
                };
                int best = 0;
                double bestValue = -1;
                for (int k = 0; k <= samples; ++k) {
                    const double value = at(-1 + 2.0 * k / samples, nullptr);
                    if (value > bestValue) bestValue = value, best = k;
                }
                // Golden-section search around the best sample.
                double lo = -1 + 2.0 * std::max(0, best - 1) / samples,
                       hi = -1 + 2.0 * std::min(samples, best + 1) / samples;
                const double g = (std::sqrt(5.0) - 1) / 2;
                double x1 = hi - g * (hi - lo), x2 = lo + g * (hi - lo);
                double f1 = at(x1, nullptr), f2 = at(x2, nullptr);
                for (int it = 0; it < 60 && hi - lo > 1e-13; ++it) {
                    if (f1 < f2) {
                        lo = x1, x1 = x2, f1 = f2, x2 = lo + g * (hi - lo), f2 = at(x2, nullptr);
                    } else {
                        hi = x2, x2 = x1, f2 = f1, x1 = hi - g * (hi - lo), f1 = at(x1, nullptr);
                    }
                }
                Point where;
                const double value = at((lo + hi) / 2, &where);
                for (const auto& [v, t] :
                     {std::pair{value, (lo + hi) / 2}, std::pair{bestValue, -1 + 2.0 * best / samples}}) {
                    if (v > out.maxStress) {
                        out.maxStress = v;
                        at(t, &out.maxStressAt);
                    }
                }
                (void)where;
            }
        }
    }
    return out;
}

}  // namespace velmora::analysis
