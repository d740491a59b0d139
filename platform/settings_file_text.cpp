#include "platform/settings_file_text.h"

namespace platform::settings_text {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

int HexValue(char c) { return vb::HexDigitValue(static_cast<unsigned char>(c)); }

bool MustEncode(char32_t c, bool atEdge, bool isName) {
    if (c == u'%' || c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F) || c == 0x2028 || c == 0x2029 || c == 0xFEFF ||
        vb::IsSurrogate(c))
        return true;
    if (c == u' ' && atEdge) return true;
    return isName && (c == u'=' || c == u'[' || c == u']' || c == u';' || c == u'#');
}

// UTF-8 in which a surrogate's three bytes stand for that unit; nothing for
// bytes no encoder writes (overlong forms, cut sequences, beyond U+10FFFF).
std::optional<vb::String> FromBytes(std::string_view bytes) {
    vb::String out;
    for (size_t i = 0; i < bytes.size();) {
        unsigned char b = static_cast<unsigned char>(bytes[i]);
        size_t extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : 4;
        if (extra == 4 || i + extra >= bytes.size()) return std::nullopt;
        char32_t c = extra == 0 ? b : b & (0x3F >> extra);
        for (size_t k = 1; k <= extra; ++k) {
            unsigned char next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            c = (c << 6) | (next & 0x3F);
        }
        static constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
        if (c < kLeast[extra] || c > 0x10FFFF) return std::nullopt;
        vb::AppendUtf16(out, c);
        i += extra + 1;
    }
    return out;
}

bool IsRawControl(unsigned char b) { return (b < 0x20 && b != '\t') || b == 0x7F; }

}  // namespace

std::string Encode(vb::StringView text, bool isName) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        bool atEdge = i == 0 || i + 1 == text.size();
        char32_t c = vb::CodePointAt(text, i);
        if (c > 0xFFFF) atEdge = false;
        size_t start = out.size();
        vb::AppendUtf8(out, c);
        if (!MustEncode(c, atEdge, isName)) continue;
        std::string bytes = out.substr(start);
        out.resize(start);
        for (unsigned char b : bytes) {
            out += '%';
            out += kHex[b >> 4];
            out += kHex[b & 0xF];
        }
    }
    return out;
}

std::optional<vb::String> Decode(std::string_view field) {
    std::string bytes;
    bytes.reserve(field.size());
    for (size_t i = 0; i < field.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(field[i]);
        if (IsRawControl(b)) return std::nullopt;
        if (b != '%') {
            bytes += static_cast<char>(b);
            continue;
        }
        int high = i + 2 < field.size() ? HexValue(field[i + 1]) : -1;
        int low = high >= 0 ? HexValue(field[i + 2]) : -1;
        if (low < 0) return std::nullopt;
        bytes += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return FromBytes(bytes);
}

std::optional<vb::String> DecodeLegacy(std::string_view field) {
    // Raw text between escapes: well-formed UTF-8 without control characters
    // other than tab.
    auto raw = [](std::string_view text) -> std::optional<vb::String> {
        for (char b : text)
            if (IsRawControl(static_cast<unsigned char>(b))) return std::nullopt;
        vb::String decoded = vb::FromUtf8(text);
        if (vb::ToUtf8(decoded) != text) return std::nullopt;  // only valid UTF-8 survives the round trip
        return decoded;
    };
    vb::String out;
    size_t run = 0, i = 0;
    while (i < field.size()) {
        if (field[i] != '\\') {
            ++i;
            continue;
        }
        auto text = raw(field.substr(run, i - run));
        if (!text || i + 1 >= field.size()) return std::nullopt;
        out += *text;
        char e = field[i + 1];
        size_t digits = e == 'x' ? 2 : e == 'u' ? 4 : 0;
        if (digits) {
            if (field.size() - (i + 2) < digits) return std::nullopt;
            char32_t unit = 0;
            for (size_t k = 0; k < digits; ++k) {
                int d = HexValue(field[i + 2 + k]);
                if (d < 0) return std::nullopt;
                unit = unit * 16 + static_cast<char32_t>(d);
            }
            out += static_cast<char16_t>(unit);
        } else if (std::string_view("\\=[];#").find(e) != std::string_view::npos) {
            out += static_cast<char16_t>(e);
        } else if (e == 'n' || e == 'r' || e == 't') {
            out += e == 'n' ? u'\n' : e == 'r' ? u'\r' : u'\t';
        } else {
            return std::nullopt;
        }
        i += 2 + digits;
        run = i;
    }
    auto text = raw(field.substr(run));
    if (!text) return std::nullopt;
    return out + *text;
}

size_t NameEnd(std::string_view line, bool legacy) {
    for (size_t i = 0; i < line.size(); i += legacy && line[i] == '\\' ? 2 : 1)
        if (line[i] == '=') return i;
    return std::string_view::npos;
}

}  // namespace platform::settings_text
