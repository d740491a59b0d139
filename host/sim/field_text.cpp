#include "host/sim/field_text.h"

namespace host::sim {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

void AppendHex(std::string& out, unsigned value, int digits) {
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) out += kHex[(value >> shift) & 0xF];
}

std::optional<unsigned> ParseHex(std::string_view digits) {
    unsigned value = 0;
    for (char c : digits) {
        int d = vb::HexDigitValue(static_cast<unsigned char>(c));
        if (d < 0) return std::nullopt;
        value = value * 16 + static_cast<unsigned>(d);
    }
    return value;
}

}  // namespace

std::string EscapeField(vb::StringView text) {
    std::string out;
    out.reserve(text.size());
    size_t run = 0;  // start of the text that goes out as plain UTF-8
    auto flush = [&](size_t end) {
        out += vb::ToUtf8(text.substr(run, end - run));
        run = end + 1;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = vb::CodePointAt(text, i);
        if (c > 0xFFFF) continue;  // a pair goes out as plain UTF-8
        if (vb::IsSurrogate(c)) {
            flush(i);
            out += "%u";
            AppendHex(out, c, 4);
        } else if (c < 0x20 || c == 0x7F || c == u'%') {
            flush(i);
            out += '%';
            AppendHex(out, c, 2);
        }
    }
    flush(text.size());
    return out;
}

std::optional<vb::String> UnescapeField(std::string_view field) {
    vb::String out;
    std::string bytes;  // UTF-8 waiting to be decoded
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '%') {
            bytes += field[i];
            continue;
        }
        if (i + 1 < field.size() && field[i + 1] == 'u') {
            auto unit = i + 6 <= field.size() ? ParseHex(field.substr(i + 2, 4)) : std::nullopt;
            if (!unit) return std::nullopt;
            out += vb::FromUtf8(bytes);
            bytes.clear();
            out += static_cast<char16_t>(*unit);
            i += 5;
            continue;
        }
        auto byte = i + 3 <= field.size() ? ParseHex(field.substr(i + 1, 2)) : std::nullopt;
        if (!byte) return std::nullopt;
        bytes += static_cast<char>(*byte);
        i += 2;
    }
    out += vb::FromUtf8(bytes);
    return out;
}

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (;;) {
        size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos) return fields;
        start = tab + 1;
    }
}

}  // namespace host::sim
