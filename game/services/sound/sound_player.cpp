// The game's sound player: numbered sound effects, at most once a frame each, and faded music.
#include "game/services/sound/sound_player.h"

#include <algorithm>
#include <cmath>

#include "framework/app/time_ns.h"
#include "framework/file/heap_block.h"
#include "framework/file/resource_file.h"
#include "framework/log/log.h"
#include "game/services/save/save_layout.h"
#include "game/services/save/settings_limits.h"
#include "platform/little_endian.h"

namespace {

// Made by the start-up loader on its worker thread, read by the main thread.
std::atomic<GAME_CSoundPlayer*> g_soundPlayer{nullptr};
std::atomic<bool> g_ready{false};

constexpr const char* kBgmFiles[kBgmCount] = {
    "sound/bgm/bgm_01_title.wav",  "sound/bgm/bgm_02_desert.wav",     "sound/bgm/bgm_03_wasteland.wav",
    "sound/bgm/bgm_04_ruins.wav",  "sound/bgm/bgm_05_battle.wav",     "sound/bgm/bgm_06_duel.wav",
    "sound/bgm/bgm_07_Ending.wav", "sound/bgm/bgm_08_additional.wav", "sound/bgm/bgm_09_envwind.wav",
    "sound/bgm/bgm_10_arctic.wav", "sound/bgm/bgm_11_minigame.wav",
};
constexpr const char* kEffectPackage = "sound/se_package.pac";
// Every voice plays at half its nominal volume.
constexpr float kVoiceScale = 0.5f;

// The package index of a sound effect: the last three numbers take the entries in another order.
std::int32_t PackageIndexOf(std::uint32_t n)
{
    switch (n) {
    case 60: return 61;
    case 61: return 62;
    case 62: return 60;
    default: return static_cast<std::int32_t>(n);
    }
}

void LoadEffectPackage()
{
    std::size_t size = 0;
    void* block = vesk::file::ReadResourceFile(nullptr, kEffectPackage, &size);
    if (block == nullptr) return;
    // A package refused has said why, naming the file; the game goes on without sound effects.
    if (vesk::sound::LoadSoundPackage(block, size, kEffectPackage) == 0) vesk::file::FreeFileBlock(block);
}

}  // namespace

GAME_CSoundPlayer::GAME_CSoundPlayer()
{
    for (std::uint32_t n = 0; n < kSoundEffectCount; ++n) {
        seSlots[n] = {n, vesk::sound::MakeSoundId(vesk::sound::kPackageList, PackageIndexOf(n))};
    }
    // Each track keeps the id its own load returned, so a missing file leaves only its own slot empty.
    for (std::uint32_t i = 0; i < kBgmCount; ++i) {
        bgmSlots[i] = {i, vesk::sound::kNoSound};
        if (vesk::sound::HasSoundManager()) bgmSlots[i].handle = vesk::sound::LoadSoundFile(nullptr, kBgmFiles[i]);
    }
    if (vesk::sound::HasSoundManager()) LoadEffectPackage();
    g_ready.store(true);
}

GAME_CSoundPlayer::~GAME_CSoundPlayer()
{
    g_ready.store(false);
    vesk::sound::UnloadSounds(vesk::sound::kFileList);
    vesk::sound::UnloadSounds(vesk::sound::kPackageList);
}

void GAME_CSoundPlayer::PlaySE(std::uint32_t n, float factor)
{
    if (readyToPlay == 0 || n >= kSoundEffectCount || played_[n]) return;
    played_[n] = true;
    if (seSlots[n].handle == vesk::sound::kNoSound || vesk::sound::FindSound(seSlots[n].handle) == nullptr) return;
    const float volume = seVolume * std::clamp(factor, 0.0f, 2.0f) * kVoiceScale;
    vesk::sound::PlaySound(vesk::sound::kSeGroup, vesk::sound::kAnyVoice, volume, seSlots[n].handle, volume, false);
}

void GAME_CSoundPlayer::PlayTrackedSE(std::uint32_t n, std::uint32_t tag)
{
    if (n >= kSoundEffectCount) return;
    StopTrackedSE();
    trackedHandle_ = seSlots[n].handle;
    trackedTag_ = tag;
    trackedStartMs_ = vesk::app::GetTimeNs() / 1000000;
    hasTrackedVoice_ = vesk::sound::PlaySound(vesk::sound::kSeGroup, vesk::sound::kAnyVoice, seVolume, trackedHandle_,
                                              seVolume, true, &trackedVoice_) != nullptr;
}

void GAME_CSoundPlayer::StopTrackedSE()
{
    if (hasTrackedVoice_) {
        if (vesk::sound::SYS_CSoundPlayer* voice = vesk::sound::GetSoundVoice(trackedVoice_)) voice->Stop();
    }
    hasTrackedVoice_ = false;
    trackedHandle_ = vesk::sound::kNoSound;
    trackedTag_ = 0;
    trackedStartMs_ = 0;
}

void GAME_CSoundPlayer::PauseTrackedSE()
{
    if (!hasTrackedVoice_) return;
    vesk::sound::SYS_CSoundPlayer* voice = vesk::sound::GetSoundVoice(trackedVoice_);
    if (voice != nullptr && voice->GetState() == vesk::sound::kVoicePlaying) voice->Pause();
}

void GAME_CSoundPlayer::ResumeTrackedSE()
{
    if (!hasTrackedVoice_) return;
    vesk::sound::SYS_CSoundPlayer* voice = vesk::sound::GetSoundVoice(trackedVoice_);
    if (voice != nullptr) voice->Resume();
}

vesk::sound::SYS_CSoundPlayer* GAME_CSoundPlayer::BgmVoice() const
{
    return hasBgmVoice_ ? vesk::sound::GetSoundVoice(bgmVoice_) : nullptr;
}

void GAME_CSoundPlayer::SetBgmVoiceVolume(float volume)
{
    if (hasBgmVoice_) vesk::sound::SetBgmVolume(bgmVoice_, volume, volume);
}

void GAME_CSoundPlayer::PlayBGM(std::uint32_t id, std::int32_t fadeFrames, bool force)
{
    if (!force && id == playingBgm_) return;
    if (id >= kBgmCount) return;
    playingBgm_ = id;
    lastRequestedBgm_ = id;
    DropBgmVoice();
    fadeMode = kFadeNone;
    fadeFrame = 0;
    fadeLength = 0;
    float volume = bgmFactor * kVoiceScale;
    if (fadeFrames > 0) {
        fadeMode = kFadeIn;
        fadeLength = static_cast<std::uint32_t>(std::max(1, fadeFrames));
        volume = 0.0f;
    }
    if (bgmSlots[id].handle == vesk::sound::kNoSound) return;
    hasBgmVoice_ = vesk::sound::PlaySound(vesk::sound::kBgmGroup, vesk::sound::kAnyVoice, volume, bgmSlots[id].handle,
                                          volume, true, &bgmVoice_) != nullptr;
}

void GAME_CSoundPlayer::StopBGM(std::int32_t fadeFrames)
{
    playingBgm_ = kNoBgm;
    if (fadeFrames > 0) {
        // Music still fading in fades out from the level it has reached, at the same pace as from
        // the full level; starting from the full level would first make it louder.
        const float reached = fadeMode == kFadeIn ? static_cast<float>(fadeFrame) / static_cast<float>(std::max(fadeLength, 1u)) : 1.0f;
        fadeMode = kFadeOut;
        fadeLength = static_cast<std::uint32_t>(std::max(1, fadeFrames));
        fadeFrame = static_cast<std::uint32_t>(std::lround((1.0f - reached) * static_cast<float>(fadeLength)));
        return;
    }
    DropBgmVoice();
}

void GAME_CSoundPlayer::PauseBGM()
{
    vesk::sound::SYS_CSoundPlayer* voice = BgmVoice();
    if (voice != nullptr && voice->GetState() == vesk::sound::kVoicePlaying) voice->Pause();
}

void GAME_CSoundPlayer::ResumeBGM()
{
    if (vesk::sound::SYS_CSoundPlayer* voice = BgmVoice()) voice->Resume();
}

void GAME_CSoundPlayer::HoldBGM()
{
    PauseBGM();
    bgmHeld_ = hasBgmVoice_;
}

void GAME_CSoundPlayer::ReleaseBGM()
{
    bgmHeld_ = false;
    // Muted for the focus, the music waits for the focus to come back.
    if (readyToPlay != 0) ResumeBGM();
}

void GAME_CSoundPlayer::DropBgmVoice()
{
    if (vesk::sound::SYS_CSoundPlayer* voice = BgmVoice()) voice->Stop();
    hasBgmVoice_ = false;
    bgmHeld_ = false;
}

void GAME_CSoundPlayer::ApplyBgmFactorToVoice()
{
    // A running fade takes the new factor at its next step; the full level now would sound a burst.
    if (fadeMode == kFadeNone) SetBgmVoiceVolume(bgmFactor * kVoiceScale);
}

void GAME_CSoundPlayer::SetBGMVolume(float factor)
{
    bgmFactor = factor;
    ApplyBgmFactorToVoice();
}

void GAME_CSoundPlayer::ApplyVolumeSettings(std::span<const std::uint8_t> settings)
{
    namespace system = save_layout::system;
    bgmFactor = ReadSettingUpTo(settings, system::kBgmVolume, system::kMaxVolume, "music volume") * 0.01f;
    ApplyBgmFactorToVoice();
    seVolume = std::clamp(platform::ReadU16(settings, system::kSeVolume) * 0.01f, 0.0f, 1.0f);
}

void GAME_CSoundPlayer::UpdateSoundPlayer()
{
    if (fadeMode != kFadeNone) {
        fadeFrame = std::min(fadeFrame + 1, fadeLength);
        const float progress = static_cast<float>(fadeFrame) / static_cast<float>(std::max(fadeLength, 1u));
        const float volume = (fadeMode == kFadeIn ? progress : 1.0f - progress) * kVoiceScale * bgmFactor;
        SetBgmVoiceVolume(volume);
        if (fadeFrame >= fadeLength) {
            if (fadeMode == kFadeOut) DropBgmVoice();
            fadeMode = kFadeNone;
            fadeFrame = 0;
            fadeLength = 0;
        }
    }
    played_.fill(false);
}

GAME_CSoundPlayer* GetSoundPlayer()
{
    if (g_soundPlayer.load() == nullptr) g_soundPlayer.store(new GAME_CSoundPlayer);
    return g_soundPlayer.load();
}

GAME_CSoundPlayer* PeekSoundPlayer() { return g_ready.load() ? g_soundPlayer.load() : nullptr; }

void DestroySoundPlayer()
{
    delete g_soundPlayer.exchange(nullptr);
}

bool IsSoundPlayerReady() { return g_ready.load(); }
