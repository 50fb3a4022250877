// The length units of the unit list. A unit is only a label: nothing converts.
#pragma once

#include <span>
#include <string_view>

namespace velmora {

struct Unit {
    std::string_view listText;  // as the unit list shows it
    std::string_view suffix;    // the UnitSuffix it gives
};

// The eight units in list order.
std::span<const Unit> Units();

// The suffix for the unit list's current text, "none" for a text that is no list text.
std::string_view UnitSuffixForText(std::string_view listText);

inline constexpr std::string_view kNoUnit = "none";
inline constexpr std::string_view kDefaultUnitSuffix = "mm";
inline constexpr std::string_view kDefaultUnitText = "mm (ミリメートル)";
inline constexpr std::string_view kUnitListPlaceholder = "単位選択";

}  // namespace velmora
