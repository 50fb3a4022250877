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
