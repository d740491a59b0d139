// Map request URLs from arbitrary contacts, stored map URLs and zooms:
// whatever a contact holds, the URL stays one URL for the shell's command
// line, and every value reaches the site whole, in its place.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "main/MapURL.h"
#include "main/RemoveAccents.h"
#include "tests/unit/random_input.h"

namespace {

using random_input::Describe;

constexpr int kRounds = 2000;

bool IsControl(char16_t c) { return c < 0x20 || c == 0x7F; }

// Must never stand raw anywhere: it would end the browser command line's
// quotes or split it.
bool RawNowhere(char16_t c) { return c == u'"' || IsControl(c); }

// Must never stand raw in a value: it would also cut the query short ('#')
// or turn into another character at the site ('%').
bool RawInNoValue(char16_t c) { return RawNowhere(c) || c == u'#' || c == u'%'; }

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
}

// Takes `text` off the front of `url`, each unit raw (unless forbidden) or
// as %HH. False when the URL does not hold the text there.
bool TakeEncoded(vb::StringView& url, vb::StringView text, bool (*rawForbidden)(char16_t)) {
    for (char16_t c : text) {
        if (!rawForbidden(c) && !url.empty() && url[0] == c) {
            url.remove_prefix(1);
        } else if (url.size() >= 3 && url[0] == u'%' && HexDigit(url[1]) >= 0 && HexDigit(url[2]) >= 0 &&
                   HexDigit(url[1]) * 16 + HexDigit(url[2]) == c) {
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

bool StartsWithWebScheme(vb::StringView url) {
    vb::String start(url.substr(0, 8));
    for (char16_t& c : start)
        if (c >= u'A' && c <= u'Z') c += 0x20;
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
std::vector<Part> ExpectedParts(const vb::String& site, const Contact& c) {
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
        bool byPostalCode = (c.code == u"US" || c.code == u"FR" || c.code == u"IT" || c.code == u"UK") && !postal.empty();
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

// A stored map URL: blank, anything at all, or naming a site somewhere,
// with or without a scheme and blanks around it.
vb::String StoredURL(random_input::Source& random) {
    switch (random.Below(5)) {
        case 0: return random.Pick<vb::String>({u"", u"  ", u"\t\r\n"});
        case 1: return random.Text();
        default: {
            vb::String url = random.Pick<vb::String>({u"", u"http://", u"HTTPS://", u"hTtP://", u"ftp://"});
            url += random.Text(200);
            url += random.Pick<vb::String>({u"mapquest", u"MapQuest", u"yahoo", u"YAHOO", u"maps"});
            url += random.Text(200);
            if (random.OneIn(3)) url = u" \t" + url + u"\r\n ";
            return url;
        }
    }
}

Contact RandomContact(random_input::Source& random) {
    Contact c;
    for (int16_t id : {map_url::kStreet, map_url::kCity, map_url::kState, map_url::kPostalCode, map_url::kCountry})
        c.fields[id] = random.Text();
    c.code = random.OneIn(3) ? random.Text(20) : random.Pick<vb::String>({u"US", u"FR", u"IT", u"UK", u"us", u"DE"});
    c.zoom = random.OneIn(2) ? random.Text(50) : random.Pick<vb::String>({u"1", u"8", u"10", u""});
    return c;
}

std::string DescribeInputs(const vb::String& stored, const Contact& c) {
    std::string out = "stored map URL " + Describe(stored) + "\n";
    for (auto& [id, value] : c.fields) out += "field " + std::to_string(id) + " " + Describe(value) + "\n";
    return out + "country code " + Describe(c.code) + "\nzoom " + Describe(c.zoom);
}

TEST(RandomMapUrl, EveryValueArrivesWholeInItsPlaceAndTheURLStaysOneCommandLineArgument) {
    random_input::Source random("RandomMapUrl.Whole");
    std::map<vb::String, int> sites;
    random.Rounds(kRounds, [&](int) {
        const vb::String stored = StoredURL(random);
        const Contact contact = RandomContact(random);
        SCOPED_TRACE(DescribeInputs(stored, contact));

        map_url::Inputs in;
        ASSERT_NO_THROW(in.base = map_url::BaseURL(stored));
        in.site = map_url::DetectSite(in.base);
        in.zoom = [&contact] { return contact.zoom; };
        in.field = [&contact](int16_t id) { return contact.fields.at(id); };
        in.countryCode = [&contact](vb::StringView) { return contact.code; };
        vb::String url;
        ASSERT_NO_THROW(url = map_url::Build(in));
        SCOPED_TRACE("URL " + Describe(url));

        for (char16_t c : url) ASSERT_FALSE(RawNowhere(c)) << "raw unit " << int(c) << " in the URL";
        EXPECT_TRUE(StartsWithWebScheme(url)) << "no web address: the shell would take it for a program";

        // The base as stored, quotes and control characters encoded.
        vb::StringView rest = url;
        ASSERT_TRUE(TakeEncoded(rest, in.base, RawNowhere)) << "the stored map URL is not the URL's start";
        const size_t baseEnd = url.size() - rest.size();
        EXPECT_EQ(url.find(u'#', baseEnd), vb::String::npos) << "a '#' after the base cuts the query";

        for (const Part& part : ExpectedParts(in.site, contact)) {
            ASSERT_TRUE(TakeLiteral(rest, part.literal)) << "missing " << Describe(part.literal) << " at "
                                                         << Describe(rest);
            ASSERT_TRUE(TakeEncoded(rest, part.value, RawInNoValue))
                << "after " << Describe(part.literal) << ": " << Describe(part.value) << " is not whole at "
                << Describe(rest);
        }
        EXPECT_TRUE(rest.empty()) << "left over: " << Describe(rest);
        ++sites[in.site];
    });
    // The draws must reach both parameter sets often, or the test proves little.
    EXPECT_GT(sites[map_url::kMapQuest], kRounds / 5);
    EXPECT_GT(sites[map_url::kYahoo], kRounds / 5);
}

}  // namespace
