// The sound-effect package parsed into records: indices, broken entries and names.
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "framework/sound/sound_package.h"
#include "tests/support/log_capture.h"
#include "tools/common/chunk_list_writer.h"
#include "tools/common/wav_writer.h"

namespace vesk::sound {
namespace {

TEST(SoundPackage, EntriesTakeIndicesInChunkOrderAndBrokenOnesKeepTheirPlace)
{
    const std::vector<uint8_t> wave = tools::MakePcmWav({1, 2, 3}, 22050, 1);
    const std::vector<uint8_t> adpcm = tools::MakeAdpcmWav(std::vector<uint8_t>(256, 0), 22050, 1, 256, 500);
    std::vector<uint8_t> broken = wave;
    broken[0] = 'X';
    const std::vector<uint8_t> package = tools::MakeChunkList({
        {"SWAV", "se_000_decide.wav", wave},
        {"TEXT", "notes.txt", {1, 2}},
        {"APCM", "se_001_step.wav", adpcm},
        {"SWAV", "se_002.broken.wav", broken},
        {"SWAV", "plain", wave},
    });

    support::LogCapture capture;
    std::vector<SoundRecord> records;
    ASSERT_TRUE(ParseSoundPackage(package, "se.pac", records));
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].name, "se_000_decide");
    EXPECT_EQ(records[0].wave.formatCode, kFormatPcmWave);
    EXPECT_EQ(records[0].wave.samples.size(), 6u);
    EXPECT_EQ(records[1].name, "se_001_step");
    EXPECT_EQ(records[1].wave.formatCode, kFormatAdpcmWave);
    EXPECT_EQ(records[2].name, "se_002.broken");
    EXPECT_EQ(records[2].wave.formatCode, 0u);
    EXPECT_TRUE(records[2].wave.samples.empty());
    EXPECT_TRUE(capture.Contains("error: se.pac entry \"se_002.broken.wav\": "));
    EXPECT_EQ(records[3].name, "plain");
    for (const SoundRecord& record : records) {
        EXPECT_EQ(record.volumeClass, kVolumeClassPackage);
        EXPECT_EQ(record.fileBlock, nullptr);
    }
}

TEST(SoundPackage, BrokenContainerGivesNoRecords)
{
    std::vector<uint8_t> package = tools::MakeChunkList({{"SWAV", "a.wav", tools::MakePcmWav({1}, 22050, 1)}});
    package[12] = 2;  // one record more than the table holds
    support::LogCapture capture;
    std::vector<SoundRecord> records(3);
    EXPECT_FALSE(ParseSoundPackage(package, "se.pac", records));
    EXPECT_TRUE(records.empty());
    EXPECT_TRUE(capture.Contains("error: se.pac: "));
}

TEST(SoundPackage, NamesAreCutAtTheLastDotAndKeptToTheirRoom)
{
    EXPECT_EQ(MakeSoundName("sound/bgm/bgm_01_title.wav"), "sound/bgm/bgm_01_title");
    EXPECT_EQ(MakeSoundName("a.b.c"), "a.b");
    EXPECT_EQ(MakeSoundName("no_extension"), "no_extension");
    EXPECT_EQ(MakeSoundName(std::string(100, 'x') + ".wav"), std::string(63, 'x'));
}

}  // namespace
}  // namespace vesk::sound
