#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/catalogue.h"
#include "core/formula_pictures.h"
#include "core/units.h"

using namespace velmora;

TEST(Catalogue, HasTwentyFiveEntriesAndNothingOutside) {
    EXPECT_EQ(AllShapes().size(), 25u);
    EXPECT_EQ(FindShape(-1), nullptr);
    EXPECT_EQ(FindShape(25), nullptr);
    EXPECT_EQ(FindShape(kNoShape), nullptr);
    ASSERT_NE(FindShape(0), nullptr);
    EXPECT_EQ(FindShape(24)->name, "L-section");
}

TEST(Catalogue, SlotsRunWithoutGapsAndOptionsHaveDerivedInputs) {
    for (const ShapeEntry& s : AllShapes()) {
        int next = 1;
        for (const InputSlot& in : s.entered) EXPECT_EQ(in.slot, next++) << s.name;
        for (const InputSlot& in : s.derived) EXPECT_EQ(in.slot, next++) << s.name;
        EXPECT_LE(next - 1, kSlotCount);
        EXPECT_EQ(s.option == ThicknessOption::None, s.derived.empty()) << s.name;
    }
}

TEST(Catalogue, SharedInputSetsAndCaptions) {
    const auto captions = [](int i) {
        std::string all;
        for (const InputSlot& in : FindShape(i)->entered) all += std::string(in.caption) + ",";
        for (const InputSlot& in : FindShape(i)->derived) all += std::string(in.caption) + ";";
        return all;
    };
    EXPECT_EQ(captions(0), "h,b,");
    EXPECT_EQ(captions(0), captions(6));
    EXPECT_EQ(captions(2), captions(4));
    EXPECT_EQ(captions(3), captions(5));
    EXPECT_EQ(captions(7), captions(8));
    EXPECT_EQ(captions(9), captions(13));
    EXPECT_EQ(captions(12), "d1,d2,dm;t;");
    EXPECT_EQ(captions(15), "a1,a2,b1,b2,t;");
    EXPECT_EQ(captions(16), "h1,h2,b1,b2,t1;t2;~h;");
    for (int i = 19; i <= 24; ++i) EXPECT_EQ(captions(i), "h1,h2,b1,b2,") << i;
    EXPECT_EQ(FindShape(12)->option, ThicknessOption::Chk1);
    EXPECT_EQ(FindShape(15)->option, ThicknessOption::Chk2);
    for (int i = 16; i <= 18; ++i) EXPECT_EQ(FindShape(i)->option, ThicknessOption::Chk3);
}

TEST(Catalogue, DrawingsFitTheirFrame) {
    // Frame1 is 6975 × 5655 twips; the widest drawings leave 232.5 twips on each side.
    for (const ShapeEntry& s : AllShapes()) {
        EXPECT_LE(s.drawingWidthTwips, 6975) << s.name;
        EXPECT_LE(s.drawingHeightTwips, 5655) << s.name;
    }
    EXPECT_EQ((6975 - FindShape(22)->drawingWidthTwips) / 2.0, 232.5);
    EXPECT_EQ(FindShape(0)->drawingWidthTwips, 335 * 15);
    EXPECT_EQ(FindShape(0)->drawingHeightTwips, 286 * 15);
}

TEST(Units, ListTextsInOrderAndTheirSuffixes) {
    const auto units = Units();
    ASSERT_EQ(units.size(), 8u);
    EXPECT_EQ(units[0].listText, "m  (メートル)");
    EXPECT_EQ(units[2].listText, kDefaultUnitText);
    EXPECT_EQ(UnitSuffixForText("m  (メートル)"), "m");
    EXPECT_EQ(UnitSuffixForText("cm (センチメートル)"), "cm");
    EXPECT_EQ(UnitSuffixForText("尺 (しゃく)"), "尺");
    EXPECT_EQ(UnitSuffixForText("ft (フィート)"), "ft");
    for (const Unit& u : units) EXPECT_EQ(UnitSuffixForText(u.listText), u.suffix);
}

TEST(Units, AnyOtherTextIsNone) {
    for (const char* text : {"", "単位選択", "m (メートル)", "MM (ミリメートル)", "ｍｍ (ミリメートル)", "mm",
                             "mm (ミリメートル) ", " cm (センチメートル)"})
        EXPECT_EQ(UnitSuffixForText(text), "none") << text;
}

// One table gives each unit its name and length, and one function its texts
// with a power, for every output.
TEST(Units, NamesLengthsAndUnitTexts) {
    const Unit* mm = FindUnit("mm");
    ASSERT_NE(mm, nullptr);
    EXPECT_EQ(mm->name, "ミリメートル");
    EXPECT_EQ(FindUnit("尺")->name, "しゃく");
    EXPECT_EQ(FindUnit("none"), nullptr);
    EXPECT_EQ(FindUnit("MM"), nullptr);
    for (const Unit& u : Units()) {
        // The list text is the suffix and the name in brackets.
        EXPECT_NE(u.listText.find(u.name), std::string_view::npos) << u.suffix;
        EXPECT_EQ(u.listText.substr(0, u.suffix.size()), u.suffix);
        EXPECT_EQ(FindUnit(u.suffix), &u);
    }
    // 1 尺 = 10/33 m, 1 in = 25.4 mm: the published definitions.
    EXPECT_EQ(LengthFactor("尺", "m"), 10.0 / 33);
    EXPECT_EQ(LengthFactor("in", "mm"), 25.4);
    EXPECT_EQ(UnitText("mm", 1), "mm");
    EXPECT_EQ(UnitText("mm", 2), "mm²");
    EXPECT_EQ(UnitText("cm", 3), "cm³");
    EXPECT_EQ(UnitText("尺", 4), "尺⁴");
    EXPECT_EQ(UnitText("cm", 6), "cm⁶");  // the warping constant
    EXPECT_EQ(UnitText("mm", 0), "");
    EXPECT_EQ(UnitText("none", 2), "none²");  // as the calculator labels it
    // k² = I ÷ A: a length⁴ over a length².
    EXPECT_EQ(kResultLengthPowers[3], kResultLengthPowers[1] - kResultLengthPowers[0]);
    EXPECT_EQ(UnitText("mm", kResultLengthPowers[3]), "mm²");
}

TEST(FormulaPictures, IndexOfEveryShapeAndKind) {
    EXPECT_EQ(FormulaPictureIndex(0, "a"), 0);
    EXPECT_EQ(FormulaPictureIndex(0, "i"), 1);
    EXPECT_EQ(FormulaPictureIndex(0, "k"), 2);
    EXPECT_EQ(FormulaPictureIndex(0, "z"), 3);
    EXPECT_EQ(FormulaPictureIndex(15, "z"), 63);
    for (int s = 16; s <= 18; ++s) EXPECT_EQ(FormulaPictureIndex(s, "a"), 64);
    for (int s = 19; s <= 21; ++s) EXPECT_EQ(FormulaPictureIndex(s, "i"), 69);
    for (int s = 22; s <= 24; ++s) EXPECT_EQ(FormulaPictureIndex(s, "z"), 75);
    EXPECT_EQ(FormulaPictureIndex(99, "a"), -1);
    EXPECT_EQ(FormulaPictureIndex(0, "A"), -1);
    EXPECT_EQ(FormulaPictureIndex(0, ""), -1);
    std::set<int> used;
    for (int s = 0; s < 25; ++s)
        for (const char* kind : {"a", "i", "k", "z"}) used.insert(FormulaPictureIndex(s, kind));
    EXPECT_EQ(used.size(), 76u);
    EXPECT_EQ(*used.begin(), 0);
    EXPECT_EQ(*used.rbegin(), 75);
}

TEST(FormulaPictures, SizesAndCaptions) {
    EXPECT_EQ(FormulaPictureSize(0).width, 7620);
    EXPECT_EQ(FormulaPictureSize(0).height, 2010);
    EXPECT_EQ(FormulaPictureSize(43).width, 7665);
    EXPECT_EQ(FormulaPictureSize(73).height, 2235);
    EXPECT_EQ(FormulaPictureSize(76).width, 0);
    for (int p = 0; p < kFormulaPictureCount; ++p) {
        EXPECT_LE(FormulaPictureSize(p).width + 120, 7905);  // fits the client area
        EXPECT_LE(FormulaPictureSize(p).height + 120, 2475);
    }
    EXPECT_EQ(FormulaCaption("a"), "velmora: 公式：断面積(A)");
    EXPECT_EQ(FormulaCaption("i"), "velmora: 公式：断面二次モーメント(I)");
    EXPECT_EQ(FormulaCaption("k"), "velmora: 公式：断面二次半径(k)");
    EXPECT_EQ(FormulaCaption("z"), "velmora: 公式：断面係数(Z)");
    EXPECT_EQ(FormulaCaption("Z"), "...");
}
