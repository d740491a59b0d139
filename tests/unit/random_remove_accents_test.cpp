// Folding arbitrary text: only the sixteen accented vowels (and a plain
// vowel with its matching combining accent) change; every other unit, lone
// surrogates included, goes through as it was, in order.
#include <gtest/gtest.h>

#include <map>

#include "main/RemoveAccents.h"
#include "tests/unit/random_input.h"

namespace {

using random_input::Describe;

constexpr int kRounds = 3000;

// Each accented letter of the folding table, small and capital, with the
// plain vowel it becomes.
const std::map<char16_t, char16_t>& Folds() {
    static const std::map<char16_t, char16_t> folds = [] {
        std::map<char16_t, char16_t> m;
        for (auto [letters, vowel] : {std::pair<std::u16string_view, char16_t>{u"\u00E9\u00E8\u00EA\u00EB", u'e'},
                                      {u"\u00E0\u00E2\u00E4", u'a'},
                                      {u"\u00EC\u00EF\u00EE", u'i'},
                                      {u"\u00F2\u00F6\u00F4", u'o'},
                                      {u"\u00F9\u00FC\u00FB", u'u'}}) {
            for (char16_t c : letters) {
                m[c] = vowel;
                m[static_cast<char16_t>(c - 0x20)] = vowel;  // the capital, 32 below in Latin-1
            }
        }
        return m;
    }();
    return folds;
}

bool IsAccented(char16_t c) { return Folds().count(c) != 0; }
// The combining grave, acute, circumflex and diaeresis.
bool IsMark(char16_t c) { return c == 0x0300 || c == 0x0301 || c == 0x0302 || c == 0x0308; }
bool IsVowel(char16_t c) { return vb::StringView(u"aeiouAEIOU").find(c) != vb::StringView::npos; }

vb::String Without(vb::StringView text, bool (*drop)(char16_t)) {
    vb::String out;
    for (char16_t c : text)
        if (!drop(c)) out += c;
    return out;
}

// Text for folding: arbitrary, or dense in vowels, accented letters and marks.
vb::String FoldingText(random_input::Source& random) {
    if (random.OneIn(2)) return random.Text();
    vb::String alphabet = u"aeiouAEIOUxX \u0300\u0301\u0302\u0308\u0303\u00E1";
    for (auto [letter, vowel] : Folds()) alphabet += letter;
    alphabet += static_cast<char16_t>(0xD83D);
    alphabet += static_cast<char16_t>(0xDE00);
    return random.TextOf(alphabet, random.Length(2000));
}

TEST(RandomRemoveAccents, WithoutCombiningMarksEachUnitStaysOrBecomesItsPlainVowel) {
    random_input::Source random("RandomRemoveAccents.Units");
    random.Rounds(kRounds, [&](int) {
        const vb::String text = Without(FoldingText(random), IsMark);
        SCOPED_TRACE("text " + Describe(text));
        const vb::String folded = RemoveAccents(text);
        ASSERT_EQ(folded.size(), text.size());
        for (size_t i = 0; i < text.size(); ++i) {
            auto fold = Folds().find(text[i]);
            ASSERT_EQ(folded[i], fold == Folds().end() ? text[i] : fold->second) << "at " << i;
        }
    });
}

TEST(RandomRemoveAccents, AnyTextLosesOnlyFoldedMarksAndKeepsEveryOtherUnitInOrder) {
    random_input::Source random("RandomRemoveAccents.Others");
    random.Rounds(kRounds, [&](int) {
        const vb::String text = FoldingText(random);
        SCOPED_TRACE("text " + Describe(text));
        const vb::String folded = RemoveAccents(text);
        size_t marks = text.size() - Without(text, IsMark).size();
        EXPECT_LE(folded.size(), text.size());
        EXPECT_GE(folded.size() + marks, text.size()) << "more went than the marks that fold";
        EXPECT_EQ(Without(folded, IsAccented), folded) << "an accented vowel of the table is left";
        // Vowels and marks may merge; all else is the text's own, in order.
        EXPECT_EQ(Without(folded, [](char16_t c) { return IsVowel(c) || IsMark(c); }),
                  Without(text, [](char16_t c) { return IsVowel(c) || IsMark(c) || IsAccented(c); }));
    });
}

TEST(RandomRemoveAccents, AsciiTextComesBackAsItWas) {
    random_input::Source random("RandomRemoveAccents.Ascii");
    vb::String ascii;
    for (char16_t c = 0; c < 0x80; ++c) ascii += c;
    random.Rounds(kRounds, [&](int) {
        const vb::String text = random.TextOf(ascii, random.Length());
        EXPECT_EQ(RemoveAccents(text), text) << Describe(text);
    });
}

// Marks stacked on a folded letter go with it, so a second fold finds
// nothing left to do.
TEST(RandomRemoveAccents, FoldingTwiceChangesNothingMore) {
    random_input::Source random("RandomRemoveAccents.Twice");
    random.Rounds(kRounds, [&](int) {
        const vb::String text = FoldingText(random);
        SCOPED_TRACE("text " + Describe(text));
        const vb::String once = RemoveAccents(text);
        EXPECT_EQ(RemoveAccents(once), once);
    });
}

}  // namespace
