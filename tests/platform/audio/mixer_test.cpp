// The mixer: playback, loops, resampling, formats, volumes, saturation, voice ids and ADPCM.
#include <cstdint>
#include <memory>
#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/audio/mixer.h"
#include "platform/audio/ms_adpcm.h"
#include "tests/platform/audio/adpcm_test_encoder.h"

namespace platform::audio {
namespace {

constexpr uint32_t kRate = 22050;

WaveFormat Pcm16(uint16_t channels, uint32_t rate = kRate)
{
    return {SampleEncoding::Pcm16, rate, channels, 0, 0};
}

std::vector<uint8_t> ToBytes(const std::vector<int16_t>& samples)
{
    std::vector<uint8_t> bytes(samples.size() * 2);
    for (size_t i = 0; i < samples.size(); ++i) {
        bytes[2 * i] = static_cast<uint8_t>(samples[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<uint8_t>((samples[i] >> 8) & 0xFF);
    }
    return bytes;
}

// A ramp that never repeats inside the test's range, so any misplaced frame shows.
std::vector<int16_t> Ramp(size_t frames)
{
    std::vector<int16_t> samples(frames);
    for (size_t i = 0; i < frames; ++i) {
        samples[i] = static_cast<int16_t>(static_cast<int>(i * 7 % 20011) - 10000);
    }
    return samples;
}

std::vector<int16_t> Render(Mixer& mixer, uint32_t frames)
{
    std::vector<int16_t> out(frames * kOutputChannels);
    mixer.Mix(out.data(), frames);
    return out;
}

VoiceId StartVoice(Mixer& mixer, const WaveFormat& format, const VoiceBuffer& buffer)
{
    const VoiceId voice = mixer.CreateVoice(format);
    EXPECT_NE(voice, kNoVoice);
    EXPECT_TRUE(mixer.SubmitBuffer(voice, buffer));
    EXPECT_TRUE(mixer.Start(voice));
    return voice;
}

TEST(Mixer, PlaysPcmAtTheOutputRateSampleForSampleThenFallsSilent)
{
    Mixer mixer(kRate);
    const std::vector<int16_t> source = Ramp(500);
    const std::vector<uint8_t> bytes = ToBytes(source);
    const VoiceId voice = StartVoice(mixer, Pcm16(1), {bytes.data(), static_cast<uint32_t>(bytes.size())});

    const std::vector<int16_t> out = Render(mixer, 600);
    for (size_t i = 0; i < 500; ++i) {
        ASSERT_EQ(out[2 * i], source[i]) << i;
        ASSERT_EQ(out[2 * i + 1], source[i]) << i;
    }
    for (size_t i = 500; i < 600; ++i) {
        ASSERT_EQ(out[2 * i], 0) << i;
    }
    EXPECT_EQ(mixer.BuffersQueued(voice), 0u);
}

TEST(Mixer, LoopingVoiceRepeatsItsLoopRegionExactly)
{
    Mixer mixer(kRate);
    const std::vector<int16_t> source = Ramp(1000);
    const std::vector<uint8_t> bytes = ToBytes(source);
    constexpr uint32_t kBegin = 120;
    constexpr uint32_t kLength = 333;
    const VoiceId voice =
        StartVoice(mixer, Pcm16(1), {bytes.data(), static_cast<uint32_t>(bytes.size()), kBegin, kLength, kLoopInfinite});

    const std::vector<int16_t> out = Render(mixer, 5000);
    for (uint32_t i = 0; i < 5000; ++i) {
        const uint32_t expected = i < kBegin + kLength ? i : kBegin + (i - kBegin) % kLength;
        ASSERT_EQ(out[2 * i], source[expected]) << i;
    }
    EXPECT_EQ(mixer.BuffersQueued(voice), 1u);
}

TEST(Mixer, LoopLengthZeroLoopsToTheEndAndACountedLoopPlaysOnAfterwards)
{
    Mixer mixer(kRate);
    const std::vector<int16_t> source = Ramp(100);
    const std::vector<uint8_t> bytes = ToBytes(source);
    const auto size = static_cast<uint32_t>(bytes.size());
    const VoiceId toEnd = StartVoice(mixer, Pcm16(1), {bytes.data(), size, 40, 0, kLoopInfinite});
    std::vector<int16_t> out = Render(mixer, 400);
    for (uint32_t i = 0; i < 400; ++i) {
        ASSERT_EQ(out[2 * i], source[i < 100 ? i : 40 + (i - 100) % 60]) << i;
    }
    mixer.DestroyVoice(toEnd);

    // Two repeats of frames 10..29, then the rest of the buffer, then nothing.
    const VoiceId counted = StartVoice(mixer, Pcm16(1), {bytes.data(), size, 10, 20, 2});
    out = Render(mixer, 200);
    std::vector<int16_t> expected;
    for (uint32_t i = 0; i < 30; ++i) expected.push_back(source[i]);
    for (int repeat = 0; repeat < 2; ++repeat) {
        for (uint32_t i = 10; i < 30; ++i) expected.push_back(source[i]);
    }
    for (uint32_t i = 30; i < 100; ++i) expected.push_back(source[i]);
    expected.resize(200, 0);
    for (uint32_t i = 0; i < 200; ++i) {
        ASSERT_EQ(out[2 * i], expected[i]) << i;
    }
    EXPECT_EQ(mixer.BuffersQueued(counted), 0u);
}

TEST(Mixer, ResamplesLinearlyAndKeepsTheLoopSeamAtHalfRate)
{
    Mixer mixer(2 * kRate);
    const std::vector<int16_t> source = {0, 1000, 3000, -1000, 200, 400};
    const std::vector<uint8_t> bytes = ToBytes(source);
    StartVoice(mixer, Pcm16(1), {bytes.data(), static_cast<uint32_t>(bytes.size()), 2, 4, kLoopInfinite});

    const std::vector<int16_t> out = Render(mixer, 28);
    // Frames 0..5, then 2..5 forever; each odd output frame is the mean of its neighbours,
    // and the one after frame 5 leans on frame 2 across the seam.
    const std::vector<int16_t> expected = {0,    500,  1000, 2000, 3000, 1000, -1000, -400, 200, 300,
                                           400,  1700, 3000, 1000, -1000, -400, 200,  300,  400, 1700,
                                           3000, 1000, -1000, -400, 200, 300, 400, 1700};
    for (size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(out[2 * i], expected[i]) << i;
    }
}

TEST(Mixer, ReadsStereoAndEightBitAndScalesByVolume)
{
    Mixer mixer(kRate);
    const std::vector<uint8_t> stereo = ToBytes({1000, -2000, 3000, -4000});
    const VoiceId stereoVoice = StartVoice(mixer, Pcm16(2), {stereo.data(), 8});
    ASSERT_TRUE(mixer.SetVolume(stereoVoice, 0.5f));
    std::vector<int16_t> out = Render(mixer, 2);
    EXPECT_EQ(out, (std::vector<int16_t>{500, -1000, 1500, -2000}));
    mixer.DestroyVoice(stereoVoice);

    const std::vector<uint8_t> eightBit = {0x80, 0xFF, 0x00};
    StartVoice(mixer, {SampleEncoding::Pcm8, kRate, 1, 0, 0}, {eightBit.data(), 3});
    out = Render(mixer, 3);
    EXPECT_EQ(out, (std::vector<int16_t>{0, 0, 32512, 32512, -32768, -32768}));
}

TEST(Mixer, SumsVoicesAndSaturates)
{
    Mixer mixer(kRate);
    const std::vector<uint8_t> loud = ToBytes({30000, -30000, 1000});
    StartVoice(mixer, Pcm16(1), {loud.data(), 6});
    StartVoice(mixer, Pcm16(1), {loud.data(), 6});
    const std::vector<int16_t> out = Render(mixer, 3);
    EXPECT_EQ(out, (std::vector<int16_t>{32767, 32767, -32768, -32768, 2000, 2000}));

    StartVoice(mixer, Pcm16(1), {loud.data(), 6});
    StartVoice(mixer, Pcm16(1), {loud.data(), 6});
    std::vector<float> floats(2);
    mixer.Mix(floats.data(), 1);
    EXPECT_EQ(floats, (std::vector<float>{1.0f, 1.0f}));
}

TEST(Mixer, StopKeepsThePlacePauseStyleAndFlushEmptiesTheQueue)
{
    Mixer mixer(kRate);
    const std::vector<int16_t> source = Ramp(100);
    const std::vector<uint8_t> bytes = ToBytes(source);
    const VoiceId voice = StartVoice(mixer, Pcm16(1), {bytes.data(), 200});
    Render(mixer, 10);
    ASSERT_TRUE(mixer.Stop(voice));
    EXPECT_EQ(Render(mixer, 5), std::vector<int16_t>(10, 0));
    EXPECT_EQ(mixer.BuffersQueued(voice), 1u);
    ASSERT_TRUE(mixer.Start(voice));
    EXPECT_EQ(Render(mixer, 1)[0], source[10]);

    EXPECT_FALSE(mixer.SubmitBuffer(voice, {bytes.data(), 200})) << "one buffer at a time";
    ASSERT_TRUE(mixer.FlushBuffers(voice));
    EXPECT_EQ(mixer.BuffersQueued(voice), 0u);
    EXPECT_EQ(Render(mixer, 1)[0], 0);
    EXPECT_TRUE(mixer.SubmitBuffer(voice, {bytes.data(), 200}));
    EXPECT_EQ(Render(mixer, 1)[0], source[0]);
}

TEST(Mixer, RefusesUnplayableFormatsAndBadLoopRegions)
{
    Mixer mixer(kRate);
    EXPECT_EQ(mixer.CreateVoice(Pcm16(0)), kNoVoice);
    EXPECT_EQ(mixer.CreateVoice(Pcm16(3)), kNoVoice);
    EXPECT_EQ(mixer.CreateVoice(Pcm16(1, 10)), kNoVoice);
    EXPECT_EQ(mixer.CreateVoice({SampleEncoding::MsAdpcm, kRate, 1, 256, 501}), kNoVoice) << "more frames than the block holds";
    EXPECT_EQ(mixer.CreateVoice({SampleEncoding::MsAdpcm, kRate, 2, 13, 2}), kNoVoice) << "block smaller than its header";

    const std::vector<uint8_t> bytes = ToBytes(Ramp(100));
    const VoiceId voice = mixer.CreateVoice(Pcm16(1));
    EXPECT_FALSE(mixer.SubmitBuffer(voice, {nullptr, 200}));
    EXPECT_FALSE(mixer.SubmitBuffer(voice, {bytes.data(), 1})) << "no whole frame";
    EXPECT_FALSE(mixer.SubmitBuffer(voice, {bytes.data(), 200, 100, 0, 1})) << "loop starts past the end";
    EXPECT_FALSE(mixer.SubmitBuffer(voice, {bytes.data(), 200, 50, 51, 1})) << "loop ends past the end";
    EXPECT_FALSE(mixer.SubmitBuffer(voice, {bytes.data(), 200, 0xFFFFFFF0u, 0x20, 1})) << "loop end wraps";
    EXPECT_FALSE(mixer.SubmitBuffer(voice, {bytes.data(), 200, 0, 10, 300})) << "loop count out of range";
    EXPECT_TRUE(mixer.SubmitBuffer(voice, {bytes.data(), 200, 50, 50, kMaxLoopCount}));
}

TEST(Mixer, StaleIdsMissAVoiceThatReusedTheirSlotAndSlotsRunOut)
{
    Mixer mixer(kRate);
    const VoiceId first = mixer.CreateVoice(Pcm16(1));
    mixer.DestroyVoice(first);
    const VoiceId second = mixer.CreateVoice(Pcm16(1));
    ASSERT_NE(second, kNoVoice);
    EXPECT_NE(first, second);
    EXPECT_FALSE(mixer.SetVolume(first, 0.1f));
    EXPECT_FLOAT_EQ(mixer.GetVolume(second), 1.0f);

    for (int i = 1; i < kMaxVoices; ++i) {
        ASSERT_NE(mixer.CreateVoice(Pcm16(1)), kNoVoice) << i;
    }
    EXPECT_EQ(mixer.CreateVoice(Pcm16(1)), kNoVoice);
}

TEST(Mixer, AdpcmVoicePlaysTheDecodedBlocksAndLoopsAcrossThem)
{
    constexpr uint32_t kBlockAlign = 64;
    const uint32_t spb = MsAdpcmFramesInBlock(kBlockAlign, 1);
    std::vector<int16_t> source(spb * 3);
    for (size_t i = 0; i < source.size(); ++i) source[i] = static_cast<int16_t>((i % 37) * 300 - 5000);
    const std::vector<uint8_t> data = test::EncodeMsAdpcm(source, 1, kBlockAlign, spb);

    std::vector<int16_t> decoded;
    for (uint32_t block = 0; block < 3; ++block) {
        std::vector<int16_t> frames(spb);
        ASSERT_EQ(DecodeMsAdpcmBlock({data.data() + block * kBlockAlign, kBlockAlign}, 1, spb, frames), spb);
        decoded.insert(decoded.end(), frames.begin(), frames.end());
    }

    Mixer mixer(kRate);
    const uint32_t loopBegin = spb;
    const uint32_t loopLength = 2 * spb;
    StartVoice(mixer, {SampleEncoding::MsAdpcm, kRate, 1, kBlockAlign, static_cast<uint16_t>(spb)},
               {data.data(), static_cast<uint32_t>(data.size()), loopBegin, loopLength, kLoopInfinite});
    const std::vector<int16_t> out = Render(mixer, spb * 8);
    for (uint32_t i = 0; i < spb * 8; ++i) {
        const uint32_t frame = i < loopBegin + loopLength ? i : loopBegin + (i - loopBegin) % loopLength;
        ASSERT_EQ(out[2 * i], decoded[frame]) << i;
    }
}

TEST(Mixer, ShortLastAdpcmBlockCountsOnlyTheFramesItHolds)
{
    const WaveFormat format{SampleEncoding::MsAdpcm, kRate, 2, 64, 52};
    EXPECT_EQ(FramesInBuffer(format, 64 * 2), 104u);
    EXPECT_EQ(FramesInBuffer(format, 64 * 2 + 13), 104u) << "not even a header";
    EXPECT_EQ(FramesInBuffer(format, 64 * 2 + 14 + 4), 104u + 2 + 4);
    EXPECT_EQ(FramesInBuffer(Pcm16(2), 7), 1u);
}

// FNV-1a over the bit patterns, so the smallest change of any sample shows.
uint64_t HashSamples(const void* data, size_t bytes, uint64_t hash)
{
    const auto* at = static_cast<const uint8_t*>(data);
    for (size_t i = 0; i < bytes; ++i) hash = (hash ^ at[i]) * 0x100000001B3ull;
    return hash;
}

// Voices of every encoding, channel count and loop kind, resampled up, down and not at all, at
// several volumes and mixed in uneven calls: the whole output must stay the same sample for sample.
TEST(Mixer, ScriptedVoicesOfEveryKindMixToTheRecordedSamples)
{
    constexpr uint32_t kBlockAlign = 64;
    std::vector<int16_t> mono = Ramp(3000);
    std::vector<int16_t> stereo = Ramp(6000);
    for (size_t i = 0; i < stereo.size(); i += 2) stereo[i] = static_cast<int16_t>(-stereo[i] / 2);
    const std::vector<uint8_t> pcm16Mono = ToBytes(mono);
    const std::vector<uint8_t> pcm16Stereo = ToBytes(stereo);
    std::vector<uint8_t> pcm8(4000);
    for (size_t i = 0; i < pcm8.size(); ++i) pcm8[i] = static_cast<uint8_t>(i * 13 % 251);
    const uint32_t spbMono = MsAdpcmFramesInBlock(kBlockAlign, 1);
    const uint32_t spbStereo = MsAdpcmFramesInBlock(kBlockAlign, 2);
    std::vector<int16_t> wave(spbMono * 9);
    for (size_t i = 0; i < wave.size(); ++i) wave[i] = static_cast<int16_t>((i % 41) * 350 - 7000);
    const std::vector<uint8_t> adpcmMono = test::EncodeMsAdpcm(wave, 1, kBlockAlign, spbMono);
    const std::vector<uint8_t> adpcmStereo = test::EncodeMsAdpcm(wave, 2, kBlockAlign, spbStereo);
    const auto size = [](const std::vector<uint8_t>& bytes) { return static_cast<uint32_t>(bytes.size()); };

    Mixer mixer(48000);
    const auto play = [&](const WaveFormat& format, const VoiceBuffer& buffer, float volume) {
        const VoiceId voice = StartVoice(mixer, format, buffer);
        mixer.SetVolume(voice, volume);
    };
    play(Pcm16(1, 22050), {pcm16Mono.data(), size(pcm16Mono), 0, 0, 0}, 0.5f);
    play(Pcm16(1, 48000), {pcm16Mono.data(), size(pcm16Mono), 700, 900, 3}, 0.3f);
    play(Pcm16(2, 44100), {pcm16Stereo.data(), size(pcm16Stereo), 100, 0, kLoopInfinite}, 0.7f);
    play(Pcm16(2, 96000), {pcm16Stereo.data(), size(pcm16Stereo), 2000, 17, kLoopInfinite}, 0.9f);
    play({SampleEncoding::Pcm8, 11025, 1, 0, 0}, {pcm8.data(), size(pcm8), 10, 1000, 2}, 0.6f);
    play({SampleEncoding::Pcm8, 32000, 2, 0, 0}, {pcm8.data(), size(pcm8), 0, 0, kLoopInfinite}, 1.5f);
    play({SampleEncoding::MsAdpcm, 22050, 1, kBlockAlign, static_cast<uint16_t>(spbMono)},
         {adpcmMono.data(), size(adpcmMono), spbMono + 3, spbMono * 2, kLoopInfinite}, 0.8f);
    play({SampleEncoding::MsAdpcm, 50000, 2, kBlockAlign, static_cast<uint16_t>(spbStereo)},
         {adpcmStereo.data(), size(adpcmStereo), 5, 0, 4}, 0.4f);
    play({SampleEncoding::MsAdpcm, 8000, 1, kBlockAlign, static_cast<uint16_t>(spbMono)},
         {adpcmMono.data(), size(adpcmMono) - 20, 0, 0, 0}, 1.0f);

    uint64_t hash = 0xCBF29CE484222325ull;
    std::vector<float> floats(4096 * kOutputChannels);
    std::vector<int16_t> shorts(4096 * kOutputChannels);
    for (uint32_t call = 0; call < 60; ++call) {
        const uint32_t frames = 1 + call * 97 % 4096;
        if (call % 3 == 2) {
            mixer.Mix(shorts.data(), frames);
            hash = HashSamples(shorts.data(), frames * kOutputChannels * sizeof(int16_t), hash);
        } else {
            mixer.Mix(floats.data(), frames);
            hash = HashSamples(floats.data(), frames * kOutputChannels * sizeof(float), hash);
        }
    }
    EXPECT_EQ(mixer.ActiveVoiceCount(), 4) << "the endless loops play on";
    EXPECT_EQ(hash, 0x4628e752bc3f331cull);
}

TEST(Mixer, AudioThreadNeverReadsSamplesOfADestroyedVoice)
{
    Mixer mixer(kRate);
    std::atomic<bool> done{false};
    std::thread audio([&] {
        std::vector<float> out(256 * kOutputChannels);
        while (!done.load()) mixer.Mix(out.data(), 256);
    });
    for (int i = 0; i < 2000; ++i) {
        // Each buffer dies right after its voice: any late read would be caught.
        auto bytes = std::make_unique<std::vector<uint8_t>>(ToBytes(Ramp(64 + i % 50)));
        const VoiceId voice = mixer.CreateVoice(Pcm16(1, 44100));
        mixer.SubmitBuffer(voice, {bytes->data(), static_cast<uint32_t>(bytes->size()), 0, 0, kLoopInfinite});
        mixer.Start(voice);
        mixer.SetVolume(voice, 0.5f);
        mixer.DestroyVoice(voice);
    }
    done = true;
    audio.join();
    EXPECT_EQ(mixer.ActiveVoiceCount(), 0);
}

}  // namespace
}  // namespace platform::audio
