// Writing ".cvt" images, raw or block-compressed.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "framework/graphics/block_decode.h"
#include "tools/common/rgba_image.h"

namespace tools {

enum class ImageEncoding { Raw, Bc1, Bc2, Bc3 };

// "raw", "bc1", "bc2", "bc3".
std::optional<ImageEncoding> ParseImageEncoding(std::string_view text);

// Raw payload: the pixels reordered to blue, green, red, alpha.
std::vector<uint8_t> EncodeRawPayload(const RgbaImage& image);

// Block-compressed payload: a DDS surface with one mip level, compressed with
// the best quality the compressor offers.
std::vector<uint8_t> EncodeBlockPayload(const RgbaImage& image, vesk::resource::BlockFormat format);

// A ".cvt" file around a payload. The header is padded to a multiple of 4 so
// the payload starts aligned.
std::vector<uint8_t> WriteImageFile(std::string_view name, uint16_t format, uint16_t width, uint16_t height,
                                    std::span<const uint8_t> payload);

// The whole conversion; nullopt (with a line on stderr) when the picture is
// empty or larger than a texture may be, or the name holds a zero byte.
std::optional<std::vector<uint8_t>> MakeImageFile(const RgbaImage& image, std::string_view name,
                                                  ImageEncoding encoding);

}  // namespace tools
