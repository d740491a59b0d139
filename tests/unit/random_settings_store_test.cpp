// The settings file (the store of the systems without a registry) with
// arbitrary texts under arbitrary names, and with files full of junk: what
// is saved comes back from a fresh read, junk never breaks a read, and a save
// over junk loses nothing that could be read and leaves a file that reads.
#include <gtest/gtest.h>

#ifndef _WIN32

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <tuple>
#include <vector>

#include "platform/settings_file_store.h"
#include "tests/unit/random_input.h"

namespace fs = std::filesystem;
using platform::FileSettingsStore;
using random_input::Describe;
using vb::String;

namespace {

constexpr int kRounds = 30;
constexpr int kWritesPerRound = 12;
constexpr int kJunkRounds = 120;

// Names compare as registry names do: ASCII letters without regard to case.
String Folded(vb::StringView name) {
    String out(name);
    for (char16_t& c : out)
        if (c >= u'A' && c <= u'Z') c += 0x20;
    return out;
}

String OtherCase(random_input::Source& random, String name) {
    for (char16_t& c : name) {
        if (random.OneIn(2)) continue;
        if (c >= u'a' && c <= u'z') c -= 0x20;
        else if (c >= u'A' && c <= u'Z') c += 0x20;
    }
    return name;
}

std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A fresh configuration folder for each test, gone afterwards.
class RandomSettingsFile : public testing::Test {
protected:
    RandomSettingsFile()
        : root_(fs::temp_directory_path() / ("brivane-random-settings-" + std::to_string(std::random_device{}()))) {}
    ~RandomSettingsFile() override {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    fs::path root_;
};

TEST_F(RandomSettingsFile, AnyTextUnderAnyNamesComesBackFromAFreshRead) {
    random_input::Source random("RandomSettingsFile.RoundTrip");
    random.Rounds(kRounds, [&](int round) {
        const fs::path root = root_ / std::to_string(round);
        // A folder name holds at most 255 bytes: 40 units, each written
        // "%uXXXX" at worst, fit.
        String app = random.Text(40);
        if (app.empty()) app = u"brivane";
        const std::vector<String> apps = {app, u"brivane"};
        const std::vector<String> sections = {random.Text(200), random.Text(200), u"Settings"};

        std::map<std::tuple<String, String, String>, String> stored;
        std::vector<std::tuple<String, String, String>> names;
        for (int w = 0; w < kWritesPerRound; ++w) {
            const String a = OtherCase(random, random.Pick(apps));
            const String s = OtherCase(random, random.Pick(sections));
            // Now and then an earlier key in another letter case: it replaces the value.
            const String k = !names.empty() && random.OneIn(4) ? OtherCase(random, std::get<2>(random.Pick(names)))
                                                               : random.Text(200);
            const String value = random.Text();
            SCOPED_TRACE("write " + std::to_string(w) + ": app " + Describe(a) + " section " + Describe(s) + " key " +
                         Describe(k) + " value " + Describe(value));
            ASSERT_NO_THROW(FileSettingsStore(root).Write(a, s, k, value));
            stored[{Folded(a), Folded(s), Folded(k)}] = value;
            names.emplace_back(a, s, k);
            EXPECT_EQ(FileSettingsStore(root).Read(a, s, k), value);
        }
        for (const auto& [a, s, k] : names) {
            SCOPED_TRACE("app " + Describe(a) + " section " + Describe(s) + " key " + Describe(k));
            const String& value = stored.at({Folded(a), Folded(s), Folded(k)});
            EXPECT_EQ(FileSettingsStore(root).Read(OtherCase(random, a), OtherCase(random, s), OtherCase(random, k)),
                      value);
        }
    });
}

TEST_F(RandomSettingsFile, JunkNeverBreaksAReadAndASaveOverItLosesNothingReadable) {
    random_input::Source random("RandomSettingsFile.Junk");
    const std::vector<String> probes = {u"k0", u"k1", u"K1", u"k2", u"k3", u"k 4", u"", u"\u00E9"};
    random.Rounds(kJunkRounds, [&](int round) {
        const fs::path root = root_ / std::to_string(round);
        const fs::path file = FileSettingsStore(root).FileFor(u"app");
        const std::string junk = random.Bytes(
            random_input::kHuge,
            {"[Sec]", "\n[sec]\n", "\r\n[ Sec ]\r\n", "[Other]\n", "k1=", "K1 = ", "k2=v\n", "\nk3=\\x41\n",
             "k 4=\\u00E9", "\\uD800", "\\=", "=\n", "\n; c\n", "\n# c=d\n", "\xEF\xBB\xBF", "\xC3\xA9=\xC3\xA9\n"});
        SCOPED_TRACE("file " + Describe(junk));
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary).write(junk.data(), static_cast<std::streamsize>(junk.size()));

        std::vector<std::optional<String>> before;
        for (const String& key : probes) {
            before.emplace_back();
            ASSERT_NO_THROW(before.back() = FileSettingsStore(root).Read(u"app", u"Sec", key));
        }
        for (int i = 0; i < 4; ++i)
            ASSERT_NO_THROW(FileSettingsStore(root).Read(u"app", random.Text(20), random.Text(20)));

        const String value = random.Text();
        const String section = random.Text(30);
        const String other = random.Text(300);
        ASSERT_NO_THROW(FileSettingsStore(root).Write(u"app", u"Sec", u"saved", value));
        ASSERT_NO_THROW(FileSettingsStore(root).Write(u"app", section, u"saved too", other));
        EXPECT_EQ(FileSettingsStore(root).Read(u"app", u"Sec", u"saved"), value);
        EXPECT_EQ(FileSettingsStore(root).Read(u"app", section, u"saved too"), other);
        for (size_t i = 0; i < probes.size(); ++i) {
            EXPECT_EQ(FileSettingsStore(root).Read(u"app", u"Sec", probes[i]), before[i])
                << "key " << Describe(probes[i]);
        }

        // The first save set the junk aside once; what it wrote reads whole,
        // so the second one kept nothing more aside.
        std::vector<std::string> files;
        for (auto& entry : fs::directory_iterator(file.parent_path()))
            files.push_back(entry.path().filename().string());
        std::sort(files.begin(), files.end());
        if (files.size() == 2 && files[1] == "settings.ini.bad") {
            EXPECT_EQ(ReadBytes(file.string() + ".bad"), junk);
        } else {
            EXPECT_EQ(files, std::vector<std::string>{"settings.ini"});
        }
    });
}

}  // namespace

#endif  // _WIN32
