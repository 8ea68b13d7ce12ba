// The block-compressed payload of a ".cvt" image: the fields of its surface header, and its reader.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "framework/graphics/block_decode.h"

namespace vesk::resource {

// The payload of a block-compressed ".cvt" image is a complete image file of
// its own: a DirectDraw surface ("DDS ") holding one of the three block formats.
// Only the first mip level is read; the reader keeps to these fields.
namespace block_payload {
inline constexpr uint32_t kMagic = 0x20534444;  // "DDS "
inline constexpr size_t kHeaderSize = 124;      // the header after the magic
inline constexpr size_t kDataOffset = 4 + kHeaderSize;
inline constexpr size_t kHeaderSizeOffset = 4;
inline constexpr size_t kFlagsOffset = 8;
inline constexpr size_t kHeightOffset = 12;
inline constexpr size_t kWidthOffset = 16;
inline constexpr size_t kLinearSizeOffset = 20;
inline constexpr size_t kMipCountOffset = 28;
inline constexpr size_t kPixelFormatSizeOffset = 76;
inline constexpr size_t kPixelFormatFlagsOffset = 80;
inline constexpr size_t kFourCcOffset = 84;
inline constexpr size_t kCapsOffset = 108;
inline constexpr uint32_t kPixelFormatSize = 32;
inline constexpr uint32_t kPixelFormatFourCc = 0x4;
inline constexpr uint32_t kFourCcDxt1 = 0x31545844;  // "DXT1"
inline constexpr uint32_t kFourCcDxt3 = 0x33545844;  // "DXT3"
inline constexpr uint32_t kFourCcDxt5 = 0x35545844;  // "DXT5"
inline constexpr uint32_t kFlagsRequired = 0x1 | 0x2 | 0x4 | 0x1000;  // caps, height, width, pixel format
inline constexpr uint32_t kFlagLinearSize = 0x80000;
inline constexpr uint32_t kCapsTexture = 0x1000;
}  // namespace block_payload

// The largest side the device accepts for a texture.
inline constexpr uint32_t kMaxTextureSide = 16384;

// A block-compressed picture found inside a payload; blocks views the
// caller's bytes and holds at least the blocks the size needs.
struct BlockImage {
    BlockFormat format = BlockFormat::Bc1;
    uint32_t width = 0;
    uint32_t height = 0;
    std::span<const uint8_t> blocks;
};

uint32_t FourCcOf(BlockFormat format);

// Refuses (with an error line naming the source) anything but a well-formed
// surface of one of the three block formats whose first level fits the bytes.
std::optional<BlockImage> ParseBlockPayload(std::span<const uint8_t> payload, std::string_view source);

}  // namespace vesk::resource
