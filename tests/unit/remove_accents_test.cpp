#include <gtest/gtest.h>

#include "main/RemoveAccents.h"

namespace {

TEST(RemoveAccents, FoldsTheSixteenVowelsInEitherCaseToLowerCasePlainOnes) {
    EXPECT_EQ(RemoveAccents(
                  u"\u00E9\u00E8\u00EA\u00EB\u00E0\u00E2\u00E4\u00EC\u00EF\u00EE\u00F2\u00F6\u00F4\u00F9\u00FC\u00FB"),
              u"eeeeaaaiiiooouuu");
    EXPECT_EQ(RemoveAccents(
                  u"\u00C9\u00C8\u00CA\u00CB\u00C0\u00C2\u00C4\u00CC\u00CF\u00CE\u00D2\u00D6\u00D4\u00D9\u00DC\u00DB"),
              u"eeeeaaaiiiooouuu");
}

TEST(RemoveAccents, Examples) {
    EXPECT_EQ(RemoveAccents(u"H\u00F4tel de Ville"), u"Hotel de Ville");
    EXPECT_EQ(RemoveAccents(u"Cr\u00E8me Br\u00FBl\u00E9e"), u"Creme Brulee");
    EXPECT_EQ(RemoveAccents(u"\u00C9COLE"), u"eCOLE");
    EXPECT_EQ(RemoveAccents(u"12 All\u00E9e des H\u00E9rons"), u"12 Allee des Herons");
    EXPECT_EQ(RemoveAccents(u""), u"");
}

TEST(RemoveAccents, LeavesEveryOtherLetterAlone) {
    const vb::String untouched =
        u"S\u00E3o Paulo C\u00F3rdoba \u00E1\u00ED\u00F3\u00FA\u00FF\u00E7\u00F1\u00C5 \u0141\u00F3d\u017A "
        u"\u0391\u03B8\u03AE\u03BD\u03B1 \u5317\u4EAC \U0001F5FA &=?%#\"\r\n";
    EXPECT_EQ(RemoveAccents(untouched), untouched);
}

TEST(RemoveAccents, KeepsSurrogatePairsAndLoneSurrogatesIntact) {
    vb::String text = u"\U0001D49C\u00E9";
    text += char16_t(0xD800);
    text += u"\u00E8";
    vb::String expected = u"\U0001D49Ce";
    expected += char16_t(0xD800);
    expected += u"e";
    EXPECT_EQ(RemoveAccents(text), expected);
}

TEST(RemoveAccents, FoldsAVowelFollowedByItsCombiningAccent) {
    EXPECT_EQ(RemoveAccents(u"Montve\u0301rac"), u"Montverac");
    EXPECT_EQ(RemoveAccents(u"E\u0300cole"), u"ecole");
    // Marks that do not spell one of the sixteen letters stay.
    EXPECT_EQ(RemoveAccents(u"a\u0301 o\u0303 n\u0303"), u"a\u0301 o\u0303 n\u0303");
    // A lone mark at the end or at the start is kept.
    EXPECT_EQ(RemoveAccents(u"\u0301e"), u"\u0301e");
    // Marks stacked on a folded vowel go with it while they spell a letter
    // of the table; the first that does not stays.
    EXPECT_EQ(RemoveAccents(u"e\u0301\u0301 \u00E9\u0300 e\u0302\u0301\u0303"), u"e e e\u0303");
}

}  // namespace
