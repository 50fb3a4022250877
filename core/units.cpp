#include "core/units.h"

#include <array>

namespace velmora {
namespace {

constexpr std::array<Unit, 8> kUnits{{
    {"m  (メートル)", "m", "メートル", 1, 1},
    {"cm (センチメートル)", "cm", "センチメートル", 1, 100},
    {"mm (ミリメートル)", "mm", "ミリメートル", 1, 1000},
    {"尺 (しゃく)", "尺", "しゃく", 10, 33},
    {"寸 (すん)", "寸", "すん", 1, 33},
    {"分 (ぶ)", "分", "ぶ", 1, 330},
    {"in (インチ)", "in", "インチ", 254, 10000},
    {"ft (フィート)", "ft", "フィート", 3048, 10000},
}};

// Superscript digits; a power of 1 is written bare.
constexpr std::array<std::string_view, 10> kPowers{"", "", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};

}  // namespace

std::span<const Unit> Units() { return kUnits; }

const Unit* FindUnit(std::string_view suffix) {
    for (const Unit& unit : kUnits)
        if (unit.suffix == suffix) return &unit;
    return nullptr;
}

std::string_view UnitSuffixForText(std::string_view listText) {
    // The texts are all distinct, so the order of comparison cannot change the answer.
    for (const Unit& unit : kUnits)
        if (unit.listText == listText) return unit.suffix;
    return kNoUnit;
}

std::optional<double> LengthFactor(std::string_view fromSuffix, std::string_view toSuffix) {
    const Unit* from = FindUnit(fromSuffix);
    const Unit* to = FindUnit(toSuffix);
    if (from == nullptr || to == nullptr) return std::nullopt;
    // (from.n / from.d) ÷ (to.n / to.d) with exact integers, divided once.
    return static_cast<double>(from->metreNumerator * to->metreDenominator) /
           static_cast<double>(from->metreDenominator * to->metreNumerator);
}

std::string UnitText(std::string_view suffix, int lengthPower) {
    if (lengthPower <= 0) return {};
    if (lengthPower >= static_cast<int>(kPowers.size())) return std::string(suffix);
    return std::string(suffix) + std::string(kPowers[static_cast<std::size_t>(lengthPower)]);
}

}  // namespace velmora
