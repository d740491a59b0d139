// The platform's reader (GetPrivateProfileStringA, here Wine's) and the
// portable reader on the same files: the fixtures with their lookups, and
// files made here that no fixture should hold. Where Wine's reader departs
// from the rules the platform's reader keeps, the portable reader keeps the
// rules, and the case is listed below as a known difference of Wine. The
// program's own reader, which reads the file itself, answers as the portable
// one in this code page. When the native build's profile-lookup command is
// at hand, its answers are held against the portable reader's too.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <random>
#include <sstream>
#include <vector>

#include "platform/profile_reader.h"
#include "tests/data/profiles/lookups.h"
#include "platform/win32/wide.h"

namespace fs = std::filesystem;
using platform::ProfileString;

namespace {

struct KnownDifference {
    const char* file;
    const char* section;
    const char* key;
    uint32_t size;
    const char* why;
};

constexpr const char* kLetterCase =
    "Wine 8 matches letter case for ASCII letters only; names match without regard to letter case, "
    "so a key written with an accented capital finds the entry written with the small letter";
constexpr const char* kUtf8Mark =
    "Wine reads a file starting with the UTF-8 byte-order mark as UTF-8; the file is 8-bit text, and "
    "the platform's reader takes the mark for three characters of the first line";

const KnownDifference kWineDifferences[] = {
    {"letter-case-8bit.ini", "Countries", "\xF6sterreich", 127, kLetterCase},
    {"letter-case-8bit.ini", "Countries", "C\xD4TE D'IVOIRE", 127, kLetterCase},
    {"letter-case-8bit.ini", "Countries",
     "\xE9"
     "cole",
     127, kLetterCase},
    {"letter-case-8bit.ini", "Countries",
     "\x9A"
     "ibenik",
     127, kLetterCase},
    {"letter-case-8bit.ini", "Countries",
     "\x9C"
     "uvre",
     127, kLetterCase},
    {"letter-case-8bit.ini", "Countries", "\x9F", 127, kLetterCase},
    {"no-equals.ini", "Countries", "Spain", 127,
     "Wine takes a line without an equals sign for an entry without a value, which hides a later "
     "entry of that name; lines that are no entries are ignored"},
    {"bom-utf8-first-line.ini", "Countries", "France", 127, kUtf8Mark},
    {"bom-utf8.ini", "Countries", "C\xC3\xB4te d'Ivoire", 127, kUtf8Mark},
    {"bom-utf8.ini", "Countries", "C\xF4te d'Ivoire", 127, kUtf8Mark},
    {"utf16be.ini", "Countries", "France", 127,
     "Wine reads a file starting with the UTF-16 big-endian byte-order mark as UTF-16; only the "
     "little-endian mark makes a file UTF-16 on the platform"},
    {"long-values.ini", "Countries", "Quoted126", 127,
     "Wine drops the last character of a quoted value that is exactly one character shorter than "
     "the buffer; only a longer value is cut"},
    {"long-values.ini", "Countries", "QuotedShort", 5, "the same, in a buffer of 5"},
};

const KnownDifference* FindDifference(const profile_fixtures::Lookup& l) {
    for (const KnownDifference& d : kWineDifferences)
        if (l.file == d.file && l.section == d.section && l.key == d.key && l.size == d.size) return &d;
    return nullptr;
}

std::wstring WindowsPath(std::string path) {
    for (char& c : path)
        if (c == '/') c = '\\';
    return win::ToWide(vb::FromAscii(path));
}

std::string Show(const ProfileString& answer) {
    std::ostringstream text;
    text << answer.count << " \"";
    for (unsigned char c : answer.bytes) {
        if (c >= 0x20 && c < 0x7F) {
            text << c;
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            text << hex;
        }
    }
    return text.str() + "\"";
}

// GetPrivateProfileStringA itself; the test's files lie in folders the code
// page spells.
ProfileString Platform(const std::string& section, const std::string& key, uint32_t size, const std::wstring& file) {
    const std::string fileName = platform::ToAnsi(vb::String(file.begin(), file.end()));
    std::vector<char> buffer(size_t{size} + 1, '\0');
    DWORD count = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(), size, fileName.c_str());
    count = size == 0 ? 0 : std::min<DWORD>(count, size - 1);
    return {count, std::string(buffer.data(), count)};
}

// The reader the program looks countries up with.
ProfileString Programs(const std::string& section, const std::string& key, uint32_t size, const std::wstring& file) {
    return platform::SystemReadProfileString(section, key, size, vb::String(file.begin(), file.end()));
}

ProfileString Portable(const std::string& section, const std::string& key, uint32_t size, const std::wstring& file) {
    return platform::ReadPortableProfileString(section, key, size, fs::path(file));
}

class ProfileCompare : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(GetACP(), 1252u) << "the fixtures are Windows-1252 text"; }
};

TEST_F(ProfileCompare, FixturesReadTheSameByBothSaveTheKnownDifferencesOfWine) {
    std::vector<const KnownDifference*> seen;
    for (const auto& l : profile_fixtures::Load()) {
        SCOPED_TRACE(l.Describe());
        const std::wstring file = WindowsPath(profile_fixtures::Folder() + l.file);
        const ProfileString wine = Platform(l.section, l.key, l.size, file);
        const ProfileString portable = Portable(l.section, l.key, l.size, file);
        EXPECT_EQ(Show(Programs(l.section, l.key, l.size, file)), Show(portable)) << "the program's reader";
        if (const KnownDifference* d = FindDifference(l)) {
            seen.push_back(d);
            EXPECT_NE(wine, portable) << "Wine now agrees; take the case off the known differences";
            std::cout << "known difference of Wine, " << l.Describe() << ": Wine " << Show(wine) << ", portable "
                      << Show(portable) << "\n  " << d->why << "\n";
        } else {
            EXPECT_EQ(Show(wine), Show(portable));
        }
    }
    EXPECT_EQ(seen.size(), std::size(kWineDifferences)) << "a known difference names no lookup of lookups.txt";
}

// Files no fixture should hold, made in a folder of the test's own.
class MadeFiles : public ProfileCompare {
protected:
    MadeFiles()
        : folder_(fs::temp_directory_path() / ("brivane-profile-compare-" + std::to_string(GetCurrentProcessId()))) {
        fs::create_directories(folder_);
    }
    ~MadeFiles() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    std::wstring Make(const std::string& name, const std::string& bytes) {
        std::ofstream(folder_ / name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return (folder_ / name).wstring();
    }

    void ExpectSame(const std::wstring& file, const std::string& key, uint32_t size = 127,
                    const std::string& section = "Countries") {
        SCOPED_TRACE(fs::path(file).filename().string() + " section \"" + section + "\" key of " +
                     std::to_string(key.size()) + " bytes");
        const std::string portable = Show(Portable(section, key, size, file));
        EXPECT_EQ(Show(Platform(section, key, size, file)), portable);
        EXPECT_EQ(Show(Programs(section, key, size, file)), portable) << "the program's reader";
    }

    fs::path folder_;
};

TEST_F(MadeFiles, BinaryJunkReadsTheSame) {
    for (unsigned seed : {1u, 2u, 3u}) {
        std::mt19937 random(seed);
        std::string junk(1 << 16, '\0');
        for (char& c : junk) c = static_cast<char>(random());
        junk[0] = 'x';  // no byte-order mark
        const std::wstring file =
            Make("junk" + std::to_string(seed) + ".bin", junk + "\r\n[Countries]\r\nFrance=FR\r\n");
        for (std::string key : {"France", "", "x"}) ExpectSame(file, key);
        EXPECT_EQ(Platform("Countries", "France", 127, file).bytes, "FR");
    }
}

TEST_F(MadeFiles, HugeFilesEndlessLinesAndLongKeysReadTheSame) {
    std::string big = "[Countries]\r\n";
    while (big.size() < 10'000'000) big += "Filler with some length=XX\r\n";
    const std::wstring huge = Make("huge.ini", big + "France=FR\r\n");
    ExpectSame(huge, "France");
    ExpectSame(huge, "Atlantis");

    const std::wstring endless = Make("endless.ini", "[Countries]\r\nFrance=" + std::string(10'000'000, 'x'));
    ExpectSame(endless, "France");
    const std::wstring oneLine = Make("one-line.ini", std::string(10'000'000, 'y'));
    ExpectSame(oneLine, "France");

    const std::string name(10'000, 'k');
    const std::wstring longKey =
        Make("long-key.ini", "[Countries]\r\n" + name + "=long\r\nLong=" + std::string(100'000, 'v') + "\r\n");
    ExpectSame(longKey, name);
    ExpectSame(longKey, name + "k");
    ExpectSame(longKey, "Long");
    ExpectSame(longKey, "Long", 100'001);
}

// Entries before the first header belong to the section named "", which
// hides a later [] section; what a [] section at the top gives is the
// platform's too.
TEST_F(MadeFiles, TheEmptySectionNameReadsTheSame) {
    const std::string files[] = {
        "France=FR\r\n[]\r\nItaly=IT\r\n",          "[]\r\nItaly=IT\r\n",
        "; a comment first\r\n[]\r\nItaly=IT\r\n",  "[Countries]\r\nSpain=ES\r\n[]\r\nItaly=IT\r\n",
        "France=FR\r\n[Countries]\r\nSpain=ES\r\n",
    };
    int n = 0;
    for (const std::string& bytes : files) {
        const std::wstring file = Make("empty-section-" + std::to_string(n++) + ".ini", bytes);
        for (const char* key : {"France", "Italy", "Spain"})
            for (const char* section : {"", "  ", "Countries"}) ExpectSame(file, key, 127, section);
    }
    EXPECT_EQ(Platform("", "France", 127, Make("top.ini", files[4])).bytes, "FR");
}

TEST_F(MadeFiles, WhatIsNoFileReadsTheSame) {
    ExpectSame(folder_.wstring(), "France");
    ExpectSame((folder_ / "missing.ini").wstring(), "France");
    ExpectSame(L"", "France");
}

// The native build's command, from its build folder beside this one (as
// tools/test lays them out) or from BRIVANE_PROFILE_LOOKUP: a Unix path.
std::string NativeLookupCommand() {
    if (const char* given = std::getenv("BRIVANE_PROFILE_LOOKUP")) return given;
    wchar_t self[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
    fs::path buildRoot = fs::path(std::wstring(self, n)).parent_path().parent_path().parent_path();
    char unixPath[4096];
    const std::string dos = (buildRoot / "native" / "profile-lookup").string();
    // Wine's drive Z: is the root of the Unix file system.
    if (dos.size() > 2 && (dos[0] == 'Z' || dos[0] == 'z') && dos[1] == ':') {
        std::snprintf(unixPath, sizeof unixPath, "%s", dos.substr(2).c_str());
        for (char* p = unixPath; *p; ++p)
            if (*p == '\\') *p = '/';
        return unixPath;
    }
    return {};
}

// One argument of a command line, as the C runtime splits them.
std::wstring Quoted(const std::wstring& arg) {
    std::wstring out = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(2 * backslashes, L'\\');
    return out + L"\"";
}

std::wstring Text(const std::string& windows1252) {
    vb::String text = platform::FromWindows1252(windows1252);
    return std::wstring(text.begin(), text.end());
}

// Runs the native command and reads its two lines back; nothing, with the
// reason in `problem`, when it gave no such answer.
std::optional<ProfileString> RunNative(const std::string& command, const fs::path& output, const std::string& file,
                                       const profile_fixtures::Lookup& l, std::string& problem) {
    std::wstring line = Quoted(WindowsPath("Z:" + command)) + L" " + Quoted(win::ToWide(vb::FromAscii(file))) + L" " +
                        Quoted(Text(l.section)) + L" " + Quoted(Text(l.key)) + L" " + std::to_wstring(l.size);
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE out = CreateFileW(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE) {
        problem = "cannot create " + output.string();
        return std::nullopt;
    }
    STARTUPINFOW start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdOutput = out;
    start.hStdError = GetStdHandle(STD_ERROR_HANDLE);  // its remarks, apart from the answer
    PROCESS_INFORMATION process{};
    BOOL started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start, &process);
    CloseHandle(out);
    if (!started) {
        problem = "cannot start it: error " + std::to_string(GetLastError());
        return std::nullopt;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    // Wine does not wait for a Unix program, so wait for its two lines (a
    // value holds no line end).
    std::string bytes;
    for (int tries = 0; tries < 1000 && std::count(bytes.begin(), bytes.end(), '\n') < 2; ++tries) {
        Sleep(tries == 0 ? 0 : 10);
        std::ifstream in(output, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    size_t firstEnd = bytes.find('\n');
    if (firstEnd == std::string::npos || bytes.back() != '\n') {
        problem = "it wrote \"" + bytes + "\"";
        return std::nullopt;
    }
    ProfileString answer;
    answer.count = static_cast<uint32_t>(std::strtoul(bytes.substr(0, firstEnd).c_str(), nullptr, 10));
    answer.bytes = bytes.substr(firstEnd + 1, bytes.size() - firstEnd - 2);
    return answer;
}

TEST_F(MadeFiles, TheNativeLookupCommandAnswersAsThePortableReader) {
    const std::string command = NativeLookupCommand();
    if (command.empty() || GetFileAttributesW(WindowsPath("Z:" + command).c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no native profile-lookup (build the native build beside this one, or set "
                        "BRIVANE_PROFILE_LOOKUP)";
    const std::string unixFolder = BRIVANE_SOURCE_DIR "/tests/data/profiles/";
    int compared = 0;
    for (const auto& l : profile_fixtures::Load()) {
        if (l.section.find('\0') != std::string::npos || l.key.find('\0') != std::string::npos) continue;
        SCOPED_TRACE(l.Describe());
        std::string problem;
        auto native = RunNative(command, folder_ / "lookup.txt", unixFolder + l.file, l, problem);
        ASSERT_TRUE(native) << "profile-lookup gave no answer: " << problem;
        const std::wstring fixture = WindowsPath(profile_fixtures::Folder() + l.file);
        EXPECT_EQ(Show(*native), Show(Portable(l.section, l.key, l.size, fixture)));
        ++compared;
    }
    EXPECT_GT(compared, 100);
}

}  // namespace
