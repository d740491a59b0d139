// What the fuzz targets share: the input cut into fields, text of any UTF-16
// units made of bytes, and the check that ends the run when a rule breaks.
//
// An input is a few fields and then the rest, as it is. A field runs to a
// backslash followed by any other byte (both dropped); a doubled backslash
// stands for one. A seed reads well with each field on a line of its own,
// ending in a backslash: "Countries\<LF>France\<LF>260\<LF>[Countries]<LF>
// France=FR" (<LF> a line feed) is the fields "Countries", "France" and
// "260", and the rest "[Countries]<LF>France=FR".
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/vb/string.h"

namespace fuzz {

class Input {
public:
    Input(const uint8_t* data, size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}

    std::string Field() {
        std::string field;
        while (!rest_.empty()) {
            char c = rest_.front();
            rest_.remove_prefix(1);
            if (c != '\\') {
                field += c;
                continue;
            }
            if (rest_.empty()) break;
            char next = rest_.front();
            rest_.remove_prefix(1);
            if (next != '\\') break;
            field += '\\';
        }
        return field;
    }

    // A field as a number up to `most`: its leading decimal digits (at most
    // `most` when they say more), or, without digits, its first bytes as a
    // little-endian number taken modulo `most` + 1.
    uint64_t Number(uint64_t most) { return NumberOf(Field(), most); }

    // As Number, with an optional '-' before the digits: -most .. most.
    int64_t Signed(int64_t most) {
        std::string field = Field();
        bool negative = !field.empty() && field[0] == '-';
        auto magnitude = static_cast<int64_t>(NumberOf(negative ? field.substr(1) : field, uint64_t(most)));
        return negative ? -magnitude : magnitude;
    }

    // Whether every byte has been read.
    bool AtEnd() const { return rest_.empty(); }

    std::string Rest() {
        std::string rest(rest_);
        rest_ = {};
        return rest;
    }

private:
    static uint64_t NumberOf(std::string_view field, uint64_t most) {
        if (!field.empty() && field[0] >= '0' && field[0] <= '9') {
            uint64_t value = 0;
            for (char c : field) {
                if (c < '0' || c > '9') break;
                value = value * 10 + uint64_t(c - '0');
                if (value >= most) return most;
            }
            return value;
        }
        uint64_t value = 0;
        for (size_t i = 0; i < field.size() && i < 8; ++i)
            value |= uint64_t(static_cast<unsigned char>(field[i])) << 8 * i;
        return most == UINT64_MAX ? value : value % (most + 1);
    }

    std::string_view rest_;
};

// Text of any UTF-16 units: UTF-8 where the bytes are, the three bytes of a
// surrogate's value as that lone unit, and any other byte as the unit of
// its value (so "\xE9" alone is U+00E9). Seeds stay readable UTF-8 while
// every unit, control characters and lone surrogates included, can be
// written.
inline vb::String Text(std::string_view bytes) {
    vb::String text;
    auto continuation = [&](size_t i) {
        return i < bytes.size() && (static_cast<unsigned char>(bytes[i]) & 0xC0) == 0x80;
    };
    for (size_t i = 0; i < bytes.size();) {
        auto b = static_cast<unsigned char>(bytes[i]);
        size_t extra = b >= 0xC2 && b <= 0xDF ? 1 : b >= 0xE0 && b <= 0xEF ? 2 : b >= 0xF0 && b <= 0xF4 ? 3 : 0;
        char32_t c = extra == 1 ? b & 0x1F : extra == 2 ? b & 0x0F : b & 0x07;
        bool formed = extra > 0;
        for (size_t k = 1; k <= extra && formed; ++k) {
            formed = continuation(i + k);
            if (formed) c = c << 6 | (static_cast<unsigned char>(bytes[i + k]) & 0x3F);
        }
        static constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
        if (formed && c >= kLeast[extra] && c <= 0x10FFFF) {
            vb::AppendUtf16(text, c);
            i += extra + 1;
        } else {
            text += static_cast<char16_t>(b);
            ++i;
        }
    }
    return text;
}

// Shows what a failure needs to be understood: a text or bytes under a
// label, for as long as this object lives. Only a broken rule writes them out.
class Show {
public:
    Show(const char* label, const vb::String& text) : label_(label), text_(&text) { Shown().push_back(this); }
    Show(const char* label, const std::string& bytes) : label_(label), bytes_(&bytes) { Shown().push_back(this); }
    ~Show() { Shown().pop_back(); }
    Show(const Show&) = delete;
    Show& operator=(const Show&) = delete;

    // Every text shown, innermost last, on the error stream.
    static void WriteAll() {
        for (const Show* shown : Shown()) {
            std::fprintf(stderr, "  %s: ", shown->label_);
            if (shown->text_) {
                for (char16_t c : *shown->text_) Write(c);
            } else {
                for (char b : *shown->bytes_) Write(static_cast<unsigned char>(b));
            }
            std::fprintf(stderr, "\n");
        }
    }

private:
    static std::vector<const Show*>& Shown() {
        static std::vector<const Show*> shown;
        return shown;
    }

    // Printable ASCII as it is, all else \xHH or \uHHHH.
    static void Write(char16_t c) {
        if (c >= 0x20 && c < 0x7F && c != u'\\') std::fputc(static_cast<char>(c), stderr);
        else if (c < 0x100) std::fprintf(stderr, "\\x%02X", unsigned(c));
        else std::fprintf(stderr, "\\u%04X", unsigned(c));
    }

    const char* label_;
    const vb::String* text_ = nullptr;
    const std::string* bytes_ = nullptr;
};

[[noreturn]] inline void Broken(const char* rule, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: rule broken: %s\n", file, line, rule);
    Show::WriteAll();
    std::fflush(stderr);
    std::abort();
}

}  // namespace fuzz

// Ends the run when the rule does not hold: libFuzzer keeps the input as a
// crash, and a replay fails its test.
#define FUZZ_CHECK(rule) ((rule) ? void(0) : ::fuzz::Broken(#rule, __FILE__, __LINE__))
