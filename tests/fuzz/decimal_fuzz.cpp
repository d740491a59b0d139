// The exact decimal conversions against the C library, bit for bit: the
// double nearest to any digits and exponent is the one strtod reads, and
// the leading digits of any double are those printf writes in full; 18 of
// them read back as that double. Digits are bounded to 2,000 and exponents
// to +-2,000, so that no one input runs for long.
//
// Input: digits \ exponent \ count of leading digits \ 8 bytes of a double.
// Bytes of the digits that are no digit stand for their value modulo 10.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/vb/decimal.h"
#include "tests/fuzz/c_library_numbers.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

constexpr size_t kMostDigits = 2000;
constexpr int64_t kMostExponent = 2000;

uint64_t Bits(double value) {
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input input(data, size);
    std::string digits = input.Field().substr(0, kMostDigits);
    for (char& c : digits)
        if (c < '0' || c > '9') c = static_cast<char>('0' + static_cast<unsigned char>(c) % 10);
    const int64_t exponent = input.Signed(kMostExponent);
    const int count = 1 + static_cast<int>(input.Number(fuzz::kAllDigits - 1));
    const std::string rest = input.Rest();
    fuzz::Show shownDigits("digits", digits), shownRest("double", rest);

    // "0" in front: no digits at all read as 0 by both.
    const std::string text = "0" + digits + "e" + std::to_string(exponent);
    const double expected = fuzz::CStrtod(text);
    double read = -1;
    const bool fits = vb::decimal::ToDouble(digits, exponent, read);
    if (std::isinf(expected)) {
        FUZZ_CHECK(!fits);
    } else {
        FUZZ_CHECK(fits && Bits(read) == Bits(expected));
    }

    double value = fits ? read : 0;
    if (rest.size() >= sizeof value) std::memcpy(&value, rest.data(), sizeof value);
    if (!std::isfinite(value) || value == 0) return 0;
    int exponentOf = 0, expectedExponent = 0;
    const std::string leading = vb::decimal::LeadingDigits(value, count, exponentOf);
    FUZZ_CHECK(leading == fuzz::ExactDigits(value, expectedExponent).substr(0, size_t(count)));
    FUZZ_CHECK(exponentOf == expectedExponent);

    // Eighteen digits, cut, are nearer to the double than half its step to
    // the one below: they read back as that double.
    const std::string eighteen = vb::decimal::LeadingDigits(value, 18, exponentOf);
    double back = 0;
    FUZZ_CHECK(vb::decimal::ToDouble(eighteen, exponentOf - 17, back) && back == std::fabs(value));
    return 0;
}
