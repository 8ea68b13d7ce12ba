// Decoding of the three block-compressed formats, against hand-made blocks and a reference decoder.
#include <array>
#include <cstdint>
#include <random>

#include <gtest/gtest.h>
#include <squish.h>

#include "framework/graphics/block_decode.h"

namespace {

using vesk::resource::BlockFormat;
using vesk::resource::BlockPixels;

struct Bgra {
    int b, g, r, a;
};

Bgra PixelOf(const BlockPixels& pixels, int index)
{
    return {pixels[index * 4 + 0], pixels[index * 4 + 1], pixels[index * 4 + 2], pixels[index * 4 + 3]};
}

void ExpectPixel(const BlockPixels& pixels, int index, Bgra expected)
{
    const Bgra actual = PixelOf(pixels, index);
    EXPECT_EQ(actual.b, expected.b) << "pixel " << index;
    EXPECT_EQ(actual.g, expected.g) << "pixel " << index;
    EXPECT_EQ(actual.r, expected.r) << "pixel " << index;
    EXPECT_EQ(actual.a, expected.a) << "pixel " << index;
}

// End points red (0xF800) and blue (0x001F); every row uses indices 0, 1, 2, 3.
constexpr std::array<uint8_t, 8> kRedBlueFourColours = {0x00, 0xF8, 0x1F, 0x00, 0xE4, 0xE4, 0xE4, 0xE4};
// The same end points swapped, which selects the three-colour mode in Bc1.
constexpr std::array<uint8_t, 8> kBlueRedThreeColours = {0x1F, 0x00, 0x00, 0xF8, 0xE4, 0xE4, 0xE4, 0xE4};

TEST(BlockDecode, Bc1FourColourModeInterpolatesThirds)
{
    const BlockPixels pixels = vesk::resource::DecodeBc1Block(kRedBlueFourColours);
    ExpectPixel(pixels, 0, {0, 0, 255, 255});
    ExpectPixel(pixels, 1, {255, 0, 0, 255});
    ExpectPixel(pixels, 2, {85, 0, 170, 255});  // 2/3 red + 1/3 blue
    ExpectPixel(pixels, 3, {170, 0, 85, 255});
    ExpectPixel(pixels, 15, {170, 0, 85, 255});
}

TEST(BlockDecode, Bc1ThreeColourModeHasHalfwayAndTransparentBlack)
{
    const BlockPixels pixels = vesk::resource::DecodeBc1Block(kBlueRedThreeColours);
    ExpectPixel(pixels, 0, {255, 0, 0, 255});
    ExpectPixel(pixels, 1, {0, 0, 255, 255});
    ExpectPixel(pixels, 2, {127, 0, 127, 255});
    ExpectPixel(pixels, 3, {0, 0, 0, 0});

    // Equal end points count as the three-colour mode too.
    const std::array<uint8_t, 8> equal = {0x00, 0x84, 0x00, 0x84, 0xFF, 0xFF, 0xFF, 0xFF};
    ExpectPixel(vesk::resource::DecodeBc1Block(equal), 5, {0, 0, 0, 0});
}

TEST(BlockDecode, Bc1ExpandsFiveAndSixBitChannelsByRepeatingTopBits)
{
    // r = 16 of 31, g = 32 of 63, b = 31 of 31; all pixels index 0.
    const std::array<uint8_t, 8> block = {0x1F, 0x84, 0x00, 0x00, 0, 0, 0, 0};
    ExpectPixel(vesk::resource::DecodeBc1Block(block), 0, {255, 130, 132, 255});
}

TEST(BlockDecode, Bc2TakesFourBitAlphaAndAlwaysFourColours)
{
    std::array<uint8_t, 16> block{};
    // Pixel i has alpha nibble i, low nibble first.
    const uint8_t alphas[8] = {0x10, 0x32, 0x54, 0x76, 0x98, 0xBA, 0xDC, 0xFE};
    for (int i = 0; i < 8; ++i) {
        block[i] = alphas[i];
    }
    for (int i = 0; i < 8; ++i) {
        block[8 + i] = kBlueRedThreeColours[i];
    }
    const BlockPixels pixels = vesk::resource::DecodeBc2Block(block);
    ExpectPixel(pixels, 0, {255, 0, 0, 0});
    ExpectPixel(pixels, 2, {170, 0, 85, 34});  // no three-colour mode here
    ExpectPixel(pixels, 3, {85, 0, 170, 51});  // index 3 is a colour, not transparent
    ExpectPixel(pixels, 15, {85, 0, 170, 255});
}

TEST(BlockDecode, Bc3InterpolatesEightOrSixAlphaValues)
{
    std::array<uint8_t, 16> block{};
    for (int i = 0; i < 8; ++i) {
        block[8 + i] = kRedBlueFourColours[i];
    }
    // Indices 0..7 for pixels 0..7 and again for 8..15.
    const uint8_t indices[6] = {0x88, 0xC6, 0xFA, 0x88, 0xC6, 0xFA};
    for (int i = 0; i < 6; ++i) {
        block[2 + i] = indices[i];
    }

    block[0] = 255;
    block[1] = 0;
    const int eight[8] = {255, 0, 218, 182, 145, 109, 72, 36};
    const BlockPixels eightMode = vesk::resource::DecodeBc3Block(block);
    for (int pixel = 0; pixel < 16; ++pixel) {
        EXPECT_EQ(eightMode[pixel * 4 + 3], eight[pixel % 8]) << "pixel " << pixel;
    }
    ExpectPixel(eightMode, 1, {255, 0, 0, 0});

    block[0] = 0;
    block[1] = 255;
    const int six[8] = {0, 255, 51, 102, 153, 204, 0, 255};
    const BlockPixels sixMode = vesk::resource::DecodeBc3Block(block);
    for (int pixel = 0; pixel < 16; ++pixel) {
        EXPECT_EQ(sixMode[pixel * 4 + 3], six[pixel % 8]) << "pixel " << pixel;
    }
}

TEST(BlockDecode, ImageDropsThePartOfEdgeBlocksOutsideTheImage)
{
    // 5 by 3 pixels need two blocks side by side.
    std::array<uint8_t, 16> blocks{};
    for (int i = 0; i < 8; ++i) {
        blocks[i] = kRedBlueFourColours[i];
        blocks[8 + i] = kBlueRedThreeColours[i];
    }
    const std::vector<uint8_t> pixels = vesk::resource::DecodeBlockImage(BlockFormat::Bc1, 5, 3, blocks);
    ASSERT_EQ(pixels.size(), 5u * 3 * 4);
    const auto at = [&](int x, int y, int channel) { return pixels[(y * 5 + x) * 4 + channel]; };
    EXPECT_EQ(at(0, 0, 2), 255);  // first block, index 0: red
    EXPECT_EQ(at(3, 2, 0), 170);  // first block, index 3: 1/3 red, 2/3 blue
    EXPECT_EQ(at(4, 0, 0), 255);  // second block, column 0, index 0: blue
    EXPECT_EQ(at(4, 2, 0), 255);

    EXPECT_TRUE(vesk::resource::DecodeBlockImage(BlockFormat::Bc1, 9, 3, blocks).empty());
}

// Our decoder against the compressor library's own decoder, on random blocks
// that reach every mode of each format.
TEST(BlockDecode, MatchesTheReferenceDecoderOnRandomBlocks)
{
    std::mt19937 random(1234);
    const struct {
        BlockFormat format;
        int squishFlag;
    } formats[] = {{BlockFormat::Bc1, squish::kDxt1}, {BlockFormat::Bc2, squish::kDxt3},
                   {BlockFormat::Bc3, squish::kDxt5}};
    for (const auto& format : formats) {
        for (int round = 0; round < 500; ++round) {
            std::array<uint8_t, 16> block{};
            for (uint8_t& byte : block) {
                byte = static_cast<uint8_t>(random());
            }
            std::array<uint8_t, 64> reference{};
            squish::Decompress(reference.data(), block.data(), format.squishFlag);
            BlockPixels ours{};
            switch (format.format) {
            case BlockFormat::Bc1: ours = vesk::resource::DecodeBc1Block(std::span(block).first<8>()); break;
            case BlockFormat::Bc2: ours = vesk::resource::DecodeBc2Block(block); break;
            case BlockFormat::Bc3: ours = vesk::resource::DecodeBc3Block(block); break;
            }
            for (int pixel = 0; pixel < 16; ++pixel) {
                const int rgbaToBgra[4] = {2, 1, 0, 3};
                for (int channel = 0; channel < 4; ++channel) {
                    ASSERT_EQ(ours[pixel * 4 + rgbaToBgra[channel]], reference[pixel * 4 + channel])
                        << "format " << static_cast<int>(format.format) << " round " << round << " pixel " << pixel;
                }
            }
        }
    }
}

}  // namespace
