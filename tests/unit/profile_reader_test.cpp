// The portable profile reader against the golden answers of the fixtures,
// on input no countries file should hold, the code page at the reader's
// door, and GetKeyValue on top of the reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>

#include "main/Module2.h"
#include "platform/profile_reader.h"
#include "platform/ui/headless/headless.h"
#include "platform/vb/error.h"
#include "settings/IniLib.h"
#include "tests/data/profiles/lookups.h"

namespace fs = std::filesystem;
using platform::ProfileString;

namespace {

ProfileString Answer(const std::string& value) { return {static_cast<uint32_t>(value.size()), value}; }

ProfileString Parse(std::string_view content, std::string_view key, uint32_t size = 127) {
    return platform::ParsePortableProfileString(content, "Countries", key, size);
}

TEST(ProfileReader, FixturesGiveTheirGoldenAnswers) {
    const auto lookups = profile_fixtures::Load();
    ASSERT_GT(lookups.size(), 100u);
    for (const auto& l : lookups) {
        SCOPED_TRACE(l.Describe());
        EXPECT_EQ(platform::ReadPortableProfileString(l.section, l.key, l.size, profile_fixtures::Folder() + l.file),
                  Answer(l.value));
    }
}

TEST(ProfileReader, BinaryJunkReadsAsTextWithoutEntries) {
    std::mt19937 random(20240611);
    std::string junk(1 << 16, '\0');
    for (char& c : junk) c = static_cast<char>(random());
    junk[0] = 'x';  // no byte-order mark
    for (std::string_view key : {"France", "", "\x01\x02", "[", "="}) {
        const ProfileString answer = Parse(junk, key);
        EXPECT_EQ(answer.count, answer.bytes.size());
        EXPECT_LE(answer.count, 126u);
    }
    EXPECT_EQ(Parse(junk + "\r\n[Countries]\r\nFrance=FR\r\n", "France"), Answer("FR"));
    EXPECT_EQ(Parse("\xFF\xFE" + junk, "France"), ProfileString{});  // odd UTF-16 too
}

TEST(ProfileReader, HugeFilesAndEndlessLinesStayCheap) {
    const auto started = std::chrono::steady_clock::now();
    std::string big = "[Countries]\r\n";
    while (big.size() < 10'000'000) big += "Filler with some length=XX\r\n";
    EXPECT_EQ(Parse(big + "France=FR\r\n", "France"), Answer("FR"));
    EXPECT_EQ(Parse(big, "France"), ProfileString{});

    std::string endless = "[Countries]\r\nFrance=" + std::string(10'000'000, 'x');
    EXPECT_EQ(Parse(endless, "France"), Answer(std::string(126, 'x')));
    EXPECT_EQ(Parse(std::string(10'000'000, '['), "France"), ProfileString{});
    EXPECT_EQ(Parse(std::string(10'000'000, '='), ""), ProfileString{});
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
}

TEST(ProfileReader, KeysOfAnyLengthCompareWhole) {
    const std::string name(10'000, 'k');
    const std::string file = "[Countries]\r\n" + name + "=long\r\n";
    EXPECT_EQ(Parse(file, name), Answer("long"));
    EXPECT_EQ(Parse(file, name + "k"), ProfileString{});
    EXPECT_EQ(Parse(file, name.substr(1)), ProfileString{});
    EXPECT_EQ(Parse(file, std::string(10'000, 'K')), Answer("long"));
}

TEST(ProfileReader, TheBufferSizeBoundsTheAnswer) {
    const std::string file = "[Countries]\r\nFrance=FR\r\n";
    EXPECT_EQ(Parse(file, "France", 0), ProfileString{});
    EXPECT_EQ(Parse(file, "France", 1), ProfileString{});
    EXPECT_EQ(Parse(file, "France", 2), Answer("F"));
    EXPECT_EQ(Parse(file, "France", 0xFFFFFFFF), Answer("FR"));
}

TEST(ProfileReader, WhatIsNoRegularFileReadsAsEmpty) {
    const fs::path folder = fs::temp_directory_path();
    EXPECT_EQ(platform::ReadPortableProfileString("Countries", "France", 127, folder), ProfileString{});
    EXPECT_EQ(platform::ReadPortableProfileString("Countries", "France", 127, ""), ProfileString{});
    EXPECT_EQ(platform::ReadPortableProfileString("Countries", "France", 127, folder / "no-such-file.ini"),
              ProfileString{});
}

TEST(CodePage, Windows1252BringsEveryByteBack) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    const vb::String text = platform::FromWindows1252(all);
    ASSERT_EQ(text.size(), 256u);
    EXPECT_EQ(platform::ToWindows1252(text), all);
    EXPECT_EQ(text[0x80], u'\u20AC');
    EXPECT_EQ(text[0x81], u'\u0081');  // undefined in the code page, kept as Windows keeps it
    EXPECT_EQ(text[0x9F], u'\u0178');
    EXPECT_EQ(text[0xF4], u'\u00F4');
    EXPECT_EQ(platform::ToWindows1252(u"\u0141\u00F3d\u017A \U0001F600"),
              "?\xF3"
              "d? ??");
}

TEST(CodePage, TheProgramsTextMeetsTheCodePageIntact) {
    const vb::String names = u"\u00D6sterreich, C\u00F4te d'Ivoire, Espa\u00F1a, \u20AC";
    EXPECT_EQ(platform::FromAnsi(platform::ToAnsi(names)), names);
    EXPECT_EQ(platform::ToAnsi(u""), "");
    EXPECT_EQ(platform::FromAnsi(""), u"");
#ifndef _WIN32
    EXPECT_EQ(platform::ToAnsi(names), platform::ToWindows1252(names));
#endif
}

// A Cyrillic code page in the manner of Windows-1251: ASCII, then the 64
// letters from C0; anything else is '?'.
vb::String FromCyrillic(std::string_view bytes) {
    vb::String text;
    for (char b : bytes) {
        auto u = static_cast<unsigned char>(b);
        text += u < 0x80 ? char16_t(u) : u >= 0xC0 ? char16_t(0x0410 + (u - 0xC0)) : u'?';
    }
    return text;
}
std::string ToCyrillic(vb::StringView text) {
    std::string bytes;
    for (char16_t c : text) bytes += c < 0x80 ? char(c) : c >= 0x0410 && c <= 0x044F ? char(0xC0 + (c - 0x0410)) : '?';
    return bytes;
}
constexpr platform::ProfileCodePage kCyrillic{FromCyrillic, ToCyrillic};

// The same rules in the system's code page, wherever it differs from the
// countries files' own: names match by that code page's letters, and the
// answer comes in its bytes, from an 8-bit file as from a UTF-16 one.
TEST(CodePage, TheRulesHoldInTheSystemsCodePage) {
    // "ЧЕХИЯ=CZ" and "Россия=Р" in the Cyrillic code page: the capital
    // and small CHE are D7 and F7, no letters at all in Windows-1252.
    const std::string file =
        "[\xD1\xF2\xF0\xE0\xED\xFB]\r\n\xD7\xC5\xD5\xC8\xDF=CZ\r\n\xD0\xEE\xF1\xF1\xE8\xFF=\xD0\r\n";
    const std::string countries = "\xF1\xF2\xF0\xE0\xED\xFB";  // "страны", in small letters
    EXPECT_EQ(platform::ParseProfileString(file, countries, "\xF7\xE5\xF5\xE8\xFF", 127, kCyrillic), Answer("CZ"));
    EXPECT_EQ(platform::ParsePortableProfileString(file, countries, "\xF7\xE5\xF5\xE8\xFF", 127), ProfileString{})
        << "in Windows-1252 these are no letters of one word";
    EXPECT_EQ(platform::ParseProfileString(file, countries, "\xD0\xCE\xD1\xD1\xC8\xDF", 127, kCyrillic),
              Answer("\xD0"));

    std::string utf16 = "\xFF\xFE";
    for (char16_t c : u"[Countries]\r\nRussia=\u0420\u0424\r\nChina=\u4E2D\r\n")
        if (c) utf16 += {char(c & 0xFF), char(c >> 8)};
    EXPECT_EQ(platform::ParseProfileString(utf16, "Countries", "Russia", 127, kCyrillic), Answer("\xD0\xD4"));
    EXPECT_EQ(platform::ParseProfileString(utf16, "Countries", "China", 127, kCyrillic), Answer("?"));
    EXPECT_EQ(platform::ParseProfileString(utf16, "Countries", "Russia", 2, kCyrillic), Answer("\xD0"));
}

// GetKeyValue on a countries file of its own, with a headless screen that
// records any report.
class GetKeyValueTest : public testing::Test {
protected:
    GetKeyValueTest()
        : folder_(fs::temp_directory_path() / ("brivane-inilib-test-" + std::to_string(std::random_device{}()))) {
        fs::create_directories(folder_);
        std::ofstream(folder_ / "Countries_test.txt", std::ios::binary)
            << "; test countries\r\n[Countries]\r\nFrance=FR\r\nEmpty=\r\nEight=8\r\nMinus=-1\r\n"
               "Word=abc\r\nYes=yes\r\n\xD6sterreich=AT\r\nC\xF4te d'Ivoire=C\xF4te\r\nLong="
            << std::string(200, 'L') << "\r\n";
        savedCountriesFile_ = Module2::CountriesFile;
    }
    ~GetKeyValueTest() override {
        Module2::CountriesFile = savedCountriesFile_;
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    vb::String File() const { return (folder_ / "Countries_test.txt").u16string(); }

    vb::String Get(vb::StringView key, vb::StringView defaultValue = u"US", vb::StringView valueType = u"",
                   vb::StringView typeDefault = u"") {
        return IniLib::GetKeyValue(u"Countries", key, defaultValue, valueType, typeDefault, File());
    }

    ui::headless::Backend screen;
    fs::path folder_;
    vb::String savedCountriesFile_;
};

TEST_F(GetKeyValueTest, FindsTheEntryWhateverTheDefaultAndTheKeysLetterCase) {
    EXPECT_EQ(Get(u"France"), u"FR");
    EXPECT_EQ(Get(u"France", u"XX"), u"FR");
    EXPECT_EQ(Get(u"france"), u"FR");
    EXPECT_EQ(Get(u"  FRANCE "), u"FR");
    EXPECT_EQ(Get(u"\u00D6sterreich"), u"AT");
    EXPECT_EQ(Get(u"\u00D6STERREICH"), u"AT");
    EXPECT_EQ(Get(u"C\u00F4te d'Ivoire"), u"C\u00F4te");
    EXPECT_EQ(IniLib::GetKeyValue(u"countries", u"France", u"US", u"", u"", File()), u"FR");
    EXPECT_TRUE(screen.boxes.empty());
}

TEST_F(GetKeyValueTest, GivesTheDefaultWhenTheFileYieldsNoValue) {
    EXPECT_EQ(Get(u"Empty"), u"US");
    EXPECT_EQ(Get(u"Atlantis"), u"US");
    EXPECT_EQ(Get(u""), u"US");
    EXPECT_EQ(Get(u"Atlantis", u""), u"");
    EXPECT_EQ(IniLib::GetKeyValue(u"Other", u"France", u"US", u"", u"", File()), u"US");
    const vb::String missing = (folder_ / "Countries_none.txt").u16string();
    EXPECT_EQ(IniLib::GetKeyValue(u"Countries", u"France", u"US", u"", u"", missing), u"US");
    EXPECT_EQ(Get(vb::String(10'000, u'k')), u"US");
    EXPECT_TRUE(screen.boxes.empty());
}

TEST_F(GetKeyValueTest, AnEmptyFileNameReadsTheCurrentCountriesFile) {
    Module2::CountriesFile = File();
    EXPECT_EQ(IniLib::GetKeyValue(u"Countries", u"France", u"US", u"", u"", u""), u"FR");
    Module2::CountriesFile = (folder_ / "Countries_.txt").u16string();
    EXPECT_EQ(IniLib::GetKeyValue(u"Countries", u"France", u"US", u"", u"", u""), u"US");
    Module2::CountriesFile.clear();
    EXPECT_EQ(IniLib::GetKeyValue(u"Countries", u"France", u"US", u"", u"", u""), u"US");
    EXPECT_TRUE(screen.boxes.empty());
}

TEST_F(GetKeyValueTest, AccentedNamesFindTheirCodesInTheShippedCountriesFiles) {
#ifdef _WIN32
    vb::String data = u"Z:" BRIVANE_SOURCE_DIR "/data/";
    std::replace(data.begin(), data.end(), u'/', u'\\');
#else
    vb::String data = vb::FromUtf8(BRIVANE_SOURCE_DIR "/data/");
#endif
    for (vb::StringView site : {u"mapquest", u"yahoo"}) {
        Module2::CountriesFile = data + u"Countries_" + vb::String(site) + u".txt";
        EXPECT_EQ(IniLib::GetKeyValue(u"Countries", u"\u00D6sterreich", u"US", u"", u"", u""), u"AT");
        EXPECT_EQ(IniLib::GetKeyValue(u"Countries", u"C\u00F4te d'Ivoire", u"US", u"", u"", u""), u"CI");
        EXPECT_EQ(IniLib::GetKeyValue(u"Countries", u"c\u00F4te d'ivoire", u"US", u"", u"", u""), u"CI");
        EXPECT_EQ(IniLib::GetKeyValue(u"Countries", u"France", u"US", u"", u"", u""), u"FR");
    }
    EXPECT_TRUE(screen.boxes.empty());
}

TEST_F(GetKeyValueTest, OnlyNumericAndBooleanAskForANumber) {
    EXPECT_EQ(Get(u"Word", u"US", u"Numeric", u"0"), u"0");
    EXPECT_EQ(Get(u"Word", u"US", u"Numeric", u""), u"abc");
    EXPECT_EQ(Get(u"Word", u"US", u"numeric", u"0"), u"abc");
    EXPECT_EQ(Get(u"Word", u"US", u"Number", u"0"), u"abc");
    EXPECT_EQ(Get(u"Eight", u"US", u"Numeric", u"0"), u"8");
    EXPECT_EQ(Get(u"Minus", u"US", u"Boolean", u"0"), u"-1");
    EXPECT_EQ(Get(u"Yes", u"US", u"Boolean", u"0"), u"0");
    EXPECT_EQ(Get(u"Yes", u"US", u"BOOLEAN", u"0"), u"yes");
    // The check applies to the default as well.
    EXPECT_EQ(Get(u"Atlantis", u"", u"Numeric", u"5"), u"5");
    EXPECT_EQ(Get(u"Atlantis", u"7", u"Numeric", u"5"), u"7");
    EXPECT_EQ(Get(u"Atlantis", u"US", u"Numeric", u"5"), u"5");
}

TEST_F(GetKeyValueTest, ALongValueIsCutTo126Characters) { EXPECT_EQ(Get(u"Long"), vb::String(126, u'L')); }

ProfileString FailingReader(std::string_view, std::string_view, uint32_t, vb::StringView) {
    throw vb::Error(vb::kPathFileAccessError);
}

TEST_F(GetKeyValueTest, AnErrorInsideIsReportedAndGivesTheResultSoFar) {
    {
        platform::ProfileReaderGuard failing = platform::InstallProfileReader(FailingReader);
        EXPECT_EQ(Get(u"France", u"US", u"Numeric", u"5"), u"");
    }
    ASSERT_EQ(screen.boxes.size(), 1u);
    EXPECT_EQ(screen.boxes[0].title, u"brivane error");
    EXPECT_EQ(screen.boxes[0].style, 0);
    EXPECT_EQ(screen.boxes[0].text,
              u"Error 75: 'Path/File access error'\r"
              u"in IniLib: Function GetKeyValue - Line # 0\r\r"
              u"Please contact support@example.com with this error message.");
    EXPECT_EQ(Get(u"France"), u"FR");
    EXPECT_EQ(screen.boxes.size(), 1u);
}

}  // namespace
