// Reading a ".cvt" image's header, name and payload, with every size checked.
#include "framework/graphics/image_file.h"

#include <algorithm>
#include <string>

#include "framework/graphics/block_decode.h"
#include "framework/graphics/block_payload.h"
#include "framework/log/log.h"
#include "platform/little_endian.h"

namespace vesk::resource {
namespace {

using platform::ReadU16;

void Refuse(std::string_view source, const std::string& reason)
{
    log::Error("image \"" + std::string(source) + "\": " + reason);
}

bool SizeIsUsable(uint32_t width, uint32_t height)
{
    return width > 0 && height > 0 && width <= kMaxTextureSide && height <= kMaxTextureSide;
}

std::string SizeText(uint32_t width, uint32_t height)
{
    return std::to_string(width) + "x" + std::to_string(height);
}

}  // namespace

bool IsBlockCompressedFormat(uint16_t format)
{
    return format == image_file::kFormatBc1 || format == image_file::kFormatBc2 || format == image_file::kFormatBc3;
}

std::optional<ImageFile> ParseImageFile(std::span<const uint8_t> bytes, std::string_view source)
{
    if (bytes.size() < image_file::kNameOffset) {
        Refuse(source, "file of " + std::to_string(bytes.size()) + " bytes is shorter than the " +
                           std::to_string(image_file::kNameOffset) + "-byte header");
        return std::nullopt;
    }
    ImageFile image;
    image.width = ReadU16(bytes, image_file::kWidthOffset);
    image.height = ReadU16(bytes, image_file::kHeightOffset);
    image.format = ReadU16(bytes, image_file::kFormatOffset);
    image.headerSize = ReadU16(bytes, image_file::kHeaderSizeOffset);

    if (!SizeIsUsable(image.width, image.height)) {
        Refuse(source, "size " + SizeText(image.width, image.height) + " is not usable (each side must be 1 to " +
                           std::to_string(kMaxTextureSide) + ")");
        return std::nullopt;
    }
    if (image.headerSize < image_file::kNameOffset || image.headerSize > bytes.size()) {
        Refuse(source, "header size " + std::to_string(image.headerSize) + " lies outside the file of " +
                           std::to_string(bytes.size()) + " bytes");
        return std::nullopt;
    }
    // The name fills the header after the fixed words; a header without room
    // for one leaves it empty, but a name present must end before the payload.
    const std::span<const uint8_t> nameArea = bytes.subspan(image_file::kNameOffset,
                                                            image.headerSize - image_file::kNameOffset);
    if (!nameArea.empty()) {
        const auto terminator = std::find(nameArea.begin(), nameArea.end(), uint8_t{0});
        if (terminator == nameArea.end()) {
            Refuse(source, "name does not end before the payload");
            return std::nullopt;
        }
        image.name = std::string_view(reinterpret_cast<const char*>(nameArea.data()),
                                      static_cast<size_t>(terminator - nameArea.begin()));
    }
    image.payload = bytes.subspan(image.headerSize);
    return image;
}

std::optional<DecodedImage> DecodeImagePayload(uint16_t format, uint16_t width, uint16_t height,
                                               std::span<const uint8_t> payload, std::string_view source)
{
    if (IsBlockCompressedFormat(format)) {
        // The payload's own header decides block format and size, as it would
        // for any image library that reads the file from memory.
        const std::optional<BlockImage> blocks = ParseBlockPayload(payload, source);
        if (!blocks) {
            return std::nullopt;
        }
        DecodedImage image{blocks->width, blocks->height, {}};
        image.bgra = DecodeBlockImage(blocks->format, blocks->width, blocks->height, blocks->blocks);
        return image;
    }

    if (!SizeIsUsable(width, height)) {
        Refuse(source, "size " + SizeText(width, height) + " is not usable");
        return std::nullopt;
    }
    const size_t needed = static_cast<size_t>(width) * height * 4;
    if (payload.size() < needed) {
        Refuse(source, "raw payload of " + std::to_string(payload.size()) + " bytes is shorter than the " +
                           std::to_string(needed) + " that " + SizeText(width, height) + " pixels need");
        return std::nullopt;
    }
    DecodedImage image{width, height, {}};
    image.bgra.assign(payload.begin(), payload.begin() + static_cast<std::ptrdiff_t>(needed));
    return image;
}

std::optional<DecodedImage> DecodeImageFile(const ImageFile& image, std::string_view source)
{
    return DecodeImagePayload(image.format, image.width, image.height, image.payload, source);
}

}  // namespace vesk::resource
