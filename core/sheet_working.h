// The working of a calculation sheet: for each result the calculator shows,
// its formula in symbols, the same formula with the entered numbers put in,
// and the result as the calculator shows it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/ans.h"
#include "core/catalogue.h"

namespace velmora {

// One line of working, e.g. symbols "b₂·h₂ − b₁·h₁", numbers "6 × 10 − 4 × 8",
// value "28", unit "mm²", written on the sheet as
// "A = b₂·h₂ − b₁·h₁ = 6 × 10 − 4 × 8 = 28 mm²".
struct WorkingLine {
    std::string result;         // the symbol on the left: "A", "I", "Z", "Z₁", "Z₂", "k²" …
    std::string symbols;        // the right-hand side in symbols (Unicode sub- and superscripts)
    std::string numbers;        // the same with every symbol replaced by its value: a dimension as
                                // the calculator read it, or the value of an earlier line
    std::string value;          // exactly the text the calculator shows for this result
    std::string unit;           // "mm²", "mm⁴", "mm³", "mm²" for k² (UnitText: "none²" for "none")
    int formulaPicture = -1;    // the viewer's picture for this result's kind (0 to 75)
    bool thinWall = false;      // a line of the thin-wall approximation (the second line)
    bool intermediate = false;  // a value the calculator stores but does not show (e₂, e₁ of
                                // the U-, T- and L-section), worked out for the lines that use it

    bool operator==(const WorkingLine&) const = default;
};

// The working for the results the calculator shows after Ans with these texts
// and tick, in the order the calculator shows them (A, I, Z, k², then the
// second modulus or the thin-wall line; the U-, T- and L-section work out e₂
// and e₁ between A and I). Empty when the calculator would show no first line
// (an input error or no shape); the first line alone when the thin-wall part
// fails or gives way to the t<<dm message. `unitSuffix` is the calculator's
// unit label ("mm", "none" …). The numbers put in are the values the
// calculator read from the texts, written as it writes numbers.
std::vector<WorkingLine> SheetWorking(ShapeType shape, const InputTexts& texts, bool optionTicked,
                                      std::string_view unitSuffix, char decimalSeparator = '.');

// The symbol of a dimension on the sheet, from its caption: "h1" → "h₁",
// "dm" → "dₘ", "~h" → "h̄", "b" → "b".
std::string DimensionSymbol(std::string_view caption);

}  // namespace velmora
