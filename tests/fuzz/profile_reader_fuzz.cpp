// The portable profile reader on any file, names and buffer size. The
// answer fits the caller's buffer, is text of the file (an 8-bit one), is
// the whole value cut to the buffer, and is the same on a second read, with
// the names' ASCII letters in the other case and with blanks around them.
// The reader sees each text in a heap block of exactly its size, so a read
// outside it is a finding of the address sanitizer.
//
// Input: section \ key \ buffer size \ the file's bytes.
#include <cstdint>
#include <string>

#include "platform/profile_reader.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/unit/exact_bytes.h"

using platform::ProfileString;

namespace {

ProfileString Read(std::string_view file, std::string_view section, std::string_view key, uint32_t size) {
    ExactBytes f(file), s(section), k(key);
    return platform::ParsePortableProfileString(f.view(), s.view(), k.view(), size);
}

std::string OtherCase(std::string name) {
    for (char& c : name) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input input(data, size);
    const std::string section = input.Field(), key = input.Field();
    const auto buffer = static_cast<uint32_t>(input.Number(UINT32_MAX));
    const std::string file = input.Rest();
    fuzz::Show shownSection("section", section), shownKey("key", key), shownFile("file", file);

    const ProfileString answer = Read(file, section, key, buffer);
    fuzz::Show shownAnswer("answer", answer.bytes);
    FUZZ_CHECK(answer.bytes.size() == answer.count);
    FUZZ_CHECK(answer.count <= (buffer == 0 ? 0 : buffer - 1));
    FUZZ_CHECK(answer.bytes.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
    if (!file.starts_with("\xFF\xFE")) FUZZ_CHECK(file.find(answer.bytes) != std::string::npos);

    FUZZ_CHECK(Read(file, section, key, buffer) == answer);
    const ProfileString whole = Read(file, section, key, UINT32_MAX);
    FUZZ_CHECK(answer.bytes == whole.bytes.substr(0, buffer == 0 ? 0 : buffer - 1));
    FUZZ_CHECK(Read(file, OtherCase(section), OtherCase(key), buffer) == answer);
    FUZZ_CHECK(Read(file, " \t" + section, "\x1A" + key + "\x0B", buffer) == answer);
    return 0;
}
