// The sound manager: voice pools, loops, volumes, broken files, unloading and the absent device.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/file/resource_file.h"
#include "framework/memory/heaps.h"
#include "framework/sound/sound_manager.h"
#include "platform/audio/audio_output.h"
#include "tests/framework/sound/sound_test_bytes.h"
#include "tests/support/log_capture.h"
#include "tests/support/scratch_folder.h"
#include "tools/common/chunk_list_writer.h"
#include "tools/common/wav_writer.h"
#include "tools/common/whole_file.h"

namespace vesk::sound {
namespace {

constexpr uint32_t kRate = 22050;

// A package block the manager may take and free the way loaded files are freed.
void* MakeBlock(const std::vector<uint8_t>& bytes)
{
    void* block = memory::MainHeapAlloc(bytes.size());
    std::memcpy(block, bytes.data(), bytes.size());
    return block;
}

std::vector<uint8_t> EffectPackage(int count, size_t frames)
{
    std::vector<tools::PackageChunk> chunks;
    for (int i = 0; i < count; ++i) {
        std::vector<int16_t> samples(frames, static_cast<int16_t>(100 * (i + 1)));
        chunks.push_back({"SWAV", "se_" + std::to_string(i) + ".wav", tools::MakePcmWav(samples, kRate, 1)});
    }
    return tools::MakeChunkList(chunks);
}

class SoundManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        file::SetResourceFolder((scratch_.path() / "data").string());
        auto output = std::make_unique<platform::audio::OfflineAudioOutput>(kRate);
        mixer_ = &output->GetMixer();
        ASSERT_TRUE(InitSoundManager(std::move(output)));
    }
    void TearDown() override
    {
        ReleaseSoundManager();
        file::SetResourceFolder(file::kResourceFolder);
    }

    void WriteResource(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        ASSERT_TRUE(tools::WriteWholeFile(scratch_.path() / "data" / name, bytes));
    }

    void LoadEffects(int count, size_t frames)
    {
        const std::vector<uint8_t> bytes = EffectPackage(count, frames);
        ASSERT_EQ(LoadSoundPackage(MakeBlock(bytes), bytes.size()), 1);
    }

    std::vector<int16_t> Render(uint32_t frames)
    {
        std::vector<int16_t> out(frames * 2);
        mixer_->Mix(out.data(), frames);
        return out;
    }

    support::ScratchFolder scratch_;
    platform::audio::Mixer* mixer_ = nullptr;
};

TEST_F(SoundManagerTest, NinthEffectOnTheEightAutomaticVoicesIsDropped)
{
    LoadEffects(1, 1000);
    const int32_t id = MakeSoundId(kPackageList, 0);
    std::vector<SYS_CSoundPlayer*> voices;
    for (int i = 0; i < 8; ++i) {
        SoundVoiceHandle handle;
        SYS_CSoundPlayer* voice = PlaySound(kSeGroup, kAnyVoice, 1.0f, id, 1.0f, false, &handle);
        ASSERT_NE(voice, nullptr) << i;
        EXPECT_EQ(handle.group, kSeGroup);
        EXPECT_EQ(handle.fixedPool, 0);
        EXPECT_EQ(handle.index, i);
        voices.push_back(voice);
    }
    EXPECT_EQ(PlaySound(kSeGroup, kAnyVoice, 1.0f, id, 1.0f, false), nullptr);
    EXPECT_EQ(mixer_->ActiveVoiceCount(), 8);
    // The fixed pool is not touched by automatic requests.
    EXPECT_NE(PlaySound(kSeGroup, 0, 1.0f, id, 1.0f, false), nullptr);

    // Once the effects have played out their voices are idle again.
    Render(1000);
    EXPECT_EQ(voices[0]->GetState(), kVoiceStopped);
    EXPECT_EQ(PlaySound(kSeGroup, kAnyVoice, 1.0f, id, 1.0f, false), voices[0]);
}

TEST_F(SoundManagerTest, RequestsOutsideTheListsOrPoolsPlayNothing)
{
    LoadEffects(5, 100);
    support::LogCapture capture;
    EXPECT_EQ(PlaySound(kSeGroup, kAnyVoice, 1.0f, 0x00010005, 1.0f, false), nullptr);
    EXPECT_NE(PlaySound(kSeGroup, kAnyVoice, 1.0f, 0x00010004, 1.0f, false), nullptr);
    EXPECT_EQ(PlaySound(kSeGroup, kAnyVoice, 1.0f, kNoSound, 1.0f, false), nullptr);
    EXPECT_EQ(PlaySound(kSeGroup, kAnyVoice, 1.0f, MakeSoundId(kFileList, 0), 1.0f, false), nullptr) << "empty list";
    EXPECT_EQ(PlaySound(kSeGroup, kAnyVoice, 1.0f, MakeSoundId(7, 0), 1.0f, false), nullptr) << "no such list";
    EXPECT_EQ(PlaySound(3, kAnyVoice, 1.0f, 0x00010000, 1.0f, false), nullptr) << "no such group";
    EXPECT_EQ(PlaySound(kSeGroup, 12, 1.0f, 0x00010000, 1.0f, false), nullptr) << "past the fixed pool";
    EXPECT_TRUE(capture.Contains("sound voice 12 of group 1 does not exist"));
    SoundVoiceHandle handle;
    EXPECT_NE(PlaySound(kSeGroup, 11, 1.0f, 0x00010000, 1.0f, false, &handle), nullptr);
    EXPECT_EQ(handle.fixedPool, 1);
    EXPECT_EQ(handle.index, 11);
    EXPECT_EQ(mixer_->ActiveVoiceCount(), 2);
}

TEST_F(SoundManagerTest, LoopingMusicRepeatsItsSmplLoopAtTheMusicVolumeFactor)
{
    const std::vector<int16_t> source = test::EvenRamp(500);
    WriteResource("sound/bgm/a.wav", tools::MakePcmWav(source, kRate, 1, tools::WavLoop{100, 400}));
    ASSERT_EQ(LoadSoundFile(nullptr, "sound/bgm/a.wav"), 0);
    EXPECT_EQ(FindSound(0)->name, "sound/bgm/a");

    SoundVoiceHandle handle;
    SYS_CSoundPlayer* voice = PlaySound(kBgmGroup, kAnyVoice, 1.0f, 0, 1.0f, true, &handle);
    ASSERT_NE(voice, nullptr);
    EXPECT_EQ(voice->GetState(), kVoicePlaying);
    EXPECT_EQ(voice->GetVolumeClass(), kVolumeClassFile);
    const std::vector<int16_t> out = Render(2000);
    for (uint32_t i = 0; i < 2000; ++i) {
        const uint32_t frame = i < 400 ? i : 100 + (i - 100) % 300;
        ASSERT_EQ(out[2 * i], source[frame] / 2) << i;
    }
    EXPECT_EQ(voice->GetState(), kVoicePlaying);
}

TEST_F(SoundManagerTest, LoopFlagWithoutLoopPointsLoopsTheWholeSound)
{
    const std::vector<int16_t> source = test::EvenRamp(64);
    WriteResource("b.wav", tools::MakePcmWav(source, kRate, 1));
    ASSERT_EQ(LoadSoundFile(nullptr, "b.wav"), 0);
    ASSERT_NE(PlaySound(kBgmGroup, kAnyVoice, 1.0f, 0, 1.0f, true), nullptr);
    const std::vector<int16_t> out = Render(200);
    for (uint32_t i = 0; i < 200; ++i) {
        ASSERT_EQ(out[2 * i], source[i % 64] / 2) << i;
    }
}

TEST_F(SoundManagerTest, MissingOrBrokenFilesKeepTheIndicesOfTheFilesAfterThem)
{
    support::LogCapture capture;
    WriteResource("broken.wav", {'R', 'I', 'F', 'F'});
    WriteResource("good.wav", tools::MakePcmWav({2, 4}, kRate, 1));
    EXPECT_EQ(LoadSoundFile(nullptr, "missing.wav"), kNoSound);
    EXPECT_EQ(LoadSoundFile(nullptr, "broken.wav"), kNoSound);
    EXPECT_EQ(LoadSoundFile(nullptr, "good.wav"), 2);
    EXPECT_EQ(GetSoundCount(kFileList), 3);
    EXPECT_EQ(PlaySound(kBgmGroup, kAnyVoice, 1.0f, 0, 1.0f, false), nullptr);
    EXPECT_EQ(PlaySound(kBgmGroup, kAnyVoice, 1.0f, 1, 1.0f, false), nullptr);
    EXPECT_NE(PlaySound(kBgmGroup, kAnyVoice, 1.0f, 2, 1.0f, false), nullptr);
    EXPECT_TRUE(capture.Contains("error: broken.wav: "));
}

TEST_F(SoundManagerTest, PauseResumeAndStopFollowTheVoiceState)
{
    LoadEffects(1, 1000);
    SYS_CSoundPlayer* idle = GetSoundVoice(kSeGroup, 5);
    ASSERT_NE(idle, nullptr);
    EXPECT_EQ(idle->GetState(), kVoiceNeverPlayed);
    idle->Stop();
    idle->Resume();
    EXPECT_EQ(idle->GetState(), kVoiceNeverPlayed);

    SYS_CSoundPlayer* voice = PlaySound(kSeGroup, 0, 1.0f, 0x00010000, 1.0f, false);
    ASSERT_NE(voice, nullptr);
    Render(10);
    voice->Pause();
    EXPECT_EQ(voice->GetState(), kVoicePaused);
    EXPECT_EQ(Render(10), std::vector<int16_t>(20, 0));
    voice->Resume();
    EXPECT_EQ(voice->GetState(), kVoicePlaying);
    EXPECT_EQ(Render(1)[0], 50) << "100 at the effects' factor of 0.5";
    voice->Stop();
    EXPECT_EQ(voice->GetState(), kVoiceStopped);
    EXPECT_EQ(Render(1)[0], 0);
    voice->Resume();
    EXPECT_EQ(voice->GetState(), kVoiceStopped) << "a stopped voice stays stopped";
}

TEST_F(SoundManagerTest, VolumesTakeTheFactorOfTheSoundsClass)
{
    WriteResource("m.wav", tools::MakePcmWav(std::vector<int16_t>(100, 1000), kRate, 1));
    ASSERT_EQ(LoadSoundFile(nullptr, "m.wav"), 0);
    SoundVoiceHandle handle;
    SYS_CSoundPlayer* music = PlaySound(kBgmGroup, 2, 1.0f, 0, 1.0f, true, &handle);
    ASSERT_NE(music, nullptr);
    SetBgmVolume(handle, 0.4f, 0.6f);
    EXPECT_FLOAT_EQ(music->GetVolume(), 0.5f);
    EXPECT_EQ(Render(1)[0], 250);

    // Handles outside the pools are ignored.
    for (const SoundVoiceHandle bad : {SoundVoiceHandle{3, 1, 2}, SoundVoiceHandle{0, 2, 2}, SoundVoiceHandle{0, 1, 3},
                                       SoundVoiceHandle{-1, 1, 2}}) {
        SetBgmVolume(bad, 0.0f, 0.0f);
    }
    EXPECT_EQ(Render(1)[0], 250);

    // On the spare group a music file keeps the music factor of its class.
    SYS_CSoundPlayer* spare = PlaySound(2, kAnyVoice, 1.0f, 0, 1.0f, false);
    ASSERT_NE(spare, nullptr);
    EXPECT_EQ(spare->GetVolumeClass(), kVolumeClassFile);
    EXPECT_EQ(Render(1)[0], 250 + 500);
}

TEST_F(SoundManagerTest, StopBgmVoicesLeavesEffectsPlaying)
{
    LoadEffects(1, 1000);
    WriteResource("m.wav", tools::MakePcmWav(std::vector<int16_t>(100, 1000), kRate, 1));
    ASSERT_EQ(LoadSoundFile(nullptr, "m.wav"), 0);
    SYS_CSoundPlayer* music = PlaySound(kBgmGroup, 1, 1.0f, 0, 1.0f, true);
    SYS_CSoundPlayer* effect = PlaySound(kSeGroup, kAnyVoice, 1.0f, 0x00010000, 1.0f, false);
    StopBgmVoices();
    EXPECT_EQ(music->GetState(), kVoiceStopped);
    EXPECT_EQ(effect->GetState(), kVoicePlaying);
    StopAllVoices();
    EXPECT_EQ(effect->GetState(), kVoiceStopped);
    EXPECT_EQ(mixer_->ActiveVoiceCount(), 0);
}

TEST_F(SoundManagerTest, UnloadingAListSilencesVoicesStillPlayingIt)
{
    WriteResource("m.wav", tools::MakePcmWav(std::vector<int16_t>(100, 1000), kRate, 1));
    ASSERT_EQ(LoadSoundFile(nullptr, "m.wav"), 0);
    LoadEffects(2, 100);
    SYS_CSoundPlayer* music = PlaySound(kBgmGroup, kAnyVoice, 1.0f, 0, 1.0f, true);
    SYS_CSoundPlayer* effect = PlaySound(kSeGroup, kAnyVoice, 1.0f, 0x00010001, 1.0f, true);
    ASSERT_NE(music, nullptr);
    UnloadSounds(kFileList);
    EXPECT_EQ(music->GetState(), kVoiceNeverPlayed);
    EXPECT_EQ(GetSoundCount(kFileList), 0);
    EXPECT_EQ(Render(1)[0], 100) << "only the effect is left, read from memory still held";
    UnloadSounds(kPackageList);
    EXPECT_EQ(effect->GetState(), kVoiceNeverPlayed);
    EXPECT_EQ(Render(1)[0], 0);
    // The package can be loaded again once its list is gone.
    LoadEffects(1, 10);
    EXPECT_EQ(GetSoundCount(kPackageList), 1);
}

TEST_F(SoundManagerTest, SecondOrBrokenPackageIsRefusedAndStaysTheCallers)
{
    LoadEffects(2, 10);
    const std::vector<uint8_t> bytes = EffectPackage(3, 10);
    void* block = MakeBlock(bytes);
    EXPECT_EQ(LoadSoundPackage(block, bytes.size()), 0);
    EXPECT_EQ(GetSoundCount(kPackageList), 2);
    UnloadSounds(kPackageList);

    support::LogCapture capture;
    EXPECT_EQ(LoadSoundPackage(block, 19), 0);
    EXPECT_EQ(GetSoundCount(kPackageList), 0);
    memory::MainHeapFree(block);
}

TEST_F(SoundManagerTest, EntriesTheVoiceCannotPlayAreRefusedAtPlay)
{
    std::vector<uint8_t> vag(64, 0);
    test::PutTag(vag, 0, "VAGp");
    vag[15] = 16;
    const std::vector<uint8_t> bytes = tools::MakeChunkList({{"SVAG", "v.vag", vag}});
    ASSERT_EQ(LoadSoundPackage(MakeBlock(bytes), bytes.size()), 1);
    ASSERT_NE(FindSound(0x00010000), nullptr);
    EXPECT_EQ(FindSound(0x00010000)->wave.formatCode, kFormatVag);
    EXPECT_EQ(PlaySound(kSeGroup, kAnyVoice, 1.0f, 0x00010000, 1.0f, false), nullptr);
}

TEST(SoundLoopRegion, AdpcmLoopPointsRoundUpToWholeBlocks)
{
    SoundRecord record;
    record.wave.formatCode = kFormatAdpcmWave;
    record.wave.samplesPerBlock = 512;
    record.wave.loopStart = 1000;
    record.wave.loopEnd = 3000;
    LoopRegion region = MakeLoopRegion(record.wave, 10240);
    EXPECT_EQ(region.begin, 1024u);
    EXPECT_EQ(region.length, 2048u);

    // Blocks of 500 frames (a 256-byte mono block) round as whole blocks too.
    record.wave.samplesPerBlock = 500;
    record.wave.loopStart = 1001;
    record.wave.loopEnd = 2001;
    region = MakeLoopRegion(record.wave, 10000);
    EXPECT_EQ(region.begin, 1500u);
    EXPECT_EQ(region.length, 1000u);

    // Rounding never carries the loop past the sound's last frame.
    record.wave.loopStart = 0;
    record.wave.loopEnd = 9750;
    region = MakeLoopRegion(record.wave, 9750);
    EXPECT_EQ(region.length, 9750u);

    record.wave.formatCode = kFormatPcmWave;
    record.wave.loopStart = 1001;
    region = MakeLoopRegion(record.wave, 10000);
    EXPECT_EQ(region.begin, 1001u);
    EXPECT_EQ(region.length, 8749u);
}

TEST(SoundManagerAbsent, EveryCallDoesNothingWithoutASoundDevice)
{
    const char* previous = std::getenv("SDL_AUDIODRIVER");
    const std::string saved = previous ? previous : "";
    setenv("SDL_AUDIODRIVER", "no_such_driver", 1);
    support::LogCapture capture;
    EXPECT_FALSE(InitSoundManager());
    setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
    EXPECT_TRUE(capture.Contains("warning: no sound device"));

    EXPECT_FALSE(HasSoundManager());
    EXPECT_EQ(LoadSoundFile(nullptr, "sound/bgm/bgm_01_title.wav"), kNoSound);
    std::vector<uint8_t> bytes = EffectPackage(1, 10);
    EXPECT_EQ(LoadSoundPackage(bytes.data(), bytes.size()), 0);
    EXPECT_EQ(PlaySound(kSeGroup, kAnyVoice, 1.0f, 0x00010000, 1.0f, false), nullptr);
    EXPECT_EQ(GetSoundVoice(kSeGroup, kAnyVoice), nullptr);
    StopAllVoices();
    StopBgmVoices();
    UnloadSounds(kPackageList);
    SetBgmVolume({0, 0, 0}, 1.0f, 1.0f);
    ReleaseSoundManager();
}

TEST(SoundManagerDevice, RunsOnTheDummyDevice)
{
    ASSERT_TRUE(InitSoundManager());
    EXPECT_TRUE(HasSoundManager());
    EXPECT_NE(GetSoundVoice(kBgmGroup, kAnyVoice), nullptr);
    ReleaseSoundManager();
    EXPECT_FALSE(HasSoundManager());
}

}  // namespace
}  // namespace vesk::sound
