// Whether entered dimensions form a real section, and the one Japanese line
// that names the first condition that fails.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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

// The conditions a section can break, each with a stable code for scripts.
enum class SectionFault {
    NotNumber,        // "not_a_number": {} の値を読み取れません
    NotPositive,      // "not_positive"
    Negative,         // "negative"
    InnerNotSmaller,  // "inner_not_smaller": the first slot must be below the second
    NoShape,          // "no_shape"
    DimensionCount,   // "dimension_count"
    OutOfRange,       // "out_of_range": the properties leave the double range
    SizeRatio,        // "size_ratio"
};

struct SectionFailure {
    SectionFault fault;
    std::vector<std::string_view> captions;  // the captions the condition names, in its order
    std::string message;                     // the Japanese line, the slots filled in
};

// The code of a fault ("inner_not_smaller") and the message of one that names no slot.
std::string_view FaultCode(SectionFault fault);
SectionFailure MakeFailure(SectionFault fault, std::vector<std::string_view> captions = {});

// The first condition the dimensions break, with its slots; see CheckSection.
std::optional<SectionFailure> FindSectionFailure(ShapeType shape, std::span<const double> dims,
                                                 std::span<const bool> readable = {});

// The first condition the dimensions (entered slots in slot order) break, as
// its message; nothing when they form a real section. Conditions are taken
// slot by slot: whether its text converted (`readable`, empty: all did), its
// sign, then each relation to an earlier slot; last, for straight-sided
// sections, the ratio of the largest size to the smallest. A shape outside 0
// to 24 or a wrong count of dimensions is named too.
std::optional<std::string> CheckSection(ShapeType shape, std::span<const double> dims,
                                        std::span<const bool> readable = {});

}  // namespace velmora
