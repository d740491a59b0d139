#include "platform/vb/convert.h"

#include <cmath>
#include <string>

#include "platform/locale.h"
#include "platform/vb/decimal.h"
#include "platform/vb/error.h"

namespace vb {
namespace {

// A number as read from text, before it is fitted to a type.
struct Number {
    bool pattern = false;  // hex or octal: `bits` holds it
    uint32_t bits = 0;
    bool negative = false;
    std::string digits;    // decimal digits without leading or trailing zeros; empty for 0
    int64_t exponent = 0;  // value = digits * 10^exponent
};

constexpr int32_t kOk = 0;

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

int DigitValue(char16_t c, int base) {
    int v = HexDigitValue(c);
    return v < base ? v : -1;
}

// "&H..." or "&O..." after the blanks are gone.
int32_t ParsePattern(StringView text, Number& out) {
    if (text.size() < 3) return kTypeMismatch;
    int base = 0;
    if (text[1] == u'H' || text[1] == u'h') base = 16;
    if (text[1] == u'O' || text[1] == u'o') base = 8;
    if (base == 0) return kTypeMismatch;
    uint64_t value = 0;
    bool tooBig = false;
    for (char16_t c : text.substr(2)) {
        int d = DigitValue(c, base);
        if (d < 0) return kTypeMismatch;
        value = value * base + d;
        if (value > 0xFFFFFFFFu) {
            tooBig = true;
            value = 0;  // keep reading: a bad character later still makes it no number
        }
    }
    if (tooBig) return kOverflow;
    out.pattern = true;
    out.bits = static_cast<uint32_t>(value);
    return kOk;
}

int32_t ParseDecimal(StringView text, char16_t separator, Number& out) {
    size_t i = 0;
    if (text[i] == u'+' || text[i] == u'-') {
        out.negative = text[i] == u'-';
        ++i;
    }
    std::string digits;
    int64_t fractionDigits = 0;
    bool seenSeparator = false;
    for (; i < text.size(); ++i) {
        char16_t c = text[i];
        if (IsDigit(c)) {
            digits += static_cast<char>(c);
            if (seenSeparator) ++fractionDigits;
        } else if (c == separator && !seenSeparator) {
            seenSeparator = true;
        } else {
            break;
        }
    }
    if (digits.empty()) return kTypeMismatch;

    int64_t exponent = 0;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
            negativeExponent = text[i] == u'-';
            ++i;
        }
        if (i == text.size() || !IsDigit(text[i])) return kTypeMismatch;
        for (; i < text.size() && IsDigit(text[i]); ++i) {
            // Far beyond any double; saturating keeps the arithmetic safe.
            if (exponent < 1'000'000'000) exponent = exponent * 10 + (text[i] - u'0');
        }
        if (negativeExponent) exponent = -exponent;
    }
    if (i != text.size()) return kTypeMismatch;

    size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) return kOk;  // zero, whatever its exponent
    size_t last = digits.find_last_not_of('0');
    out.digits = digits.substr(first, last + 1 - first);
    out.exponent = exponent - fractionDigits + static_cast<int64_t>(digits.size() - 1 - last);
    return kOk;
}

int32_t Parse(StringView text, Number& out) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    if (text.empty()) return kTypeMismatch;
    if (text[0] == u'&') return ParsePattern(text, out);
    return ParseDecimal(text, platform::DecimalSeparator(), out);
}

// Rounds a decimal number to an integer, half to even on its exact digits.
// False when its magnitude is far beyond 32 bits.
bool RoundDecimal(const Number& n, int64_t& out) {
    out = 0;
    if (n.digits.empty()) return true;
    const int64_t size = static_cast<int64_t>(n.digits.size());
    const int64_t integerDigits = size + n.exponent;
    if (integerDigits > 12) return false;
    int64_t value = 0;
    for (int64_t k = 0; k < integerDigits; ++k) {
        value = value * 10 + (k < size ? n.digits[k] - '0' : 0);
    }
    // First digit after the decimal point; a negative position means leading
    // zeros there, so the fraction is below one half.
    if (integerDigits >= 0 && integerDigits < size) {
        char next = n.digits[integerDigits];
        bool more = integerDigits + 1 < size;  // trailing zeros were dropped: anything left is non-zero
        if (next > '5' || (next == '5' && (more || value % 2 != 0))) ++value;
    }
    out = n.negative ? -value : value;
    return true;
}

int64_t TextToInteger(StringView text, int64_t min, int64_t max, uint32_t patternMask) {
    Number n;
    if (int32_t failure = Parse(text, n)) throw Error(failure);
    if (n.pattern) {
        if (n.bits > patternMask) throw Error(kOverflow);
        // The pattern is the two's complement of the type: &HFFFF is -1 for 16 bits.
        int64_t value = n.bits;
        if (value > max) value -= static_cast<int64_t>(patternMask) + 1;
        return value;
    }
    int64_t value = 0;
    if (!RoundDecimal(n, value) || value < min || value > max) throw Error(kOverflow);
    return value;
}

int32_t TextToDouble(StringView text, double& out) {
    Number n;
    if (int32_t failure = Parse(text, n)) return failure;
    out = 0.0;
    if (n.pattern) {
        out = n.bits;
        return kOk;
    }
    if (n.digits.empty()) return kOk;
    double value = 0.0;
    if (!decimal::ToDouble(n.digits, n.exponent, value)) return kOverflow;
    out = n.negative ? -value : value;
    return kOk;
}

int64_t NumberToInteger(double value, int64_t min, int64_t max) {
    if (std::isnan(value)) throw Error(kOverflow);
    double rounded = RoundHalfEven(value);
    if (rounded < static_cast<double>(min) || rounded > static_cast<double>(max)) {
        throw Error(kOverflow);
    }
    return static_cast<int64_t>(rounded);
}

String Format(double value, int precision) {
    if (std::isnan(value)) return u"1.#QNAN";
    if (std::isinf(value)) return value < 0 ? u"-1.#INF" : u"1.#INF";
    if (value == 0.0) return u"0";

    // The exact digits of the binary value, so the rounding below sees
    // exact halves.
    int exponent = 0;
    std::string digits = decimal::LeadingDigits(value, precision + 1, exponent);

    bool roundUp = digits[precision] >= '5';
    digits.resize(precision);
    if (roundUp) {
        int k = precision - 1;
        while (k >= 0 && digits[k] == '9') digits[k--] = '0';
        if (k >= 0) {
            ++digits[k];
        } else {
            digits.insert(digits.begin(), '1');
            digits.pop_back();
            ++exponent;
        }
    }
    digits.erase(digits.find_last_not_of('0') + 1);

    const String separator(1, platform::DecimalSeparator());
    String text = value < 0 ? u"-" : u"";
    if (exponent < -4 || exponent >= precision) {
        text += FromAscii(digits.substr(0, 1));
        if (digits.size() > 1) text += separator + FromAscii(digits.substr(1));
        std::string power = std::to_string(std::abs(exponent));
        if (power.size() < 2) power = "0" + power;
        text += (exponent < 0 ? u"E-" : u"E+") + FromAscii(power);
    } else if (exponent >= 0) {
        size_t integerDigits = static_cast<size_t>(exponent) + 1;
        if (digits.size() <= integerDigits) {
            text += FromAscii(digits) + String(integerDigits - digits.size(), u'0');
        } else {
            text += FromAscii(digits.substr(0, integerDigits)) + separator + FromAscii(digits.substr(integerDigits));
        }
    } else {
        text += u"0" + separator + String(static_cast<size_t>(-exponent - 1), u'0') + FromAscii(digits);
    }
    return text;
}

}  // namespace

double RoundHalfEven(double value) {
    if (!std::isfinite(value)) return value;
    double floor = std::floor(value);
    double fraction = value - floor;  // exact for every double
    if (fraction > 0.5) return floor + 1.0;
    if (fraction < 0.5) return floor;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

int16_t CInt(StringView text) { return static_cast<int16_t>(TextToInteger(text, INT16_MIN, INT16_MAX, 0xFFFFu)); }

int16_t CInt(double value) { return static_cast<int16_t>(NumberToInteger(value, INT16_MIN, INT16_MAX)); }

int32_t CLng(StringView text) { return static_cast<int32_t>(TextToInteger(text, INT32_MIN, INT32_MAX, 0xFFFFFFFFu)); }

int32_t CLng(double value) { return static_cast<int32_t>(NumberToInteger(value, INT32_MIN, INT32_MAX)); }

double CDbl(StringView text) {
    double value = 0.0;
    if (int32_t failure = TextToDouble(text, value)) throw Error(failure);
    return value;
}

bool IsNumeric(StringView text) {
    double ignored = 0.0;
    return TextToDouble(text, ignored) == kOk;
}

String CStr(float value) { return Format(value, 7); }

String CStr(double value) { return Format(value, 15); }

String CStr(int32_t value) { return FromAscii(std::to_string(value)); }

}  // namespace vb
