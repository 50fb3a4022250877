#include "core/units.h"

#include <array>

namespace velmora {
namespace {

constexpr std::array<Unit, 8> kUnits{{
    {"m  (メートル)", "m"},
    {"cm (センチメートル)", "cm"},
    {"mm (ミリメートル)", "mm"},
    {"尺 (しゃく)", "尺"},
    {"寸 (すん)", "寸"},
    {"分 (ぶ)", "分"},
    {"in (インチ)", "in"},
    {"ft (フィート)", "ft"},
}};

}  // namespace

std::span<const Unit> Units() { return kUnits; }

std::string_view UnitSuffixForText(std::string_view listText) {
    // The texts are all distinct, so the order of comparison cannot change the answer.
    for (const Unit& unit : kUnits)
        if (unit.listText == listText) return unit.suffix;
    return kNoUnit;
}

}  // namespace velmora
