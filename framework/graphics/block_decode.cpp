// Decoding of block-compressed pixels: the colour block and the explicit and interpolated alpha blocks.
#include "framework/graphics/block_decode.h"

#include "platform/little_endian.h"

namespace vesk::resource {
namespace {

using platform::ReadU16;
using platform::ReadU32;

struct Colour {
    uint8_t r = 0, g = 0, b = 0, a = 255;
};

// 5:6:5 to 8 bits per channel by repeating the top bits, so 0 stays 0 and the
// largest value becomes 255.
Colour Unpack565(uint16_t packed)
{
    const int r = (packed >> 11) & 0x1F;
    const int g = (packed >> 5) & 0x3F;
    const int b = packed & 0x1F;
    return {static_cast<uint8_t>((r << 3) | (r >> 2)), static_cast<uint8_t>((g << 2) | (g >> 4)),
            static_cast<uint8_t>((b << 3) | (b >> 2)), 255};
}

Colour Mix(Colour a, int weightA, Colour b, int weightB)
{
    const int total = weightA + weightB;
    return {static_cast<uint8_t>((a.r * weightA + b.r * weightB) / total),
            static_cast<uint8_t>((a.g * weightA + b.g * weightB) / total),
            static_cast<uint8_t>((a.b * weightA + b.b * weightB) / total), 255};
}

// The colour half of every format: two end points and 2-bit indices. Only the
// one-bit-alpha format has the three-colour mode with transparent black; the
// others always interpolate four colours.
void DecodeColourBlock(std::span<const uint8_t> block, bool allowThreeColourMode, BlockPixels& out)
{
    const uint16_t packed0 = ReadU16(block, 0);
    const uint16_t packed1 = ReadU16(block, 2);
    const Colour c0 = Unpack565(packed0);
    const Colour c1 = Unpack565(packed1);
    std::array<Colour, 4> palette{c0, c1};
    if (packed0 > packed1 || !allowThreeColourMode) {
        palette[2] = Mix(c0, 2, c1, 1);
        palette[3] = Mix(c0, 1, c1, 2);
    } else {
        palette[2] = Mix(c0, 1, c1, 1);
        palette[3] = Colour{0, 0, 0, 0};
    }
    const uint32_t indices = ReadU32(block, 4);
    for (int pixel = 0; pixel < 16; ++pixel) {
        const Colour& colour = palette[(indices >> (2 * pixel)) & 3];
        out[pixel * 4 + 0] = colour.b;
        out[pixel * 4 + 1] = colour.g;
        out[pixel * 4 + 2] = colour.r;
        out[pixel * 4 + 3] = colour.a;
    }
}

}  // namespace

BlockPixels DecodeBc1Block(std::span<const uint8_t, 8> block)
{
    BlockPixels out{};
    DecodeColourBlock(block, true, out);
    return out;
}

BlockPixels DecodeBc2Block(std::span<const uint8_t, 16> block)
{
    BlockPixels out{};
    DecodeColourBlock(block.subspan(8), false, out);
    // 4 bits of alpha per pixel, low nibble first; x17 spreads 0..15 over 0..255.
    for (int pixel = 0; pixel < 16; ++pixel) {
        const int nibble = (block[pixel / 2] >> (4 * (pixel % 2))) & 0xF;
        out[pixel * 4 + 3] = static_cast<uint8_t>(nibble * 17);
    }
    return out;
}

BlockPixels DecodeBc3Block(std::span<const uint8_t, 16> block)
{
    BlockPixels out{};
    DecodeColourBlock(block.subspan(8), false, out);

    const int alpha0 = block[0];
    const int alpha1 = block[1];
    std::array<uint8_t, 8> palette{static_cast<uint8_t>(alpha0), static_cast<uint8_t>(alpha1)};
    if (alpha0 > alpha1) {
        for (int i = 1; i <= 6; ++i) {
            palette[i + 1] = static_cast<uint8_t>(((7 - i) * alpha0 + i * alpha1) / 7);
        }
    } else {
        for (int i = 1; i <= 4; ++i) {
            palette[i + 1] = static_cast<uint8_t>(((5 - i) * alpha0 + i * alpha1) / 5);
        }
        palette[6] = 0;
        palette[7] = 255;
    }
    // 48 bits of 3-bit indices, little-endian, after the two end points.
    uint64_t indices = 0;
    for (int i = 0; i < 6; ++i) {
        indices |= static_cast<uint64_t>(block[2 + i]) << (8 * i);
    }
    for (int pixel = 0; pixel < 16; ++pixel) {
        out[pixel * 4 + 3] = palette[(indices >> (3 * pixel)) & 7];
    }
    return out;
}

std::vector<uint8_t> DecodeBlockImage(BlockFormat format, uint32_t width, uint32_t height,
                                      std::span<const uint8_t> blocks)
{
    const size_t blockBytes = BlockBytes(format);
    if (blocks.size() / blockBytes < BlockCount(width, height)) {
        return {};
    }
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4);
    const uint32_t blocksAcross = (width + 3) / 4;
    const uint32_t blocksDown = (height + 3) / 4;
    size_t offset = 0;
    for (uint32_t by = 0; by < blocksDown; ++by) {
        for (uint32_t bx = 0; bx < blocksAcross; ++bx, offset += blockBytes) {
            BlockPixels decoded;
            switch (format) {
            case BlockFormat::Bc1: decoded = DecodeBc1Block(blocks.subspan(offset).first<8>()); break;
            case BlockFormat::Bc2: decoded = DecodeBc2Block(blocks.subspan(offset).first<16>()); break;
            case BlockFormat::Bc3: decoded = DecodeBc3Block(blocks.subspan(offset).first<16>()); break;
            }
            // Edge blocks reach past the image; their outer pixels are dropped.
            for (uint32_t row = 0; row < 4 && by * 4 + row < height; ++row) {
                for (uint32_t column = 0; column < 4 && bx * 4 + column < width; ++column) {
                    const size_t target = ((static_cast<size_t>(by) * 4 + row) * width + bx * 4 + column) * 4;
                    const size_t source = (row * 4 + column) * 4;
                    for (int channel = 0; channel < 4; ++channel) {
                        pixels[target + channel] = decoded[source + channel];
                    }
                }
            }
        }
    }
    return pixels;
}

}  // namespace vesk::resource
