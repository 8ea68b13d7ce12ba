// The safe formatter: every conversion, mismatched kinds, missing arguments and capped output.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "framework/text/format_text.h"

using vesk::text::FormatArg;
using vesk::text::FormatText;

TEST(FormatText, IntegersWithFlagsWidthAndPrecision)
{
    EXPECT_EQ(FormatText(u"%d apples", {5}), u"5 apples");
    EXPECT_EQ(FormatText(u"[%5d|%-5d|%05d]", {42, 42, 42}), u"[   42|42   |00042]");
    EXPECT_EQ(FormatText(u"%+d % d %+d", {7, 7, -7}), u"+7  7 -7");
    EXPECT_EQ(FormatText(u"%02d:%02d", {9, 5}), u"09:05");
    EXPECT_EQ(FormatText(u"%.3d|%6.3d|%06.3d", {5, -5, 5}), u"005|  -005|   005");
    EXPECT_EQ(FormatText(u"[%.0d]", {0}), u"[]");
    EXPECT_EQ(FormatText(u"%i %ld %lld", {1, 2L, int64_t{-3000000000}}), u"1 2 -3000000000");
    EXPECT_EQ(FormatText(u"%d", {std::numeric_limits<int64_t>::min()}), u"-9223372036854775808");
    EXPECT_EQ(FormatText(u"%05d", {-42}), u"-0042");
}

TEST(FormatText, UnsignedHexAndOctalShowNegativesInTheModifiersWidth)
{
    EXPECT_EQ(FormatText(u"%x %X %#x %#X %o %#o", {255, 255, 255, 255, 8, 8}), u"ff FF 0xff 0XFF 10 010");
    EXPECT_EQ(FormatText(u"%#x %#o", {0, 0}), u"0 0");
    EXPECT_EQ(FormatText(u"%u", {-1}), u"4294967295");
    EXPECT_EQ(FormatText(u"%llu", {-1}), u"18446744073709551615");
    EXPECT_EQ(FormatText(u"%hx %hhx %x", {-1, -1, -1}), u"ffff ff ffffffff");
    EXPECT_EQ(FormatText(u"%x", {int64_t{-5000000000}}), u"fffffffed5fa0e00");
    EXPECT_EQ(FormatText(u"%08X", {0xBEEFu}), u"0000BEEF");
    EXPECT_EQ(FormatText(u"%u", {std::numeric_limits<uint64_t>::max()}), u"18446744073709551615");
}

TEST(FormatText, FloatingConversions)
{
    EXPECT_EQ(FormatText(u"%5.1f", {3.14159}), u"  3.1");
    EXPECT_EQ(FormatText(u"%f", {1.5}), u"1.500000");
    EXPECT_EQ(FormatText(u"%.0f", {2.5}), u"2");
    EXPECT_EQ(FormatText(u"%e", {12345.678}), u"1.234568e+04");
    EXPECT_EQ(FormatText(u"%E", {0.5}), u"5.000000E-01");
    EXPECT_EQ(FormatText(u"%g %g", {0.0001, 1e20}), u"0.0001 1e+20");
    EXPECT_EQ(FormatText(u"%G", {1e-10}), u"1E-10");
    EXPECT_EQ(FormatText(u"%08.2f", {-3.5}), u"-0003.50");
    EXPECT_EQ(FormatText(u"%+.1f|% .1f", {2, 2u}), u"+2.0| 2.0");
    EXPECT_EQ(FormatText(u"%-7.2f|", {1.0f}), u"1.00   |");
    EXPECT_EQ(FormatText(u"%05f|%F", {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()}),
              u"  inf|-INF");
}

TEST(FormatText, StringsConvertToTheOutputEncoding)
{
    EXPECT_EQ(FormatText(u"%ls", {u"ネズミ"}), u"ネズミ");
    EXPECT_EQ(FormatText(u"%s|%hs|%S", {"caf\xc3\xa9", "x", u"y"}), u"café|x|y");
    EXPECT_EQ(FormatText(u"[%-6s|%6ls]", {"ab", u"cd"}), u"[ab    |    cd]");
    EXPECT_EQ(FormatText(u"%.2ls", {u"ネズミ"}), u"ネズ");
    // Precision never leaves half of a surrogate pair or of a UTF-8 sequence.
    EXPECT_EQ(FormatText(u"%.2ls", {u"a\U0001F400"}), u"a");
    EXPECT_EQ(FormatText("%.2s", {"a\xc3\xa9"}), "a");
    EXPECT_EQ(FormatText("%ls!", {u"\u00e9\U0001F400"}), "\xc3\xa9\xf0\x9f\x90\x80!");
    EXPECT_EQ(FormatText(u"%s", {static_cast<const char*>(nullptr)}), u"");
    std::u16string owned = u"owned";
    std::string narrow = "narrow";
    EXPECT_EQ(FormatText(u"%ls %s", {owned, narrow}), u"owned narrow");
}

TEST(FormatText, Characters)
{
    EXPECT_EQ(FormatText(u"%c%c", {u'A', 0x30C7}), u"Aデ");
    EXPECT_EQ(FormatText(u"%c", {0x1F600}), u"\U0001F600");
    EXPECT_EQ(FormatText(u"%c|%c|%c", {0xD800, -1, 0x110000}), u"\uFFFD|\uFFFD|\uFFFD");
    EXPECT_EQ(FormatText(u"[%c]", {0}), u"[]");
    EXPECT_EQ(FormatText(u"%3c|%-3c|", {'x', 'y'}), u"  x|y  |");
    EXPECT_EQ(FormatText(u"%c%c", {u"\U0001F400z", "\xc3\xa9t\xc3\xa9"}), u"\U0001F400é");
    EXPECT_EQ(FormatText("%c", {0x30C7}), "\xe3\x83\x87");
}

TEST(FormatText, MismatchedKindsAreConvertedNotReinterpreted)
{
    EXPECT_EQ(FormatText(u"%s %s %s %s", {42, -7, 2.5, 3000000000u}), u"42 -7 2.5 3000000000");
    EXPECT_EQ(FormatText(u"[%5s]", {12}), u"[   12]");
    EXPECT_EQ(FormatText(u"%d|%x|%5d|%f", {"abc", u"def", "g", "h"}), u"abc|def|    g|h");
    EXPECT_EQ(FormatText(u"%d %d %u", {3.9, -3.9, 7.0}), u"3 -3 7");
    EXPECT_EQ(FormatText(u"%d %d", {1e300, std::numeric_limits<double>::quiet_NaN()}), u"18446744073709551615 0");
}

TEST(FormatText, MissingArgumentsPrintNothing)
{
    EXPECT_EQ(FormatText(u"a%db%sc%lsd"), u"abcd");
    EXPECT_EQ(FormatText(u"[%5d][%-5s]", {}), u"[][]");
    EXPECT_EQ(FormatText(u"%d and %d", {1}), u"1 and ");
    EXPECT_EQ(FormatText(u"[%*d]", {5}), u"[]");
}

TEST(FormatText, PercentNWritesNothingAndTakesNoArgument)
{
    EXPECT_EQ(FormatText(u"a%nb", {1}), u"ab");
    EXPECT_EQ(FormatText(u"%n%lln%hn%d", {7}), u"7");
}

TEST(FormatText, UnknownAndUnterminatedConversionsAreCopied)
{
    EXPECT_EQ(FormatText(u"100%"), u"100%");
    EXPECT_EQ(FormatText(u"100%", {1}), u"100%");
    EXPECT_EQ(FormatText(u"%-5.2l", {1}), u"%-5.2l");
    EXPECT_EQ(FormatText(u"Press %keyname_DECIDE", {9}), u"Press %keyname_DECIDE");
    EXPECT_EQ(FormatText(u"%y%d%p", {3, 4}), u"%y3%p");
    EXPECT_EQ(FormatText(u"%%d %-5% %%", {1}), u"%d % %");
    EXPECT_EQ(FormatText(u"%\u30C7%d", {2}), u"%\u30C72");
}

TEST(FormatText, NonAsciiLiteralTextIsKept)
{
    EXPECT_EQ(FormatText(u"残り%d日 \U0001F400", {3}), u"残り3日 \U0001F400");
    EXPECT_EQ(FormatText("\xe6\xae\x8b%d", {3}), "\xe6\xae\x8b" "3");
}

TEST(FormatText, StarTakesWidthAndPrecisionFromArguments)
{
    EXPECT_EQ(FormatText(u"[%*d]", {4, 7}), u"[   7]");
    EXPECT_EQ(FormatText(u"[%*d]", {-4, 7}), u"[7   ]");
    EXPECT_EQ(FormatText(u"[%.*f]", {2, 3.14159}), u"[3.14]");
    EXPECT_EQ(FormatText(u"[%.*s]", {-1, "all"}), u"[all]");
}

TEST(FormatText, HugeWidthsAndOutputAreCapped)
{
    EXPECT_EQ(FormatText(u"%999999999999d", {1}).size(), static_cast<size_t>(vesk::text::kMaxFieldWidth));
    EXPECT_EQ(FormatText(u"%*d", {2000000000, 1}).size(), static_cast<size_t>(vesk::text::kMaxFieldWidth));
    const std::u16string precise = FormatText(u"%.999999999f", {1.0});
    EXPECT_EQ(precise.size(), 2u + vesk::text::kMaxFieldWidth);
    EXPECT_LE(FormatText(u"%.99999e|%.99999g", {1e300, 1e-300}).size(), 3u * vesk::text::kMaxFieldWidth);
    EXPECT_EQ(FormatText(u"%f", {1.7976931348623157e308}).size(), 316u);

    std::u16string flood;
    for (int i = 0; i < 200; ++i) {
        flood += u"%1000d";
    }
    std::vector<FormatArg> args(200, FormatArg(1));
    EXPECT_EQ(FormatText(flood, args).size(), vesk::text::kMaxFormattedLength);
    const std::string literal(vesk::text::kMaxFormattedLength * 2, 'x');
    EXPECT_EQ(FormatText(literal).size(), vesk::text::kMaxFormattedLength);
}

TEST(FormatText, NarrowFormatsShareTheEngine)
{
    EXPECT_EQ(FormatText("%hs/%02d_%hs", {"SaveWin", 0, "save.bin"}), "SaveWin/00_save.bin");
    EXPECT_EQ(FormatText("%s=%5.2f %x%%", {"load", 0.257, 255}), "load= 0.26 ff%");
}

TEST(FormatText, StdStringsAreReplacedAndKeepTheirArgumentsAsText)
{
    std::string out = "an earlier text";
    vesk::text::FormatStdString(out, "%hs/%02d_%hs", {"SaveWin", 0, "save.bin"});
    EXPECT_EQ(out, "SaveWin/00_save.bin");
    vesk::text::FormatStdString(out, "<%s>", {"%n%s%d%999999999d"});
    EXPECT_EQ(out, "<%n%s%d%999999999d>");
    // A two-byte character that would straddle the limit is left out whole.
    const std::string longText = std::string(vesk::text::kMaxStdStringLength - 1, 'x') + "\xC3\xA9tail";
    vesk::text::FormatStdString(out, "%s", {longText});
    EXPECT_EQ(out, std::string(vesk::text::kMaxStdStringLength - 1, 'x'));
}
