// The system's reader takes its file name in the 8-bit code page: a program
// folder the code page cannot spell must still find its countries file.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/profile_reader.h"

namespace fs = std::filesystem;

TEST(SystemProfileReader, FindsAFileInAFolderTheCodePageCannotSpell) {
    // Cyrillic, Greek and Chinese letters: no 8-bit code page holds all three.
    const fs::path folder =
        fs::temp_directory_path() / (L"brivane-\u0416\u03A9\u4E2D-" + std::to_wstring(GetCurrentProcessId()));
    fs::create_directories(folder);
    const fs::path file = folder / L"Countries_mapquest.txt";
    std::ofstream(file, std::ios::binary) << "[Countries]\r\nFrance=FR\r\n";
    const std::u16string name(reinterpret_cast<const char16_t*>(file.c_str()));

    platform::ProfileString read = platform::SystemReadProfileString("Countries", "France", 127, name);
    EXPECT_EQ(read.bytes, "FR") << "code page " << GetACP();
    EXPECT_EQ(read.count, 2u);

    std::error_code ignored;
    fs::remove_all(folder, ignored);
}
