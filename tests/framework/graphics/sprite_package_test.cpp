// The chunks of a sprite package as the writer makes them, and packages refused whole or cut.
#include <algorithm>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "framework/graphics/image_file.h"
#include "framework/graphics/sprite_package.h"
#include "framework/graphics/sprite_table.h"
#include "framework/resource/chunk_list.h"
#include "tests/support/log_capture.h"
#include "tools/common/chunk_list_writer.h"
#include "tools/common/sprite_package_writer.h"

namespace vesk::resource {
namespace {

tools::RgbaImage Solid(uint32_t width, uint32_t height, uint8_t r, uint8_t g, uint8_t b)
{
    tools::RgbaImage image(width, height);
    for (size_t i = 0; i < image.rgba.size(); i += 4) {
        image.rgba[i] = r;
        image.rgba[i + 1] = g;
        image.rgba[i + 2] = b;
        image.rgba[i + 3] = 255;
    }
    return image;
}

std::vector<uint8_t> SmallPackage()
{
    return *tools::MakeSpritePackage("atlas", {{"red.png", Solid(4, 2, 255, 0, 0)}, {"blue.png", Solid(3, 5, 0, 0, 255)}},
                                     {{"extra", Solid(2, 2, 0, 255, 0)}});
}

TEST(SpritePackageChunks, WriterOutputReadsBackAsAtlasTableAndExtras)
{
    const std::vector<uint8_t> file = SmallPackage();
    const auto chunks = ReadSpritePackageChunks(file, "small.pac");
    ASSERT_TRUE(chunks);
    ASSERT_EQ(chunks->extraImages.size(), 1u);

    const auto entries = ParseSpriteTable(chunks->table, "small.pac");
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 2u);
    EXPECT_EQ((*entries)[0].name, "red.png");
    EXPECT_EQ((*entries)[1].width, 3);
    EXPECT_EQ((*entries)[1].height, 5);

    const auto atlas = ParseImageFile(chunks->atlas, "small.pac");
    ASSERT_TRUE(atlas);
    EXPECT_EQ(atlas->name, "atlas");
    const auto pixels = DecodeImageFile(*atlas, "small.pac");
    ASSERT_TRUE(pixels);
    // Each sprite's rectangle in the atlas holds exactly its colour (B, G, R, A).
    for (const SpriteEntry& entry : *entries) {
        const auto x0 = static_cast<uint32_t>(entry.uMin * atlas->width);
        const auto y0 = static_cast<uint32_t>(entry.vMin * atlas->height);
        EXPECT_EQ(static_cast<uint32_t>(entry.uMax * atlas->width) - x0, entry.width);
        EXPECT_EQ(static_cast<uint32_t>(entry.vMax * atlas->height) - y0, entry.height);
        for (uint32_t y = y0; y < y0 + entry.height; ++y) {
            for (uint32_t x = x0; x < x0 + entry.width; ++x) {
                const uint8_t* p = &pixels->bgra[(y * pixels->width + x) * 4];
                const bool red = entry.name == "red.png";
                EXPECT_EQ(p[0], red ? 0 : 255);
                EXPECT_EQ(p[2], red ? 255 : 0);
                EXPECT_EQ(p[3], 255);
            }
        }
    }
}

TEST(SpritePackageChunks, TheLastTableAndAtlasCountAndEveryExtraIsKept)
{
    const std::vector<uint8_t> file = tools::MakeChunkList({{"TEXD", "a", {1}},
                                                            {"TSUB", "t", {2}},
                                                            {"TEXE", "e", {3}},
                                                            {"XXXX", "skipped", {9}},
                                                            {"TEXD", "b", {4}},
                                                            {"TSUB", "u", {5}},
                                                            {"TEXE", "f", {6}}});
    const auto chunks = ReadSpritePackageChunks(file, "twice.pac");
    ASSERT_TRUE(chunks);
    EXPECT_EQ(chunks->atlas[0], 4);
    EXPECT_EQ(chunks->table[0], 5);
    ASSERT_EQ(chunks->extraImages.size(), 2u);
    EXPECT_EQ(chunks->extraImages[1][0], 6);
}

TEST(SpritePackageChunks, RefusesAPackageWithoutAtlasAndEveryCutFile)
{
    {
        support::LogCapture capture;
        EXPECT_FALSE(ReadSpritePackageChunks(tools::MakeChunkList({{"TSUB", "t", {1, 2}}}), "noatlas.pac"));
        EXPECT_TRUE(capture.Contains("error: noatlas.pac: sprite package without an atlas"));
    }
    // The chunks lie at the end of the file, so every shorter length cuts one.
    const std::vector<uint8_t> file = SmallPackage();
    for (size_t length = 0; length < file.size(); length += (length < 600 ? 1 : 97)) {
        support::LogCapture capture;
        EXPECT_FALSE(ReadSpritePackageChunks(std::span(file.data(), length), "cut.pac")) << length;
    }
}

TEST(SpritePackageChunks, RefusesImageChunksThatOverlap)
{
    std::vector<uint8_t> file = tools::MakeChunkList(
        {{"TEXD", "a", {1}}, {"TEXE", "e", std::vector<uint8_t>(1000, 7)}, {"TEXE", "f", {6}}, {"TEXE", "g", {8}}});
    ASSERT_TRUE(ReadSpritePackageChunks(file, "apart.pac"));

    // The last two records name the first extra image's chunk again: each would become a texture of its own.
    for (size_t record = 2; record < 4; ++record) {
        const size_t at = kChunkListHeaderSize + record * kChunkRecordSize;
        std::copy_n(file.begin() + kChunkListHeaderSize + kChunkRecordSize + 8, 8, file.begin() + at + 8);
    }
    support::LogCapture capture;
    EXPECT_FALSE(ReadSpritePackageChunks(file, "overlap.pac"));
    EXPECT_TRUE(capture.Contains("error: overlap.pac: the sprite package's images add up to"));
}

}  // namespace
}  // namespace vesk::resource
