// The 25 cross-section shapes the calculator knows, with their input slots.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace velmora {

// Shape index: 0 to 24 name catalogue entries; kNoShape means nothing is chosen.
using ShapeType = std::int16_t;
inline constexpr ShapeType kNoShape = 99;
inline constexpr int kShapeCount = 25;
inline constexpr int kSlotCount = 7;

// The check box that switches a shape's thin-wall ("t") inputs on.
enum class ThicknessOption { None, Chk1, Chk2, Chk3 };

// One input slot: slot N is the pair lblN / txtN of the calculator.
struct InputSlot {
    int slot;                  // 1 to 7
    std::string_view caption;  // shown in lblN
};

// The mirror lines through the centroid a section has: x (horizontal), y
// (vertical), both or none. A section is built centred on them, so its
// centroid lies on them exactly and its product of inertia is exactly 0.
enum class Symmetry : unsigned char { None = 0, AboutX = 1, AboutY = 2, BothAxes = 3 };
constexpr bool MirroredInX(Symmetry s) { return (static_cast<unsigned>(s) & 1u) != 0; }
constexpr bool MirroredInY(Symmetry s) { return (static_cast<unsigned>(s) & 2u) != 0; }

struct ShapeEntry {
    ShapeType index;
    std::string_view name;          // English name, for documentation and tests
    std::string_view japaneseName;  // spoken by screen readers for the pictures
    std::span<const InputSlot> entered;
    ThicknessOption option;
    std::span<const InputSlot> derived;  // filled while the option is ticked
    int drawingWidthTwips;
    int drawingHeightTwips;
    bool curved;            // bounded by circular or elliptic arcs (closed forms, any size ratio)
    Symmetry symmetry;      // its mirror lines
    bool reentrantCorners;  // has a sharp inner corner (over 180° of material around it)
};

// The entry of a shape, or nullptr for an index outside 0 to 24.
const ShapeEntry* FindShape(int index);

// All 25 entries in index order.
std::span<const ShapeEntry> AllShapes();

// The caption of the thickness check boxes.
inline constexpr std::string_view kThicknessCaption = "\"t\"を用いる";

}  // namespace velmora
