// The game's sound player: numbered sound effects, at most once a frame each, and faded music.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <span>

#include "framework/memory/heaps.h"
#include "framework/sound/sound_manager.h"

inline constexpr std::uint32_t kSoundEffectCount = 63;
inline constexpr std::uint32_t kBgmCount = 11;
// The same count for the signed music ids that data and scripts give (-1 naming none).
inline constexpr std::int32_t kMusicTrackCount = static_cast<std::int32_t>(kBgmCount);
inline constexpr std::uint32_t kNoBgm = 11;
// Sound effects the screens share.
inline constexpr std::uint32_t kSeDecide = 0;
inline constexpr std::uint32_t kSeCancel = 2;
inline constexpr std::uint32_t kSeError = 4;
inline constexpr std::uint32_t kSeCursor = 58;

class GAME_CSoundPlayer : public vesk::memory::MainHeapObject {
public:
    enum FadeMode : std::uint32_t { kFadeNone = 0, kFadeIn = 1, kFadeOut = 2 };

    struct Slot {
        std::uint32_t number = 0;
        std::int32_t handle = vesk::sound::kNoSound;
    };

    // Loads the eleven music files and the sound-effect package (when there is a sound device).
    GAME_CSoundPlayer();
    ~GAME_CSoundPlayer();
    GAME_CSoundPlayer(const GAME_CSoundPlayer&) = delete;
    GAME_CSoundPlayer& operator=(const GAME_CSoundPlayer&) = delete;

    // Plays SE n once at SE volume x clamp(factor, 0, 2) x 0.5; a second request in the same
    // frame, or any before the game is ready to play, does nothing.
    void PlaySE(std::uint32_t n, float factor = 1.0f);
    // One looping effect at a time, for the room screens.
    void PlayTrackedSE(std::uint32_t n, std::uint32_t tag);
    void StopTrackedSE();
    void PauseTrackedSE();
    void ResumeTrackedSE();

    void PlayBGM(std::uint32_t id, std::int32_t fadeFrames, bool force);
    void StopBGM(std::int32_t fadeFrames);
    void PauseBGM();
    void ResumeBGM();
    // A pause the game asked for on purpose (a route's): the focus mute's resume leaves it alone
    // until it is released or another track starts.
    void HoldBGM();
    void ReleaseBGM();
    bool IsBGMHeld() const { return bgmHeld_; }
    void SetBGMVolume(float factor);
    // The two volume percentages of a settings block.
    void ApplyVolumeSettings(std::span<const std::uint8_t> settings);
    // Once a frame: the fade, then the played flags are cleared.
    void UpdateSoundPlayer();

    std::array<Slot, kSoundEffectCount> seSlots{};
    std::array<Slot, kBgmCount> bgmSlots{};
    std::uint32_t fadeMode = kFadeNone;
    std::uint32_t fadeFrame = 0;
    std::uint32_t fadeLength = 0;
    float bgmFactor = 0.75f;
    float seVolume = 1.0f;
    std::uint32_t currentBgm = kNoBgm;  // the BGM the game has chosen, kept in the save
    std::uint32_t readyToPlay = 0;      // no sound effect plays while 0
    std::uint32_t battleTrackChosen = 0;  // the chosen BGM is the battle or the duel track

    // The music now playing, kNoBgm when none.
    std::uint32_t PlayingBgm() const { return playingBgm_; }
    // The music last asked for by PlayBGM, kept when it stops; kNoBgm until any is asked for.
    std::uint32_t LastRequestedBgm() const { return lastRequestedBgm_; }
    bool WasPlayedThisFrame(std::uint32_t n) const { return n < kSoundEffectCount && played_[n]; }
    std::uint32_t TrackedTag() const { return trackedTag_; }
    // The voice playing the music, null when none plays.
    vesk::sound::SYS_CSoundPlayer* BgmVoice() const;

private:
    void SetBgmVoiceVolume(float volume);
    // The music voice at the factor's level, unless a fade sets it.
    void ApplyBgmFactorToVoice();
    // Stops the music voice, if any, and forgets it with its hold.
    void DropBgmVoice();

    std::uint32_t playingBgm_ = kNoBgm;
    std::uint32_t lastRequestedBgm_ = kNoBgm;
    std::array<bool, kSoundEffectCount> played_{};
    vesk::sound::SoundVoiceHandle bgmVoice_{};
    bool hasBgmVoice_ = false;
    bool bgmHeld_ = false;
    vesk::sound::SoundVoiceHandle trackedVoice_{};
    bool hasTrackedVoice_ = false;
    std::int32_t trackedHandle_ = vesk::sound::kNoSound;
    std::uint32_t trackedTag_ = 0;
    std::int64_t trackedStartMs_ = 0;
};

// The player, made on first use.
GAME_CSoundPlayer* GetSoundPlayer();
// Null until it exists.
GAME_CSoundPlayer* PeekSoundPlayer();
void DestroySoundPlayer();
// Set once the player is made; its frame update runs only then.
bool IsSoundPlayerReady();
