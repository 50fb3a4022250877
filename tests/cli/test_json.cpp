#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "cli/json.h"

using namespace velmora::cli;

namespace {

std::string Str(std::string_view text) {
    std::string out;
    AppendJsonString(out, text);
    return out;
}

std::string Num(double value) {
    std::string out;
    AppendJsonNumber(out, value);
    return out;
}

}  // namespace

TEST(Json, StringsAreEscapedAndStayValidUtf8) {
    EXPECT_EQ(Str("a\"b\\c"), R"("a\"b\\c")");
    EXPECT_EQ(Str("\n\r\t\b\f"), R"("\n\r\t\b\f")");
    EXPECT_EQ(Str(std::string("\x01\x1f\0", 3)), R"("\u0001\u001f\u0000")");
    EXPECT_EQ(Str("条件 t<<dm が成立しません"), "\"条件 t<<dm が成立しません\"");
    EXPECT_EQ(Str("~h 𝐡 /"), "\"~h 𝐡 /\"");
    // Bytes that are no UTF-8: a lone continuation, a cut sequence, an
    // overlong form, a surrogate, a lead byte beyond U+10FFFF.
    EXPECT_EQ(Str("a\x80z"), R"("a\ufffdz")");
    EXPECT_EQ(Str("\xE6\x96"), R"("\ufffd\ufffd")");
    EXPECT_EQ(Str("\xC0\xAF"), R"("\ufffd\ufffd")");
    EXPECT_EQ(Str("\xED\xA0\x80"), R"("\ufffd\ufffd\ufffd")");
    EXPECT_EQ(Str("\xF5\x80\x80\x80"), R"("\ufffd\ufffd\ufffd\ufffd")");
}

TEST(Json, NumbersRoundTripAndNonFiniteIsNull) {
    EXPECT_EQ(Num(28), "28");
    EXPECT_EQ(Num(0.1), "0.1");
    EXPECT_EQ(Num(1.0 / 3.0), "0.3333333333333333");
    EXPECT_EQ(Num(1e300), "1e+300");
    EXPECT_EQ(Num(-0.0), "-0");
    EXPECT_EQ(Num(std::numeric_limits<double>::quiet_NaN()), "null");
    EXPECT_EQ(Num(std::numeric_limits<double>::infinity()), "null");
    EXPECT_EQ(Num(-std::numeric_limits<double>::infinity()), "null");
    for (double v : {329.33333333333331, 5e-324, 1.7976931348623157e308, 123456789.125})
        EXPECT_EQ(std::strtod(Num(v).c_str(), nullptr), v);
}

TEST(Json, WholeNumbersTakeTheSameShortestFormAsAnyOther) {
    for (double v : {0.0, 1.0, -5.0, 99999.0, 100000.0, -100000.0, 1e6, 123456.0, 9007199254740992.0, 1e22}) {
        char buffer[32];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
        std::string out;
        AppendShortest(out, v);
        EXPECT_EQ(out, std::string(buffer, end)) << v;
    }
}

TEST(Json, ShortestFormAgreesWithToChars) {
    // Whole numbers over powers of two (the common results of whole
    // dimensions) take a quicker path; any value must come out as to_chars has it.
    std::vector<double> values = {0.5,
                                  -0.5,
                                  1.5,
                                  0.125,
                                  0.0009765625,
                                  6694780.5,
                                  19859678.5,
                                  1e15,
                                  1e16,
                                  123456789012345.0,
                                  1234567890123456.0,
                                  4503599627370495.5,
                                  3e-7,
                                  0.1,
                                  1.0 / 3,
                                  2.5e-6,
                                  5e-324,
                                  1e300,
                                  9.5367431640625e-07,
                                  100000.0,
                                  1200000.0};
    std::uint64_t state = 20261208;
    const auto next = [&] {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return state >> 11;
    };
    for (int i = 0; i < 200000; ++i) {
        const double whole = static_cast<double>(next() % (std::uint64_t{1} << (1 + next() % 53)));
        const double v = std::ldexp(whole, -static_cast<int>(next() % 24)) * (next() % 2 ? 1 : -1);
        values.push_back(v);
        values.push_back(v * 1000);
    }
    for (double v : values) {
        char buffer[32];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
        std::string out;
        AppendShortest(out, v);
        ASSERT_EQ(out, std::string(buffer, end)) << std::hexfloat << v;
    }
}
