// What a map URL must hold, for the tests that build URLs from arbitrary
// input (the randomized tests and the fuzz target): whatever a contact
// holds, the URL stays one argument of the browser's command line, and
// every value reaches the site whole, in its place.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <vector>

#include "main/MapURL.h"
#include "main/RemoveAccents.h"
#include "platform/vb/string.h"

namespace map_url_checks {

inline bool IsControl(char16_t c) { return c < 0x20 || c == 0x7F; }

// Must never stand raw anywhere: it would end the browser command line's
// quotes or split it.
inline bool RawNowhere(char16_t c) { return c == u'"' || IsControl(c); }

// Must never stand raw in a value: it would also cut the query short ('#')
// or turn into another character at the site ('%').
inline bool RawInNoValue(char16_t c) { return RawNowhere(c) || c == u'#' || c == u'%'; }

// Takes `text` off the front of `url`, each unit raw (unless forbidden) or
// as %HH. False when the URL does not hold the text there.
inline bool TakeEncoded(vb::StringView& url, vb::StringView text, bool (*rawForbidden)(char16_t)) {
    for (char16_t c : text) {
        if (!rawForbidden(c) && !url.empty() && url[0] == c) {
            url.remove_prefix(1);
        } else if (url.size() >= 3 && url[0] == u'%' && vb::HexDigitValue(url[1]) >= 0 &&
                   vb::HexDigitValue(url[2]) >= 0 && vb::HexDigitValue(url[1]) * 16 + vb::HexDigitValue(url[2]) == c) {
            url.remove_prefix(3);
        } else {
            return false;
        }
    }
    return true;
}

inline bool TakeLiteral(vb::StringView& url, vb::StringView literal) {
    if (!url.starts_with(literal)) return false;
    url.remove_prefix(literal.size());
    return true;
}

// Takes a placeholder's value off the front of the URL: its UTF-8 bytes, the
// unreserved ones as they are, every other one as %XX in upper-case hex.
inline bool TakePercentEncoded(vb::StringView& url, vb::StringView value) {
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    for (unsigned char b : vb::ToUtf8(value)) {
        bool unreserved = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '-' ||
                          b == '.' || b == '_' || b == '~';
        vb::String expected = unreserved ? vb::String(1, char16_t(b)) : vb::String{u'%', kHex[b >> 4], kHex[b & 15]};
        if (!TakeLiteral(url, expected)) return false;
    }
    return true;
}

// A field as a placeholder (and a route's address) takes it: its lines (at CR LF, CR or LF) without
// the blanks around them, the empty ones left out, joined by ", ".
inline vb::String Placed(vb::StringView field) {
    static constexpr vb::StringView kBlanks = u" \t\u000B\u000C\u00A0";
    vb::String joined;
    size_t start = 0;
    for (size_t i = 0; i <= field.size(); ++i) {
        if (i < field.size() && field[i] != u'\r' && field[i] != u'\n') continue;
        vb::StringView line = field.substr(start, i - start);
        line.remove_prefix(std::min(line.size(), line.find_first_not_of(kBlanks)));
        line = line.substr(0, line.find_last_not_of(kBlanks) + 1);
        if (!line.empty()) joined += (joined.empty() ? u"" : u", ") + vb::String(line);
        if (i + 1 < field.size() && field[i] == u'\r' && field[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    return joined;
}

inline bool StartsWithWebScheme(vb::StringView url) {
    vb::String start = vb::AsciiLower(url.substr(0, 8));
    return start.starts_with(u"http://") || start.starts_with(u"https://");
}

// A parameter as the site gets it: the builder's own text, then a value.
struct Part {
    vb::String literal;
    vb::String value;
};

struct Contact {
    std::map<int16_t, vb::String> fields;
    vb::String code;  // what the countries file gives for its country
    vb::String zoom;
};

// The parameters each site's set puts after the base, in order.
inline std::vector<Part> ExpectedParts(vb::StringView site, const Contact& c) {
    auto field = [&c](int16_t id) { return c.fields.at(id); };
    if (site == map_url::kMapQuest) {
        return {{u"size=big&address=", RemoveAccents(field(map_url::kStreet))},
                {u"&city=", RemoveAccents(field(map_url::kCity))},
                {u"&state=", field(map_url::kState)},
                {u"&zip=", field(map_url::kPostalCode)},
                {u"&country=", c.code},
                {u"&zoom=", c.zoom}};
    }
    if (site == map_url::kYahoo) {
        std::vector<Part> parts = {{u"addr=", field(map_url::kStreet)}, {u"&country=", c.code}};
        vb::String postal = field(map_url::kPostalCode);
        bool byPostalCode =
            (c.code == u"US" || c.code == u"FR" || c.code == u"IT" || c.code == u"UK") && !postal.empty();
        if (byPostalCode) {
            for (char16_t& ch : postal)
                if (ch == u' ') ch = u'+';
            parts.push_back({u"&csz=", RemoveAccents(postal)});
        } else {
            parts.push_back({u"&csz=", RemoveAccents(field(map_url::kCity))});
            if (!field(map_url::kState).empty()) parts.push_back({u",", field(map_url::kState)});
        }
        parts.push_back({u"&newmag=", c.zoom});
        return parts;
    }
    return {};
}

}  // namespace map_url_checks
