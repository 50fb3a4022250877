#include "core/thickness.h"

#include <cmath>
#include <optional>

#include "core/numtext.h"
#include "core/single.h"

namespace velmora {
namespace {

struct Reader {
    const InputTexts& texts;
    char separator;
    std::optional<double> operator()(int slot) const {
        return TextToDouble(texts[static_cast<std::size_t>(slot - 1)], separator);
    }
};

bool AllFinite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

// Circular tube: dm and t from the inner and outer diameters.
void Tube(ThicknessOutcome& out, const Reader& read, bool ticked, char sep) {
    const auto d1 = read(1), d2 = read(2);
    if (ticked && d1 && d2) {
        const double t = (*d2 - *d1) / 2;
        const double dm = *d1 + t;
        if (AllFinite({t, dm})) {
            out.writes = {{3, DoubleToText(dm, sep)}, {4, DoubleToText(t, sep)}};
            return;
        }
    }
    out.writes = {{3, "0"}, {4, "0"}};
}

// Hollow ellipse: all four dimensions are semi-axes, so a wall of constant
// thickness has b2 − b1 = a2 − a1. The two differences are compared after
// rounding both to single precision, so that thicknesses equal on paper but
// not exactly representable (1.1 − 1 against 2.2 − 2) still compare equal.
void HollowEllipse(ThicknessOutcome& out, const Reader& read, bool ticked, char sep) {
    out.writes = {{5, "0"}};
    if (!ticked) return;
    const auto a1 = read(1), a2 = read(2), b1 = read(3), b2 = read(4);
    if (!a1 || !a2 || !b1 || !b2) return;
    const double t = *b2 - *b1;
    const double s = *a2 - *a1;
    if (!AllFinite({t, s})) return;
    const bool comparable = FitsSingle(t) && FitsSingle(s);
    const bool equal = comparable ? static_cast<float>(t) == static_cast<float>(s) : t == s;
    if (equal)
        out.writes.push_back({5, DoubleToText(t, sep)});
    else
        out.wallNotConstant = true;
}

// Box, I- and channel section: web t1, flange t2 and the distance ~h between
// the flange centre lines, ~h rounded to single precision.
void Walls(ThicknessOutcome& out, const Reader& read, bool ticked, char sep) {
    out.writes = {{5, "0"}, {6, "0"}, {7, "0"}};
    if (!ticked) return;
    const auto h1 = read(1), h2 = read(2), b1 = read(3), b2 = read(4);
    if (!h1 || !h2 || !b1 || !b2) return;
    const double t1 = *b2 - *b1;
    const double t2 = (*h2 - *h1) / 2;
    const double meanHeight = *h1 + t2;
    if (!AllFinite({t1, t2}) || !FitsSingle(meanHeight)) return;
    out.writes.push_back({5, DoubleToText(t1, sep)});
    out.writes.push_back({6, DoubleToText(t2, sep)});
    out.writes.push_back({7, SingleToText(static_cast<float>(meanHeight), sep)});
}

}  // namespace

ThicknessOutcome UpdateThicknessInputs(ShapeType shape, const InputTexts& texts, bool optionTicked,
                                       char decimalSeparator) {
    ThicknessOutcome out;
    const Reader read{texts, decimalSeparator};
    const ShapeEntry* entry = FindShape(shape);
    if (!entry) return out;
    switch (entry->option) {
        case ThicknessOption::Chk1: Tube(out, read, optionTicked, decimalSeparator); break;
        case ThicknessOption::Chk2: HollowEllipse(out, read, optionTicked, decimalSeparator); break;
        case ThicknessOption::Chk3: Walls(out, read, optionTicked, decimalSeparator); break;
        case ThicknessOption::None: break;
    }
    return out;
}

}  // namespace velmora
