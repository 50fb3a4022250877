// Feeds the core arbitrary inputs: a shape index (valid or not), the tick
// state and seven texts of any bytes. Checks the promises the windows rely on.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/ans.h"
#include "core/numtext.h"
#include "core/properties.h"
#include "core/thickness.h"
#include "tests/fuzz/require.h"

using namespace velmora;

namespace {

constexpr ShapeType kOutOfRange[] = {kNoShape, -1, 25, 32767, -32768};

// Input layout: byte 0 picks the shape, byte 1 the tick state, the rest is
// seven texts separated by '\n' (missing texts are empty).
struct Case {
    ShapeType shape = 0;
    bool ticked = false;
    InputTexts texts;
};

Case Decode(const std::uint8_t* data, std::size_t size) {
    Case c;
    if (size < 2) return c;
    const int pick = data[0] % 30;
    c.shape = pick < 25 ? static_cast<ShapeType>(pick) : kOutOfRange[pick - 25];
    c.ticked = data[1] & 1;
    std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);
    for (std::size_t slot = 0; slot < c.texts.size() && !rest.empty(); ++slot) {
        const std::size_t end = rest.find('\n');
        c.texts[slot] = std::string(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
    }
    return c;
}

// The shown text has at most seven significant digits and reads back as the
// stored value rounded to those digits.
void CheckShown(float value) {
    Require(std::isfinite(value), "a shown result is finite");
    const std::string text = SingleToText(value);
    int digits = 0;
    for (char ch : text) {
        if (ch == 'E') break;
        if ((ch >= '1' && ch <= '9') || (ch == '0' && digits > 0)) ++digits;
    }
    Require(digits <= 7, "at most seven significant digits");
    const auto back = TextToDouble(text);
    Require(back.has_value(), "a shown text converts back");
    Require(std::fabs(*back - value) <= std::fabs(static_cast<double>(value)) * 5.1e-7 + 1e-45,
            "a shown text is the stored value to seven digits");
}

// Every property of a real section is finite and consistent; anything else is
// named in one line.
void CheckProperties(const Case& c) {
    const PropertiesOutcome outcome = ComputeProperties(c.shape, c.texts);
    if (const auto* error = std::get_if<SectionError>(&outcome)) {
        Require(!error->message.empty(), "a section error is named");
        return;
    }
    Require(FindShape(c.shape) != nullptr, "properties only for catalogue shapes");
    const SectionProperties& p = std::get<SectionProperties>(outcome);
    for (double v : p.values) Require(std::isfinite(v), "every property is finite");
    using enum Property;
    for (Property q : {A, e_top, e_bottom, e_left, e_right, Ix, Iy, Iu, Iv, Zpx, Zpy, perimeter})
        Require(p[q] > 0, "sizes, moments and moduli are positive");
    Require(p[Iu] >= p[Iv], "Iu is the larger principal moment");
    Require(p[fx] > 0.999999 && p[fy] > 0.999999, "a plastic modulus is no less than the elastic one");
    if (c.shape != 24) Require(p[Ixy] == 0 && !p.hasPrincipalAxes(), "only the L has a product of inertia");
    for (const CalculatorFootnote& note : CalculatorFootnotes(c.shape, c.texts, p, '.', c.ticked))
        Require(note.calculatorText != note.exactText && !note.reason.empty(),
                "a footnote shows a difference");
}

bool HasThinWallPart(ShapeType shape) { return shape == 12 || shape == 15 || (shape >= 16 && shape <= 18); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Case c = Decode(data, size);

    SectionValues before;
    before.resA = before.resI = before.resZ = before.resK = 12345.0f;
    before.resA2 = before.resI2 = before.resZ2 = before.resK2 = 54321.0f;

    const AnsOutcome out = ComputeAnswers(c.shape, c.texts, c.ticked, before);
    Require(out == ComputeAnswers(c.shape, c.texts, c.ticked, before), "the computation is deterministic");

    if (!FindShape(c.shape)) {
        Require(out == AnsOutcome{before}, "no shape, no effect");
    }
    if (out.message == AnsMessage::ThinWallCondition)
        Require(c.shape == 12 && c.ticked, "t<<dm only for the tube");
    if (out.message == AnsMessage::InputError)
        Require(!out.showFirstLine || (HasThinWallPart(c.shape) && c.ticked),
                "an error after the first line only in a thin-wall part");
    if (out.secondLine != SecondLine::Untouched)
        Require(out.message == AnsMessage::None, "no second line after a message");
    if (out.showFirstLine) {
        for (float v : {out.values.resA, out.values.resI, out.values.resZ, out.values.resK}) CheckShown(v);
    }
    if (out.secondLine == SecondLine::Full) {
        for (float v : {out.values.resA2, out.values.resI2, out.values.resZ2, out.values.resK2})
            CheckShown(v);
    }
    if (out.secondLine == SecondLine::ZOnly) CheckShown(out.values.resZ2);

    CheckProperties(c);

    const ThicknessOutcome derived = UpdateThicknessInputs(c.shape, c.texts, c.ticked);
    const ShapeEntry* entry = FindShape(c.shape);
    for (const ThicknessWrite& w : derived.writes) {
        Require(entry != nullptr, "only catalogue shapes derive");
        bool isDerivedSlot = false;
        for (const InputSlot& slot : entry->derived) isDerivedSlot |= slot.slot == w.slot;
        Require(isDerivedSlot, "writes go to derived slots only");
        Require(TextToDouble(w.text).has_value(), "derived texts convert back");
    }
    if (derived.wallNotConstant)
        Require(c.shape == 15 && c.ticked, "the wall message only for the hollow ellipse");
    return 0;
}
