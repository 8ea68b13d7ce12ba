// MS-ADPCM decoding: header, nibbles, stereo, bad blocks, saturation and an encoded sine.
#include <cmath>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "platform/audio/ms_adpcm.h"
#include "tests/platform/audio/adpcm_test_encoder.h"

namespace platform::audio {
namespace {

// predictor 0, delta 16, sample1 100, sample2 50 for one mono channel.
std::vector<uint8_t> MonoHeader()
{
    return {0, 16, 0, 100, 0, 50, 0};
}

TEST(MsAdpcm, DecodesHeaderSamplesThenNibblesHighFirst)
{
    std::vector<uint8_t> block = MonoHeader();
    block.push_back(0x1F);  // +1 then -1 steps of delta 16
    std::vector<int16_t> out(4);
    ASSERT_EQ(DecodeMsAdpcmBlock(block, 1, 4, out), 4u);
    EXPECT_EQ(out, (std::vector<int16_t>{50, 100, 116, 100}));
}

TEST(MsAdpcm, StereoNibblesAlternateBetweenChannels)
{
    // Left: predictor 0, delta 16, s1 100, s2 50. Right: predictor 2 (zero), delta 32, s1 -7, s2 -9.
    std::vector<uint8_t> block = {0, 2, 16, 0, 32, 0, 100, 0, 0xF9, 0xFF, 50, 0, 0xF7, 0xFF};
    block.push_back(0x12);  // left +1, right +2
    std::vector<int16_t> out(6);
    ASSERT_EQ(DecodeMsAdpcmBlock(block, 2, 3, out), 3u);
    EXPECT_EQ(out, (std::vector<int16_t>{50, -9, 100, -7, 116, 64}));
}

TEST(MsAdpcm, RefusesBadHeadersAndStopsAtTheEndOfAShortBlock)
{
    std::vector<int16_t> out(512);
    std::vector<uint8_t> block = MonoHeader();
    EXPECT_EQ(DecodeMsAdpcmBlock({block.data(), 6}, 1, 16, out), 0u) << "header cut short";
    block[0] = 7;
    EXPECT_EQ(DecodeMsAdpcmBlock(block, 1, 16, out), 0u) << "predictor past the table";
    block[0] = 0;
    EXPECT_EQ(DecodeMsAdpcmBlock(block, 1, 16, {out.data(), 15}), 0u) << "output too small";
    EXPECT_EQ(DecodeMsAdpcmBlock(block, 3, 16, out), 0u) << "three channels";

    // A block claiming 16 frames but holding bytes for 2 + 2 * 3.
    block.insert(block.end(), {0x11, 0x11, 0x11});
    EXPECT_EQ(DecodeMsAdpcmBlock(block, 1, 16, out), 8u);
}

TEST(MsAdpcm, LargeStepsSaturateWithoutOverflow)
{
    std::vector<uint8_t> block = {0, 0xFF, 0x7F, 0xFF, 0x7F, 0xFF, 0x7F};  // delta 32767, samples at the top
    block.resize(7 + 200, 0x77);
    std::vector<int16_t> out(402);
    ASSERT_EQ(DecodeMsAdpcmBlock(block, 1, 402, out), 402u);
    EXPECT_EQ(out.back(), 32767);
}

TEST(MsAdpcm, EncodedSineDecodesCloseToTheOriginal)
{
    constexpr uint32_t kBlockAlign = 256;
    const uint32_t spb = MsAdpcmFramesInBlock(kBlockAlign, 1);
    ASSERT_EQ(spb, 500u);
    std::vector<int16_t> sine(spb * 3);
    for (size_t i = 0; i < sine.size(); ++i) {
        sine[i] = static_cast<int16_t>(std::lround(12000.0 * std::sin(static_cast<double>(i) * 0.05)));
    }
    const std::vector<uint8_t> data = test::EncodeMsAdpcm(sine, 1, kBlockAlign, spb);
    ASSERT_EQ(data.size(), 3 * kBlockAlign);
    std::vector<int16_t> decoded(spb);
    for (uint32_t block = 0; block < 3; ++block) {
        ASSERT_EQ(DecodeMsAdpcmBlock({data.data() + block * kBlockAlign, kBlockAlign}, 1, spb, decoded), spb);
        for (uint32_t i = 0; i < spb; ++i) {
            ASSERT_NEAR(decoded[i], sine[block * spb + i], 1200) << "block " << block << " frame " << i;
        }
    }
}

}  // namespace
}  // namespace platform::audio
