// The shader set: pairs by name and key, fallbacks, constant slots and damaged files.
#include <cstring>

#include "tests/support/graphics_fixture.h"
#include "tests/support/log_capture.h"

namespace {

using namespace vesk::graphics;
using vesk::resource::ShaderPairKey;
using vesk::resource::SYSWIN_CShader;
using support::GraphicsFixture;

using ShaderSet = GraphicsFixture;

TEST_F(ShaderSet, NameAndKeyFindTheSamePair)
{
    SYSWIN_CShader* byName = GetShaderByName("vs_vp2_vc__ps_vc");
    ASSERT_NE(byName, nullptr);
    const ShaderPairKey key{{{0x1001, 0, 0, 0}}, {{0x1, 0, 0, 0}}};
    EXPECT_EQ(GetShaderByKey(key), byName);
    EXPECT_EQ(byName->GetName(), "vs_vp2_vc__ps_vc");
    EXPECT_EQ(byName->VertexStride(), 24u);
    EXPECT_TRUE(byName->IsUsable());
}

TEST_F(ShaderSet, MissingPartsFallBackToTheDefaultPair)
{
    EXPECT_EQ(GetShaderByName("whatever")->GetName(), "vs_vp3_vc_vt__ps_vc_tc");
    EXPECT_EQ(GetShaderByName("vs_unknown__ps_vc")->GetName(), "vs_vp3_vc_vt__ps_vc");
    EXPECT_EQ(GetShaderByKey({{{0x9999, 0, 0, 0}}, {{0x1, 0, 0, 0}}}), nullptr);
}

TEST_F(ShaderSet, ConstantsAreStoredTransposedOrAsGiven)
{
    SYSWIN_CShader* shader = GetShaderByName("vs_vp3_vc_vt__ps_vc_tc");
    float m[16];
    for (int i = 0; i < 16; ++i) m[i] = static_cast<float>(i);
    ASSERT_TRUE(shader->SetVertexConstant(1, m, 16));
    float stored[16];
    std::memcpy(stored, shader->VertexConstants() + 64, sizeof stored);
    EXPECT_EQ(stored[1], 4.0f);  // element (0, 1) of the stored matrix is (1, 0) of the given one
    EXPECT_EQ(stored[4], 1.0f);
    const float v[4] = {1, 2, 3, 4};
    ASSERT_TRUE(shader->SetVertexConstant(6, v, 4));
    std::memcpy(stored, shader->VertexConstants() + 384, 16);
    EXPECT_EQ(stored[0], 1.0f);
    EXPECT_EQ(stored[3], 4.0f);
    EXPECT_FALSE(shader->SetVertexMatrix(16, m));
    float lights[12];
    std::memcpy(lights, shader->PixelConstants() + 64, sizeof lights);
    EXPECT_EQ(lights[11], 1.0f);  // slots 4 and 6 start white
}

TEST_F(ShaderSet, WritesLargerThanTheirSlotAreRefused)
{
    // A matrix into a 16-byte slot would run into the next slots, and at
    // slot 15 past the end of the block.
    SYSWIN_CShader* shader = GetShaderByName("vs_vp3_vc_vt__ps_vc_tc");
    float m[16] = {};
    m[0] = 7.0f;
    EXPECT_FALSE(shader->SetVertexMatrix(15, m));
    EXPECT_FALSE(shader->SetVertexConstant(6, m, 16));
    EXPECT_FALSE(shader->SetPixelConstant(8, m, 8));
    EXPECT_TRUE(shader->SetPixelConstant(4, m, 12));
    float next[4];
    std::memcpy(next, shader->VertexConstants() + 400, sizeof next);
    EXPECT_EQ(next[0], 0.0f);
}

TEST_F(ShaderSet, MoreBonesThanThePaletteHoldsAreCut)
{
    SYSWIN_CShader* shader = GetShaderByName("vs_vp3_vc_vn_vt_vb4__ps_vc_vn_tc");
    std::vector<float> bones(300 * 16, 1.0f);
    shader->SetBones(bones.data(), 300);  // the palette holds 256; nothing is written past it
    SUCCEED();
}

TEST_F(ShaderSet, CommitSendsOnlyDirtyBlocks)
{
    SYSWIN_CShader* shader = GetShaderByName("vs_vp3_vc_vt__ps_vc_tc");
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    shader->SetVertexMatrix(0, m);
    shader->Commit();
    shader->ClearVertexDirty();
    shader->Commit();
    SUCCEED();
}

TEST_F(ShaderSet, MissingOrDamagedFilesFailClearly)
{
    RemoveShader("ps_vc_ruc");
    WriteRaw("ps_zero", {'V', 'C', 'F', 'X', 9, 0});
    support::LogCapture log;
    SYSWIN_CShader* missing = GetShaderByName("vs_vp2_vc__ps_vc_ruc");
    ASSERT_NE(missing, nullptr);
    EXPECT_FALSE(missing->IsUsable());
    EXPECT_TRUE(log.Contains("shader/ps_vc_ruc.cfx"));
    SYSWIN_CShader* damaged = GetShaderByName("vs_vp2_vc__ps_zero");
    EXPECT_FALSE(damaged->IsUsable());
    EXPECT_TRUE(log.Contains("ps_zero"));
    // A pair that cannot draw binds no programs, so draws skip.
    missing->Apply(4);
}

}  // namespace
