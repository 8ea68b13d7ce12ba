// The NG-word check of names.
#include <gtest/gtest.h>

#include "framework/text/ng_word.h"

using vesk::text::IsNgWordName;

TEST(IsNgWordName, ComparesTheNameWithEachTwoCharacterWord)
{
    EXPECT_TRUE(IsNgWordName(u"AB", "ABCD"));
    EXPECT_TRUE(IsNgWordName(u"CD", "ABCD"));
    EXPECT_FALSE(IsNgWordName(u"BC", "ABCD"));
    EXPECT_FALSE(IsNgWordName(u"BA", "ABCD"));
    // Only the first two characters of a name count.
    EXPECT_TRUE(IsNgWordName(u"ABX", "ABCD"));
}

TEST(IsNgWordName, ListIsUtf8WithWordsOfTwoUtf16Units)
{
    const char* list = "\xe3\x83\x8d\xe3\x82\xba\xe3\x83\x9f\xe3\x83\x90\xe3\x82\xab";  // ネズミバカ
    EXPECT_TRUE(IsNgWordName(u"ネズ", list));
    EXPECT_TRUE(IsNgWordName(u"ミバ", list));
    EXPECT_FALSE(IsNgWordName(u"バカ", list));  // odd leftover unit forms no word
    EXPECT_FALSE(IsNgWordName(u"ズミ", list));
}

TEST(IsNgWordName, EmptyOrTooShortListsRefuseNothing)
{
    EXPECT_FALSE(IsNgWordName(u"AB", ""));
    EXPECT_FALSE(IsNgWordName(u"A", "A"));
    EXPECT_FALSE(IsNgWordName(u"", "AB"));
    // A one-character name reads as that character and a zero.
    EXPECT_TRUE(IsNgWordName(u"A", std::string_view("A\0", 2)));
}
