#include "core/section_checks.h"

#include <algorithm>
#include <array>
#include <limits>

namespace velmora {
namespace {

// What each entered slot must be: most sizes positive; the trapezoid's
// overhang may be 0 (a rectangle).
enum class Least { Positive, NonNegative };

// "slot `smaller` is less than slot `larger`" (indices into the entered slots).
struct Smaller {
    int smaller;
    int larger;
};

struct ShapeChecks {
    std::array<Least, 4> least{};  // Positive unless listed
    std::array<Smaller, 2> relations{};
    int relationCount = 0;
};

constexpr Least P = Least::Positive;
constexpr ShapeChecks kAllPositive{};
constexpr ShapeChecks kInner01{{}, {{{0, 1}}}, 1};            // h1 < h2, d1 < d2
constexpr ShapeChecks kInnerBoth{{}, {{{0, 1}, {2, 3}}}, 2};  // h1 < h2 and b1 < b2

// One row per shape. A relation names an inner size that must stay inside the
// outer one (holes, clear heights and widths, a bar within the height).
constexpr std::array<ShapeChecks, kShapeCount> kChecks{{
    kAllPositive,                            // 0 rectangle
    kInner01,                                // 1 strips: gap h1 within h2
    kAllPositive,                            // 2
    kInner01,                                // 3 hollow square
    kAllPositive,                            // 4
    kInner01,                                // 5
    kAllPositive,                            // 6
    kAllPositive,                            // 7
    kAllPositive,                            // 8
    kAllPositive,                            // 9
    {{P, P, Least::NonNegative, P}, {}, 0},  // 10 trapezoid: b1 may be 0
    kAllPositive,                            // 11
    kInner01,                                // 12 tube
    kAllPositive,                            // 13
    kAllPositive,                            // 14
    kInnerBoth,                              // 15 hollow ellipse: a1 < a2, b1 < b2
    kInnerBoth,                              // 16 box
    kInnerBoth,                              // 17 I: web b2 − b1 > 0
    kInnerBoth,                              // 18 channel
    kInner01,                                // 19 H: bar within the height
    kInner01,                                // 20 cross
    kInner01,                                // 21 side T
    kInner01,                                // 22 U: base below the top
    kInner01,                                // 23 T
    kInner01,                                // 24 L
}};

// One row per fault: its code and message ("{}" for each slot named).
struct FaultRow {
    SectionFault fault;
    std::string_view code;
    std::string_view message;
};
constexpr std::array<FaultRow, 8> kFaults{{
    {SectionFault::NotNumber, "not_a_number", kSectionNotNumberMessage},
    {SectionFault::NotPositive, "not_positive", kSectionNotPositiveMessage},
    {SectionFault::Negative, "negative", kSectionNegativeMessage},
    {SectionFault::InnerNotSmaller, "inner_not_smaller", kSectionNotSmallerMessage},
    {SectionFault::NoShape, "no_shape", kSectionNoShapeMessage},
    {SectionFault::DimensionCount, "dimension_count", kSectionCountMessage},
    {SectionFault::OutOfRange, "out_of_range", kSectionOutOfRangeMessage},
    {SectionFault::SizeRatio, "size_ratio", kSectionRatioMessage},
}};

const FaultRow& Row(SectionFault fault) { return kFaults[static_cast<std::size_t>(fault)]; }

std::string Fill(std::string_view pattern, const std::vector<std::string_view>& captions) {
    std::string out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern.compare(i, 2, "{}") == 0) {
            if (next < captions.size()) out += captions[next++];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

}  // namespace

std::string_view FaultCode(SectionFault fault) { return Row(fault).code; }

SectionFailure MakeFailure(SectionFault fault, std::vector<std::string_view> captions) {
    std::string message = Fill(Row(fault).message, captions);
    return {fault, std::move(captions), std::move(message)};
}

std::optional<SectionFailure> FindSectionFailure(ShapeType shape, std::span<const double> dims,
                                                 std::span<const bool> readable) {
    const ShapeEntry* entry = FindShape(shape);
    if (entry == nullptr) return MakeFailure(SectionFault::NoShape);
    if (dims.size() != entry->entered.size() || (!readable.empty() && readable.size() != dims.size()))
        return MakeFailure(SectionFault::DimensionCount);
    const ShapeChecks& checks = kChecks[static_cast<std::size_t>(shape)];
    // Slot by slot: the text, the sign, then every relation this slot completes.
    for (std::size_t i = 0; i < dims.size(); ++i) {
        const std::string_view caption = entry->entered[i].caption;
        if (!readable.empty() && !readable[i]) return MakeFailure(SectionFault::NotNumber, {caption});
        if (checks.least[i] == Least::Positive && !(dims[i] > 0))
            return MakeFailure(SectionFault::NotPositive, {caption});
        if (checks.least[i] == Least::NonNegative && !(dims[i] >= 0))
            return MakeFailure(SectionFault::Negative, {caption});
        for (int r = 0; r < checks.relationCount; ++r) {
            const Smaller& rel = checks.relations[static_cast<std::size_t>(r)];
            const auto s = static_cast<std::size_t>(rel.smaller), l = static_cast<std::size_t>(rel.larger);
            if (std::max(s, l) == i && !(dims[s] < dims[l]))
                return MakeFailure(SectionFault::InnerNotSmaller,
                                   {entry->entered[s].caption, entry->entered[l].caption});
        }
    }
    // The curved sections come from closed forms, which keep their
    // precision at any ratio.
    if (!entry->curved) {
        double largest = 0, smallest = std::numeric_limits<double>::infinity();
        for (const double d : dims) {
            largest = std::max(largest, d);
            if (d > 0) smallest = std::min(smallest, d);  // the trapezoid's b1 may be 0
        }
        if (largest > kMaxSizeRatio * smallest) return MakeFailure(SectionFault::SizeRatio);
    }
    return std::nullopt;
}

std::optional<std::string> CheckSection(ShapeType shape, std::span<const double> dims,
                                        std::span<const bool> readable) {
    if (auto failure = FindSectionFailure(shape, dims, readable)) return std::move(failure->message);
    return std::nullopt;
}

}  // namespace velmora
