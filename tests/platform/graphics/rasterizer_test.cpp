// The rasterizer: coverage, culling, wireframe, depth, stencil, perspective, clipping and bad indices.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "platform/graphics/pixel_math.h"
#include "tests/platform/graphics/gfx_test_rig.h"

namespace {

using namespace gfx_test;

const float kWhite[4] = {1, 1, 1, 1};

int CountNonZero(const Rig& rig)
{
    int n = 0;
    for (int y = 0; y < rig.height; ++y) {
        for (int x = 0; x < rig.width; ++x) n += rig.At(x, y) != 0 ? 1 : 0;
    }
    return n;
}

// Colour-only drawing with additive blending: a pixel covered twice shows it.
struct AdditiveRig : Rig {
    std::unique_ptr<BlendState> add;
    AdditiveRig(int w, int h) : Rig(w, h, "vs_vp2_vc", "ps_vc")
    {
        add = device.CreateBlendState({true, BlendFactor::One, BlendFactor::One, BlendOp::Add, BlendFactor::One,
                                       BlendFactor::One, BlendOp::Add});
        device.SetBlendState(add.get());
    }
};

TEST(Rasterizer, SharedEdgesCoverEveryPixelExactlyOnce)
{
    // A fan of thin triangles around an off-grid centre: the top-left rule
    // must give every pixel inside to exactly one triangle.
    AdditiveRig rig(64, 64);
    std::vector<Vertex2D> vs;
    std::vector<std::uint32_t> is;
    const float cx = 31.3f, cy = 30.7f;
    const float level = 10.0f / 255.0f;
    vs.push_back({rig.NdcX(cx), rig.NdcY(cy), level, level, level, level, 0, 0});
    const int spokes = 37;
    for (int i = 0; i <= spokes; ++i) {
        const double angle = 2 * 3.14159265358979 * i / spokes;
        vs.push_back({rig.NdcX(cx + 25.0f * static_cast<float>(std::cos(angle))),
                      rig.NdcY(cy + 25.0f * static_cast<float>(std::sin(angle))), level, level, level, level, 0, 0});
    }
    for (int i = 1; i <= spokes; ++i) {
        is.push_back(0);
        is.push_back(i);
        is.push_back(i + 1);
    }
    // The last spoke repeats the first position exactly.
    vs.back().x = vs[1].x;
    vs.back().y = vs[1].y;
    rig.Draw(vs, is);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const std::uint32_t p = rig.At(x, y);
            ASSERT_TRUE(p == 0 || p == 0x0A0A0A0Au) << x << "," << y << " " << std::hex << p;
        }
    }
    // Well inside the fan every pixel is covered.
    for (int y = 20; y < 42; ++y) {
        for (int x = 20; x < 42; ++x) ASSERT_EQ(rig.At(x, y), 0x0A0A0A0Au) << x << "," << y;
    }
}

TEST(Rasterizer, PixelCentresDecideCoverage)
{
    AdditiveRig rig(8, 8);
    rig.device.SetQuadPathEnabled(false);
    std::vector<Vertex2D> vs;
    std::vector<std::uint32_t> is;
    // Edges exactly on pixel centres: left and top edges include them,
    // right and bottom edges do not.
    rig.AddQuad(vs, is, 1.5f, 2.5f, 4.5f, 5.5f, kWhite);
    rig.Draw(vs, is);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const bool inside = x >= 1 && x <= 3 && y >= 2 && y <= 4;
            EXPECT_EQ(rig.At(x, y) != 0, inside) << x << "," << y;
        }
    }
}

TEST(Rasterizer, CullingFollowsCounterClockwiseFrontFaces)
{
    for (CullMode cull : {CullMode::None, CullMode::Back, CullMode::Front}) {
        AdditiveRig rig(8, 8);
        auto state = rig.device.CreateRasterizerState({FillMode::Solid, cull, true});
        rig.device.SetRasterizerState(state.get());
        std::vector<Vertex2D> vs = {{rig.NdcX(0), rig.NdcY(0), 1, 1, 1, 1, 0, 0},
                                    {rig.NdcX(0), rig.NdcY(8), 1, 1, 1, 1, 0, 0},
                                    {rig.NdcX(8), rig.NdcY(0), 1, 1, 1, 1, 0, 0}};
        // (top-left, bottom-left, top-right) turns counter-clockwise on screen.
        rig.Draw(vs, {0, 1, 2});
        const bool frontDrawn = CountNonZero(rig) > 0;
        rig.Clear(0);
        rig.Draw(vs, {0, 2, 1});
        const bool backDrawn = CountNonZero(rig) > 0;
        EXPECT_EQ(frontDrawn, cull != CullMode::Front);
        EXPECT_EQ(backDrawn, cull != CullMode::Back);
    }
}

TEST(Rasterizer, WireframeDrawsOnlyEdges)
{
    AdditiveRig rig(32, 32);
    auto wire = rig.device.CreateRasterizerState({FillMode::Wireframe, CullMode::None, true});
    rig.device.SetRasterizerState(wire.get());
    std::vector<Vertex2D> vs = {{rig.NdcX(2), rig.NdcY(2), 1, 1, 1, 1, 0, 0},
                                {rig.NdcX(2), rig.NdcY(30), 1, 1, 1, 1, 0, 0},
                                {rig.NdcX(30), rig.NdcY(2), 1, 1, 1, 1, 0, 0}};
    rig.Draw(vs, {0, 1, 2});
    EXPECT_NE(rig.At(2, 10), 0u);
    EXPECT_EQ(rig.At(8, 8), 0u);
}

TEST(Rasterizer, DepthComparisonsAndWrites)
{
    struct Case {
        Comparison func;
        bool passesCloser, passesEqual, passesFarther;
    };
    const Case cases[] = {
        {Comparison::Never, false, false, false},  {Comparison::Less, true, false, false},
        {Comparison::Equal, false, true, false},   {Comparison::LessEqual, true, true, false},
        {Comparison::Greater, false, false, true}, {Comparison::NotEqual, true, false, true},
        {Comparison::GreaterEqual, false, true, true}, {Comparison::Always, true, true, true},
    };
    // A clip-space program so the test controls z.
    static const VertexProgram clip = {"test_vs_clip", SemanticBit(Semantic::Position) | SemanticBit(Semantic::Color), 4,
                                       [](const VertexInput& in, const ShaderConstants&, VertexOutput& out) {
                                           std::copy(in.position, in.position + 4, out.position);
                                           std::copy(in.color, in.color + 4, out.varyings);
                                       }};
    RegisterVertexProgram(clip);
    for (const Case& c : cases) {
        for (int which = 0; which < 3; ++which) {
            Rig rig(4, 4, "test_vs_clip", "ps_vc");
            static const InputElement layout[] = {{Semantic::Position, ElementFormat::Float4, 0},
                                                  {Semantic::Color, ElementFormat::Float4, 16}};
            std::string error;
            auto il = rig.device.CreateInputLayout(layout, *rig.vertexShader, error);
            ASSERT_TRUE(il) << error;
            rig.device.SetInputLayout(il.get());
            auto ds = rig.device.CreateDepthStencilState({true, true, c.func});
            rig.device.SetDepthStencilState(ds.get());
            rig.device.ClearDepth(0.5f);
            const float z = which == 0 ? 0.25f : (which == 1 ? 0.5f : 0.75f);
            const float v[] = {-1, 1, z, 1, 1, 1, 1, 1, -1, -3, z, 1, 1, 1, 1, 1, 3, 1, z, 1, 1, 1, 1, 1};
            auto vb = rig.device.CreateBuffer(BufferKind::Vertex, BufferUsage::Default, sizeof v, v);
            const std::uint16_t idx[] = {0, 1, 2};
            auto ib = rig.device.CreateBuffer(BufferKind::Index, BufferUsage::Default, sizeof idx, idx);
            rig.device.SetVertexBuffer(vb.get(), 32, 0);
            rig.device.SetIndexBuffer(ib.get(), IndexFormat::U16, 0);
            rig.device.DrawIndexed(3, 0, 0);
            const bool expected = which == 0 ? c.passesCloser : (which == 1 ? c.passesEqual : c.passesFarther);
            EXPECT_EQ(rig.At(1, 1) != 0, expected) << static_cast<int>(c.func) << " z=" << z;
            EXPECT_FLOAT_EQ(rig.depth->At(1, 1), expected ? z : 0.5f);
        }
    }
}

TEST(Rasterizer, StencilMasksDrawsByTheStoredValues)
{
    Rig rig(16, 8, "vs_vp2_vc_vt", "ps_vc");
    const float red[4] = {1, 0, 0, 1};
    const float blue[4] = {0, 0, 1, 1};
    auto quad = [&](float x0, float x1, const float rgba[4]) {
        std::vector<Vertex2D> vs;
        std::vector<std::uint32_t> is;
        rig.AddQuad(vs, is, x0, 0, x1, 8, rgba);
        return std::pair(vs, is);
    };
    auto draw = [&](const DepthStencilDesc& desc, std::uint8_t reference, float x0, float x1, const float rgba[4],
                    bool backFacing = false) {
        auto state = rig.device.CreateDepthStencilState(desc);
        ASSERT_TRUE(state);
        rig.device.SetDepthStencilState(state.get(), reference);
        auto [vs, is] = quad(x0, x1, rgba);
        if (backFacing) {
            for (std::size_t i = 0; i < is.size(); i += 3) std::swap(is[i + 1], is[i + 2]);
        }
        rig.Draw(vs, is);
    };
    rig.Clear(0xFF000000u);
    rig.device.ClearStencil(0);

    // Marks the left half: only the low four bits of the reference are written.
    DepthStencilDesc mark{false, false, Comparison::Always, true, 0xFF, 0x0F};
    mark.frontFace = {StencilOp::Keep, StencilOp::Keep, StencilOp::Replace, Comparison::Always};
    draw(mark, 0x35, 0, 8, red);
    EXPECT_EQ(rig.depth->StencilAt(3, 3), 0x05);
    EXPECT_EQ(rig.depth->StencilAt(12, 3), 0x00);

    // Draws where the low four bits equal the reference's, counting the
    // passing pixels up; the high bits of the reference are read away.
    DepthStencilDesc test{false, false, Comparison::Always, true, 0x0F, 0xFF};
    test.frontFace = {StencilOp::Keep, StencilOp::Keep, StencilOp::IncrementSaturate, Comparison::Equal};
    test.backFace = {StencilOp::Invert, StencilOp::Keep, StencilOp::Keep, Comparison::Never};
    draw(test, 0xA5, 0, 16, blue);
    EXPECT_EQ(rig.At(3, 3), 0xFF0000FFu);
    EXPECT_EQ(rig.At(7, 7), 0xFF0000FFu);
    EXPECT_EQ(rig.At(8, 0), 0xFF000000u);
    EXPECT_EQ(rig.At(15, 7), 0xFF000000u);
    EXPECT_EQ(rig.depth->StencilAt(3, 3), 0x06);
    EXPECT_EQ(rig.depth->StencilAt(12, 3), 0x00);

    // The same quad wound the other way is tested by the back face, which
    // never passes and inverts what fails.
    rig.Clear(0xFF000000u);
    draw(test, 0xA6, 0, 16, red, true);
    EXPECT_EQ(rig.At(3, 3), 0xFF000000u);
    EXPECT_EQ(rig.depth->StencilAt(3, 3), 0xF9);

    // A depth test that fails takes the depth-fail operation.
    rig.device.ClearDepth(0.0f);
    DepthStencilDesc hidden{true, false, Comparison::Less, true, 0xFF, 0xFF};
    hidden.frontFace = {StencilOp::Keep, StencilOp::Zero, StencilOp::Replace, Comparison::Always};
    draw(hidden, 0x40, 0, 16, red);
    EXPECT_EQ(rig.At(12, 3), 0xFF000000u);
    EXPECT_EQ(rig.depth->StencilAt(12, 3), 0x00);
    EXPECT_EQ(rig.depth->StencilAt(3, 3), 0x00);

    // A clear sets every value again; without a depth-stencil buffer the
    // test is off and everything is drawn.
    rig.device.ClearStencil(0x05);
    EXPECT_EQ(rig.depth->StencilAt(12, 3), 0x05);
    rig.device.SetRenderTarget(rig.target.get(), nullptr);
    draw(test, 0xFF, 0, 16, blue);
    EXPECT_EQ(rig.At(12, 3), 0xFF0000FFu);
}

TEST(Rasterizer, PerspectiveCorrectVaryings)
{
    // One triangle with w = 1 at the left and w = 3 at the right: halfway
    // across the screen the colour is not halfway between its ends.
    static const VertexProgram clip = {"test_vs_clip2", SemanticBit(Semantic::Position) | SemanticBit(Semantic::Color), 4,
                                       [](const VertexInput& in, const ShaderConstants&, VertexOutput& out) {
                                           std::copy(in.position, in.position + 4, out.position);
                                           std::copy(in.color, in.color + 4, out.varyings);
                                       }};
    RegisterVertexProgram(clip);
    Rig rig(64, 4, "test_vs_clip2", "ps_vc");
    static const InputElement layout[] = {{Semantic::Position, ElementFormat::Float4, 0},
                                          {Semantic::Color, ElementFormat::Float4, 16}};
    std::string error;
    auto il = rig.device.CreateInputLayout(layout, *rig.vertexShader, error);
    rig.device.SetInputLayout(il.get());
    // Left edge x = -1 (w 1), right edge x = 3 / 3 = 1 (w 3); red goes 0 -> 1.
    const float v[] = {-1, 3, 0, 1, 0, 0, 0, 1, -1, -3, 0, 1, 0, 0, 0, 1, 3, 0, 0, 3, 1, 0, 0, 1};
    auto vb = rig.device.CreateBuffer(BufferKind::Vertex, BufferUsage::Default, sizeof v, v);
    const std::uint32_t idx[] = {0, 1, 2};
    auto ib = rig.device.CreateBuffer(BufferKind::Index, BufferUsage::Default, sizeof idx, idx);
    rig.device.SetVertexBuffer(vb.get(), 32, 0);
    rig.device.SetIndexBuffer(ib.get(), IndexFormat::U32, 0);
    rig.device.DrawIndexed(3, 0, 0);
    // At screen x = 32.5 the NDC is 0.015625: with w linear in 1/w the
    // varying is t / w_t over 1 / w_t, where t runs 0..1 linearly in 1/w space.
    const double ndc = 32.5 / 32.0 - 1.0;
    const double s = (ndc + 1.0) / 2.0;  // screen fraction
    const double expected = (s / 3.0) / ((1.0 - s) / 1.0 + s / 3.0);
    EXPECT_NEAR(ChannelR(rig.At(32, 2)) / 255.0, expected, 1.5 / 255.0);
    EXPECT_GT(std::fabs(expected - s), 0.1);
}

TEST(Rasterizer, GeometryFarOutsideIsClippedNotLost)
{
    // A triangle with corners a million units away still fills the target.
    AdditiveRig rig(16, 16);
    std::vector<Vertex2D> vs = {{-1e6f, 1e6f, 1, 1, 1, 1, 0, 0}, {-1e6f, -3e6f, 1, 1, 1, 1, 0, 0}, {3e6f, 1e6f, 1, 1, 1, 1, 0, 0}};
    rig.Draw(vs, {0, 1, 2});
    EXPECT_EQ(CountNonZero(rig), 16 * 16);
}

TEST(Rasterizer, IndicesOutsideTheBuffersDrawNothingAndDoNotCrash)
{
    AdditiveRig rig(8, 8);
    std::vector<Vertex2D> vs = {{-1, 1, 1, 1, 1, 1, 0, 0}, {-1, -1, 1, 1, 1, 1, 0, 0}, {1, 1, 1, 1, 1, 1, 0, 0}};
    rig.Draw(vs, {0, 1, 7});
    EXPECT_EQ(CountNonZero(rig), 0);
    rig.Draw(vs, {0, 1, 2});
    rig.device.DrawIndexed(30, 1, 0);  // runs past the index buffer
    rig.device.DrawIndexed(3, 0, -5);  // negative base vertex
    EXPECT_GT(CountNonZero(rig), 0);
}

TEST(Rasterizer, SamePixelsEveryRun)
{
    auto render = [] {
        AdditiveRig rig(32, 32);
        std::mt19937 random(7);
        std::uniform_real_distribution<float> pos(-1.2f, 1.2f);
        std::vector<Vertex2D> vs;
        std::vector<std::uint32_t> is;
        for (int i = 0; i < 60; ++i) {
            vs.push_back({pos(random), pos(random), 0.05f, 0.1f, 0.02f, 0.1f, 0, 0});
            is.push_back(i);
        }
        rig.Draw(vs, is);
        return std::vector<std::uint32_t>(rig.target->Pixels(), rig.target->Pixels() + 32 * 32);
    };
    EXPECT_EQ(render(), render());
}

}  // namespace
