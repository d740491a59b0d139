#include <windows.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "platform/profile_reader.h"
#include "platform/vb/error.h"

namespace platform {

namespace {

// The file's name for the 8-bit reader. A folder the code page cannot spell
// (a user name in another script) would reach it with '?' for those letters
// and never be found: then the file's short name, which the system spells
// in plain letters where the volume keeps short names.
std::string AnsiFileName(vb::StringView file) {
    std::string bytes = ToAnsi(file);
    if (FromAnsi(bytes) == file) return bytes;
    const std::wstring wide(file.begin(), file.end());
    DWORD size = GetShortPathNameW(wide.c_str(), nullptr, 0);
    if (size == 0) return bytes;
    std::wstring shortName(size, L'\0');
    DWORD length = GetShortPathNameW(wide.c_str(), shortName.data(), size);
    if (length == 0 || length >= size) return bytes;
    const vb::String shortText(shortName.begin(), shortName.begin() + length);
    std::string shortBytes = ToAnsi(shortText);
    return FromAnsi(shortBytes) == shortText ? shortBytes : bytes;
}

}  // namespace

ProfileString SystemReadProfileString(std::string_view section, std::string_view key, uint32_t size,
                                      vb::StringView file) {
    // The reader takes C strings: a NUL ends a name here, as it does there.
    const std::string sectionText(section), keyText(key), fileText = AnsiFileName(file);
    std::vector<char> buffer(size_t{size} + 1, '\0');
    DWORD count =
        GetPrivateProfileStringA(sectionText.c_str(), keyText.c_str(), "", buffer.data(), size, fileText.c_str());
    count = size == 0 ? 0 : std::min<DWORD>(count, size - 1);
    return {count, std::string(buffer.data(), count)};
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
    std::wstring wide(static_cast<size_t>(needed), L'\0');
    needed = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, wide.data(), needed);
    return vb::String(wide.begin(), wide.begin() + needed);
}

}  // namespace platform
