// The mixer's busiest load: 32 looping voices resampled into one device callback.
#include <cmath>
#include <cstdint>
#include <vector>

#include <benchmark/benchmark.h>

#include "platform/audio/mixer.h"

namespace {

using namespace platform::audio;

// 32 looping voices, half mono 22050 Hz and half stereo 44100 Hz, resampled to
// 48000 Hz: the busiest mix the game can ask for, one device callback at a time.
void BM_Mix32VoicesInto1024Frames(benchmark::State& state)
{
    std::vector<uint8_t> samples(44100 * 4);
    for (size_t i = 0; i + 1 < samples.size(); i += 2) {
        const auto value = static_cast<int16_t>(8000.0 * std::sin(static_cast<double>(i) * 0.01));
        samples[i] = static_cast<uint8_t>(value & 0xFF);
        samples[i + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
    }
    Mixer mixer(48000);
    for (int i = 0; i < 32; ++i) {
        const bool stereo = i % 2 == 1;
        const WaveFormat format{SampleEncoding::Pcm16, stereo ? 44100u : 22050u, static_cast<uint16_t>(stereo ? 2 : 1), 0, 0};
        const VoiceId voice = mixer.CreateVoice(format);
        mixer.SubmitBuffer(voice, {samples.data(), static_cast<uint32_t>(samples.size()), 0, 0, kLoopInfinite});
        mixer.SetVolume(voice, 0.25f);
        mixer.Start(voice);
    }
    std::vector<float> out(1024 * kOutputChannels);
    for (auto _ : state) {
        mixer.Mix(out.data(), 1024);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * 1024 * 32);
    // CPU time per second of audio: one iteration is 1024 frames at 48000 Hz.
    state.counters["cpu_per_audio_second"] =
        benchmark::Counter(1024.0 / 48000.0, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Mix32VoicesInto1024Frames);

}  // namespace
