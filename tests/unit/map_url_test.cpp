#include <gtest/gtest.h>

#include <map>

#include "main/MapURL.h"

namespace {

using map_url::Build;

struct Contact {
    std::map<int16_t, vb::String> fields;
    std::vector<int16_t> asked;
};

// Builds the URL for a stored map URL and zoom, the contact's fields and a
// countries table, recording which fields were read.
vb::String Url(vb::StringView mapURL, Contact& contact, std::map<vb::String, vb::String> codes = {},
               vb::String zoom = u"8") {
    map_url::Inputs in;
    in.base = map_url::BaseURL(mapURL);
    in.site = map_url::DetectSite(in.base);
    in.zoom = [zoom] { return zoom; };
    in.field = [&contact](int16_t id) {
        contact.asked.push_back(id);
        return contact.fields[id];
    };
    in.countryCode = [codes](vb::StringView name) {
        auto it = codes.find(vb::String(name));
        return it == codes.end() ? vb::String(u"US") : it->second;
    };
    return Build(in);
}

TEST(MapUrl, MapQuestWorkedExample) {
    Contact c{
        {{27, u"12 All\u00E9e des H\u00E9rons"}, {30, u"Montv\u00E9rac"}, {31, u""}, {32, u"99120"}, {33, u"France"}}};
    EXPECT_EQ(Url(u"", c, {{u"France", u"FR"}}),
              u"http://www.mapquest.com/maps/map.adp?size=big&address=12 Allee des Herons&city=Montverac"
              u"&state=&zip=99120&country=FR&zoom=8");
    EXPECT_EQ(c.asked, (std::vector<int16_t>{27, 30, 31, 32, 33}));
}

TEST(MapUrl, YahooWorkedExamples) {
    const vb::String site = u"http://maps.yahoo.example/py/maps.py?";
    Contact uk{{{27, u"3 Wheelwright Lane"}, {30, u"Lower Bramblecombe"}, {32, u"ZZ1 4QX"}, {33, u"United Kingdom"}}};
    EXPECT_EQ(Url(site, uk, {{u"United Kingdom", u"UK"}}),
              site + u"addr=3 Wheelwright Lane&country=UK&csz=ZZ1+4QX&newmag=8");
    Contact de{
        {{27, u"Hauptstra\u00DFe 1"}, {30, u"Fabelstadt"}, {31, u"Bayern"}, {32, u"99999"}, {33, u"Deutschland"}}};
    EXPECT_EQ(Url(site, de, {{u"Deutschland", u"DE"}}),
              site + u"addr=Hauptstra\u00DFe 1&country=DE&csz=Fabelstadt,Bayern&newmag=8");
}

TEST(MapUrl, YahooFallsBackToCityAndStateWithoutAPostalCodeOrForOtherCodes) {
    const vb::String site = u"http://yahoo.example/?";
    Contact noZip{{{30, u"Li\u00E8ge"}, {33, u"x"}}};
    EXPECT_EQ(Url(site, noZip, {{u"x", u"FR"}}), site + u"addr=&country=FR&csz=Liege&newmag=8");
    Contact lower{{{30, u"Austin"}, {31, u"TX"}, {32, u"78701"}, {33, u"x"}}};
    EXPECT_EQ(Url(site, lower, {{u"x", u"us"}}), site + u"addr=&country=us&csz=Austin,TX&newmag=8");
    // The street of this set keeps its accents; the postal code is folded.
    Contact fr{{{27, u"Caf\u00E9"}, {32, u"75 \u00C9"}, {33, u"x"}}};
    EXPECT_EQ(Url(site, fr, {{u"x", u"FR"}}), site + u"addr=Caf\u00E9&country=FR&csz=75+e&newmag=8");
}

TEST(MapUrl, PrefixRules) {
    EXPECT_EQ(map_url::BaseURL(u"HTTP://Example.com/map?"), u"HTTP://Example.com/map?");
    EXPECT_EQ(map_url::BaseURL(u"https://example.com/map?"), u"https://example.com/map?");
    EXPECT_EQ(map_url::BaseURL(u"HTTPS://example.com/"), u"HTTPS://example.com/");
    EXPECT_EQ(map_url::BaseURL(u"example.com/map?"), u"http://example.com/map?");
    EXPECT_EQ(map_url::BaseURL(u"  \thttp://example.com/ \t"), u"http://example.com/");
    EXPECT_EQ(map_url::BaseURL(u"ftp://example.com/"), u"http://ftp://example.com/");
    EXPECT_EQ(map_url::BaseURL(u""), map_url::kDefaultMapURL);
    EXPECT_EQ(map_url::BaseURL(u"   "), map_url::kDefaultMapURL);
}

TEST(MapUrl, SiteDetectionIgnoresCaseAndYahooWins) {
    EXPECT_EQ(map_url::DetectSite(u"http://www.MapQuest.com/x?"), u"mapquest");
    EXPECT_EQ(map_url::DetectSite(u"http://mapquest.yahoo.example/"), u"yahoo");
    EXPECT_EQ(map_url::DetectSite(u"http://maps.example.org/"), u"");
}

TEST(MapUrl, AnUnknownSiteIsOpenedUnchangedWithoutReadingTheContact) {
    Contact c{{{27, u"x"}}};
    EXPECT_EQ(Url(u"maps.example.org/search", c), u"http://maps.example.org/search");
    EXPECT_TRUE(c.asked.empty());
}

TEST(MapUrl, ParametersAreGluedOntoAUserURLAsItEnds) {
    Contact c;
    EXPECT_EQ(Url(u"http://www.mapquest.com/map", c).substr(0, 45), u"http://www.mapquest.com/mapsize=big&address=&");
}

TEST(MapUrl, ValuesThatWouldCutOrChangeTheQueryAreEncodedOthersStay) {
    Contact c{{{27, u"Apt %23 \"B\" #4"}, {30, u"A&B=C?D, E"}, {31, u"line\r\nbreak\t\x7F"}, {32, u"%USERNAME%"}}};
    vb::String url = Url(u"", c);
    EXPECT_NE(url.find(u"address=Apt %2523 %22B%22 %234&"), vb::String::npos) << vb::ToUtf8(url);
    EXPECT_NE(url.find(u"city=A&B=C?D, E&"), vb::String::npos);
    EXPECT_NE(url.find(u"state=line%0D%0Abreak%09%7F&"), vb::String::npos);
    EXPECT_NE(url.find(u"zip=%25USERNAME%25&"), vb::String::npos);
}

TEST(MapUrl, QuotesAndControlCharactersInTheStoredURLAreEncodedToo) {
    Contact c;
    EXPECT_EQ(Url(u"http://maps.example.org/\"x\"\n", c), u"http://maps.example.org/%22x%22");
    EXPECT_EQ(Url(u"http://maps.example.org/a\tb#c", c), u"http://maps.example.org/a%09b#c");
}

TEST(MapUrl, ZoomIsAppendedAsReadButEncodedLikeAValue) {
    Contact c;
    EXPECT_EQ(Url(u"", c, {}, u"10").substr(Url(u"", c, {}, u"10").size() - 8), u"&zoom=10");
    vb::String odd = Url(u"", c, {}, u"5#x");
    EXPECT_EQ(odd.substr(odd.size() - 11), u"&zoom=5%23x");
}

TEST(MapUrl, LongAndNonBmpValuesGoThroughWhole) {
    Contact c{{{27, vb::String(10000, u'x') + u"\U0001F5FA"}, {30, u"\u5317\u4EAC"}}};
    vb::String url = Url(u"", c);
    EXPECT_NE(url.find(vb::String(10000, u'x') + u"\U0001F5FA&"), vb::String::npos);
    EXPECT_NE(url.find(u"city=\u5317\u4EAC&"), vb::String::npos);
}

}  // namespace
