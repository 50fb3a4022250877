// Which formula picture the viewer shows for a shape and a property.
#pragma once

#include <string_view>

namespace velmora {

inline constexpr int kFormulaPictureCount = 76;

// The picture index for a shape (0 to 24) and a kind ("a", "i", "k" or "z",
// compared exactly), or -1 when there is none.
int FormulaPictureIndex(int shape, std::string_view kind);

struct TwipsExtent {
    int width;
    int height;
};

// The natural size of a formula picture, in twips; {0, 0} outside 0 to 75.
TwipsExtent FormulaPictureSize(int picture);

// The viewer's caption for a kind; "..." for anything but the four kinds.
std::string_view FormulaCaption(std::string_view kind);

}  // namespace velmora
