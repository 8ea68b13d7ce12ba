// The scissor: draws made while it is set change no pixel outside it, on every path of the rasterizer.
#include "framework/app/framework_manager.h"
#include "framework/graphics/polygon_render.h"
#include "framework/graphics/scissor.h"
#include "tests/support/graphics_fixture.h"

namespace {

using namespace vesk::graphics;
using support::GraphicsFixture;
using vesk::resource::SYSWIN_CTexture;

constexpr std::uint32_t kBackgroundRgba = 0xFF402010u;  // ARGB 0xFF102040 on the canvas
constexpr std::uint32_t kBackground = 0xFF102040u;
constexpr std::uint32_t kFillRgba = 0xFF00FF00u;  // ARGB 0xFF00FF00
constexpr std::uint32_t kFill = 0xFF00FF00u;
constexpr std::uint32_t kSpriteArgb = 0xFFFF0000u;

struct SolidTexture {
    std::vector<std::uint8_t> bgra;
    SYSWIN_CTexture texture;

    SolidTexture(int width, int height, std::uint32_t argb)
    {
        for (int i = 0; i < width * height; ++i) {
            for (int b = 0; b < 4; ++b) bgra.push_back(static_cast<std::uint8_t>(argb >> (8 * b)));
        }
        EXPECT_EQ(texture.CreateFromImage("solid", bgra.data(), bgra.size(), 0, width, height, nullptr), 0);
    }
};

class Scissor : public GraphicsFixture {};

// A canvas-wide rectangle, a turned rectangle and a turned, scaled sprite drawn under a scissor
// reach exactly the scissor's pixels; a sprite queued before the scissor was set is drawn whole,
// and once it is cleared draws reach the whole canvas again. The same through the integer quad
// path, the triangle path and the sprite span loops.
TEST_F(Scissor, DrawsChangeNoPixelOutsideIt)
{
    SolidTexture sprite(16, 16, kSpriteArgb);
    const CanvasRect clip{{100.0f, 50.0f}, {200.0f, 100.0f}};
    for (int path = 0; path < 3; ++path) {
        record->device.SetQuadPathEnabled(path != 1);
        record->device.SetSpritePathEnabled(path != 2);
        vesk::app::BeginFrameDraw();
        BeginColorPolygonDraw();
        record->colorRenderer.AddRect({0, 0}, {640, 360}, kBackgroundRgba);
        record->colorRenderer.Flush();

        BeginSpriteDraw(-1, 4);
        DrawParam plain;
        record->textureRenderer.AddSprite(plain, {0, 0}, &sprite.texture);  // still pending
        SetCanvasScissor(clip);
        ASSERT_EQ(CurrentCanvasScissor(), clip);
        BeginColorPolygonDraw();
        record->colorRenderer.AddRect({0, 0}, {640, 360}, kFillRgba);
        record->colorRenderer.transform.angle = 30.0f;
        record->colorRenderer.AddRect({320, 180}, {400, 400}, kFillRgba);
        record->colorRenderer.Flush();
        BeginSpriteDraw(-1, 4);
        DrawParam turned;
        turned.angle = 45.0f;
        turned.scaleX = turned.scaleY = 40.0f;
        turned.pivotX = turned.pivotY = 0.5f;
        record->textureRenderer.AddSprite(turned, {200, 100}, &sprite.texture);
        ClearCanvasScissor();
        EXPECT_FALSE(CurrentCanvasScissor().has_value());
        record->textureRenderer.AddSprite(plain, {600, 300}, &sprite.texture);
        record->textureRenderer.Flush();

        int wrong = 0;
        for (int y = 0; y < 360; ++y) {
            for (int x = 0; x < 640; ++x) {
                const bool inside = x >= 100 && x < 300 && y >= 50 && y < 150;
                const bool spriteBefore = x < 16 && y < 16;
                const bool spriteAfter = x >= 600 && x < 616 && y >= 300 && y < 316;
                const std::uint32_t pixel = CanvasPixel(x, y);
                bool right = false;
                if (spriteBefore || spriteAfter) {
                    right = pixel == kSpriteArgb;
                } else if (inside) {
                    right = pixel == kFill || pixel == kSpriteArgb;
                } else {
                    right = pixel == kBackground;
                }
                if (!right && wrong++ < 5) ADD_FAILURE() << "path " << path << ": pixel " << x << "," << y << " is " << std::hex << pixel;
            }
        }
        EXPECT_EQ(wrong, 0) << "path " << path;
        EXPECT_EQ(CanvasPixel(200, 100), kSpriteArgb) << "path " << path;  // the turned sprite's middle
    }
    // A scissor left set by one frame does not clip the next one's drawing.
    SetCanvasScissor(clip);
    vesk::app::BeginFrameDraw();
    BeginColorPolygonDraw();
    record->colorRenderer.AddRect({0, 0}, {640, 360}, kFillRgba);
    record->colorRenderer.Flush();
    EXPECT_EQ(CanvasPixel(0, 0), kFill);
}

}  // namespace
