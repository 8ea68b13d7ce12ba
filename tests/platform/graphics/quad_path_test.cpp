// The quad path against the triangle path, pixel for pixel.
#include <gtest/gtest.h>

#include <random>

#include "tests/platform/graphics/gfx_test_rig.h"

namespace {

using namespace gfx_test;

struct Scene {
    int texWidth, texHeight;
    std::vector<std::uint8_t> texels;
    SamplerDesc sampler;
    BlendDesc blend;
    std::vector<Vertex2D> vertices;
    std::vector<std::uint32_t> indices;
    bool flatColor;
};

// The textured 2D program as a general one, whose vertices go through the
// whole vertex stage instead of being read straight from the buffer.
std::string GeneralVertexProgram()
{
    static const std::string name = [] {
        VertexProgram program = *FindVertexProgram("vs_vp2_vc_vt");
        program.name = "quad_path_test_vs_general";
        program.passes2D = false;
        RegisterVertexProgram(program);
        return std::string(program.name);
    }();
    return name;
}

// The reference (quadPath false) takes the general vertex stage and the
// triangle path.
std::vector<std::uint32_t> Render(const Scene& scene, bool quadPath, std::uint64_t* fastQuads)
{
    Rig rig(97, 61, quadPath ? "vs_vp2_vc_vt" : GeneralVertexProgram(), scene.flatColor ? "ps_vc" : "ps_vc_tc");
    rig.device.SetQuadPathEnabled(quadPath);
    rig.device.SetSpritePathEnabled(quadPath);  // the reference is the general triangle path
    rig.UseTexture(scene.texWidth, scene.texHeight, scene.texels, scene.sampler, scene.blend);
    rig.Clear(0x80402010u);
    rig.Draw(scene.vertices, scene.indices);
    if (fastQuads) *fastQuads = rig.device.GetStats().fastQuads;
    return std::vector<std::uint32_t>(rig.target->Pixels(), rig.target->Pixels() + 97 * 61);
}

// The integer path for axis-aligned quads, with corners read straight from the
// vertex buffer, must give exactly the pixels of the vertex stage and the
// triangle path, whatever the position, size, flips, texture rectangle,
// addressing, colour and blending.
TEST(QuadPath, GivesTheSamePixelsAsTheTrianglePath)
{
    std::mt19937 random(1234);
    auto uniform = [&](float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(random); };
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    std::uint64_t totalFast = 0;
    for (int round = 0; round < 120; ++round) {
        Scene scene;
        scene.texWidth = 1 + pick(40);
        scene.texHeight = 1 + pick(40);
        scene.texels.resize(static_cast<std::size_t>(scene.texWidth) * scene.texHeight * 4);
        for (auto& b : scene.texels) b = static_cast<std::uint8_t>(pick(256));
        scene.sampler = {Filter::Point, static_cast<AddressMode>(pick(3)), static_cast<AddressMode>(pick(3)),
                         AddressMode::Wrap};
        scene.blend = kGameBlendModes[pick(5)];
        scene.flatColor = round % 7 == 6;
        Rig layout(97, 61);
        for (int q = 0; q < 12; ++q) {
            // Grid-aligned, half-pixel and arbitrary positions and sizes.
            const int snapping = pick(3);
            auto coord = [&](float lo, float hi) {
                const float v = uniform(lo, hi);
                return snapping == 0 ? std::round(v) : (snapping == 1 ? std::round(v * 2) / 2 : v);
            };
            const float x0 = coord(-20, 90), y0 = coord(-20, 55);
            float x1 = x0 + coord(0.3f, 70), y1 = y0 + coord(0.3f, 50);
            float u0 = uniform(-1, 1), u1 = uniform(-1, 2), v0 = uniform(-1, 1), v1 = uniform(-1, 2);
            if (pick(2)) u0 = 0, u1 = 1, v0 = 0, v1 = 1;
            if (pick(3) == 0) {
                // A sprite of an atlas at its own size: one texel per pixel.
                const int left = pick(scene.texWidth), top = pick(scene.texHeight);
                const int w = 1 + pick(scene.texWidth - left), h = 1 + pick(scene.texHeight - top);
                x1 = x0 + static_cast<float>(w), y1 = y0 + static_cast<float>(h);
                u0 = static_cast<float>(left) / static_cast<float>(scene.texWidth);
                u1 = static_cast<float>(left + w) / static_cast<float>(scene.texWidth);
                v0 = static_cast<float>(top) / static_cast<float>(scene.texHeight);
                v1 = static_cast<float>(top + h) / static_cast<float>(scene.texHeight);
            }
            if (pick(2)) std::swap(u0, u1);  // flips
            float color[4] = {1, 1, 1, 1};
            if (pick(2)) {
                for (float& c : color) c = static_cast<float>(pick(256)) / 255.0f;
            }
            layout.AddQuad(scene.vertices, scene.indices, x0, y0, x1, y1, color, u0, v0, u1, v1);
            // Now and then a lone triangle, and one with a corner past the buffer.
            if (pick(6) == 0) {
                const std::uint32_t last = static_cast<std::uint32_t>(scene.vertices.size()) - 1;
                for (std::uint32_t i : {last, last - 3, last - 1}) scene.indices.push_back(i);
                for (std::uint32_t i : {last, last + 1, last - 2}) scene.indices.push_back(i);
            }
        }
        std::uint64_t fast = 0;
        const auto withQuads = Render(scene, true, &fast);
        const auto trianglesOnly = Render(scene, false, nullptr);
        totalFast += fast;
        for (std::size_t i = 0; i < withQuads.size(); ++i) {
            ASSERT_EQ(withQuads[i], trianglesOnly[i])
                << "round " << round << " pixel " << i % 97 << "," << i / 97 << std::hex << " " << withQuads[i]
                << " vs " << trianglesOnly[i];
        }
    }
    EXPECT_GT(totalFast, 500u);  // the path really ran
}

// Texel edges exactly on pixel centres, where the two triangles of a quad can
// round to different texels: every size against every texture size.
TEST(QuadPath, MatchesAtTexelEdgesOnPixelCentres)
{
    for (int texSize = 1; texSize <= 12; ++texSize) {
        Scene scene;
        scene.texWidth = texSize;
        scene.texHeight = texSize;
        for (int i = 0; i < texSize * texSize * 4; ++i) scene.texels.push_back(static_cast<std::uint8_t>(i * 37 + 11));
        scene.sampler = {Filter::Point, AddressMode::Wrap, AddressMode::Wrap, AddressMode::Wrap};
        scene.blend = {};
        scene.flatColor = false;
        Rig layout(97, 61);
        const float white[4] = {1, 1, 1, 1};
        float x = 0, y = 0;
        for (int h = 1; h <= 12; ++h) {
            for (int w = 1; w <= 12; w += 3) {
                layout.AddQuad(scene.vertices, scene.indices, x, y, x + w, y + h, white);
                x += 13;
                if (x > 80) x = 0, y += 13;
            }
        }
        const auto withQuads = Render(scene, true, nullptr);
        const auto trianglesOnly = Render(scene, false, nullptr);
        ASSERT_EQ(withQuads, trianglesOnly) << "texture size " << texSize;
    }
}

// A quad found by search whose two triangles round one row to different
// texel rows: the quad path must split that row where the triangles meet.
TEST(QuadPath, SplitsARowWhereTheTrianglesDisagree)
{
    Scene scene;
    scene.texWidth = 1;
    scene.texHeight = 14;
    for (int i = 0; i < 14 * 4; ++i) scene.texels.push_back(static_cast<std::uint8_t>(i * 19 + 3));
    scene.sampler = {Filter::Point, AddressMode::Wrap, AddressMode::Wrap, AddressMode::Wrap};
    scene.blend = {};
    scene.flatColor = false;
    Rig layout(97, 61);
    const float white[4] = {1, 1, 1, 1};
    const float y0 = 0x1.e00872p+2f, h = 0x1.35501cp+4f, v1 = -0x1.a16e24p+0f;
    layout.AddQuad(scene.vertices, scene.indices, 0, y0, 8, y0 + h, white, 0, 0, 1, v1);
    std::uint64_t fast = 0;
    const auto withQuads = Render(scene, true, &fast);
    EXPECT_EQ(fast, 1u);
    EXPECT_EQ(withQuads, Render(scene, false, nullptr));
}

TEST(QuadPath, LinearFilteringAndRotatedQuadsUseTheTrianglePath)
{
    Rig rig(16, 16);
    auto texture = rig.device.CreateTexture(2, 2, PixelFormat::B8G8R8A8);
    auto linear = rig.device.CreateSamplerState({Filter::Linear});
    rig.device.SetTexture(0, texture.get());
    rig.device.SetSampler(0, linear.get());
    std::vector<Vertex2D> vs;
    std::vector<std::uint32_t> is;
    const float white[4] = {1, 1, 1, 1};
    rig.AddQuad(vs, is, 0, 0, 8, 8, white);
    rig.Draw(vs, is);
    EXPECT_EQ(rig.device.GetStats().fastQuads, 0u);
    EXPECT_EQ(rig.device.GetStats().triangles, 2u);
}

}  // namespace
