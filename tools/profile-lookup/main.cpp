// profile-lookup FILE SECTION KEY [SIZE]
// What GetPrivateProfileStringA would give for one entry, by the portable
// reader: the count it returns on the first line, the value's bytes as they
// are on the second. SECTION and KEY are UTF-8 text, looked up in the 8-bit
// code page as the program looks them up; SIZE is the buffer size, 127 as
// the program passes it unless given.
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <new>
#include <string_view>
#include <system_error>

#include "platform/profile_reader.h"

namespace {

int Usage() {
    std::cerr << "usage: profile-lookup FILE SECTION KEY [SIZE]\n"
                 "Prints the count the profile reader returns for KEY in [SECTION] of FILE,\n"
                 "then the value's bytes. SIZE is the buffer size (127 unless given).\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4 || argc > 5) return Usage();
    uint32_t size = 127;
    if (argc == 5) {
        std::string_view text = argv[4];
        auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), size);
        if (error != std::errc() || end != text.data() + text.size()) return Usage();
    }
    const std::filesystem::path file = argv[1];
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        std::cerr << "profile-lookup: " << argv[1] << " is no readable file; read as empty\n";
    try {
        const platform::ProfileString answer = platform::ReadPortableProfileString(
            platform::ToAnsi(vb::FromUtf8(argv[2])), platform::ToAnsi(vb::FromUtf8(argv[3])), size, file);
        std::cout << answer.count << '\n';
        std::cout.write(answer.bytes.data(), static_cast<std::streamsize>(answer.bytes.size()));
        std::cout << '\n' << std::flush;
        return std::cout ? 0 : 1;
    } catch (const std::bad_alloc&) {
        std::cerr << "profile-lookup: out of memory reading " << argv[1] << '\n';
        return 1;
    }
}
