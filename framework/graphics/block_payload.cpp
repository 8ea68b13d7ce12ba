// Reading the block-compressed payload of a ".cvt" image, with every header field and size checked.
#include "framework/graphics/block_payload.h"

#include <string>

#include "framework/log/log.h"
#include "platform/little_endian.h"

namespace vesk::resource {
namespace {

using platform::ReadU32;

void Refuse(std::string_view source, const std::string& reason)
{
    log::Error("image \"" + std::string(source) + "\": block-compressed payload " + reason);
}

std::optional<BlockFormat> FormatOfFourCc(uint32_t fourCc)
{
    switch (fourCc) {
    case block_payload::kFourCcDxt1: return BlockFormat::Bc1;
    case block_payload::kFourCcDxt3: return BlockFormat::Bc2;
    case block_payload::kFourCcDxt5: return BlockFormat::Bc3;
    default: return std::nullopt;
    }
}

}  // namespace

uint32_t FourCcOf(BlockFormat format)
{
    switch (format) {
    case BlockFormat::Bc1: return block_payload::kFourCcDxt1;
    case BlockFormat::Bc2: return block_payload::kFourCcDxt3;
    case BlockFormat::Bc3: return block_payload::kFourCcDxt5;
    }
    return 0;
}

std::optional<BlockImage> ParseBlockPayload(std::span<const uint8_t> payload, std::string_view source)
{
    using namespace block_payload;
    if (payload.size() < kDataOffset) {
        Refuse(source, "of " + std::to_string(payload.size()) + " bytes is shorter than its " +
                           std::to_string(kDataOffset) + "-byte header");
        return std::nullopt;
    }
    if (ReadU32(payload, 0) != kMagic || ReadU32(payload, kHeaderSizeOffset) != kHeaderSize) {
        Refuse(source, "is not a DDS surface");
        return std::nullopt;
    }
    if ((ReadU32(payload, kPixelFormatFlagsOffset) & kPixelFormatFourCc) == 0) {
        Refuse(source, "is not block-compressed");
        return std::nullopt;
    }
    const std::optional<BlockFormat> format = FormatOfFourCc(ReadU32(payload, kFourCcOffset));
    if (!format) {
        Refuse(source, "has a pixel format other than DXT1, DXT3 or DXT5");
        return std::nullopt;
    }
    const uint32_t width = ReadU32(payload, kWidthOffset);
    const uint32_t height = ReadU32(payload, kHeightOffset);
    if (width == 0 || height == 0 || width > kMaxTextureSide || height > kMaxTextureSide) {
        Refuse(source, "has the size " + std::to_string(width) + "x" + std::to_string(height) +
                           " (each side must be 1 to " + std::to_string(kMaxTextureSide) + ")");
        return std::nullopt;
    }
    const uint64_t needed = BlockCount(width, height) * BlockBytes(*format);
    const size_t available = payload.size() - kDataOffset;
    if (available < needed) {
        Refuse(source, "holds " + std::to_string(available) + " bytes of blocks, " + std::to_string(needed) +
                           " needed for " + std::to_string(width) + "x" + std::to_string(height));
        return std::nullopt;
    }
    return BlockImage{*format, width, height, payload.subspan(kDataOffset, static_cast<size_t>(needed))};
}

}  // namespace vesk::resource
