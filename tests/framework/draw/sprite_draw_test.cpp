// Sprite draws by group and index, and the end of a sprite pass.
#include <cstdint>
#include <vector>

#include "framework/app/framework_manager.h"
#include "framework/draw/sprite_draw.h"
#include "framework/graphics/render_states.h"
#include "framework/graphics/sprite_registry.h"
#include "tests/support/graphics_fixture.h"
#include "tests/support/sprite_test_data.h"
#include "tests/support/test_arena.h"

namespace vesk::graphics {
namespace {

using support::PatternPixel;

class SpriteDrawTest : public support::GraphicsFixture {
protected:
    void SetUp() override
    {
        GraphicsFixture::SetUp();
        app::BeginFrameDraw();
        package = support::ThreeSpritePackage();
        ASSERT_NE(registry.LoadSpritePackageFromMemory(loader, 2, package, "rooms.pac"), nullptr);
    }

    // True when the w x h block at (x0, y0) is the pattern and the ring of
    // pixels around it is the clear colour.
    ::testing::AssertionResult ShowsPattern(int x0, int y0, int w, int h, uint8_t blue) const
    {
        return CanvasShows(x0, y0, w, h, [&](int x, int y) { return PatternPixel(x - x0, y - y0, blue); });
    }

    support::TestArena pixels{1 << 20};
    resource::TextureLoader loader{nullptr, pixels.heap()};
    resource::SpriteRegistry registry;
    std::vector<uint8_t> package;
};

TEST_F(SpriteDrawTest, SpritesOfAPackageAndTexturesByIdDrawTheirOwnPixels)
{
    BeginSpriteDraw(2, 4);
    DrawSprite(registry, {10, 20}, registry.FindSprite(2, "floor"));
    DrawSprite(registry, {40, 20}, registry.FindSprite(2, "wall"));
    DrawSprite(registry, {60, 20}, 99);  // past the group: nothing
    EndSpriteDraw();
    EXPECT_EQ(GetSpriteDrawState().group, -1);
    EXPECT_EQ(GetSpriteDrawState().blendMode, kBlendModeKeep);
    EXPECT_EQ(record->textureRenderer.PendingQuads(), 0);
    EXPECT_TRUE(ShowsPattern(10, 20, 4, 3, 100));
    EXPECT_TRUE(ShowsPattern(40, 20, 5, 2, 150));
    EXPECT_TRUE(ShowsPattern(60, 20, 0, 0, 0));

    // With no group current the reference is a texture id: the package's extra image.
    BeginSpriteDraw(-1, 4);
    DrawSprite(registry, {100, 50}, registry.FindTextureId(1u, "extra_logo"));
    DrawSprite(registry, {120, 50}, resource::MakeTextureId(0, 7));
    EndSpriteDraw();
    EXPECT_TRUE(ShowsPattern(100, 50, 3, 3, 50));
    EXPECT_TRUE(ShowsPattern(120, 50, 0, 0, 0));
}

TEST_F(SpriteDrawTest, ReleasingAPackageDrawsItsPendingSpritesAndUnbindsTheAtlas)
{
    BeginSpriteDraw(2, 4);
    DrawSprite(registry, {10, 20}, registry.FindSprite(2, "crate"));
    registry.ReleaseSpritePackage(2);
    EXPECT_EQ(record->textureRenderer.PendingQuads(), 0);
    EXPECT_TRUE(ShowsPattern(10, 20, 2, 2, 200));
    for (const resource::SYS_CTexture* bound : record->boundTextures) EXPECT_EQ(bound, nullptr);
    EndSpriteDraw();
}

}  // namespace
}  // namespace vesk::graphics
