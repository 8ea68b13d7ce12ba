// The synthesiser's score and effect recipes: parsing, range checks and the seamless loop.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "tools/common/synth/effect.h"
#include "tools/common/synth/score.h"

namespace tools::synth {
namespace {

TEST(SynthScore, ReadsChordsNotesAndPartsAndKeepsSharpsOutOfComments)
{
    Score score;
    std::string error;
    ASSERT_TRUE(ParseScore("tempo 120 # fast\nchords C F#m7/A G:2 D:2\nmelody F#5:2 r:1 Bb4 | C5:4\n"
                           "lead square vol=0.2 duty=0.25 echo=0.5:0.3\ndrums vol=0.3 style=fast\n",
                           score, error))
        << error;
    EXPECT_EQ(score.tempo, 120);
    ASSERT_EQ(score.chords.size(), 4u);
    EXPECT_EQ(score.chords[1].root, 6);
    EXPECT_EQ(score.chords[1].bass, 9);
    EXPECT_EQ(score.chords[1].intervals, (std::vector<int>{0, 3, 7, 10}));
    EXPECT_EQ(score.chords[2].beats, 2);
    ASSERT_EQ(score.melody.size(), 4u);
    EXPECT_EQ(score.melody[0].midi, 78);
    EXPECT_EQ(score.melody[1].midi, -1);
    EXPECT_EQ(score.melody[2].midi, 70);
    EXPECT_EQ(score.melody[3].beats, 4);
    EXPECT_TRUE(score.lead.enabled);
    EXPECT_EQ(score.lead.echoBeats, 0.5);
    EXPECT_EQ(score.drums.style, "fast");

    EXPECT_FALSE(ParseScore("chords C\nmelody H5\n", score, error));
    EXPECT_EQ(error, "line 2: bad note \"H5\"");
    EXPECT_FALSE(ParseScore("chords Cxyz\n", score, error));
    EXPECT_FALSE(ParseScore("lead kazoo\nchords C\n", score, error));
    EXPECT_FALSE(ParseScore("tempo 90\n", score, error)) << "no chords";
}

TEST(SynthScore, RendersOneLoopThatRunsOnIntoItsStart)
{
    Score score;
    std::string error;
    ASSERT_TRUE(ParseScore("tempo 120\nchords C G\nmelody E5:2 G5:6\nlead triangle vol=0.3 echo=0.5:0.4\n"
                           "pad sine vol=0.1\nbass sine vol=0.3 style=whole\n",
                           score, error));
    const RenderedMusic music = RenderScore(score, 22050);
    ASSERT_EQ(music.samples.size(), 88200u);  // 8 beats at 120 per minute
    EXPECT_EQ(music.loopStart, 0u);
    EXPECT_EQ(music.loopEnd, 88200u);
    int largestStep = 0;
    for (size_t i = 1; i < music.samples.size(); ++i) {
        largestStep = std::max(largestStep, std::abs(music.samples[i] - music.samples[i - 1]));
    }
    EXPECT_LE(std::abs(music.samples.front() - music.samples.back()), largestStep);
    EXPECT_GT(*std::max_element(music.samples.begin(), music.samples.end()), 20000);
}

TEST(SynthScore, EveryNumberIsRangeCheckedBeforeItIsUsed)
{
    struct Case {
        const char* score;
        const char* error;
    };
    const Case cases[] = {
        {"chords C\nmelody E12345678901234567890\n", "line 2: bad note \"E12345678901234567890\": the octave is"},
        {"chords C\nmelody E9\n", "line 2: bad note \"E9\": the octave is a whole number from 0 to 8"},
        {"chords C\nmelody E4.5\n", "line 2: bad note \"E4.5\": the octave is"},
        {"chords C:1e300\n", "line 1: bad chord \"C:1e300\": a length in beats is a number above 0 up to 64"},
        {"chords C:100000\n", "line 1: bad chord \"C:100000\""},
        {"chords C\nmelody E4:nan\n", "line 2: bad note \"E4:nan\""},
        {"tempo 0\nchords C\n", "line 1: tempo takes a number from 20 to 400"},
        {"tempo inf\nchords C\n", "line 1: tempo takes"},
        {"beats 1e300\nchords C\n", "line 1: beats takes a whole number from 1 to 16"},
        {"tempo 20\nchords C:64 C:64\n", "the chords last 384 seconds; a piece lasts at most 120"},
        {"chords C\nlead sine octave=1e10\n", "line 2: bad field \"octave=1e10\": octave takes a whole number from -4 to 4"},
        {"chords C\nlead sine echo=0.5:1\n", "line 2: bad field \"echo=0.5:1\": echo takes a number from 0 to 16, a colon"},
        {"chords C\narp sine rate=-1\n", "line 2: bad field \"rate=-1\""},
        {"chords C\npad sine vol=inf\n", "line 2: bad field \"vol=inf\""},
        {"chords C\nlead sine vib=5\n", "line 2: bad field \"vib=5\""},
    };
    for (const Case& c : cases) {
        Score score;
        std::string error;
        EXPECT_FALSE(ParseScore(c.score, score, error)) << c.score;
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << c.score << " gave: " << error;
    }

    EffectRecipe recipe;
    std::string error;
    const Case effects[] = {
        {"1e300 name : sine len=1 f=2", "the id \"1e300\" is not a whole number from 0 to 9999"},
        {"1 name : sine len=1e300 f=2", "bad field \"len=1e300\": len takes a number above 0 up to 10"},
        {"1 name : sine len=1 f=nan", "bad field \"f=nan\": f takes a number from 1 to 24000"},
        {"1 name : sine len=1 f=100>1e9", "bad field \"f=100>1e9\""},
        {"1 name : sine at=-1 len=1 f=2", "bad field \"at=-1\""},
        {"1 name : sine len=1 f=2 vib=5:100", "bad field \"vib=5:100\""},
    };
    for (const Case& c : effects) {
        EXPECT_FALSE(ParseEffectLine(c.score, recipe, error)) << c.score;
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << c.score << " gave: " << error;
    }
}

TEST(SynthEffect, ReadsLayersAndRefusesBadOnes)
{
    EffectRecipe recipe;
    std::string error;
    ASSERT_TRUE(ParseEffectLine("4 se_04_error : saw at=0.1 len=0.2 f=110>55 vol=0.4 shape=flat ; noise len=0.1 f=9000",
                                recipe, error))
        << error;
    EXPECT_EQ(recipe.id, 4);
    EXPECT_EQ(recipe.name, "se_04_error");
    ASSERT_EQ(recipe.layers.size(), 2u);
    EXPECT_EQ(recipe.layers[0].waveform, Waveform::Saw);
    EXPECT_EQ(recipe.layers[0].frequencyEnd, 55);
    const std::vector<float> samples = RenderEffect(recipe, 22050);
    EXPECT_NEAR(static_cast<double>(samples.size()), 0.312 * 22050, 2);

    EXPECT_FALSE(ParseEffectLine("1 name : kazoo len=1 f=2", recipe, error));
    EXPECT_FALSE(ParseEffectLine("1 name : sine len=0 f=2", recipe, error));
    EXPECT_FALSE(ParseEffectLine("1 name : sine len=1 f=2 shape=wobbly", recipe, error));
    EXPECT_FALSE(ParseEffectLine("1 name sine len=1 f=2", recipe, error));
}

}  // namespace
}  // namespace tools::synth
