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
