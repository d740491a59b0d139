// The map URL from any stored URL, contact, country code, zoom and country
// setting. The URL stays one argument of the browser's command line (no raw
// quote or control character) and a web address; the stored URL is its
// start; with a parameter set, nothing after the base holds a raw '#', and
// each parameter follows in the site's order, its value decoding back
// whole; a template keeps its own text and gets each placeholder's value
// whole, UTF-8 percent-encoded. Each contact field is asked for at most
// once, a template never looks up a country code, and a page of no known
// site asks for nothing.
//
// Input: stored URL \ street \ city \ state \ zip \ country \ country
// code \ zoom \ country setting, each read by fuzz::Text.
#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "main/MapTemplate.h"
#include "main/MapURL.h"
#include "main/RemoveAccents.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

bool IsControl(char16_t c) { return c < 0x20 || c == 0x7F; }
// Never raw anywhere: it would end the command line's quotes or split it.
bool RawNowhere(char16_t c) { return c == u'"' || IsControl(c); }
// Never raw in a value: it would also cut the query ('#') or turn into
// another character at the site ('%').
bool RawInNoValue(char16_t c) { return RawNowhere(c) || c == u'#' || c == u'%'; }

// Takes `text` off the front of `url`, each unit raw (unless forbidden) or
// as %HH; false when the URL does not hold it there.
bool TakeEncoded(vb::StringView& url, vb::StringView text, bool (*rawForbidden)(char16_t)) {
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

bool TakeLiteral(vb::StringView& url, vb::StringView literal) {
    if (!url.starts_with(literal)) return false;
    url.remove_prefix(literal.size());
    return true;
}

// A value's UTF-8 bytes: A-Z a-z 0-9 - . _ ~ as they are, all else %XX.
bool TakePercentEncoded(vb::StringView& url, vb::StringView value) {
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    for (unsigned char b : vb::ToUtf8(value)) {
        bool unreserved = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '-' ||
                          b == '.' || b == '_' || b == '~';
        vb::String expected = unreserved ? vb::String(1, char16_t(b)) : vb::String{u'%', kHex[b >> 4], kHex[b & 15]};
        if (!TakeLiteral(url, expected)) return false;
    }
    return true;
}

bool StartsWithWebScheme(vb::StringView url) {
    vb::String start = vb::AsciiLower(url.substr(0, 8));
    return start.starts_with(u"http://") || start.starts_with(u"https://");
}

struct Contact {
    std::map<int16_t, vb::String> fields;
    vb::String code, zoom, countrySetting;
};

// A parameter as the site gets it: the builder's own text, then a value.
struct Part {
    vb::String literal;
    vb::String value;
};

std::vector<Part> ExpectedParts(vb::StringView site, const Contact& c) {
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
        if ((c.code == u"US" || c.code == u"FR" || c.code == u"IT" || c.code == u"UK") && !postal.empty()) {
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

// A field as a placeholder takes it: its lines (at CR LF, CR or LF) without
// the blanks around them, the empty ones left out, joined by ", ".
vb::String Placed(vb::StringView field) {
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

std::optional<vb::String> PlaceholderValue(vb::StringView name, const Contact& c) {
    auto placed = [&c](int16_t id) { return Placed(c.fields.at(id)); };
    vb::String country = placed(map_url::kCountry);
    if (country.empty()) country = Placed(c.countrySetting);
    const vb::String lower = vb::AsciiLower(name);
    if (lower == u"street") return placed(map_url::kStreet);
    if (lower == u"city") return placed(map_url::kCity);
    if (lower == u"state") return placed(map_url::kState);
    if (lower == u"zip") return placed(map_url::kPostalCode);
    if (lower == u"country") return country;
    if (lower == u"zoom") return Placed(c.zoom);
    if (lower != u"address") return std::nullopt;
    vb::String address;
    for (const vb::String& part : {placed(map_url::kStreet), placed(map_url::kCity), placed(map_url::kState),
                                   placed(map_url::kPostalCode), country}) {
        if (!part.empty()) address += (address.empty() ? u"" : u", ") + part;
    }
    return address;
}

// A template filled in: its own text with quotes and control characters
// encoded; "{name}" of a placeholder (the name runs to the next '}') its
// value.
void CheckTemplate(vb::StringView base, vb::StringView url, const Contact& c) {
    for (size_t i = 0; i < base.size();) {
        size_t close = base[i] == u'{' ? base.find(u'}', i) : vb::StringView::npos;
        std::optional<vb::String> value;
        if (close != vb::StringView::npos) value = PlaceholderValue(base.substr(i + 1, close - i - 1), c);
        if (value) {
            FUZZ_CHECK(TakePercentEncoded(url, *value));
            i = close + 1;
        } else {
            FUZZ_CHECK(TakeEncoded(url, base.substr(i, 1), RawNowhere));
            ++i;
        }
    }
    FUZZ_CHECK(url.empty());
}

void CheckParameterSet(vb::StringView base, vb::StringView site, vb::StringView url, const Contact& c) {
    vb::StringView rest = url;
    FUZZ_CHECK(TakeEncoded(rest, base, RawNowhere));
    FUZZ_CHECK(url.find(u'#', url.size() - rest.size()) == vb::StringView::npos);
    for (const Part& part : ExpectedParts(site, c)) {
        FUZZ_CHECK(TakeLiteral(rest, part.literal));
        FUZZ_CHECK(TakeEncoded(rest, part.value, RawInNoValue));
    }
    FUZZ_CHECK(rest.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input input(data, size);
    const vb::String stored = fuzz::Text(input.Field());
    Contact c;
    for (int16_t id : {map_url::kStreet, map_url::kCity, map_url::kState, map_url::kPostalCode, map_url::kCountry})
        c.fields[id] = fuzz::Text(input.Field());
    c.code = fuzz::Text(input.Field());
    c.zoom = fuzz::Text(input.Field());
    c.countrySetting = fuzz::Text(input.Field());
    fuzz::Show shownStored("stored map URL", stored), shownStreet("street", c.fields[map_url::kStreet]),
        shownCity("city", c.fields[map_url::kCity]), shownState("state", c.fields[map_url::kState]),
        shownZip("zip", c.fields[map_url::kPostalCode]), shownCountry("country", c.fields[map_url::kCountry]),
        shownCode("country code", c.code), shownZoom("zoom", c.zoom), shownSetting("country setting", c.countrySetting);

    std::map<int16_t, int> asked;
    int codes = 0;
    map_url::Inputs in;
    in.base = map_url::BaseURL(stored);
    // The stored URL without the blanks around it, or the built-in page.
    const size_t first = stored.find_first_not_of(u" \t\r\n");
    const vb::StringView trimmed =
        first == vb::String::npos
            ? vb::StringView()
            : vb::StringView(stored).substr(first, stored.find_last_not_of(u" \t\r\n") + 1 - first);
    FUZZ_CHECK(in.base.ends_with(trimmed.empty() ? vb::StringView(map_url::kDefaultMapURL) : trimmed));
    in.site = map_url::DetectSite(in.base);
    in.zoom = [&c] { return c.zoom; };
    in.field = [&](int16_t id) {
        ++asked[id];
        return c.fields.at(id);
    };
    in.countryCode = [&](vb::StringView) {
        ++codes;
        return c.code;
    };
    in.fallbackCountry = [&c] { return c.countrySetting; };
    const vb::String url = map_url::Build(in);
    fuzz::Show shownURL("URL", url);

    for (char16_t unit : url) FUZZ_CHECK(!RawNowhere(unit));
    FUZZ_CHECK(StartsWithWebScheme(url));
    for (const auto& [id, times] : asked) FUZZ_CHECK(times <= 1);
    if (map_url::IsTemplate(in.base)) {
        FUZZ_CHECK(codes == 0);
        CheckTemplate(in.base, url, c);
    } else {
        FUZZ_CHECK(!in.site.empty() || (asked.empty() && codes == 0));
        CheckParameterSet(in.base, in.site, url, c);
    }
    return 0;
}
