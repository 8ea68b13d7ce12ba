// UTF-8 and UTF-16 conversions, surrogates and ill-formed input.
#include <gtest/gtest.h>

#include "platform/text_utf.h"

TEST(Utf16ToUtf8, EncodesEveryLengthAndReplacesLoneSurrogates)
{
    EXPECT_EQ(platform::Utf16ToUtf8(u"A\u00e9\u30c7"), "A\xc3\xa9\xe3\x83\x87");
    EXPECT_EQ(platform::Utf16ToUtf8(u"\U0001F600"), "\xf0\x9f\x98\x80");
    const char16_t lone[] = {0xD800, u'x', 0};
    EXPECT_EQ(platform::Utf16ToUtf8(lone), "\xef\xbf\xbdx");
}

TEST(Utf8ToUtf16, DecodesEveryLengthWithSurrogatePairs)
{
    EXPECT_EQ(platform::Utf8ToUtf16("A\xc3\xa9\xe3\x83\x87"), u"A\u00e9\u30c7");
    EXPECT_EQ(platform::Utf8ToUtf16("\xf0\x9f\x98\x80"), u"\U0001F600");
    EXPECT_EQ(platform::Utf8ToUtf16("\xf4\x8f\xbf\xbf"), u"\U0010FFFF");
    EXPECT_EQ(platform::Utf8ToUtf16(""), u"");
    EXPECT_EQ(platform::Utf8ToUtf16(std::string_view("a\0b", 3)), std::u16string(u"a\0b", 3));
}

TEST(Utf8ToUtf16, ReplacesEachIllFormedRunWithOneReplacementCharacter)
{
    const std::u16string bad(1, u'\uFFFD');
    // Stray continuation byte, bytes that never start a sequence.
    EXPECT_EQ(platform::Utf8ToUtf16("a\x80z"), u"a" + bad + u"z");
    EXPECT_EQ(platform::Utf8ToUtf16("\xc0\xaf"), bad + bad);
    EXPECT_EQ(platform::Utf8ToUtf16("\xff\xfe"), bad + bad);
    // Overlong three- and four-byte forms, an encoded surrogate, past U+10FFFF.
    EXPECT_EQ(platform::Utf8ToUtf16("\xe0\x80\xaf"), bad + bad + bad);
    EXPECT_EQ(platform::Utf8ToUtf16("\xf0\x80\x80\xaf"), bad + bad + bad + bad);
    EXPECT_EQ(platform::Utf8ToUtf16("\xed\xa0\x80"), bad + bad + bad);
    EXPECT_EQ(platform::Utf8ToUtf16("\xf4\x90\x80\x80"), bad + bad + bad + bad);
    // A sequence cut short by the end or by an ASCII byte: one replacement for its prefix.
    EXPECT_EQ(platform::Utf8ToUtf16("\xe3\x83"), bad);
    EXPECT_EQ(platform::Utf8ToUtf16("\xf0\x9f\x98"), bad);
    EXPECT_EQ(platform::Utf8ToUtf16("\xe3\x83x"), bad + u"x");
}

TEST(Utf8ToUtf16, RoundTripsThroughUtf16ToUtf8)
{
    const std::string text = "Ratte \xe3\x83\x8d\xe3\x82\xba\xe3\x83\x9f \xf0\x9f\x90\x80 \xed\x9f\xbf \xee\x80\x80";
    EXPECT_EQ(platform::Utf16ToUtf8(platform::Utf8ToUtf16(text)), text);
}

TEST(AppendCodePoint, EachEncodingSwitchesLengthAtItsBoundaries)
{
    std::string utf8;
    std::u16string utf16;
    for (char32_t cp : {U'\x7F', U'\x80', U'\u07FF', U'\u0800', U'\uFFFF', U'\U00010000', U'\U0010FFFF'}) {
        platform::AppendUtf8(utf8, cp);
        platform::AppendUtf16(utf16, cp);
    }
    EXPECT_EQ(utf8, "\x7f\xc2\x80\xdf\xbf\xe0\xa0\x80\xef\xbf\xbf\xf0\x90\x80\x80\xf4\x8f\xbf\xbf");
    EXPECT_EQ(utf16, u"\x7F\x80\u07FF\u0800\uFFFF\U00010000\U0010FFFF");
}
