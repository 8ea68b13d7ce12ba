// The music and sound effects of the data set, loaded and sounding their part.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/file/resource_file.h"
#include "framework/memory/heaps.h"
#include "framework/sound/sound_manager.h"
#include "platform/audio/audio_output.h"
#include "platform/little_endian.h"
#include "tests/support/built_resources.h"

namespace vesk::sound {
namespace {

const char* const kMusicFiles[] = {
    "sound/bgm/bgm_01_title.wav",  "sound/bgm/bgm_02_desert.wav", "sound/bgm/bgm_03_wasteland.wav",
    "sound/bgm/bgm_04_ruins.wav",  "sound/bgm/bgm_05_battle.wav", "sound/bgm/bgm_06_duel.wav",
    "sound/bgm/bgm_07_Ending.wav", "sound/bgm/bgm_08_additional.wav", "sound/bgm/bgm_09_envwind.wav",
    "sound/bgm/bgm_10_arctic.wav", "sound/bgm/bgm_11_minigame.wav",
};

struct Profile {
    double seconds = 0;
    double crossingsPerSecond = 0;      // whole sound
    double earlyCrossingsPerSecond = 0; // first third
    double lateCrossingsPerSecond = 0;  // last third
};

// Length and zero-crossing rates of 16-bit mono samples: enough to tell a bright
// blip from a low buzz and a falling tone from a rising one.
Profile Describe(const SoundRecord& record)
{
    const auto& bytes = record.wave.samples;
    std::vector<int> samples(bytes.size() / 2);
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] = platform::ReadI16(bytes.data() + 2 * i);
    }
    const double rate = record.wave.sampleRate;
    auto crossings = [&](size_t begin, size_t end) {
        int count = 0;
        for (size_t i = begin + 1; i < end; ++i) {
            if ((samples[i - 1] < 0) != (samples[i] < 0)) ++count;
        }
        return end > begin ? count * rate / static_cast<double>(end - begin) : 0.0;
    };
    const size_t third = samples.size() / 3;
    return {samples.size() / rate, crossings(0, samples.size()), crossings(0, third),
            crossings(samples.size() - third, samples.size())};
}

class ShippedSoundData : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(std::filesystem::exists(support::BuiltResourcePath("sound/se_package.pac")))
            << "the data set is not built";
        file::SetResourceFolder(support::BuiltResourcePath().string());
        ASSERT_TRUE(InitSoundManager(std::make_unique<platform::audio::OfflineAudioOutput>(48000)));
    }
    void TearDown() override
    {
        ReleaseSoundManager();
        file::SetResourceFolder(file::kResourceFolder);
    }
};

TEST_F(ShippedSoundData, ElevenLoopingMusicFilesLoadInOrder)
{
    for (int i = 0; i < 11; ++i) {
        ASSERT_EQ(LoadSoundFile(nullptr, kMusicFiles[i]), i) << kMusicFiles[i];
        const SoundRecord& record = *FindSound(i);
        EXPECT_EQ(record.wave.loopStart, 0u) << kMusicFiles[i];
        EXPECT_EQ(record.wave.loopEnd, record.wave.samples.size() / 2) << kMusicFiles[i];
        EXPECT_GT(Describe(record).seconds, 5.0) << kMusicFiles[i];
        EXPECT_NE(PlaySound(kBgmGroup, kAnyVoice, 1.0f, i, 1.0f, true), nullptr) << kMusicFiles[i];
        StopBgmVoices();
    }
}

TEST_F(ShippedSoundData, SixtyThreeEffectsAndTheSharedOnesSoundTheirPart)
{
    size_t size = 0;
    void* block = file::ReadResourceFile(nullptr, "sound/se_package.pac", &size);
    ASSERT_NE(block, nullptr);
    ASSERT_EQ(LoadSoundPackage(block, size), 1);
    ASSERT_EQ(GetSoundCount(kPackageList), 63);
    for (int i = 0; i < 63; ++i) {
        const SoundRecord& record = *FindSound(MakeSoundId(kPackageList, i));
        EXPECT_EQ(record.name.substr(0, 6), "se_" + std::string(i < 10 ? "0" : "") + std::to_string(i) + "_");
        EXPECT_NE(PlaySound(kSeGroup, 0, 1.0f, MakeSoundId(kPackageList, i), 1.0f, false), nullptr) << record.name;
    }

    const Profile decide = Describe(*FindSound(MakeSoundId(kPackageList, 0)));
    EXPECT_LT(decide.seconds, 0.25);
    EXPECT_GT(decide.crossingsPerSecond, 2000) << "a bright blip";

    const Profile cancel = Describe(*FindSound(MakeSoundId(kPackageList, 2)));
    EXPECT_LT(cancel.seconds, 0.3);
    EXPECT_LT(cancel.lateCrossingsPerSecond, cancel.earlyCrossingsPerSecond * 0.8) << "a falling tone";

    const Profile error = Describe(*FindSound(MakeSoundId(kPackageList, 4)));
    EXPECT_LT(error.seconds, 0.5);
    EXPECT_LT(error.crossingsPerSecond, 600) << "a low buzz";

    const Profile cursor = Describe(*FindSound(MakeSoundId(kPackageList, 58)));
    EXPECT_LT(cursor.seconds, 0.05) << "a tick";

    // Game effect 61 (entry 62) ends a retired quest and an arcade run: short and low.
    const Profile thud = Describe(*FindSound(MakeSoundId(kPackageList, 62)));
    EXPECT_LT(thud.seconds, 0.5);
    EXPECT_LT(thud.crossingsPerSecond, 600) << "a thud";
}

}  // namespace
}  // namespace vesk::sound
