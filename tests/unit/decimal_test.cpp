// The exact decimal conversions against the C library's, which round
// correctly (glibc natively, the mingw runtime under Wine): the same double
// for any digits and exponent, the same leading digits for any double.
// Seeded like the other randomized tests (BRIVANE_SEED replays a run).
#include <gtest/gtest.h>

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "platform/vb/decimal.h"
#include "tests/unit/random_input.h"

namespace {

using vb::decimal::LeadingDigits;
using vb::decimal::ToDouble;

// What strtod makes of DIGITS e EXPONENT: the double, or nothing when it
// is beyond the largest.
struct Reference {
    bool fits;
    double value;
};

Reference Strtod(const std::string& digits, int64_t exponent) {
    std::string text = digits + "e" + std::to_string(exponent);
    errno = 0;
    double value = std::strtod(text.c_str(), nullptr);
    return {!(errno == ERANGE && std::isinf(value)), value};
}

// ToDouble against strtod, bit for bit.
void ExpectSameDouble(const std::string& digits, int64_t exponent) {
    Reference expected = Strtod(digits, exponent);
    double got = -1.0;
    bool fits = ToDouble(digits, exponent, got);
    ASSERT_EQ(fits, expected.fits) << digits << "e" << exponent;
    if (!fits) return;
    uint64_t a = 0, b = 0;
    std::memcpy(&a, &got, sizeof a);
    std::memcpy(&b, &expected.value, sizeof b);
    ASSERT_EQ(a, b) << digits << "e" << exponent << ": " << got << " against " << expected.value;
}

// The digits and the exponent of a decimal text "d.ddde±x", as the
// conversion takes them.
void Split(const char* scientific, std::string& digits, int64_t& exponent) {
    digits.clear();
    const char* p = scientific;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') digits += *p;
    exponent = std::strtoll(p + 1, nullptr, 10) - static_cast<int64_t>(digits.size() - 1);
}

// The exact digits of VALUE without trailing zeros, and the exponent of the
// last of them.
void ExactDigits(long double value, std::string& digits, int64_t& exponent) {
    char text[900];
    std::snprintf(text, sizeof text, "%.800Le", value);
    Split(text, digits, exponent);
    size_t kept = digits.find_last_not_of('0') + 1;
    exponent += static_cast<int64_t>(digits.size() - kept);
    digits.resize(kept);
}

double RandomDouble(std::mt19937_64& random) {
    for (;;) {
        uint64_t bits = random();
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        if (std::isfinite(value) && value != 0.0) return std::fabs(value);
    }
}

TEST(Decimal, TheEndsOfTheDoublesAndTheHalvesBetweenThem) {
    struct Case {
        const char* digits;
        int64_t exponent;
    } cases[] = {
        {"1", 0},
        {"5", -1},
        {"1", 23},
        {"9007199254740993", 0},  // 2^53 + 1: a half, to even
        {"9007199254740995", 0},
        {"17976931348623157", 292},
        {"17976931348623158", 292},
        {"17976931348623159", 292},                          // above the largest: beyond
        {"4940656458412465441765687928682213723651", -363},  // the smallest
        {"22250738585072011", -324},                         // the largest subnormal and the smallest normal, about
        {"22250738585072014", -324},
        {"1", -400},
        {"1", 400},
        {"000123", -2},
    };
    for (const Case& c : cases) ExpectSameDouble(c.digits, c.exponent);
    // Half the smallest, exactly (to even: 0), and a hair above it (the
    // smallest).
    std::string digits;
    int64_t exponent = 0;
    ExactDigits(std::ldexp(1.0L, -1075), digits, exponent);
    ExpectSameDouble(digits, exponent);
    ExpectSameDouble(digits + "1", exponent - 1);
    double value = 0;
    EXPECT_TRUE(ToDouble("5", -324, value));
    EXPECT_EQ(value, DBL_TRUE_MIN);
    EXPECT_FALSE(ToDouble("2", 308, value));
    EXPECT_TRUE(ToDouble("", 5, value));
    EXPECT_EQ(value, 0.0);
}

TEST(Decimal, AnyDigitsAndExponentGiveTheDoubleTheCLibraryGives) {
    std::mt19937_64 random(random_input::RunSeed());
    for (int round = 0; round < 20000; ++round) {
        SCOPED_TRACE("seed " + std::to_string(random_input::RunSeed()) + ", round " + std::to_string(round));
        // Mostly a few digits; now and then more than any double has.
        size_t count = round % 100 == 0 ? 780 + random() % 60 : 1 + random() % 40;
        std::string digits(count, '0');
        for (char& d : digits) d = static_cast<char>('0' + random() % 10);
        if (digits[0] == '0') digits[0] = '1';
        int64_t exponent = static_cast<int64_t>(random() % 700) - 360 - static_cast<int64_t>(count);
        ExpectSameDouble(digits, exponent);
        // The shortest text of a double reads back as that double.
        char text[40];
        std::snprintf(text, sizeof text, "%.17e", RandomDouble(random));
        Split(text, digits, exponent);
        ExpectSameDouble(digits, exponent);
    }
}

TEST(Decimal, HalvesBetweenTwoDoublesAndTheirNeighboursRoundAsTheCLibraryRounds) {
    std::mt19937_64 random(random_input::RunSeed() + 1);
    for (int round = 0; round < 3000; ++round) {
        SCOPED_TRACE("seed " + std::to_string(random_input::RunSeed()) + ", round " + std::to_string(round));
        double low = round % 3 == 0 ? std::ldexp(RandomDouble(random), -1000) : RandomDouble(random);
        double high = std::nextafter(low, INFINITY);
        if (!std::isfinite(high)) continue;
        // Exactly halfway: the long double holds it whole.
        std::string digits;
        int64_t exponent = 0;
        ExactDigits((static_cast<long double>(low) + high) / 2, digits, exponent);
        ExpectSameDouble(digits, exponent);
        // A hair above the half.
        ExpectSameDouble(digits + "1", exponent - 1);
        // A hair below: the last digit (never 0 here) one less, then a 9.
        std::string below = digits;
        --below.back();
        ExpectSameDouble(below + "9", exponent - 1);
    }
}

TEST(Decimal, LeadingDigitsAreThoseOfTheExactValue) {
    std::mt19937_64 random(random_input::RunSeed() + 2);
    const double ends[] = {DBL_MAX, DBL_MIN, DBL_TRUE_MIN, 1.0, 0.1, 0.015625, 1e23, 9007199254740993.0, 5e-324};
    for (int round = 0; round < 5000; ++round) {
        SCOPED_TRACE("seed " + std::to_string(random_input::RunSeed()) + ", round " + std::to_string(round));
        double value = round < static_cast<int>(std::size(ends)) ? ends[round] : RandomDouble(random);
        if (round % 4 == 1) value = std::ldexp(value, -1000);
        if (value == 0.0) continue;
        char text[900];
        std::snprintf(text, sizeof text, "%.800e", value);
        std::string all;
        int64_t last = 0;
        Split(text, all, last);
        int count = 1 + static_cast<int>(random() % 40);
        int exponent = 0;
        std::string digits = LeadingDigits(round % 2 ? -value : value, count, exponent);
        ASSERT_EQ(digits, all.substr(0, static_cast<size_t>(count))) << text;
        ASSERT_EQ(exponent, last + static_cast<int64_t>(all.size()) - 1) << text;
    }
    int exponent = 0;
    EXPECT_EQ(LeadingDigits(0.015625, 3, exponent), "156");
    EXPECT_EQ(exponent, -2);
    EXPECT_EQ(LeadingDigits(1.5, 4, exponent), "1500");
    EXPECT_EQ(exponent, 0);
}

}  // namespace
