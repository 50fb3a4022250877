#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/ans.h"
#include "core/formula_pictures.h"
#include "core/numtext.h"
#include "core/sheet_templates.h"
#include "core/sheet_working.h"
#include "core/thickness.h"
#include "core/units.h"

using namespace velmora;

namespace {

using V = SectionValues;
using Field = float V::*;

// Reads a numbers line as a person would: + and −, × and · and /, powers
// written as superscript digits, √ and π, parentheses and a leading minus.
// Empty when anything in the text is not part of such an expression.
class Evaluator {
public:
    // `exact` gives, for a number written with seven digits, the value it
    // stands for when that differs (a stored result put in by its shown text).
    Evaluator(std::string_view text, char decimalSeparator, const std::map<std::string, double>& exact)
        : rest_(text), separator_(decimalSeparator), exact_(exact) {}

    std::optional<double> Run() {
        const auto value = Sum();
        SkipBlanks();
        if (!value || !rest_.empty()) return std::nullopt;
        return value;
    }

private:
    void SkipBlanks() {
        while (rest_.starts_with(' ')) rest_.remove_prefix(1);
    }
    bool Take(std::string_view token) {
        SkipBlanks();
        if (!rest_.starts_with(token)) return false;
        rest_.remove_prefix(token.size());
        return true;
    }
    std::optional<double> Sum() {
        auto value = Product();
        while (value) {
            if (Take("+")) {
                const auto rhs = Product();
                value = rhs ? std::optional(*value + *rhs) : std::nullopt;
            } else if (Take("−")) {
                const auto rhs = Product();
                value = rhs ? std::optional(*value - *rhs) : std::nullopt;
            } else {
                break;
            }
        }
        return value;
    }
    std::optional<double> Product() {
        auto value = Signed();
        while (value) {
            if (Take("×") || Take("·")) {
                const auto rhs = Signed();
                value = rhs ? std::optional(*value * *rhs) : std::nullopt;
            } else if (Take("/")) {
                const auto rhs = Signed();
                value = rhs ? std::optional(*value / *rhs) : std::nullopt;
            } else {
                break;
            }
        }
        return value;
    }
    std::optional<double> Signed() {
        if (Take("-") || Take("−")) {
            const auto value = Signed();
            return value ? std::optional(-*value) : std::nullopt;
        }
        return Raised();
    }
    // A power binds tighter than a sign: "−2²" is −4.
    std::optional<double> Raised() {
        const auto base = Primary();
        if (!base) return std::nullopt;
        static const std::vector<std::string_view> kDigits{"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
        int exponent = 0;
        bool any = false;
        for (bool more = true; more;) {
            more = false;
            for (std::size_t d = 0; d < kDigits.size(); ++d) {
                if (rest_.starts_with(kDigits[d])) {
                    rest_.remove_prefix(kDigits[d].size());
                    exponent = exponent * 10 + static_cast<int>(d);
                    any = more = true;
                    break;
                }
            }
        }
        return any ? std::pow(*base, exponent) : *base;
    }
    std::optional<double> Primary() {
        if (Take("(")) {
            const auto value = Sum();
            return value && Take(")") ? value : std::nullopt;
        }
        if (Take("π")) return M_PI;
        if (Take("√")) {
            const auto value = Raised();
            return value ? std::optional(std::sqrt(*value)) : std::nullopt;
        }
        return Number();
    }
    std::optional<double> Number() {
        SkipBlanks();
        std::string c;
        std::size_t i = 0;
        const auto digits = [&] {
            const std::size_t start = i;
            while (i < rest_.size() && rest_[i] >= '0' && rest_[i] <= '9') c += rest_[i++];
            return i > start;
        };
        if (!digits()) return std::nullopt;
        if (i < rest_.size() && rest_[i] == separator_) {
            c += '.';
            ++i;
            if (!digits()) return std::nullopt;
        }
        if (i < rest_.size() && rest_[i] == 'E') {
            c += rest_[i++];
            if (i < rest_.size() && (rest_[i] == '+' || rest_[i] == '-')) c += rest_[i++];
            if (!digits()) return std::nullopt;
        }
        const auto known = exact_.find(std::string(rest_.substr(0, i)));
        rest_.remove_prefix(i);
        return known != exact_.end() ? known->second : std::stod(c);
    }

    std::string_view rest_;
    char separator_;
    const std::map<std::string, double>& exact_;
};

std::optional<double> Evaluate(std::string_view numbers, char separator = '.',
                               const std::map<std::string, double>& exact = {}) {
    return Evaluator(numbers, separator, exact).Run();
}

// The names a symbols line mentions: a Latin letter with its subscripts or bar.
std::set<std::string> Names(std::string_view symbols) {
    static const std::vector<std::string_view> kMarks{"₀", "₁", "₂", "₃", "₄", "₅",
                                                      "₆", "₇", "₈", "₉", "ₘ", "\u0304"};
    std::set<std::string> names;
    std::size_t i = 0;
    while (i < symbols.size()) {
        const char c = symbols[i];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) {
            ++i;
            continue;
        }
        std::string name(1, c);
        ++i;
        for (bool more = true; more;) {
            more = false;
            for (std::string_view mark : kMarks) {
                if (symbols.substr(i).starts_with(mark)) {
                    name += mark;
                    i += mark.size();
                    more = true;
                }
            }
        }
        names.insert(name);
    }
    return names;
}

// How the sheet writes each caption of the catalogue.
const std::map<std::string, std::string, std::less<>> kCaptionSymbols{
    {"a", "a"},   {"b", "b"},   {"d", "d"},   {"h", "h"},   {"r", "r"},   {"t", "t"},
    {"a1", "a₁"}, {"a2", "a₂"}, {"b1", "b₁"}, {"b2", "b₂"}, {"d1", "d₁"}, {"d2", "d₂"},
    {"h1", "h₁"}, {"h2", "h₂"}, {"t1", "t₁"}, {"t2", "t₂"}, {"dm", "dₘ"}, {"~h", "h̄"},
};

std::set<std::string> Symbols(std::span<const InputSlot> slots) {
    std::set<std::string> out;
    for (const InputSlot& s : slots) out.insert(kCaptionSymbols.find(s.caption)->second);
    return out;
}

// The kind of picture a result is worked out under (e₁, e₂ under Z's, which shows them).
std::string KindOf(Field f) {
    if (f == &V::resA || f == &V::resA2) return "a";
    if (f == &V::resI || f == &V::resI2) return "i";
    if (f == &V::resK || f == &V::resK2) return "k";
    return "z";
}

bool HasSecondModulus(int shape) { return shape == 6 || shape == 13 || shape >= 22; }
bool HasCentroidLines(int shape) { return shape >= 22; }

struct Expected {
    std::string result;
    Field field;
    bool thinWall;
    bool intermediate;
    std::string unit;  // with the unit "mm"
};

// What the sheet must list for an outcome, in order: the first line as the
// calculator shows it, then its second line.
std::vector<Expected> ExpectedLines(int shape, const AnsOutcome& o) {
    if (!o.showFirstLine) return {};
    const bool twoZ = HasSecondModulus(shape);
    std::vector<Expected> lines{{"A", &V::resA, false, false, "mm²"}};
    if (HasCentroidLines(shape)) {
        lines.push_back({"e₂", &V::aux4, false, true, "mm"});
        lines.push_back({"e₁", &V::aux3, false, true, "mm"});
    }
    lines.push_back({"I", &V::resI, false, false, "mm⁴"});
    lines.push_back({twoZ ? "Z₁" : "Z", &V::resZ, false, false, "mm³"});
    lines.push_back({"k²", &V::resK, false, false, "mm²"});
    if (o.secondLine == SecondLine::ZOnly) lines.push_back({"Z₂", &V::resZ2, false, false, "mm³"});
    if (o.secondLine == SecondLine::Full) {
        lines.push_back({"A", &V::resA2, true, false, "mm²"});
        lines.push_back({"I", &V::resI2, true, false, "mm⁴"});
        lines.push_back({"Z", &V::resZ2, true, false, "mm³"});
        lines.push_back({"k²", &V::resK2, true, false, "mm²"});
    }
    return lines;
}

InputTexts Texts(std::initializer_list<const char*> texts) {
    InputTexts in;
    std::size_t i = 0;
    for (const char* t : texts) in[i++] = t;
    return in;
}

std::vector<WorkingLine> Working(int shape, const InputTexts& texts, bool ticked = false,
                                 std::string_view unit = "mm", char separator = '.') {
    return SheetWorking(static_cast<ShapeType>(shape), texts, ticked, unit, separator);
}

// The texts as the calculator holds them once the option's derived inputs are filled.
InputTexts WithDerived(int shape, InputTexts texts, bool ticked) {
    for (const ThicknessWrite& w : UpdateThicknessInputs(static_cast<ShapeType>(shape), texts, ticked).writes)
        texts[static_cast<std::size_t>(w.slot - 1)] = w.text;
    return texts;
}

// Entered dimensions in tenths, of sensible proportions: an inner dimension
// (caption ending in 1) at most 0.9 of its outer one for the hollow shapes,
// and the hollow ellipse's wall of one thickness so that t is filled.
InputTexts RandomDimensions(int shape, std::mt19937& rng) {
    const ShapeEntry& e = *FindShape(shape);
    std::uniform_int_distribution<int> tenths(10, 2000);
    std::map<std::string_view, int> n;
    for (const InputSlot& s : e.entered) n[s.caption] = tenths(rng);
    const bool hollow =
        shape == 1 || shape == 3 || shape == 5 || shape == 12 || shape == 15 || (shape >= 16 && shape <= 18);
    if (hollow) {
        for (auto& [caption, value] : n) {
            if (!caption.ends_with('1')) continue;
            const std::string outer = std::string(caption.substr(0, caption.size() - 1)) + "2";
            const int limit = n[outer] * 9 / 10;
            value = std::uniform_int_distribution<int>(std::min(5, limit), limit)(rng);
        }
    }
    if (shape == 15) n["b2"] = n["b1"] + n["a2"] - n["a1"];
    InputTexts texts;
    for (const InputSlot& s : e.entered)
        texts[static_cast<std::size_t>(s.slot - 1)] = DoubleToText(n[s.caption] / 10.0);
    return texts;
}

std::string Describe(int shape, const InputTexts& texts, bool ticked, const WorkingLine& line) {
    std::string d = "shape " + std::to_string(shape) + (ticked ? " ticked," : ",");
    for (const std::string& t : texts) d += " [" + t + "]";
    return d + ": " + line.result + " = " + line.symbols + " = " + line.numbers + " = " + line.value;
}

// Checks every line of a working against the calculator's own outcome for
// the same texts: the lines it shows, their order, their values, and that
// each numbers line evaluates to the stored result, to a relative 1e-6. The
// numbers put in (a dimension as read, an earlier result) are read as the
// single-precision values they stand for, not as the decimals shown: a
// difference of two such numbers (e₁ = h₂ − e₂ with e₂ close to h₂) can lose
// most of their seven digits.
void CheckAgainstCalculator(int shape, const InputTexts& texts, bool ticked) {
    const AnsOutcome o = ComputeAnswers(static_cast<ShapeType>(shape), texts, ticked, {});
    const std::vector<WorkingLine> lines = Working(shape, texts, ticked);
    const std::vector<Expected> expected = ExpectedLines(shape, o);
    ASSERT_EQ(lines.size(), expected.size()) << "shape " << shape;
    std::map<std::string, double> exact;
    const auto standsFor = [&exact](const std::string& text, float value) {
        exact[text.starts_with('-') ? text.substr(1) : text] = std::fabs(value);
    };
    for (int slot = 1; slot <= kSlotCount; ++slot)
        standsFor(SingleToText(o.values.val(slot)), o.values.val(slot));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const WorkingLine& line = lines[i];
        const Expected& x = expected[i];
        SCOPED_TRACE(Describe(shape, texts, ticked, line));
        EXPECT_EQ(line.result, x.result);
        EXPECT_EQ(line.thinWall, x.thinWall);
        EXPECT_EQ(line.intermediate, x.intermediate);
        EXPECT_EQ(line.unit, x.unit);
        EXPECT_EQ(line.formulaPicture, FormulaPictureIndex(shape, KindOf(x.field)));
        const float stored = o.values.*x.field;
        EXPECT_EQ(line.value, SingleToText(stored));

        const auto value = Evaluate(line.numbers, '.', exact);
        ASSERT_TRUE(value.has_value()) << line.numbers;
        EXPECT_NEAR(*value, stored, 1e-6 * std::fabs(stored));
        standsFor(line.value, stored);
    }
}

}  // namespace

TEST(SheetWorking, BoxSectionWorkedExample) {
    const auto lines = Working(16, Texts({"8", "10", "4", "6"}));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], (WorkingLine{.result = "A",
                                     .symbols = "b₂·h₂ − b₁·h₁",
                                     .numbers = "6 × 10 − 4 × 8",
                                     .value = "28",
                                     .unit = "mm²",
                                     .formulaPicture = 64}));
    EXPECT_EQ(lines[1].symbols, "(1/12)·(b₂·h₂³ − b₁·h₁³)");
    EXPECT_EQ(lines[1].numbers, "(1/12) × (6 × 10³ − 4 × 8³)");
    EXPECT_EQ(lines[1].value, "329.3333");
    EXPECT_EQ(lines[2].value, "65.86667");
    EXPECT_EQ(lines[3].result, "k²");
    EXPECT_EQ(lines[3].value, "11.7619");
    EXPECT_EQ(lines[3].unit, "mm²");

    // Ticked: the window fills t1 = 2, t2 = 1, ~h = 9 and the thin-wall line follows.
    const auto ticked = Working(16, WithDerived(16, Texts({"8", "10", "4", "6"}), true), true);
    ASSERT_EQ(ticked.size(), 8u);
    EXPECT_EQ(ticked[4], (WorkingLine{.result = "A",
                                      .symbols = "2·t₂·b₂ + t₁·h₁",
                                      .numbers = "2 × 1 × 6 + 2 × 8",
                                      .value = "28",
                                      .unit = "mm²",
                                      .formulaPicture = 64,
                                      .thinWall = true}));
    EXPECT_EQ(ticked[5].symbols, "b₂·t₂·h̄²/2 + t₁·h₁³/12 + b₂·t₂³/6");
    EXPECT_EQ(ticked[5].numbers, "6 × 1 × 9²/2 + 2 × 8³/12 + 6 × 1³/6");
    EXPECT_EQ(ticked[5].value, "329.3333");
}

TEST(SheetWorking, SecondModulusAndCentroidLines) {
    const auto triangle = Working(6, Texts({"9", "6"}));
    ASSERT_EQ(triangle.size(), 5u);
    EXPECT_EQ(triangle[2].numbers, "(1/24) × 6 × 9²");
    EXPECT_EQ(triangle[2].value, "20.25");
    EXPECT_EQ(triangle[4].result, "Z₂");
    EXPECT_EQ(triangle[4].value, "40.5");
    EXPECT_EQ(triangle[4].formulaPicture, 27);
    EXPECT_FALSE(triangle[4].thinWall);

    const auto semicircle = Working(13, Texts({"100"}));
    ASSERT_EQ(semicircle.size(), 5u);
    EXPECT_EQ(semicircle[2].numbers, "0.1908 × 100³");
    EXPECT_EQ(semicircle[2].value, "190800");
    EXPECT_EQ(semicircle[4].value, "258700");

    // The U-section's e₂ and e₁ come before the I that uses their shown values.
    const auto u = Working(22, Texts({"10", "100", "90", "10"}));
    ASSERT_EQ(u.size(), 7u);
    EXPECT_EQ(u[1].result, "e₂");
    EXPECT_EQ(u[1].value, "28.68421");
    EXPECT_EQ(u[1].unit, "mm");
    EXPECT_EQ(u[2].numbers, "100 − 28.68421");
    EXPECT_EQ(u[3].numbers, "(1/3) × (10 × 71.31579³ + (90 + 10) × 28.68421³ − 90 × (28.68421 − 10)³)");
    EXPECT_EQ(u[3].value, "1800044");
    EXPECT_EQ(u[4].symbols, "I/e₁");
    EXPECT_EQ(u[4].numbers, "1800044/71.31579");
    EXPECT_EQ(u[6].numbers, "1800044/28.68421");
}

TEST(SheetWorking, EveryPictureHasTheTemplatesOfItsResults) {
    const std::map<std::string, Field> firstLine{
        {"a", &V::resA}, {"i", &V::resI}, {"k", &V::resK}, {"z", &V::resZ}};
    std::set<int> covered;
    for (int shape = 0; shape < kShapeCount; ++shape) {
        for (const auto& [kind, field] : firstLine) {
            const int picture = FormulaPictureIndex(shape, kind);
            covered.insert(picture);
            int own = 0;
            for (const WorkingTemplate& t : WorkingTemplates()) {
                if (t.picture != picture) continue;
                EXPECT_EQ(KindOf(t.field), kind) << "picture " << picture << " " << t.form;
                own += t.field == field;
            }
            EXPECT_EQ(own, 1) << "shape " << shape << " kind " << kind;
        }
    }
    EXPECT_EQ(covered.size(), static_cast<std::size_t>(kFormulaPictureCount));
    std::set<std::pair<int, std::string>> rows;
    for (const WorkingTemplate& t : WorkingTemplates()) {
        EXPECT_GE(t.picture, 0);
        EXPECT_LT(t.picture, kFormulaPictureCount);
        EXPECT_TRUE(
            rows.insert({t.picture, KindOf(t.field) + std::string(t.result) + std::string(t.form)}).second);
    }
}

TEST(SheetWorking, NumbersEvaluateToTheCalculatorsResults) {
    std::mt19937 rng(20261208);
    for (int shape = 0; shape < kShapeCount; ++shape) {
        const bool option = FindShape(shape)->option != ThicknessOption::None;
        for (bool ticked : {false, true}) {
            if (ticked && !option) continue;
            for (int run = 0; run < 25; ++run) {
                const InputTexts entered = RandomDimensions(shape, rng);
                const InputTexts texts = WithDerived(shape, entered, ticked);
                const AnsOutcome o = ComputeAnswers(static_cast<ShapeType>(shape), texts, ticked, {});
                ASSERT_EQ(o.message, AnsMessage::None) << "shape " << shape;
                if (ticked) {
                    ASSERT_EQ(o.secondLine, SecondLine::Full);
                }
                CheckAgainstCalculator(shape, texts, ticked);

                // The same negated (the calculator rejects no sign), and scaled to
                // numbers it writes in exponent form; some of these fail or skip
                // the thin-wall line, and the sheet must follow.
                InputTexts negated = entered, scaled = entered;
                for (std::size_t i = 0; i < entered.size(); ++i) {
                    if (entered[i].empty()) continue;
                    negated[i] = "-" + entered[i];
                    scaled[i] = entered[i] + "E6";
                }
                CheckAgainstCalculator(shape, WithDerived(shape, negated, ticked), ticked);
                CheckAgainstCalculator(shape, WithDerived(shape, scaled, ticked), ticked);
            }
        }
    }
}

TEST(SheetWorking, SymbolsMentionExactlyTheShapesCaptions) {
    std::mt19937 rng(7);
    for (int shape = 0; shape < kShapeCount; ++shape) {
        const ShapeEntry& e = *FindShape(shape);
        const bool ticked = e.option != ThicknessOption::None;
        const auto lines = Working(shape, WithDerived(shape, RandomDimensions(shape, rng), ticked), ticked);
        ASSERT_FALSE(lines.empty());
        const std::set<std::string> entered = Symbols(e.entered), derived = Symbols(e.derived);
        std::set<std::string> earlier, firstLineNames, thinWallNames;
        for (const WorkingLine& line : lines) {
            for (const std::string& name : Names(line.symbols)) {
                const bool known = entered.contains(name) || earlier.contains(name) ||
                                   (line.thinWall && derived.contains(name));
                EXPECT_TRUE(known) << "shape " << shape << ": " << name << " in " << line.symbols;
                (line.thinWall ? thinWallNames : firstLineNames).insert(name);
            }
            earlier.insert(line.result);
        }
        for (const std::string& name : entered) EXPECT_TRUE(firstLineNames.contains(name)) << shape << name;
        for (const std::string& name : derived) EXPECT_TRUE(thinWallNames.contains(name)) << shape << name;
    }
}

TEST(SheetWorking, DimensionSymbols) {
    for (const auto& [caption, symbol] : kCaptionSymbols) EXPECT_EQ(DimensionSymbol(caption), symbol);
    EXPECT_EQ(DimensionSymbol("e2"), "e₂");
    EXPECT_EQ(DimensionSymbol("I"), "I");
    EXPECT_EQ(DimensionSymbol(""), "");
}

TEST(SheetWorking, UnitsFollowTheUnitSuffix) {
    for (const Unit& unit : Units()) {
        const std::string u(unit.suffix);
        const auto lines = Working(22, Texts({"10", "100", "90", "10"}), false, unit.suffix);
        std::vector<std::string> units;
        for (const WorkingLine& line : lines) units.push_back(line.unit);
        EXPECT_EQ(units, (std::vector<std::string>{u + "²", u, u, u + "⁴", u + "³", u + "²", u + "³"}));
    }
    // The unit "none" is written as the calculator labels it, with the same
    // powers as any unit, on the thin-wall line too.
    const auto none = Working(12, Texts({"80", "100", "90", "10"}), true, kNoUnit);
    const auto mm = Working(12, Texts({"80", "100", "90", "10"}), true, "mm");
    ASSERT_EQ(none.size(), mm.size());
    bool thinWall = false;
    for (std::size_t i = 0; i < none.size(); ++i) {
        ASSERT_TRUE(mm[i].unit.starts_with("mm")) << mm[i].unit;
        EXPECT_EQ(none[i].unit, "none" + mm[i].unit.substr(2));
        EXPECT_EQ(none[i].value, mm[i].value);
        thinWall = thinWall || none[i].thinWall;
    }
    EXPECT_TRUE(thinWall);
    std::vector<std::string> firstUnits;
    for (const WorkingLine& line : none)
        if (!line.thinWall && !line.intermediate) firstUnits.push_back(line.unit);
    EXPECT_EQ(firstUnits, (std::vector<std::string>{"none²", "none⁴", "none³", "none²"}));
}

TEST(SheetWorking, NothingWhereTheCalculatorShowsNoFirstLine) {
    struct Case {
        int shape;
        InputTexts texts;
    };
    const std::vector<Case> cases{
        {0, Texts({"", "2"})},              // an empty box
        {0, Texts({"3", "abc"})},           // not a number
        {16, Texts({"8", "0", "4", "6"})},  // Z divides by h2 = 0
        {1, Texts({"5", "5", "2"})},        // k² is 0 ÷ 0
        {11, Texts({"1E10"})},              // I overflows single precision
        {0, Texts({"1E+20", "1E+20"})},     // A overflows
        {kNoShape, Texts({"1", "2"})},
        {25, Texts({"1", "2"})},
    };
    for (const Case& c : cases) EXPECT_TRUE(Working(c.shape, c.texts).empty()) << c.shape << c.texts[0];
}

TEST(SheetWorking, FirstLineAloneWhenTheThinWallPartDoesNotComplete) {
    // t ≥ dm gives way to the t<<dm message; a bad derived text to the input error.
    for (const InputTexts& texts : {Texts({"80", "100", "90", "90"}), Texts({"80", "100", "90", "95"}),
                                    Texts({"80", "100", "90", "x"})}) {
        const auto lines = Working(12, texts, true);
        ASSERT_EQ(lines.size(), 4u);
        EXPECT_EQ(lines[0].value, "2827.433");
        for (const WorkingLine& line : lines) EXPECT_FALSE(line.thinWall);
    }
    EXPECT_EQ(Working(15, Texts({"90", "100", "40", "50", ""}), true).size(), 4u);
    EXPECT_EQ(Working(16, Texts({"8", "10", "4", "6", "2", "", "9"}), true).size(), 4u);
    // Not ticked: the derived texts are not read at all.
    EXPECT_EQ(Working(16, Texts({"8", "10", "4", "6", "x", "y", "z"}), false).size(), 4u);
}

TEST(SheetWorking, NumbersAreWrittenAsTheCalculatorReadThem) {
    // Decimals stay as typed; a value beyond seven digits as the calculator holds it.
    EXPECT_EQ(Working(0, Texts({"3", "4.5"}))[0].numbers, "4.5 × 3");
    EXPECT_EQ(Working(0, Texts({" 3.0 ", "+0.10"}))[0].numbers, "0.1 × 3");
    EXPECT_EQ(Working(0, Texts({"3", "1.23456789"}))[0].numbers, "1.234568 × 3");
    // Negatives in parentheses, so that a power or a minus reads right.
    const auto negative = Working(2, Texts({"-3"}));
    EXPECT_EQ(negative[0].numbers, "(-3)²");
    EXPECT_EQ(negative[0].value, "9");
    EXPECT_EQ(negative[2].numbers, "(1/6) × (-3)³");
    EXPECT_EQ(Working(0, Texts({"3", "-2"}))[0].value, "-6");
    // Exponent form: in parentheses under a power only.
    const auto square = Working(2, Texts({"2E7"}));
    EXPECT_EQ(square[0].numbers, "(2E+07)²");
    EXPECT_EQ(square[1].numbers, "(1/12) × (2E+07)⁴");
    const auto large = Working(0, Texts({"2E7", "3"}));
    EXPECT_EQ(large[0].numbers, "3 × 2E+07");
    EXPECT_EQ(large[1].numbers, "(1/12) × 3 × (2E+07)³");
    EXPECT_EQ(large[1].value, "2E+21");
    for (const InputTexts& texts : {Texts({"-3", "-2"}), Texts({"2E7", "3"}), Texts({"1E-5", "2E-3"})})
        CheckAgainstCalculator(0, texts, false);
    CheckAgainstCalculator(22, Texts({"20", "30", "200", "10"}), false);  // centroid inside the base
    CheckAgainstCalculator(10, Texts({"100", "50", "0"}), false);
}

TEST(SheetWorking, DecimalCommaInNumbersAndConstants) {
    const auto lines = Working(9, Texts({"2,5"}), false, "mm", ',');
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].symbols, "2,8284·r²");
    EXPECT_EQ(lines[0].numbers, "2,8284 × 2,5²");
    const AnsOutcome o = ComputeAnswers(9, Texts({"2,5"}), false, {}, ',');
    EXPECT_EQ(lines[0].value, SingleToText(o.values.resA, ','));
    const Field fields[] = {&V::resA, &V::resI, &V::resZ, &V::resK};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto value = Evaluate(lines[i].numbers, ',');
        ASSERT_TRUE(value.has_value()) << lines[i].numbers;
        EXPECT_NEAR(*value, o.values.*fields[i], 1e-6 * std::fabs(o.values.*fields[i]));
    }
}

TEST(SheetWorking, EvaluatorReadsWhatTheSheetWrites) {
    // The reader the checks above rely on.
    EXPECT_EQ(Evaluate("6 × 10 − 4 × 8"), 28);
    EXPECT_EQ(Evaluate("(1/12) × 6 × 10³"), 500);
    EXPECT_EQ(Evaluate("−2²"), -4);
    EXPECT_EQ(Evaluate("(-2)²"), 4);
    EXPECT_EQ(Evaluate("(2E+01)² − 1,5", '.'), std::nullopt);
    EXPECT_EQ(Evaluate("(2E+01)² − 1,5", ','), 398.5);
    EXPECT_NEAR(*Evaluate("(3 × √3/2) × 2²"), 6 * std::sqrt(3.0), 1e-12);
    EXPECT_NEAR(*Evaluate("(π/4) × 10¹²"), M_PI / 4 * 1e12, 1e-3);
    EXPECT_EQ(Evaluate("b × 3"), std::nullopt);
    EXPECT_EQ(Evaluate("(1 + 2"), std::nullopt);
    EXPECT_EQ(Evaluate("1 2"), std::nullopt);
    EXPECT_EQ(Names("b₂·h̄²/(3·h₂) + π·dₘ"), (std::set<std::string>{"b₂", "h̄", "h₂", "dₘ"}));
}
