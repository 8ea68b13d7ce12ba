// ".cvt" images from pictures: raw pixels, or a block-compressed DDS surface made with libsquish.
#include "tools/common/image_writer.h"

#include <iostream>

#include <squish.h>

#include "framework/graphics/block_payload.h"
#include "framework/graphics/image_file.h"
#include "tools/common/byte_writer.h"

namespace tools {

using vesk::resource::BlockFormat;

namespace {

int SquishFlags(BlockFormat format)
{
    const int quality = squish::kColourIterativeClusterFit;
    switch (format) {
    case BlockFormat::Bc1: return squish::kDxt1 | quality;
    case BlockFormat::Bc2: return squish::kDxt3 | quality | squish::kWeightColourByAlpha;
    case BlockFormat::Bc3: return squish::kDxt5 | quality | squish::kWeightColourByAlpha;
    }
    return squish::kDxt1 | quality;
}

}  // namespace

std::optional<ImageEncoding> ParseImageEncoding(std::string_view text)
{
    if (text == "raw") return ImageEncoding::Raw;
    if (text == "bc1") return ImageEncoding::Bc1;
    if (text == "bc2") return ImageEncoding::Bc2;
    if (text == "bc3") return ImageEncoding::Bc3;
    return std::nullopt;
}

std::vector<uint8_t> EncodeRawPayload(const RgbaImage& image)
{
    std::vector<uint8_t> bgra(image.rgba.size());
    for (size_t i = 0; i + 3 < image.rgba.size(); i += 4) {
        bgra[i + 0] = image.rgba[i + 2];
        bgra[i + 1] = image.rgba[i + 1];
        bgra[i + 2] = image.rgba[i + 0];
        bgra[i + 3] = image.rgba[i + 3];
    }
    return bgra;
}

std::vector<uint8_t> EncodeBlockPayload(const RgbaImage& image, BlockFormat format)
{
    namespace dds = vesk::resource::block_payload;
    const int flags = SquishFlags(format);
    const int width = static_cast<int>(image.width);
    const int height = static_cast<int>(image.height);
    std::vector<uint8_t> blocks(static_cast<size_t>(squish::GetStorageRequirements(width, height, flags)));
    squish::CompressImage(image.rgba.data(), width, height, width * 4, blocks.data(), flags);

    ByteWriter out;
    out.U32(dds::kMagic);
    out.U32(dds::kHeaderSize);
    out.U32(dds::kFlagsRequired | dds::kFlagLinearSize);
    out.U32(image.height);
    out.U32(image.width);
    out.U32(static_cast<uint32_t>(blocks.size()));
    out.PadTo(dds::kPixelFormatSizeOffset);
    out.U32(dds::kPixelFormatSize);
    out.U32(dds::kPixelFormatFourCc);
    out.U32(vesk::resource::FourCcOf(format));
    out.PadTo(dds::kCapsOffset);
    out.U32(dds::kCapsTexture);
    out.PadTo(dds::kDataOffset);
    out.Bytes(blocks);
    return std::move(out.Data());
}

std::vector<uint8_t> WriteImageFile(std::string_view name, uint16_t format, uint16_t width, uint16_t height,
                                    std::span<const uint8_t> payload)
{
    namespace cvt = vesk::resource::image_file;
    const size_t headerSize = (cvt::kNameOffset + name.size() + 1 + 3) / 4 * 4;
    ByteWriter out;
    out.U16(0);
    out.U16(width);
    out.U16(height);
    out.U16(format);
    out.U16(static_cast<uint16_t>(headerSize));
    out.U16(0);
    out.Text(name);
    out.PadTo(headerSize);
    out.Bytes(payload);
    return std::move(out.Data());
}

std::optional<std::vector<uint8_t>> MakeImageFile(const RgbaImage& image, std::string_view name,
                                                  ImageEncoding encoding)
{
    namespace cvt = vesk::resource::image_file;
    if (image.width == 0 || image.height == 0 || image.width > vesk::resource::kMaxTextureSide ||
        image.height > vesk::resource::kMaxTextureSide) {
        std::cerr << "error: a picture of " << image.width << "x" << image.height << " cannot become a texture\n";
        return std::nullopt;
    }
    // The header size is a 16-bit word; keep well inside it.
    if (name.find('\0') != std::string_view::npos || name.size() > 1024) {
        std::cerr << "error: an image name must be at most 1024 bytes without zero bytes\n";
        return std::nullopt;
    }
    const auto width = static_cast<uint16_t>(image.width);
    const auto height = static_cast<uint16_t>(image.height);
    switch (encoding) {
    case ImageEncoding::Raw:
        return WriteImageFile(name, cvt::kFormatRaw, width, height, EncodeRawPayload(image));
    case ImageEncoding::Bc1:
        return WriteImageFile(name, cvt::kFormatBc1, width, height, EncodeBlockPayload(image, BlockFormat::Bc1));
    case ImageEncoding::Bc2:
        return WriteImageFile(name, cvt::kFormatBc2, width, height, EncodeBlockPayload(image, BlockFormat::Bc2));
    case ImageEncoding::Bc3:
        return WriteImageFile(name, cvt::kFormatBc3, width, height, EncodeBlockPayload(image, BlockFormat::Bc3));
    }
    return std::nullopt;
}

}  // namespace tools
