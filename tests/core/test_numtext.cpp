#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/numtext.h"

using namespace velmora;

TEST(TextToSingle, AcceptsSignDigitsPointExponentAndBlanks) {
    EXPECT_EQ(TextToSingle("3"), 3.0f);
    EXPECT_EQ(TextToSingle("  -2.5  "), -2.5f);
    EXPECT_EQ(TextToSingle("+4"), 4.0f);
    EXPECT_EQ(TextToSingle(".5"), 0.5f);
    EXPECT_EQ(TextToSingle("5."), 5.0f);
    EXPECT_EQ(TextToSingle("1E+20"), 1e20f);
    EXPECT_EQ(TextToSingle("1e-3"), 0.001f);
    EXPECT_EQ(TextToSingle("2.5E3"), 2500.0f);
    EXPECT_EQ(TextToSingle("\t7\t"), 7.0f);
    EXPECT_EQ(TextToSingle("0.1"), 0.1f);  // rounded once, from the text
}

TEST(TextToSingle, RejectsWhatIsNoNumber) {
    for (const char* text : {"",   " ",   "-",     "+",   ".",   "-.",  "e5",  "1e",  "1e+",  "abc",
                             "1a", "1,5", "1.2.3", "1 2", "--1", "+-1", "inf", "nan", "0x10", "1e5.0"})
        EXPECT_FALSE(TextToSingle(text).has_value()) << '"' << text << '"';
}

// What a Japanese input method types: full-width digits, point, comma, signs
// and exponent letters, and the minus sign U+2212, read as their ASCII twins.
TEST(TextToSingle, ReadsFullWidthNumberFormsAsAscii) {
    EXPECT_EQ(TextToSingle("８"), 8.0f);
    EXPECT_EQ(TextToSingle("１２．５"), 12.5f);
    EXPECT_EQ(TextToSingle("－３"), -3.0f);
    EXPECT_EQ(TextToSingle("−３"), -3.0f);  // U+2212
    EXPECT_EQ(TextToSingle("−3"), -3.0f);
    EXPECT_EQ(TextToSingle("＋４"), 4.0f);
    EXPECT_EQ(TextToSingle("１Ｅ５"), 1e5f);
    EXPECT_EQ(TextToSingle("２．５ｅ－３"), 0.0025f);
    EXPECT_EQ(TextToSingle(" 1２.5 "), 12.5f);  // mixed widths
    EXPECT_EQ(TextToSingle("０"), 0.0f);
    EXPECT_EQ(TextToSingle("９９９９"), 9999.0f);
    // The same value as the ASCII text, bit for bit.
    EXPECT_EQ(TextToSingle("０．１"), TextToSingle("0.1"));
    EXPECT_EQ(TextToDouble("１５．５"), 15.5);
    // The full-width comma is the decimal separator only where the locale's is a comma.
    EXPECT_EQ(TextToSingle("２，５", ','), 2.5f);
    EXPECT_FALSE(TextToSingle("２，５").has_value());
    EXPECT_FALSE(TextToSingle("２．５", ',').has_value());
    // The range stays that of the type.
    EXPECT_FALSE(TextToSingle("１Ｅ３９").has_value());
}

TEST(TextToSingle, RejectsOtherFullWidthAndLookAlikeCharacters) {
    // A full-width blank, letters, units, the katakana long vowel and the
    // dashes that are no minus sign stay errors, as does an incomplete
    // sequence of bytes.
    for (const char* text : {"１２　", "　１２", "１２ｍｍ", "ｘ", "１ー２", "ー３", "‐３", "–３", "—３",
                             "１．２．３", "－－１", "Ｅ５", "１Ｅ", "\xEF\xBC", "1\xEF\xBC", "\xE2\x88"})
        EXPECT_FALSE(TextToSingle(text).has_value()) << '"' << text << '"';
}

TEST(TextToSingle, FailsOutsideTheSingleRangeButNotBelowIt) {
    EXPECT_FALSE(TextToSingle("1e39").has_value());
    EXPECT_FALSE(TextToSingle("-1E+39").has_value());
    EXPECT_FALSE(TextToSingle("3.40282357e38").has_value());  // rounds to infinity
    EXPECT_EQ(TextToSingle("3.4028235e38"), FLT_MAX);
    EXPECT_EQ(TextToSingle("1e-50"), 0.0f);
    EXPECT_EQ(TextToSingle("1e-99999"), 0.0f);
    EXPECT_FALSE(TextToSingle("1e99999").has_value());
    EXPECT_GT(*TextToSingle("1e-40"), 0.0f);  // subnormal, not zero
    EXPECT_EQ(TextToSingle("-1e-50"), 0.0f);
    EXPECT_TRUE(std::signbit(*TextToSingle("-1e-50")));
    EXPECT_EQ(TextToSingle("-1e-99999"), 0.0f);
    EXPECT_EQ(TextToSingle("0.00000000000000000000000000000000000000000000000001"), 0.0f);
}

TEST(TextToDouble, HasTheDoubleRange) {
    EXPECT_EQ(TextToDouble("1e300"), 1e300);
    EXPECT_FALSE(TextToDouble("1e309").has_value());
    EXPECT_EQ(TextToDouble("1e-400"), 0.0);
    EXPECT_EQ(TextToDouble("-1e-400"), 0.0);
    EXPECT_EQ(TextToDouble("15.5"), 15.5);
    EXPECT_FALSE(TextToDouble("").has_value());
}

TEST(TextToNumber, UsesTheGivenDecimalSeparator) {
    EXPECT_EQ(TextToSingle("2,5", ','), 2.5f);
    EXPECT_FALSE(TextToSingle("2.5", ',').has_value());
    EXPECT_EQ(TextToDouble("-0,25e1", ','), -2.5);
}

TEST(SingleToText, SevenSignificantDigitsLikeG) {
    EXPECT_EQ(SingleToText(6.0f), "6");
    EXPECT_EQ(SingleToText(4.5f), "4.5");
    EXPECT_EQ(SingleToText(0.75f), "0.75");
    EXPECT_EQ(SingleToText(1.0f / 3), "0.3333333");
    EXPECT_EQ(SingleToText(329.33334f), "329.3333");
    EXPECT_EQ(SingleToText(65.866669f), "65.86667");
    EXPECT_EQ(SingleToText(12345678.0f), "1.234568E+07");
    EXPECT_EQ(SingleToText(1e7f), "1E+07");
    EXPECT_EQ(SingleToText(9999999.0f), "9999999");
    EXPECT_EQ(SingleToText(-6.0f), "-6");
    EXPECT_EQ(SingleToText(0.0f), "0");
    EXPECT_EQ(SingleToText(-0.0f), "0");
    EXPECT_EQ(SingleToText(0.2256f), "0.2256");
    EXPECT_EQ(SingleToText(1e-5f), "1E-05");
    EXPECT_EQ(SingleToText(0.0001f), "0.0001");
    EXPECT_EQ(SingleToText(FLT_MAX), "3.402823E+38");
    EXPECT_EQ(SingleToText(1e-45f), "1.401298E-45");
}

TEST(SingleToText, RoundsAnExactTieToEven) {
    // These floats hold their eight-digit value exactly, so the seventh digit is a tie;
    // like printf it goes to the even neighbour (a round-half-up formatter would not).
    EXPECT_EQ(SingleToText(1048576.5f), "1048576");
    EXPECT_EQ(SingleToText(1048577.5f), "1048578");
    EXPECT_EQ(SingleToText(4194302.5f), "4194302");
}

TEST(DoubleToText, FifteenSignificantDigits) {
    EXPECT_EQ(DoubleToText(90.0), "90");
    EXPECT_EQ(DoubleToText(12.75), "12.75");
    EXPECT_EQ(DoubleToText(0.3 + 1e-17), "0.3");
    EXPECT_EQ(DoubleToText(1.3 - 1.0), "0.3");
    EXPECT_EQ(DoubleToText(2.0 / 3), "0.666666666666667");
    EXPECT_EQ(DoubleToText(1e15), "1E+15");
    EXPECT_EQ(DoubleToText(123456789012345.0), "123456789012345");
    EXPECT_EQ(DoubleToText(-2.75, ','), "-2,75");
}

TEST(NumberText, RoundTripsThroughTheConversion) {
    for (float v : {1.0f / 3, 12345678.0f, -0.001f, 6.02e23f, 1e-30f})
        EXPECT_EQ(*TextToSingle(SingleToText(v)), std::stof(SingleToText(v)));
    for (double v : {1.0 / 3, 1e300, -7.25e-200})
        EXPECT_EQ(*TextToDouble(DoubleToText(v)), std::stod(DoubleToText(v)));
}

TEST(SingleToText, AgreesWithPrintfAcrossTheRange) {
    // Every 4099th bit pattern of the positive and negative floats, and the
    // values near ties: halves and the float neighbours of 7-digit decimals.
    std::vector<float> values;
    for (std::uint64_t bits = 1; bits < 0xFFFFFFFFull; bits += 4099) {
        const auto b = static_cast<std::uint32_t>(bits);
        float v;
        std::memcpy(&v, &b, sizeof v);
        if (std::isfinite(v)) values.push_back(v);
    }
    for (float base = 1; base < 3e7f; base *= 1.37f) {
        const float tie = std::nearbyint(base) + 0.5f;
        values.insert(values.end(), {tie, std::nextafter(tie, 0.0f), std::nextafter(tie, 1e30f)});
    }
    for (float v : values) {
        char expected[64];
        std::snprintf(expected, sizeof expected, "%.7G", static_cast<double>(v));
        ASSERT_EQ(SingleToText(v), v == 0 ? std::string("0") : std::string(expected)) << std::hexfloat << v;
    }
}
