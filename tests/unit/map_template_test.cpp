#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "main/MapTemplate.h"
#include "main/MapURL.h"
#include "tests/unit/source_files.h"

namespace {

struct Contact {
    std::map<int16_t, vb::String> fields;
    vb::String countrySetting;
    vb::String zoom = u"8";
    std::optional<vb::String> start;  // the stored start address; nullopt: never asked
    std::vector<int16_t> asked;
    int startReads = 0;
    int countryCodeLookups = 0;
    int fallbackReads = 0;
};

// The URL for a stored map URL and a contact, as a press builds it.
vb::String Url(vb::StringView mapURL, Contact& c) {
    map_url::Inputs in;
    in.base = map_url::BaseURL(mapURL);
    in.site = map_url::DetectSite(in.base);
    in.zoom = [&c] { return c.zoom; };
    in.field = [&c](int16_t id) {
        c.asked.push_back(id);
        return c.fields[id];
    };
    in.countryCode = [&c](vb::StringView) {
        ++c.countryCodeLookups;
        return vb::String(u"XX");
    };
    in.fallbackCountry = [&c] {
        ++c.fallbackReads;
        return c.countrySetting;
    };
    if (c.start) {
        in.startAddress = [&c] {
            ++c.startReads;
            return *c.start;
        };
    }
    return map_url::Build(in);
}

Contact Sample() {
    return {
        {{27, u"12 All\u00E9e des H\u00E9rons"}, {30, u"Montv\u00E9rac"}, {31, u""}, {32, u"99120"}, {33, u"France"}}};
}

TEST(MapTemplate, EachPlaceholderTakesItsFieldEncodedAsUtf8) {
    Contact c = Sample();
    c.fields[31] = u"\u00CEle-de-France";
    EXPECT_EQ(Url(u"https://m.example/?s={street}&c={city}&st={state}&z={zip}&co={country}&zo={zoom}", c),
              u"https://m.example/?s=12%20All%C3%A9e%20des%20H%C3%A9rons&c=Montv%C3%A9rac"
              u"&st=%C3%8Ele-de-France&z=99120&co=France&zo=8");
    // A template gets no parameter set and looks up no country code.
    EXPECT_EQ(c.countryCodeLookups, 0);
}

TEST(MapTemplate, AddressJoinsTheNonEmptyPartsInOrder) {
    Contact c = Sample();
    EXPECT_EQ(Url(u"https://www.openstreetmap.org/search?query={address}", c),
              u"https://www.openstreetmap.org/search?query="
              u"12%20All%C3%A9e%20des%20H%C3%A9rons%2C%20Montv%C3%A9rac%2C%2099120%2C%20France");
    Contact onlyCity{{{30, u"Li\u00E8ge"}}};
    EXPECT_EQ(Url(u"https://m.example/?q={address}", onlyCity), u"https://m.example/?q=Li%C3%A8ge");
    Contact none;
    EXPECT_EQ(Url(u"https://m.example/?q={address}&z={zoom}", none), u"https://m.example/?q=&z=8");
}

TEST(MapTemplate, NamesIgnoreCaseRepeatEverywhereAndEachFieldIsReadOnce) {
    Contact c = Sample();
    EXPECT_EQ(Url(u"https://m.example/{City}/{CITY}/{city}?a={Address}", c),
              u"https://m.example/Montv%C3%A9rac/Montv%C3%A9rac/Montv%C3%A9rac?a="
              u"12%20All%C3%A9e%20des%20H%C3%A9rons%2C%20Montv%C3%A9rac%2C%2099120%2C%20France");
    EXPECT_EQ(c.asked, (std::vector<int16_t>{30, 27, 31, 32, 33}));
    Contact zipOnly = Sample();
    Url(u"https://m.example/?z={ZIP}", zipOnly);
    EXPECT_EQ(zipOnly.asked, (std::vector<int16_t>{32}));
}

TEST(MapTemplate, UnknownNamesAndLoneBracesStayAsWritten) {
    Contact c = Sample();
    EXPECT_EQ(Url(u"https://m.example/{x}/{ city}/{{zip}}/{zip/{}?q={street", c),
              u"https://m.example/{x}/{ city}/{99120}/{zip/{}?q={street");
}

TEST(MapTemplate, AURLWithoutAPlaceholderIsNoTemplate) {
    EXPECT_FALSE(map_url::IsTemplate(u"https://m.example/{x}?q={ address }"));
    EXPECT_TRUE(map_url::IsTemplate(u"https://m.example/?q={ZoOm}"));
    // The legacy page with a brace text keeps its parameter set.
    Contact c = Sample();
    vb::String url = Url(u"http://www.mapquest.com/maps/map.adp?{x}", c);
    EXPECT_EQ(url.substr(0, 60), u"http://www.mapquest.com/maps/map.adp?{x}size=big&address=12 ");
    EXPECT_EQ(c.countryCodeLookups, 1);
}

TEST(MapTemplate, ATemplateNamingALegacySiteGetsNoParameterSet) {
    Contact c = Sample();
    EXPECT_EQ(Url(u"http://www.mapquest.com/maps/map.adp?address={street}", c),
              u"http://www.mapquest.com/maps/map.adp?address=12%20All%C3%A9e%20des%20H%C3%A9rons");
    EXPECT_EQ(Url(u"maps.yahoo.example/?q={zip}", c), u"http://maps.yahoo.example/?q=99120");
    EXPECT_EQ(c.countryCodeLookups, 0);
}

TEST(MapTemplate, TheCountrySettingStandsInForAnEmptyCountryField) {
    Contact c = Sample();
    c.fields[33] = u"";
    c.countrySetting = u"Belgique";
    EXPECT_EQ(Url(u"https://m.example/?c={country}&a={address}", c),
              u"https://m.example/?c=Belgique&a=12%20All%C3%A9e%20des%20H%C3%A9rons%2C%20Montv%C3%A9rac%2C%2099120"
              u"%2C%20Belgique");
    EXPECT_EQ(c.fallbackReads, 1);
    // A blank country field is empty too; a filled one never reads the setting.
    Contact blank = Sample();
    blank.fields[33] = u" \t ";
    blank.countrySetting = u" Canada ";
    EXPECT_EQ(Url(u"https://m.example/?c={country}", blank), u"https://m.example/?c=Canada");
    Contact filled = Sample();
    EXPECT_EQ(Url(u"https://m.example/?c={country}", filled), u"https://m.example/?c=France");
    EXPECT_EQ(filled.fallbackReads, 0);
    Contact neither;
    EXPECT_EQ(Url(u"https://m.example/?c={country}", neither), u"https://m.example/?c=");
}

TEST(MapTemplate, FromIsTheStartAddressTrimmedWithItsLinesJoined) {
    Contact c = Sample();
    c.start = u"  1 Office Park\r\n\r\nSpringfield & Co \n";
    EXPECT_EQ(Url(u"https://www.google.com/maps/dir/?api=1&origin={FROM}&destination={address}", c),
              u"https://www.google.com/maps/dir/?api=1&origin=1%20Office%20Park%2C%20Springfield%20%26%20Co"
              u"&destination=12%20All%C3%A9e%20des%20H%C3%A9rons%2C%20Montv%C3%A9rac%2C%2099120%2C%20France");
    EXPECT_EQ(Url(u"https://maps.apple.com/?saddr={from}&daddr={from}", c),
              u"https://maps.apple.com/?saddr=1%20Office%20Park%2C%20Springfield%20%26%20Co"
              u"&daddr=1%20Office%20Park%2C%20Springfield%20%26%20Co");
    EXPECT_EQ(c.startReads, 2);  // once a press
    // A template without {from} never reads it.
    Contact other = Sample();
    other.start = u"Home";
    Url(u"https://m.example/?q={address}", other);
    EXPECT_EQ(other.startReads, 0);
    EXPECT_TRUE(map_url::NamesStartAddress(u"https://m.example/?s={From}"));
    EXPECT_FALSE(map_url::NamesStartAddress(u"https://m.example/?s={address}&f={ from}"));
    EXPECT_TRUE(map_url::IsTemplate(u"https://m.example/?s={from}"));
}

TEST(MapTemplate, TheAddressTextIsEmptyOnlyForAContactWithoutAnAddress) {
    auto address = [](Contact& c) {
        return map_url::AddressText(
            {.field = [&c](int16_t id) { return c.fields[id]; }, .fallbackCountry = [&c] { return c.countrySetting; }});
    };
    Contact sample = Sample();
    EXPECT_EQ(address(sample), u"12 All\u00E9e des H\u00E9rons, Montv\u00E9rac, 99120, France");
    Contact blank{{{27, u" \r\n"}, {30, u"\t"}, {31, u""}, {32, u"\u00A0"}, {33, u""}}};
    EXPECT_EQ(address(blank), u"");
    blank.countrySetting = u"Belgique";
    EXPECT_EQ(address(blank), u"Belgique");
}

TEST(MapTemplate, LineBreaksBecomeCommasAndBlanksAroundGo) {
    Contact c{{{27, u"  Building 4\r\nFloor 2 \n\n\r  12 High St\r"}, {30, u"\t Springfield "}}};
    EXPECT_EQ(Url(u"https://m.example/?q={address}", c),
              u"https://m.example/?q=Building%204%2C%20Floor%202%2C%2012%20High%20St%2C%20Springfield");
    EXPECT_EQ(map_url::PlaceText(u"a\r\n\r\nb"), u"a, b");
    EXPECT_EQ(map_url::PlaceText(u"\r\n \n"), u"");
}

TEST(MapTemplate, HostileContactTextCannotChangeTheQuery) {
    Contact c{{{27, u"Apt %23 \"B\" #4 & more=1?x"},
               {30, u"%USERNAME%"},
               {31, vb::String(u"nul\0here", 8)},
               {32, u"\U0001F5FA"},
               {33, vb::String(1, char16_t(0xD800)) + u"x" + vb::String(1, char16_t(0xDFFF))}}};
    EXPECT_EQ(Url(u"https://m.example/?s={street}&c={city}&st={state}&z={zip}&co={country}", c),
              u"https://m.example/?s=Apt%20%2523%20%22B%22%20%234%20%26%20more%3D1%3Fx&c=%25USERNAME%25"
              u"&st=nul%00here&z=%F0%9F%97%BA&co=%EF%BF%BDx%EF%BF%BD");
    c.zoom = u" 5#x ";
    EXPECT_EQ(Url(u"https://m.example/?z={zoom}", c), u"https://m.example/?z=5%23x");
}

TEST(MapTemplate, TheTemplatesOwnTextIsKeptButForQuotesAndControlCharacters) {
    Contact c = Sample();
    EXPECT_EQ(Url(u"  maps.example.org/a b/\u00FC?x=\"{zip}\"#top\t ", c),
              u"http://maps.example.org/a b/\u00FC?x=%2299120%22#top");
    EXPECT_EQ(Url(u"HTTPS://m.example/{zip}", c), u"HTTPS://m.example/99120");
}

TEST(MapTemplate, TheInstructionsExampleHolds) {
    Contact c{{{27, u"12 Main Street"}, {30, u"Springfield"}, {31, u"IL"}, {32, u"62701"}, {33, u"United States"}}};
    vb::String url = Url(u"https://www.openstreetmap.org/search?query={address}", c);
    EXPECT_EQ(url,
              u"https://www.openstreetmap.org/search?query="
              u"12%20Main%20Street%2C%20Springfield%2C%20IL%2C%2062701%2C%20United%20States");
    // The document shows it broken over two lines.
    std::optional<std::string> doc = source_files::Read("data/instructions.txt");
    ASSERT_TRUE(doc.has_value());
    std::string shown = vb::ToUtf8(url);
    size_t cut = shown.find("Springfield");
    EXPECT_NE(doc->find("    " + shown.substr(0, cut) + "\r\n    " + shown.substr(cut) + "\r\n"), std::string::npos);
}

TEST(MapTemplate, LongValuesGoThroughWhole) {
    Contact c{{{27, vb::String(100000, u'\u00E9')}}};
    const vb::String page = u"https://m.example/?q=";
    vb::String url = Url(page + u"{street}", c);
    ASSERT_EQ(url.size(), page.size() + 6 * 100000u);
    for (size_t i = page.size(); i < url.size(); i += 6) ASSERT_EQ(url.substr(i, 6), u"%C3%A9") << i;
}

}  // namespace
