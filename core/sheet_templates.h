// The substitution templates of the calculation sheet: for each formula
// picture, the formulas its results are computed by, written once and
// rendered twice (in symbols, and with the entered numbers put in).
#pragma once

#include <span>
#include <string_view>

#include "core/module1.h"

namespace velmora {

// One result worked out under one formula picture. `form` is the right-hand
// side in symbols: "{name}" stands for a dimension (the caption of an input
// slot, e.g. {h1}, {~h}) or for a result of an earlier line of the same working
// (e.g. {e2}, {I}); "·" is a multiplication, written " × " between numbers.
// Everything else (constants, π, √, parentheses, superscript powers, " − ") is
// written as it reads. The coefficients are those the calculator computes with.
struct WorkingTemplate {
    int picture;                  // 0 to 75
    float SectionValues::*field;  // the stored result it gives
    std::string_view result;      // the symbol on the left
    std::string_view form;
};

// Every template, grouped by picture in picture order.
std::span<const WorkingTemplate> WorkingTemplates();

}  // namespace velmora
