// Seeded random inputs for the property tests: texts and bytes of the kinds
// that trip up encoders and parsers (nothing at all, very long, control
// characters, NUL, every 8-bit byte, lone surrogates, characters beyond the
// BMP, quotes, "&", "#", "%", line breaks).
//
// Every run draws the same inputs unless BRIVANE_SEED (decimal or 0x...)
// names another seed. A failure shows the seed and the round in its trace;
// running that test again with that seed replays it.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "platform/vb/string.h"

namespace random_input {

inline constexpr uint64_t kDefaultSeed = 20240611;

// Long enough to find quadratic work and fixed buffers, short enough for
// many rounds.
inline constexpr size_t kHuge = 100'000;

inline uint64_t RunSeed() {
    if (const char* text = std::getenv("BRIVANE_SEED"); text && *text) {
        char* end = nullptr;
        uint64_t seed = std::strtoull(text, &end, 0);
        if (*end == '\0') return seed;
    }
    return kDefaultSeed;
}

// Text of any kind, escaped into readable ASCII and shortened, for messages.
inline std::string Describe(vb::StringView text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (size_t i = 0; i < text.size() && i < 300; ++i) {
        char16_t c = text[i];
        if (c >= 0x20 && c < 0x7F && c != u'\\' && c != u'"') {
            out += static_cast<char>(c);
        } else if (c < 0x100) {
            out += {'\\', 'x', kHex[c >> 4], kHex[c & 0xF]};
        } else {
            out += {'\\', 'u', kHex[c >> 12], kHex[(c >> 8) & 0xF], kHex[(c >> 4) & 0xF], kHex[c & 0xF]};
        }
    }
    out += '"';
    if (text.size() > 300) out += " ... (" + std::to_string(text.size()) + " units)";
    return out;
}

inline std::string Describe(std::string_view bytes) {
    vb::String units;
    for (char b : bytes) units += static_cast<unsigned char>(b);
    return "bytes " + Describe(units);
}

class Source {
public:
    // Each test mixes its own name into the run's seed: tests draw
    // different inputs, and each replays on its own.
    explicit Source(std::string_view salt) : seed_(RunSeed()) {
        uint64_t hash = 14695981039346656037ull;  // FNV-1a: the same on every system
        for (char c : salt) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        std::seed_seq seq{static_cast<uint32_t>(seed_), static_cast<uint32_t>(seed_ >> 32), static_cast<uint32_t>(hash),
                          static_cast<uint32_t>(hash >> 32)};
        engine_.seed(seq);
    }

    // For SCOPED_TRACE in each round.
    std::string Trace(int round) const {
        return "BRIVANE_SEED=" + std::to_string(seed_) + ", round " + std::to_string(round);
    }

    // Runs `body(round)` for each round under a trace naming the seed and the
    // round; stops after the first round that failed, which is enough to
    // replay.
    template <class Body>
    void Rounds(int count, Body body) {
        for (int round = 0; round < count; ++round) {
            if (::testing::Test::HasFailure()) return;
            SCOPED_TRACE(Trace(round));
            body(round);
        }
    }

    // 0 .. n-1 (n > 0). The modulo keeps the draws the same on every
    // standard library, unlike the distributions.
    size_t Below(size_t n) { return static_cast<size_t>(engine_() % n); }
    bool OneIn(size_t n) { return Below(n) == 0; }
    template <class T>
    T Pick(std::initializer_list<T> choices) {
        return choices.begin()[Below(choices.size())];
    }
    template <class T>
    const T& Pick(const std::vector<T>& choices) {
        return choices[Below(choices.size())];
    }

    // Mostly short, sometimes nothing, now and then up to `longest`.
    size_t Length(size_t longest = kHuge) {
        size_t r = Below(100);
        size_t n = r < 8    ? 0
                   : r < 60 ? 1 + Below(16)
                   : r < 90 ? 17 + Below(284)
                   : r < 98 ? 301 + Below(3700)
                            : Below(longest + 1);
        return n < longest ? n : longest;
    }

    // UTF-16 text drawn from one to three of the kinds below, so that a
    // text is dense in what it holds.
    vb::String Text(size_t longest = kHuge) {
        size_t length = Length(longest);
        size_t kinds[3];
        size_t count = 1 + Below(3);
        for (size_t i = 0; i < count; ++i) kinds[i] = Below(kTextKinds);
        vb::String text;
        while (text.size() < length) AppendUnit(text, kinds[Below(count)]);
        text.resize(length);  // may cut a pair: a lone surrogate is fair input too
        return text;
    }

    // Text of the given units only.
    vb::String TextOf(vb::StringView alphabet, size_t length) {
        vb::String text(length, u'\0');
        for (char16_t& c : text) c = alphabet[Below(alphabet.size())];
        return text;
    }

    // Bytes: any byte, ASCII, the syntax of the files we read, UTF-8 good
    // and bad, and the caller's own words; sometimes after a byte-order mark.
    std::string Bytes(size_t longest = kHuge, std::initializer_list<std::string_view> words = {}) {
        size_t length = Length(longest);
        std::string bytes;
        if (OneIn(8)) bytes = Pick({"\xFF\xFE", "\xEF\xBB\xBF", "\xFE\xFF"});
        size_t kinds[2] = {Below(kByteKinds), Below(kByteKinds)};
        while (bytes.size() < length) {
            size_t kind = kinds[Below(2)];
            if (kind == kByteKinds - 1 && words.size() == 0) kind = 0;
            switch (kind) {
            case 0:
                bytes += static_cast<char>(Below(256));
                break;
            case 1:
                bytes += static_cast<char>(0x20 + Below(0x5F));
                break;
            case 2:
                bytes += Pick<std::string_view>(
                    {"[",  "]",   "=",   "\r",  "\n",   "\r\n", ";",    "#",
                     "\"", "'",   " ",   "\t",  "\x0B", "\x0C", "\x1A", std::string_view("\0", 1),
                     "\\", "\\x", "\\u", "\\n", "\\\\"});
                break;
            case 3:
                bytes += Utf8();
                break;
            default:
                bytes += words.begin()[Below(words.size())];
                break;
            }
        }
        bytes.resize(length);
        return bytes;
    }

private:
    static constexpr size_t kTextKinds = 10;
    static constexpr size_t kByteKinds = 5;

    void AppendUnit(vb::String& text, size_t kind) {
        static constexpr std::u16string_view kSpecials = u"&#%\"'=[];\\?/:,+ \t";
        static constexpr std::u16string_view kFolding =
            u"aeiouAEIOU\u00E9\u00E8\u00EA\u00EB\u00E0\u00E2\u00E4\u00EC\u00EF\u00EE\u00F2\u00F6\u00F4\u00F9\u00FC"
            u"\u00FB\u00C9\u00C8\u00CA\u00CB\u00C0\u00C2\u00C4\u00CC\u00CF\u00CE\u00D2\u00D6\u00D4\u00D9\u00DC"
            u"\u00DB\u0300\u0301\u0302\u0308\u0300\u0301\u0302\u0308\u00E1\u00E3\u00C1\u0303\u0327";
        static constexpr std::u16string_view kOdd =
            u"\u0085\u00A0\u2028\u2029\u3000\uFEFF\uFFFD\uFFFE\uFFFF\u20AC\u0178";
        switch (kind) {
        case 0:
            text += static_cast<char16_t>(0x20 + Below(0x5F));
            break;
        case 1:
            text += kSpecials[Below(kSpecials.size())];
            break;
        case 2:
            text += static_cast<char16_t>(OneIn(33) ? 0x7F : Below(0x20));
            break;
        case 3:
            text += static_cast<char16_t>(0x80 + Below(0x80));
            break;
        case 4:
            text += kFolding[Below(kFolding.size())];
            break;
        case 5:
            text += static_cast<char16_t>(Below(0x10000));
            break;
        case 6: {  // a character beyond the BMP, as its pair
            uint32_t c = static_cast<uint32_t>(Below(0x100000));
            text += static_cast<char16_t>(0xD800 + (c >> 10));
            text += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
            break;
        }
        case 7:
            text += static_cast<char16_t>(0xD800 + Below(0x800));
            break;  // a lone surrogate
        case 8:
            text += kOdd[Below(kOdd.size())];
            break;
        default:
            text += Pick<std::u16string_view>({u"\r\n", u"\r", u"\n", u"\n\r"});
            break;
        }
    }

    // One character in UTF-8, or a sequence no valid UTF-8 holds.
    std::string Utf8() {
        if (OneIn(3)) {
            return std::string(
                Pick<std::string_view>({"\x80", "\xBF", "\xC0\x80", "\xC3", "\xE2\x82", "\xED\xA0\x80", "\xED\xBF\xBF",
                                        "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xFF", "\xF0\x9F\x97"}));
        }
        char32_t c = static_cast<char32_t>(Below(0x110000));
        if (c >= 0xD800 && c <= 0xDFFF) c = 0xE9;
        std::u16string one;
        if (c >= 0x10000) {
            one += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            one += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            one += static_cast<char16_t>(c);
        }
        return vb::ToUtf8(one);
    }

    uint64_t seed_;
    std::mt19937_64 engine_;
};

}  // namespace random_input
