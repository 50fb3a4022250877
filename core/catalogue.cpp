#include "core/catalogue.h"

#include <array>

namespace velmora {
namespace {

// Input lists shared by several shapes (same captions in the same slots).
constexpr InputSlot kHB[] = {{1, "h"}, {2, "b"}};
constexpr InputSlot kH1H2B[] = {{1, "h1"}, {2, "h2"}, {3, "b"}};
constexpr InputSlot kH[] = {{1, "h"}};
constexpr InputSlot kH1H2[] = {{1, "h1"}, {2, "h2"}};
constexpr InputSlot kB[] = {{1, "b"}};
constexpr InputSlot kR[] = {{1, "r"}};
constexpr InputSlot kHBB1[] = {{1, "h"}, {2, "b"}, {3, "b1"}};
constexpr InputSlot kD[] = {{1, "d"}};
constexpr InputSlot kD1D2[] = {{1, "d1"}, {2, "d2"}};
constexpr InputSlot kDmT[] = {{3, "dm"}, {4, "t"}};
constexpr InputSlot kAB[] = {{1, "a"}, {2, "b"}};
constexpr InputSlot kA1A2B1B2[] = {{1, "a1"}, {2, "a2"}, {3, "b1"}, {4, "b2"}};
constexpr InputSlot kT5[] = {{5, "t"}};
constexpr InputSlot kH1H2B1B2[] = {{1, "h1"}, {2, "h2"}, {3, "b1"}, {4, "b2"}};
constexpr InputSlot kWalls[] = {{5, "t1"}, {6, "t2"}, {7, "~h"}};
constexpr std::span<const InputSlot> kNone{};

using enum ThicknessOption;
constexpr bool kCurved = true, kStraight = false;
constexpr bool kReentrant = true, kConvexCorners = false;

constexpr std::array<ShapeEntry, kShapeCount> kShapes{{
    {0, "Rectangle", "長方形", kHB, None, kNone, 5025, 4290, kStraight, Symmetry::BothAxes, kConvexCorners},
    {1, "Rectangle pair", "二枚の長方形", kH1H2B, None, kNone, 5055, 4290, kStraight, Symmetry::BothAxes,
     kConvexCorners},
    {2, "Square", "正方形", kH, None, kNone, 5175, 4515, kStraight, Symmetry::BothAxes, kConvexCorners},
    {3, "Hollow square", "中空正方形", kH1H2, None, kNone, 6030, 4995, kStraight, Symmetry::BothAxes,
     kReentrant},
    {4, "Diagonal square", "対角正方形", kH, None, kNone, 5025, 4155, kStraight, Symmetry::BothAxes,
     kConvexCorners},
    {5, "Hollow diagonal square", "中空対角正方形", kH1H2, None, kNone, 5040, 4530, kStraight,
     Symmetry::BothAxes, kReentrant},
    {6, "Isosceles triangle", "二等辺三角形", kHB, None, kNone, 5145, 4515, kStraight, Symmetry::AboutY,
     kConvexCorners},
    {7, "Hexagon on corners", "正六角形（角が左右）", kB, None, kNone, 5010, 4515, kStraight,
     Symmetry::BothAxes, kConvexCorners},
    {8, "Hexagon on sides", "正六角形（辺が左右）", kB, None, kNone, 5010, 3855, kStraight,
     Symmetry::BothAxes, kConvexCorners},
    {9, "Regular octagon", "正八角形", kR, None, kNone, 5250, 3855, kStraight, Symmetry::BothAxes,
     kConvexCorners},
    {10, "Trapezoid", "台形", kHBB1, None, kNone, 5145, 5100, kStraight, Symmetry::AboutY, kConvexCorners},
    {11, "Circle", "円", kD, None, kNone, 5010, 4515, kCurved, Symmetry::BothAxes, kConvexCorners},
    {12, "Circular tube", "円管", kD1D2, Chk1, kDmT, 5130, 5070, kCurved, Symmetry::BothAxes, kConvexCorners},
    {13, "Semicircle", "半円", kR, None, kNone, 5760, 3855, kCurved, Symmetry::AboutY, kConvexCorners},
    {14, "Ellipse", "楕円", kAB, None, kNone, 5010, 4515, kCurved, Symmetry::BothAxes, kConvexCorners},
    {15, "Hollow ellipse", "中空楕円", kA1A2B1B2, Chk2, kT5, 5385, 5115, kCurved, Symmetry::BothAxes,
     kConvexCorners},
    {16, "Box section", "箱形断面", kH1H2B1B2, Chk3, kWalls, 5415, 5370, kStraight, Symmetry::BothAxes,
     kReentrant},
    {17, "I-section", "I形断面", kH1H2B1B2, Chk3, kWalls, 5415, 4995, kStraight, Symmetry::BothAxes,
     kReentrant},
    {18, "Channel section", "溝形断面", kH1H2B1B2, Chk3, kWalls, 5415, 5370, kStraight, Symmetry::AboutX,
     kReentrant},
    {19, "H-shape", "H形", kH1H2B1B2, None, kNone, 5415, 4620, kStraight, Symmetry::BothAxes, kReentrant},
    {20, "Cross", "十字形", kH1H2B1B2, None, kNone, 5295, 4620, kStraight, Symmetry::BothAxes, kReentrant},
    {21, "Side T", "横T形", kH1H2B1B2, None, kNone, 5175, 4515, kStraight, Symmetry::AboutX, kReentrant},
    {22, "U-section", "U形断面", kH1H2B1B2, None, kNone, 6510, 4995, kStraight, Symmetry::AboutY, kReentrant},
    {23, "T-section", "T形断面", kH1H2B1B2, None, kNone, 6510, 4635, kStraight, Symmetry::AboutY, kReentrant},
    {24, "L-section", "L形断面", kH1H2B1B2, None, kNone, 5775, 4695, kStraight, Symmetry::None, kReentrant},
}};

// The table's order is the shape index; keep the two from drifting apart.
constexpr bool IndicesMatchPositions() {
    for (int i = 0; i < kShapeCount; ++i)
        if (kShapes[i].index != i) return false;
    return true;
}
static_assert(IndicesMatchPositions());

}  // namespace

const ShapeEntry* FindShape(int index) {
    if (index < 0 || index >= kShapeCount) return nullptr;
    return &kShapes[static_cast<std::size_t>(index)];
}

std::span<const ShapeEntry> AllShapes() { return kShapes; }

}  // namespace velmora
