// The sound device on the dummy driver, without a driver, and without a sound card.
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "platform/audio/audio_output.h"
#include "tests/support/scoped_env.h"

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

TEST(AudioDevice, AlsaPrintsNothingOfItsOwnWhenThereIsNoSoundCard)
{
    // Where a card exists the device opens and ALSA is silent anyway.
    support::ScopedEnv driver("SDL_AUDIODRIVER", "alsa");
    testing::internal::CaptureStderr();
    std::string failure;
    std::unique_ptr<AudioOutput> device = OpenAudioDevice(failure);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.find("ALSA lib"), std::string::npos) << said;
    if (device == nullptr) {
        EXPECT_FALSE(failure.empty());  // the game's one warning still says why
    }
}

}  // namespace
}  // namespace platform::audio
