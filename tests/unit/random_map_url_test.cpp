// Map request URLs from arbitrary contacts, stored map URLs and zooms:
// whatever a contact holds, the URL stays one URL for the shell's command
// line, and every value reaches the site whole, in its place.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "main/MapTemplate.h"
#include "main/MapURL.h"
#include "main/RemoveAccents.h"
#include "tests/unit/map_url_checks.h"
#include "tests/unit/random_fields.h"
#include "tests/unit/random_input.h"

namespace {

using namespace map_url_checks;
using random_input::Describe;

constexpr int kRounds = 2000;

// A stored map URL: blank, anything at all, or naming a site somewhere,
// with or without a scheme and blanks around it.
vb::String StoredURL(random_input::Source& random) {
    switch (random.Below(5)) {
    case 0:
        return random.Pick<vb::String>({u"", u"  ", u"\t\r\n"});
    case 1:
        return random.Text();
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
        if (map_url::IsTemplate(in.base)) return;  // drawn by the templates' own test
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
            ASSERT_TRUE(TakeLiteral(rest, part.literal))
                << "missing " << Describe(part.literal) << " at " << Describe(rest);
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

namespace {

using random_fields::DrawnField;
using random_fields::RandomField;

struct DrawnTemplate {
    vb::String url;
    // The template's own text and the placeholders' expected values, in order.
    std::vector<Part> parts;
};

// Literal text around the placeholders: anything but a placeholder, often
// with braces of its own.
vb::String RandomLiteral(random_input::Source& random) {
    for (;;) {
        vb::String text = random.OneIn(3)
                              ? random.Pick<vb::String>({u"{", u"}", u"{x}", u"{ city}", u"{{", u"?q=", u"&"})
                              : random.Text(60);
        if (!map_url::IsTemplate(text)) return text;
    }
}

std::string Describe(const std::map<int16_t, DrawnField>& fields) {
    std::string out;
    for (auto& [id, f] : fields) out += "field " + std::to_string(id) + " " + random_input::Describe(f.raw) + "\n";
    return out;
}

TEST(RandomMapUrl, TemplatesGiveEachValueTrimmedWholeAndPercentEncodedInItsPlace) {
    random_input::Source random("RandomMapUrl.Templates");
    const std::vector<vb::String> names = {u"street",  u"city",    u"state", u"zip",
                                           u"country", u"address", u"zoom",  u"from"};
    random.Rounds(kRounds, [&](int) {
        std::map<int16_t, DrawnField> fields;
        for (int16_t id : {map_url::kStreet, map_url::kCity, map_url::kState, map_url::kPostalCode, map_url::kCountry})
            fields[id] = RandomField(random);
        const DrawnField fallback = RandomField(random), zoom = RandomField(random), start = RandomField(random);
        SCOPED_TRACE(Describe(fields) + "country setting " + random_input::Describe(fallback.raw) + "\nzoom " +
                     random_input::Describe(zoom.raw) + "\nstart address " + random_input::Describe(start.raw));

        auto expected = [&](const vb::String& name) -> vb::String {
            auto country = [&] {
                const vb::String& c = fields[map_url::kCountry].expected;
                return c.empty() ? fallback.expected : c;
            };
            if (name == u"street") return fields[map_url::kStreet].expected;
            if (name == u"city") return fields[map_url::kCity].expected;
            if (name == u"state") return fields[map_url::kState].expected;
            if (name == u"zip") return fields[map_url::kPostalCode].expected;
            if (name == u"country") return country();
            if (name == u"zoom") return zoom.expected;
            if (name == u"from") return start.expected;
            vb::String joined;
            for (const vb::String& part :
                 {fields[map_url::kStreet].expected, fields[map_url::kCity].expected, fields[map_url::kState].expected,
                  fields[map_url::kPostalCode].expected, country()}) {
                if (part.empty()) continue;
                if (!joined.empty()) joined += u", ";
                joined += part;
            }
            return joined;
        };

        DrawnTemplate t{u"https://maps.example/"};
        t.parts.push_back({t.url, {}});
        for (size_t i = 0, n = 1 + random.Below(5); i < n; ++i) {
            vb::String name = random.Pick(names);
            for (char16_t& c : name)
                if (random.OneIn(3)) c = static_cast<char16_t>(c - u'a' + u'A');
            vb::String literal = RandomLiteral(random);
            t.url += u"{" + name + u"}" + literal;
            vb::String lower = name;
            for (char16_t& c : lower)
                if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 0x20);
            t.parts.push_back({literal, expected(lower)});
        }
        SCOPED_TRACE("template " + random_input::Describe(t.url));

        map_url::Inputs in;
        in.base = t.url;
        in.site = map_url::DetectSite(in.base);
        in.zoom = [&] { return zoom.raw; };
        in.field = [&](int16_t id) { return fields.at(id).raw; };
        in.countryCode = [](vb::StringView) -> vb::String {
            ADD_FAILURE() << "a template looked up a country code";
            return u"US";
        };
        in.fallbackCountry = [&] { return fallback.raw; };
        in.startAddress = [&] { return start.raw; };
        vb::String url;
        ASSERT_NO_THROW(url = map_url::Build(in));
        SCOPED_TRACE("URL " + random_input::Describe(url));

        vb::StringView rest = url;
        ASSERT_TRUE(TakeLiteral(rest, t.parts.front().literal));
        for (size_t i = 1; i < t.parts.size(); ++i) {
            ASSERT_TRUE(TakePercentEncoded(rest, t.parts[i].value))
                << "placeholder " << i << ": " << random_input::Describe(t.parts[i].value) << " is not whole at "
                << random_input::Describe(rest);
            ASSERT_TRUE(TakeEncoded(rest, t.parts[i].literal, RawNowhere))
                << "the template's text " << random_input::Describe(t.parts[i].literal) << " is not kept at "
                << random_input::Describe(rest);
        }
        EXPECT_TRUE(rest.empty()) << "left over: " << random_input::Describe(rest);
    });
}

}  // namespace
