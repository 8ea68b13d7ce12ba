// The sound device on SDL audio: opens the default device and pulls the mixer from its callback thread.
#include <SDL.h>
#include <dlfcn.h>

#include "platform/audio/audio_output.h"

namespace platform::audio {
namespace {

extern "C" void QuietAlsaError(const char*, int, const char*, int, const char*, ...) {}

// Without a sound card libasound prints lines of its own on stderr that bury
// the game's one-line warning. Its error printer is replaced by one that says
// nothing; SDL loads the same library, so its calls are quiet too, and the
// reason still reaches the warning through SDL's error text. The library stays
// loaded, so the setting lasts.
void QuietenAlsa()
{
    static const bool quietened = [] {
        void* alsa = dlopen("libasound.so.2", RTLD_NOW);
        if (alsa == nullptr) return false;
        using ErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
        using SetErrorHandler = int (*)(ErrorHandler);
        const auto set = reinterpret_cast<SetErrorHandler>(dlsym(alsa, "snd_lib_error_set_handler"));
        return set != nullptr && set(&QuietAlsaError) == 0;
    }();
    (void)quietened;
}

constexpr int kPreferredRate = 48000;
constexpr Uint16 kCallbackFrames = 1024;

class SdlAudioDevice final : public AudioOutput {
public:
    ~SdlAudioDevice() override
    {
        // Closing waits for a running callback, so the mixer outlives it.
        if (device_ != 0) {
            SDL_CloseAudioDevice(device_);
        }
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    bool Open(std::string& failure)
    {
        SDL_AudioSpec wanted{};
        wanted.freq = kPreferredRate;
        wanted.format = AUDIO_F32SYS;
        wanted.channels = static_cast<Uint8>(kOutputChannels);
        wanted.samples = kCallbackFrames;
        wanted.callback = &SdlAudioDevice::Render;
        wanted.userdata = this;
        SDL_AudioSpec obtained{};
        // Only the rate may differ; SDL converts sample format and channels for us.
        device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
        if (device_ == 0) {
            failure = SDL_GetError();
            return false;
        }
        mixer_ = std::make_unique<Mixer>(static_cast<uint32_t>(obtained.freq));
        SDL_PauseAudioDevice(device_, 0);
        return true;
    }

    Mixer& GetMixer() override { return *mixer_; }

private:
    static void SDLCALL Render(void* user, Uint8* stream, int length)
    {
        auto* self = static_cast<SdlAudioDevice*>(user);
        auto* out = reinterpret_cast<float*>(stream);
        const auto frames = static_cast<uint32_t>(length / static_cast<int>(sizeof(float) * kOutputChannels));
        if (self->mixer_) {
            self->mixer_->Mix(out, frames);
        } else {
            SDL_memset(stream, 0, static_cast<size_t>(length));
        }
    }

    SDL_AudioDeviceID device_ = 0;
    std::unique_ptr<Mixer> mixer_;
};

}  // namespace

std::unique_ptr<AudioOutput> OpenAudioDevice(std::string& failure)
{
    QuietenAlsa();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        failure = SDL_GetError();
        return nullptr;
    }
    auto device = std::make_unique<SdlAudioDevice>();
    if (!device->Open(failure)) {
        return nullptr;  // the destructor gives the subsystem back
    }
    return device;
}

}  // namespace platform::audio
