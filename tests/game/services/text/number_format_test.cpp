// Message texts that show one number: only their first conversion takes it, the rest is copied as written.
#include <gtest/gtest.h>

#include "game/services/text/number_format.h"

namespace {

TEST(FormatWithOneNumber, TheFirstConversionTakesTheNumberAndEverythingElseStandsAsWritten)
{
    EXPECT_EQ(FormatWithOneNumber(u"%d", 9999999), u"9999999");
    EXPECT_EQ(FormatWithOneNumber(u"%5d個", 12), u"   12個");
    // A second directive has no number left to take: it shows as written, as does "%%".
    EXPECT_EQ(FormatWithOneNumber(u"%d of %d", 3), u"3 of %d");
    EXPECT_EQ(FormatWithOneNumber(u"100%% %d", 7), u"100%% 7");
    // A text with its number as a string still shows the number; a "*" width is no conversion here.
    EXPECT_EQ(FormatWithOneNumber(u"[%s]", 42), u"[42]");
    EXPECT_EQ(FormatWithOneNumber(u"%*d", 42), u"%*d");
    EXPECT_EQ(FormatWithOneNumber(u"no number", 1), u"no number");
    EXPECT_EQ(FormatWithOneNumber(u"%", 1), u"%");
}

}  // namespace
