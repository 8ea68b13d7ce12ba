// The ".cvt" image: its header layout and the parse that views a file's name and payload in place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace vesk::resource {

// ".cvt" image: a 12-byte header, the image's name, then the payload at the
// header size. Formats 0x200 to 0x202 carry a block-compressed image file;
// every other format value means raw B8G8R8A8 pixels.
namespace image_file {
inline constexpr size_t kWidthOffset = 2;
inline constexpr size_t kHeightOffset = 4;
inline constexpr size_t kFormatOffset = 6;
inline constexpr size_t kHeaderSizeOffset = 8;
inline constexpr size_t kNameOffset = 12;
inline constexpr uint16_t kFormatBc1 = 0x200;
inline constexpr uint16_t kFormatBc2 = 0x201;
inline constexpr uint16_t kFormatBc3 = 0x202;
inline constexpr uint16_t kFormatRaw = 0;  // what the tools write; any other value reads the same
}  // namespace image_file

bool IsBlockCompressedFormat(uint16_t format);

// A ".cvt" image parsed in place: name and payload view the caller's bytes.
struct ImageFile {
    uint16_t width = 0;
    uint16_t height = 0;
    uint16_t format = 0;
    uint16_t headerSize = 0;
    std::string_view name;
    std::span<const uint8_t> payload;
};

// Pixels ready for a texture: width x height pixels, rows top to bottom, 4
// bytes each in the order blue, green, red, alpha (B8G8R8A8).
struct DecodedImage {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> bgra;
};

// Checks the header against the bytes: a size of at least 1x1 within the
// device's limit, a header size inside the file, a name that ends before the
// payload. Bad input gets an error line naming source and nothing else.
std::optional<ImageFile> ParseImageFile(std::span<const uint8_t> bytes, std::string_view source);

// Turns a payload into pixels. Raw payloads need width x height x 4 bytes and
// keep the header's size; block-compressed ones take the size their own image
// file states. Refusals are logged with the source.
std::optional<DecodedImage> DecodeImagePayload(uint16_t format, uint16_t width, uint16_t height,
                                               std::span<const uint8_t> payload, std::string_view source);

std::optional<DecodedImage> DecodeImageFile(const ImageFile& image, std::string_view source);

}  // namespace vesk::resource
