// Clears refill only what draws wrote; every read and draw still sees exact values.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "platform/graphics/pixel_math.h"
#include "tests/platform/graphics/gfx_test_rig.h"

namespace {

using namespace gfx_test;

// Position in clip space (so that the test sets z) and colour.
struct ClipVertex4 {
    float x, y, z, w;
    float r, g, b, a;
};

// Registers the program once and gives its name.
std::string ClipSpaceProgram()
{
    static const bool registered = [] {
        RegisterVertexProgram({"clear_test_vs_clip", SemanticBit(Semantic::Position) | SemanticBit(Semantic::Color), 4,
                               [](const VertexInput& in, const ShaderConstants&, VertexOutput& out) {
                                   std::copy(in.position, in.position + 4, out.position);
                                   std::copy(in.color, in.color + 4, out.varyings);
                               }});
        return true;
    }();
    return registered ? "clear_test_vs_clip" : "";
}

// A 64 x 32 target with depth and stencil, drawing flat quads at a depth.
struct ClearRig : Rig {
    std::unique_ptr<InputLayout> clipLayout;
    std::unique_ptr<BlendState> alpha;

    ClearRig() : Rig(64, 32, ClipSpaceProgram(), "ps_vc")
    {
        static const InputElement layout[] = {{Semantic::Position, ElementFormat::Float4, 0},
                                              {Semantic::Color, ElementFormat::Float4, 16}};
        std::string error;
        clipLayout = device.CreateInputLayout(layout, *vertexShader, error);
        device.SetInputLayout(clipLayout.get());
        alpha = device.CreateBlendState(kAlphaBlendMode);
    }

    // Pixels x0..x1 (exclusive), all rows, at depth z.
    void Quad(float x0, float x1, float z, const float rgba[4], const DepthStencilDesc& desc, std::uint8_t reference,
              bool blend)
    {
        auto state = device.CreateDepthStencilState(desc);
        device.SetDepthStencilState(state.get(), reference);
        device.SetBlendState(blend ? alpha.get() : nullptr);
        const float l = NdcX(x0), r = NdcX(x1);
        const ClipVertex4 v[] = {{l, 1, z, 1, rgba[0], rgba[1], rgba[2], rgba[3]},
                                 {l, -1, z, 1, rgba[0], rgba[1], rgba[2], rgba[3]},
                                 {r, 1, z, 1, rgba[0], rgba[1], rgba[2], rgba[3]},
                                 {r, -1, z, 1, rgba[0], rgba[1], rgba[2], rgba[3]}};
        const std::uint16_t idx[] = {0, 1, 2, 1, 3, 2};
        vertices = device.CreateBuffer(BufferKind::Vertex, BufferUsage::Default, sizeof v, v);
        indices = device.CreateBuffer(BufferKind::Index, BufferUsage::Default, sizeof idx, idx);
        device.SetVertexBuffer(vertices.get(), sizeof(ClipVertex4), 0);
        device.SetIndexBuffer(indices.get(), IndexFormat::U16, 0);
        device.DrawIndexed(6, 0, 0);
    }

    void ClearAll(const float rgba[4], float z, std::uint8_t stencil)
    {
        device.ClearRenderTarget(rgba);
        device.ClearDepth(z);
        device.ClearStencil(stencil);
    }

    // True when every pixel of the three planes holds the given values.
    ::testing::AssertionResult Holds(std::uint32_t color, float z, std::uint8_t stencil) const
    {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const std::uint32_t stored = std::as_const(*target).Pixels()[y * width + x];
                if (stored != color || At(x, y) != color || depth->At(x, y) != z || depth->StencilAt(x, y) != stencil) {
                    return ::testing::AssertionFailure() << "pixel " << x << "," << y << " holds " << std::hex << stored
                                                         << " " << depth->At(x, y) << " "
                                                         << int(depth->StencilAt(x, y));
                }
            }
        }
        return ::testing::AssertionSuccess();
    }
};

TEST(Clears, EveryReadAndDrawSeesTheLastClearWhateverWasDrawnBefore)
{
    ClearRig rig;
    const float grey[4] = {0.25f, 0.5f, 0.75f, 1.0f};
    const std::uint32_t greyWord = PackColor(ToByte(0.25f), ToByte(0.5f), ToByte(0.75f), 255);

    // Buffers never drawn read as their clear, through every accessor.
    rig.ClearAll(grey, 0.25f, 7);
    EXPECT_TRUE(rig.Holds(greyWord, 0.25f, 7));

    // A draw that writes colour, depth and stencil on the left; then the same
    // clear again takes all of it back.
    DepthStencilDesc write{true, true, Comparison::Less, true, 0xFF, 0xFF};
    write.frontFace = write.backFace = {StencilOp::Keep, StencilOp::Keep, StencilOp::Replace, Comparison::Always};
    const float red[4] = {1, 0, 0, 1};
    rig.Quad(0, 16, 0.1f, red, write, 9, false);
    EXPECT_EQ(rig.At(3, 3), 0xFFFF0000u);
    EXPECT_FLOAT_EQ(rig.depth->At(3, 3), 0.1f);
    EXPECT_EQ(rig.depth->StencilAt(3, 3), 9);
    rig.ClearAll(grey, 0.25f, 7);
    EXPECT_TRUE(rig.Holds(greyWord, 0.25f, 7));

    // A translucent draw over old and fresh ground blends with the clear
    // colour, passes the depth test against the cleared depth and the stencil
    // test against the cleared stencil everywhere alike.
    DepthStencilDesc test{true, true, Comparison::Less, true, 0xFF, 0xFF};
    test.frontFace = test.backFace = {StencilOp::Keep, StencilOp::Keep, StencilOp::Keep, Comparison::Equal};
    const float halfBlue[4] = {0, 0, 1, 0.5f};
    rig.Quad(8, 40, 0.2f, halfBlue, test, 7, true);
    const std::uint32_t blended = rig.At(20, 5);
    EXPECT_NE(blended, greyWord);
    for (int y = 0; y < rig.height; ++y) {
        for (int x = 0; x < rig.width; ++x) {
            const bool covered = x >= 8 && x < 40;
            ASSERT_EQ(rig.At(x, y), covered ? blended : greyWord) << x << "," << y;
            ASSERT_EQ(rig.depth->At(x, y), covered ? 0.2f : 0.25f) << x << "," << y;
        }
    }

    // A clear to other values changes every pixel, drawn or not.
    const float black[4] = {0, 0, 0, 1};
    rig.ClearAll(black, 1.0f, 0);
    EXPECT_TRUE(rig.Holds(0xFF000000u, 1.0f, 0));

    // Whoever writes through the plain pixel pointer may write anywhere: the
    // next clear still takes it back.
    rig.target->Pixels()[31 * 64 + 63] = 0xFFFFFFFFu;
    rig.depth->Data()[0] = 0.5f;
    rig.depth->StencilData()[31 * 64] = 3;
    rig.ClearAll(black, 1.0f, 0);
    EXPECT_TRUE(rig.Holds(0xFF000000u, 1.0f, 0));
}

}  // namespace
