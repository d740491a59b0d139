// The C library's exact number conversions, the reference the fuzz targets
// hold the program's own against: strtod, and the exact decimal digits of
// a double as printf writes them in full.
#pragma once

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/fuzz/fuzz_input.h"

namespace fuzz {

// The nearest double to a decimal text, halves to even.
inline double CStrtod(const std::string& text) {
#ifdef _WIN32
    // The system's own strtod and printf round inexactly; the exact ones of
    // the runtime library are the reference there.
    return __mingw_strtod(text.c_str(), nullptr);
#else
    return std::strtod(text.c_str(), nullptr);
#endif
}

// Every double's exact decimal value has fewer significant digits.
inline constexpr int kAllDigits = 800;

// All the significant digits of |value| (finite, not 0), exactly, padded
// with zeros to kAllDigits, and the power of ten of the first.
inline std::string ExactDigits(double value, int& exponent) {
    char text[kAllDigits + 32];
#ifdef _WIN32
    __mingw_snprintf(text, sizeof text, "%.*e", kAllDigits - 1, std::fabs(value));
#else
    std::snprintf(text, sizeof text, "%.*e", kAllDigits - 1, std::fabs(value));
#endif
    const char* e = std::strchr(text, 'e');
    FUZZ_CHECK(e != nullptr && text[1] == '.');
    exponent = std::atoi(e + 1);
    return text[0] + std::string(text + 2, static_cast<size_t>(e - (text + 2)));
}

}  // namespace fuzz
