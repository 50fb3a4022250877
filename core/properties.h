// Every property of a section, exactly, in double precision, from the same
// entered texts the calculator reads: both centroidal axes, the product of
// inertia and the principal axes, elastic and plastic moduli, radii of
// gyration, the polar moment and the perimeter.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/ans.h"
#include "core/catalogue.h"
#include "core/units.h"

namespace velmora {

// The properties in the order the details window, the calculation sheet and
// the command line list them.
enum class Property {
    A,
    e_top,
    e_bottom,
    e_left,
    e_right,
    Ix,
    Iy,
    Ixy,
    Iu,
    Iv,
    alpha,
    Zx_top,
    Zx_bottom,
    Zy_left,
    Zy_right,
    ix,
    iy,
    iu,
    iv,
    Ip,
    Zpx,
    Zpy,
    fx,
    fy,
    perimeter,
};
inline constexpr int kPropertyCount = 25;

struct PropertyInfo {
    Property property;
    std::string_view key;           // "Zx_top": the key of the command line and JSON
    std::string_view japaneseName;  // "断面係数（上縁）"
    std::string_view symbol;        // as the window shows it: "Zx上", "Ix", "α" …
    int lengthPower;                // 4 for Ix, 3 for Zx_top, 2 for A, 1 for ix, 0 for alpha, fx, fy
    bool principal;                 // Iu, Iv, alpha, iu, iv: shown only where Ixy ≠ 0
};

// All 25 in enum order.
std::span<const PropertyInfo> AllProperties();
const PropertyInfo& Info(Property property);
// The property for a key such as "Zx_top", or nothing.
std::optional<Property> PropertyForKey(std::string_view key);

struct SectionProperties {
    std::array<double, kPropertyCount> values{};

    double operator[](Property p) const { return values[static_cast<std::size_t>(p)]; }
    double& operator[](Property p) { return values[static_cast<std::size_t>(p)]; }
    // Ixy ≠ 0: the principal axes differ from x and y and are worth showing.
    // Sections with an axis of symmetry have Ixy exactly 0; beyond that a
    // |Ixy| below 1e-12·√(Ix·Iy) counts as 0. Where Ixy is 0, Iu and Iv are
    // the larger and smaller of Ix and Iy and alpha is 0 (or 90 when Iy > Ix).
    bool hasPrincipalAxes() const;
};

// Why the entered texts form no real section: one Japanese line naming the
// condition that fails, e.g. "h1 は h2 より小さくして下さい".
// Beside it, for scripts, the condition's stable code ("inner_not_smaller")
// and the captions of the slots it names ({"b1", "b2"}).
struct SectionError {
    std::string message;
    std::string_view code;
    std::vector<std::string_view> captions;
    bool operator==(const SectionError&) const = default;
};

using PropertiesOutcome = std::variant<SectionProperties, SectionError>;

// Reads the shape's entered slots (the thickness option's derived slots are not
// read: the exact section is used) with the calculator's own text conversion
// (to single precision, as the calculator stores them, then widened), checks
// that they form a real section and computes every property. A shape outside
// 0 to 24 gives a SectionError.
PropertiesOutcome ComputeProperties(ShapeType shape, const InputTexts& texts, char decimalSeparator = '.');

// Only whether the entered texts form a real section, by the same reading and
// checks, without computing the properties (so without the range check of
// the computed values).
std::optional<SectionError> CheckEnteredTexts(ShapeType shape, const InputTexts& texts,
                                              char decimalSeparator = '.');

// The shape's entered slots read from the texts as ComputeProperties reads them
// (single precision, then widened), in slot order, where they form a real
// section.
std::variant<std::vector<double>, SectionError> EnteredSection(ShapeType shape, const InputTexts& texts,
                                                               char decimalSeparator = '.');

// The same from numbers already read, in slot order of the shape's entered slots.
PropertiesOutcome ComputeProperties(ShapeType shape, std::span<const double> entered);

// Where the calculator shows a figure for the same quantity that differs in
// its text from the exact value's (a rounded textbook coefficient, single
// precision, or the thin-wall approximation of the second line): which of its
// results, its text, and why.
struct CalculatorFootnote {
    // The first line's "A", "I", "Z", "k2"; the second line's "Z2" (resZ2: the
    // bottom edge's modulus, or the thin-wall Z) and, on a thin-wall line,
    // "A2", "I2", "K2" (resA2, resI2, resK2).
    std::string_view result;
    Property property;  // the exact property it is compared with (k2, K2: ix, squared)
    std::string calculatorText;
    std::string exactText;  // PropertyText of the exact value (k2, K2: of Ix ÷ A)
    std::string reason;     // one Japanese sentence
};
// `optionTicked`: the state of the shape's '"t"を用いる'. While it is ticked,
// the thin-wall line is compared as Ans would compute it from the thicknesses
// the calculator derives from the entered texts.
std::vector<CalculatorFootnote> CalculatorFootnotes(ShapeType shape, const InputTexts& texts,
                                                    const SectionProperties& exact,
                                                    char decimalSeparator = '.', bool optionTicked = false);

// Display units (the factors between them: LengthFactor in core/units.h).
// A property's value converted by a length factor (raised to its length power).
double Convert(Property property, double value, double lengthFactor);
// The same for any quantity of a length power (the torsion values too).
double ConvertLength(double value, double lengthFactor, int power);
// The unit text of a property for a unit suffix: "cm⁴", "cm³", "cm²", "cm",
// "°" for alpha, "" for the shape factors.
std::string PropertyUnit(Property property, std::string_view suffix);

// A property's value as the window writes it: the calculator's number text
// rule (at most 7 significant digits, E notation from 10 000 000, exact ties
// to even) applied to the double itself; −0 reads "0".
std::string PropertyText(double value, char decimalSeparator = '.');

}  // namespace velmora
