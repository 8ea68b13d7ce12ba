// Layout objects drawn with the framework's sprites: parts by name, scale, colour and rotation.
#include <cstdint>
#include <vector>

#include "framework/app/framework_manager.h"
#include "framework/draw/sprite_draw.h"
#include "framework/graphics/sprite_registry.h"
#include "framework/utility/layout/layout_object.h"
#include "tests/support/framework_fixture.h"
#include "tests/support/sprite_test_data.h"
#include "tests/support/test_arena.h"

namespace vesk::layout {
namespace {

constexpr std::uint32_t kBlack = 0xFF000000u;
constexpr int kGroup = 2;

using support::PatternPixel;

// The framework as the application brings it up, so that layout objects find
// their sprites through the framework manager.
class LayoutDrawTest : public support::FrameworkFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(FrameworkFixture::SetUp());
        registry = resource::GetSpriteRegistry();
        ASSERT_NE(registry, nullptr);
        package = support::ThreeSpritePackage();
        ASSERT_NE(registry->LoadSpritePackageFromMemory(loader, kGroup, package, "rooms.pac"), nullptr);
        app::BeginFrameDraw();
    }

    plix::SYS_CPart Part(const char* sprite, int x, int y)
    {
        plix::SYS_CPart part;
        part.spriteName = sprite;
        part.x = x;
        part.y = y;
        return part;
    }

    // Draws the parts through one layout object of the group and ends the batch.
    std::vector<bool> Draw(std::vector<plix::SYS_CPart>& parts)
    {
        SYS_CObjectForVesk object(kGroup);
        std::vector<bool> drawn;
        object.BeginDraw(4);
        for (plix::SYS_CPart& part : parts) {
            object.ResolveSprite(part);
            drawn.push_back(object.DrawPart(part));
        }
        object.EndBatch();
        return drawn;
    }

    support::TestArena pixels{1 << 20};
    resource::TextureLoader loader{nullptr, pixels.heap()};
    resource::SpriteRegistry* registry = nullptr;
    std::vector<std::uint8_t> package;
};

TEST_F(LayoutDrawTest, PartsResolveByNameAndAnUnknownNameIsNotDrawn)
{
    std::vector<plix::SYS_CPart> parts = {Part("crate", 30, 30), Part("missing", 60, 30), Part("floor.dds", 90, 30)};
    EXPECT_EQ(Draw(parts), (std::vector<bool>{true, false, true}));
    EXPECT_EQ(parts[0].spriteIndex, 2);
    EXPECT_EQ(parts[1].spriteIndex, -1);
    EXPECT_EQ(parts[2].spriteIndex, 0);  // the extension does not matter
    // The batch is drawn and no group is left current.
    EXPECT_EQ(record->textureRenderer.PendingQuads(), 0);
    EXPECT_EQ(graphics::GetSpriteDrawState().group, -1);
    EXPECT_EQ(graphics::GetSpriteDrawState().blendMode, 5);

    // Centred on the part's position.
    EXPECT_TRUE(CanvasShows(29, 29, 2, 2, [](int x, int y) { return PatternPixel(x - 29, y - 29, 200); }));
    EXPECT_TRUE(CanvasShows(50, 20, 20, 20, [](int, int) { return kBlack; }));
}

TEST_F(LayoutDrawTest, APartDrawsWithItsScaleColourAndRotation)
{
    plix::SYS_CPart scaled = Part("floor", 100, 60);
    scaled.scaleX = 2.0f;
    scaled.scaleY = 2.0f;
    plix::SYS_CPart tinted = Part("crate", 30, 30);
    tinted.color = 0x00FFFFFFu;  // red, green, blue, alpha from the top byte down: no red
    plix::SYS_CPart turned = scaled;
    turned.y = 120;
    turned.rotation = 90.0f;
    std::vector<plix::SYS_CPart> parts = {scaled, tinted, turned};
    EXPECT_EQ(Draw(parts), (std::vector<bool>{true, true, true}));

    // 8 x 6 pixels, two by two per texel, centred on (100, 60).
    EXPECT_TRUE(CanvasShows(96, 57, 8, 6, [](int x, int y) { return PatternPixel((x - 96) / 2, (y - 57) / 2, 100); }));
    EXPECT_TRUE(CanvasShows(29, 29, 2, 2, [](int x, int y) { return PatternPixel(x - 29, y - 29, 200) & ~0x00FF0000u; }));
    // A quarter turn clockwise about the centre: the top row of texels runs down the right edge.
    EXPECT_TRUE(CanvasShows(97, 116, 6, 8, [](int x, int y) {
        const float dx = static_cast<float>(x) + 0.5f - 100.0f;
        const float dy = static_cast<float>(y) + 0.5f - 120.0f;
        return PatternPixel(static_cast<int>((dy + 4.0f) / 2.0f), static_cast<int>((3.0f - dx) / 2.0f), 100);
    }));
}

TEST_F(LayoutDrawTest, EndBatchDrawsWhatWasQueuedWithoutAnObject)
{
    graphics::BeginSpriteDraw(kGroup, 4);
    record->textureRenderer.drawParam.pivotX = 0.5f;
    record->textureRenderer.drawParam.pivotY = 0.5f;
    graphics::DrawSprite({30, 30}, registry->FindSprite(kGroup, "crate"));
    EXPECT_EQ(record->textureRenderer.PendingQuads(), 1);
    EndBatch();
    EXPECT_EQ(record->textureRenderer.PendingQuads(), 0);
    EXPECT_EQ(graphics::GetSpriteDrawState().group, -1);
    EXPECT_TRUE(CanvasShows(29, 29, 2, 2, [](int x, int y) { return PatternPixel(x - 29, y - 29, 200); }));
}

}  // namespace
}  // namespace vesk::layout
