// The wave parsers: RIFF chunks, loops, ADPCM blocks, the fixed-layout kinds and malformed waves.
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "framework/sound/wave_data.h"
#include "tests/framework/sound/sound_test_bytes.h"
#include "tests/support/log_capture.h"
#include "tools/common/wav_writer.h"

namespace vesk::sound {
namespace {

using test::AppendChunk;
using test::PutTag;
using test::PutU16;
using test::PutU32;

// "RIFF" header and a "fmt " chunk of the given size describing 16-bit mono.
std::vector<uint8_t> WaveHead(uint32_t formatSize, uint16_t formatTag = 1)
{
    std::vector<uint8_t> bytes(20 + formatSize, 0);
    PutTag(bytes, 0, "RIFF");
    PutTag(bytes, 8, "WAVE");
    PutTag(bytes, 12, "fmt ");
    PutU32(bytes, 16, formatSize);
    PutU16(bytes, 20, formatTag);
    PutU16(bytes, 22, 1);
    PutU32(bytes, 24, 22050);
    PutU16(bytes, 32, 2);
    PutU16(bytes, 34, 16);
    return bytes;
}

std::vector<uint8_t> SmplBody(uint32_t loopCount, uint32_t start, uint32_t end)
{
    std::vector<uint8_t> body(60, 0);
    PutU32(body, 28, loopCount);
    PutU32(body, 44, start);
    PutU32(body, 48, end);
    return body;
}

TEST(WaveData, SixteenByteFormatPutsTheFirstChunkAtOffset36)
{
    std::vector<uint8_t> bytes = WaveHead(16);
    AppendChunk(bytes, "data", {1, 0, 2, 0, 3, 0});
    WaveData wave;
    ASSERT_TRUE(ParseWave(bytes, kFormatPcmWave, "a.wav", wave));
    EXPECT_EQ(wave.samples.data(), bytes.data() + 36 + 8);
    EXPECT_EQ(wave.samples.size(), 6u);
    EXPECT_EQ(wave.formatBlock.data(), bytes.data() + 20);
    EXPECT_EQ(wave.formatBlock.size(), 16u);
    EXPECT_EQ(wave.channels, 1u);
    EXPECT_EQ(wave.sampleRate, 22050.0f);
    EXPECT_EQ(wave.bitsPerSample, 16);
    EXPECT_EQ(wave.samplesPerBlock, 1u);
    EXPECT_EQ(wave.formatCode, kFormatPcmWave);

    // An 18-byte format (with its extension size word) moves the walk along.
    std::vector<uint8_t> longer = WaveHead(18);
    AppendChunk(longer, "LIST", {9, 9, 9});
    AppendChunk(longer, "data", {7, 0});
    ASSERT_TRUE(ParseWave(longer, kFormatPcmWave, "b.wav", wave));
    EXPECT_EQ(wave.samples.data(), longer.data() + 38 + 8 + 3 + 8);
}

TEST(WaveData, SmplLoopCountZeroMeansNoLoopPoints)
{
    for (const uint32_t loops : {0u, 1u}) {
        std::vector<uint8_t> bytes = WaveHead(16);
        AppendChunk(bytes, "smpl", SmplBody(loops, 100, 900));
        AppendChunk(bytes, "data", std::vector<uint8_t>(2000, 0));
        WaveData wave;
        ASSERT_TRUE(ParseWave(bytes, kFormatPcmWave, "loop.wav", wave));
        EXPECT_EQ(wave.loopStart, loops ? 100u : 0u);
        EXPECT_EQ(wave.loopEnd, loops ? 900u : 0u);
    }
    // A loop-less "smpl" chunk may stop right after its loop count.
    std::vector<uint8_t> bytes = WaveHead(16);
    AppendChunk(bytes, "smpl", std::vector<uint8_t>(36, 0));
    AppendChunk(bytes, "data", {0, 0});
    WaveData wave;
    EXPECT_TRUE(ParseWave(bytes, kFormatPcmWave, "short_smpl.wav", wave));
}

TEST(WaveData, WriterOutputReadsBackWithItsLoopAndAdpcmBlockSize)
{
    const std::vector<uint8_t> pcm = tools::MakePcmWav({1, 2, 3, 4}, 44100, 2, tools::WavLoop{0, 2});
    WaveData wave;
    ASSERT_TRUE(ParseWave(pcm, kFormatPcmWave, "pcm.wav", wave));
    EXPECT_EQ(wave.samples.size(), 8u);
    EXPECT_EQ(wave.channels, 2u);
    EXPECT_EQ(wave.loopEnd, 2u);

    const std::vector<uint8_t> adpcm = tools::MakeAdpcmWav(std::vector<uint8_t>(512, 0), 22050, 1, 256, 500);
    ASSERT_TRUE(ParseWave(adpcm, kFormatAdpcmWave, "adpcm.wav", wave));
    EXPECT_EQ(wave.samplesPerBlock, 500u);
    EXPECT_EQ(wave.formatCode, kFormatAdpcmWave);
    platform::audio::WaveFormat format;
    ASSERT_TRUE(DescribeMixerFormat(wave, format));
    EXPECT_EQ(format.encoding, platform::audio::SampleEncoding::MsAdpcm);
    EXPECT_EQ(format.blockAlign, 256);
    EXPECT_EQ(format.samplesPerBlock, 500);
}

TEST(WaveData, RefusesMalformedWavesWithALogLine)
{
    const std::vector<uint8_t> good = tools::MakePcmWav(std::vector<int16_t>(50, 5), 22050, 1, tools::WavLoop{0, 50});
    ASSERT_EQ(good.size(), 36u + 68u + 8u + 100u);
    struct Case {
        const char* fault;
        size_t offset;
        uint32_t value;
    };
    const Case cases[] = {
        {"not RIFF", 0, 0x46464952 + 1},
        {"not WAVE", 8, 0},
        {"fmt not first", 12, 0x61746164},
        {"fmt too small", 16, 14},
        {"fmt past the end", 16, 4000},
        {"fmt size near 4 GiB", 16, 0xFFFFFFF0u},
        {"smpl past the end", 40, 1000},
        {"smpl too short for its loop", 40, 40},
        {"smpl too short for its count", 40, 20},
        {"data past the end", 108, 101},
        {"data size near 4 GiB", 108, 0xFFFFFFF8u},
        {"no data chunk", 104, 0x41544144},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bad = good;
        PutU32(bad, c.offset, c.value);
        support::LogCapture capture;
        WaveData wave;
        EXPECT_FALSE(ParseWave(bad, kFormatPcmWave, "bad.wav", wave)) << c.fault;
        EXPECT_TRUE(wave.samples.empty()) << c.fault;
        EXPECT_TRUE(capture.Contains("error: bad.wav: ")) << c.fault;
    }

    // An ADPCM wave needs the block size word of a 20-byte format.
    support::LogCapture capture;
    std::vector<uint8_t> adpcm = WaveHead(16, 2);
    AppendChunk(adpcm, "data", {0});
    WaveData wave;
    EXPECT_FALSE(ParseWave(adpcm, kFormatAdpcmWave, "bad.wav", wave));

    // Every cut of a good file parses or is refused, and never reads past the cut.
    support::LogCapture quiet;
    for (size_t size = 0; size < good.size(); ++size) {
        const std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size));
        ParseWave(cut, kFormatPcmWave, "cut.wav", wave);
        ParseWave(cut, kFormatAdpcmWave, "cut.wav", wave);
    }
}

TEST(WaveData, TrailingBytesTooShortForAChunkEndTheWalk)
{
    std::vector<uint8_t> bytes = WaveHead(16);
    AppendChunk(bytes, "data", {1, 0, 2});
    bytes.push_back(0);  // the pad byte of an odd chunk
    WaveData wave;
    ASSERT_TRUE(ParseWave(bytes, kFormatPcmWave, "odd.wav", wave));
    EXPECT_EQ(wave.samples.size(), 3u);
}

TEST(WaveData, FixedLayoutAndVagEntries)
{
    std::vector<uint8_t> sat9(200, 0);
    PutTag(sat9, 0, "RIFF");
    PutTag(sat9, 8, "WAVE");
    PutTag(sat9, 12, "fmt ");
    PutU16(sat9, 22, 2);
    PutU32(sat9, 24, 48000);
    PutU32(sat9, 64, 0xAAAA);
    PutU32(sat9, 80, 0xBBBB);
    PutTag(sat9, 92, "smpl");
    PutU32(sat9, 144, 10);
    PutU32(sat9, 148, 20);
    PutTag(sat9, 160, "data");
    PutU32(sat9, 164, 32);
    WaveData wave;
    ASSERT_TRUE(ParseSat9Wave(sat9, "sat9", wave));
    EXPECT_EQ(wave.samples.data(), sat9.data() + 168);
    EXPECT_EQ(wave.samples.size(), 32u);
    EXPECT_EQ(wave.loopStart, 10u);
    EXPECT_EQ(wave.loopEnd, 20u);
    EXPECT_EQ(wave.formatWords[0], 0xAAAAu);
    EXPECT_EQ(wave.formatWords[1], 0xBBBBu);
    EXPECT_EQ(wave.channels, 2u);
    EXPECT_EQ(wave.formatCode, kFormatSat9);
    platform::audio::WaveFormat format;
    EXPECT_FALSE(DescribeMixerFormat(wave, format)) << "no format block to play from";

    support::LogCapture capture;
    PutU32(sat9, 164, 33);
    EXPECT_FALSE(ParseSat9Wave(sat9, "sat9", wave)) << "data past the end";
    PutTag(sat9, 160, "junk");
    EXPECT_FALSE(ParseSat9Wave(sat9, "sat9", wave)) << "no data after smpl";
    PutTag(sat9, 92, "junk");
    EXPECT_FALSE(ParseSat9Wave(sat9, "sat9", wave)) << "nothing at the fixed place";
    EXPECT_FALSE(ParseSat9Wave(std::span(sat9.data(), 95), "sat9", wave)) << "cut inside the fixed place";

    std::vector<uint8_t> vag(64, 0);
    PutTag(vag, 0, "VAGp");
    vag[15] = 16;                  // big-endian size
    vag[18] = 0xAC;  // big-endian 44100
    vag[19] = 0x44;
    vag[30] = 1;
    ASSERT_TRUE(ParseVagData(vag, "vag", wave));
    EXPECT_EQ(wave.samples.data(), vag.data() + 48);
    EXPECT_EQ(wave.samples.size(), 16u);
    EXPECT_EQ(wave.sampleRate, 44100.0f);
    EXPECT_EQ(wave.channels, 1u);
    EXPECT_EQ(wave.formatCode, kFormatVag);
    vag[15] = 17;
    EXPECT_FALSE(ParseVagData(vag, "vag", wave));
    EXPECT_FALSE(ParseVagData(std::span(vag.data(), 47), "vag", wave));
}

TEST(WaveData, MixerFormatComesFromTheFormatBlock)
{
    std::vector<uint8_t> bytes = WaveHead(16);
    AppendChunk(bytes, "data", {0, 0});
    WaveData wave;
    platform::audio::WaveFormat format;
    ASSERT_TRUE(ParseWave(bytes, kFormatPcmWave, "a.wav", wave));
    ASSERT_TRUE(DescribeMixerFormat(wave, format));
    EXPECT_EQ(format.encoding, platform::audio::SampleEncoding::Pcm16);

    PutU16(bytes, 34, 8);
    ASSERT_TRUE(ParseWave(bytes, kFormatPcmWave, "a.wav", wave));
    ASSERT_TRUE(DescribeMixerFormat(wave, format));
    EXPECT_EQ(format.encoding, platform::audio::SampleEncoding::Pcm8);

    PutU16(bytes, 34, 24);
    ASSERT_TRUE(ParseWave(bytes, kFormatPcmWave, "a.wav", wave));
    EXPECT_FALSE(DescribeMixerFormat(wave, format)) << "24-bit";
    PutU16(bytes, 34, 16);
    PutU16(bytes, 20, 3);
    ASSERT_TRUE(ParseWave(bytes, kFormatPcmWave, "a.wav", wave));
    EXPECT_FALSE(DescribeMixerFormat(wave, format)) << "float samples";
    PutU16(bytes, 20, 1);
    PutU16(bytes, 22, 0);
    ASSERT_TRUE(ParseWave(bytes, kFormatPcmWave, "a.wav", wave));
    EXPECT_FALSE(DescribeMixerFormat(wave, format)) << "no channels";
}

}  // namespace
}  // namespace vesk::sound
