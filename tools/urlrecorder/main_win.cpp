// urlrecorder: appends the raw command line it was started with (as the
// shell built it from the handler's template) as one UTF-8 line to a log,
// and ends at once. The log is %BRIVANE_URL_LOG% (a Windows path), else
// urlrecorder.log beside the program. In the line, \ tab CR LF are written
// as \\ \t \r \n, so one run is always one line. Exit code 0 when the line
// was written, 1 when not. No window, no console: it never blocks the
// program that opened the URL.
#include <windows.h>

#include <string>

#include "tools/uidriver/text_win.h"

namespace {

constexpr wchar_t kLogVariable[] = L"BRIVANE_URL_LOG";
constexpr wchar_t kLogBesideProgram[] = L"urlrecorder.log";

std::wstring LogPath() {
    DWORD size = GetEnvironmentVariableW(kLogVariable, nullptr, 0);
    if (size > 1) {
        std::wstring path(size, L'\0');
        path.resize(GetEnvironmentVariableW(kLogVariable, path.data(), size));
        return path;
    }
    std::wstring exe(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
        if (n < exe.size()) {
            exe.resize(n);
            break;
        }
        exe.resize(exe.size() * 2);
    }
    return exe.substr(0, exe.find_last_of(L"\\/") + 1) + kLogBesideProgram;
}

// One write in append mode: runs started close together never mix their
// lines.
bool Append(const std::wstring& path, const std::string& line) {
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == line.size();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return Append(LogPath(), uidriver::ToUtf8(uidriver::Escaped(GetCommandLineW())) + "\n") ? 0 : 1;
}
