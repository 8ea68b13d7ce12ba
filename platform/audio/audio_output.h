// Where the mixer's output goes: the sound device, or an offline output the owner mixes by hand.
#pragma once

#include <memory>
#include <string>

#include "platform/audio/mixer.h"

namespace platform::audio {

// Where the mixer's output goes. The sound device renders it on its own thread;
// tests use an output that nobody pulls from and render the mixer themselves.
class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    virtual Mixer& GetMixer() = 0;
};

// An output that only holds a mixer; the owner calls Mix itself.
class OfflineAudioOutput final : public AudioOutput {
public:
    explicit OfflineAudioOutput(uint32_t outputRate) : mixer_(outputRate) {}
    Mixer& GetMixer() override { return mixer_; }

private:
    Mixer mixer_;
};

// Opens the default sound device and starts pulling from a new mixer. Null when
// there is no sound device; failure then says why.
std::unique_ptr<AudioOutput> OpenAudioDevice(std::string& failure);

}  // namespace platform::audio
