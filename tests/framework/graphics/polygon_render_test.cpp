// The 2D polygon renderers: sprite corners, flips, transforms, blend modes, masks, batches and golden pictures.
#include <cmath>
#include <cstring>

#include "framework/app/framework_manager.h"
#include "framework/graphics/polygon_render.h"
#include "platform/graphics/pixel_math.h"
#include "tests/support/golden_picture.h"
#include "tests/support/graphics_fixture.h"

namespace {

using namespace vesk::graphics;
using support::GraphicsFixture;
using support::MatchesGolden;
using vesk::resource::SYSWIN_CTexture;

// An image texture from 0xAARRGGBB words.
struct TestTexture {
    std::vector<std::uint8_t> bgra;
    SYSWIN_CTexture texture;

    TestTexture(int width, int height, const std::vector<std::uint32_t>& argb)
    {
        for (std::uint32_t p : argb) {
            for (int i = 0; i < 4; ++i) bgra.push_back(static_cast<std::uint8_t>(p >> (8 * i)));
        }
        EXPECT_EQ(texture.CreateFromImage("test", bgra.data(), bgra.size(), 0, width, height, nullptr), 0);
    }

    static TestTexture Solid(int width, int height, std::uint32_t argb)
    {
        return TestTexture(width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, argb));
    }
};

// Every texel different: red grows along x, green along y.
TestTexture Gradient(int width, int height)
{
    std::vector<std::uint32_t> argb;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) argb.push_back(0xFF000000u | (static_cast<std::uint32_t>(x * 30 + 15) << 16) | (static_cast<std::uint32_t>(y * 60 + 15) << 8) | 0x40u);
    }
    return TestTexture(width, height, argb);
}

class PolygonRenderers : public GraphicsFixture {
protected:
    void SetUp() override
    {
        GraphicsFixture::SetUp();
        vesk::app::BeginFrameDraw();
    }

    int CountPixels(std::uint32_t argb) const
    {
        int n = 0;
        for (int y = 0; y < 360; ++y) {
            for (int x = 0; x < 640; ++x) n += CanvasPixel(x, y) == argb ? 1 : 0;
        }
        return n;
    }

    SYSWIN_CPolygonRender_Color& Color() { return record->colorRenderer; }
    SYSWIN_CPolygonRender_Texture& Sprites() { return record->textureRenderer; }
};

TEST_F(PolygonRenderers, SpriteCornersInDeviceCoordinates)
{
    TestTexture sprite = TestTexture::Solid(32, 16, 0xFFFFFFFFu);
    BeginSpriteDraw(-1, 4);
    DrawParam param;
    Sprites().AddSprite(param, {0, 0}, &sprite.texture);
    float v[4][8];
    std::memcpy(v, Sprites().PendingVertices(), sizeof v);
    const float expected[4][2] = {{-1, 1}, {-1, 0.9111f}, {-0.9f, 1}, {-0.9f, 0.9111f}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(v[i][0], expected[i][0], 1e-4) << i;
        EXPECT_NEAR(v[i][1], expected[i][1], 1e-4) << i;
    }
    EXPECT_EQ(v[0][6], 0.0f);  // u at the left
    EXPECT_EQ(v[2][6], 1.0f);
    EXPECT_FLOAT_EQ(Sprites().lastWidth, 32.0f);
    EXPECT_FLOAT_EQ(Sprites().lastHeight, 16.0f);
    Sprites().Flush();
    EXPECT_EQ(CanvasPixel(31, 15), 0xFFFFFFFFu);
    EXPECT_EQ(CanvasPixel(32, 15), 0xFF000000u);
    EXPECT_EQ(CanvasPixel(31, 16), 0xFF000000u);
}

TEST_F(PolygonRenderers, FlipXPutsTheRightEdgeOfTheTextureLeft)
{
    TestTexture sprite = TestTexture::Solid(4, 4, 0xFFFFFFFFu);
    BeginSpriteDraw(-1, 4);
    DrawParam param;
    param.flipX = 1;
    Sprites().AddSprite(param, {0, 0}, &sprite.texture);
    float v[4][8];
    std::memcpy(v, Sprites().PendingVertices(), sizeof v);
    EXPECT_EQ(v[0][6], 1.0f);
    EXPECT_EQ(v[1][6], 1.0f);
    EXPECT_EQ(v[2][6], 0.0f);
}

// Turned, flipped and pivoted sprites against stored pictures.
TEST_F(PolygonRenderers, TransformsMatchTheirGoldenPictures)
{
    TestTexture sprite = Gradient(8, 4);
    struct Case {
        const char* name;
        float angle, pivotX, pivotY, scale;
        int flipX, flipY;
    };
    const Case cases[] = {
        {"sprite_plain", 0, 0, 0, 1, 0, 0},        {"sprite_rotate_plus90", 90, 0, 0, 1, 0, 0},
        {"sprite_rotate_minus90", -90, 0, 0, 1, 0, 0}, {"sprite_flip_x", 0, 0, 0, 1, 1, 0},
        {"sprite_flip_y", 0, 0, 0, 1, 0, 1},       {"sprite_pivot_centre_rotate_90", 90, 0.5f, 0.5f, 2, 0, 0},
        {"sprite_pivot_bottom_right_scaled", 0, 1, 1, 3, 1, 1},
    };
    for (const Case& c : cases) {
        vesk::app::BeginFrameDraw();
        BeginSpriteDraw(-1, 4);
        DrawParam param;
        param.angle = c.angle;
        param.pivotX = c.pivotX;
        param.pivotY = c.pivotY;
        param.scaleX = param.scaleY = c.scale;
        param.flipX = c.flipX;
        param.flipY = c.flipY;
        Sprites().AddSprite(param, {32, 32}, &sprite.texture);
        Sprites().Flush();
        EXPECT_TRUE(MatchesGolden(c.name, 64, 64, CanvasPixels(0, 0, 64, 64))) << c.name;
    }
    // The same pictures, checked by hand at a few texels: at +90 degrees
    // about the top-left corner the texture's top-left texel lands left of
    // the position and its top row runs downward.
    vesk::app::BeginFrameDraw();
    BeginSpriteDraw(-1, 4);
    DrawParam turned;
    turned.angle = 90;
    Sprites().AddSprite(turned, {32, 32}, &sprite.texture);
    Sprites().Flush();
    EXPECT_EQ(CanvasPixel(31, 32), 0xFF0F0F40u);  // texel (0, 0)
    EXPECT_EQ(CanvasPixel(31, 39), 0xFFE10F40u);  // texel (7, 0)
    EXPECT_EQ(CanvasPixel(28, 32), 0xFF0FC340u);  // texel (0, 3)
    EXPECT_EQ(CanvasPixel(32, 32), 0xFF000000u);
    vesk::app::BeginFrameDraw();
    BeginSpriteDraw(-1, 4);
    turned.angle = -90;
    Sprites().AddSprite(turned, {32, 32}, &sprite.texture);
    Sprites().Flush();
    EXPECT_EQ(CanvasPixel(32, 31), 0xFF0F0F40u);  // texel (0, 0)
    EXPECT_EQ(CanvasPixel(32, 24), 0xFFE10F40u);  // texel (7, 0), upward
}

TEST_F(PolygonRenderers, BlendModesFollowTheirEquations)
{
    const std::uint32_t background = 0xFF5080C0u;  // as ARGB on the canvas
    const std::uint32_t backgroundRgba = 0xFFC08050u;
    const std::uint32_t source = 0x99E04010u;
    TestTexture sprite = TestTexture::Solid(4, 4, source);
    for (int mode = 0; mode <= 4; ++mode) {
        vesk::app::BeginFrameDraw();
        BeginColorPolygonDraw();
        Color().AddRect({0, 0}, {8, 8}, backgroundRgba);
        Color().Flush();
        BeginSpriteDraw(-1, mode);
        DrawParam param;
        Sprites().AddSprite(param, {2, 2}, &sprite.texture);
        Sprites().Flush();
        const std::uint32_t out = CanvasPixel(3, 3);
        const double sa = 0x99 / 255.0;
        for (int shift : {16, 8, 0}) {
            const double s = ((source >> shift) & 255) / 255.0, d = ((background >> shift) & 255) / 255.0;
            double expected = 0;
            switch (mode) {
            case 0: expected = s; break;
            case 1: expected = std::min(1.0, s * sa + d); break;
            case 2: expected = d * s; break;
            case 3: expected = std::max(0.0, d - s * sa); break;
            case 4: expected = s * sa + d * (1 - sa); break;
            }
            EXPECT_NEAR(((out >> shift) & 255) / 255.0, expected, 1.0 / 255.0 + 1e-9) << "mode " << mode;
        }
        const double da = 1.0;
        const double expectedAlpha = mode == 2 ? 0.0 : (mode == 3 ? std::min(1.0, sa * sa + da) : (mode == 0 ? sa : sa));
        EXPECT_NEAR((out >> 24) / 255.0, expectedAlpha, 1.0 / 255.0 + 1e-9) << "mode " << mode;
        EXPECT_EQ(CanvasPixel(0, 0), background) << "mode " << mode;
    }
}

TEST_F(PolygonRenderers, DepthMaskLimitsSpritesToTheRectangle)
{
    TestTexture sprite = TestTexture::Solid(100, 100, 0xFFFF0000u);
    Color().SetDepthStencilKey(31);
    Sprites().SetDepthStencilKey(31);
    BeginColorPolygonDraw();
    Color().AddRect({100, 100}, {50, 40}, 0xFF2B4C24u);
    Color().Flush();
    Color().SetDepthStencilKey(10);
    Sprites().SetDepthStencilKey(10);
    BeginSpriteDraw(2, 4);
    DrawParam param;
    Sprites().AddSprite(param, {80, 80}, &sprite.texture);
    Sprites().Flush();
    EXPECT_EQ(CanvasPixel(120, 120), 0xFFFF0000u);
    EXPECT_EQ(CanvasPixel(149, 139), 0xFFFF0000u);
    EXPECT_EQ(CanvasPixel(90, 90), 0xFF000000u);
    EXPECT_EQ(CanvasPixel(160, 120), 0xFF000000u);
    EXPECT_EQ(CountPixels(0xFFFF0000u), 50 * 40);
    Sprites().SetDepthStencilKey(28);
    BeginSpriteDraw(2, 0);
    Sprites().AddSprite(param, {80, 80}, &sprite.texture);
    Sprites().Flush();
    EXPECT_EQ(CanvasPixel(90, 90), 0xFFFF0000u);
}

TEST_F(PolygonRenderers, StencilBitOfTheKeyMasksEveryPixel)
{
    // The key names no stencil operations, so its zeroed faces never pass:
    // nothing is drawn and neither depth nor stencil changes, whatever the masks.
    platform::gfx::DepthBuffer& depth = *record->targets[kOffscreenTarget]->depth;
    Color().SetDepthStencilKey(0x0FFFF09F);
    BeginColorPolygonDraw();
    Color().AddRect({100, 100}, {50, 40}, 0xFF2B4C24u);
    Color().Flush();
    EXPECT_EQ(CountPixels(0xFF000000u), 640 * 360);
    EXPECT_EQ(depth.At(120, 120), 1.0f);
    EXPECT_EQ(depth.StencilAt(120, 120), 0);

    Color().SetDepthStencilKey(0x0FFFF01F);  // the same without the stencil bit
    BeginColorPolygonDraw();
    Color().AddRect({100, 100}, {50, 40}, 0xFF2B4C24u);
    Color().Flush();
    EXPECT_EQ(CountPixels(0xFF000000u), 640 * 360 - 50 * 40);
}

TEST_F(PolygonRenderers, LongBatchesAndFullFramesDrawEveryQuad)
{
    // More quads than one batch's base index allows, and more than the
    // frame's vertex area holds: every one still lands, nothing is written
    // past a buffer.
    BeginColorPolygonDraw();
    const int count = 25000;
    for (int i = 0; i < count; ++i) {
        Color().AddRect({static_cast<float>(i % 640), static_cast<float>(i / 640)}, {1, 1}, 0xFF00FF00u);
    }
    Color().Flush();
    EXPECT_EQ(CountPixels(0xFF00FF00u), count);

    TestTexture dot = TestTexture::Solid(1, 1, 0xFF0000FFu);
    BeginSpriteDraw(-1, 4);
    DrawParam param;
    for (int i = 0; i < count; ++i) {
        Sprites().AddSprite(param, {static_cast<float>(i % 640), static_cast<float>(100 + i / 640)}, &dot.texture);
    }
    Sprites().Flush();
    EXPECT_EQ(CountPixels(0xFF0000FFu), count);
}

TEST_F(PolygonRenderers, ASpriteOfAnotherTextureFlushesTheBatch)
{
    TestTexture red = TestTexture::Solid(4, 4, 0xFFFF0000u);
    TestTexture blue = TestTexture::Solid(4, 4, 0xFF0000FFu);
    BeginSpriteDraw(-1, 4);
    DrawParam param;
    Sprites().AddSprite(param, {0, 0}, &red.texture);
    Sprites().AddSprite(param, {10, 0}, &red.texture);
    EXPECT_EQ(Sprites().PendingQuads(), 2);
    Sprites().AddSprite(param, {20, 0}, &blue.texture);
    EXPECT_EQ(Sprites().PendingQuads(), 1);
    Sprites().Flush();
    EXPECT_EQ(CanvasPixel(1, 1), 0xFFFF0000u);
    EXPECT_EQ(CanvasPixel(11, 1), 0xFFFF0000u);
    EXPECT_EQ(CanvasPixel(21, 1), 0xFF0000FFu);
}

TEST_F(PolygonRenderers, InterleavedRenderersEachDrawWithTheirOwnShader)
{
    TestTexture blue = TestTexture::Solid(4, 4, 0xFF0000FFu);
    BeginColorPolygonDraw();
    Color().AddRect({0, 0}, {4, 4}, 0xFF0000FFu);  // red, as RGBA bytes
    BeginSpriteDraw(-1, 4);
    DrawParam param;
    Sprites().AddSprite(param, {10, 0}, &blue.texture);
    Color().Flush();  // the textured shader is bound now
    Sprites().Flush();
    EXPECT_EQ(CanvasPixel(1, 1), 0xFFFF0000u);
    EXPECT_EQ(CanvasPixel(11, 1), 0xFF0000FFu);
}

TEST_F(PolygonRenderers, SpriteStateChangesFlushOnlyWhenSomethingChanges)
{
    TestTexture half = TestTexture::Solid(4, 4, 0x80FFFFFFu);
    DrawParam param;
    BeginSpriteDraw(2, 4);
    Sprites().AddSprite(param, {0, 0}, &half.texture);
    BeginSpriteDraw(2, 4);
    EXPECT_EQ(Sprites().PendingQuads(), 1);
    BeginSpriteDraw(2, 0);  // another mode: the pending sprite goes first, blended
    EXPECT_EQ(Sprites().PendingQuads(), 0);
    EXPECT_EQ(CanvasPixel(1, 1) & 0x00FFFFFFu, 0x00808080u);
    // Without a group, a change of mode also draws the pending sprites in
    // the mode they were added under.
    BeginSpriteDraw(-1, 4);
    Sprites().AddSprite(param, {10, 0}, &half.texture);
    BeginSpriteDraw(-1, 0);
    EXPECT_EQ(Sprites().PendingQuads(), 0);
    EXPECT_EQ(CanvasPixel(11, 1) & 0x00FFFFFFu, 0x00808080u);
}

TEST_F(PolygonRenderers, RectanglesTurnAndTakeCornerColours)
{
    BeginColorPolygonDraw();
    Color().transform.perCornerColor = 1;
    Color().transform.cornerColors[0] = 0xFF0000FFu;
    Color().transform.cornerColors[1] = 0xFF0000FFu;
    Color().transform.cornerColors[2] = 0xFFFF0000u;
    Color().transform.cornerColors[3] = 0xFFFF0000u;
    Color().AddRect({0, 0}, {64, 4}, 0);
    Color().Flush();
    EXPECT_GT((CanvasPixel(1, 1) >> 16) & 255, 200u);  // red at the left
    EXPECT_GT(CanvasPixel(62, 1) & 255, 200u);         // blue at the right
    Color().Begin();
    EXPECT_EQ(Color().transform.perCornerColor, 0);
}

TEST(PolygonHelpers, ModulateColorTruncates)
{
    std::uint32_t color = 0xFF808080u;
    ModulateColor(color, 0x80FF0180u);
    EXPECT_EQ(color, 0x80800040u);
}

TEST(PolygonHelpers, ProjectToScreenMapsDeviceCoordinatesToPixels)
{
    const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    const float point[3] = {0.5f, 0.5f, 0};
    const Vec2f p = ProjectToScreen(identity, point, 284, 136);
    EXPECT_FLOAT_EQ(p.x, 213.0f);
    EXPECT_FLOAT_EQ(p.y, 34.0f);
}

}  // namespace
