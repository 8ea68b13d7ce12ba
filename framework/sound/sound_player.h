// One voice of the sound manager, its states, and the voice on the mixer.
#pragma once

#include <cstdint>
#include <string>

#include "framework/sound/wave_data.h"

#include "platform/audio/mixer.h"

namespace vesk::sound {

struct SoundRecord;

// Voice states.
inline constexpr uint32_t kVoiceNeverPlayed = 0;
inline constexpr uint32_t kVoicePlaying = 1;
inline constexpr uint32_t kVoicePaused = 2;
inline constexpr uint32_t kVoiceStopped = 4;  // stopped, or played to its end

// One voice of the sound manager: plays one sound at a time.
class SYS_CSoundPlayer {
public:
    virtual ~SYS_CSoundPlayer() = default;

    virtual void SetUp(int group, int index) {}
    // 1 when the sound started, else 0.
    virtual int Play(const SoundRecord& record, float volumeA, float volumeB, bool loop) = 0;
    virtual void Stop() = 0;
    virtual void Pause() = 0;
    virtual void Resume() = 0;
    virtual uint32_t GetState() const = 0;
    virtual void SetVolume(float volumeA, float volumeB) = 0;

    float GetVolume() const { return (volumeA_ + volumeB_) * 0.5f; }
    float GetVolumeA() const { return volumeA_; }
    float GetVolumeB() const { return volumeB_; }

    uint32_t GetVolumeClass() const { return volumeClass_; }
    void SetVolumeClass(uint32_t volumeClass) { volumeClass_ = volumeClass; }

protected:
    uint32_t volumeClass_ = 0;
    float volumeA_ = 0.0f;
    float volumeB_ = 0.0f;
};

// The voice on our mixer. Its mixer voice is made anew for every sound played.
class SYSWIN_CSoundPlayer final : public SYS_CSoundPlayer {
public:
    explicit SYSWIN_CSoundPlayer(platform::audio::Mixer& mixer) : mixer_(mixer) {}
    ~SYSWIN_CSoundPlayer() override;
    SYSWIN_CSoundPlayer(const SYSWIN_CSoundPlayer&) = delete;
    SYSWIN_CSoundPlayer& operator=(const SYSWIN_CSoundPlayer&) = delete;

    int Play(const SoundRecord& record, float volumeA, float volumeB, bool loop) override;
    void Stop() override;
    void Pause() override;
    void Resume() override;
    uint32_t GetState() const override;
    void SetVolume(float volumeA, float volumeB) override;

    // The record last started, while its mixer voice exists.
    const SoundRecord* GetPlayingRecord() const { return record_; }
    // Drops the mixer voice, so nothing reads the record's samples any more.
    void ReleaseSource();

    platform::audio::VoiceId GetSourceVoice() const { return source_; }

private:
    platform::audio::Mixer& mixer_;
    platform::audio::VoiceId source_ = platform::audio::kNoVoice;
    const SoundRecord* record_ = nullptr;
    uint32_t state_ = kVoiceNeverPlayed;
};

// The loop region handed to the mixer for a sound: begin and length from the
// record's loop points, rounded up to whole blocks for ADPCM and kept inside
// the sound's frames.
struct LoopRegion {
    uint32_t begin = 0;
    uint32_t length = 0;
};
LoopRegion MakeLoopRegion(const WaveData& wave, uint32_t totalFrames);

// Why the player could not play a parsed wave, or loop it over its loop
// points; empty when it can. The sound packer refuses what this names.
std::string FindPlaybackFault(const WaveData& wave);

}  // namespace vesk::sound
