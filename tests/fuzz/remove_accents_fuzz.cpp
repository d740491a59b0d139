// Accent folding on any text: only the sixteen accented vowels of the table
// change (to their plain lower-case vowel), and a plain vowel with combining
// accents loses them; every other unit, lone surrogates included, stays in
// order; none of the sixteen is left; folding twice changes nothing more.
//
// Input: the text, read by fuzz::Text.
#include <cstdint>

#include "main/RemoveAccents.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

// The plain vowel an accented letter of the table folds to; 0 for any other.
char16_t FoldOf(char16_t c) {
    static constexpr vb::StringView kLetters[] = {u"\u00E9\u00E8\u00EA\u00EB", u"\u00E0\u00E2\u00E4",
                                                  u"\u00EC\u00EF\u00EE", u"\u00F2\u00F6\u00F4", u"\u00F9\u00FC\u00FB"};
    static constexpr char16_t kVowels[] = u"eaiou";
    for (int v = 0; v < 5; ++v) {
        // The capitals lie 32 below the small letters in Latin-1.
        for (char16_t small : kLetters[v])
            if (c == small || c == small - 0x20) return kVowels[v];
    }
    return 0;
}

bool IsVowel(char16_t c) { return vb::StringView(u"aeiouAEIOU").find(c) != vb::StringView::npos; }
// The combining grave, acute, circumflex and diaeresis.
bool IsMark(char16_t c) { return c == 0x0300 || c == 0x0301 || c == 0x0302 || c == 0x0308; }

template <class Keep>
vb::String Only(vb::StringView text, Keep keep) {
    vb::String out;
    for (char16_t c : text)
        if (keep(c)) out += c;
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const vb::String text = fuzz::Text({reinterpret_cast<const char*>(data), size});
    fuzz::Show shown("text", text);
    const vb::String folded = RemoveAccents(text);
    fuzz::Show shownFolded("folded", folded);

    FUZZ_CHECK(folded.size() <= text.size());
    for (char16_t c : folded) FUZZ_CHECK(FoldOf(c) == 0);
    // All but vowels and marks stays as it was, in order.
    auto other = [](char16_t c) { return !IsVowel(c) && !IsMark(c) && FoldOf(c) == 0; };
    FUZZ_CHECK(Only(folded, other) == Only(text, other));
    // Each vowel stays that vowel, each accented letter becomes its own;
    // only the letter case of a vowel before a mark may go.
    vb::String vowels = Only(vb::AsciiLower(text), [](char16_t c) { return IsVowel(c) || FoldOf(c) != 0; });
    for (char16_t& c : vowels) c = FoldOf(c) ? FoldOf(c) : c;
    FUZZ_CHECK(vb::AsciiLower(Only(folded, IsVowel)) == vowels);
    // Marks only go, in order: those left are some of the text's own.
    const vb::String marks = Only(text, IsMark), marksLeft = Only(folded, IsMark);
    size_t at = 0;
    for (char16_t c : marksLeft) {
        at = marks.find(c, at);
        FUZZ_CHECK(at != vb::String::npos);
        ++at;
    }
    // Without marks, every unit stays or becomes its plain vowel in place.
    if (marks.empty()) {
        FUZZ_CHECK(folded.size() == text.size());
        for (size_t i = 0; i < text.size(); ++i) FUZZ_CHECK(folded[i] == (FoldOf(text[i]) ? FoldOf(text[i]) : text[i]));
    }
    FUZZ_CHECK(RemoveAccents(folded) == folded);
    return 0;
}
