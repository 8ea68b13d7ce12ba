#include "framework/app/framework_manager.h"
#include "framework/graphics/polygon_render.h"
#include "tests/framework/graphics/graphics_fixture.h"

namespace {

using namespace vesk::graphics;
using graphics_test::GraphicsFixture;

using DeviceRecordTest = GraphicsFixture;

TEST_F(DeviceRecordTest, TargetsFollowTheClientSize)
{
    ASSERT_EQ(record->targets.size(), 2u);
    EXPECT_EQ(record->windowWidth, 1280);
    EXPECT_EQ(record->targets[kBackBufferTarget]->color.GetWidth(), 1280);
    EXPECT_EQ(record->targets[kOffscreenTarget]->color.GetHeight(), 720);
    const vesk::process::CanvasView& view = vesk::process::GetCanvasView(0);
    EXPECT_EQ(view.clientWidth, 1280.0f);
}

TEST_F(DeviceRecordTest, TheCanvasFillsTheBackBufferScaledUp)
{
    vesk::app::BeginFrameDraw();
    BeginColorPolygonDraw();
    record->colorRenderer.AddRect({10, 10}, {4, 4}, 0xFF0000FFu);
    record->colorRenderer.AddRect({636, 356}, {4, 4}, 0xFF00FF00u);
    record->colorRenderer.Flush();
    PresentFrame(0xFF000000u);
    const platform::gfx::Texture& back = *record->targets[kBackBufferTarget]->color.DeviceTexture();
    EXPECT_EQ(back.Pixel(20, 20), 0xFFFF0000u);
    EXPECT_EQ(back.Pixel(27, 27), 0xFFFF0000u);
    EXPECT_EQ(back.Pixel(28, 28), 0xFF000000u);
    EXPECT_EQ(back.Pixel(19, 19), 0xFF000000u);
    EXPECT_EQ(back.Pixel(1279, 719), 0xFF00FF00u);
    EXPECT_EQ(record->currentPass, 2);
    EXPECT_EQ(GetSpriteDrawState().group, -1);
    EXPECT_EQ(GetSpriteDrawState().blendMode, 5);
}

TEST_F(DeviceRecordTest, DisplayModeRequestsApplyAfterThePresent)
{
    RequestDisplayMode(1280, 720, false);  // the size it has: nothing to do
    PresentFrame(0xFF000000u);
    EXPECT_EQ(record->windowWidth, 1280);

    RequestDisplayMode(960, 540, false);
    EXPECT_EQ(record->windowWidth, 1280);  // not during the frame
    PresentFrame(0xFF000000u);
    EXPECT_EQ(record->windowWidth, 960);
    EXPECT_EQ(record->targets[kOffscreenTarget]->color.GetWidth(), 960);
    EXPECT_EQ(record->targets[kBackBufferTarget]->color.GetHeight(), 540);
    EXPECT_FALSE(record->request.pending);
    const vesk::process::CanvasView& view = vesk::process::GetCanvasView(0);
    EXPECT_EQ(view.clientWidth, 960.0f);
    EXPECT_EQ(view.alignedClientHeight, 544.0f);
}

}  // namespace
