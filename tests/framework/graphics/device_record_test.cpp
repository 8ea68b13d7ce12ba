// The device record's targets at the canvas and client sizes, display-mode requests and the scaled window.
#include "framework/app/framework_manager.h"
#include "framework/graphics/polygon_render.h"
#include "tests/support/framework_fixture.h"
#include "tests/support/graphics_fixture.h"

namespace {

using namespace vesk::graphics;
using support::GraphicsFixture;

using DeviceRecordTest = GraphicsFixture;

TEST_F(DeviceRecordTest, TheCanvasTargetFollowsTheClientSizeAndTheBackBufferTheCanvas)
{
    ASSERT_EQ(record->targets.size(), 2u);
    EXPECT_EQ(record->windowWidth, 1280);
    EXPECT_EQ(record->targets[kOffscreenTarget]->color.GetWidth(), 1280);
    EXPECT_EQ(record->targets[kOffscreenTarget]->color.GetHeight(), 720);
    EXPECT_EQ(record->targets[kBackBufferTarget]->color.GetWidth(), 640);
    EXPECT_EQ(record->targets[kBackBufferTarget]->color.GetHeight(), 360);
    const vesk::process::CanvasView& view = vesk::process::GetCanvasView(0);
    EXPECT_EQ(view.clientWidth, 1280.0f);
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
    EXPECT_EQ(record->targets[kOffscreenTarget]->color.GetHeight(), 540);
    EXPECT_EQ(record->targets[kBackBufferTarget]->color.GetHeight(), 360);
    EXPECT_FALSE(record->request.pending);
    const vesk::process::CanvasView& view = vesk::process::GetCanvasView(0);
    EXPECT_EQ(view.clientWidth, 960.0f);
    EXPECT_EQ(view.alignedClientHeight, 544.0f);
}

using DeviceInWindowTest = support::FrameworkFixture;

// Frame after frame the window shows the canvas scaled up to it, exactly as
// drawn, whatever was drawn in the frames before.
TEST_F(DeviceInWindowTest, TheWindowShowsTheCanvasScaledUp)
{
    ASSERT_TRUE(record->presenter.IsReady());
    auto frame = [&](Vec2f at, std::uint32_t rgba) {
        vesk::app::BeginFrameDraw();
        BeginColorPolygonDraw();
        record->colorRenderer.AddRect(at, {4, 4}, rgba);
        record->colorRenderer.AddRect({636, 356}, {4, 4}, 0xFF00FF00u);
        record->colorRenderer.Flush();
        PresentFrame(0xFF000000u);
    };
    auto shown = [&](int x, int y) {
        std::vector<std::uint32_t> pixels;
        int width = 0, height = 0;
        EXPECT_TRUE(record->presenter.ReadShownPixels(pixels, width, height));
        EXPECT_EQ(width, 1280);
        EXPECT_EQ(height, 720);
        return pixels.size() == 1280u * 720u ? pixels[static_cast<std::size_t>(y) * 1280 + x] & 0xFFFFFFu : 0xDEADu;
    };
    frame({10, 10}, 0xFF0000FFu);
    EXPECT_EQ(shown(20, 20), 0xFF0000u);
    EXPECT_EQ(shown(27, 27), 0xFF0000u);
    EXPECT_EQ(shown(28, 28), 0x000000u);
    EXPECT_EQ(shown(19, 19), 0x000000u);
    EXPECT_EQ(shown(1279, 719), 0x00FF00u);
    EXPECT_EQ(shown(1271, 711), 0x000000u);
    EXPECT_EQ(record->currentPass, 2);
    EXPECT_EQ(GetSpriteDrawState().group, -1);
    EXPECT_EQ(GetSpriteDrawState().blendMode, 5);

    // The next frame draws elsewhere: nothing of the first is left.
    frame({100, 50}, 0xFFFF0000u);
    EXPECT_EQ(shown(20, 20), 0x000000u);
    EXPECT_EQ(shown(200, 100), 0x0000FFu);
    EXPECT_EQ(shown(1279, 719), 0x00FF00u);
}

// Whatever the back buffer held before, the present leaves in it only the canvas, texel for pixel (also
// where the canvas is see-through), and the clear colour where a canvas smaller than the back buffer ends.
TEST_F(DeviceInWindowTest, ThePresentLeavesNothingOfTheBackBuffersOldPicture)
{
    constexpr std::uint32_t kOld = 0xFFFF00FFu;
    constexpr std::uint32_t kClear = 0xFF000000u;
    auto frame = [&] {
        SetRenderTarget(kBackBufferTarget);
        ClearRenderTarget(kOld);
        vesk::app::BeginFrameDraw();
        BeginColorPolygonDraw();
        record->colorRenderer.AddRect({10, 10}, {300, 200}, 0x800000FFu);
        record->colorRenderer.AddRect({400, 100}, {240, 260}, 0x00FF0000u);
        record->colorRenderer.Flush();
        PresentFrame(kClear);
    };
    // The back-buffer pixels that are neither the canvas's texel inside it nor, outside it, the clear colour
    // (opaque black, the same packed as given).
    auto strayPixels = [&] {
        const platform::gfx::Texture& back = *record->targets[kBackBufferTarget]->color.DeviceTexture();
        const platform::gfx::Texture& canvas = *record->targets[kOffscreenTarget]->color.DeviceTexture();
        int stray = 0;
        for (int y = 0; y < back.Height(); ++y) {
            for (int x = 0; x < back.Width(); ++x) {
                const bool inCanvas = x < canvas.Width() && y < canvas.Height();
                stray += back.Pixel(x, y) != (inCanvas ? canvas.Pixel(x, y) : kClear) ? 1 : 0;
            }
        }
        return stray;
    };
    frame();
    EXPECT_EQ(strayPixels(), 0);

    RequestDisplayMode(320, 180, false);
    PresentFrame(kClear);
    ASSERT_EQ(record->targets[kOffscreenTarget]->color.GetWidth(), 320);
    frame();
    EXPECT_EQ(strayPixels(), 0);
}

}  // namespace
