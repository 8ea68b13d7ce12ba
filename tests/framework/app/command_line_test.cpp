// The command line's screen switches and the token-to-number rule.
#include <climits>

#include <gtest/gtest.h>

#include "framework/app/command_line.h"

namespace vesk::app {
namespace {

TEST(CommandLine, RecognisesEachScreenSwitchWithItsNumber)
{
    const CommandLineOptions width = ScanCommandLine(u"-scr_w 800");
    EXPECT_TRUE(width.hasScreenWidth);
    EXPECT_EQ(width.screenWidth, 800);
    EXPECT_FALSE(width.hasScreenHeight);

    const CommandLineOptions both = ScanCommandLine(u"-scr_w 1920 -scr_h 1080");
    EXPECT_TRUE(both.hasScreenWidth);
    EXPECT_EQ(both.screenWidth, 1920);
    EXPECT_TRUE(both.hasScreenHeight);
    EXPECT_EQ(both.screenHeight, 1080);

    // Unrelated words before a switch do not hide it.
    const CommandLineOptions later = ScanCommandLine(u"game.exe -scr_h 720");
    EXPECT_TRUE(later.hasScreenHeight);
    EXPECT_EQ(later.screenHeight, 720);
}

TEST(CommandLine, IgnoresWhatIsNotExactlyASwitch)
{
    EXPECT_FALSE(ScanCommandLine(u"-scr_wx 800").hasScreenWidth);
    EXPECT_FALSE(ScanCommandLine(u"-scr_ 800").hasScreenWidth);
    EXPECT_FALSE(ScanCommandLine(u"x-scr_w 800").hasScreenWidth);
    EXPECT_FALSE(ScanCommandLine(u"").hasScreenWidth);
    EXPECT_FALSE(ScanCommandLine(u"-scr_w").hasScreenWidth);  // no number follows

    // A switch whose value is missing does not take the next switch as its number.
    const CommandLineOptions options = ScanCommandLine(u"-scr_w -scr_h 600");
    EXPECT_FALSE(options.hasScreenWidth);
    EXPECT_TRUE(options.hasScreenHeight);
    EXPECT_EQ(options.screenHeight, 600);
}

TEST(CommandLine, FifthTokenWrapsIntoTheFirstSlot)
{
    // Tokens 1 to 4 fill the ring; "9" lands in slot 0 and "5" joins the number in
    // slot 1, which is read again.
    const CommandLineOptions options = ScanCommandLine(u"-scr_w 800 a b 9 5");
    EXPECT_TRUE(options.hasScreenWidth);
    EXPECT_EQ(options.screenWidth, 8005);

    // A '-' token starts the ring afresh.
    const CommandLineOptions restarted = ScanCommandLine(u"-scr_w 800 a b 9 -scr_w 5");
    EXPECT_EQ(restarted.screenWidth, 5);
}

TEST(CommandLine, TokenToIntReadsLikeTheCLibrary)
{
    EXPECT_EQ(TokenToInt(u"800"), 800);
    EXPECT_EQ(TokenToInt(u"-42"), -42);
    EXPECT_EQ(TokenToInt(u"+7px"), 7);
    EXPECT_EQ(TokenToInt(u"abc"), 0);
    EXPECT_EQ(TokenToInt(u""), 0);
    EXPECT_EQ(TokenToInt(u"99999999999999999999"), INT_MAX);
    EXPECT_EQ(TokenToInt(u"-99999999999999999999"), INT_MIN);
}

}  // namespace
}  // namespace vesk::app
