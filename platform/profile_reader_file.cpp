// The portable reader on a file: its bytes, read the C++ way. Apart from the
// rules (profile_reader_portable.cpp), so that a Windows program, which
// reads its files itself, carries no file streams.
#include <fstream>
#include <system_error>

#include "platform/profile_reader.h"

namespace platform {

namespace {

std::string ReadBytes(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) return {};
    std::ifstream in(file, std::ios::binary);
    std::string bytes;
    auto size = std::filesystem::file_size(file, error);
    if (!error) bytes.reserve(static_cast<size_t>(size));
    char chunk[1 << 16];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) bytes.append(chunk, static_cast<size_t>(in.gcount()));
    return bytes;
}

}  // namespace

ProfileString ReadPortableProfileString(std::string_view section, std::string_view key, uint32_t size,
                                        const std::filesystem::path& file) {
    return ParsePortableProfileString(ReadBytes(file), section, key, size);
}

}  // namespace platform
