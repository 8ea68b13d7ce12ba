// Fixed-capacity strings: cutting, appending to full strings, and their whole-array state.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "game/services/text/fixed_string.h"

namespace {

TEST(FixedString, CutsAtTheCapacityAndKeepsTheRestOfTheArrayZero)
{
    UTL_CFixedWString<32> wide;
    const std::u16string forty(40, u'w');
    EXPECT_EQ(wide.Assign(forty.c_str()), 31u);
    EXPECT_EQ(wide.Length(), 31u);
    EXPECT_EQ(wide.Chars()[31], 0);

    UTL_CFixedString<16> narrow("abcdefghijklmn");
    narrow.Append("abc");
    EXPECT_STREQ(narrow.c_str(), "abcdefghijklmna");
    narrow.Append("xyz");
    EXPECT_STREQ(narrow.c_str(), "abcdefghijklmna");

    const UTL_CFixedString<16> empty(nullptr);
    for (char c : empty.Chars()) EXPECT_EQ(c, 0);

    UTL_CFixedString<16> a("long text here!");
    UTL_CFixedString<16> b;
    a.Assign("key");
    b.Assign("key");
    EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0);
}

}  // namespace
