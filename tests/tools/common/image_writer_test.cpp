// The image writer: raw and block-compressed images read back by the game's decoder, and PNG files.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "framework/graphics/image_file.h"
#include "tools/common/image_writer.h"
#include "tools/common/png_file.h"

namespace {

using tools::ImageEncoding;
using tools::RgbaImage;

// Smooth colour ramps with an alpha ramp and a hard-edged opaque square, at a
// size that leaves partial blocks on the right and at the bottom.
RgbaImage TestPicture()
{
    RgbaImage image(37, 23);
    for (uint32_t y = 0; y < image.height; ++y) {
        for (uint32_t x = 0; x < image.width; ++x) {
            uint8_t* pixel = &image.rgba[(y * image.width + x) * 4];
            pixel[0] = static_cast<uint8_t>(x * 255 / 36);
            pixel[1] = static_cast<uint8_t>(y * 255 / 22);
            pixel[2] = static_cast<uint8_t>(128 + 64 * std::sin(x * 0.2f));
            pixel[3] = static_cast<uint8_t>(x * 255 / 36);
            if (x >= 8 && x < 16 && y >= 8 && y < 16) {
                pixel[0] = 240;
                pixel[1] = 40;
                pixel[2] = 20;
                pixel[3] = 255;
            }
        }
    }
    return image;
}

vesk::resource::DecodedImage Reread(const std::vector<uint8_t>& file)
{
    const auto image = vesk::resource::ParseImageFile(file, "written.cvt");
    EXPECT_TRUE(image);
    if (!image) {
        return {};
    }
    const auto decoded = vesk::resource::DecodeImageFile(*image, "written.cvt");
    EXPECT_TRUE(decoded);
    return decoded ? *decoded : vesk::resource::DecodedImage{};
}

TEST(ImageWriter, RawImageReadsBackExactlyWithChannelsReordered)
{
    const RgbaImage picture = TestPicture();
    const auto file = tools::MakeImageFile(picture, "ramp", ImageEncoding::Raw);
    ASSERT_TRUE(file);
    const auto image = vesk::resource::ParseImageFile(*file, "ramp.cvt");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->name, "ramp");
    EXPECT_EQ(image->format, vesk::resource::image_file::kFormatRaw);
    EXPECT_EQ(image->headerSize % 4, 0);

    const auto decoded = Reread(*file);
    ASSERT_EQ(decoded.width, picture.width);
    ASSERT_EQ(decoded.height, picture.height);
    for (size_t i = 0; i < picture.rgba.size(); i += 4) {
        ASSERT_EQ(decoded.bgra[i + 0], picture.rgba[i + 2]);
        ASSERT_EQ(decoded.bgra[i + 1], picture.rgba[i + 1]);
        ASSERT_EQ(decoded.bgra[i + 2], picture.rgba[i + 0]);
        ASSERT_EQ(decoded.bgra[i + 3], picture.rgba[i + 3]);
    }
}

// What the compressor writes, our decoder must read back close to the
// original: the errors here are those of the formats themselves.
TEST(ImageWriter, BlockCompressedImagesRoundTripThroughOurDecoder)
{
    const RgbaImage picture = TestPicture();
    const struct {
        ImageEncoding encoding;
        uint16_t format;
        int worstColour;
        double meanColour;
        int worstAlpha;
    } cases[] = {
        {ImageEncoding::Bc2, 0x201, 40, 6.0, 8},  // 4-bit alpha: at most half a step off
        {ImageEncoding::Bc3, 0x202, 40, 6.0, 8},
    };
    for (const auto& c : cases) {
        const auto file = tools::MakeImageFile(picture, "ramp", c.encoding);
        ASSERT_TRUE(file);
        const auto image = vesk::resource::ParseImageFile(*file, "ramp.cvt");
        ASSERT_TRUE(image);
        EXPECT_EQ(image->format, c.format);
        const auto decoded = Reread(*file);
        ASSERT_EQ(decoded.width, picture.width);
        ASSERT_EQ(decoded.height, picture.height);

        int worstColour = 0;
        int worstAlpha = 0;
        double totalColour = 0.0;
        size_t colourSamples = 0;
        for (size_t i = 0; i < picture.rgba.size(); i += 4) {
            const int alpha = picture.rgba[i + 3];
            worstAlpha = std::max(worstAlpha, std::abs(decoded.bgra[i + 3] - alpha));
            if (alpha < 32) {
                continue;  // colour under near-zero alpha is not weighed by the compressor
            }
            for (int channel = 0; channel < 3; ++channel) {
                const int error = std::abs(decoded.bgra[i + 2 - channel] - picture.rgba[i + channel]);
                worstColour = std::max(worstColour, error);
                totalColour += error;
                ++colourSamples;
            }
        }
        EXPECT_LE(worstColour, c.worstColour) << c.format;
        EXPECT_LE(totalColour / static_cast<double>(colourSamples), c.meanColour) << c.format;
        EXPECT_LE(worstAlpha, c.worstAlpha) << c.format;
    }
}

TEST(ImageWriter, Bc1KeepsOpaqueColoursAndCutsAlphaToOnOrOff)
{
    RgbaImage picture = TestPicture();
    const auto file = tools::MakeImageFile(picture, "ramp", ImageEncoding::Bc1);
    ASSERT_TRUE(file);
    const auto decoded = Reread(*file);
    ASSERT_EQ(decoded.bgra.size(), picture.rgba.size());
    // Inside the opaque square the colour is flat, so it survives almost unchanged.
    for (uint32_t y = 8; y < 16; ++y) {
        for (uint32_t x = 8; x < 16; ++x) {
            const size_t i = (y * picture.width + x) * 4;
            EXPECT_NEAR(decoded.bgra[i + 2], 240, 8);
            EXPECT_NEAR(decoded.bgra[i + 1], 40, 8);
            EXPECT_NEAR(decoded.bgra[i + 0], 20, 8);
            EXPECT_EQ(decoded.bgra[i + 3], 255);
        }
    }
    for (size_t i = 3; i < decoded.bgra.size(); i += 4) {
        ASSERT_TRUE(decoded.bgra[i] == 0 || decoded.bgra[i] == 255);
    }
}

TEST(ImageWriter, PicturesThatCannotBecomeTexturesAreRefused)
{
    EXPECT_FALSE(tools::MakeImageFile(RgbaImage(0, 4), "empty", ImageEncoding::Raw));
    EXPECT_FALSE(tools::MakeImageFile(RgbaImage(16385, 1), "wide", ImageEncoding::Raw));
    EXPECT_FALSE(tools::MakeImageFile(RgbaImage(1, 1), std::string_view("a\0b", 3), ImageEncoding::Raw));
}

TEST(PngFile, WrittenPictureReadsBackUnchanged)
{
    const RgbaImage picture = TestPicture();
    const std::filesystem::path path = std::filesystem::current_path() / "png_round_trip.png";
    ASSERT_TRUE(tools::WritePng(path, picture));
    const auto read = tools::ReadPng(path);
    std::filesystem::remove(path);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->width, picture.width);
    EXPECT_EQ(read->height, picture.height);
    EXPECT_EQ(read->rgba, picture.rgba);
}

}  // namespace
