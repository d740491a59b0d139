// The program reads its countries file by the file's exact name: a program
// folder the code page cannot spell, or a path longer than the 8-bit call
// could ever take, still finds it, with the lookup's 8-bit rules.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/profile_reader.h"

namespace fs = std::filesystem;

namespace {

class ExactName : public testing::Test {
protected:
    ~ExactName() override {
        std::error_code ignored;
        if (!folder_.empty()) fs::remove_all(folder_, ignored);
    }

    // A countries file in a folder of this name under the temporary folder,
    // in `below` there.
    std::u16string Make(const std::wstring& folder, const std::wstring& below = {}) {
        folder_ = fs::temp_directory_path() / (folder + L"-" + std::to_wstring(GetCurrentProcessId()));
        const fs::path where = below.empty() ? folder_ : folder_ / below;
        fs::create_directories(where);
        const fs::path file = where / L"Countries_mapquest.txt";
        std::ofstream(file, std::ios::binary) << "[Countries]\r\nFrance=FR\r\n\xD6sterreich=AT\r\n";
        return std::u16string(reinterpret_cast<const char16_t*>(file.c_str()));
    }

    fs::path folder_;
};

TEST_F(ExactName, AFolderTheCodePageCannotSpellFindsTheFile) {
    // Cyrillic, Greek and Chinese letters: no 8-bit code page holds all three.
    const std::u16string name = Make(L"brivane-\u0416\u03A9\u4E2D");
    platform::ProfileString read = platform::SystemReadProfileString("Countries", "France", 127, name);
    EXPECT_EQ(read.bytes, "FR") << "code page " << GetACP();
    EXPECT_EQ(read.count, 2u);
    // The names' rules are the same: letter case, the code page's letters.
    EXPECT_EQ(platform::SystemReadProfileString("COUNTRIES", "\xF6STERREICH", 127, name).bytes, "AT");
}

TEST_F(ExactName, APathLongerThanTheSystemsOldLimitFindsTheFile) {
    std::wstring deep = L"folder-with-a-longish-name";
    for (int i = 0; i < 12; ++i) deep += L"\\folder-with-a-longish-name-" + std::to_wstring(i);
    const std::u16string name = Make(L"brivane-deep", deep);
    ASSERT_GT(name.size(), size_t{MAX_PATH});
    EXPECT_EQ(platform::SystemReadProfileString("Countries", "France", 127, u"\\\\?\\" + name).bytes, "FR");
}

TEST(SystemProfileReader, WhatIsNoFileOnADiskReadsAsEmpty) {
    for (const char16_t* name : {u"", u"NUL", u"\\\\.\\pipe\\brivane-no-such-pipe", u"C:\\"}) {
        SCOPED_TRACE(vb::ToUtf8(name));
        EXPECT_EQ(platform::SystemReadProfileString("Countries", "France", 127, name), platform::ProfileString{});
    }
}

}  // namespace
