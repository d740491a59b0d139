#include "main/RemoveAccents.h"

namespace {

struct Fold {
    char16_t small, capital;  // the precomposed letter
    char16_t vowel;           // the plain lower-case vowel it becomes
    char16_t accent;          // the combining mark that spells it decomposed
};

constexpr char16_t kGrave = 0x0300, kAcute = 0x0301, kCircumflex = 0x0302, kDiaeresis = 0x0308;

// The sixteen letters, in the order they are replaced.
constexpr Fold kFolds[] = {
    {u'\u00E9', u'\u00C9', u'e', kAcute},      {u'\u00E8', u'\u00C8', u'e', kGrave},
    {u'\u00EA', u'\u00CA', u'e', kCircumflex}, {u'\u00EB', u'\u00CB', u'e', kDiaeresis},
    {u'\u00E0', u'\u00C0', u'a', kGrave},      {u'\u00E2', u'\u00C2', u'a', kCircumflex},
    {u'\u00E4', u'\u00C4', u'a', kDiaeresis},  {u'\u00EC', u'\u00CC', u'i', kGrave},
    {u'\u00EF', u'\u00CF', u'i', kDiaeresis},  {u'\u00EE', u'\u00CE', u'i', kCircumflex},
    {u'\u00F2', u'\u00D2', u'o', kGrave},      {u'\u00F6', u'\u00D6', u'o', kDiaeresis},
    {u'\u00F4', u'\u00D4', u'o', kCircumflex}, {u'\u00F9', u'\u00D9', u'u', kGrave},
    {u'\u00FC', u'\u00DC', u'u', kDiaeresis},  {u'\u00FB', u'\u00DB', u'u', kCircumflex},
};

// Whether the plain vowel and the combining mark spell one of the letters.
bool Spells(char16_t vowel, char16_t mark) {
    for (const Fold& f : kFolds)
        if (f.vowel == vowel && f.accent == mark) return true;
    return false;
}

}  // namespace

// Every replacement yields a plain ASCII vowel; marks stacked after it that
// would spell another letter of the table with it go too, so folding the
// result again changes nothing.
vb::String RemoveAccents(vb::StringView text) {
    vb::String out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        char16_t next = i + 1 < text.size() ? text[i + 1] : 0;
        bool folded = false;
        for (const Fold& f : kFolds) {
            if (c == f.small || c == f.capital) {
                out += f.vowel;
                folded = true;
                break;
            }
            if (vb::AsciiLower(c) == f.vowel && next == f.accent) {
                out += f.vowel;
                ++i;
                folded = true;
                break;
            }
        }
        if (!folded) {
            out += c;
            continue;
        }
        while (i + 1 < text.size() && Spells(out.back(), text[i + 1])) ++i;
    }
    return out;
}
