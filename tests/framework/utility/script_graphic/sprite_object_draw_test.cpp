// Sprite objects drawn through the framework manager's sprite registry.
#include <cstdint>
#include <initializer_list>
#include <vector>

#include <gtest/gtest.h>

#include "framework/app/framework_manager.h"
#include "tests/support/framework_fixture.h"
#include "tests/support/graphic_script.h"
#include "tests/support/sprite_test_data.h"
#include "tests/support/test_arena.h"

namespace vesk::utility::script_graphic {
namespace {

using support::GraphicScript;

constexpr std::uint32_t kBlack = 0xFF000000u;
constexpr int kGroup = 1;

using support::PatternPixel;

// Sprite objects draw through the framework manager's sprite registry, so
// these tests run the real manager on a headless window.
class SpriteObjectDraw : public support::FrameworkFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(FrameworkFixture::SetUp());
        package_ = support::ThreeSpritePackage();
        ASSERT_NE(manager->spriteRegistry.LoadSpritePackageFromMemory(loader_, kGroup, package_, "test.pac"), nullptr);
        crate_ = manager->spriteRegistry.FindSprite(kGroup, "crate");
        ASSERT_GE(crate_, 0);
    }

    // One frame: the passes, then the canvas cleared and the priorities drawn.
    void Frame(GraphicScript& script, std::initializer_list<std::uint32_t> priorities = {0})
    {
        script.Frame();
        app::BeginFrameDraw();
        for (std::uint32_t priority : priorities) {
            script.engine.DrawPriority(priority);
        }
    }

    support::TestArena pixels_{1 << 20};
    resource::TextureLoader loader_{nullptr, pixels_.heap()};
    std::vector<std::uint8_t> package_;
    int crate_ = -1;
};

constexpr const char* kScenes = R"(
.entry 1
"one crate":
    obj.sprite "crate", 1, 2
    pos 100.0, 50.0
    halt
"scaled parent":
    pos 200.0, 100.0
    scale 2.0, 2.0
    obj.sprite "crate", 1, 2
    inherit.transform 1
    pos 10.0, 0.0
    halt
"hidden last":
    obj.sprite "a", 1, 2
    pos 20.0, 20.0
    obj.sprite "b", 1, 2
    pos 40.0, 20.0
    visible 0
    halt
)";

TEST_F(SpriteObjectDraw, ASpriteIsDrawnCentredOnItsWorldPosition)
{
    GraphicScript script(kScenes);
    script.Spawn(u"one crate");
    Frame(script);
    UTL_CObjectBase* crate = script.Named(u"crate");
    ASSERT_NE(crate, nullptr);
    ASSERT_EQ(crate->GetObjectKind(), kObjectSprite);
    EXPECT_EQ(crate->origin, (math::Vec2{1, 1}));
    EXPECT_TRUE(crate->HasFlags(draw_unit::kDrawnThisFrame));

    // The 2 x 2 crate, pivot at its centre: texels at (99, 49) to (100, 50).
    for (int y = 48; y <= 51; ++y) {
        for (int x = 98; x <= 101; ++x) {
            const bool inside = x >= 99 && x <= 100 && y >= 49 && y <= 50;
            EXPECT_EQ(CanvasPixel(x, y), inside ? PatternPixel(x - 99, y - 49, 200) : kBlack) << x << "," << y;
        }
    }
}

TEST_F(SpriteObjectDraw, NothingOfAnEarlierDrawInTheGroupCarriesOver)
{
    GraphicScript script(kScenes);
    script.Spawn(u"one crate");
    script.Frame();
    app::BeginFrameDraw();
    // An earlier draw in the same group and mode left a flipped corner of
    // its sprite in the draw parameters; the group stays current.
    graphics::BeginSpriteDraw(kGroup, 4);
    graphics::DrawParam& param = record->textureRenderer.drawParam;
    param.u0 = 0.5f;
    param.v0 = 0.5f;
    param.flipY = 1;
    script.engine.DrawPriority(0);
    for (int y = 49; y <= 50; ++y) {
        for (int x = 99; x <= 100; ++x) {
            EXPECT_EQ(CanvasPixel(x, y), PatternPixel(x - 99, y - 49, 200)) << x << "," << y;
        }
    }
}

TEST_F(SpriteObjectDraw, AChildSpriteFollowsItsScaledParent)
{
    GraphicScript script(kScenes);
    script.Spawn(u"scaled parent");
    Frame(script);
    // World position (220, 100), scale 2: each texel is 2 x 2 pixels from (218, 98).
    for (int y = 97; y <= 102; ++y) {
        for (int x = 217; x <= 222; ++x) {
            const bool inside = x >= 218 && x <= 221 && y >= 98 && y <= 101;
            EXPECT_EQ(CanvasPixel(x, y), inside ? PatternPixel((x - 218) / 2, (y - 98) / 2, 200) : kBlack)
                << x << "," << y;
        }
    }
}

TEST_F(SpriteObjectDraw, APriorityLeavesNoBatchOpenWhenItsLastObjectIsHidden)
{
    GraphicScript script(kScenes);
    script.Spawn(u"hidden last");
    Frame(script);
    EXPECT_EQ(record->textureRenderer.PendingQuads(), 0);
    EXPECT_EQ(graphics::GetSpriteDrawState().group, -1);
    EXPECT_EQ(CanvasPixel(20, 20), PatternPixel(1, 1, 200));
    EXPECT_EQ(CanvasPixel(40, 20), kBlack);
}

TEST_F(SpriteObjectDraw, AReleasedPackageIsNotDrawnFrom)
{
    GraphicScript script(kScenes);
    script.Spawn(u"one crate");
    script.Frame();
    app::GetFrameworkManager()->spriteRegistry.ReleaseSpritePackage(kGroup);
    app::BeginFrameDraw();
    script.engine.DrawPriority(0);
    EXPECT_EQ(CanvasPixel(100, 50), kBlack);
}

}  // namespace
}  // namespace vesk::utility::script_graphic
