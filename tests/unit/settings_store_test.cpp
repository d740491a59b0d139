#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "platform/settings_file_store.h"
#include "platform/settings_file_text.h"
#include "platform/settings_store.h"
#include "platform/vb/settings.h"
#include "platform/vb/error.h"
#include "settings/Settings.h"

namespace fs = std::filesystem;
using platform::FileSettingsStore;
using vb::String;

namespace {

// What a file in the percent-encoded form starts with, then the rest.
std::string Marked(const std::string& rest) { return std::string(platform::settings_text::kMarker) + rest; }

std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteBytes(const fs::path& file, std::string_view bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A file store in a fresh folder, put in place for GetSetting and SaveSetting.
class SettingsFileTest : public testing::Test {
protected:
    SettingsFileTest()
        : root_(fs::temp_directory_path() / ("brivane-settings-test-" + std::to_string(std::random_device{}()))),
          scoped_(std::make_unique<FileSettingsStore>(root_)),
          store_(static_cast<FileSettingsStore&>(scoped_.store())) {}
    ~SettingsFileTest() override {
        std::error_code ignored;
        fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(root_, ignored);
    }

    fs::path File() const { return store_.FileFor(u"app"); }
    std::optional<String> Read(vb::StringView key) { return store_.Read(u"app", u"Sec", key); }
    void Write(vb::StringView key, vb::StringView value) { store_.Write(u"app", u"Sec", key, value); }

    // The files beside the settings file, by name.
    std::vector<std::string> Folder() const {
        std::vector<std::string> names;
        for (auto& entry : fs::directory_iterator(File().parent_path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path root_;
    platform::ScopedSettingsStore scoped_;
    FileSettingsStore& store_;
};

using SettingsSemantics = SettingsFileTest;

TEST_F(SettingsSemantics, MissingKeysYieldTheDefaultAsText) {
    vb::SaveSetting(u"app", u"Sec", u"Other", u"x");
    EXPECT_EQ(vb::GetSetting(u"app", u"Sec", u"Left", 100), u"100");
    EXPECT_EQ(vb::GetSetting(u"app", u"Sec", u"Close", 0), u"0");
    EXPECT_EQ(vb::GetSetting(u"app", u"Sec", u"Zoom", -8L), u"-8");
    EXPECT_EQ(vb::GetSetting(u"app", u"Sec", u"Country", u"US"), u"US");
    EXPECT_EQ(vb::GetSetting(u"app", u"Sec", u"MapURL"), u"");
    EXPECT_EQ(vb::GetSetting(u"app", u"Missing section", u"Other", u"d"), u"d");
    EXPECT_EQ(vb::GetSetting(u"missing app", u"Sec", u"Other", u"d"), u"d");
}

TEST_F(SettingsSemantics, AStoredEmptyValueWinsOverTheDefault) {
    vb::SaveSetting(u"app", u"Sec", u"MapURL", u"http://example.com/");
    vb::SaveSetting(u"app", u"Sec", u"MapURL", u"");
    EXPECT_EQ(vb::GetSetting(u"app", u"Sec", u"MapURL", u"default"), u"");
    EXPECT_EQ(vb::GetSetting(u"app", u"Sec", u"MapURL", 8), u"");
}

TEST_F(SettingsSemantics, NamesNoStoreCanHoldAreRefused) {
    for (auto [app, section, key] : {std::tuple<String, String, String>{u"", u"Sec", u"k"},
                                     {u"app", u"", u"k"},
                                     {String(u"a\0p", 3), u"Sec", u"k"},
                                     {u"app", u"Sec", String(u"k\0", 2)}}) {
        try {
            vb::SaveSetting(app, section, key, u"v");
            ADD_FAILURE() << "saved under an impossible name";
        } catch (const vb::Error& e) {
            EXPECT_EQ(e.number(), vb::kInvalidProcedureCall);
        }
        EXPECT_EQ(vb::GetSetting(app, section, key, u"d"), u"d");
    }
    EXPECT_FALSE(fs::exists(root_));
}

TEST_F(SettingsSemantics, TheProgramsSettingsLiveUnderItsTitleAndSection) {
    EXPECT_EQ(settings::GetSetting(settings::key::kClose, 0), u"0");
    EXPECT_EQ(settings::GetSetting(settings::key::kLeft, 100), u"100");
    EXPECT_EQ(settings::GetSetting(settings::key::kZoom, 8), u"8");
    EXPECT_EQ(settings::GetSetting(settings::key::kCountry, u"US"), u"US");
    EXPECT_EQ(settings::GetSetting(settings::key::kMapURL), u"");

    settings::SaveSetting(settings::key::kZoom, u"10");
    settings::SaveSetting(settings::key::kCountry, u"");
    EXPECT_EQ(store_.Read(u"brivane", u"Settings", u"Zoom"), u"10");
    EXPECT_EQ(settings::GetSetting(settings::key::kCountry, u"US"), u"");
    EXPECT_EQ(ReadBytes(root_ / "brivane" / "settings.ini"), Marked("\n\n[Settings]\nZoom=10\nCountry=\n"));
}

TEST(SettingsStoreInPlace, AScopedStoreIsUsedAndThenReplacedByTheEarlierOne) {
    platform::ScopedSettingsStore outer(std::make_unique<platform::MemorySettingsStore>());
    vb::SaveSetting(u"app", u"Sec", u"Key", u"outer");
    {
        platform::ScopedSettingsStore inner(std::make_unique<platform::MemorySettingsStore>());
        EXPECT_EQ(vb::GetSetting(u"APP", u"sec", u"KEY", u"none"), u"none");
        vb::SaveSetting(u"app", u"Sec", u"Key", u"inner");
        EXPECT_EQ(vb::GetSetting(u"APP", u"sec", u"KEY"), u"inner");
    }
    EXPECT_EQ(vb::GetSetting(u"app", u"Sec", u"Key"), u"outer");
}

// ---- any text round-trips ---------------------------------------------------

std::vector<String> HostileTexts() {
    std::vector<String> texts = {
        u" ",
        u"  lead",
        u"trail  ",
        u" both ",
        u"a=b",
        u"=",
        u"==x",
        u"[Sec]",
        u"[",
        u"]",
        u";c",
        u"#c",
        u"\\",
        u"\\n",
        u"\\x41",
        u"\\u0041",
        u"a\r\nb",
        u"\n",
        u"\t tab \t",
        u"%41%",
        u"x\"y'z",
        u"Österreich – Côte d'Ivoire 北京",
        u"\U0001F5FA map",
        u"\u0085\u2028\u2029\uFEFF",
        u"http://example.com/maps/map.adp?a=1&b=2#frag;x",
    };
    String controls;
    for (char16_t c = 0; c < 0x20; ++c) controls += c;
    controls += u'\x7F';
    texts.push_back(controls);
    texts.push_back(String{u'a', char16_t(0xD800), u'b'});              // lone high surrogate
    texts.push_back(String{char16_t(0xDC00)});                          // lone low surrogate
    texts.push_back(String{char16_t(0xDE00), char16_t(0xD83D), u'!'});  // a pair the wrong way round
    texts.push_back(String(u"nul\0inside", 10));
    texts.push_back(String(100000, u'w') + u"\u00E9");
    return texts;
}

TEST_F(SettingsFileTest, AnyValueRoundTripsBesideTheOthers) {
    auto texts = HostileTexts();
    texts.push_back(u"");
    for (size_t i = 0; i < texts.size(); ++i) Write(u"k" + vb::FromAscii(std::to_string(i)), texts[i]);
    for (size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(Read(u"k" + vb::FromAscii(std::to_string(i))), texts[i]) << "text " << i;
    }
}

TEST_F(SettingsFileTest, AnyKeyAndSectionNameRoundTrips) {
    auto texts = HostileTexts();
    texts.push_back(u"");  // an unnamed key exists in the registry too (the default value)
    for (size_t i = 0; i < texts.size(); ++i) {
        String value = u"v" + vb::FromAscii(std::to_string(i));
        store_.Write(u"app", u"Sec", texts[i], value);
        if (!texts[i].empty()) store_.Write(u"app", texts[i], u"key", value);
    }
    for (size_t i = 0; i < texts.size(); ++i) {
        String value = u"v" + vb::FromAscii(std::to_string(i));
        EXPECT_EQ(store_.Read(u"app", u"Sec", texts[i]), value) << "key " << i;
        if (!texts[i].empty()) {
            EXPECT_EQ(store_.Read(u"app", texts[i], u"key"), value) << "section " << i;
        }
    }
}

TEST_F(SettingsFileTest, RandomMixturesOfAwkwardCharactersRoundTrip) {
    const String alphabet{u'=',
                          u'[',
                          u']',
                          u';',
                          u'#',
                          u'\\',
                          u' ',
                          u'\t',
                          u'\r',
                          u'\n',
                          u'\0',
                          u'\x01',
                          u'\x7F',
                          u'\x85',
                          u'\u2028',
                          u'\uFEFF',
                          u'x',
                          u'X',
                          u'\u00E9',
                          u'\u20AC',
                          char16_t(0xD800),
                          char16_t(0xDC00),
                          char16_t(0xD83D),
                          char16_t(0xDE00)};
    std::mt19937 random(42);
    auto text = [&] {
        String out(random() % 12, u' ');
        for (char16_t& c : out) c = alphabet[random() % alphabet.size()];
        return out;
    };
    std::vector<std::pair<String, String>> written;
    for (int i = 0; i < 150; ++i) {
        written.emplace_back(u"k" + vb::FromAscii(std::to_string(i)) + u":" + text(), text());
        Write(written.back().first, written.back().second);
    }
    for (auto& [key, value] : written) EXPECT_EQ(Read(key), value) << vb::ToUtf8(key);
}

TEST_F(SettingsFileTest, AnyApplicationNameStaysInsideTheRoot) {
    for (String app : {u"../escape", u"a/b\\c", u"..", u".", u"con", u"LPT1.txt", u"\u00C4pp \U0001F5FA", u"%41"}) {
        store_.Write(app, u"Sec", u"Key", app);
        EXPECT_EQ(store_.Read(app, u"Sec", u"Key"), app);
        fs::path file = store_.FileFor(app);
        EXPECT_EQ(file.parent_path().parent_path(), root_) << file;
    }
    EXPECT_NE(store_.FileFor(u"%41"), store_.FileFor(u"A"));
}

// ---- names compare as the registry compares them ---------------------------

TEST_F(SettingsFileTest, NamesIgnoreAsciiCaseAndKeepTheirFirstSpelling) {
    store_.Write(u"App", u"Settings", u"MapURL", u"one");
    store_.Write(u"APP", u"SETTINGS", u"mapurl", u"two");
    EXPECT_EQ(store_.Read(u"app", u"settings", u"MAPURL"), u"two");
    EXPECT_EQ(ReadBytes(store_.FileFor(u"app")), Marked("\n\n[Settings]\nMapURL=two\n"));
    store_.Write(u"app", u"Settings", u"\u00C4", u"upper");
    EXPECT_EQ(store_.Read(u"app", u"Settings", u"\u00E4"), std::nullopt);
}

// ---- the file as people see and edit it -----------------------------------

TEST_F(SettingsFileTest, PlainTextStaysPlain) {
    Write(u"MapURL", u"http://example.com/maps/map.adp?a=1&b=2#x;y");
    Write(u"Country", u" Côte d'Ivoire ");
    Write(u"a=b", u"two\nlines");
    Write(u"100%", u"50%20 \u2028\U0001F5FA\t");
    Write(u"lone", vb::String{char16_t(0xD800), u'x', char16_t(0xDFFF)});
    EXPECT_EQ(ReadBytes(File()), Marked("\n\n[Sec]\nMapURL=http://example.com/maps/map.adp?a=1&b=2#x;y\n"
                                        "Country=%20Côte d'Ivoire%20\na%3Db=two%0Alines\n"
                                        "100%25=50%2520 %E2%80%A8\xF0\x9F\x97\xBA%09\nlone=%ED%A0%80x%ED%BF%BF\n"));
    EXPECT_EQ(Read(u"lone"), (vb::String{char16_t(0xD800), u'x', char16_t(0xDFFF)}));
}

TEST_F(SettingsFileTest, AFileOfTheEarlierFormReadsAsWrittenAndIsRewrittenLineByLineAsNeeded) {
    WriteBytes(File(),
               "; kept, with a \\ and a %\n[Sec]\nPlain=as it was\nSpaced=\\x20two\\nlines\\x20\n"
               "Percent=50%20\na\\=b=\\u00e9\\t\n[Sec\\]2]\nLone=\\uD800\n");
    EXPECT_EQ(Read(u"Spaced"), u" two\nlines ");
    EXPECT_EQ(Read(u"Percent"), u"50%20");
    EXPECT_EQ(Read(u"a=b"), u"\u00E9\t");
    EXPECT_EQ(store_.Read(u"app", u"Sec]2", u"Lone"), vb::String(1, char16_t(0xD800)));
    Write(u"New", u"n");
    EXPECT_EQ(ReadBytes(File()),
              Marked("\n; kept, with a \\ and a %\n[Sec]\nPlain=as it was\nSpaced=%20two%0Alines%20\n"
                     "Percent=50%2520\na%3Db=\xC3\xA9%09\nNew=n\n[Sec%5D2]\nLone=%ED%A0%80\n"));
    EXPECT_EQ(Read(u"Spaced"), u" two\nlines ");
    EXPECT_EQ(Read(u"Percent"), u"50%20");
    EXPECT_EQ(store_.Read(u"app", u"Sec]2", u"Lone"), vb::String(1, char16_t(0xD800)));
}

TEST_F(SettingsFileTest, HandEditedFilesReadAsWrittenAndKeepTheirComments) {
    WriteBytes(File(),
               "\xEF\xBB\xBF; my settings\r\n[Other]\r\nKeep = this one \r\n\r\n"
               "# zoom below\r\n[ Sec ]\r\n  Zoom\t=\t4\r\nZoom=5\r\n\r\n[Last]\r\nx=1");
    EXPECT_EQ(Read(u"Zoom"), u"4");  // the first of two wins
    EXPECT_EQ(store_.Read(u"app", u"Other", u"Keep"), u"this one");
    Write(u"Zoom", u"6");
    Write(u"New", u"n");
    store_.Write(u"app", u"Last", u"y", u"2");
    EXPECT_EQ(ReadBytes(File()),
              "\xEF\xBB\xBF" + Marked("\n; my settings\n[Other]\nKeep = this one \n\n"
                                      "# zoom below\n[ Sec ]\nZoom=6\nZoom=5\nNew=n\n\n[Last]\nx=1\ny=2\n"));
    EXPECT_EQ(Folder(), std::vector<std::string>{"settings.ini"});  // no backup, no temporary file
}

// ---- damaged files ----------------------------------------------------------

TEST_F(SettingsFileTest, UnreadableLinesAreSkippedAndTheRestIsRead) {
    WriteBytes(File(),
               "orphan=before any section\n[Sec]\nA=1\nno equals sign\nB=bad \\q escape\n"
               "C=bad \xC3 utf-8\nD=cut \\x4\nE=ctrl \x01 char\nF=6\n[Broken\nG=7\n[Sec]\nH=8\n");
    EXPECT_EQ(Read(u"A"), u"1");
    EXPECT_EQ(Read(u"F"), u"6");
    EXPECT_EQ(Read(u"H"), u"8");
    for (auto key : {u"orphan", u"B", u"C", u"D", u"E", u"G"}) EXPECT_EQ(Read(key), std::nullopt) << vb::ToUtf8(key);
    EXPECT_EQ(vb::GetSetting(u"app", u"Sec", u"B", 8), u"8");
}

TEST_F(SettingsFileTest, TheFirstRewriteOfADamagedFileKeepsTheOriginal) {
    std::string damaged = "[Sec]\nA=1\n\xFF\xFE junk\n[Other]\nB=2\n";
    WriteBytes(File(), damaged);
    Write(u"A", u"1");  // unchanged: nothing is rewritten
    EXPECT_EQ(Folder(), std::vector<std::string>{"settings.ini"});
    Write(u"C", u"3");
    EXPECT_EQ(ReadBytes(File().string() + ".bad"), damaged);
    EXPECT_EQ(ReadBytes(File()), Marked("\n[Sec]\nA=1\nC=3\n[Other]\nB=2\n"));
    Write(u"C", u"4");  // clean now: no further backup
    EXPECT_EQ(Folder(), (std::vector<std::string>{"settings.ini", "settings.ini.bad"}));

    WriteBytes(File(), "[Sec]\nC=\\z\n");
    Write(u"C", u"5");
    EXPECT_EQ(ReadBytes(File().string() + ".bad"), damaged);
    EXPECT_EQ(ReadBytes(File().string() + ".bad-2"), "[Sec]\nC=\\z\n");
}

TEST_F(SettingsFileTest, BinaryJunkReadsAsEmptyAndIsKeptAside) {
    std::string junk;
    std::mt19937 random(7);
    for (int i = 0; i < 65536; ++i) junk += static_cast<char>(random() % 7 == 0 ? 0 : random());
    WriteBytes(File(), junk);
    for (int i = 0; i < 64; ++i) Read(u"k" + vb::FromAscii(std::to_string(i)));  // must not crash
    Write(u"Zoom", u"8");
    EXPECT_EQ(Read(u"Zoom"), u"8");
    EXPECT_EQ(ReadBytes(File().string() + ".bad"), junk);
}

TEST_F(SettingsFileTest, EmptyFilesAndHugeLinesAreHarmless) {
    WriteBytes(File(), "");
    EXPECT_EQ(Read(u"A"), std::nullopt);
    WriteBytes(File(), "\xEF\xBB\xBF");
    EXPECT_EQ(Read(u"A"), std::nullopt);

    std::string huge(10 * 1024 * 1024, 'x');
    WriteBytes(File(), "[Sec]\nA=1\n" + huge + "\nB=2\n");
    EXPECT_EQ(Read(u"A"), u"1");
    EXPECT_EQ(Read(u"B"), u"2");

    String big(10 * 1024 * 1024, u'\u00E9');
    Write(u"Big", big);
    EXPECT_EQ(Read(u"Big"), big);
}

// ---- writes that cannot succeed --------------------------------------------

void ExpectWriteFails(FileSettingsStore& store, const char* why) {
    try {
        store.Write(u"app", u"Sec", u"Zoom", u"9");
        ADD_FAILURE() << "write reported success: " << why;
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number(), vb::kPathFileAccessError) << why;
        EXPECT_NE(e.description().find(u"\"Zoom\""), String::npos) << why;
    }
}

TEST_F(SettingsFileTest, AWriteThatCannotBeStoredRaisesAndChangesNothing) {
    fs::create_directories(File());  // a folder where the file belongs
    ExpectWriteFails(store_, "folder in the way");
    EXPECT_TRUE(fs::is_directory(File()));
    EXPECT_EQ(Read(u"Zoom"), std::nullopt);

    fs::remove(File());
    fs::remove(File().parent_path());
    WriteBytes(File().parent_path(), "a file where the folder belongs");
    ExpectWriteFails(store_, "file in the way");

    FileSettingsStore nowhere{fs::path()};
    ExpectWriteFails(nowhere, "no configuration folder");
    EXPECT_EQ(nowhere.Read(u"app", u"Sec", u"Zoom"), std::nullopt);
}

TEST_F(SettingsFileTest, AReadOnlyFolderRaisesAndKeepsTheOldFile) {
    Write(u"Zoom", u"8");
    std::string before = ReadBytes(File());
    fs::permissions(File().parent_path(), fs::perms::owner_read | fs::perms::owner_exec);
    bool probe_written = static_cast<bool>(std::ofstream(File().parent_path() / "probe"));
    if (probe_written) {
        fs::permissions(File().parent_path(), fs::perms::owner_all);
        GTEST_SKIP() << "this user can write into read-only folders";
    }
    ExpectWriteFails(store_, "read-only folder");
    fs::permissions(File().parent_path(), fs::perms::owner_all);
    EXPECT_EQ(ReadBytes(File()), before);
    EXPECT_EQ(Folder(), std::vector<std::string>{"settings.ini"});
}

TEST_F(SettingsFileTest, AFileThatCannotBeReadIsNeverReplaced) {
    Write(u"Zoom", u"8");
    std::string before = ReadBytes(File());
    fs::permissions(File(), fs::perms::none);
    if (std::ifstream(File())) {
        fs::permissions(File(), fs::perms::owner_read | fs::perms::owner_write);
        GTEST_SKIP() << "this user can read files without read permission";
    }
    EXPECT_EQ(vb::GetSetting(u"app", u"Sec", u"Zoom", 5), u"5");
    ExpectWriteFails(store_, "unreadable file");
    fs::permissions(File(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(ReadBytes(File()), before);
}

#ifndef _WIN32
TEST_F(SettingsFileTest, ALinkedFileStaysALinkAndKeepsItsPermissions) {
    fs::path real = root_ / "dotfiles" / "brivane.ini";
    WriteBytes(real, "[Sec]\nA=1\n");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_directories(File().parent_path());
    fs::create_symlink(real, File());
    Write(u"B", u"2");
    EXPECT_TRUE(fs::is_symlink(File()));
    EXPECT_EQ(ReadBytes(real), Marked("\n[Sec]\nA=1\nB=2\n"));
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
}

TEST(SettingsRoot, FollowsTheConfigurationFolderConvention) {
    std::string old_config = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
    std::string old_home = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", "/home/u", 1);
    setenv("XDG_CONFIG_HOME", "/cfg", 1);
    EXPECT_EQ(platform::DefaultSettingsRoot(), fs::path("/cfg"));
    setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored
    EXPECT_EQ(platform::DefaultSettingsRoot(), fs::path("/home/u/.config"));
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(platform::DefaultSettingsRoot(), fs::path("/home/u/.config"));
    EXPECT_EQ(FileSettingsStore(platform::DefaultSettingsRoot()).FileFor(u"brivane"),
              fs::path("/home/u/.config/brivane/settings.ini"));
    unsetenv("HOME");
    EXPECT_EQ(platform::DefaultSettingsRoot(), fs::path());
    setenv("HOME", old_home.c_str(), 1);
    if (!old_config.empty()) setenv("XDG_CONFIG_HOME", old_config.c_str(), 1);
}
#endif

}  // namespace
