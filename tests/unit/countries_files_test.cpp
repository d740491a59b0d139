// The countries files shipped beside the program, as checked in: their shape
// as the profile reader sees it, and the names users rely on.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "tests/unit/source_files.h"

namespace {

struct Entry {
    std::string name;  // Windows-1252 bytes
    std::string code;
    int line;
};

struct CountriesFile {
    std::string bytes;
    std::vector<std::string> lines;  // without their CRLF
    std::vector<Entry> entries;      // the lines after [Countries]
    bool opened = false;
};

CountriesFile Load(const std::string& site) {
    CountriesFile f;
    std::optional<std::string> bytes = source_files::Read("data/Countries_" + site + ".txt");
    f.opened = bytes.has_value();
    f.bytes = bytes.value_or("");
    std::size_t at = 0;
    while (at < f.bytes.size()) {
        std::size_t end = f.bytes.find("\r\n", at);
        if (end == std::string::npos) end = f.bytes.size();
        f.lines.push_back(f.bytes.substr(at, end - at));
        at = end + 2;
    }
    bool inSection = false;
    for (std::size_t i = 0; i < f.lines.size(); ++i) {
        const std::string& line = f.lines[i];
        if (line == "[Countries]") {
            inSection = true;
            continue;
        }
        if (!inSection) continue;
        std::size_t eq = line.find('=');
        f.entries.push_back({line.substr(0, eq), eq == std::string::npos ? std::string() : line.substr(eq + 1),
                             static_cast<int>(i + 1)});
    }
    return f;
}

// Upper case as the reader compares names: ASCII and the Windows-1252 letters.
std::string Upper(const std::string& s) {
    std::string out = s;
    for (char& ch : out) {
        auto c = static_cast<unsigned char>(ch);
        if (c >= 'a' && c <= 'z') c -= 0x20;
        else if (c >= 0xE0 && c <= 0xFE && c != 0xF7) c -= 0x20;
        else if (c == 0x9A || c == 0x9C || c == 0x9E) c -= 0x10;
        else if (c == 0xFF) c = 0x9F;
        ch = static_cast<char>(c);
    }
    return out;
}

// The code a lookup finds: names ignore case, the first match wins.
std::string Lookup(const CountriesFile& f, const std::string& name) {
    for (const Entry& e : f.entries)
        if (Upper(e.name) == Upper(name)) return e.code;
    return "(none)";
}

const CountriesFile& Mapquest() {
    static const CountriesFile f = Load("mapquest");
    return f;
}
const CountriesFile& Yahoo() {
    static const CountriesFile f = Load("yahoo");
    return f;
}

class CountriesFileShape : public testing::TestWithParam<const CountriesFile* (*)()> {
protected:
    const CountriesFile& File() const { return *GetParam()(); }
};

TEST_P(CountriesFileShape, IsWindowsTextWithCommentsThenOneSection) {
    const CountriesFile& f = File();
    ASSERT_TRUE(f.opened);
    ASSERT_GE(f.lines.size(), 3u);
    EXPECT_EQ(f.bytes.substr(f.bytes.size() - 2), "\r\n");
    EXPECT_EQ(f.bytes.find("\xEF\xBB\xBF"), std::string::npos) << "a byte-order mark makes the first line unreadable";
    for (std::size_t i = 0; i < f.bytes.size(); ++i) {
        if (f.bytes[i] == '\r') {
            ASSERT_EQ(f.bytes[i + 1], '\n') << "bare CR at byte " << i;
        }
        if (f.bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && f.bytes[i - 1] == '\r') << "bare LF at byte " << i;
        }
    }

    std::size_t i = 0;
    while (i < f.lines.size() && !f.lines[i].empty() && f.lines[i][0] == ';') ++i;
    EXPECT_GE(i, 1u) << "the file opens with comment lines";
    ASSERT_LT(i, f.lines.size());
    EXPECT_EQ(f.lines[i], "[Countries]");
    EXPECT_EQ(f.entries.size(), f.lines.size() - i - 1);
    EXPECT_GT(f.entries.size(), 249u) << "every ISO country and more";
}

TEST_P(CountriesFileShape, EveryLineIsNameEqualsTwoLetterCode) {
    for (const Entry& e : File().entries) {
        SCOPED_TRACE("line " + std::to_string(e.line) + ": " + e.name);
        ASSERT_FALSE(e.name.empty());
        EXPECT_NE(e.name.front(), ' ');
        EXPECT_NE(e.name.back(), ' ');
        EXPECT_NE(e.name.front(), '[');
        EXPECT_NE(e.name.front(), ';');
        ASSERT_EQ(e.code.size(), 2u);
        EXPECT_TRUE(e.code[0] >= 'A' && e.code[0] <= 'Z' && e.code[1] >= 'A' && e.code[1] <= 'Z');
        for (char ch : e.name) EXPECT_GE(static_cast<unsigned char>(ch), 0x20);
    }
}

TEST_P(CountriesFileShape, NamesAreUniqueWhateverTheirCase) {
    std::map<std::string, int> seen;
    for (const Entry& e : File().entries) {
        auto [it, fresh] = seen.emplace(Upper(e.name), e.line);
        EXPECT_TRUE(fresh) << e.name << " on line " << e.line << " repeats line " << it->second
                           << ": the reader never reaches the second one";
    }
}

TEST_P(CountriesFileShape, AccentedNamesAreWindows1252NotUtf8) {
    const CountriesFile& f = File();
    // An editor that saved the file as UTF-8 leaves Ã followed by a continuation byte.
    for (std::size_t i = 0; i + 1 < f.bytes.size(); ++i) {
        auto c = static_cast<unsigned char>(f.bytes[i]), next = static_cast<unsigned char>(f.bytes[i + 1]);
        ASSERT_FALSE(c == 0xC3 && next >= 0x80 && next <= 0xBF) << "UTF-8 text at byte " << i;
    }
    EXPECT_EQ(Lookup(f, "\xD6sterreich"), "AT");
    EXPECT_EQ(Lookup(f, "C\xF4te d'Ivoire"), "CI");
    EXPECT_EQ(Lookup(f, "\xC5land Islands"), "AX");
}

INSTANTIATE_TEST_SUITE_P(Sites, CountriesFileShape,
                         testing::Values(
                             +[] { return &Mapquest(); }, +[] { return &Yahoo(); }),
                         [](const auto& info) {
                             return info.index == 0 ? std::string("mapquest") : std::string("yahoo");
                         });

// Names a contact list holds, with the code each site expects.
struct Expected {
    const char* name;  // Windows-1252 bytes
    const char* mapquest;
    const char* yahoo;
};

const Expected kCommonNames[] = {
    {"United States", "US", "US"},
    {"United States of America", "US", "US"},
    {"USA", "US", "US"},
    {"U.S.A.", "US", "US"},
    {"united states", "US", "US"},
    {"United Kingdom", "GB", "UK"},
    {"united kingdom", "GB", "UK"},
    {"UK", "GB", "UK"},
    {"Great Britain", "GB", "UK"},
    {"England", "GB", "UK"},
    {"Scotland", "GB", "UK"},
    {"Wales", "GB", "UK"},
    {"Northern Ireland", "GB", "UK"},
    {"France", "FR", "FR"},
    {"Italy", "IT", "IT"},
    {"Italia", "IT", "IT"},
    {"Germany", "DE", "DE"},
    {"Deutschland", "DE", "DE"},
    {"\xD6sterreich", "AT", "AT"},
    {"Osterreich", "AT", "AT"},
    {"Schweiz", "CH", "CH"},
    {"Suisse", "CH", "CH"},
    {"Espa\xF1"
     "a",
     "ES", "ES"},
    {"Nederland", "NL", "NL"},
    {"Holland", "NL", "NL"},
    {"Belgi\xEB", "BE", "BE"},
    {"Belgique", "BE", "BE"},
    {"Brasil", "BR", "BR"},
    {"M\xE9xico", "MX", "MX"},
    {"Canada", "CA", "CA"},
    {"Ivory Coast", "CI", "CI"},
    {"Cote d'Ivoire", "CI", "CI"},
    {"Czechia", "CZ", "CZ"},
    {"Czech Republic", "CZ", "CZ"},
    {"South Korea", "KR", "KR"},
    {"Korea", "KR", "KR"},
    {"North Korea", "KP", "KP"},
    {"Russia", "RU", "RU"},
    {"Vietnam", "VN", "VN"},
    {"Iran", "IR", "IR"},
    {"Syria", "SY", "SY"},
    {"Bolivia", "BO", "BO"},
    {"Venezuela", "VE", "VE"},
    {"Tanzania", "TZ", "TZ"},
    {"Taiwan", "TW", "TW"},
    {"Laos", "LA", "LA"},
    {"Moldova", "MD", "MD"},
    {"Macedonia", "MK", "MK"},
    {"Swaziland", "SZ", "SZ"},
    {"Burma", "MM", "MM"},
    {"T\xFCrkiye", "TR", "TR"},
    {"Turkey", "TR", "TR"},
    {"Jersey", "JE", "JE"},
};

TEST(CountriesFiles, CommonNamesGiveEachSiteItsCode) {
    for (const Expected& x : kCommonNames) {
        SCOPED_TRACE(x.name);
        EXPECT_EQ(Lookup(Mapquest(), x.name), x.mapquest);
        EXPECT_EQ(Lookup(Yahoo(), x.name), x.yahoo);
    }
}

TEST(CountriesFiles, BothSitesKnowTheSameNamesAndDifferOnlyForTheUnitedKingdom) {
    const auto& m = Mapquest().entries;
    const auto& y = Yahoo().entries;
    ASSERT_EQ(m.size(), y.size());
    for (std::size_t i = 0; i < m.size(); ++i) {
        SCOPED_TRACE(m[i].name);
        ASSERT_EQ(m[i].name, y[i].name);
        EXPECT_NE(m[i].code, "UK") << "the mapquest site takes the ISO code GB";
        EXPECT_NE(y[i].code, "GB") << "the yahoo site's postal-code rule expects UK";
        EXPECT_EQ(y[i].code, m[i].code == "GB" ? "UK" : m[i].code);
    }
}

}  // namespace
