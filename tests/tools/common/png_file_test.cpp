// The PNG reader against files nobody on the project wrote.
// Sizes it must refuse before allocating, and 16-bit samples without
// colour-space chunks.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <zlib.h>

#include "tests/support/scratch_folder.h"
#include "tools/common/png_file.h"

namespace {

void PutU32BigEndian(std::string& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8) {
        out += static_cast<char>((value >> shift) & 0xFF);
    }
}

void AppendChunk(std::string& png, const char* tag, const std::string& body)
{
    PutU32BigEndian(png, static_cast<uint32_t>(body.size()));
    const std::string tagged = std::string(tag, 4) + body;
    png += tagged;
    PutU32BigEndian(png, static_cast<uint32_t>(
                             crc32(0, reinterpret_cast<const Bytef*>(tagged.data()), static_cast<uInt>(tagged.size()))));
}

// A PNG of the given header whose image data is `rows` (each row's filter byte
// included), with no chunk but IHDR, IDAT and IEND.
std::string MakePng(uint32_t width, uint32_t height, uint8_t bitDepth, uint8_t colourType, const std::string& rows)
{
    std::string png = "\x89PNG\r\n\x1a\n";
    std::string header;
    PutU32BigEndian(header, width);
    PutU32BigEndian(header, height);
    header += static_cast<char>(bitDepth);
    header += static_cast<char>(colourType);
    header += std::string(3, '\0');  // deflate, adaptive filtering, not interlaced
    AppendChunk(png, "IHDR", header);
    uLongf size = compressBound(static_cast<uLong>(rows.size()));
    std::string packed(size, '\0');
    compress(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(rows.data()),
             static_cast<uLong>(rows.size()));
    packed.resize(size);
    AppendChunk(png, "IDAT", packed);
    AppendChunk(png, "IEND", "");
    return png;
}

std::string SixteenBitRow(const std::vector<uint16_t>& samples)
{
    std::string row(1, '\0');
    for (const uint16_t sample : samples) {
        row += static_cast<char>(sample >> 8);
        row += static_cast<char>(sample & 0xFF);
    }
    return row;
}

TEST(PngFile, HeadersClaimingHugePicturesAreRefusedBeforeAnythingIsAllocated)
{
    support::ScratchFolder scratch;
    // A few dozen bytes that claim terabytes, and one that claims 10 GB.
    const std::pair<uint32_t, uint32_t> sizes[] = {{1000000, 1000000}, {50000, 50000}, {16385, 1}};
    for (const auto& [width, height] : sizes) {
        const std::string name = "huge_" + std::to_string(width) + ".png";
        support::WriteBytes(scratch.path() / name, MakePng(width, height, 8, 6, std::string(5, '\0')));
        testing::internal::CaptureStderr();
        const auto image = tools::ReadPng(scratch.path() / name);
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_FALSE(image) << name;
        EXPECT_NE(said.find(name), std::string::npos) << said;
        EXPECT_NE(said.find(std::to_string(width) + " x " + std::to_string(height)), std::string::npos) << said;
    }
}

TEST(PngFile, SixteenBitSamplesReadLikeTheirEightBitTwins)
{
    support::ScratchFolder scratch;
    // Grey: every 8-bit level written as 16 bits, then half of full scale.
    std::vector<uint16_t> levels;
    for (uint32_t level = 0; level < 256; ++level) {
        levels.push_back(static_cast<uint16_t>(level * 257));
    }
    levels.push_back(0x8000);
    support::WriteBytes(scratch.path() / "grey16.png",
                                 MakePng(static_cast<uint32_t>(levels.size()), 1, 16, 0, SixteenBitRow(levels)));
    const auto grey = tools::ReadPng(scratch.path() / "grey16.png");
    ASSERT_TRUE(grey);
    for (uint32_t level = 0; level < 256; ++level) {
        ASSERT_EQ(grey->rgba[level * 4], level);
        ASSERT_EQ(grey->rgba[level * 4 + 3], 255);
    }
    EXPECT_EQ(grey->rgba[256 * 4], 128) << "50 % grey";

    // Colour with alpha: straight (not premultiplied) channels, as from an 8-bit file.
    const std::vector<uint16_t> rgba = {0x8000, 0x4040, 0xFFFF, 0x8080, 0x2020, 0x0000, 0xC0C0, 0xFFFF};
    support::WriteBytes(scratch.path() / "rgba16.png", MakePng(2, 1, 16, 6, SixteenBitRow(rgba)));
    const auto colour = tools::ReadPng(scratch.path() / "rgba16.png");
    ASSERT_TRUE(colour);
    EXPECT_EQ(colour->rgba, (std::vector<uint8_t>{128, 64, 255, 128, 32, 0, 192, 255}));
}

}  // namespace
