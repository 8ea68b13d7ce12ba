// The ".cvt" image reader: raw and block-compressed payloads, bad headers and every truncation.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "framework/graphics/block_payload.h"
#include "framework/graphics/image_file.h"
#include "tests/support/log_capture.h"
#include "tools/common/byte_writer.h"

namespace {

using support::LogCapture;
using vesk::resource::DecodedImage;
using vesk::resource::ImageFile;

using ::tools::PutU16;
using ::tools::PutU32;

// A ".cvt" file laid out by hand: the name fills the header from offset 12
// (zero-padded up to the header size), the payload follows.
std::vector<uint8_t> MakeCvt(uint16_t width, uint16_t height, uint16_t format, uint16_t headerSize,
                             std::string_view name, const std::vector<uint8_t>& payload)
{
    std::vector<uint8_t> bytes(12, 0);
    bytes.reserve(std::max<size_t>(headerSize, 12 + name.size()) + payload.size());
    PutU16(bytes, 2, width);
    PutU16(bytes, 4, height);
    PutU16(bytes, 6, format);
    PutU16(bytes, 8, headerSize);
    bytes.insert(bytes.end(), name.begin(), name.end());
    bytes.resize(std::max<size_t>(headerSize, bytes.size()), 0);
    bytes.insert(bytes.end(), payload.begin(), payload.end());
    return bytes;
}

std::vector<uint8_t> Sequence(size_t count)
{
    std::vector<uint8_t> bytes(count);
    for (size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<uint8_t>(i * 7 + 1);
    }
    return bytes;
}

std::optional<DecodedImage> ParseAndDecode(const std::vector<uint8_t>& bytes)
{
    const std::optional<ImageFile> image = vesk::resource::ParseImageFile(bytes, "test.cvt");
    if (!image) {
        return std::nullopt;
    }
    return vesk::resource::DecodeImageFile(*image, "test.cvt");
}

// A block-compressed surface as the payload of formats 0x200 to 0x202.
std::vector<uint8_t> MakeSurface(uint32_t fourCc, uint32_t width, uint32_t height, const std::vector<uint8_t>& blocks)
{
    namespace dds = vesk::resource::block_payload;
    std::vector<uint8_t> bytes(dds::kDataOffset, 0);
    bytes.reserve(dds::kDataOffset + blocks.size());
    PutU32(bytes, 0, dds::kMagic);
    PutU32(bytes, dds::kHeaderSizeOffset, dds::kHeaderSize);
    PutU32(bytes, dds::kFlagsOffset, dds::kFlagsRequired);
    PutU32(bytes, dds::kHeightOffset, height);
    PutU32(bytes, dds::kWidthOffset, width);
    PutU32(bytes, dds::kPixelFormatSizeOffset, dds::kPixelFormatSize);
    PutU32(bytes, dds::kPixelFormatFlagsOffset, dds::kPixelFormatFourCc);
    PutU32(bytes, dds::kFourCcOffset, fourCc);
    bytes.insert(bytes.end(), blocks.begin(), blocks.end());
    return bytes;
}

// One Bc1 block: red and blue end points, every pixel index 0 (red).
const std::vector<uint8_t> kRedBlock = {0x00, 0xF8, 0x1F, 0x00, 0, 0, 0, 0};

TEST(ImageFile, RawTwoByOneImageCarriesEightBytes)
{
    const std::vector<uint8_t> pixels = {1, 2, 3, 4, 5, 6, 7, 8};
    const std::vector<uint8_t> bytes = MakeCvt(2, 1, 0, 20, "pair", pixels);
    const auto image = vesk::resource::ParseImageFile(bytes, "pair.cvt");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->name, "pair");
    EXPECT_EQ(image->payload.size(), 8u);
    const auto decoded = vesk::resource::DecodeImageFile(*image, "pair.cvt");
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->width, 2u);
    EXPECT_EQ(decoded->height, 1u);
    EXPECT_EQ(decoded->bgra, pixels);  // raw pixels are already blue, green, red, alpha
}

TEST(ImageFile, AnyFormatOutsideTheBlockFormatsIsRaw)
{
    for (uint16_t format : {uint16_t{0}, uint16_t{1}, uint16_t{0x1FF}, uint16_t{0x203}, uint16_t{0xFFFF}}) {
        const auto decoded = ParseAndDecode(MakeCvt(1, 1, format, 12, "", {9, 8, 7, 6}));
        ASSERT_TRUE(decoded) << format;
        EXPECT_EQ(decoded->bgra, (std::vector<uint8_t>{9, 8, 7, 6}));
    }
}

TEST(ImageFile, PayloadStartsAtTheHeaderSizeWhateverItIs)
{
    const std::vector<uint8_t> pixels = Sequence(2 * 2 * 4);
    const struct {
        uint16_t headerSize;
        std::string_view name;
        std::string_view expectedName;
    } cases[] = {
        {12, "", ""},                  // no room for a name
        {13, "", ""},                  // just the terminator
        {17, "tile", "tile"},          // odd: the payload is not aligned
        {64, "tile", "tile"},          // zero padding after the name
        {24, std::string_view("a\0bc", 4), "a"},  // the name ends at its first zero
    };
    for (const auto& c : cases) {
        const std::vector<uint8_t> bytes = MakeCvt(2, 2, 0, c.headerSize, c.name, pixels);
        const auto image = vesk::resource::ParseImageFile(bytes, "tile.cvt");
        ASSERT_TRUE(image) << c.headerSize;
        EXPECT_EQ(image->headerSize, c.headerSize);
        EXPECT_EQ(image->name, c.expectedName);
        const auto decoded = vesk::resource::DecodeImageFile(*image, "tile.cvt");
        ASSERT_TRUE(decoded) << c.headerSize;
        EXPECT_EQ(decoded->bgra, pixels) << c.headerSize;
    }
}

TEST(ImageFile, ExtraPayloadBytesAfterThePixelsAreIgnored)
{
    std::vector<uint8_t> payload = Sequence(4 + 10);
    const auto decoded = ParseAndDecode(MakeCvt(1, 1, 0, 12, "", payload));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->bgra, std::vector<uint8_t>(payload.begin(), payload.begin() + 4));
}

TEST(ImageFile, BadHeadersAreRefusedWithAReason)
{
    const std::vector<uint8_t> pixels = Sequence(16);
    const struct {
        std::vector<uint8_t> bytes;
        std::string_view reason;
    } cases[] = {
        {MakeCvt(0, 2, 0, 16, "x", pixels), "size 0x2"},
        {MakeCvt(2, 0, 0, 16, "x", pixels), "size 2x0"},
        {MakeCvt(16385, 1, 0, 16, "x", pixels), "size 16385x1"},
        {MakeCvt(2, 2, 0, 8, "", pixels), "header size 8"},
        {MakeCvt(2, 2, 0, 16, "name", pixels), "name does not end"},
        {MakeCvt(2, 2, 0, 16, "x", Sequence(15)), "raw payload of 15 bytes"},
    };
    for (const auto& c : cases) {
        LogCapture capture;
        EXPECT_FALSE(ParseAndDecode(c.bytes)) << c.reason;
        EXPECT_TRUE(capture.Contains("test.cvt")) << c.reason;
        EXPECT_TRUE(capture.Contains(c.reason)) << c.reason;
    }

    std::vector<uint8_t> pastTheEnd = MakeCvt(2, 2, 0, 16, "x", {});
    PutU16(pastTheEnd, 8, 17);
    LogCapture capture;
    EXPECT_FALSE(vesk::resource::ParseImageFile(pastTheEnd, "test.cvt"));
    EXPECT_TRUE(capture.Contains("header size 17 lies outside the file of 16 bytes"));
}

TEST(ImageFile, LargestSideIsAcceptedWhenItsPixelsArePresent)
{
    const auto decoded = ParseAndDecode(MakeCvt(16384, 1, 0, 12, "", std::vector<uint8_t>(16384 * 4, 0x5A)));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->width, 16384u);
}

TEST(ImageFile, EveryTruncationOfARawImageIsRefused)
{
    const std::vector<uint8_t> full = MakeCvt(3, 2, 0, 20, "small", Sequence(3 * 2 * 4));
    ASSERT_TRUE(ParseAndDecode(full));
    LogCapture capture;
    for (size_t length = 0; length < full.size(); ++length) {
        const std::vector<uint8_t> cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_FALSE(ParseAndDecode(cut)) << "length " << length;
    }
    EXPECT_EQ(capture.Lines().size(), full.size());  // one reason for each refusal
}

TEST(ImageFile, BlockCompressedPayloadDecodesAtItsOwnSize)
{
    namespace dds = vesk::resource::block_payload;
    // The header says 8x8; the surface inside is 4x4 and decides the picture's size.
    const std::vector<uint8_t> bytes = MakeCvt(8, 8, 0x200, 16, "red", MakeSurface(dds::kFourCcDxt1, 4, 4, kRedBlock));
    const auto image = vesk::resource::ParseImageFile(bytes, "red.cvt");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 8);
    const auto decoded = vesk::resource::DecodeImageFile(*image, "red.cvt");
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->width, 4u);
    EXPECT_EQ(decoded->height, 4u);
    ASSERT_EQ(decoded->bgra.size(), 64u);
    for (size_t pixel = 0; pixel < 16; ++pixel) {
        EXPECT_EQ(decoded->bgra[pixel * 4 + 2], 255);
        EXPECT_EQ(decoded->bgra[pixel * 4 + 3], 255);
    }
}

TEST(ImageFile, EachBlockFormatWordReadsItsSurface)
{
    namespace dds = vesk::resource::block_payload;
    std::vector<uint8_t> alphaAndColour(8, 0);
    alphaAndColour.insert(alphaAndColour.end(), kRedBlock.begin(), kRedBlock.end());
    const struct {
        uint16_t format;
        uint32_t fourCc;
        std::vector<uint8_t> blocks;
        int alpha;
    } cases[] = {
        {0x200, dds::kFourCcDxt1, kRedBlock, 255},
        {0x201, dds::kFourCcDxt3, alphaAndColour, 0},
        {0x202, dds::kFourCcDxt5, alphaAndColour, 0},  // both alpha end points 0, index 0
    };
    for (const auto& c : cases) {
        // 3x5 needs one block across and two down.
        std::vector<uint8_t> blocks = c.blocks;
        blocks.insert(blocks.end(), c.blocks.begin(), c.blocks.end());
        const auto decoded = ParseAndDecode(MakeCvt(3, 5, c.format, 12, "", MakeSurface(c.fourCc, 3, 5, blocks)));
        ASSERT_TRUE(decoded) << c.format;
        ASSERT_EQ(decoded->bgra.size(), 3u * 5 * 4);
        EXPECT_EQ(decoded->bgra[2], 255) << c.format;
        EXPECT_EQ(decoded->bgra[3], c.alpha) << c.format;
    }
}

TEST(ImageFile, BadBlockCompressedPayloadsAreRefusedWithAReason)
{
    namespace dds = vesk::resource::block_payload;
    const auto withWord = [](std::vector<uint8_t> surface, size_t offset, uint32_t value) {
        PutU32(surface, offset, value);
        return surface;
    };
    const std::vector<uint8_t> good = MakeSurface(dds::kFourCcDxt1, 4, 4, kRedBlock);
    const struct {
        std::vector<uint8_t> surface;
        std::string_view reason;
    } cases[] = {
        {withWord(good, 0, 0x474E5089), "is not a DDS surface"},
        {withWord(good, dds::kHeaderSizeOffset, 128), "is not a DDS surface"},
        {withWord(good, dds::kPixelFormatFlagsOffset, 0x40), "is not block-compressed"},
        {withWord(good, dds::kFourCcOffset, 0x30315844), "other than DXT1, DXT3 or DXT5"},
        {withWord(good, dds::kWidthOffset, 0), "size 0x4"},
        {withWord(good, dds::kHeightOffset, 0x10000000), "size 4x268435456"},
        {withWord(good, dds::kWidthOffset, 8), "holds 8 bytes of blocks, 16 needed"},
        {std::vector<uint8_t>(good.begin(), good.begin() + 100), "shorter than its 128-byte header"},
    };
    for (const auto& c : cases) {
        LogCapture capture;
        EXPECT_FALSE(ParseAndDecode(MakeCvt(4, 4, 0x200, 12, "", c.surface))) << c.reason;
        EXPECT_TRUE(capture.Contains(c.reason)) << c.reason;
    }
}

TEST(ImageFile, EveryTruncationOfABlockCompressedImageIsRefused)
{
    namespace dds = vesk::resource::block_payload;
    std::vector<uint8_t> blocks(16 * 4, 0x3C);  // 8x8 in Bc3: four 16-byte blocks
    const std::vector<uint8_t> full = MakeCvt(8, 8, 0x202, 16, "bc3", MakeSurface(dds::kFourCcDxt5, 8, 8, blocks));
    ASSERT_TRUE(ParseAndDecode(full));
    LogCapture capture;
    for (size_t length = 0; length < full.size(); ++length) {
        const std::vector<uint8_t> cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_FALSE(ParseAndDecode(cut)) << "length " << length;
    }
}

}  // namespace
