#include <gtest/gtest.h>

#include "core/numtext.h"
#include "core/thickness.h"

using namespace velmora;

namespace {

ThicknessOutcome Derive(int shape, InputTexts texts, bool ticked) {
    return UpdateThicknessInputs(static_cast<ShapeType>(shape), texts, ticked);
}

using Writes = std::vector<ThicknessWrite>;

}  // namespace

TEST(Thickness, TubeFillsMeanDiameterAndWall) {
    EXPECT_EQ(Derive(12, {"80", "100"}, true).writes, (Writes{{3, "90"}, {4, "10"}}));
    EXPECT_EQ(Derive(12, {"10", "15.5"}, true).writes, (Writes{{3, "12.75"}, {4, "2.75"}}));
    EXPECT_EQ(Derive(12, {"80", "100"}, false).writes, (Writes{{3, "0"}, {4, "0"}}));
    EXPECT_EQ(Derive(12, {"", "100"}, true).writes, (Writes{{3, "0"}, {4, "0"}}));
    EXPECT_EQ(Derive(12, {"1", "2"}, true).writes, (Writes{{3, "1.5"}, {4, "0.5"}}));
    EXPECT_FALSE(Derive(12, {"1", "2"}, true).wallNotConstant);
}

TEST(Thickness, BoxSectionsFillWebFlangeAndMeanHeight) {
    for (int shape : {16, 17, 18}) {
        EXPECT_EQ(Derive(shape, {"8", "10", "4", "6"}, true).writes,
                  (Writes{{5, "0"}, {6, "0"}, {7, "0"}, {5, "2"}, {6, "1"}, {7, "9"}}));
        EXPECT_EQ(Derive(shape, {"8", "10", "4", "6"}, false).writes, (Writes{{5, "0"}, {6, "0"}, {7, "0"}}));
    }
    // ~h is rounded to single precision and shown with 7 digits; t1, t2 with 15.
    const auto writes = Derive(16, {"0.1", "0.4", "0.1", "0.3"}, true).writes;
    ASSERT_EQ(writes.size(), 6u);
    EXPECT_EQ(writes[3].text, "0.2");
    EXPECT_EQ(writes[4].text, "0.15");
    EXPECT_EQ(writes[5].text, "0.25");
    EXPECT_EQ(Derive(16, {"1", "2", "3", "4.123456789"}, true).writes[3].text, "1.123456789");
    EXPECT_EQ(Derive(16, {"1.123456789", "2", "3", "4"}, true).writes[5].text, "1.561728");
}

TEST(Thickness, HollowEllipseWallIsConstantWhenTheSemiAxesDifferAlike) {
    EXPECT_EQ(Derive(15, {"100", "110", "200", "210"}, true),
              (ThicknessOutcome{{{5, "0"}, {5, "10"}}, false}));
    EXPECT_EQ(Derive(15, {"100", "110", "100", "110"}, true),
              (ThicknessOutcome{{{5, "0"}, {5, "10"}}, false}));
    EXPECT_EQ(Derive(15, {"100", "110", "200", "220"}, true), (ThicknessOutcome{{{5, "0"}}, true}));
    EXPECT_EQ(Derive(15, {"0.2", "0.5", "1", "1.3"}, true),
              (ThicknessOutcome{{{5, "0"}, {5, "0.3"}}, false}));
    EXPECT_EQ(Derive(15, {"1", "1.1", "2", "2.1"}, true).wallNotConstant, false);
    EXPECT_EQ(Derive(15, {"100", "110", "200", "220"}, false), (ThicknessOutcome{{{5, "0"}}, false}));
}

TEST(Thickness, HollowEllipseTypedDigitByDigitWarnsAtEachInconsistentStep) {
    // b2 typed as "2", "21", "210" with a1 = 100, a2 = 110, b1 = 200.
    EXPECT_TRUE(Derive(15, {"100", "110", "200", "2"}, true).wallNotConstant);
    EXPECT_TRUE(Derive(15, {"100", "110", "200", "21"}, true).wallNotConstant);
    EXPECT_FALSE(Derive(15, {"100", "110", "200", "210"}, true).wallNotConstant);
}

TEST(Thickness, TextsThatDoNotConvertGiveZeroAndNoMessage) {
    for (const char* bad : {"", "-", ".", "abc", "1e999"}) {
        EXPECT_EQ(Derive(15, {"100", "110", bad, "210"}, true), (ThicknessOutcome{{{5, "0"}}, false})) << bad;
        EXPECT_EQ(Derive(16, {"8", bad, "4", "6"}, true).writes, (Writes{{5, "0"}, {6, "0"}, {7, "0"}}));
        EXPECT_EQ(Derive(12, {bad, "100"}, true).writes, (Writes{{3, "0"}, {4, "0"}}));
    }
    // Arithmetic that overflows the double range leaves "0" too.
    EXPECT_EQ(Derive(12, {"-1.7e308", "1.7e308"}, true).writes, (Writes{{3, "0"}, {4, "0"}}));
    // ~h beyond the single range cannot be stored: the boxes keep "0".
    EXPECT_EQ(Derive(16, {"1e39", "1e39", "1", "2"}, true).writes, (Writes{{5, "0"}, {6, "0"}, {7, "0"}}));
}

TEST(Thickness, WrittenTextsConvertBack) {
    for (const auto& texts : {InputTexts{"0.1", "0.7", "0.3", "1e-3"}, InputTexts{"-5", "1e30", "3", "7"}})
        for (int shape : {12, 15, 16})
            for (const ThicknessWrite& w : Derive(shape, texts, true).writes)
                EXPECT_TRUE(TextToDouble(w.text).has_value()) << w.text;
}

TEST(Thickness, ShapesWithoutAnOptionWriteNothing) {
    for (int shape : {0, 11, 19, 24, 99})
        EXPECT_EQ(Derive(shape, {"1", "2", "3", "4"}, true), ThicknessOutcome{});
}
