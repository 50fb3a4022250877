#include "core/formula_pictures.h"

#include <array>

namespace velmora {
namespace {

// The four kinds in the order the viewer tests them and the pictures are numbered.
constexpr std::array<std::string_view, 4> kKinds{"a", "i", "k", "z"};

int KindOffset(std::string_view kind) {
    for (int i = 0; i < 4; ++i)
        if (kKinds[static_cast<std::size_t>(i)] == kind) return i;
    return -1;
}

// First picture of a shape: four of its own for 0 to 15, one set for each group after.
int FirstPicture(int shape) {
    if (shape >= 0 && shape <= 15) return 4 * shape;
    if (shape >= 16 && shape <= 18) return 64;
    if (shape >= 19 && shape <= 21) return 68;
    if (shape >= 22 && shape <= 24) return 72;
    return -1;
}

struct SizeException {
    int picture;
    TwipsExtent size;
};

constexpr TwipsExtent kUsualSize{7620, 2010};
constexpr std::array<SizeException, 9> kLargerPictures{{
    {27, {7620, 2100}},
    {43, {7665, 2130}},
    {61, {7620, 2235}},
    {62, {7620, 2100}},
    {63, {7620, 2130}},
    {65, {7620, 2235}},
    {66, {7665, 2235}},
    {67, {7620, 2235}},
    {73, {7665, 2235}},
}};

}  // namespace

int FormulaPictureIndex(int shape, std::string_view kind) {
    const int first = FirstPicture(shape);
    const int offset = KindOffset(kind);
    if (first < 0 || offset < 0) return -1;
    return first + offset;
}

TwipsExtent FormulaPictureSize(int picture) {
    if (picture < 0 || picture >= kFormulaPictureCount) return {0, 0};
    for (const SizeException& e : kLargerPictures)
        if (e.picture == picture) return e.size;
    return kUsualSize;
}

std::string_view FormulaCaption(std::string_view kind) {
    if (kind == "a") return "velmora: 公式：断面積(A)";
    if (kind == "i") return "velmora: 公式：断面二次モーメント(I)";
    if (kind == "k") return "velmora: 公式：断面二次半径(k)";
    if (kind == "z") return "velmora: 公式：断面係数(Z)";
    return "...";
}

}  // namespace velmora
