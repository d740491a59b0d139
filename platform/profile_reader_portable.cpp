// The portable profile reader. Every rule here is the platform reader's own
// (see profile_reader.h), the odd ones included: a countries file has to read
// the same whichever reader reads it.
#include <algorithm>
#include <optional>

#include "platform/profile_reader.h"

namespace platform {

namespace {

// Windows-1252 from 80 to 9F; the rest of the code page is Latin-1.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t Windows1252Unit(char byte) {
    auto b = static_cast<unsigned char>(byte);
    return b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : char16_t{b};
}

char Windows1252Byte(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
    return '?';
}

// Capital form of a letter, for comparing names without regard to case.
// Latin Extended-A pairs a capital with its small letter: even/odd in most
// runs, odd/even in two.
char16_t Upper(char16_t c) {
    if (c < 0x80) return c >= u'a' && c <= u'z' ? c - 0x20 : c;
    if (c < 0x100) {
        if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
        return c == 0xFF ? 0x178 : c;
    }
    if (c < 0x180) {
        if (c <= 0x12F || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return c & ~1;
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c : c - 1;
        return c;
    }
    if (c == 0x3C2) return 0x3A3;  // final sigma
    if (c >= 0x3B1 && c <= 0x3C9) return c - 0x20;
    if (c >= 0x430 && c <= 0x44F) return c - 0x20;
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;
    return c;
}

bool IsLineEnd(char16_t c) { return c == u'\r' || c == u'\n'; }

std::u16string_view Trim(std::u16string_view s) {
    while (!s.empty() && IsProfileBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsProfileBlank(s.back())) s.remove_suffix(1);
    return s;
}

// The platform keeps names and values as C strings.
template <class C>
std::basic_string_view<C> UpToNul(std::basic_string_view<C> s) {
    auto nul = s.find(C{0});
    return nul == s.npos ? s : s.substr(0, nul);
}

// A name as the caller gives it: ended at a NUL, blanks around it dropped,
// in capitals.
std::u16string LookupName(std::string_view bytes, const ProfileCodePage& codePage) {
    std::u16string name(Trim(codePage.toText(UpToNul(bytes))));
    for (char16_t& c : name) c = Upper(c);
    return name;
}

bool SameName(std::u16string_view name, const std::u16string& upper) {
    if (name.size() != upper.size()) return false;
    for (size_t i = 0; i < name.size(); ++i)
        if (Upper(name[i]) != upper[i]) return false;
    return true;
}

// The raw value of the entry, or nothing. Only the first section of the
// name is searched, and in it the first entry of the name counts. What
// comes before the first section header is the first section named "".
std::optional<std::u16string_view> FindValue(std::u16string_view text, const std::u16string& section,
                                             const std::u16string& key) {
    bool inSection = section.empty();
    size_t at = 0;
    while (at < text.size()) {
        size_t end = at;
        while (end < text.size() && !IsLineEnd(text[end])) ++end;
        std::u16string_view line = Trim(text.substr(at, end - at));
        at = end;
        while (at < text.size() && IsLineEnd(text[at])) ++at;
        if (line.empty()) continue;

        if (line.front() == u'[') {
            // The name runs to the last "]", so "[a]b]" is the section "a]b".
            size_t close = line.rfind(u']');
            if (close != line.npos) {
                if (inSection) return std::nullopt;
                inSection = SameName(UpToNul(Trim(line.substr(1, close - 1))), section);
                continue;
            }
        }
        if (!inSection) continue;
        size_t equals = line.find(u'=');
        if (equals == line.npos) continue;
        if (SameName(UpToNul(Trim(line.substr(0, equals))), key)) return UpToNul(Trim(line.substr(equals + 1)));
    }
    return std::nullopt;
}

// The value in the code page, cut to the caller's buffer: size - 1
// characters, and no more bytes than that where a character takes two.
ProfileString Answer(std::optional<std::u16string_view> found, uint32_t size, const ProfileCodePage& codePage) {
    if (!found || size == 0) return {};
    std::u16string_view value = *found;
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    value = value.substr(0, std::min<size_t>(value.size(), size - 1));
    ProfileString answer;
    answer.bytes = codePage.toBytes(value);
    if (answer.bytes.size() > size - 1) answer.bytes.resize(size - 1);
    answer.count = static_cast<uint32_t>(answer.bytes.size());
    return answer;
}

// The file's text: UTF-16 after the byte-order mark FF FE, as on the
// platform (a trailing odd byte is dropped), else 8-bit text in the code
// page.
std::u16string FileText(std::string_view content, const ProfileCodePage& codePage) {
    if (content.size() < 2 || content[0] != '\xFF' || content[1] != '\xFE') return codePage.toText(content);
    std::u16string text((content.size() - 2) / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(static_cast<unsigned char>(content[2 + 2 * i]) |
                                        static_cast<unsigned char>(content[3 + 2 * i]) << 8);
    return text;
}

}  // namespace

std::string ToWindows1252(vb::StringView text) {
    std::string bytes(text.size(), '\0');
    std::transform(text.begin(), text.end(), bytes.begin(), Windows1252Byte);
    return bytes;
}

vb::String FromWindows1252(std::string_view bytes) {
    vb::String text(bytes.size(), u'\0');
    std::transform(bytes.begin(), bytes.end(), text.begin(), [](char b) { return Windows1252Unit(b); });
    return text;
}

ProfileString ParseProfileString(std::string_view content, std::string_view section, std::string_view key,
                                 uint32_t size, const ProfileCodePage& codePage) {
    const std::u16string sectionName = LookupName(section, codePage);
    const std::u16string keyName = LookupName(key, codePage);
    const std::u16string text = FileText(content, codePage);
    return Answer(FindValue(text, sectionName, keyName), size, codePage);
}

ProfileString ParsePortableProfileString(std::string_view content, std::string_view section, std::string_view key,
                                         uint32_t size) {
    return ParseProfileString(content, section, key, size, kWindows1252);
}

}  // namespace platform
