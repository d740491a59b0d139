#include <windows.h>

#include <climits>
#include <new>
#include <string>

#include "platform/profile_reader.h"
#include "platform/vb/error.h"
#include "platform/win32/scoped.h"

namespace platform {

namespace {

// The file's full name as the platform's reader takes it: a name without a
// folder lies in the Windows folder.
std::wstring FileName(vb::StringView file) {
    std::wstring name(file.begin(), file.end());
    if (name.find_first_of(L"\\/") != std::wstring::npos) return name;
    wchar_t folder[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return name;
    return std::wstring(folder, length) + L'\\' + name;
}

// The bytes of the file by its exact name; nothing for a file that is
// missing, unreadable or no file on a disk (a folder, a device, a pipe).
std::string ReadFileBytes(vb::StringView file) {
    if (file.empty()) return {};
    HANDLE opened =
        CreateFileW(FileName(file).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return {};
    win::ScopedHandle handle(opened);
    if (GetFileType(handle.get()) != FILE_TYPE_DISK) return {};
    std::string bytes;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(handle.get(), &size)) {
        // MultiByteToWideChar counts in int: a larger file is more than the
        // program can hold as text anyway.
        if (size.QuadPart > INT_MAX / 2) throw std::bad_alloc();
        bytes.reserve(static_cast<size_t>(size.QuadPart));
    }
    char chunk[1 << 16];
    DWORD read = 0;
    while (ReadFile(handle.get(), chunk, sizeof chunk, &read, nullptr) && read > 0) {
        if (bytes.size() + read > INT_MAX / 2) throw std::bad_alloc();
        bytes.append(chunk, read);
    }
    return bytes;
}

}  // namespace

ProfileString SystemReadProfileString(std::string_view section, std::string_view key, uint32_t size,
                                      vb::StringView file) {
    return ParseProfileString(ReadFileBytes(file), section, key, size, {FromAnsi, ToAnsi});
}

std::string ToAnsi(vb::StringView text) {
    if (text.empty()) return {};
    if (text.size() > INT_MAX / 2) throw vb::Error(vb::kOutOfMemory);
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    int needed = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(needed), '\0');
    needed = WideCharToMultiByte(CP_ACP, 0, wide, length, bytes.data(), needed, nullptr, nullptr);
    bytes.resize(static_cast<size_t>(needed));
    return bytes;
}

vb::String FromAnsi(std::string_view bytes) {
    if (bytes.empty()) return {};
    if (bytes.size() > INT_MAX / 2) throw vb::Error(vb::kOutOfMemory);
    const int length = static_cast<int>(bytes.size());
    int needed = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    vb::String text(static_cast<size_t>(needed), u'\0');
    needed = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, reinterpret_cast<wchar_t*>(text.data()), needed);
    text.resize(static_cast<size_t>(needed));
    return text;
}

}  // namespace platform
