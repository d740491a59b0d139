#include <windows.h>

#include <string>

#include "host/sim/file_access.h"

namespace host::sim {

namespace {

HANDLE Handle(intptr_t h) { return reinterpret_cast<HANDLE>(h); }

// The count lies after the locked byte: a reader through another handle is
// never refused it.
constexpr DWORD kCountOffset = 8;

}  // namespace

FileLock::FileLock(const NativePath& lockFile)
    : handle_(reinterpret_cast<intptr_t>(CreateFileW(lockFile.c_str(), GENERIC_READ | GENERIC_WRITE,
                                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                     OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr))) {
    HANDLE file = Handle(handle_);
    if (file == INVALID_HANDLE_VALUE) return;
    OVERLAPPED at{};
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &at)) {
        CloseHandle(file);
        handle_ = reinterpret_cast<intptr_t>(INVALID_HANDLE_VALUE);
    }
}

FileLock::~FileLock() {
    HANDLE file = Handle(handle_);
    if (file == INVALID_HANDLE_VALUE) return;
    OVERLAPPED at{};
    UnlockFileEx(file, 0, 1, 0, &at);
    CloseHandle(file);
}

std::optional<uint64_t> FileLock::Changes() const {
    HANDLE file = Handle(handle_);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    uint64_t count = 0;
    OVERLAPPED at{};
    at.Offset = kCountOffset;
    DWORD got = 0;
    // Reading past the end (a new lock file) is no failure: it reads nothing.
    if (!ReadFile(file, &count, sizeof count, &got, &at) && GetLastError() != ERROR_HANDLE_EOF) return std::nullopt;
    return got == sizeof count ? count : 0;
}

bool FileLock::SetChanges(uint64_t count) const {
    HANDLE file = Handle(handle_);
    if (file == INVALID_HANDLE_VALUE) return false;
    OVERLAPPED at{};
    at.Offset = kCountOffset;
    DWORD put = 0;
    return WriteFile(file, &count, sizeof count, &put, &at) && put == sizeof count;
}

// The state lives as long as a test run: replacing it needs to be atomic
// between processes, not to reach the disk before every answer.
bool MoveOver(const NativePath& from, const NativePath& to) {
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Writes all the bytes to the open file and closes it.
bool PutAndClose(HANDLE h, std::string_view bytes) {
    if (h == INVALID_HANDLE_VALUE) return false;
    bool written = true;
    while (written && !bytes.empty()) {
        DWORD chunk = bytes.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(bytes.size());
        DWORD put = 0;
        written = WriteFile(h, bytes.data(), chunk, &put, nullptr) && put > 0;
        if (written) bytes.remove_prefix(put);
    }
    return CloseHandle(h) && written;
}

}  // namespace

std::optional<std::string> ReadAll(const NativePath& file) {
    HANDLE h =
        CreateFileW(file.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string text;
    char chunk[16384];
    DWORD got = 0;
    bool read = true;
    while ((read = ReadFile(h, chunk, sizeof chunk, &got, nullptr)) && got > 0) text.append(chunk, got);
    CloseHandle(h);
    if (!read) return std::nullopt;
    return text;
}

bool WriteAll(const NativePath& file, std::string_view bytes) {
    return PutAndClose(
        CreateFileW(file.c_str(), GENERIC_WRITE, kShareAll, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr),
        bytes);
}

bool AppendTo(const NativePath& file, std::string_view bytes) {
    return PutAndClose(
        CreateFileW(file.c_str(), FILE_APPEND_DATA, kShareAll, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr),
        bytes);
}

bool Remove(const NativePath& file) {
    return DeleteFileW(file.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND ||
           GetLastError() == ERROR_PATH_NOT_FOUND;
}

vb::String PathText(const NativePath& file) { return vb::String(file.begin(), file.end()); }

std::optional<NativePath> StatePathFromEnvironment() {
    // The process environment as it is now, not the C runtime's copy.
    const wchar_t* name = L"BRIVANE_HOSTSIM_STATE";
    DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size <= 1) return std::nullopt;
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), size));
    if (value.empty()) return std::nullopt;
    return NativePath(value);
}

}  // namespace host::sim
