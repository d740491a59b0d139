// Exact conversions between decimal digits and doubles, for the VB number
// rules: the nearest double to a decimal number, and the leading digits of
// a double's exact decimal value. The C library's strtod and printf do the
// same, but bring its whole number formatting (40 KB) into the program.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vb::decimal {

// DIGITS x 10^EXPONENT (DIGITS: ASCII digits, any count, leading zeros
// allowed) rounded to the nearest double, halves to even, as strtod rounds.
// False when that is beyond the largest double; below the smallest it is 0
// or the nearest tiny value.
bool ToDouble(std::string_view digits, int64_t exponent, double& out);

// The first COUNT significant digits of the exact decimal value of |VALUE|
// (finite, not 0), cut, not rounded, and in EXPONENT the power of ten of
// the first: 0.015625 with 3 gives "156" and -2.
std::string LeadingDigits(double value, int count, int& exponent);

}  // namespace vb::decimal
