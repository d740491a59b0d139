#include <gtest/gtest.h>

#include "platform/vb/string.h"

using vb::FromUtf8;
using vb::ToUtf8;

TEST(Utf8, RoundTripsEveryPlane) {
    vb::String text = u"Österreich – Côte d'Ivoire 北京 \U0001F5FA";
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
}

TEST(Utf8, LoneSurrogatesAndBadBytesBecomeReplacementCharacter) {
    vb::String lone = {u'a', char16_t(0xD800), u'b'};
    EXPECT_EQ(ToUtf8(lone),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(FromUtf8("a\xC3(b"), (vb::String{u'a', char16_t(0xFFFD), u'(', u'b'}));
    EXPECT_EQ(FromUtf8("\xE0\x80\x80"), vb::String(1, char16_t(0xFFFD)));  // overlong
    EXPECT_EQ(FromUtf8("\xF0\x9F"), vb::String(1, char16_t(0xFFFD)));      // cut short
}
