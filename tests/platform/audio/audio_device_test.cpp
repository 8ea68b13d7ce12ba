#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "platform/audio/audio_output.h"

namespace platform::audio {
namespace {

TEST(AudioDevice, DummyDriverGivesAWorkingDeviceAndAMissingDriverNone)
{
    std::string failure;
    {
        std::unique_ptr<AudioOutput> device = OpenAudioDevice(failure);
        ASSERT_NE(device, nullptr) << failure;
        Mixer& mixer = device->GetMixer();
        EXPECT_GE(mixer.OutputRate(), kMinSampleRate);
        EXPECT_NE(mixer.CreateVoice({SampleEncoding::Pcm16, 22050, 1, 0, 0}), kNoVoice);
    }

    const char* previous = std::getenv("SDL_AUDIODRIVER");
    const std::string saved = previous ? previous : "";
    setenv("SDL_AUDIODRIVER", "no_such_driver", 1);
    failure.clear();
    EXPECT_EQ(OpenAudioDevice(failure), nullptr);
    EXPECT_FALSE(failure.empty());
    setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
}

}  // namespace
}  // namespace platform::audio
