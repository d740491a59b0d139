#include "platform/profile_reader.h"

namespace platform {

// No platform reader here: the portable one answers, with the countries
// files' code page standing for the system's.
ProfileString SystemReadProfileString(std::string_view section, std::string_view key, uint32_t size,
                                      vb::StringView file) {
    return ReadPortableProfileString(section, key, size, std::filesystem::path(vb::ToUtf8(file)));
}

std::string ToAnsi(vb::StringView text) { return ToWindows1252(text); }

vb::String FromAnsi(std::string_view bytes) { return FromWindows1252(bytes); }

}  // namespace platform
