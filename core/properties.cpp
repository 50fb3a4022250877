#include "core/properties.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>

#include "core/numtext.h"
#include "core/section_checks.h"
#include "core/section_model.h"
#include "core/thickness.h"
#include "core/units.h"

namespace velmora {
namespace {

using enum Property;

constexpr std::array<PropertyInfo, kPropertyCount> kProperties{{
    {A, "A", "断面積", "A", 2, false},
    {e_top, "e_top", "図心から上縁まで", "e上", 1, false},
    {e_bottom, "e_bottom", "図心から下縁まで", "e下", 1, false},
    {e_left, "e_left", "図心から左縁まで", "e左", 1, false},
    {e_right, "e_right", "図心から右縁まで", "e右", 1, false},
    {Ix, "Ix", "断面二次モーメント（x軸）", "Ix", 4, false},
    {Iy, "Iy", "断面二次モーメント（y軸）", "Iy", 4, false},
    {Ixy, "Ixy", "断面相乗モーメント", "Ixy", 4, false},
    {Iu, "Iu", "主断面二次モーメント（u軸・最大）", "Iu", 4, true},
    {Iv, "Iv", "主断面二次モーメント（v軸・最小）", "Iv", 4, true},
    {alpha, "alpha", "主軸の傾き（x軸からu軸まで）", "α", 0, true},
    {Zx_top, "Zx_top", "断面係数（上縁）", "Zx上", 3, false},
    {Zx_bottom, "Zx_bottom", "断面係数（下縁）", "Zx下", 3, false},
    {Zy_left, "Zy_left", "断面係数（左縁）", "Zy左", 3, false},
    {Zy_right, "Zy_right", "断面係数（右縁）", "Zy右", 3, false},
    {ix, "ix", "断面二次半径（x軸）", "ix", 1, false},
    {iy, "iy", "断面二次半径（y軸）", "iy", 1, false},
    {iu, "iu", "断面二次半径（u軸）", "iu", 1, true},
    {iv, "iv", "断面二次半径（v軸）", "iv", 1, true},
    {Ip, "Ip", "断面極二次モーメント", "Ip", 4, false},
    {Zpx, "Zpx", "塑性断面係数（x軸）", "Zpx", 3, false},
    {Zpy, "Zpy", "塑性断面係数（y軸）", "Zpy", 3, false},
    {fx, "fx", "形状係数（x軸）", "fx", 0, false},
    {fy, "fy", "形状係数（y軸）", "fy", 0, false},
    {perimeter, "perimeter", "周長", "U", 1, false},
}};

// Below this share of √(Ix·Iy) a product of inertia is rounding noise.
constexpr double kProductNoise = 1e-12;

SectionProperties Complete(const section::Basic& b) {
    SectionProperties p;
    p[A] = b.area;
    p[e_top] = b.eTop;
    p[e_bottom] = b.eBottom;
    p[e_left] = b.eLeft;
    p[e_right] = b.eRight;
    p[Ix] = b.secondMomentX;
    p[Iy] = b.secondMomentY;
    p[Ixy] = b.productMoment;
    if (p.hasPrincipalAxes()) {
        const double mean = (b.secondMomentX + b.secondMomentY) / 2;
        const double radius = std::hypot((b.secondMomentX - b.secondMomentY) / 2, b.productMoment);
        p[Iu] = mean + radius;
        // Iu·Iv = Ix·Iy − Ixy²: no cancellation where Iv is much below Iu
        // (a wide, flat angle), and each term divided first to stay in range.
        p[Iv] = b.secondMomentX * (b.secondMomentY / p[Iu]) - b.productMoment * (b.productMoment / p[Iu]);
        // The axis of the largest moment: tan 2α = −2·Ixy ÷ (Ix − Iy).
        p[alpha] = std::atan2(-2 * b.productMoment, b.secondMomentX - b.secondMomentY) / 2 *
                   (180 / std::numbers::pi);
    } else {
        p[Iu] = std::max(b.secondMomentX, b.secondMomentY);
        p[Iv] = std::min(b.secondMomentX, b.secondMomentY);
        // Equal moments (a square, a circle) keep the x axis as u, also
        // where rounding leaves Iy a hair above Ix.
        p[alpha] =
            b.secondMomentY - b.secondMomentX > kProductNoise * (b.secondMomentX + b.secondMomentY) ? 90 : 0;
    }
    p[Zx_top] = b.secondMomentX / b.eTop;
    p[Zx_bottom] = b.secondMomentX / b.eBottom;
    p[Zy_left] = b.secondMomentY / b.eLeft;
    p[Zy_right] = b.secondMomentY / b.eRight;
    p[ix] = std::sqrt(b.secondMomentX / b.area);
    p[iy] = std::sqrt(b.secondMomentY / b.area);
    p[iu] = std::sqrt(p[Iu] / b.area);
    p[iv] = std::sqrt(p[Iv] / b.area);
    p[Ip] = b.secondMomentX + b.secondMomentY;
    p[Zpx] = b.zpx;
    p[Zpy] = b.zpy;
    p[fx] = b.zpx / std::min(p[Zx_top], p[Zx_bottom]);
    p[fy] = b.zpy / std::min(p[Zy_left], p[Zy_right]);
    p[perimeter] = b.perimeter;
    return p;
}

SectionError ErrorOf(SectionFailure failure) {
    return {std::move(failure.message), FaultCode(failure.fault), std::move(failure.captions)};
}

PropertiesOutcome Checked(ShapeType shape, std::span<const double> dims, std::span<const bool> readable) {
    if (auto failure = FindSectionFailure(shape, dims, readable)) return ErrorOf(std::move(*failure));
    const SectionProperties p = Complete(section::Compute(shape, dims));
    // Sizes near the ends of the single range can leave the double range
    // in a fourth power, or vanish in it.
    const bool usable =
        std::all_of(p.values.begin(), p.values.end(), [](double v) { return std::isfinite(v); }) &&
        p[A] > 0 && p[Ix] > 0 && p[Iy] > 0;
    if (!usable) return ErrorOf(MakeFailure(SectionFault::OutOfRange));
    return p;
}

// The calculator's results whose formula uses a rounded decimal coefficient.
struct RoundedCoefficient {
    ShapeType shape;
    std::string_view result;
    std::string_view coefficient;
};
constexpr RoundedCoefficient kRoundedCoefficients[] = {
    {9, "A", "2.8284"}, {9, "Z", "0.6906"}, {9, "k2", "0.2256"}, {13, "Z", "0.1908"}, {13, "Z2", "0.2587"},
};

constexpr std::string_view kRoundedReasonHead = "電卓の公式は丸めた係数 ";
constexpr std::string_view kRoundedReasonTail = " を用いるため、厳密な値と異なります。";
constexpr std::string_view kSingleReason =
    "電卓は単精度（有効数字約 7 桁）で計算した値を記憶するため、最後の桁が厳密な値と異なります。";
constexpr std::string_view kUnderflowReason =
    "電卓は単精度で計算した値を記憶するため、単精度で表せないほど小さな値は 0 になります。";

// `underflow`: the calculator stored 0 where the exact value is not 0.
std::string Reason(ShapeType shape, std::string_view result, bool underflow) {
    for (const RoundedCoefficient& r : kRoundedCoefficients)
        if (r.shape == shape && r.result == result)
            return std::string(kRoundedReasonHead) + std::string(r.coefficient) +
                   std::string(kRoundedReasonTail);
    return std::string(underflow ? kUnderflowReason : kSingleReason);
}

// A thin-wall figure within a few single-precision steps of the exact value
// differs by its storage (or the rounded texts of the derived thicknesses)
// only, not by the approximation: the box's thin-wall formulas are exact.
constexpr double kSingleSteps = 8 * 1.1920928955078125e-7;

// "1.8", "0.53", "0.0042", "12": a positive percentage to two significant
// digits, without an exponent.
std::string PercentText(double percent, char decimalSeparator) {
    std::array<char, 512> buffer{};  // room for any double in fixed form
    auto end = std::to_chars(buffer.begin(), buffer.end(), percent, std::chars_format::scientific, 1).ptr;
    double rounded = 0;
    std::from_chars(buffer.begin(), end, rounded);
    const int decimals = std::max(0, 1 - static_cast<int>(std::floor(std::log10(rounded))));
    end = std::to_chars(buffer.begin(), buffer.end(), rounded, std::chars_format::fixed, decimals).ptr;
    std::string text(buffer.begin(), end);
    std::replace(text.begin(), text.end(), '.', decimalSeparator);
    return text;
}

// Why a figure of the thin-wall line differs from the exact value, and by how much.
std::string ThinWallReason(float calculator, double exact, char decimalSeparator) {
    if (calculator == 0 && exact != 0) return std::string(kUnderflowReason);
    const double relative = (static_cast<double>(calculator) - exact) / exact;
    if (std::fabs(relative) <= kSingleSteps) return std::string(kSingleReason);
    return "2 行目は肉厚を用いた薄肉近似のため、厳密な値より " +
           PercentText(100 * std::fabs(relative), decimalSeparator) + " %" +
           (relative < 0 ? " 小さくなります。" : " 大きくなります。");
}

}  // namespace

std::span<const PropertyInfo> AllProperties() { return kProperties; }

const PropertyInfo& Info(Property property) { return kProperties[static_cast<std::size_t>(property)]; }

std::optional<Property> PropertyForKey(std::string_view key) {
    for (const PropertyInfo& info : kProperties)
        if (info.key == key) return info.property;
    return std::nullopt;
}

bool SectionProperties::hasPrincipalAxes() const {
    const double product = (*this)[Property::Ixy];
    return product != 0 && std::fabs(product) > kProductNoise * std::sqrt((*this)[Property::Ix]) *
                                                    std::sqrt((*this)[Property::Iy]);
}

namespace {

// The entered slots read as the calculator reads them, and which of them converted.
struct EnteredDims {
    std::array<double, kSlotCount> dims{};
    std::array<bool, kSlotCount> readable{};
    std::size_t count = 0;
};

EnteredDims ReadEntered(const ShapeEntry& entry, const InputTexts& texts, char decimalSeparator) {
    EnteredDims read;
    read.count = entry.entered.size();
    for (std::size_t i = 0; i < read.count; ++i) {
        const auto slot = static_cast<std::size_t>(entry.entered[i].slot - 1);
        const std::optional<float> value = TextToSingle(texts[slot], decimalSeparator);
        read.readable[i] = value.has_value();
        read.dims[i] = value.value_or(0.0f);
    }
    return read;
}

}  // namespace

PropertiesOutcome ComputeProperties(ShapeType shape, const InputTexts& texts, char decimalSeparator) {
    const ShapeEntry* entry = FindShape(shape);
    if (entry == nullptr) return ErrorOf(MakeFailure(SectionFault::NoShape));
    const EnteredDims read = ReadEntered(*entry, texts, decimalSeparator);
    return Checked(shape, std::span(read.dims).first(read.count), std::span(read.readable).first(read.count));
}

std::optional<SectionError> CheckEnteredTexts(ShapeType shape, const InputTexts& texts,
                                              char decimalSeparator) {
    const ShapeEntry* entry = FindShape(shape);
    if (entry == nullptr) return ErrorOf(MakeFailure(SectionFault::NoShape));
    const EnteredDims read = ReadEntered(*entry, texts, decimalSeparator);
    if (auto failure = FindSectionFailure(shape, std::span(read.dims).first(read.count),
                                          std::span(read.readable).first(read.count)))
        return ErrorOf(std::move(*failure));
    return std::nullopt;
}

std::variant<std::vector<double>, SectionError> EnteredSection(ShapeType shape, const InputTexts& texts,
                                                               char decimalSeparator) {
    const ShapeEntry* entry = FindShape(shape);
    if (entry == nullptr) return ErrorOf(MakeFailure(SectionFault::NoShape));
    const EnteredDims read = ReadEntered(*entry, texts, decimalSeparator);
    const std::span<const double> entered = std::span(read.dims).first(read.count);
    PropertiesOutcome checked = Checked(shape, entered, std::span(read.readable).first(read.count));
    if (auto* error = std::get_if<SectionError>(&checked)) return std::move(*error);
    return std::vector<double>(entered.begin(), entered.end());
}

PropertiesOutcome ComputeProperties(ShapeType shape, std::span<const double> entered) {
    return Checked(shape, entered, {});
}

namespace {

// The thin-wall line as Ans computes it with the option ticked: from the
// thicknesses the calculator writes into its greyed boxes for these texts.
void AddThinWallFootnotes(ShapeType shape, const InputTexts& texts, const SectionProperties& exact,
                          char decimalSeparator, std::vector<CalculatorFootnote>& notes) {
    InputTexts filled = texts;
    for (const ThicknessWrite& write : UpdateThicknessInputs(shape, texts, true, decimalSeparator).writes)
        filled[static_cast<std::size_t>(write.slot - 1)] = write.text;
    const AnsOutcome answers = ComputeAnswers(shape, filled, true, SectionValues{}, decimalSeparator);
    if (answers.secondLine != SecondLine::Full) return;
    const SectionValues& v = answers.values;
    struct Pair {
        std::string_view result;
        Property property;
        float calculator;
        double exact;
    };
    // The sections with a thin-wall line are symmetric about x: the thin-wall
    // Z stands beside the first line's, at the top edge.
    const Pair pairs[] = {
        {"A2", A, v.resA2, exact[A]},
        {"I2", Ix, v.resI2, exact[Ix]},
        {"Z2", Zx_top, v.resZ2, exact[Zx_top]},
        {"K2", ix, v.resK2, exact[Ix] / exact[A]},
    };
    for (const Pair& pair : pairs) {
        std::string calculatorText = SingleToText(pair.calculator, decimalSeparator);
        std::string exactText = PropertyText(pair.exact, decimalSeparator);
        if (calculatorText != exactText)
            notes.push_back({pair.result, pair.property, std::move(calculatorText), std::move(exactText),
                             ThinWallReason(pair.calculator, pair.exact, decimalSeparator)});
    }
}

}  // namespace

std::vector<CalculatorFootnote> CalculatorFootnotes(ShapeType shape, const InputTexts& texts,
                                                    const SectionProperties& exact, char decimalSeparator,
                                                    bool optionTicked) {
    std::vector<CalculatorFootnote> notes;
    if (FindShape(shape) == nullptr) return notes;
    // The first line does not depend on the thickness option.
    const AnsOutcome answers = ComputeAnswers(shape, texts, false, SectionValues{}, decimalSeparator);
    if (!answers.showFirstLine) return notes;
    struct Pair {
        std::string_view result;
        Property property;
        float calculator;
        double exact;
    };
    const SectionValues& v = answers.values;
    // The second modulus of a shape with one (the bottom edge's) is on show
    // beside the first line whatever the option.
    const bool secondZ = answers.secondLine == SecondLine::ZOnly;
    const Pair pairs[] = {
        {"A", A, v.resA, exact[A]},
        {"I", Ix, v.resI, exact[Ix]},
        {"Z", Zx_top, v.resZ, exact[Zx_top]},
        {"Z2", Zx_bottom, v.resZ2, exact[Zx_bottom]},
        {"k2", ix, v.resK, exact[Ix] / exact[A]},
    };
    for (const Pair& pair : pairs) {
        if (pair.result == "Z2" && !secondZ) continue;
        std::string calculatorText = SingleToText(pair.calculator, decimalSeparator);
        std::string exactText = PropertyText(pair.exact, decimalSeparator);
        if (calculatorText != exactText)
            notes.push_back({pair.result, pair.property, std::move(calculatorText), std::move(exactText),
                             Reason(shape, pair.result, pair.calculator == 0 && pair.exact != 0)});
    }
    if (optionTicked) AddThinWallFootnotes(shape, texts, exact, decimalSeparator, notes);
    return notes;
}

double Convert(Property property, double value, double lengthFactor) {
    return ConvertLength(value, lengthFactor, Info(property).lengthPower);
}

double ConvertLength(double value, double lengthFactor, int power) {
    if (power == 0) return value;
    // A factor below 1 whose inverse is a whole number (mm to cm: 1/10) is
    // applied as a division by that number, which keeps 337500000 mm⁴ at
    // exactly 33750 cm⁴.
    const double inverse = 1 / lengthFactor;
    double scale = 1;
    if (lengthFactor < 1 && inverse == std::nearbyint(inverse)) {
        for (int i = 0; i < power; ++i) scale *= inverse;
        return value / scale;
    }
    for (int i = 0; i < power; ++i) scale *= lengthFactor;
    return value * scale;
}

std::string PropertyUnit(Property property, std::string_view suffix) {
    switch (property) {
        case alpha: return "°";
        case fx:
        case fy: return "";
        default: break;
    }
    return UnitText(suffix, Info(property).lengthPower);
}

std::string PropertyText(double value, char decimalSeparator) { return ShortText(value, decimalSeparator); }

}  // namespace velmora
