#include "core/sheet_templates.h"

#include <array>

namespace velmora {
namespace {

using V = SectionValues;

// Pictures 7 and 8 (and 28 to 30 against 32 to 34) read alike but are
// separate pictures, so each keeps its own rows. The thin-wall rows follow the
// exact ones under the same picture; the U-, T- and L-section work out e₂ and
// e₁ under the picture of Z, which shows them.
// clang-format off
constexpr std::array kTemplates{
    // 0 Rectangle
    WorkingTemplate{0, &V::resA, "A", "{b}·{h}"},
    WorkingTemplate{1, &V::resI, "I", "(1/12)·{b}·{h}³"},
    WorkingTemplate{2, &V::resK, "k²", "(1/12)·{h}²"},
    WorkingTemplate{3, &V::resZ, "Z", "(1/6)·{b}·{h}²"},
    // 1 Rectangle pair
    WorkingTemplate{4, &V::resA, "A", "{b}·({h2} − {h1})"},
    WorkingTemplate{5, &V::resI, "I", "(1/12)·{b}·({h2}³ − {h1}³)"},
    WorkingTemplate{6, &V::resK, "k²", "(1/12)·({h2}³ − {h1}³)/({h2} − {h1})"},
    WorkingTemplate{7, &V::resZ, "Z", "(1/6)·{b}·({h2}³ − {h1}³)/{h2}"},
    // 2 Square
    WorkingTemplate{8, &V::resA, "A", "{h}²"},
    WorkingTemplate{9, &V::resI, "I", "(1/12)·{h}⁴"},
    WorkingTemplate{10, &V::resK, "k²", "(1/12)·{h}²"},
    WorkingTemplate{11, &V::resZ, "Z", "(1/6)·{h}³"},
    // 3 Hollow square
    WorkingTemplate{12, &V::resA, "A", "{h2}² − {h1}²"},
    WorkingTemplate{13, &V::resI, "I", "(1/12)·({h2}⁴ − {h1}⁴)"},
    WorkingTemplate{14, &V::resK, "k²", "(1/12)·({h2}² + {h1}²)"},
    WorkingTemplate{15, &V::resZ, "Z", "(1/6)·({h2}⁴ − {h1}⁴)/{h2}"},
    // 4 Diagonal square
    WorkingTemplate{16, &V::resA, "A", "{h}²"},
    WorkingTemplate{17, &V::resI, "I", "(1/12)·{h}⁴"},
    WorkingTemplate{18, &V::resK, "k²", "(1/12)·{h}²"},
    WorkingTemplate{19, &V::resZ, "Z", "(√2/12)·{h}³"},
    // 5 Hollow diagonal square
    WorkingTemplate{20, &V::resA, "A", "{h2}² − {h1}²"},
    WorkingTemplate{21, &V::resI, "I", "(1/12)·({h2}⁴ − {h1}⁴)"},
    WorkingTemplate{22, &V::resK, "k²", "(1/12)·({h2}² + {h1}²)"},
    WorkingTemplate{23, &V::resZ, "Z", "(√2/12)·({h2}⁴ − {h1}⁴)/{h2}"},
    // 6 Isosceles triangle: Z₁ at the apex, Z₂ at the base
    WorkingTemplate{24, &V::resA, "A", "(1/2)·{b}·{h}"},
    WorkingTemplate{25, &V::resI, "I", "(1/36)·{b}·{h}³"},
    WorkingTemplate{26, &V::resK, "k²", "(1/18)·{h}²"},
    WorkingTemplate{27, &V::resZ, "Z₁", "(1/24)·{b}·{h}²"},
    WorkingTemplate{27, &V::resZ2, "Z₂", "(1/12)·{b}·{h}²"},
    // 7 Hexagon on corners
    WorkingTemplate{28, &V::resA, "A", "(3·√3/2)·{b}²"},
    WorkingTemplate{29, &V::resI, "I", "(5·√3/16)·{b}⁴"},
    WorkingTemplate{30, &V::resK, "k²", "(5/24)·{b}²"},
    WorkingTemplate{31, &V::resZ, "Z", "(5/8)·{b}³"},
    // 8 Hexagon on sides
    WorkingTemplate{32, &V::resA, "A", "(3·√3/2)·{b}²"},
    WorkingTemplate{33, &V::resI, "I", "(5·√3/16)·{b}⁴"},
    WorkingTemplate{34, &V::resK, "k²", "(5/24)·{b}²"},
    WorkingTemplate{35, &V::resZ, "Z", "(5·√3/16)·{b}³"},
    // 9 Regular octagon: three rounded coefficients, I exact
    WorkingTemplate{36, &V::resA, "A", "2.8284·{r}²"},
    WorkingTemplate{37, &V::resI, "I", "((1 + 2·√2)/6)·{r}⁴"},
    WorkingTemplate{38, &V::resK, "k²", "0.2256·{r}²"},
    WorkingTemplate{39, &V::resZ, "Z", "0.6906·{r}³"},
    // 10 Trapezoid
    WorkingTemplate{40, &V::resA, "A", "{h}·({b} + (1/2)·{b1})"},
    WorkingTemplate{41, &V::resI, "I", "(6·{b}² + 6·{b}·{b1} + {b1}²)/(36·(2·{b} + {b1}))·{h}³"},
    WorkingTemplate{42, &V::resK, "k²", "(6·{b}² + 6·{b}·{b1} + {b1}²)/(18·(2·{b} + {b1})²)·{h}²"},
    WorkingTemplate{43, &V::resZ, "Z", "(6·{b}² + 6·{b}·{b1} + {b1}²)/(12·(3·{b} + 2·{b1}))·{h}²"},
    // 11 Circle
    WorkingTemplate{44, &V::resA, "A", "(π/4)·{d}²"},
    WorkingTemplate{45, &V::resI, "I", "(π/64)·{d}⁴"},
    WorkingTemplate{46, &V::resK, "k²", "(1/16)·{d}²"},
    WorkingTemplate{47, &V::resZ, "Z", "(π/32)·{d}³"},
    // 12 Circular tube, thin wall from the mean diameter
    WorkingTemplate{48, &V::resA, "A", "(π/4)·({d2}² − {d1}²)"},
    WorkingTemplate{48, &V::resA2, "A", "π·{dm}·{t}"},
    WorkingTemplate{49, &V::resI, "I", "(π/64)·({d2}⁴ − {d1}⁴)"},
    WorkingTemplate{49, &V::resI2, "I", "(π/8)·{dm}³·{t}"},
    WorkingTemplate{50, &V::resK, "k²", "(1/16)·({d2}² + {d1}²)"},
    WorkingTemplate{50, &V::resK2, "k²", "(1/8)·{dm}²"},
    WorkingTemplate{51, &V::resZ, "Z", "(π/32)·({d2}⁴ − {d1}⁴)/{d2}"},
    WorkingTemplate{51, &V::resZ2, "Z", "(π/4)·{t}·{dm}²"},
    // 13 Semicircle: rounded Z coefficients, Z₁ at the top, Z₂ at the flat edge
    WorkingTemplate{52, &V::resA, "A", "(π/2)·{r}²"},
    WorkingTemplate{53, &V::resI, "I", "(π/8 − 8/(9·π))·{r}⁴"},
    WorkingTemplate{54, &V::resK, "k²", "(9·π² − 64)/(36·π²)·{r}²"},
    WorkingTemplate{55, &V::resZ, "Z₁", "0.1908·{r}³"},
    WorkingTemplate{55, &V::resZ2, "Z₂", "0.2587·{r}³"},
    // 14 Ellipse
    WorkingTemplate{56, &V::resA, "A", "π·{a}·{b}"},
    WorkingTemplate{57, &V::resI, "I", "(π/4)·{a}³·{b}"},
    WorkingTemplate{58, &V::resK, "k²", "(1/4)·{a}²"},
    WorkingTemplate{59, &V::resZ, "Z", "(π/4)·{a}²·{b}"},
    // 15 Hollow ellipse, thin wall on the outer semi-axes
    WorkingTemplate{60, &V::resA, "A", "π·({a2}·{b2} − {a1}·{b1})"},
    WorkingTemplate{60, &V::resA2, "A", "π·({a2} + {b2} − {t})·{t}"},
    WorkingTemplate{61, &V::resI, "I", "(π/4)·({a2}³·{b2} − {a1}³·{b1})"},
    WorkingTemplate{61, &V::resI2, "I", "(π/4)·{a2}²·({a2} + 3·{b2})·{t}"},
    WorkingTemplate{62, &V::resK, "k²", "(1/4)·({a2}³·{b2} − {a1}³·{b1})/({a2}·{b2} − {a1}·{b1})"},
    WorkingTemplate{62, &V::resK2, "k²", "(1/4)·{a2}²·({a2} + 3·{b2})/({a2} + {b2})"},
    WorkingTemplate{63, &V::resZ, "Z", "(π/4)·({a2}³·{b2} − {a1}³·{b1})/{a2}"},
    WorkingTemplate{63, &V::resZ2, "Z", "(π/4)·{a2}·({a2} + 3·{b2})·{t}"},
    // 16 to 18 Box, I- and channel section, thin wall from web and flanges
    WorkingTemplate{64, &V::resA, "A", "{b2}·{h2} − {b1}·{h1}"},
    WorkingTemplate{64, &V::resA2, "A", "2·{t2}·{b2} + {t1}·{h1}"},
    WorkingTemplate{65, &V::resI, "I", "(1/12)·({b2}·{h2}³ − {b1}·{h1}³)"},
    WorkingTemplate{65, &V::resI2, "I", "{b2}·{t2}·{~h}²/2 + {t1}·{h1}³/12 + {b2}·{t2}³/6"},
    WorkingTemplate{66, &V::resK, "k²", "(1/12)·({b2}·{h2}³ − {b1}·{h1}³)/({b2}·{h2} − {b1}·{h1})"},
    WorkingTemplate{66, &V::resK2, "k²",
                    "(6·{b2}·{t2}·{~h}² + {t1}·{h1}³ + 2·{b2}·{t2}³)/(12·(2·{t2}·{b2} + {t1}·{h1}))"},
    WorkingTemplate{67, &V::resZ, "Z", "(1/6)·({b2}·{h2}³ − {b1}·{h1}³)/{h2}"},
    WorkingTemplate{67, &V::resZ2, "Z", "{b2}·{t2}·{~h}²/{h2} + {t1}·{h1}³/(6·{h2}) + {b2}·{t2}³/(3·{h2})"},
    // 19 to 21 H-shape, cross, side T
    WorkingTemplate{68, &V::resA, "A", "{b1}·{h1} + {b2}·{h2}"},
    WorkingTemplate{69, &V::resI, "I", "(1/12)·({b1}·{h1}³ + {b2}·{h2}³)"},
    WorkingTemplate{70, &V::resK, "k²", "(1/12)·({b1}·{h1}³ + {b2}·{h2}³)/({b1}·{h1} + {b2}·{h2})"},
    WorkingTemplate{71, &V::resZ, "Z", "(1/6)·({b2}·{h2}³ + {b1}·{h1}³)/{h2}"},
    // 22 to 24 U-, T- and L-section: e₂ from the bottom edge, e₁ to the top edge
    WorkingTemplate{72, &V::resA, "A", "{b1}·{h1} + {b2}·{h2}"},
    WorkingTemplate{73, &V::resI, "I", "(1/3)·({b2}·{e1}³ + ({b1} + {b2})·{e2}³ − {b1}·({e2} − {h1})³)"},
    WorkingTemplate{74, &V::resK, "k²",
                    "(1/3)·({b2}·{e1}³ + ({b1} + {b2})·{e2}³ − {b1}·({e2} − {h1})³)/({b1}·{h1} + {b2}·{h2})"},
    WorkingTemplate{75, &V::aux4, "e₂", "({b1}·{h1}² + {b2}·{h2}²)/(2·({b1}·{h1} + {b2}·{h2}))"},
    WorkingTemplate{75, &V::aux3, "e₁", "{h2} − {e2}"},
    WorkingTemplate{75, &V::resZ, "Z₁", "{I}/{e1}"},
    WorkingTemplate{75, &V::resZ2, "Z₂", "{I}/{e2}"},
};
// clang-format on

}  // namespace

std::span<const WorkingTemplate> WorkingTemplates() { return kTemplates; }

}  // namespace velmora
