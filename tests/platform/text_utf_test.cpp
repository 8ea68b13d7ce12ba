#include <gtest/gtest.h>

#include "platform/text_utf.h"

TEST(Utf16ToUtf8, EncodesEveryLengthAndReplacesLoneSurrogates)
{
    EXPECT_EQ(platform::Utf16ToUtf8(u"A\u00e9\u30c7"), "A\xc3\xa9\xe3\x83\x87");
    EXPECT_EQ(platform::Utf16ToUtf8(u"\U0001F600"), "\xf0\x9f\x98\x80");
    const char16_t lone[] = {0xD800, u'x', 0};
    EXPECT_EQ(platform::Utf16ToUtf8(lone), "\xef\xbf\xbdx");
}
