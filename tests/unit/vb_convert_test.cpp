#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "platform/locale.h"
#include "platform/vb/convert.h"
#include "platform/vb/error.h"
#include "tests/unit/error_of.h"

#ifndef _WIN32
#include <clocale>
#include <cstdlib>
#include <locale.h>
#endif

using namespace vb;

namespace {

// Pins the separator so results do not depend on the machine's settings.
class VbConvert : public ::testing::Test {
protected:
    void SetUp() override { platform::SetDecimalSeparatorForTesting(u'.'); }
    void TearDown() override { platform::SetDecimalSeparatorForTesting(0); }
};

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

}  // namespace

TEST_F(VbConvert, RoundingGoesHalfToEven) {
    EXPECT_EQ(RoundHalfEven(2.5), 2.0);
    EXPECT_EQ(RoundHalfEven(3.5), 4.0);
    EXPECT_EQ(RoundHalfEven(-2.5), -2.0);
    EXPECT_EQ(RoundHalfEven(-3.5), -4.0);
    EXPECT_EQ(RoundHalfEven(0.49999999999999994), 0.0);                // x + 0.5 would round up to 1
    EXPECT_EQ(RoundHalfEven(4503599627370497.0), 4503599627370497.0);  // 2^52 + 1 stays odd
    EXPECT_TRUE(std::isnan(RoundHalfEven(kNaN)));

    EXPECT_EQ(CInt(u"2.5"), 2);
    EXPECT_EQ(CInt(u"3.5"), 4);
    EXPECT_EQ(CInt(u"-2.5"), -2);
    EXPECT_EQ(CInt(u"0.5"), 0);
    EXPECT_EQ(CInt(u"2.51"), 3);
    EXPECT_EQ(CInt(u"2.5000000000000001"), 3);  // decided on the digits, not on a double
    EXPECT_EQ(CInt(u"0.05"), 0);
    EXPECT_EQ(CLng(u"1234567.5"), 1234568);
    EXPECT_EQ(CInt(6.5), 6);
    EXPECT_EQ(CLng(-7.5), -8);
}

TEST_F(VbConvert, RangeEndsAndOverflow) {
    EXPECT_EQ(CInt(u"32767"), 32767);
    EXPECT_EQ(CInt(u"-32768"), -32768);
    EXPECT_EQ(CInt(u"32767.49"), 32767);
    EXPECT_EQ(CInt(u"-32768.5"), -32768);
    EXPECT_EQ(CLng(u"-2147483648.5"), INT32_MIN);
    EXPECT_EQ(CInt(-32768.5), -32768);
    for (const char16_t* text : {u"32768", u"-32769", u"32767.5", u"-32768.51", u"1e400", u"99999999999999999999999"}) {
        EXPECT_EQ(ErrorNumberOf([&] { CInt(text); }), kOverflow) << ToUtf8(text);
    }
    EXPECT_EQ(ErrorNumberOf([] { CLng(u"2147483647.5"); }), kOverflow);
    EXPECT_EQ(ErrorNumberOf([] { CLng(u"-2147483649"); }), kOverflow);
    for (double value : {32767.5, -32769.0, kNaN, kInf, -kInf}) {
        EXPECT_EQ(ErrorNumberOf([&] { CInt(value); }), kOverflow) << value;
    }
    EXPECT_EQ(ErrorNumberOf([] { CLng(2147483647.5); }), kOverflow);
    EXPECT_EQ(ErrorNumberOf([] { CDbl(u"1e309"); }), kOverflow);
    EXPECT_EQ(ErrorNumberOf([] { CDbl(u"-18e307"); }), kOverflow);
    EXPECT_EQ(CDbl(u"1e-400"), 0.0);
    EXPECT_EQ(CDbl(u"0e999999999999"), 0.0);
    EXPECT_GT(CDbl(u"1e-310"), 0.0);  // subnormal, not flushed
    Error overflow(kOverflow);
    EXPECT_EQ(overflow.description(), u"Overflow");
}

TEST_F(VbConvert, BlanksAroundOnly) {
    EXPECT_EQ(CInt(u"  12  "), 12);
    EXPECT_EQ(CInt(u"\t-3\t"), -3);
    EXPECT_EQ(CDbl(u" 1.5e1 "), 15.0);
    for (const char16_t* text : {u"1 2", u"- 5", u"1 e2", u"\n12", u"12\r\n", u" \t "}) {
        EXPECT_EQ(ErrorNumberOf([&] { CInt(text); }), kTypeMismatch) << ToUtf8(text);
    }
}

TEST_F(VbConvert, EmptyOrJunkIsTypeMismatch) {
    const String withNul(u"12\0", 3);
    for (StringView text :
         {StringView(u""), StringView(u"abc"), StringView(u"12abc"), StringView(u"1..2"), StringView(u"-"),
          StringView(u"+"), StringView(u"."), StringView(u"+-5"), StringView(u"5-"), StringView(u"(5)"),
          StringView(u"$5"), StringView(u"0x10"), StringView(u"inf"), StringView(u"nan"), StringView(u"1.#INF"),
          StringView(u"\uFF11\uFF12"), StringView(withNul)}) {
        EXPECT_EQ(ErrorNumberOf([&] { CInt(text); }), kTypeMismatch) << ToUtf8(text);
        EXPECT_EQ(ErrorNumberOf([&] { CDbl(text); }), kTypeMismatch) << ToUtf8(text);
    }
    try {
        CLng(u"");
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.description(), u"Type mismatch");
    }
}

TEST_F(VbConvert, Exponent) {
    EXPECT_EQ(CInt(u"1e2"), 100);
    EXPECT_EQ(CInt(u"1E+2"), 100);
    EXPECT_EQ(CLng(u"1e0005"), 100000);
    EXPECT_EQ(CInt(u"-.5e1"), -5);
    EXPECT_EQ(CInt(u"25e-1"), 2);  // 2.5, half to even
    EXPECT_EQ(CDbl(u"2.5E-3"), 0.0025);
    EXPECT_EQ(CDbl(u"12e-1"), 1.2);
    for (const char16_t* text : {u"1e", u"1e+", u"e5", u"1e2.5", u"1d2", u"1e 2"}) {
        EXPECT_EQ(ErrorNumberOf([&] { CDbl(text); }), kTypeMismatch) << ToUtf8(text);
    }
}

TEST_F(VbConvert, HexAndOctalPatterns) {
    EXPECT_EQ(CInt(u"&H10"), 16);
    EXPECT_EQ(CInt(u" &hff "), 255);
    EXPECT_EQ(CInt(u"&HFFFF"), -1);
    EXPECT_EQ(CInt(u"&H8000"), -32768);
    EXPECT_EQ(CLng(u"&HFFFF"), 65535);
    EXPECT_EQ(CLng(u"&HFFFFFFFF"), -1);
    EXPECT_EQ(CLng(u"&H00000000000010"), 16);
    EXPECT_EQ(CDbl(u"&HFFFF"), 65535.0);
    EXPECT_EQ(CInt(u"&O17"), 15);
    EXPECT_EQ(CInt(u"&O177777"), -1);
    EXPECT_EQ(ErrorNumberOf([] { CInt(u"&H10000"); }), kOverflow);
    EXPECT_EQ(ErrorNumberOf([] { CLng(u"&H100000000"); }), kOverflow);
    EXPECT_EQ(ErrorNumberOf([] { CDbl(u"&HFFFFFFFFFFFFFFFFF"); }), kOverflow);  // no 64-bit wrap
    for (const char16_t* text : {u"&H", u"&O8", u"&17", u"-&H10", u"&H 10", u"&H1.5", u"&HFFFFFFFFFG"}) {
        EXPECT_EQ(ErrorNumberOf([&] { CLng(text); }), kTypeMismatch) << ToUtf8(text);
    }
}

TEST_F(VbConvert, CommaSeparator) {
    platform::SetDecimalSeparatorForTesting(u',');
    EXPECT_EQ(CDbl(u"1,5"), 1.5);
    EXPECT_EQ(CInt(u"2,5"), 2);
    EXPECT_EQ(CStr(1.5f), u"1,5");
    EXPECT_EQ(CStr(-0.25), u"-0,25");
    EXPECT_EQ(CStr(1.5e20f), u"1,5E+20");
    EXPECT_EQ(CStr(1500.f), u"1500");
    // No thousands separators: "." is refused, not read as a grouping mark.
    EXPECT_EQ(ErrorNumberOf([] { CDbl(u"1.5"); }), kTypeMismatch);
    EXPECT_FALSE(IsNumeric(u"1.500"));
    platform::SetDecimalSeparatorForTesting(u'.');
    EXPECT_EQ(ErrorNumberOf([] { CDbl(u"1,5"); }), kTypeMismatch);
    EXPECT_EQ(ErrorNumberOf([] { CLng(u"1,500"); }), kTypeMismatch);
}

TEST_F(VbConvert, CStrFormats) {
    const std::vector<std::pair<float, String>> singles = {
        {1500.f, u"1500"},
        {1500.5f, u"1500.5"},
        {0.1f, u"0.1"},
        {-15.f, u"-15"},
        {100.f, u"100"},
        {0.5f, u"0.5"},
        {-0.0f, u"0"},
        {1e-5f, u"1E-05"},
        {0.0001f, u"0.0001"},
        {0.00012345678f, u"0.0001234568"},
        {1e20f, u"1E+20"},
        {1.5e20f, u"1.5E+20"},
        {1234567.f, u"1234567"},
        {12345678.f, u"1.234568E+07"},
        {1e7f, u"1E+07"},
        {9999999.5f, u"1E+07"},  // the carry moves it out of fixed notation
        {1234568.5f, u"1234569"},
        {123456.75f, u"123456.8"},
        {857.142857f, u"857.1429"},
        {3.4e38f, u"3.4E+38"},
        {std::numeric_limits<float>::denorm_min(), u"1.401298E-45"},
    };
    for (const auto& [value, text] : singles) EXPECT_EQ(CStr(value), text) << value;

    const std::vector<std::pair<double, String>> doubles = {
        {1e15, u"1E+15"},    {1e14, u"100000000000000"}, {1.0 / 3, u"0.333333333333333"},
        {0.1 + 0.2, u"0.3"}, {1e100, u"1E+100"},         {1e-100, u"1E-100"},
        {1e-5, u"1E-05"},    {1234567.5, u"1234567.5"},  {-0.0, u"0"},
    };
    for (const auto& [value, text] : doubles) EXPECT_EQ(CStr(value), text) << value;

    EXPECT_EQ(CStr(-15), u"-15");
    EXPECT_EQ(CStr(INT32_MIN), u"-2147483648");
    EXPECT_EQ(CStr(std::numeric_limits<float>::infinity()), u"1.#INF");
    EXPECT_FALSE(IsNumeric(CStr(std::numeric_limits<float>::quiet_NaN())));
}

TEST_F(VbConvert, IsNumericAgreesWithCDbl) {
    EXPECT_FALSE(IsNumeric(u""));
    EXPECT_TRUE(IsNumeric(u"8"));
    EXPECT_TRUE(IsNumeric(u"-1"));
    EXPECT_FALSE(IsNumeric(u"abc"));
    const std::vector<String> cases = {
        u"",      u" ",      u"8",          u"-1",          u"abc", u" 12 ", u"1 2", u"2.5", u"2,5", u"1e2", u"1e",
        u"1e309", u"1e-400", u"&HFFFFFFFF", u"&H100000000", u"&O8", u".",    u"5.",  u".5",  u"-",   u"+5",  u"1.#INF",
    };
    for (char16_t separator : {u'.', u','}) {
        platform::SetDecimalSeparatorForTesting(separator);
        for (const String& text : cases) {
            EXPECT_EQ(IsNumeric(text), ErrorNumberOf([&] { CDbl(text); }) == 0) << ToUtf8(text);
        }
    }
}

// Whatever separator the user has, what CStr writes CDbl reads back.
TEST(VbLocale, StoredNumbersReadBack) {
    platform::SetDecimalSeparatorForTesting(0);
    for (float value : {1500.f, -15.f, 1500.5f, 857.1429f, 0.1f, 1e-5f, 1.5e20f}) {
        EXPECT_EQ(static_cast<float>(CDbl(CStr(value))), value) << value;
    }
    char16_t user = platform::DecimalSeparator();
    platform::SetDecimalSeparatorForTesting(user == u',' ? u'.' : u',');
    platform::SetDecimalSeparatorForTesting(0);
    EXPECT_EQ(platform::DecimalSeparator(), user);
}

#ifndef _WIN32
// The user's separator comes from the environment without touching the
// process locale.
TEST(VbLocale, FromEnvironmentLeavesProcessLocaleAlone) {
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    const char* old = std::getenv("LC_ALL");
    const std::string saved = old ? old : "";
    setenv("LC_ALL", "C", 1);
    EXPECT_EQ(platform::DecimalSeparator(), u'.');
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "nl_NL.UTF-8"}) {
        locale_t probe = newlocale(LC_NUMERIC_MASK, name, locale_t(0));
        if (probe == locale_t(0)) continue;
        freelocale(probe);
        setenv("LC_ALL", name, 1);
        EXPECT_EQ(platform::DecimalSeparator(), u',') << name;
        break;
    }
    if (old) {
        setenv("LC_ALL", saved.c_str(), 1);
    } else {
        unsetenv("LC_ALL");
    }
    EXPECT_EQ(std::setlocale(LC_NUMERIC, nullptr), before);
}
#endif
