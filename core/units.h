// The length units: the unit list's texts and suffixes, each unit's name and
// length, and the unit texts with a power that every output writes. The
// calculator only labels its results with the unit; the details window, the
// sheet's property table and velmora-cli's --display-unit convert between units.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace velmora {

struct Unit {
    std::string_view listText;  // as the unit list shows it
    std::string_view suffix;    // the UnitSuffix it gives
    std::string_view name;      // "ミリメートル"
    // The unit's length as an exact fraction of a metre.
    std::int64_t metreNumerator;
    std::int64_t metreDenominator;
};

// The eight units in list order.
std::span<const Unit> Units();

// The unit of a suffix ("mm", "尺" …), or null (also for "none").
const Unit* FindUnit(std::string_view suffix);

// The suffix for the unit list's current text, "none" for a text that is no list text.
std::string_view UnitSuffixForText(std::string_view listText);

// The factor that converts a length from one unit suffix to another; nothing
// for an unknown suffix (such as "none").
std::optional<double> LengthFactor(std::string_view fromSuffix, std::string_view toSuffix);

// A unit with a power of length: "mm" for 1, "mm²" … "mm⁹"; "" for 0.
// "none" is written as the calculator labels it ("none²").
std::string UnitText(std::string_view suffix, int lengthPower);

// The powers of length of the calculator's four results A, I, Z and k²
// (k² = I ÷ A is a length², though the calculator's k frame shows the bare unit).
inline constexpr int kResultLengthPowers[4] = {2, 4, 3, 2};

inline constexpr std::string_view kNoUnit = "none";
inline constexpr std::string_view kDefaultUnitSuffix = "mm";
inline constexpr std::string_view kDefaultUnitText = "mm (ミリメートル)";
inline constexpr std::string_view kUnitListPlaceholder = "単位選択";

}  // namespace velmora
