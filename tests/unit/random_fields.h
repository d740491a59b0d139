// Seeded addresses for the property tests of the map URLs: a field as a
// contact (or the user) may write it, with the value a URL must give it,
// and the check that the URL holds that value percent-encoded.
#pragma once

#include <string_view>

#include "tests/unit/map_url_checks.h"
#include "tests/unit/random_input.h"

namespace random_fields {

// A field as a contact may hold it, with the value a template must give it:
// lines of any text with blanks around them, joined by any line break, and
// empty lines among them. `parting` names characters that part lines too,
// as line breaks do.
struct DrawnField {
    vb::String raw;
    vb::String expected;
};

inline DrawnField RandomField(random_input::Source& random, vb::StringView parting = {}) {
    static constexpr std::u16string_view kBlanks = u" \t\u000B\u000C\u00A0";
    DrawnField f;
    size_t lines = random.Pick<size_t>({0, 1, 1, 1, 2, 3});
    for (size_t i = 0; i < lines; ++i) {
        vb::String core = random.OneIn(5) ? vb::String() : random.Text(300);
        std::erase_if(core, [&](char16_t c) { return c == u'\r' || c == u'\n' || parting.find(c) != parting.npos; });
        if (!core.empty() && kBlanks.find(core.front()) != kBlanks.npos) core.front() = u'x';
        if (!core.empty() && kBlanks.find(core.back()) != kBlanks.npos) core.back() = u'x';
        auto pad = [&] { return vb::String(random.Below(3), kBlanks[random.Below(kBlanks.size())]); };
        if (i > 0) {
            vb::String lineBreak(random.Pick<vb::StringView>({u"\r\n", u"\r", u"\n", u"\r\n\r\n", u"\n \n"}));
            if (!parting.empty() && random.OneIn(2)) lineBreak = vb::String(random.Below(2) + 1, parting[0]);
            f.raw += lineBreak;
        }
        f.raw += pad() + core + pad();
        if (core.empty()) continue;
        if (!f.expected.empty()) f.expected += u", ";
        f.expected += core;
    }
    return f;
}

// The check that the URL holds a value percent-encoded, shared with the
// fuzz targets.
using map_url_checks::TakePercentEncoded;

}  // namespace random_fields
