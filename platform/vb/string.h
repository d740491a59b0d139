// Text inside the program is UTF-16, as on the platform it was designed for.
#pragma once

#include <string>
#include <string_view>

namespace vb {

using String = std::u16string;
using StringView = std::u16string_view;

// UTF-8 only at the edges (files, the console, Linux APIs). Lone surrogates
// become U+FFFD on the way out; invalid bytes become U+FFFD on the way in.
std::string ToUtf8(StringView text);
String FromUtf8(std::string_view bytes);
constexpr bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
constexpr bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }
// The code point at text[i]: a surrogate pair as one (i then moves on to its
// second unit), an unpaired surrogate as itself.
constexpr char32_t CodePointAt(StringView text, size_t& i) {
    char32_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
        return 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    return c;
}
// One code point's UTF-8 bytes, whatever it is (a surrogate takes the three
// bytes of its value).
void AppendUtf8(std::string& out, char32_t c);
// One code point as UTF-16: a pair beyond U+FFFF, else its one unit.
void AppendUtf16(String& out, char32_t c);

// ASCII-only convenience for literals and numbers.
String FromAscii(std::string_view ascii);

// ASCII letters in lower case, every other unit as it is: the program's
// names (settings keys, profile names, placeholders, site words) compare
// this way, whatever the user's locale.
constexpr char16_t AsciiLower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}
String AsciiLower(StringView text);

// The value of a hexadecimal digit of either case; -1 for any other unit.
constexpr int HexDigitValue(char32_t c) {
    return c >= U'0' && c <= U'9'   ? static_cast<int>(c - U'0')
           : c >= U'A' && c <= U'F' ? static_cast<int>(c - U'A') + 10
           : c >= U'a' && c <= U'f' ? static_cast<int>(c - U'a') + 10
                                    : -1;
}
bool EqualsAsciiNoCase(StringView a, StringView b);

}  // namespace vb
