// The sprite registry: texture ids, lookups by name, packages loaded into groups, and broken files.
#include <cstdint>
#include <span>
#include <vector>

#include "framework/graphics/merge_texture.h"
#include "framework/graphics/sprite_registry.h"
#include "platform/graphics/resources.h"
#include "tests/support/graphics_fixture.h"
#include "tests/support/log_capture.h"
#include "tests/support/sprite_test_data.h"
#include "tests/support/test_arena.h"
#include "tools/common/chunk_list_writer.h"

namespace vesk::resource {
namespace {

using support::ImageFile;
using support::ThreeSpritePackage;

class SpriteRegistryTest : public support::GraphicsFixture {
protected:
    support::TestArena pixels{1 << 20};
    TextureLoader loader{nullptr, pixels.heap()};
    SpriteRegistry registry;
};

TEST_F(SpriteRegistryTest, TextureIdsKeepTheirMeaningAcrossReleases)
{
    const std::vector<uint8_t> first = ImageFile("first");
    const std::vector<uint8_t> second = ImageFile("second");
    EXPECT_EQ(registry.AddTextureFromImage(loader, 3, first), 0x30000);
    EXPECT_EQ(registry.AddTextureFromImage(loader, 3, second), 0x30001);
    registry.ReleaseTexture(0x30000);
    EXPECT_EQ(registry.GetTextureById(0x30000), nullptr);
    ASSERT_NE(registry.GetTextureById(0x30001), nullptr);
    EXPECT_EQ(registry.GetTextureById(0x30001)->GetName(), "second");
    EXPECT_EQ(registry.AddTextureFromImage(loader, 3, first), 0x30002);
    EXPECT_EQ(registry.AddTextureFromImage(loader, 31, first), 0x1F0000);

    // Ids that name nothing: released again, past the list, a sprite handle, none.
    for (const int32_t id : {0x30000, 0x30003, 0x1030000, -1, 0x200000}) {
        registry.UnloadTexture(id);
        EXPECT_EQ(registry.GetTextureById(id), nullptr) << std::hex << id;
    }
    EXPECT_EQ(registry.TextureCount(3), 3);
    EXPECT_EQ(registry.GetTextureById(0x30001)->GetName(), "second");

    registry.ReleaseAllTextures();
    EXPECT_EQ(registry.TextureCount(3), 0);
    EXPECT_EQ(registry.GetTextureById(0x30001), nullptr);
}

// A screen that loads its pictures as it opens and releases them as it closes (the title does) must
// not fill its slot group over a long game: the places of released textures at the end of the list
// are taken again.
TEST_F(SpriteRegistryTest, PicturesLoadedAtEachOpeningKeepTheirGroupsSize)
{
    const std::vector<uint8_t> kept = ImageFile("kept");
    const std::vector<uint8_t> picture = ImageFile("picture");
    ASSERT_EQ(registry.AddTextureFromImage(loader, 2, kept), 0x20000);
    for (int opening = 0; opening < 200; ++opening) {
        int32_t ids[3] = {};
        for (int32_t& id : ids) id = registry.AddTextureFromImage(loader, 2, picture);
        ASSERT_EQ(ids[0], 0x20001) << "opening " << opening;
        for (const int32_t id : ids) registry.UnloadTexture(id);
    }
    EXPECT_EQ(registry.TextureCount(2), 1);
    EXPECT_EQ(registry.GetTextureById(0x20000)->GetName(), "kept");
}

TEST_F(SpriteRegistryTest, FindTextureIdTakesTheNewestExactNameInTheMaskedGroups)
{
    const std::vector<uint8_t> logo = ImageFile("logo");
    registry.AddTextureFromImage(loader, 1, logo);
    registry.AddTextureFromImage(loader, 1, ImageFile("other"));
    registry.AddTextureFromImage(loader, 1, logo);
    registry.AddTextureFromImage(loader, 5, logo);
    EXPECT_EQ(registry.FindTextureId(0xFFFFFFFFu, "logo"), 0x10002);
    EXPECT_EQ(registry.FindTextureId(1u << 5, "logo"), 0x50000);
    EXPECT_EQ(registry.FindTextureId(1u << 2, "logo"), kNoTexture);
    EXPECT_EQ(registry.FindTextureId(0xFFFFFFFFu, "logo.cvt"), kNoTexture);  // exact names only
    registry.ReleaseTexture(0x10002);
    EXPECT_EQ(registry.FindTextureId(1u << 1, "logo"), 0x10000);
    EXPECT_EQ(registry.FindTextureByName(1u << 1, "other"), registry.GetTextureById(0x10001));
    EXPECT_EQ(registry.FindTextureByName(1u << 1, "missing"), nullptr);
}

TEST_F(SpriteRegistryTest, BlockCompressedImagesAreDecodedOntoTheDevice)
{
    tools::RgbaImage red(8, 4);
    for (size_t i = 0; i < red.rgba.size(); i += 4) {
        red.rgba[i] = 255;
        red.rgba[i + 3] = 255;
    }
    for (const tools::ImageEncoding encoding : {tools::ImageEncoding::Bc1, tools::ImageEncoding::Bc3}) {
        const std::vector<uint8_t> file = *tools::MakeImageFile(red, "red", encoding);
        const int32_t id = registry.AddTextureFromImage(loader, 0, file);
        ASSERT_NE(id, kNoTexture);
        auto* texture = static_cast<SYSWIN_CTexture*>(registry.GetTextureById(id));
        EXPECT_EQ(texture->GetWidth(), 8);
        EXPECT_EQ(texture->GetPixels(), nullptr);  // nothing left to upload
        ASSERT_NE(texture->DeviceTexture(), nullptr);
        EXPECT_EQ(texture->DeviceTexture()->Width(), 8);
        EXPECT_EQ(texture->DeviceTexture()->Pixel(7, 3), 0xFFFF0000u);
    }
}

TEST_F(SpriteRegistryTest, BadImagesAndSlotGroupsGiveNoTexture)
{
    const std::vector<uint8_t> good = ImageFile("good", 4, 4);
    support::LogCapture capture;
    EXPECT_EQ(registry.AddTextureFromImage(loader, 32, good), kNoTexture);
    EXPECT_EQ(registry.AddTextureFromImage(loader, -1, good), kNoTexture);
    EXPECT_TRUE(capture.Contains("slot group 32"));
    for (size_t length = 0; length < good.size(); ++length) {
        EXPECT_EQ(registry.AddTextureFromImage(loader, 0, std::span(good.data(), length)), kNoTexture) << length;
    }
    EXPECT_EQ(registry.TextureCount(0), 0);
    // A file needs a copy heap: its block is gone after the load.
    EXPECT_EQ(registry.LoadTexture(TextureLoader{}, 0, "any.cvt"), kNoTexture);
    EXPECT_EQ(registry.LoadTexture(loader, 0, "missing.cvt"), kNoTexture);
}

TEST_F(SpriteRegistryTest, APackageFillsItsGroupWithSpritesThenTheAtlas)
{
    const std::vector<uint8_t> file = ThreeSpritePackage();
    SYS_CTexture* atlas = registry.LoadSpritePackageFromMemory(loader, 2, file, "rooms.pac");
    ASSERT_NE(atlas, nullptr);
    EXPECT_EQ(atlas->GetName(), "rooms_atlas");
    EXPECT_EQ(registry.GetSprite(2, 3), atlas);
    EXPECT_EQ(registry.GetSprite(2, 4), nullptr);
    EXPECT_EQ(registry.GetSprite(2, -1), nullptr);
    EXPECT_EQ(registry.GetSpriteGroup(2)->table.size(), 32u + 3 * 64);

    SYS_CTexture* wall = registry.GetSprite(2, 1);
    ASSERT_NE(wall, nullptr);
    EXPECT_EQ(wall->GetName(), "wall.png");
    EXPECT_EQ(wall->GetWidth(), 5);
    EXPECT_EQ(wall->GetHeight(), 2);
    EXPECT_EQ(wall->GetAtlas(), atlas);
    EXPECT_EQ(wall->GetImageWidth(), atlas->GetWidth());
    EXPECT_EQ(wall->GetImageHeight(), atlas->GetHeight());
    EXPECT_EQ(wall->GetFormat(), atlas->GetFormat());
    // The atlas's pixels are on the device only, not kept twice.
    EXPECT_EQ(wall->GetPixels(), atlas->GetPixels());
    EXPECT_EQ(atlas->GetPixels(), nullptr);
    ASSERT_NE(static_cast<SYSWIN_CTexture*>(atlas)->DeviceTexture(), nullptr);
    const TexCoord uvMin = wall->GetUVMin();
    const TexCoord uvMax = wall->GetUVMax();
    EXPECT_FLOAT_EQ((uvMax.u - uvMin.u) * atlas->GetWidth(), 5.0f);
    EXPECT_FLOAT_EQ((uvMax.v - uvMin.v) * atlas->GetHeight(), 2.0f);
    EXPECT_EQ(static_cast<SYS_CMergeTexture*>(wall)->GetUserWord(), 0u);

    // Handles name the same sprites; other top bytes and groups name none.
    EXPECT_EQ(registry.GetPackageSprite(MakeSpriteHandle(2, 1)), wall);
    EXPECT_EQ(registry.GetPackageSprite(0x01020003), atlas);
    EXPECT_EQ(registry.GetPackageSprite(0x02020001), nullptr);
    EXPECT_EQ(registry.GetPackageSprite(0x02030004), nullptr);
    EXPECT_EQ(registry.GetPackageSprite(0x01C80000), nullptr);  // group 200

    // The extra image went to texture slot group 0 under its own name.
    ASSERT_NE(registry.FindTextureByName(1u, "extra_logo"), nullptr);
    EXPECT_EQ(registry.FindTextureByName(1u, "extra_logo")->GetWidth(), 3);
}

// A package loaded again and again (a hull at each ship change) must not pile its stand-alone images
// up in slot group 0: they go when the package goes, and only they.
TEST_F(SpriteRegistryTest, APackagesStandAloneImagesGoWithThePackage)
{
    const std::vector<uint8_t> file = ThreeSpritePackage();
    ASSERT_EQ(registry.AddTextureFromImage(loader, 0, ImageFile("kept")), 0x0);
    for (int load = 0; load < 50; ++load) {
        ASSERT_NE(registry.LoadSpritePackageFromMemory(loader, 2, file, "rooms.pac"), nullptr);
        ASSERT_EQ(registry.FindTextureId(1u, "extra_logo"), 0x1) << "load " << load;
        registry.ReleaseSpritePackage(2);
        EXPECT_EQ(registry.FindTextureByName(1u, "extra_logo"), nullptr);
    }
    EXPECT_EQ(registry.TextureCount(0), 1);
    EXPECT_EQ(registry.GetTextureById(0x0)->GetName(), "kept");

    // An image the caller released itself gives its place to another texture, which stays when the
    // package goes; so does everything after a release of all textures.
    ASSERT_NE(registry.LoadSpritePackageFromMemory(loader, 2, file, "rooms.pac"), nullptr);
    registry.UnloadTexture(0x1);
    ASSERT_EQ(registry.AddTextureFromImage(loader, 0, ImageFile("newcomer")), 0x1);
    registry.ReleaseSpritePackage(2);
    ASSERT_NE(registry.GetTextureById(0x1), nullptr);
    EXPECT_EQ(registry.GetTextureById(0x1)->GetName(), "newcomer");
    ASSERT_NE(registry.LoadSpritePackageFromMemory(loader, 3, file, "rooms.pac"), nullptr);
    registry.ReleaseAllTextures();
    ASSERT_EQ(registry.AddTextureFromImage(loader, 0, ImageFile("later")), 0x0);
    registry.ReleaseSpritePackage(3);
    EXPECT_TRUE(registry.GetSpriteGroup(3)->IsEmpty());
    EXPECT_EQ(registry.TextureCount(0), 1);
}

TEST_F(SpriteRegistryTest, SpritesAreFoundByNameWithoutTheirExtension)
{
    const std::vector<uint8_t> file = *tools::MakeSpritePackage(
        "atlas", {{"floor.png", support::Pattern(2, 2, 1)},
                  {"crate", support::Pattern(2, 2, 2)},
                  {"floor.bmp", support::Pattern(2, 2, 3)},
                  {"floorboard.png", support::Pattern(2, 2, 4)},
                  {"a.b.png", support::Pattern(2, 2, 5)}});
    ASSERT_NE(registry.LoadSpritePackageFromMemory(loader, 0, file, "names.pac"), nullptr);
    EXPECT_EQ(registry.FindSprite(0, "floor"), 0);  // the first of two matches
    EXPECT_EQ(registry.FindSprite(0, "floor.bmp"), 0);
    EXPECT_EQ(registry.FindSprite(0, "crate.png"), 1);
    EXPECT_EQ(registry.FindSprite(0, "crate"), 1);
    EXPECT_EQ(registry.FindSprite(0, "floorboard"), 3);
    // Only the last extension goes, on both sides.
    EXPECT_EQ(registry.FindSprite(0, "a.b.bmp"), 4);
    EXPECT_EQ(registry.FindSprite(0, "a.b"), -1);
    EXPECT_EQ(registry.FindSprite(0, "a"), -1);
    EXPECT_EQ(registry.FindSprite(0, "flo"), -1);
    EXPECT_EQ(registry.FindSprite(0, "crates"), -1);
    EXPECT_EQ(registry.FindSprite(0, ""), -1);
    EXPECT_EQ(registry.FindSprite(0, "atlas"), 5);  // the atlas is an element too
    EXPECT_EQ(registry.FindSprite(1, "floor"), -1);
    EXPECT_EQ(registry.FindSprite(128, "floor"), -1);
    EXPECT_EQ(registry.FindSprite(-1, "floor"), -1);
}

TEST_F(SpriteRegistryTest, GroupsLoadOnceUntilReleasedAndStayInsideTheRegistry)
{
    const std::vector<uint8_t> file = ThreeSpritePackage();
    support::LogCapture capture;
    ASSERT_NE(registry.LoadSpritePackageFromMemory(loader, 127, file, "a.pac"), nullptr);
    EXPECT_EQ(registry.LoadSpritePackageFromMemory(loader, 127, file, "a.pac"), nullptr);
    EXPECT_EQ(registry.LoadSpritePackage(loader, 127, "a.pac"), nullptr);  // refused before reading
    EXPECT_EQ(registry.LoadSpritePackageFromMemory(loader, 128, file, "a.pac"), nullptr);
    EXPECT_EQ(registry.LoadSpritePackage(loader, -1, "a.pac"), nullptr);
    EXPECT_EQ(registry.GetSprite(128, 0), nullptr);
    EXPECT_EQ(registry.GetSpriteGroup(128), nullptr);

    registry.ReleaseSpritePackage(127);
    EXPECT_TRUE(registry.GetSpriteGroup(127)->IsEmpty());
    EXPECT_EQ(registry.GetSprite(127, 0), nullptr);
    EXPECT_NE(registry.LoadSpritePackageFromMemory(loader, 127, file, "a.pac"), nullptr);
    registry.ReleaseSpritePackage(128);  // outside: nothing happens

    // Packages need a copy heap: the sprites would point into the freed file.
    EXPECT_EQ(registry.LoadSpritePackageFromMemory(TextureLoader{}, 5, file, "a.pac"), nullptr);
    EXPECT_TRUE(registry.GetSpriteGroup(5)->IsEmpty());
}

TEST_F(SpriteRegistryTest, APackageWithoutAtlasIsRefusedAndOneWithoutTableHoldsOnlyItsAtlas)
{
    const std::vector<uint8_t> noAtlas = tools::MakeChunkList(
        {{"TSUB", "sprites", *tools::MakeSpriteTable({{"floor.png", 2, 2, 0, 0, 1, 1}})}});
    {
        support::LogCapture capture;
        EXPECT_EQ(registry.LoadSpritePackageFromMemory(loader, 4, noAtlas, "noatlas.pac"), nullptr);
        EXPECT_TRUE(capture.Contains("error: noatlas.pac: sprite package without an atlas"));
        EXPECT_TRUE(registry.GetSpriteGroup(4)->IsEmpty());
    }
    const std::vector<uint8_t> atlasImage = ImageFile("lonely", 4, 4);
    for (const std::vector<uint8_t>& table : {std::vector<uint8_t>{'B', 'U', 'S', 'T'}, std::vector<uint8_t>{}}) {
        std::vector<tools::PackageChunk> chunks{{"TEXD", "lonely", atlasImage}};
        if (!table.empty()) chunks.push_back({"TSUB", "sprites", table});
        support::LogCapture capture;
        SYS_CTexture* atlas = registry.LoadSpritePackageFromMemory(loader, 4, tools::MakeChunkList(chunks), "lonely.pac");
        ASSERT_NE(atlas, nullptr);
        EXPECT_EQ(registry.GetSprite(4, 0), atlas);
        EXPECT_EQ(registry.GetSprite(4, 1), nullptr);
        registry.ReleaseSpritePackage(4);
    }
}

// Each length short of the whole file, and each offset or count pointing
// outside, is refused or loads a smaller group, without reading outside.
TEST_F(SpriteRegistryTest, CutAndCorruptedPackagesNeverReadOutsideTheFile)
{
    const std::vector<uint8_t> file = ThreeSpritePackage();
    support::LogCapture capture;
    for (size_t length = 0; length < file.size(); ++length) {
        std::vector<uint8_t> cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_EQ(registry.LoadSpritePackageFromMemory(loader, 9, cut, "cut.pac"), nullptr) << length;
        registry.ReleaseSpritePackage(9);
    }
    // Every 32-bit word of the header, the chunk records and the sprite
    // table's header set to values that point outside.
    const size_t recordsEnd = 20 + 4 * 144;
    for (size_t offset = 0; offset + 4 <= file.size(); offset += 4) {
        const bool interesting = offset < recordsEnd || (offset % 64) < 16;
        if (!interesting) continue;
        for (const uint32_t value : {0xFFFFFFFFu, 0x7FFFFFFFu, static_cast<uint32_t>(file.size()), 0x10000u}) {
            std::vector<uint8_t> bad = file;
            for (int i = 0; i < 4; ++i) bad[offset + i] = static_cast<uint8_t>(value >> (8 * i));
            registry.LoadSpritePackageFromMemory(loader, 9, bad, "bad.pac");
            registry.ReleaseSpritePackage(9);
            registry.ReleaseAllTextures();
        }
    }
}

}  // namespace
}  // namespace vesk::resource
