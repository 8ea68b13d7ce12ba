// The sprite packages of the data set, loaded by path and holding the sprites the ship looks up.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/graphics/sprite_registry.h"
#include "platform/graphics/resources.h"
#include "tests/support/built_resources.h"
#include "tests/support/graphics_fixture.h"
#include "tests/support/sprite_test_data.h"
#include "tests/support/test_arena.h"

namespace vesk::resource {
namespace {

class ShippedSprites : public support::GraphicsFixture {
protected:
    support::TestArena pixels{64 << 20};  // the room package holds the UI and HUD sprites too
    TextureLoader loader{nullptr, pixels.heap()};
    SpriteRegistry registry;
};

TEST_F(ShippedSprites, FilesOfTheDataFolderLoadByPath)
{
    WriteResource("common/logo.cvt", support::ImageFile("logo", 3, 2));
    WriteResource("ship/room/test.pac", support::ThreeSpritePackage());
    const int32_t id = registry.LoadTexture(loader, 3, "common/logo.cvt");
    EXPECT_EQ(id, 0x30000);
    ASSERT_NE(registry.GetTextureById(id), nullptr);
    EXPECT_EQ(registry.GetTextureById(id)->GetWidth(), 3);
    ASSERT_NE(registry.LoadSpritePackage(loader, 2, "ship/room/test.pac"), nullptr);
    EXPECT_EQ(registry.FindSprite(2, "wall"), 1);
    EXPECT_EQ(registry.LoadSpritePackage(loader, 3, "ship/room/missing.pac"), nullptr);
    EXPECT_TRUE(registry.GetSpriteGroup(3)->IsEmpty());
}

// The ship finds its grid, marker, gauge, cursor and turret sprites by these
// names in the room package; the grid cell is as large as the floor sprite.
TEST_F(ShippedSprites, TheRoomPackageHoldsTheSpritesTheShipLooksUp)
{
    const std::vector<uint8_t> package = support::ReadBuiltResource("ship/room/dotroom.pac");
    ASSERT_FALSE(package.empty()) << "the data set is not built";
    WriteResource("ship/room/dotroom.pac", package);
    ASSERT_NE(registry.LoadSpritePackage(loader, 2, "ship/room/dotroom.pac"), nullptr);
    for (const char* name : {"dot_basegrid", "dot_basegrid2", "dot_damagemarker", "dot_damagemarker_out",
                             "ui_labelbase", "ui_cursor_grid_normal", "dotroom_machinegun_01", "dotroom_cannon_01",
                             "dotroom_laser_01"}) {
        EXPECT_GE(registry.FindSprite(2, name), 0) << name;
    }
    const SYS_CTexture* floor = registry.GetSprite(2, registry.FindSprite(2, "dot_basegrid"));
    ASSERT_NE(floor, nullptr);
    EXPECT_EQ(floor->GetWidth(), 24);
    EXPECT_EQ(floor->GetHeight(), 24);
}

// The Korean headings are set large enough for Hangul to read: in the count heading 개수 the bar of
// ㄱ and the two bars of ㅐ stand apart, so that some row of 개 crosses three strokes of the
// heading's face colour (set smaller, the two bars ran into one and the word read as 기수).
TEST_F(ShippedSprites, TheKoreanCountHeadingKeepsTheStrokesOfItsFirstLetterApart)
{
    const std::vector<uint8_t> package = support::ReadBuiltResource("ship/room/dotroom.pac");
    ASSERT_FALSE(package.empty()) << "the data set is not built";
    WriteResource("ship/room/dotroom.pac", package);
    ASSERT_NE(registry.LoadSpritePackage(loader, 2, "ship/room/dotroom.pac"), nullptr);
    SYS_CTexture* heading = registry.GetSprite(2, registry.FindSprite(2, "ui_text_num_kr"));
    ASSERT_NE(heading, nullptr);
    const platform::gfx::Texture* atlas = static_cast<SYSWIN_CTexture*>(heading->GetAtlas())->DeviceTexture();
    ASSERT_NE(atlas, nullptr);
    const int left = static_cast<int>(heading->GetUVMin().u * static_cast<float>(atlas->Width()) + 0.5f);
    const int top = static_cast<int>(heading->GetUVMin().v * static_cast<float>(atlas->Height()) + 0.5f);
    constexpr uint32_t kFace = 0xFF9FE3DAu;
    // The letters start 5 pixels in, past the heading's bar; 개 is the first half of the word.
    const int firstLetterEnd = 5 + (static_cast<int>(heading->GetWidth()) - 10) / 2;
    int mostStrokes = 0;
    for (int y = 0; y < static_cast<int>(heading->GetHeight()); ++y) {
        int strokes = 0;
        bool inStroke = false;
        for (int x = 5; x < firstLetterEnd; ++x) {
            const bool face = atlas->Pixel(left + x, top + y) == kFace;
            strokes += face && !inStroke ? 1 : 0;
            inStroke = face;
        }
        mostStrokes = std::max(mostStrokes, strokes);
    }
    EXPECT_GE(mostStrokes, 3);
}

}  // namespace
}  // namespace vesk::resource
