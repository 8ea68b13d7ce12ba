// Render-state keys decoded, and states bound once per key with the frame's defaults.
#include "tests/support/graphics_fixture.h"

namespace {

using namespace vesk::graphics;
using namespace platform::gfx;
using support::GraphicsFixture;

TEST(RenderStateKeys, DecodeAsTheBitsSay)
{
    RasterizerDesc raster;
    ASSERT_TRUE(RasterizerDescFromKey(3, raster));
    EXPECT_EQ(raster.fill, FillMode::Wireframe);
    EXPECT_EQ(raster.cull, CullMode::Back);
    EXPECT_TRUE(raster.frontCounterClockwise);
    EXPECT_FALSE(RasterizerDescFromKey(6, raster));  // cull value 3 is no mode

    DepthStencilDesc depth;
    ASSERT_TRUE(DepthStencilDescFromKey(0, depth));
    EXPECT_FALSE(depth.depthEnable);
    EXPECT_FALSE(depth.depthWrite);
    ASSERT_TRUE(DepthStencilDescFromKey(31, depth));
    EXPECT_TRUE(depth.depthEnable && depth.depthWrite);
    EXPECT_EQ(depth.depthFunc, Comparison::Always);
    ASSERT_TRUE(DepthStencilDescFromKey(10, depth));
    EXPECT_TRUE(depth.depthEnable);
    EXPECT_FALSE(depth.depthWrite);
    EXPECT_EQ(depth.depthFunc, Comparison::Equal);
    ASSERT_TRUE(DepthStencilDescFromKey(28, depth));
    EXPECT_FALSE(depth.depthEnable);
    EXPECT_FALSE(DepthStencilDescFromKey(8 << 2, depth));
    ASSERT_TRUE(DepthStencilDescFromKey(0x0C35A087, depth));
    EXPECT_TRUE(depth.stencilEnable && depth.depthEnable && depth.depthWrite);
    EXPECT_EQ(depth.stencilReadMask, 0x5A);
    EXPECT_EQ(depth.stencilWriteMask, 0xC3);
    for (const StencilFaceDesc& face : {depth.frontFace, depth.backFace}) {
        EXPECT_EQ(face.func, Comparison::Never);
        EXPECT_EQ(face.failOp, StencilOp::Keep);
        EXPECT_EQ(face.depthFailOp, StencilOp::Keep);
        EXPECT_EQ(face.passOp, StencilOp::Keep);
    }

    SamplerDesc sampler;
    ASSERT_TRUE(SamplerDescFromKey(0x21201, sampler));
    EXPECT_EQ(sampler.filter, Filter::Linear);
    EXPECT_EQ(sampler.addressU, AddressMode::Clamp);
    EXPECT_EQ(sampler.addressV, AddressMode::Mirror);
    EXPECT_EQ(sampler.addressW, AddressMode::Clamp);
    EXPECT_FALSE(SamplerDescFromKey(2, sampler));
}

using RenderStates = GraphicsFixture;

TEST_F(RenderStates, StartWithTheFrameDefaults)
{
    EXPECT_EQ(GetRasterizerKey(), 2u);
    EXPECT_EQ(GetDepthStencilKey(), 7u);
    EXPECT_EQ(GetSamplerKey(), 0u);
}

TEST_F(RenderStates, SameKeyBindsOnceUnlessForcedAndCreatesOneObject)
{
    record->device.ResetStats();
    SetRasterizerState(3);
    SetRasterizerState(3);
    EXPECT_EQ(record->device.GetStats().rasterizerBinds, 1u);
    SetRasterizerState(3, true);
    EXPECT_EQ(record->device.GetStats().rasterizerBinds, 2u);
    EXPECT_EQ(record->device.GetStats().stateObjectsCreated, 1u);
    const int cached = CachedRasterizerStates();
    SetRasterizerState(2);
    SetRasterizerState(3);
    EXPECT_EQ(CachedRasterizerStates(), cached);

    record->device.ResetStats();
    SetSamplerState(0x101);
    SetSamplerState(0x101);
    SetDepthStencilState(31);
    SetDepthStencilState(31);
    EXPECT_EQ(record->device.GetStats().samplerBinds, 1u);
    EXPECT_EQ(record->device.GetStats().depthStencilBinds, 1u);
}

TEST_F(RenderStates, KeysWithoutAStateLeaveEverythingAsItWas)
{
    SetDepthStencilState(10);
    record->device.ResetStats();
    const int cached = CachedDepthStencilStates();
    SetDepthStencilState(0x23);  // comparison value 8
    SetRasterizerState(6);        // cull value 3
    EXPECT_EQ(GetDepthStencilKey(), 10u);
    EXPECT_EQ(GetRasterizerKey(), 2u);
    EXPECT_EQ(CachedDepthStencilStates(), cached);
    EXPECT_EQ(record->device.GetStats().depthStencilBinds, 0u);
    EXPECT_EQ(record->device.GetStats().rasterizerBinds, 0u);
}

TEST_F(RenderStates, BlendModesBindEveryTimeAndFiveKeepsTheState)
{
    record->device.ResetStats();
    ApplyBlendMode(4);
    ApplyBlendMode(4);
    ApplyBlendMode(5);
    ApplyBlendMode(-1);
    EXPECT_EQ(record->device.GetStats().blendBinds, 2u);
}

}  // namespace
