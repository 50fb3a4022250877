#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/section.h"

using namespace velmora;
using namespace velmora::cli;

namespace {

int Shape(std::string_view text) {
    const auto r = LookupShape(text);
    if (const auto* reason = std::get_if<std::string>(&r)) {
        ADD_FAILURE() << text << ": " << *reason;
        return -1;
    }
    return std::get<const ShapeEntry*>(r)->index;
}

std::string Reason(std::string_view text) {
    const auto r = LookupShape(text);
    return std::holds_alternative<std::string>(r) ? std::get<std::string>(r) : std::string("found a shape");
}

}  // namespace

TEST(ShapeLookup, NumbersNamesAndPrefixes) {
    struct Case {
        std::string_view text;
        int shape;
    };
    const std::vector<Case> cases = {
        {"0", 0},           {"24", 24}, {"07", 7},        {"Box section", 16}, {"box SECTION", 16},
        {"箱形断面", 16},   {"箱", 16}, {"Rectangle", 0},  // exact, although "Rectangle pair" begins with it
        {"rectangle p", 1}, {"円", 11},                    // exact, although "円管" begins with it
        {"円管", 12},       {"L", 24},  {"u-sec", 22},    {"中空楕", 15},
    };
    for (const Case& c : cases) EXPECT_EQ(Shape(c.text), c.shape) << c.text;
    for (const ShapeEntry& shape : AllShapes()) {
        EXPECT_EQ(Shape(shape.name), shape.index);
        EXPECT_EQ(Shape(shape.japaneseName), shape.index);
        EXPECT_EQ(Shape(std::to_string(shape.index)), shape.index);
    }
}

TEST(ShapeLookup, RejectsUnknownAmbiguousAndOutOfRange) {
    EXPECT_NE(Reason("25").find("unknown shape '25'"), std::string::npos);
    EXPECT_NE(Reason("-1").find("unknown shape"), std::string::npos);
    EXPECT_NE(Reason("99").find("unknown shape"), std::string::npos);
    EXPECT_NE(Reason("1.0").find("unknown shape"), std::string::npos);
    EXPECT_NE(Reason("").find("empty"), std::string::npos);
    EXPECT_NE(Reason("Pentagon").find("unknown shape"), std::string::npos);
    EXPECT_NE(Reason("BOX SECTIONS").find("unknown shape"), std::string::npos);
    // Japanese names are matched as written, not folded.
    EXPECT_NE(Reason("ｈ形").find("unknown shape"), std::string::npos);
    const std::string hex = Reason("hex");
    EXPECT_NE(hex.find("ambiguous"), std::string::npos);
    EXPECT_NE(hex.find("Hexagon on corners"), std::string::npos);
    EXPECT_NE(hex.find("Hexagon on sides"), std::string::npos);
    EXPECT_NE(Reason("正六角形").find("ambiguous"), std::string::npos);
    EXPECT_NE(Reason("hollow").find("ambiguous"), std::string::npos);
}

namespace {

std::variant<InputTexts, std::string> Bind(int shape, std::vector<std::string> values) {
    return BindValues(*FindShape(shape), values);
}

InputTexts Texts(std::vector<std::string> seven) {
    InputTexts t;
    for (std::size_t i = 0; i < t.size(); ++i) t[i] = seven[i];
    return t;
}

}  // namespace

TEST(ValueBinding, InOrderOrAsPairsIntoTheEnteredBoxes) {
    struct Case {
        int shape;
        std::vector<std::string> values;
        InputTexts texts;
    };
    const std::vector<Case> cases = {
        {0, {"3", "2"}, Texts({"3", "2", "0", "0", "0", "0", "0"})},
        {0, {"b=2", "h=3"}, Texts({"3", "2", "0", "0", "0", "0", "0"})},
        {16, {"h1=8", "h2=10", "b1=4", "b2=6"}, Texts({"8", "10", "4", "6", "0", "0", "0"})},
        {16, {"8", "10", "4", "6"}, Texts({"8", "10", "4", "6", "0", "0", "0"})},
        // A text is taken as it is: the calculator's conversion judges it.
        {11, {"d= 1e3 "}, Texts({" 1e3 ", "0", "0", "0", "0", "0", "0"})},
        {11, {""}, Texts({"", "0", "0", "0", "0", "0", "0"})},
        {12, {"d1=80", "d2=1=0"}, Texts({"80", "1=0", "0", "0", "0", "0", "0"})},
    };
    for (const Case& c : cases) {
        const auto r = Bind(c.shape, c.values);
        ASSERT_TRUE(std::holds_alternative<InputTexts>(r)) << std::get<std::string>(r);
        EXPECT_EQ(std::get<InputTexts>(r), c.texts) << c.values.front();
    }
}

TEST(ValueBinding, MissingExtraUnknownAndRepeatedValues) {
    struct Case {
        int shape;
        std::vector<std::string> values;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {0, {"3"}, "too few values: Rectangle takes 2 values (h b)"},
        {0, {}, "too few values"},
        {0, {"3", "2", "1"}, "too many values"},
        {0, {"h=3"}, "no value for 'b'"},
        {0, {"h=3", "h=4", "b=1"}, "'h' given twice"},
        {0, {"h=3", "x=2"}, "no input 'x'"},
        {0, {"H=3", "b=2"}, "no input 'H'"},
        {0, {"h=3", "2"}, "all CAPTION=TEXT pairs or all in order"},
        {16, {"h1=8", "h2=10", "b1=4", "b2=6", "t1=2"}, "'t1' is filled by the calculator"},
    };
    for (const Case& c : cases) {
        const auto r = Bind(c.shape, c.values);
        ASSERT_TRUE(std::holds_alternative<std::string>(r)) << c.reason;
        EXPECT_NE(std::get<std::string>(r).find(c.reason), std::string::npos) << std::get<std::string>(r);
    }
}
