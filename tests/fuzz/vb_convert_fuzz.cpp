// The conversions between text and numbers on any text, with either decimal
// separator. They raise only "Type mismatch" (13) and "Overflow" (6); the
// same text reads alike with '.' as separator and, its '.' and ',' swapped,
// with ','; CInt, CLng and CDbl agree with one another; and CStr of a value
// prints the digits of its exact value (printf's, rounded as the runtime
// rounds) in the printed form, which CDbl reads back to the same text.
//
// Input: the text, read by fuzz::Text.
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <string>

#include "platform/locale.h"
#include "platform/vb/convert.h"
#include "platform/vb/error.h"
#include "tests/fuzz/c_library_numbers.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

struct Outcome {
    int32_t error = 0;  // 0 when the conversion succeeded
    double value = 0;

    bool operator==(const Outcome&) const = default;
};

template <class Conversion>
Outcome Try(Conversion conversion) {
    try {
        return {0, static_cast<double>(conversion())};
    } catch (const vb::Error& e) {
        FUZZ_CHECK(e.number() == vb::kTypeMismatch || e.number() == vb::kOverflow);
        return {e.number(), 0};
    }
}

struct Outcomes {
    Outcome cint, clng, cdbl;
    bool numeric;

    bool operator==(const Outcomes&) const = default;
};

Outcomes Convert(const vb::String& text, char16_t separator) {
    platform::SetDecimalSeparatorForTesting(separator);
    return {Try([&] { return vb::CInt(text); }), Try([&] { return vb::CLng(text); }),
            Try([&] { return vb::CDbl(text); }), vb::IsNumeric(text)};
}

vb::String Swapped(vb::String text) {
    for (char16_t& c : text) c = c == u'.' ? u',' : c == u',' ? u'.' : c;
    return text;
}

bool IsPattern(vb::StringView text) {
    size_t first = text.find_first_not_of(u" \t");
    return first != vb::StringView::npos && text[first] == u'&';
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// A number as CStr prints it with at most `precision` significant digits:
// the exact value's leading digits, the last one rounded half away from
// zero, without trailing zeros; "-" only before a value below 0; fixed
// notation exactly for decimal exponents -5 < e < precision, else one
// digit, the fraction and "E+dd" or "E-dd".
void CheckPrinted(vb::StringView text, double value, int precision, char16_t separator) {
    FUZZ_CHECK(text.starts_with(u'-') == (value < 0));
    if (text == u"0") {
        FUZZ_CHECK(value == 0);
        return;
    }
    if (text.starts_with(u'-')) text.remove_prefix(1);
    size_t e = text.find(u'E');
    vb::StringView mantissa = text.substr(0, e);
    size_t point = mantissa.find(separator);
    vb::StringView whole = mantissa.substr(0, point);
    vb::StringView fraction = point == vb::StringView::npos ? vb::StringView() : mantissa.substr(point + 1);
    FUZZ_CHECK(!whole.empty() && (point == vb::StringView::npos || !fraction.empty()));
    for (vb::StringView part : {whole, fraction})
        for (char16_t c : part) FUZZ_CHECK(IsDigit(c));
    FUZZ_CHECK(fraction.empty() || fraction.back() != u'0');
    FUZZ_CHECK(whole.size() == 1 || whole[0] != u'0');

    vb::String digits = vb::String(whole) + vb::String(fraction);
    size_t first = digits.find_first_not_of(u'0');
    FUZZ_CHECK(first != vb::String::npos);
    digits = digits.substr(first, digits.find_last_not_of(u'0') + 1 - first);
    FUZZ_CHECK(digits.size() <= size_t(precision));

    int exponent = 0;
    if (e != vb::StringView::npos) {
        vb::StringView power = text.substr(e + 1);
        FUZZ_CHECK(power.size() >= 3 && (power[0] == u'+' || power[0] == u'-'));
        for (char16_t c : power.substr(1)) FUZZ_CHECK(IsDigit(c));
        FUZZ_CHECK(power.size() == 3 || power[1] != u'0');
        FUZZ_CHECK(whole.size() == 1 && whole[0] != u'0');
        for (char16_t c : power.substr(1)) exponent = exponent * 10 + (c - u'0');
        if (power[0] == u'-') exponent = -exponent;
        FUZZ_CHECK(exponent <= -5 || exponent >= precision);
    } else {
        exponent = whole != u"0" ? int(whole.size()) - 1 : -int(fraction.find_first_not_of(u'0')) - 1;
        FUZZ_CHECK(exponent > -5 && exponent < precision);
    }

    int expectedExponent = 0;
    const std::string exact = fuzz::ExactDigits(value, expectedExponent);
    std::string expected = exact.substr(0, size_t(precision));
    if (exact[size_t(precision)] >= '5') {
        size_t k = expected.size();
        while (k > 0 && expected[k - 1] == '9') expected[--k] = '0';
        if (k > 0) {
            ++expected[k - 1];
        } else {
            expected.insert(expected.begin(), '1');
            ++expectedExponent;
        }
    }
    expected.erase(expected.find_last_not_of('0') + 1);
    FUZZ_CHECK(digits == vb::FromAscii(expected));
    FUZZ_CHECK(exponent == expectedExponent);
}

// A printed number in the C locale's form.
std::string WithPoint(vb::StringView printed, char16_t separator) {
    std::string text;
    for (char16_t c : printed) text += c == separator ? '.' : static_cast<char>(c);
    return text;
}

// CStr of a value is a number CDbl reads; printed again, that is the same
// text. Only a value that the 15 digits round up past the largest double
// reads back as Overflow.
void CheckPrintedValue(double value, char16_t separator) {
    platform::SetDecimalSeparatorForTesting(separator);
    const vb::String printed = vb::CStr(value);
    fuzz::Show shown("printed", printed);
    CheckPrinted(printed, value, 15, separator);
    const Outcome back = Try([&] { return vb::CDbl(printed); });
    if (back.error != 0) {
        FUZZ_CHECK(back.error == vb::kOverflow && std::fabs(value) > 1.797693134862315e308);
        return;
    }
    FUZZ_CHECK(vb::CStr(back.value) == printed);
    // CDbl reads the printed text to its nearest double, as the C library
    // does. The text is within half a unit of the value's 15th digit, so
    // the two roundings together may move the value by that and by half a
    // unit in the double's last place.
    FUZZ_CHECK(back.value == fuzz::CStrtod(WithPoint(printed, separator)));
    FUZZ_CHECK(std::fabs(back.value - value) <= std::fabs(value) * (5e-15 + DBL_EPSILON));

    if (std::fabs(value) > FLT_MAX) return;
    const auto single = static_cast<float>(value);
    const vb::String printedSingle = vb::CStr(single);
    fuzz::Show shownSingle("printed as Single", printedSingle);
    CheckPrinted(printedSingle, single, 7, separator);
    const Outcome backSingle = Try([&] { return vb::CDbl(printedSingle); });
    FUZZ_CHECK(backSingle.error == 0);
    FUZZ_CHECK(std::fabs(backSingle.value - double(single)) <= std::fabs(double(single)) * 5.1e-7);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const vb::String text = fuzz::Text({reinterpret_cast<const char*>(data), size});
    fuzz::Show shown("text", text);

    const Outcomes point = Convert(text, u'.');
    FUZZ_CHECK(Convert(Swapped(text), u',') == point);
    platform::SetDecimalSeparatorForTesting(0);

    const auto& [cint, clng, cdbl, numeric] = point;
    FUZZ_CHECK(numeric == (cdbl.error == 0));
    // No number at all is no number to any of them.
    FUZZ_CHECK((cint.error == vb::kTypeMismatch) == (cdbl.error == vb::kTypeMismatch));
    FUZZ_CHECK((clng.error == vb::kTypeMismatch) == (cdbl.error == vb::kTypeMismatch));

    if (IsPattern(text)) {
        // A 32-bit pattern: CDbl its unsigned value, CLng and CInt its two's
        // complement in 32 and 16 bits.
        if (cdbl.error == 0) {
            FUZZ_CHECK(cdbl.value >= 0 && cdbl.value <= 4294967295.0 && cdbl.value == std::floor(cdbl.value));
            FUZZ_CHECK(clng.error == 0 && clng.value == double(int32_t(uint32_t(cdbl.value))));
            FUZZ_CHECK(cint.error == (cdbl.value <= 65535.0 ? 0 : vb::kOverflow));
            if (cint.error == 0) FUZZ_CHECK(cint.value == double(int16_t(uint16_t(cdbl.value))));
        } else {
            FUZZ_CHECK(cint.error == cdbl.error && clng.error == cdbl.error);
        }
    } else if (cdbl.error == vb::kOverflow) {
        FUZZ_CHECK(cint.error == vb::kOverflow && clng.error == vb::kOverflow);
    } else if (cdbl.error == 0) {
        // The integers round the text's own digits half to even; the double
        // is within half a step of them.
        const double d = cdbl.value;
        if (clng.error == 0) {
            FUZZ_CHECK(std::fabs(clng.value - d) <= 0.5000001);
        } else {
            FUZZ_CHECK(clng.error == vb::kOverflow && (d > 2147483647.4 || d < -2147483648.4));
        }
        if (cint.error == 0) {
            FUZZ_CHECK(clng.error == 0 && cint.value == clng.value);
        } else {
            FUZZ_CHECK(cint.error == vb::kOverflow && (clng.error != 0 || clng.value < -32768 || clng.value > 32767));
        }
        const Outcome fromDouble = Try([&] { return vb::CLng(d); });
        FUZZ_CHECK(fromDouble.error == 0 ? fromDouble.value == vb::RoundHalfEven(d)
                                         : fromDouble.error == vb::kOverflow);
    }

    if (cdbl.error == 0) {
        CheckPrintedValue(cdbl.value, u'.');
        CheckPrintedValue(cdbl.value, u',');
        platform::SetDecimalSeparatorForTesting(0);
    }
    return 0;
}
