// The span loops of the sprite programs against the general per-pixel path, pixel for pixel.
// They must give exactly the pixels of that path (plane per varying, pixel
// program, blend equation) for rotated and scaled sprites.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>

#include "tests/platform/graphics/gfx_test_rig.h"

namespace {

using namespace gfx_test;

// Not one of the game's modes: the span loops still take it, through the
// general blend equation.
const BlendDesc kOtherBlend{true, BlendFactor::One, BlendFactor::One, BlendOp::Subtract, BlendFactor::InvSrcAlpha,
                            BlendFactor::One, BlendOp::Add};

const BlendDesc& BlendForRound(int round)
{
    const int count = static_cast<int>(std::size(kGameBlendModes));
    return round % (count + 1) < count ? kGameBlendModes[round % (count + 1)] : kOtherBlend;
}

constexpr int kWidth = 97;
constexpr int kHeight = 61;

struct Scene {
    int texWidth = 1, texHeight = 1;
    std::vector<std::uint8_t> texels;
    SamplerDesc sampler;
    BlendDesc blend;
    std::string pixelProgram = "ps_vc_tc";
    Viewport viewport{0, 0, kWidth, kHeight, 0, 1};
    std::vector<Vertex2D> vertices;
    std::vector<std::uint32_t> indices;
};

struct Result {
    std::vector<std::uint32_t> pixels;
    Device::Stats stats;
};

Result Render(const Scene& scene, bool spritePath)
{
    Rig rig(kWidth, kHeight, "vs_vp2_vc_vt", scene.pixelProgram);
    rig.device.SetSpritePathEnabled(spritePath);
    rig.UseTexture(scene.texWidth, scene.texHeight, scene.texels, scene.sampler, scene.blend);
    rig.device.SetViewport(scene.viewport);
    // A varied background, so every blend term shows.
    for (int i = 0; i < kWidth * kHeight; ++i) rig.target->Pixels()[i] = 0x80402010u * static_cast<std::uint32_t>(i + 1);
    rig.Draw(scene.vertices, scene.indices);
    return {std::vector<std::uint32_t>(rig.target->Pixels(), rig.target->Pixels() + kWidth * kHeight),
            rig.device.GetStats()};
}

std::string Hex(std::uint32_t pixel)
{
    char text[16];
    std::snprintf(text, sizeof text, "%08X", pixel);
    return text;
}

::testing::AssertionResult SamePixels(const Scene& scene, std::uint64_t* spriteTriangles = nullptr)
{
    const Result fast = Render(scene, true);
    const Result reference = Render(scene, false);
    if (spriteTriangles) *spriteTriangles = fast.stats.spriteTriangles;
    if (reference.stats.spriteTriangles != 0) return ::testing::AssertionFailure() << "the reference used the span loops";
    for (std::size_t i = 0; i < fast.pixels.size(); ++i) {
        if (fast.pixels[i] != reference.pixels[i]) {
            return ::testing::AssertionFailure() << "pixel " << i % kWidth << "," << i / kWidth << ": "
                                                 << Hex(fast.pixels[i]) << " instead of " << Hex(reference.pixels[i]);
        }
    }
    return ::testing::AssertionSuccess();
}

class SceneMaker {
public:
    explicit SceneMaker(unsigned seed) : random_(seed) {}

    float Uniform(float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(random_); }
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    void RandomTexture(Scene& scene, int maxSize)
    {
        scene.texWidth = 1 + Pick(maxSize);
        scene.texHeight = 1 + Pick(maxSize);
        scene.texels.resize(static_cast<std::size_t>(scene.texWidth) * scene.texHeight * 4);
        for (std::size_t i = 0; i < scene.texels.size(); ++i) {
            // Alpha mostly 0 or 255, as in sprites, so the all-clear and
            // all-opaque shortcuts of the blend loops run too.
            const int kind = Pick(4);
            scene.texels[i] = i % 4 == 3 && kind < 2 ? static_cast<std::uint8_t>(kind * 255)
                                                     : static_cast<std::uint8_t>(Pick(256));
        }
    }

    void RandomColor(float* rgba)
    {
        if (Pick(2)) {
            for (int k = 0; k < 4; ++k) rgba[k] = 1.0f;
        } else {
            for (int k = 0; k < 4; ++k) rgba[k] = Pick(3) ? static_cast<float>(Pick(256)) / 255.0f : Uniform(-0.2f, 1.2f);
        }
    }

    // A quad rotated by `degrees` about its centre and scaled, with the
    // corners TL, BL, TR, BR as the sprite renderer sends them.
    void AddSprite(Scene& scene, float cx, float cy, float w, float h, float degrees, const float uv[4],
                   bool gradient)
    {
        const double radians = degrees * 3.14159265358979323846 / 180.0;
        const float c = static_cast<float>(std::cos(radians)), s = static_cast<float>(std::sin(radians));
        const float corners[4][2] = {{-w / 2, -h / 2}, {-w / 2, h / 2}, {w / 2, -h / 2}, {w / 2, h / 2}};
        const float us[4] = {uv[0], uv[0], uv[2], uv[2]};
        const float vs[4] = {uv[1], uv[3], uv[1], uv[3]};
        float color[4];
        RandomColor(color);
        const std::uint32_t base = static_cast<std::uint32_t>(scene.vertices.size());
        for (int i = 0; i < 4; ++i) {
            if (gradient) RandomColor(color);
            const float x = cx + corners[i][0] * c - corners[i][1] * s;
            const float y = cy + corners[i][0] * s + corners[i][1] * c;
            const float nx = (x - scene.viewport.x) / scene.viewport.width * 2.0f - 1.0f;
            const float ny = 1.0f - (y - scene.viewport.y) / scene.viewport.height * 2.0f;
            scene.vertices.push_back({nx, ny, color[0], color[1], color[2], color[3], us[i], vs[i]});
        }
        for (std::uint32_t i : {base, base + 1, base + 2, base + 1, base + 3, base + 2}) scene.indices.push_back(i);
    }

    std::mt19937& Random() { return random_; }

private:
    std::mt19937 random_;
};

TEST(SpritePath, RotatedAndScaledSpritesMatchTheGeneralPath)
{
    SceneMaker maker(2024);
    std::uint64_t drawn = 0;
    for (int round = 0; round < 150; ++round) {
        Scene scene;
        maker.RandomTexture(scene, 40);
        const Filter filter = maker.Pick(4) == 0 ? Filter::Linear : Filter::Point;
        scene.sampler = {filter, static_cast<AddressMode>(maker.Pick(3)), static_cast<AddressMode>(maker.Pick(3)),
                         AddressMode::Wrap};
        scene.blend = BlendForRound(round);
        if (round % 7 == 6) scene.pixelProgram = "ps_vc";
        if (round % 5 == 4) {
            // A viewport inside the target, off its origin: clipping at its edges.
            scene.viewport = {maker.Uniform(0, 30), maker.Uniform(0, 20), maker.Uniform(20, 60), maker.Uniform(15, 40), 0, 1};
        }
        const bool gradient = round % 5 == 3;
        for (int q = 0; q < 10; ++q) {
            // Right angles and grid positions put texel edges on pixel centres.
            const bool snapped = maker.Pick(3) == 0;
            const float degrees = snapped ? 90.0f * static_cast<float>(maker.Pick(4)) : maker.Uniform(-360, 360);
            float cx = maker.Uniform(-15, kWidth + 15), cy = maker.Uniform(-15, kHeight + 15);
            float w = maker.Uniform(0.5f, 60), h = maker.Uniform(0.5f, 60);
            if (snapped) cx = std::round(cx), cy = std::round(cy), w = std::round(w) + 1, h = std::round(h) + 1;
            float uv[4] = {0, 0, 1, 1};
            if (maker.Pick(2)) {
                for (float& t : uv) t = maker.Uniform(-1.5f, 2.5f);  // wrap, mirror and clamp
            }
            maker.AddSprite(scene, cx, cy, w, h, degrees, uv, gradient);
        }
        std::uint64_t spriteTriangles = 0;
        ASSERT_TRUE(SamePixels(scene, &spriteTriangles)) << "round " << round;
        drawn += spriteTriangles;
    }
    EXPECT_GT(drawn, 1500u);  // the span loops really ran
}

// Sprites from a texture atlas, the common case: a sub-rectangle of a power
// of two texture, every address mode, turned a little or a lot.
TEST(SpritePath, AtlasSpritesAtEveryAngleMatch)
{
    SceneMaker maker(77);
    for (int mode = 0; mode < 3; ++mode) {
        Scene scene;
        scene.texWidth = 64;
        scene.texHeight = 32;
        scene.texels.resize(64 * 32 * 4);
        for (auto& b : scene.texels) b = static_cast<std::uint8_t>(maker.Pick(256));
        scene.sampler = {Filter::Point, static_cast<AddressMode>(mode), static_cast<AddressMode>(mode), AddressMode::Wrap};
        scene.blend = kAlphaBlendMode;
        for (int angle = 0; angle < 360; angle += 7) {
            const float uv[4] = {16.0f / 64, 8.0f / 32, 48.0f / 64, 24.0f / 32};
            maker.AddSprite(scene, static_cast<float>(angle % 90) + 4, static_cast<float>(angle / 90) * 15 + 7, 32, 16,
                            static_cast<float>(angle), uv, false);
        }
        ASSERT_TRUE(SamePixels(scene)) << "address mode " << mode;
    }
}

// Coordinates far outside the texture, or not numbers at all, colours that
// are not finite, and a sprite the guard band clips: the span loops must
// still agree with the general path.
TEST(SpritePath, ExtremeCoordinatesAndColoursMatch)
{
    SceneMaker maker(5);
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float extremes[] = {3.0e7f, -3.0e7f, 2.0e9f, -5.0e9f, inf, -inf, nan, 1.0e-30f};
    for (int mode = 0; mode < 3; ++mode) {
        Scene scene;
        maker.RandomTexture(scene, 9);
        scene.sampler = {Filter::Point, static_cast<AddressMode>(mode), static_cast<AddressMode>(2 - mode),
                         AddressMode::Wrap};
        scene.blend = kAlphaBlendMode;
        for (float extreme : extremes) {
            const float uv[4] = {0, extreme, extreme, 1};
            maker.AddSprite(scene, maker.Uniform(10, 80), maker.Uniform(10, 50), 20, 15, maker.Uniform(0, 360), uv, false);
        }
        for (float extreme : {inf, -inf, nan, 2.0f, -1.0f}) {
            const float uv[4] = {0, 0, 1, 1};
            maker.AddSprite(scene, maker.Uniform(10, 80), maker.Uniform(10, 50), 20, 15, maker.Uniform(0, 360), uv, false);
            for (std::size_t i = scene.vertices.size() - 4; i < scene.vertices.size(); ++i) scene.vertices[i].g = extreme;
        }
        // Far larger than the guard band: clipped into smaller triangles first.
        const float uv[4] = {-3, -2, 4, 5};
        maker.AddSprite(scene, 40, 30, 90000, 70000, 33, uv, false);
        ASSERT_TRUE(SamePixels(scene)) << "address mode " << mode;
    }
}

// Turned quads of one colour are drawn in one walk over their four edges
// instead of their two triangles: long thin bands and small squares at every
// angle, on and off pixel centres, in every blend, with alpha from clear to
// opaque; and quads that are not convex or have no area, which keep to the
// triangles.
TEST(SpritePath, TurnedQuadsOfOneColourMatchTheirTwoTriangles)
{
    SceneMaker maker(31);
    std::uint64_t drawn = 0;
    for (int round = 0; round < 36; ++round) {
        Scene scene;
        maker.RandomTexture(scene, 2);
        scene.pixelProgram = "ps_vc";
        scene.blend = BlendForRound(round);
        for (int q = 0; q < 16; ++q) {
            // Lengths and angles that put corners and edges on pixel centres.
            const bool snapped = q % 2 == 0;
            const float degrees = snapped ? 45.0f * static_cast<float>(maker.Pick(8)) + (q % 4 == 0 ? 0.0f : 26.565051f)
                                          : maker.Uniform(-360, 360);
            float cx = maker.Uniform(-10, kWidth + 10), cy = maker.Uniform(-10, kHeight + 10);
            float length = maker.Uniform(2, 140), width = maker.Uniform(0.3f, 6);
            if (snapped) cx = std::round(cx) + 0.5f, cy = std::round(cy), length = std::round(length), width = std::round(width) + 1;
            if (q % 5 == 4) length = width = maker.Uniform(1, 12);
            const float uv[4] = {0, 0, 1, 1};
            maker.AddSprite(scene, cx, cy, length, width, degrees, uv, false);
        }
        // A bow tie (its corners crossed) and a quad folded flat onto a line.
        const float bow[4][2] = {{10, 10}, {40, 30}, {40, 10}, {10, 30}};
        const float flat[4][2] = {{5, 50}, {25, 50}, {45, 50}, {65, 50}};
        for (const auto* corners : {bow, flat}) {
            const std::uint32_t base = static_cast<std::uint32_t>(scene.vertices.size());
            for (int i = 0; i < 4; ++i) {
                const float nx = corners[i][0] / kWidth * 2.0f - 1.0f, ny = 1.0f - corners[i][1] / kHeight * 2.0f;
                scene.vertices.push_back({nx, ny, 0.9f, 0.2f, 0.4f, round % 2 == 0 ? 1.0f : 0.5f, 0, 0});
            }
            for (std::uint32_t i : {base, base + 1, base + 2, base + 1, base + 3, base + 2}) scene.indices.push_back(i);
        }
        std::uint64_t spriteTriangles = 0;
        ASSERT_TRUE(SamePixels(scene, &spriteTriangles)) << "round " << round;
        drawn += spriteTriangles;
    }
    EXPECT_GT(drawn, 400u);
}

TEST(SpritePath, TakesOnlyFlatWTrianglesOfTheSpritePrograms)
{
    Rig rig(16, 16, "vs_vp2_vc_vt", "ps_vc_tc");
    auto texture = rig.device.CreateTexture(2, 2, PixelFormat::B8G8R8A8);
    rig.device.SetTexture(0, texture.get());
    std::vector<Vertex2D> vs = {{-1, 1, 1, 1, 1, 1, 0, 0}, {-1, -1, 1, 1, 1, 1, 0, 1}, {0.5f, 0.7f, 1, 1, 1, 1, 1, 0}};
    std::vector<std::uint32_t> is = {0, 1, 2};
    rig.Draw(vs, is);
    EXPECT_EQ(rig.device.GetStats().spriteTriangles, 1u);

    // A program without a shortcut goes the general way.
    rig.UsePrograms("vs_vp2_vc_vt", "ps_vc_vn_tc");
    rig.device.ResetStats();
    rig.Draw(vs, is);
    EXPECT_EQ(rig.device.GetStats().triangles, 1u);
    EXPECT_EQ(rig.device.GetStats().spriteTriangles, 0u);

    // So does a draw with the depth test on.
    rig.UsePrograms("vs_vp2_vc_vt", "ps_vc_tc");
    auto depthOn = rig.device.CreateDepthStencilState({true, true, Comparison::LessEqual});
    rig.device.SetDepthStencilState(depthOn.get());
    rig.device.ResetStats();
    rig.Draw(vs, is);
    EXPECT_EQ(rig.device.GetStats().spriteTriangles, 0u);
}

}  // namespace
