// The three block-compressed pixel formats, and the decoding of their blocks and whole images.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vesk::resource {

// The three block-compressed pixel formats: each 4 by 4 pixel block is stored
// in 8 bytes (Bc1: colour with 1-bit alpha) or 16 bytes (Bc2: explicit 4-bit
// alpha, Bc3: interpolated alpha) followed by the colour block.
enum class BlockFormat { Bc1, Bc2, Bc3 };

inline constexpr size_t BlockBytes(BlockFormat format)
{
    return format == BlockFormat::Bc1 ? 8 : 16;
}

// Blocks needed to cover an image; partial blocks at the right and bottom edges count whole.
inline constexpr uint64_t BlockCount(uint32_t width, uint32_t height)
{
    return ((static_cast<uint64_t>(width) + 3) / 4) * ((static_cast<uint64_t>(height) + 3) / 4);
}

// 16 pixels, rows top to bottom, 4 bytes each in the order blue, green, red, alpha.
using BlockPixels = std::array<uint8_t, 64>;

BlockPixels DecodeBc1Block(std::span<const uint8_t, 8> block);
BlockPixels DecodeBc2Block(std::span<const uint8_t, 16> block);
BlockPixels DecodeBc3Block(std::span<const uint8_t, 16> block);

// Decodes a whole image, blocks row by row, into width x height B8G8R8A8
// pixels. The caller makes sure blocks holds at least BlockCount x BlockBytes
// bytes; an image that is too short for its size decodes to an empty vector.
std::vector<uint8_t> DecodeBlockImage(BlockFormat format, uint32_t width, uint32_t height,
                                      std::span<const uint8_t> blocks);

}  // namespace vesk::resource
