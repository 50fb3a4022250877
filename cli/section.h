// From what the user typed to a section the calculator can run: the shape by
// number or name, and the values bound to the shape's entered boxes.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "core/ans.h"
#include "core/catalogue.h"

namespace velmora::cli {

// The shape for its number 0-24, its Japanese name or its English name
// (case-insensitive); a unique prefix of a name is enough, an exact name wins
// over the longer names it begins. Gives the reason when no single shape fits.
std::variant<const ShapeEntry*, std::string> LookupShape(std::string_view text);

// The texts of txt1 to txt7 as the calculator holds them before Ans: every box
// "0", the entered boxes given either in calculator order or as CAPTION=TEXT
// pairs (all of one kind). Gives the reason for missing, extra, unknown or
// repeated values.
std::variant<InputTexts, std::string> BindValues(const ShapeEntry& shape,
                                                 std::span<const std::string> values);

// The captions of the entered boxes, blank-separated ("h1 h2 b1 b2").
std::string EnteredCaptions(const ShapeEntry& shape);

}  // namespace velmora::cli
