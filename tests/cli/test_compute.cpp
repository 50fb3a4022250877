// The command line shows what the calculator window shows after Ans: the same
// core calls, applied in the window's order, give the same texts.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "analysis/torsion.h"
#include "cli/compute.h"
#include "cli/output.h"
#include "cli/section.h"
#include "core/messages.h"
#include "core/numtext.h"
#include "core/properties.h"

using namespace velmora;
using namespace velmora::cli;

namespace {

using Texts = std::vector<std::string>;

Section Make(int shape, std::vector<std::string> values, bool thinWall = false) {
    const ShapeEntry* entry = FindShape(shape);
    auto bound = BindValues(*entry, values);
    EXPECT_TRUE(std::holds_alternative<InputTexts>(bound));
    return Section{entry, std::get<InputTexts>(bound), "mm", thinWall};
}

Texts First(const CalculatorView& v) { return {v.first.begin(), v.first.end()}; }
Texts Second(const CalculatorView& v) { return {v.secondTexts.begin(), v.secondTexts.end()}; }

// The texts the window's labels take from an outcome, by its own rules.
struct WindowTexts {
    Texts first, second;
};
WindowTexts FromOutcome(const AnsOutcome& o) {
    const SectionValues& v = o.values;
    WindowTexts w;
    if (o.showFirstLine)
        w.first = {SingleToText(v.resA), SingleToText(v.resI), SingleToText(v.resZ), SingleToText(v.resK)};
    if (o.secondLine == SecondLine::Full)
        w.second = {SingleToText(v.resA2), SingleToText(v.resI2), SingleToText(v.resZ2),
                    SingleToText(v.resK2)};
    if (o.secondLine == SecondLine::ZOnly) w.second = {"", "", SingleToText(v.resZ2), ""};
    return w;
}

struct Example {
    int shape;
    std::vector<std::string> values;
    bool thinWall;
    Texts derived;  // the derived boxes the window fills, in slot order
    Texts first;    // literal texts of the worked example (empty: not shown)
    Texts second;
    std::string_view message;
};

const std::vector<Example>& Examples() {
    static const std::vector<Example> examples = {
        {0, {"3", "2"}, false, {}, {"6", "4.5", "3", "0.75"}, {}, {}},
        {6, {"9", "6"}, false, {}, {"27", "121.5", "20.25", "4.5"}, {"", "", "40.5", ""}, {}},
        {16, {"8", "10", "4", "6"}, false, {}, {"28", "329.3333", "65.86667", "11.7619"}, {}, {}},
        {16,
         {"8", "10", "4", "6"},
         true,
         {"2", "1", "9"},
         {"28", "329.3333", "65.86667", "11.7619"},
         {"28", "329.3333", "65.86667", "11.7619"},
         {}},
        {1, {"5", "5", "2"}, false, {}, {}, {}, kInputErrorMessage},
        {1, {"0", "0", "0"}, false, {}, {}, {}, kInputErrorMessage},
        {0, {"1E+20", "1E+20"}, false, {}, {}, {}, kInputErrorMessage},
        {0, {"", "2"}, false, {}, {}, {}, kInputErrorMessage},
        {0, {"3", "-2"}, false, {}, {"-6", "-4.5", "-3", "0.75"}, {}, {}},
        {10, {"100", "50", "40"}, false, {}, {"7000", "5674603", "103623.2", "810.6576"}, {}, {}},
        {11, {"100"}, false, {}, {"7853.981", "4908738", "98174.77", "625"}, {}, {}},
        {12,
         {"80", "100"},
         true,
         {"90", "10"},
         {"2827.433", "2898119", "57962.38", "1025"},
         {"2827.433", "2862776", "63617.25", "1012.5"},
         {}},
        {12, {"10", "15.5"}, true, {"12.75", "2.75"}, {}, {}, {}},
        {13,
         {"100"},
         false,
         {},
         {"15707.96", "1.09757E+07", "190800", "698.7345"},
         {"", "", "258700", ""},
         {}},
        {14, {"100", "50"}, false, {}, {"15707.96", "3.926991E+07", "392699.1", "2500"}, {}, {}},
        {15,
         {"90", "100", "40", "50"},
         true,
         {"10"},
         {"4398.229", "1.63677E+07", "163677", "3721.428"},
         {"4398.229", "1.963495E+07", "196349.5", "4166.667"},
         {}},
        {19, {"10", "100", "80", "20"}, false, {}, {"2800", "1673333", "33466.67", "597.619"}, {}, {}},
        {22,
         {"10", "100", "90", "10"},
         false,
         {},
         {"1900", "1800044", "25240.47", "947.3915"},
         {"", "", "62753.82", ""},
         {}},
        {24,
         {"20", "30", "200", "10"},
         false,
         {},
         {"4300", "162810.1", "8285.01", "37.86281"},
         {"", "", "15732.21", ""},
         {}},
        {11, {"1E10"}, false, {}, {}, {}, kInputErrorMessage},
        {12, {"0", "0"}, false, {}, {}, {}, kInputErrorMessage},
    };
    return examples;
}

}  // namespace

TEST(CalculatorView, WorkedExamplesShowTheWindowsTexts) {
    for (const Example& e : Examples()) {
        SCOPED_TRACE("shape " + std::to_string(e.shape) + " " + e.values.front());
        const Section section = Make(e.shape, e.values, e.thinWall);
        const CalculatorView view = RunCalculator(section, '.');

        // The derived boxes as the window fills them.
        const ShapeEntry& shape = *section.shape;
        Texts derived;
        if (e.thinWall)
            for (const InputSlot& slot : shape.derived) derived.push_back(view.texts[slot.slot - 1]);
        EXPECT_EQ(derived, e.derived);

        // One source of truth: the core's outcome for the boxes Ans reads.
        const AnsOutcome outcome = ComputeAnswers(shape.index, view.texts, e.thinWall, SectionValues{});
        const WindowTexts window = FromOutcome(outcome);
        EXPECT_EQ(view.firstLine, outcome.showFirstLine);
        EXPECT_EQ(view.firstLine ? First(view) : Texts{}, window.first);
        EXPECT_EQ(view.second, outcome.secondLine);
        EXPECT_EQ(view.second == SecondLine::Untouched ? Texts{} : Second(view), window.second);
        EXPECT_EQ(view.message, MessageText(outcome.message));

        // And the literal texts of the example, where it gives them.
        if (!e.first.empty() || !e.message.empty()) {
            EXPECT_EQ(view.firstLine ? First(view) : Texts{}, e.first);
            EXPECT_EQ(view.second == SecondLine::Untouched ? Texts{} : Second(view), e.second);
            EXPECT_EQ(view.message, e.message);
        }
        EXPECT_TRUE(view.thicknessMessage.empty());
    }
}

TEST(CalculatorView, ThinWallOptionOnlyWhereTheShapeHasOne) {
    // A rectangle has no option: --thin-wall changes nothing.
    const CalculatorView plain = RunCalculator(Make(0, {"3", "2"}, false), '.');
    const CalculatorView ticked = RunCalculator(Make(0, {"3", "2"}, true), '.');
    EXPECT_EQ(First(plain), First(ticked));
    EXPECT_EQ(plain.texts, ticked.texts);
    // Unticked, the derived boxes stay "0" and the tube's second line is untouched.
    const CalculatorView tube = RunCalculator(Make(12, {"80", "100"}, false), '.');
    EXPECT_EQ(tube.texts[2], "0");
    EXPECT_EQ(tube.second, SecondLine::Untouched);
}

TEST(CalculatorView, ThinWallMessagesOfTheWindow) {
    // Tube with t = dm: the first line, then the t<<dm message, no second line.
    const CalculatorView tube = RunCalculator(Make(12, {"0", "100"}, true), '.');
    EXPECT_TRUE(tube.firstLine);
    EXPECT_EQ(tube.message, kThinWallConditionMessage);
    EXPECT_EQ(tube.second, SecondLine::Untouched);
    // Hollow ellipse whose wall is not constant: the window warns while
    // filling the derived box, which keeps "0".
    const CalculatorView ellipse = RunCalculator(Make(15, {"90", "100", "40", "60"}, true), '.');
    EXPECT_EQ(ellipse.thicknessMessage, kWallNotConstantMessage);
    EXPECT_EQ(ellipse.texts[4], "0");
    const Record record = Compute(Make(15, {"90", "100", "40", "60"}, true), Options{});
    EXPECT_FALSE(record.complete());
}

TEST(CalculatorView, DecimalCommaReadsAndWritesTheComma) {
    const CalculatorView view = RunCalculator(Make(0, {"4,5", "2"}, false), ',');
    EXPECT_EQ(First(view), (Texts{"9", "15,1875", "6,75", "1,6875"}));
    const CalculatorView dot = RunCalculator(Make(0, {"4.5", "2"}, false), ',');
    EXPECT_EQ(dot.message, kInputErrorMessage);
}

TEST(Properties, AllGivesTheCoresPropertiesInTheDisplayUnit) {
    struct Case {
        int shape;
        std::vector<std::string> values;
        std::string unit, displayUnit;
    };
    const std::vector<Case> cases = {
        {0, {"30", "20"}, "mm", "cm"},
        {24, {"20", "30", "200", "10"}, "mm", "mm"},
        {12, {"80", "100"}, "in", "ft"},
        {15, {"90", "100", "40", "50"}, "尺", "m"},
    };
    for (const Case& c : cases) {
        Section section = Make(c.shape, c.values);
        section.unit = c.unit;
        const Record record = Compute(section, Options{'.', true, c.displayUnit});
        ASSERT_TRUE(record.properties && record.properties->values) << c.shape;
        EXPECT_EQ(record.properties->unit, c.displayUnit);
        const auto exact =
            std::get<SectionProperties>(ComputeProperties(section.shape->index, section.texts));
        const double factor = *LengthFactor(c.unit, c.displayUnit);
        for (const PropertyInfo& info : AllProperties())
            EXPECT_EQ((*record.properties->values)[info.property],
                      Convert(info.property, exact[info.property], factor))
                << c.shape << " " << info.key;
    }
    // 30 × 20 mm in cm: A = 6 cm², Ix = 4.5 cm⁴; the calculator's texts stay in mm.
    const Record rectangle = Compute(Make(0, {"30", "20"}), Options{'.', true, "cm"});
    EXPECT_EQ((*rectangle.properties->values)[Property::A], 6);
    EXPECT_EQ((*rectangle.properties->values)[Property::Ix], 4.5);
    EXPECT_EQ(rectangle.calculator.first[0], "600");
}

TEST(Properties, ASectionErrorMakesTheRecordIncomplete) {
    const Record record = Compute(Make(3, {"5", "4"}), Options{'.', true, std::nullopt});
    ASSERT_TRUE(record.properties.has_value());
    EXPECT_FALSE(record.properties->values.has_value());
    EXPECT_FALSE(record.properties->sectionError.empty());
    EXPECT_TRUE(record.calculator.firstLine);  // the calculator itself computes it
    EXPECT_FALSE(record.complete());
    EXPECT_TRUE(Compute(Make(3, {"4", "5"}), Options{'.', true, std::nullopt}).complete());
}

// Every record is checked, with or without --all, and carries the condition's
// stable code and the slots it names; the calculator's figures stay as the
// window shows them.
TEST(Properties, EveryRecordNamesTheFailedCondition) {
    struct Case {
        int shape;
        std::vector<std::string> values;
        std::string_view code;  // empty: a real section
        std::vector<std::string_view> slots;
        bool firstLine;  // the calculator shows its first line
    };
    const std::vector<Case> cases = {
        {3, {"5", "4"}, "inner_not_smaller", {"h1", "h2"}, true},
        {16, {"8", "10", "6", "6"}, "inner_not_smaller", {"b1", "b2"}, true},
        {16, {"8", "10", "4", "6"}, "", {}, true},
        {0, {"3", "-2"}, "not_positive", {"b"}, true},
        {10, {"100", "50", "-1"}, "negative", {"b1"}, true},
        {10, {"100", "50", "0"}, "", {}, true},
        {0, {"x", "2"}, "not_a_number", {"h"}, false},
        {0, {"１２", "ｂ"}, "not_a_number", {"b"}, false},
        {0, {"1e7", "1"}, "size_ratio", {}, true},
        {11, {"1e7"}, "", {}, true},  // a circle keeps its precision at any size
    };
    for (const bool all : {false, true}) {
        for (const Case& c : cases) {
            const Record record = Compute(Make(c.shape, c.values), Options{'.', all, std::nullopt});
            const std::string what = std::to_string(c.shape) + (all ? " --all" : "");
            EXPECT_EQ(record.calculator.firstLine, c.firstLine) << what;
            if (c.code.empty()) {
                EXPECT_FALSE(record.sectionError.has_value()) << what;
                continue;
            }
            ASSERT_TRUE(record.sectionError.has_value()) << what;
            EXPECT_EQ(record.sectionError->code, c.code) << what;
            EXPECT_EQ(record.sectionError->captions, c.slots) << what;
            EXPECT_FALSE(record.sectionError->message.empty()) << what;
            EXPECT_FALSE(record.complete()) << what;
        }
    }
}

// The text format notes a torsion value whose error estimate is above its
// tolerance, with the estimate in the display unit (and relative for J, Iw,
// Zt); a converged section has no note. The solution is asked for a
// tolerance no solution reaches.
TEST(TorsionText, UnsettledValuesGiveTheirEstimate) {
    Options options{'.', true, std::string("cm")};
    options.torsion = true;
    const auto text = [&](double tolerance) {
        options.torsionTolerance = tolerance;
        const Record record = Compute(Make(0, {"300", "120"}), options);
        Sink sink;
        MakeWriter(Format::Text, options, false, sink)->record(record, 0);
        return sink.buffer();
    };
    const std::string checked = text(1e-7);
    EXPECT_NE(checked.find("torsion (finite elements):\n"), std::string::npos) << checked;
    EXPECT_EQ(checked.find("estimated error"), std::string::npos) << checked;

    analysis::TorsionOptions unreachable;
    unreachable.tolerance = 1e-15;
    const analysis::TorsionResult r = analysis::ComputeTorsion(0, std::vector<double>{300, 120}, unreachable);
    ASSERT_FALSE(r.converged);
    const auto twoDigits = [](double v) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.1E", v);
        return std::string(buffer);
    };
    const std::string unsettled = text(1e-15);
    EXPECT_NE(unsettled.find("torsion (finite elements, not converged"), std::string::npos) << unsettled;
    const std::string jLine = "  J         " + PropertyText(ConvertLength(r.J, 0.1, 4)) +
                              " cm⁴  ねじり定数  (not to 7 digits: estimated error ±" +
                              twoDigits(ConvertLength(r.errorJ, 0.1, 4)) + " cm⁴, relative " +
                              twoDigits(r.errorJ / r.J) + ")\n";
    EXPECT_NE(unsettled.find(jLine), std::string::npos) << jLine << " in\n" << unsettled;
    // On the axes of symmetry the shear centre is exactly 0: no note.
    EXPECT_NE(unsettled.find("  xs        0 cm  せん断中心の位置（図心から x 方向）\n"), std::string::npos)
        << unsettled;
    EXPECT_NE(unsettled.find("ねじり断面係数  (not to 7 digits: estimated error ±"), std::string::npos)
        << unsettled;
}
