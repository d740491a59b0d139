// The map URL from any stored URL, contact, country code, zoom, country
// setting and start address. The URL stays one argument of the browser's
// command line (no raw quote or control character) and a web address; the
// stored URL is its start; with a parameter set, nothing after the base
// holds a raw '#', and each parameter follows in the site's order, its
// value decoding back whole; a template keeps its own text and gets each
// placeholder's value whole, UTF-8 percent-encoded. Each contact field is
// asked for at most once (the start address too, and only by a template),
// a template never looks up a country code, and a page of no known site
// asks for nothing.
//
// Input: stored URL \ street \ city \ state \ zip \ country \ country
// code \ zoom \ country setting \ start address, each read by fuzz::Text.
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "main/MapTemplate.h"
#include "main/MapURL.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/unit/map_url_checks.h"

namespace {

using namespace map_url_checks;

std::optional<vb::String> PlaceholderValue(vb::StringView name, const Contact& c, vb::StringView countrySetting,
                                           vb::StringView start) {
    auto placed = [&c](int16_t id) { return Placed(c.fields.at(id)); };
    vb::String country = placed(map_url::kCountry);
    if (country.empty()) country = Placed(countrySetting);
    const vb::String lower = vb::AsciiLower(name);
    if (lower == u"street") return placed(map_url::kStreet);
    if (lower == u"city") return placed(map_url::kCity);
    if (lower == u"state") return placed(map_url::kState);
    if (lower == u"zip") return placed(map_url::kPostalCode);
    if (lower == u"country") return country;
    if (lower == u"zoom") return Placed(c.zoom);
    if (lower == u"from") return Placed(start);
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
void CheckTemplate(vb::StringView base, vb::StringView url, const Contact& c, vb::StringView countrySetting,
                   vb::StringView start) {
    for (size_t i = 0; i < base.size();) {
        size_t close = base[i] == u'{' ? base.find(u'}', i) : vb::StringView::npos;
        std::optional<vb::String> value;
        if (close != vb::StringView::npos)
            value = PlaceholderValue(base.substr(i + 1, close - i - 1), c, countrySetting, start);
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
    const vb::String countrySetting = fuzz::Text(input.Field());
    const vb::String start = fuzz::Text(input.Field());
    fuzz::Show shownStored("stored map URL", stored), shownStreet("street", c.fields[map_url::kStreet]),
        shownCity("city", c.fields[map_url::kCity]), shownState("state", c.fields[map_url::kState]),
        shownZip("zip", c.fields[map_url::kPostalCode]), shownCountry("country", c.fields[map_url::kCountry]),
        shownCode("country code", c.code), shownZoom("zoom", c.zoom), shownSetting("country setting", countrySetting),
        shownStart("start address", start);

    std::map<int16_t, int> asked;
    int codes = 0, starts = 0;
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
    in.fallbackCountry = [&countrySetting] { return countrySetting; };
    in.startAddress = [&] {
        ++starts;
        return start;
    };
    const vb::String url = map_url::Build(in);
    fuzz::Show shownURL("URL", url);

    for (char16_t unit : url) FUZZ_CHECK(!RawNowhere(unit));
    FUZZ_CHECK(StartsWithWebScheme(url));
    for (const auto& [id, times] : asked) FUZZ_CHECK(times <= 1);
    FUZZ_CHECK(starts <= 1);
    if (map_url::IsTemplate(in.base)) {
        FUZZ_CHECK(codes == 0);
        CheckTemplate(in.base, url, c, countrySetting, start);
    } else {
        FUZZ_CHECK(starts == 0);
        FUZZ_CHECK(!in.site.empty() || (asked.empty() && codes == 0));
        CheckParameterSet(in.base, in.site, url, c);
    }
    return 0;
}
