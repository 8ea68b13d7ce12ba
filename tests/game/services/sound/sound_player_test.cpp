// The game's sound player on an offline mixer: music slots, sound-effect volume and fades.
#include <gtest/gtest.h>

#include <filesystem>

#include "framework/file/resource_file.h"
#include "framework/sound/sound_manager.h"
#include "game/services/save/save_layout.h"
#include "game/services/sound/sound_player.h"
#include "platform/audio/audio_output.h"
#include "platform/little_endian.h"
#include "tests/support/built_resources.h"
#include "tests/support/log_capture.h"
#include "tests/support/scratch_folder.h"

namespace {

class SoundPlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The data set's music and effects, with the third track missing.
        const std::filesystem::path data = scratch_.path() / "data";
        std::filesystem::create_directories(data / "sound" / "bgm");
        for (const auto& entry : std::filesystem::directory_iterator(support::BuiltResourcePath("sound/bgm"))) {
            if (entry.path().filename() != "bgm_03_wasteland.wav") {
                std::filesystem::copy_file(entry.path(), data / "sound" / "bgm" / entry.path().filename());
            }
        }
        std::filesystem::copy_file(support::BuiltResourcePath("sound/se_package.pac"),
                                   data / "sound" / "se_package.pac");
        vesk::file::SetResourceFolder(data.string());
        ASSERT_TRUE(vesk::sound::InitSoundManager(std::make_unique<platform::audio::OfflineAudioOutput>(48000)));
        player_ = GetSoundPlayer();
        player_->readyToPlay = 1;
    }

    void TearDown() override
    {
        DestroySoundPlayer();
        vesk::sound::ReleaseSoundManager();
        vesk::file::SetResourceFolder(vesk::file::kResourceFolder);
    }

    // The music voice's volume; -1 when no music plays.
    float BgmVolume() const
    {
        const vesk::sound::SYS_CSoundPlayer* voice = player_->BgmVoice();
        return voice && voice->GetState() == vesk::sound::kVoicePlaying ? voice->GetVolume() : -1.0f;
    }

    support::ScratchFolder scratch_;
    GAME_CSoundPlayer* player_ = nullptr;
};

TEST_F(SoundPlayerTest, AMissingTrackLeavesOnlyItsOwnSlotEmpty)
{
    EXPECT_EQ(player_->bgmSlots[2].handle, vesk::sound::kNoSound);
    for (std::uint32_t i : {0u, 1u, 3u, 10u}) {
        const vesk::sound::SoundRecord* record = vesk::sound::FindSound(player_->bgmSlots[i].handle);
        ASSERT_NE(record, nullptr) << i;
        EXPECT_NE(record->name.find("bgm_" + std::string(i + 1 < 10 ? "0" : "") + std::to_string(i + 1)), std::string::npos)
            << record->name;
    }
    // The missing track plays nothing, and the others still play.
    player_->PlayBGM(2, 0, false);
    EXPECT_EQ(BgmVolume(), -1.0f);
    player_->PlayBGM(3, 0, false);
    EXPECT_FLOAT_EQ(BgmVolume(), 0.75f * 0.5f);
}

// A file cut to nothing plays as silence like a missing one, and the log names it.
TEST_F(SoundPlayerTest, AnEmptyTrackOrEffectPackageLeavesItsSoundsOutAndSaysSoInTheLog)
{
    DestroySoundPlayer();
    vesk::sound::ReleaseSoundManager();
    const std::filesystem::path data = scratch_.path() / "data" / "sound";
    std::filesystem::resize_file(data / "bgm" / "bgm_02_desert.wav", 0);
    std::filesystem::resize_file(data / "se_package.pac", 0);
    ASSERT_TRUE(vesk::sound::InitSoundManager(std::make_unique<platform::audio::OfflineAudioOutput>(48000)));
    const support::LogCapture log;
    player_ = GetSoundPlayer();
    player_->readyToPlay = 1;
    EXPECT_EQ(player_->bgmSlots[1].handle, vesk::sound::kNoSound);
    EXPECT_EQ(vesk::sound::FindSound(player_->seSlots[0].handle), nullptr);
    EXPECT_TRUE(log.Contains("sound/bgm/bgm_02_desert.wav is empty")) << ::testing::PrintToString(log.Lines());
    EXPECT_TRUE(log.Contains("sound/se_package.pac is empty")) << ::testing::PrintToString(log.Lines());
    player_->PlayBGM(3, 0, false);
    EXPECT_FLOAT_EQ(BgmVolume(), 0.75f * 0.5f);
}

TEST_F(SoundPlayerTest, MusicFadesInOverItsFramesAndTheVolumesComeFromTheSettings)
{
    std::vector<std::uint8_t> settings(save_layout::system::kSettingsSize, 0);
    platform::WriteU16(settings.data() + save_layout::system::kBgmVolume, 40);
    platform::WriteU16(settings.data() + save_layout::system::kSeVolume, 250);
    player_->ApplyVolumeSettings(settings);
    EXPECT_FLOAT_EQ(player_->bgmFactor, 0.4f);
    EXPECT_FLOAT_EQ(player_->seVolume, 1.0f);

    player_->PlayBGM(1, 4, false);
    EXPECT_FLOAT_EQ(BgmVolume(), 0.0f);
    player_->UpdateSoundPlayer();
    player_->UpdateSoundPlayer();
    EXPECT_FLOAT_EQ(BgmVolume(), 0.5f * 0.5f * 0.4f);
    player_->UpdateSoundPlayer();
    player_->UpdateSoundPlayer();
    EXPECT_FLOAT_EQ(BgmVolume(), 0.5f * 0.4f);
    EXPECT_EQ(player_->fadeMode, GAME_CSoundPlayer::kFadeNone);

    // The track now playing is not started again unless forced.
    player_->PlayBGM(1, 4, false);
    EXPECT_EQ(player_->fadeMode, GAME_CSoundPlayer::kFadeNone);
    player_->PlayBGM(1, 4, true);
    EXPECT_EQ(player_->fadeMode, GAME_CSoundPlayer::kFadeIn);

    // A fade-out of one frame ends in one update.
    player_->StopBGM(1);
    EXPECT_EQ(player_->PlayingBgm(), kNoBgm);
    player_->UpdateSoundPlayer();
    EXPECT_EQ(BgmVolume(), -1.0f);
}

TEST_F(SoundPlayerTest, AMusicVolumePastAHundredFromADamagedSaveIsTakenAsAHundredAndSaysSo)
{
    player_->PlayBGM(1, 0, false);
    std::vector<std::uint8_t> settings(save_layout::system::kSettingsSize, 0);
    platform::WriteU16(settings.data() + save_layout::system::kBgmVolume, 5000);
    platform::WriteU16(settings.data() + save_layout::system::kSeVolume, 60);
    const support::LogCapture log;
    player_->ApplyVolumeSettings(settings);
    EXPECT_FLOAT_EQ(player_->bgmFactor, 1.0f);
    EXPECT_FLOAT_EQ(BgmVolume(), 0.5f);
    EXPECT_TRUE(log.Contains("music volume 5000"));
    // Fades reach the same ceiling.
    player_->PlayBGM(3, 2, false);
    player_->UpdateSoundPlayer();
    player_->UpdateSoundPlayer();
    EXPECT_FLOAT_EQ(BgmVolume(), 0.5f);
}

TEST_F(SoundPlayerTest, MusicStoppedWhileFadingInFadesOutFromTheLevelItReachedNeverLouder)
{
    player_->PlayBGM(1, 100, false);
    for (int frame = 0; frame < 25; ++frame) player_->UpdateSoundPlayer();
    float level = BgmVolume();
    EXPECT_FLOAT_EQ(level, 0.25f * 0.5f * 0.75f);
    player_->StopBGM(100);
    int frames = 0;
    while (BgmVolume() >= 0.0f && frames < 200) {
        player_->UpdateSoundPlayer();
        ++frames;
        if (BgmVolume() >= 0.0f) {
            EXPECT_LE(BgmVolume(), level) << frames;
            level = BgmVolume();
        }
    }
    // A quarter of the way in, a quarter of the way to go: the pace of a whole fade.
    EXPECT_EQ(frames, 25);
}

TEST_F(SoundPlayerTest, AVolumeSetWhileTheMusicFadesKeepsTheFadesLevelAndTheFadeTakesTheNewVolume)
{
    std::vector<std::uint8_t> settings(save_layout::system::kSettingsSize, 0);
    platform::WriteU16(settings.data() + save_layout::system::kBgmVolume, 40);
    player_->PlayBGM(1, 100, false);
    for (int frame = 0; frame < 10; ++frame) player_->UpdateSoundPlayer();
    const float level = BgmVolume();
    player_->ApplyVolumeSettings(settings);
    EXPECT_FLOAT_EQ(BgmVolume(), level);
    player_->UpdateSoundPlayer();
    EXPECT_FLOAT_EQ(BgmVolume(), 0.11f * 0.5f * 0.4f);

    // Without a fade the new volume acts at once.
    for (int frame = 0; frame < 100; ++frame) player_->UpdateSoundPlayer();
    platform::WriteU16(settings.data() + save_layout::system::kBgmVolume, 80);
    player_->ApplyVolumeSettings(settings);
    EXPECT_FLOAT_EQ(BgmVolume(), 0.5f * 0.8f);
}

}  // namespace

