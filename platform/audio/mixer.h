// The software mixer: voices of PCM or ADPCM sound, resampled and mixed into stereo on the audio thread.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/audio/wave_format.h"

namespace platform::audio {

using VoiceId = int32_t;
constexpr VoiceId kNoVoice = -1;

// A loop count of this value repeats the loop region for as long as the voice plays.
constexpr uint32_t kLoopInfinite = 255;
constexpr uint32_t kMaxLoopCount = 254;

constexpr int kMaxVoices = 64;
constexpr uint32_t kOutputChannels = 2;

// One whole sound handed to a voice. The sample memory is the caller's and must
// stay unchanged until the voice is destroyed or its buffer flushed.
struct VoiceBuffer {
    const uint8_t* data = nullptr;
    uint32_t size = 0;        // bytes
    uint32_t loopBegin = 0;   // first frame of the loop region
    uint32_t loopLength = 0;  // frames; 0 loops to the end of the buffer
    uint32_t loopCount = 0;   // 0 plays once, 1..254 repeats, kLoopInfinite forever
};

// Mixes voices into interleaved stereo at the output rate. Every operation may be
// called from any thread; Mix runs on the audio thread, takes the lock only for
// as long as it renders and never allocates. Voices are linearly resampled,
// summed and saturated. Output depends only on the calls made, so tests render
// and compare samples directly.
class Mixer {
public:
    explicit Mixer(uint32_t outputRate);
    ~Mixer();
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    uint32_t OutputRate() const { return outputRate_; }

    // kNoVoice when the format cannot be played or every voice slot is in use.
    VoiceId CreateVoice(const WaveFormat& format);
    void DestroyVoice(VoiceId voice);

    // Queues the voice's one buffer. False when a buffer is already queued, the
    // buffer holds no frame or its loop region lies outside it.
    bool SubmitBuffer(VoiceId voice, const VoiceBuffer& buffer);
    bool Start(VoiceId voice);
    bool Stop(VoiceId voice);  // keeps the position; Start continues
    bool FlushBuffers(VoiceId voice);
    // 1 while the buffer has frames left to play, else 0 (also for unknown voices).
    uint32_t BuffersQueued(VoiceId voice) const;
    bool SetVolume(VoiceId voice, float volume);
    float GetVolume(VoiceId voice) const;

    int ActiveVoiceCount() const;

    // Renders the next frames of interleaved stereo.
    void Mix(float* out, uint32_t frames);
    void Mix(int16_t* out, uint32_t frames);

private:
    struct Voice {
        bool inUse = false;
        uint16_t generation = 0;
        WaveFormat format;
        bool running = false;
        bool queued = false;
        VoiceBuffer buffer;
        uint32_t totalFrames = 0;
        uint32_t loopEnd = 0;
        uint32_t loopsLeft = 0;
        uint64_t position = 0;  // frames, 32.32 fixed point
        uint64_t step = 0;      // source frames per output frame, 32.32
        float volume = 1.0f;
        // Two decoded ADPCM blocks, so interpolating across a block edge or a
        // loop seam does not decode the same block over and over.
        std::array<std::vector<int16_t>, 2> blocks;
        std::array<int64_t, 2> blockIndex{-1, -1};
        std::array<uint32_t, 2> blockFrames{0, 0};
        uint8_t nextBlockSlot = 0;
    };

    Voice* Find(VoiceId voice);
    const Voice* Find(VoiceId voice) const;
    // Applies change to the voice under the lock; false when the id names no voice.
    template <typename Change>
    bool ChangeVoice(VoiceId id, Change change);
    static VoiceId MakeId(int slot, uint16_t generation);

    void MixVoice(Voice& voice, float* out, uint32_t frames);
    // Mixes with one reader of the voice's encoding and channel count, chosen once per call.
    template <class ReadFrame>
    void MixVoiceWith(Voice& voice, float* out, uint32_t frames, ReadFrame read);
    uint32_t NextFrame(const Voice& voice, uint32_t frame) const;
    void Advance(Voice& voice);
    void MixLocked(float* out, uint32_t frames);

    const uint32_t outputRate_;
    mutable std::mutex mutex_;
    std::array<Voice, kMaxVoices> voices_;
    static constexpr uint32_t kChunkFrames = 256;
    std::array<float, kChunkFrames * kOutputChannels> chunk_{};
};

}  // namespace platform::audio
