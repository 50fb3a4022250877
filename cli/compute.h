// One section through the calculator's own steps, and what the window would
// show for it: the texts of its result labels and its messages.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "analysis/torsion.h"
#include "analysis/torsion_accuracy.h"
#include "core/ans.h"
#include "core/catalogue.h"
#include "core/properties.h"

namespace velmora::cli {

struct Section {
    const ShapeEntry* shape = nullptr;
    InputTexts texts;  // txt1 to txt7 as entered (derived boxes "0")
    std::string unit = "mm";
    bool thinWall = false;
};

struct Options {
    char decimalSeparator = '.';
    bool all = false;
    std::optional<std::string> displayUnit;  // with all: convert the properties to it
    bool torsion = false;                    // with all: the torsion quantities too
    // The torsion solution's tolerance: always the default from the command
    // line; tests ask for an unreachable one.
    double torsionTolerance = analysis::TorsionOptions{}.tolerance;
};

// The results of the calculator window after Ans.
struct CalculatorView {
    InputTexts texts;  // the boxes as Ans read them, derived ones filled
    bool firstLine = false;
    std::array<std::string, 4> first;  // A, I, Z, k2 when firstLine
    SecondLine second = SecondLine::Untouched;
    std::array<std::string, 4> secondTexts;  // all four for Full, [2] alone for ZOnly
    std::string_view thicknessMessage;       // shown when the option was ticked, or empty
    std::string_view message;                // shown by Ans, or empty
};

struct PropertiesView {
    std::string unit;                         // the unit the values are in
    std::optional<SectionProperties> values;  // converted to unit
    std::string sectionError;                 // when values is empty
};

// The torsion quantities in the display unit, where the section is real.
struct TorsionView {
    std::optional<analysis::TorsionResult> values;
    // How far each value can be trusted (AllTorsionProperties' order), its
    // estimate in the display unit.
    std::array<analysis::TorsionAccuracy, analysis::kTorsionPropertyCount> accuracy{};
};

struct Record {
    Section section;
    CalculatorView calculator;
    std::optional<PropertiesView> properties;  // with Options::all
    std::optional<TorsionView> torsion;        // with Options::torsion
    // Why the entered dimensions form no real section, as the details window
    // says it; checked for every record.
    std::optional<SectionError> sectionError;

    // Every requested value computed, a real section and no message shown.
    bool complete() const;
};

// What the window shows after the user entered the texts, ticked the shape's
// thickness option (thinWall, where the shape has one) and pressed Ans, with
// the unit already chosen.
CalculatorView RunCalculator(const Section& section, char decimalSeparator);

Record Compute(Section section, const Options& options);

// The thin-wall option of the shape exists.
bool HasThinWall(const ShapeEntry& shape);

}  // namespace velmora::cli
