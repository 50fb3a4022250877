#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "core/ans.h"
#include "core/numtext.h"

using namespace velmora;

namespace {

AnsOutcome Ans(int shape, std::initializer_list<const char*> texts, bool ticked = false,
               const SectionValues& before = {}) {
    InputTexts in;
    std::size_t i = 0;
    for (const char* t : texts) in[i++] = t;
    return ComputeAnswers(static_cast<ShapeType>(shape), in, ticked, before);
}

// The four first-line texts as the answer labels would show them.
std::vector<std::string> FirstLine(const AnsOutcome& o) {
    const SectionValues& v = o.values;
    return {SingleToText(v.resA), SingleToText(v.resI), SingleToText(v.resZ), SingleToText(v.resK)};
}

std::vector<std::string> SecondLineTexts(const AnsOutcome& o) {
    const SectionValues& v = o.values;
    return {SingleToText(v.resA2), SingleToText(v.resI2), SingleToText(v.resZ2), SingleToText(v.resK2)};
}

using Texts = std::vector<std::string>;

void ExpectShown(const AnsOutcome& o, const Texts& first) {
    EXPECT_TRUE(o.showFirstLine);
    EXPECT_EQ(o.message, AnsMessage::None);
    EXPECT_EQ(FirstLine(o), first);
}

}  // namespace

TEST(AnsOperation, WorkedExamplesOfTheFirstShapes) {
    ExpectShown(Ans(0, {"3", "2"}), Texts{"6", "4.5", "3", "0.75"});
    const AnsOutcome triangle = Ans(6, {"9", "6"});
    ExpectShown(triangle, Texts{"27", "121.5", "20.25", "4.5"});
    EXPECT_EQ(triangle.secondLine, SecondLine::ZOnly);
    EXPECT_EQ(SingleToText(triangle.values.resZ2), "40.5");
    const AnsOutcome box = Ans(16, {"8", "10", "4", "6"});
    ExpectShown(box, Texts{"28", "329.3333", "65.86667", "11.7619"});
    EXPECT_EQ(box.secondLine, SecondLine::Untouched);
}

TEST(AnsOperation, BoxSectionThinWallLineEqualsTheExactOneForConsistentWalls) {
    for (int shape : {16, 17, 18}) {
        const AnsOutcome o = Ans(shape, {"8", "10", "4", "6", "2", "1", "9"}, true);
        ExpectShown(o, Texts{"28", "329.3333", "65.86667", "11.7619"});
        EXPECT_EQ(o.secondLine, SecondLine::Full);
        EXPECT_EQ(SecondLineTexts(o), (Texts{"28", "329.3333", "65.86667", "11.7619"}));
    }
}

TEST(AnsOperation, WorkedExamplesOfTheRemainingShapes) {
    ExpectShown(Ans(10, {"100", "50", "40"}), Texts{"7000", "5674603", "103623.2", "810.6576"});
    ExpectShown(Ans(10, {"100", "50", "0"}), Texts{"5000", "4166667", "83333.34", "833.3333"});
    ExpectShown(Ans(11, {"100"}), Texts{"7853.981", "4908738", "98174.77", "625"});
    ExpectShown(Ans(14, {"100", "50"}), Texts{"15707.96", "3.926991E+07", "392699.1", "2500"});

    const AnsOutcome tube = Ans(12, {"80", "100", "90", "10"}, true);
    ExpectShown(tube, Texts{"2827.433", "2898119", "57962.38", "1025"});
    EXPECT_EQ(tube.secondLine, SecondLine::Full);
    EXPECT_EQ(SecondLineTexts(tube), (Texts{"2827.433", "2862776", "63617.25", "1012.5"}));

    const AnsOutcome half = Ans(13, {"100"});
    ExpectShown(half, Texts{"15707.96", "1.09757E+07", "190800", "698.7345"});
    EXPECT_EQ(half.secondLine, SecondLine::ZOnly);
    EXPECT_EQ(SingleToText(half.values.resZ2), "258700");

    const AnsOutcome ellipse = Ans(15, {"90", "100", "40", "50", "10"}, true);
    ExpectShown(ellipse, Texts{"4398.229", "1.63677E+07", "163677", "3721.428"});
    EXPECT_EQ(SecondLineTexts(ellipse), (Texts{"4398.229", "1.963495E+07", "196349.5", "4166.667"}));

    for (int shape : {19, 20, 21})
        ExpectShown(Ans(shape, {"10", "100", "80", "20"}), Texts{"2800", "1673333", "33466.67", "597.619"});
}

TEST(AnsOperation, UTLSectionsWithTheCentroidAboveAndInsideTheBottomRectangle) {
    for (int shape : {22, 23, 24}) {
        const AnsOutcome above = Ans(shape, {"10", "100", "90", "10"});
        ExpectShown(above, Texts{"1900", "1800044", "25240.47", "947.3915"});
        EXPECT_EQ(SingleToText(above.values.aux4), "28.68421");
        EXPECT_EQ(SingleToText(above.values.aux3), "71.31579");
        EXPECT_EQ(SingleToText(above.values.resZ2), "62753.82");
        EXPECT_EQ(above.secondLine, SecondLine::ZOnly);

        const AnsOutcome inside = Ans(shape, {"20", "30", "200", "10"});
        ExpectShown(inside, Texts{"4300", "162810.1", "8285.01", "37.86281"});
        EXPECT_EQ(SingleToText(inside.values.aux4), "10.34884");
        EXPECT_EQ(SingleToText(inside.values.resZ2), "15732.21");
    }
}

TEST(AnsOperation, ZeroInputsRightAfterOpening) {
    for (int shape : {0, 2, 4, 6, 7, 8, 9}) {
        const AnsOutcome o = Ans(shape, {"0", "0", "0", "0"});
        ExpectShown(o, Texts{"0", "0", "0", "0"});
    }
    for (int shape : {1, 3, 5, 16, 17, 18}) {
        const AnsOutcome o = Ans(shape, {"0", "0", "0", "0"});
        EXPECT_EQ(o.message, AnsMessage::InputError) << shape;
        EXPECT_FALSE(o.showFirstLine) << shape;
    }
}

TEST(AnsOperation, FailuresStopAtTheRightStepAndKeepWhatWasStored) {
    SectionValues before;
    before.resA = 11;
    before.resI = 22;
    before.resZ = 33;
    before.resK = 44;

    // Rectangle pair with h1 = h2: A, I, Z are 0, then k² is 0 ÷ 0.
    AnsOutcome o = Ans(1, {"5", "5", "2"}, false, before);
    EXPECT_EQ(o.message, AnsMessage::InputError);
    EXPECT_FALSE(o.showFirstLine);
    EXPECT_EQ(o.values.resA, 0);
    EXPECT_EQ(o.values.resZ, 0);
    EXPECT_EQ(o.values.resK, 44);

    // Box with b2·h2 = b1·h1: A, I, Z stored, k² divides by zero.
    o = Ans(16, {"5", "10", "8", "4"}, false, before);
    EXPECT_EQ(o.message, AnsMessage::InputError);
    EXPECT_EQ(o.values.resA, 0);
    EXPECT_NE(o.values.resI, 22);
    EXPECT_NE(o.values.resZ, 33);
    EXPECT_EQ(o.values.resK, 44);

    // h2 = 0: the modulus divides by zero; A and I are stored, Z and k² are not.
    for (int shape : {1, 3, 5, 16, 19}) {
        o = Ans(shape, {"1", "0", "1", "1"}, false, before);
        EXPECT_EQ(o.message, AnsMessage::InputError) << shape;
        EXPECT_EQ(o.values.resZ, 33) << shape;
        EXPECT_NE(o.values.resI, 22) << shape;
    }
    // Tube with d2 = 0 and hollow ellipse with a2 = 0: Z fails.
    EXPECT_EQ(Ans(12, {"1", "0"}, false, before).values.resZ, 33);
    EXPECT_EQ(Ans(15, {"1", "0", "1", "1"}, false, before).values.resZ, 33);
    // Hollow ellipse with D = 0 (a2·b2 = a1·b1): Z is stored, k² fails.
    o = Ans(15, {"2", "4", "4", "2"}, false, before);
    EXPECT_EQ(o.message, AnsMessage::InputError);
    EXPECT_NE(o.values.resZ, 33);
    EXPECT_EQ(o.values.resK, 44);
    // Trapezoid: 2b + b1 = 0 fails I; 2·b1 + 3·b = 0 fails Z.
    o = Ans(10, {"1", "2", "-4"}, false, before);
    EXPECT_EQ(o.message, AnsMessage::InputError);
    EXPECT_EQ(o.values.resI, 22);
    o = Ans(10, {"1", "2", "-3"}, false, before);
    EXPECT_EQ(o.message, AnsMessage::InputError);
    EXPECT_NE(o.values.resI, 22);
    EXPECT_EQ(o.values.resZ, 33);
    // H-shape group with a zero area but h2 ≠ 0: k² fails.
    o = Ans(19, {"1", "1", "-1", "1"}, false, before);
    EXPECT_EQ(o.message, AnsMessage::InputError);
    EXPECT_NE(o.values.resZ, 33);
    EXPECT_EQ(o.values.resK, 44);
    // U/T/L: all zero fails e2 first; e2 = h2 fails Z (e1 = 0); e2 = 0 fails Z2.
    o = Ans(22, {"0", "0", "0", "0"}, false, before);
    EXPECT_EQ(o.message, AnsMessage::InputError);
    EXPECT_EQ(o.values.resA, 0);
    EXPECT_EQ(o.values.aux4, 0);
    EXPECT_EQ(o.values.resI, 22);
    o = Ans(23, {"0", "2", "0", "1"}, false, before);  // e2 = h2²·b2 / (2·b2·h2) = 1 ≠ h2
    EXPECT_EQ(o.message, AnsMessage::None);
    o = Ans(23, {"2", "0", "1", "0"}, false, before);  // e2 = h1 / 2 = 1, e1 = −1: no failure
    EXPECT_EQ(o.message, AnsMessage::None);
    o = Ans(24, {"0", "1", "0", "2"}, false, before);  // e2 = 0.5, e1 = 0.5
    EXPECT_EQ(o.message, AnsMessage::None);
}

TEST(AnsOperation, ConversionFailuresStoreTheInputsReadBefore) {
    SectionValues before;
    before.val1 = 7;
    before.val2 = 8;
    before.val3 = 9;
    AnsOutcome o = Ans(10, {"4", "", "5"}, false, before);
    EXPECT_EQ(o.message, AnsMessage::InputError);
    EXPECT_FALSE(o.showFirstLine);
    EXPECT_EQ(o.values.val1, 4);
    EXPECT_EQ(o.values.val2, 8);
    EXPECT_EQ(o.values.val3, 9);
    EXPECT_EQ(Ans(0, {"abc", "2"}).message, AnsMessage::InputError);
    EXPECT_EQ(Ans(0, {"1e39", "2"}).message, AnsMessage::InputError);
    EXPECT_EQ(Ans(0, {"-", "2"}).message, AnsMessage::InputError);
}

TEST(AnsOperation, OverflowWhenStoredIsAnErrorUnderflowIsNot) {
    AnsOutcome o = Ans(0, {"1E+20", "1E+20"});
    EXPECT_EQ(o.message, AnsMessage::InputError);
    EXPECT_EQ(o.values.resA, 0);  // never stored

    o = Ans(11, {"1E10"});
    EXPECT_EQ(o.message, AnsMessage::InputError);
    EXPECT_FALSE(o.showFirstLine);
    EXPECT_EQ(SingleToText(o.values.resA), "7.853981E+19");
    EXPECT_EQ(o.values.resI, 0);

    // A text below the single range reads as 0, without a message: the box
    // section with an inner width of 1e-50 is the solid one.
    const AnsOutcome tiny = Ans(16, {"8", "10", "1e-50", "6"});
    EXPECT_EQ(tiny.message, AnsMessage::None);
    EXPECT_TRUE(tiny.showFirstLine);
    EXPECT_EQ(tiny.values, Ans(16, {"8", "10", "0", "6"}).values);
    EXPECT_EQ(tiny.values.resA, 60);

    o = Ans(2, {"1e-20"});
    EXPECT_EQ(o.message, AnsMessage::None);
    EXPECT_EQ(o.values.resI, 0);  // 1e-80 underflows to zero
    EXPECT_GT(o.values.resA, 0);
}

TEST(AnsOperation, NegativeDimensionsAreUsedAsTyped) {
    ExpectShown(Ans(0, {"3", "-2"}), Texts{"-6", "-4.5", "-3", "0.75"});
    ExpectShown(Ans(3, {"4", "4"}), Texts{"0", "0", "0", "2.666667"});  // k² = h²/6, no division by A
}

TEST(AnsOperation, GroupsGiveIdenticalResults) {
    for (const auto& texts : {InputTexts{"3", "7", "2", "5"}, InputTexts{"1.5", "9", "4", "0.5"}}) {
        for (int first : {16, 19, 22}) {
            const AnsOutcome a = ComputeAnswers(static_cast<ShapeType>(first), texts, false, {});
            for (int other = first + 1; other <= first + 2; ++other)
                EXPECT_EQ(ComputeAnswers(static_cast<ShapeType>(other), texts, false, {}), a);
        }
    }
}

TEST(AnsOperation, TubeThinWallConditionAndUnreadDerivedInputs) {
    SectionValues before;
    before.resA2 = 5;
    AnsOutcome o = Ans(12, {"80", "100", "10", "10"}, true, before);  // t = dm
    EXPECT_TRUE(o.showFirstLine);
    EXPECT_EQ(o.message, AnsMessage::ThinWallCondition);
    EXPECT_EQ(o.secondLine, SecondLine::Untouched);
    EXPECT_EQ(o.values.resA2, 5);
    EXPECT_EQ(Ans(12, {"80", "100", "10", "11"}, true).message, AnsMessage::ThinWallCondition);

    // Not ticked: the derived boxes are not read, so rubbish in them is no error.
    o = Ans(12, {"80", "100", "x", "y"}, false);
    EXPECT_EQ(o.message, AnsMessage::None);
    EXPECT_EQ(o.secondLine, SecondLine::Untouched);
    EXPECT_EQ(Ans(15, {"90", "100", "40", "50", "?"}, false).message, AnsMessage::None);
    EXPECT_EQ(Ans(16, {"8", "10", "4", "6", "", "", ""}, false).message, AnsMessage::None);
}

TEST(AnsOperation, AFailureInTheThinWallPartLeavesTheFirstLineShown) {
    // Box section ticked with an empty t2.
    AnsOutcome o = Ans(16, {"8", "10", "4", "6", "2", "", "9"}, true);
    EXPECT_TRUE(o.showFirstLine);
    EXPECT_EQ(o.message, AnsMessage::InputError);
    EXPECT_EQ(o.secondLine, SecondLine::Untouched);
    EXPECT_EQ(o.values.val5, 2);
    EXPECT_EQ(FirstLine(o), (Texts{"28", "329.3333", "65.86667", "11.7619"}));

    // Hollow ellipse ticked with b2 + a2 = 0: the thin-wall k² divides by zero.
    o = Ans(15, {"1", "-2", "8", "2", "-3"}, true);
    EXPECT_TRUE(o.showFirstLine);
    EXPECT_EQ(o.message, AnsMessage::InputError);
    EXPECT_EQ(o.secondLine, SecondLine::Untouched);
    EXPECT_NE(o.values.resZ2, 0);
    EXPECT_EQ(o.values.resK2, 0);

    // Any t is accepted for the hollow ellipse, even one larger than a2.
    EXPECT_EQ(Ans(15, {"90", "100", "40", "50", "500"}, true).secondLine, SecondLine::Full);
}

TEST(AnsOperation, NoShapeDoesNothing) {
    SectionValues before;
    before.resA = 3;
    for (int shape : {99, 25, -1}) {
        const AnsOutcome o = Ans(shape, {"1", "2"}, true, before);
        EXPECT_FALSE(o.showFirstLine);
        EXPECT_EQ(o.message, AnsMessage::None);
        EXPECT_EQ(o.values, before);
    }
}

TEST(AnsOperation, MessageTexts) {
    EXPECT_EQ(MessageText(AnsMessage::InputError), "入力に誤りがあります");
    EXPECT_EQ(MessageText(AnsMessage::ThinWallCondition), "条件 t<<dm が成立しません");
    EXPECT_EQ(MessageText(AnsMessage::None), "");
}
