// The portable profile reader on arbitrary bytes, names and buffer sizes,
// and on generated files whose entries are known: its answer always fits
// the caller's buffer, and a well-formed entry is found exactly.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <random>
#include <vector>

#include "platform/profile_reader.h"
#include "tests/unit/exact_bytes.h"
#include "tests/unit/random_input.h"

namespace fs = std::filesystem;
using platform::ProfileString;
using random_input::Describe;

namespace {

constexpr int kRounds = 3000;
constexpr int kFileRounds = 150;
constexpr int kFormedRounds = 600;

ProfileString Parse(std::string_view content, std::string_view section, std::string_view key, uint32_t size) {
    ExactBytes c(content), s(section), k(key);
    return platform::ParsePortableProfileString(c.view(), s.view(), k.view(), size);
}

// Any bytes, or lines of a profile file mixed with junk lines, so that
// some names are found.
std::string ProfileBytes(random_input::Source& random) {
    if (random.OneIn(2)) return random.Bytes(random_input::kHuge, {"[Countries]", "France=FR", "\r\n[", "]\r\n"});
    std::string file = random.OneIn(8) ? random.Pick<std::string>({"\xFF\xFE", "\xEF\xBB\xBF"}) : "";
    for (size_t lines = random.Below(30); lines > 0; --lines) {
        file += random.Pick<std::string_view>({"[Countries]", " [ countries ] x", "[Other]", "[]", "France=FR",
                                               "FRANCE = \"FR\"", "France='", "k=v", "=empty name", "k",
                                               std::string_view("France\0=x", 9), std::string_view("[\0]", 3)});
        if (random.OneIn(3)) file += random.Bytes(300);
        file += random.Pick({"\r\n", "\n", "\r", "\x1A"});
    }
    return file;
}

// A name to look up: one the files above hold, or cut from the file, or anything.
std::string Name(random_input::Source& random, std::string_view content) {
    switch (random.Below(4)) {
    case 0:
        return random.Bytes(30);
    case 1:
        if (!content.empty()) return std::string(content.substr(random.Below(content.size()), random.Below(20)));
        [[fallthrough]];
    default:
        return random.Pick<std::string>({"Countries", "France", "", "k", "other", "COUNTRIES"});
    }
}

void ExpectBounded(const ProfileString& answer, std::string_view content, uint32_t size) {
    EXPECT_LE(answer.count, size == 0 ? 0 : size - 1);
    EXPECT_EQ(answer.bytes.size(), answer.count);
    EXPECT_EQ(answer.bytes.find_first_of(std::string_view("\r\n\0", 3)), std::string::npos)
        << "a line end or NUL inside a value";
    // An 8-bit file answers with a piece of itself; a UTF-16 one with converted text.
    if (!content.starts_with("\xFF\xFE")) {
        EXPECT_NE(content.find(answer.bytes), std::string_view::npos) << "an answer the file does not hold";
    }
}

void ExpectAnswer(const ProfileString& answer, const ProfileString& expected, const char* what) {
    EXPECT_EQ(Describe(answer.bytes), Describe(expected.bytes)) << what;
    EXPECT_EQ(answer.count, expected.count) << what;
}

// One lookup of arbitrary bytes: the file, a section (often the countries
// files' own), a key, the caller's buffer size.
struct Lookup {
    std::string content, section, key;
    uint32_t size;
};

Lookup DrawLookup(random_input::Source& random) {
    Lookup l;
    l.content = ProfileBytes(random);
    l.section = random.OneIn(2) ? std::string("Countries") : Name(random, l.content);
    l.key = Name(random, l.content);
    l.size = static_cast<uint32_t>(random.Below(301));
    return l;
}

std::string DescribeLookup(const Lookup& l) {
    return "file " + Describe(l.content) + "\nsection " + Describe(l.section) + "\nkey " + Describe(l.key) + "\nsize " +
           std::to_string(l.size);
}

TEST(RandomProfileReader, AnyBytesNamesAndSizeGiveAnAnswerThatFitsTheBuffer) {
    random_input::Source random("RandomProfileReader.Bounded");
    int found = 0;
    random.Rounds(kRounds, [&](int) {
        const Lookup lookup = DrawLookup(random);
        SCOPED_TRACE(DescribeLookup(lookup));
        const auto& [content, section, key, size] = lookup;
        ProfileString answer;
        ASSERT_NO_THROW(answer = Parse(content, section, key, size));
        ExpectBounded(answer, content, size);
        if (answer.count) ++found;
    });
    EXPECT_GT(found, kRounds / 100) << "the draws hardly ever find an entry";
}

// A fresh folder for the files of one test.
class RandomProfileFile : public testing::Test {
protected:
    RandomProfileFile()
        : folder_(fs::temp_directory_path() / ("brivane-random-profile-" + std::to_string(std::random_device{}()))) {
        fs::create_directories(folder_);
    }
    ~RandomProfileFile() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    fs::path Write(std::string_view bytes) const {
        fs::path file = folder_ / "profile.ini";
        std::ofstream(file, std::ios::binary | std::ios::trunc)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return file;
    }

    fs::path folder_;
};

TEST_F(RandomProfileFile, AFileReadsAsItsBytesDo) {
    random_input::Source random("RandomProfileReader.File");
    random.Rounds(kFileRounds, [&](int) {
        const Lookup lookup = DrawLookup(random);
        SCOPED_TRACE(DescribeLookup(lookup));
        const auto& [content, section, key, size] = lookup;
        const fs::path file = Write(content);
        ProfileString answer;
        ASSERT_NO_THROW(answer = platform::ReadPortableProfileString(section, key, size, file));
        ExpectBounded(answer, content, size);
        ExpectAnswer(answer, Parse(content, section, key, size), "as text");
    });
}

// ---- well-formed files with known entries ---------------------------------

struct Entry {
    std::string key, value;
};
struct Section {
    std::string name;
    std::vector<Entry> entries;
};

// Names and values without anything the format gives a meaning to: letters
// (Latin-1 ones too), digits and inner spaces.
std::string Plain(random_input::Source& random, size_t length) {
    static const std::string letters = [] {
        std::string s = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        for (int c = 0xC0; c <= 0xFE; ++c)
            if (c != 0xD7 && c != 0xF7 && c != 0xDF) s += static_cast<char>(c);
        return s;
    }();
    std::string text(length, ' ');
    for (size_t i = 0; i < length; ++i)
        if (i == 0 || i + 1 == length || !random.OneIn(6)) text[i] = letters[random.Below(letters.size())];
    return text;
}

// The same name in another letter case (ASCII and Latin-1 alike).
std::string OtherCase(random_input::Source& random, std::string name) {
    for (char& b : name) {
        auto u = static_cast<unsigned char>(b);
        if (!random.OneIn(2)) continue;
        if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE)) b = static_cast<char>(u - 0x20);
        else if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE)) b = static_cast<char>(u + 0x20);
    }
    return name;
}

std::string Blanks(random_input::Source& random) {
    std::string out;
    for (size_t n = random.Below(3); n > 0; --n) out += random.Pick({' ', '\t', '\x0B', '\x0C', '\x1A'});
    return out;
}

std::string LineEnd(random_input::Source& random) {
    return random.Pick<std::string>({"\r\n", "\n", "\r", "\r\n\r\n", "\n\r", "\r\n \r\n"});
}

// A line that is neither a section nor an entry: no "=", no "]", no line
// end, and no FF that would start a UTF-16 byte-order mark at the top.
std::string NoiseLine(random_input::Source& random) {
    std::string line = random.Bytes(60);
    std::erase_if(line, [](char b) { return b == '\r' || b == '\n' || b == '=' || b == ']' || b == '\xFF'; });
    return line;
}

std::string Render(random_input::Source& random, const std::vector<Entry>& orphans,
                   const std::vector<Section>& sections) {
    std::string file;
    auto noise = [&] {
        if (random.OneIn(4)) file += Blanks(random) + NoiseLine(random) + LineEnd(random);
    };
    auto entry = [&](const Entry& e) {
        file +=
            Blanks(random) + e.key + Blanks(random) + "=" + Blanks(random) + e.value + Blanks(random) + LineEnd(random);
        noise();
    };
    noise();
    for (const Entry& e : orphans) entry(e);
    for (const Section& s : sections) {
        file += Blanks(random) + "[" + Blanks(random) + s.name + Blanks(random) + "]" +
                (random.OneIn(4) ? " trailing text" : "") + LineEnd(random);
        noise();
        for (const Entry& e : s.entries) entry(e);
    }
    if (random.OneIn(2) && !file.empty()) file.pop_back();  // the last line end shortened or gone
    return file;
}

// The file as UTF-16 little-endian with its byte-order mark.
std::string Utf16(std::string_view bytes) {
    std::string out = "\xFF\xFE";
    for (char16_t c : platform::FromWindows1252(bytes)) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    auto fold = [](char b) {
        auto u = static_cast<unsigned char>(b);
        return (u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE) ? u - 0x20 : u;
    };
    for (size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i])) return false;
    return true;
}

// What the reader must find: the first section of the name, and in it the
// first entry of the key. The entries before the first header are the
// first section named "".
std::optional<std::string> Expected(const std::vector<Entry>& orphans, const std::vector<Section>& sections,
                                    std::string_view section, std::string_view key) {
    std::vector<Section> all{{"", orphans}};
    all.insert(all.end(), sections.begin(), sections.end());
    for (const Section& s : all) {
        if (!SameName(s.name, section)) continue;
        for (const Entry& e : s.entries)
            if (SameName(e.key, key)) return e.value;
        return std::nullopt;
    }
    return std::nullopt;
}

TEST(RandomProfileReader, EveryEntryOfAWellFormedFileIsFoundExactly) {
    random_input::Source random("RandomProfileReader.WellFormed");
    int found = 0;
    random.Rounds(kFormedRounds, [&](int) {
        // Few names, so that sections and keys come back again.
        std::vector<std::string> sectionNames, keys;
        for (int i = 0; i < 4; ++i) sectionNames.push_back(random.OneIn(10) ? "" : Plain(random, 1 + random.Below(12)));
        for (int i = 0; i < 8; ++i) keys.push_back(random.OneIn(10) ? "" : Plain(random, 1 + random.Below(12)));
        auto entries = [&](size_t most) {
            std::vector<Entry> list(random.Below(most + 1));
            for (Entry& e : list)
                e = {random.Pick(keys), Plain(random, random.OneIn(8) ? random.Below(400) : random.Below(12))};
            return list;
        };
        const std::vector<Entry> orphans = entries(2);
        std::vector<Section> sections(random.Below(6));
        for (Section& s : sections) s = {random.Pick(sectionNames), entries(8)};
        const std::string file = Render(random, orphans, sections);
        const std::string wide = Utf16(file);
        SCOPED_TRACE("file " + Describe(file));

        for (int lookup = 0; lookup < 12; ++lookup) {
            std::string section = OtherCase(random, random.Pick(sectionNames));
            std::string key = OtherCase(random, random.Pick(keys));
            const std::optional<std::string> value = Expected(orphans, sections, section, key);
            // The caller's names lose blanks around them and end at a NUL, as in the file.
            if (random.OneIn(3)) section = Blanks(random) + section + Blanks(random);
            if (random.OneIn(3)) key = Blanks(random) + key + Blanks(random);
            if (random.OneIn(5)) key += std::string("\0", 1) + NoiseLine(random);
            const uint32_t size = static_cast<uint32_t>(random.Below(301));
            SCOPED_TRACE("section " + Describe(section) + " key " + Describe(key) + " size " + std::to_string(size));

            ProfileString expected;
            if (value && size > 0) {
                expected.bytes = value->substr(0, size - 1);
                expected.count = static_cast<uint32_t>(expected.bytes.size());
                ++found;
            }
            ExpectAnswer(Parse(file, section, key, size), expected, "8-bit");
            ExpectAnswer(Parse(wide, section, key, size), expected, "UTF-16");
        }
    });
    EXPECT_GT(found, kFormedRounds);
}

}  // namespace
