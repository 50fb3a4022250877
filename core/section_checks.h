// Whether entered dimensions form a real section, and the one Japanese line
// that names the first condition that fails.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/catalogue.h"

namespace velmora {

// The message texts; "{}" stands for a dimension's caption, in order.
inline constexpr std::string_view kSectionNotNumberMessage = "{} の値を読み取れません";
inline constexpr std::string_view kSectionNotPositiveMessage = "{} は 0 より大きくして下さい";
inline constexpr std::string_view kSectionNegativeMessage = "{} は 0 以上にして下さい";
inline constexpr std::string_view kSectionNotSmallerMessage = "{} は {} より小さくして下さい";
inline constexpr std::string_view kSectionNoShapeMessage = "計算する断面形状がありません";
inline constexpr std::string_view kSectionCountMessage = "寸法の数が断面形状と合いません";
inline constexpr std::string_view kSectionOutOfRangeMessage = "寸法が大きすぎるか小さすぎて計算できません";
inline constexpr std::string_view kSectionRatioMessage =
    "寸法の比が大きすぎて正確に計算できません（最大の寸法は最小の 100 万倍まで）";

// The largest ratio of two entered sizes of a straight-sided section. Its
// corners are taken about the centroid, where a size far below the largest one
// keeps only the digits the largest leaves it: the relative error of the
// moments grows as about 1e-16 times this ratio (1e-10 at the limit).
inline constexpr double kMaxSizeRatio = 1e6;

// The first condition the dimensions (entered slots in slot order) break, as
// its message; nothing when they form a real section. Conditions are taken
// slot by slot: whether its text converted (`readable`, empty: all did), its
// sign, then each relation to an earlier slot; last, for straight-sided
// sections, the ratio of the largest size to the smallest. A shape outside 0
// to 24 or a wrong count of dimensions is named too.
std::optional<std::string> CheckSection(ShapeType shape, std::span<const double> dims,
                                        std::span<const bool> readable = {});

}  // namespace velmora
