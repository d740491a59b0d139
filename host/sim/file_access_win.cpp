#include <windows.h>

#include <string>

#include "host/sim/file_access.h"

namespace host::sim {

FileLock::FileLock(const std::filesystem::path& lockFile)
    : handle_(reinterpret_cast<intptr_t>(CreateFileW(lockFile.c_str(), GENERIC_READ | GENERIC_WRITE,
                                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr))) {
    HANDLE file = reinterpret_cast<HANDLE>(handle_);
    if (file == INVALID_HANDLE_VALUE) return;
    OVERLAPPED at{};
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &at)) {
        CloseHandle(file);
        handle_ = reinterpret_cast<intptr_t>(INVALID_HANDLE_VALUE);
    }
}

FileLock::~FileLock() {
    HANDLE file = reinterpret_cast<HANDLE>(handle_);
    if (file == INVALID_HANDLE_VALUE) return;
    OVERLAPPED at{};
    UnlockFileEx(file, 0, 1, 0, &at);
    CloseHandle(file);
}

// The state lives as long as a test run: replacing it needs to be atomic
// between processes, not to reach the disk before every answer.
bool MoveOver(const std::filesystem::path& from, const std::filesystem::path& to) {
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

std::optional<std::filesystem::path> StatePathFromEnvironment() {
    // The process environment as it is now, not the C runtime's copy.
    const wchar_t* name = L"BRIVANE_HOSTSIM_STATE";
    DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size <= 1) return std::nullopt;
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), size));
    if (value.empty()) return std::nullopt;
    return std::filesystem::path(value);
}

}  // namespace host::sim
