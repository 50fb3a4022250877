// The derived thickness inputs of the shapes with a "t" option (12, 15, 16 to 18).
#pragma once

#include <string>
#include <vector>

#include "core/ans.h"

namespace velmora {

struct ThicknessWrite {
    int slot;  // the text box txtN to assign
    std::string text;

    bool operator==(const ThicknessWrite&) const = default;
};

struct ThicknessOutcome {
    std::vector<ThicknessWrite> writes;  // assigned in this order
    bool wallNotConstant = false;        // "厚みが一定ではありません", shown after the writes

    bool operator==(const ThicknessOutcome&) const = default;
};

// What UpdateThicknessInputs writes for the entered texts (slots 1 to 4 are
// read) and the state of the shape's option. Shapes without an option give
// no writes. A text that does not convert, while ticked, gives "0" and no message.
ThicknessOutcome UpdateThicknessInputs(ShapeType shape, const InputTexts& texts, bool optionTicked,
                                       char decimalSeparator = '.');

}  // namespace velmora
