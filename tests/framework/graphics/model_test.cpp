// Models without a device: hierarchy, loading, pose, playback, cross-fades, instances and attachments.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/device_model.h"
#include "framework/graphics/model_math.h"
#include "tests/support/log_capture.h"
#include "tools/common/model_writer.h"

namespace {

using support::LogCapture;
using vesk::math::Vec3;
using vesk::resource::ModelAnimation;
using vesk::resource::ModelLoader;
using vesk::resource::SYSWIN_CModel;

// Models here have no device: their buffers are simply not made.
std::unique_ptr<SYSWIN_CModel> LoadModel(const tools::ModelSource& source, const ModelLoader& loader = {})
{
    const std::vector<std::uint8_t> bytes = tools::MakeModelImage(source);
    auto model = std::make_unique<SYSWIN_CModel>();
    EXPECT_TRUE(model->Load(loader, bytes.data(), bytes.size()));
    return model;
}

tools::ModelSource NodesWithParents(const std::vector<int>& parents)
{
    tools::ModelSource source;
    source.name = "nodes";
    for (std::size_t i = 0; i < parents.size(); ++i) {
        source.nodes.push_back({std::string(1, 'n').append(std::to_string(i)), {0, 0, 0, 1}, {0, 0, 0}, parents[i]});
    }
    return source;
}

// An animation whose node 0 moves along x from x0 at frame 0 to x1 at the last frame.
struct TestAnimation {
    ModelAnimation animation;

    TestAnimation(std::size_t nodes, std::uint16_t frames, float x0, float x1)
    {
        tools::AnimationSource source;
        source.nodeFrameCount = frames;
        for (std::size_t i = 0; i < nodes; ++i) source.nodes.push_back(tools::RestNode());
        if (nodes > 0) {
            source.nodes[0].translation = {{0, {x0, 0, 0}}, {frames > 0 ? frames - 1u : 0u, {x1, 0, 0}}};
        }
        const tools::AnimationBytes bytes = tools::MakeModelAnimation(source);
        EXPECT_TRUE(animation.Parse(bytes.header, bytes.data, nodes, "test.anm"));
    }
};

float WorldX(const SYSWIN_CModel& model, std::size_t node)
{
    return model.WorldMatrices()[node](3, 0);
}

TEST(ModelHierarchy, OneRootWithTwoChildren)
{
    auto model = LoadModel(NodesWithParents({-1, 0, 0}));
    ASSERT_EQ(model->NodeCount(), 3u);
    EXPECT_EQ(model->MainRoot(), 0);
    EXPECT_EQ(model->Node(0).childCount, 2);
    EXPECT_EQ(model->Node(0).children[0], 1);
    EXPECT_EQ(model->Node(0).children[1], 2);
    EXPECT_EQ(model->Node(1).childCount, 0);
    EXPECT_EQ(model->Node(2).parent, 0);
}

TEST(ModelHierarchy, MainRootIsTheDeepestFirst)
{
    // Root 0 with a chain of two below it, root 3 alone.
    EXPECT_EQ(LoadModel(NodesWithParents({-1, 0, 1, -1}))->MainRoot(), 0);
    // Root 0 alone, root 1 with a child: the later, deeper root.
    EXPECT_EQ(LoadModel(NodesWithParents({-1, -1, 1}))->MainRoot(), 1);
    // Equal depth: the first.
    EXPECT_EQ(LoadModel(NodesWithParents({-1, -1, 0, 1}))->MainRoot(), 0);
}

TEST(ModelHierarchy, BindInverseUndoesTheBindPose)
{
    tools::ModelSource source = NodesWithParents({-1});
    const float h = std::sqrt(0.5f);
    source.nodes[0] = {"bone", {0, h, 0, h}, {4, 5, 6}, -1};
    auto model = LoadModel(source);
    const auto bind = vesk::resource::MatrixFromRotationTranslation({0, h, 0, h}, {4, 5, 6});
    const auto product = vesk::math::MultiplyMatrix(bind, model->BindInverseMatrices()[0]);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(product.m[i], vesk::math::GetIdentityMatrix().m[i], 1e-5f) << i;
    // No animation: every skinning matrix is the identity.
    model->Update();
    EXPECT_EQ(model->SkinningMatrices()[0], vesk::math::GetIdentityMatrix());
}

TEST(ModelLoad, LooksUpTheTexturesItsFlagsAskFor)
{
    tools::ModelSource source = NodesWithParents({-1});
    source.meshes.push_back({"a", {0, 1, 2}, 12, "wood", 0, 3});
    source.meshes.push_back({"b", {0, 1, 2}, 28, "iron", 2, 4});
    std::vector<std::string> asked;
    ModelLoader loader;
    loader.findTexture = [&asked](std::string_view name) -> vesk::resource::SYS_CTexture* {
        asked.emplace_back(name);
        return nullptr;
    };
    auto model = LoadModel(source, loader);
    EXPECT_EQ(asked, (std::vector<std::string>{"wood", "wood_nrm", "iron_spc"}));
    EXPECT_EQ(model->VertexStride(), 28u);  // the last mesh's
    EXPECT_EQ(model->Meshes()[1].blendMode, 2);
    EXPECT_EQ(model->Meshes()[0].textures[0], nullptr);
}

TEST(ModelLoad, RefusedImageLeavesAnEmptyModel)
{
    std::vector<std::uint8_t> bytes = tools::MakeModelImage(NodesWithParents({-1, 0}));
    bytes[20] = 50;  // node count past the image
    SYSWIN_CModel model;
    LogCapture capture;
    EXPECT_FALSE(model.Load({}, bytes.data(), bytes.size()));
    EXPECT_FALSE(model.Load({}, nullptr, 0));
    EXPECT_EQ(model.NodeCount(), 0u);
    EXPECT_TRUE(capture.Contains("node table"));
    model.Update();  // nothing to do, nothing breaks
}

TEST(ModelPose, ScaleThenTranslate)
{
    auto model = LoadModel(NodesWithParents({-1}));
    tools::AnimationSource source;
    source.nodeFrameCount = 1;
    tools::AnimationNodeSource node = tools::RestNode();
    node.scale = {{0, {2, 2, 2}}};
    node.translation = {{0, {1, 0, 0}}};
    source.nodes.push_back(node);
    const tools::AnimationBytes bytes = tools::MakeModelAnimation(source);
    ModelAnimation animation;
    ASSERT_TRUE(animation.Parse(bytes.header, bytes.data, 1, "scale.anm"));
    ASSERT_TRUE(model->PlayAnimation(&animation, 0, false, 0, 0.0f));
    model->Update();
    const Vec3 p = vesk::resource::TransformPoint({1, 0, 0}, model->WorldMatrices()[0]);
    EXPECT_EQ(p.x, 3.0f);
    EXPECT_EQ(p.y, 0.0f);
    EXPECT_EQ(p.z, 0.0f);
}

TEST(ModelPose, ChildrenFollowTheirParents)
{
    tools::ModelSource source = NodesWithParents({-1, 0});
    source.nodes[1].translation[0] = 2;  // bind pose of the child
    auto model = LoadModel(source);
    tools::AnimationSource anim;
    anim.nodeFrameCount = 1;
    anim.nodes = {tools::RestNode(), tools::RestNode()};
    anim.nodes[0].translation = {{0, {10, 0, 0}}};
    anim.nodes[1].translation = {{0, {2, 0, 0}}};
    const tools::AnimationBytes bytes = tools::MakeModelAnimation(anim);
    ModelAnimation animation;
    ASSERT_TRUE(animation.Parse(bytes.header, bytes.data, 2, "child.anm"));
    model->PlayAnimation(&animation, 0, true, 0, 0.0f);
    model->Update();
    EXPECT_EQ(WorldX(*model, 1), 12.0f);
    // Skinning: bind inverse (move -2) then world (move 12).
    EXPECT_EQ(model->SkinningMatrices()[1](3, 0), 10.0f);
}

TEST(ModelPose, LongChainsEvaluateWithoutRecursion)
{
    std::vector<int> parents;
    for (int i = 0; i < 20000; ++i) parents.push_back(i - 1);
    auto model = LoadModel(NodesWithParents(parents));
    TestAnimation moving(20000, 2, 1.0f, 1.0f);
    model->PlayAnimation(&moving.animation, 0, true, 0, 0.0f);
    model->Update();
    EXPECT_EQ(WorldX(*model, 19999), 1.0f);  // only node 0 moves; the rest follow
}

TEST(ModelPlayback, FramesAdvanceLoopAndFinish)
{
    auto model = LoadModel(NodesWithParents({-1}));
    TestAnimation anim(1, 10, 0, 9);
    EXPECT_TRUE(model->IsAnimationFinished());
    model->PlayAnimation(&anim.animation, 0, true, 0, 0.0f);
    for (int i = 0; i < 15; ++i) model->Update();
    EXPECT_EQ(model->GetFrame(), 5);
    EXPECT_FALSE(model->IsAnimationFinished());

    model->PlayAnimation(&anim.animation, 3, false, 0, 0.0f);
    model->SetPlaybackSpeed(2.5f);
    model->Update();
    EXPECT_EQ(model->GetFrame(), 5);  // 5.5
    for (int i = 0; i < 10; ++i) model->Update();
    EXPECT_EQ(model->GetFrame(), 10);
    EXPECT_TRUE(model->IsAnimationFinished());
    EXPECT_EQ(WorldX(*model, 0), 8.0f);  // frames 3, 5, 8 were shown; the pose at 8 stays
}

TEST(ModelPlayback, SetFrameHoldsAtTheFrameCount)
{
    auto model = LoadModel(NodesWithParents({-1}));
    TestAnimation anim(1, 10, 0, 9);
    model->SetFrame(4);  // no animation: nothing happens
    EXPECT_EQ(model->GetFrame(), 0);
    model->PlayAnimation(&anim.animation, 0, true, 0, 0.0f);
    model->SetFrame(4);
    EXPECT_EQ(model->GetFrame(), 4);
    model->SetFrame(25);
    EXPECT_EQ(model->GetFrame(), 10);
    EXPECT_FALSE(model->IsAnimationFinished());  // looping
    model->PlayAnimation(&anim.animation, 0, false, 0, 0.0f);
    model->SetFrame(10);
    EXPECT_TRUE(model->IsAnimationFinished());
}

TEST(ModelPlayback, NoFramesNeverDividesByZero)
{
    auto model = LoadModel(NodesWithParents({-1}));
    TestAnimation empty(1, 0, 0, 0);
    for (bool loop : {true, false}) {
        model->PlayAnimation(&empty.animation, 0, loop, 4, 1.0f);
        model->SetPlaybackSpeed(1.5f);
        for (int i = 0; i < 3; ++i) model->Update();
        EXPECT_EQ(model->GetFrame(), 0) << loop;
        model->SetFrame(7);
        EXPECT_EQ(model->GetFrame(), 0) << loop;
        EXPECT_EQ(model->IsAnimationFinished(), !loop);
    }
}

TEST(ModelPlayback, UpdateIntervalEvaluatesOnMultiplesOnly)
{
    auto model = LoadModel(NodesWithParents({-1}));
    TestAnimation anim(1, 11, 0, 10);
    model->PlayAnimation(&anim.animation, 0, false, 0, 0.0f);
    model->SetUpdateInterval(3);
    std::vector<float> seen;
    for (int i = 0; i < 7; ++i) {
        model->Update();
        seen.push_back(WorldX(*model, 0));
    }
    EXPECT_EQ(seen, (std::vector<float>{0, 0, 0, 3, 3, 3, 6}));
}

TEST(ModelPlayback, RefusesAnAnimationForFewerNodes)
{
    auto model = LoadModel(NodesWithParents({-1, 0}));
    TestAnimation small(1, 5, 0, 4);
    LogCapture capture;
    EXPECT_FALSE(model->PlayAnimation(&small.animation, 0, true, 0, 0.0f));
    EXPECT_EQ(model->GetAnimation(), nullptr);
    EXPECT_TRUE(capture.Contains("cannot play"));
}

TEST(ModelCrossFade, HandsOverToTheNewPoseOverTheFadeLength)
{
    auto model = LoadModel(NodesWithParents({-1}));
    TestAnimation standing(1, 100, 100, 100);
    TestAnimation walking(1, 100, 0, 0);
    model->PlayAnimation(&standing.animation, 0, true, 0, 0.0f);
    for (int i = 0; i < 7; ++i) model->Update();
    ASSERT_EQ(model->GetFrame(), 7);

    model->PlayAnimation(&walking.animation, 0, true, 10, 1.0f);
    EXPECT_EQ(model->AnimationState().previousFrame, 7u);
    std::vector<float> xs;
    for (int i = 0; i < 12; ++i) {
        model->Update();
        xs.push_back(WorldX(*model, 0));
    }
    EXPECT_EQ(xs[0], 100.0f);  // the previous pose first
    EXPECT_NEAR(xs[5], 50.0f, 1e-3f);
    for (int i = 1; i < 10; ++i) EXPECT_LT(xs[i], xs[i - 1]) << i;
    EXPECT_EQ(xs[10], 0.0f);  // start frame + 10: the new animation alone
    EXPECT_EQ(xs[11], 0.0f);
}

TEST(ModelCrossFade, FadeLengthZeroSwitchesAtOnce)
{
    auto model = LoadModel(NodesWithParents({-1}));
    TestAnimation standing(1, 100, 100, 100);
    TestAnimation walking(1, 100, 0, 0);
    model->PlayAnimation(&standing.animation, 0, true, 0, 0.0f);
    model->Update();
    model->PlayAnimation(&walking.animation, 0, true, 0, 1.0f);
    model->Update();
    EXPECT_EQ(WorldX(*model, 0), 0.0f);
}

TEST(ModelCrossFade, PlayingNothingClearsTheState)
{
    auto model = LoadModel(NodesWithParents({-1}));
    TestAnimation anim(1, 10, 0, 9);
    model->PlayAnimation(&anim.animation, 2, true, 5, 1.0f);
    model->SetPlaybackSpeed(3.0f);
    model->PlayAnimation(nullptr, 0, false, 0, 0.0f);
    const auto& state = model->AnimationState();
    EXPECT_EQ(state.current, nullptr);
    EXPECT_EQ(state.previous, nullptr);
    EXPECT_EQ(state.speed, 1.0f);
    EXPECT_EQ(state.frame, 0.0f);
    EXPECT_EQ(state.fadeLength, 0u);
}

TEST(ModelInstance, SharesDataThatOutlivesTheSource)
{
    tools::ModelSource source = NodesWithParents({-1, 0});
    source.name = "barrel";
    source.vertexData = tools::FloatBytes({1, 2, 3});
    source.meshes.push_back({"m", {0, 1, 2}, 12, "", 0, 0});
    auto original = LoadModel(source);
    SYSWIN_CModel instance;
    ASSERT_TRUE(instance.MakeInstanceOf(*original));
    EXPECT_EQ(instance.Name(), "barrel");
    EXPECT_EQ(instance.VertexData().Data(), original->VertexData().Data());
    EXPECT_EQ(instance.Meshes()[0].indexData.Data(), original->Meshes()[0].indexData.Data());
    EXPECT_EQ(instance.NodeCount(), 2u);
    EXPECT_FALSE(instance.MakeInstanceOf(instance));

    original.reset();
    EXPECT_EQ(instance.VertexData().size, 12u);
    EXPECT_EQ(instance.VertexData().Data()[4], 0u);  // 2.0f = 0x40000000: low bytes 0
    EXPECT_EQ(instance.VertexData().Data()[7], 0x40u);
    TestAnimation anim(2, 3, 5, 5);
    instance.PlayAnimation(&anim.animation, 0, true, 0, 0.0f);
    instance.Update();
    EXPECT_EQ(WorldX(instance, 1), 5.0f);
}

struct CountingAttachment : vesk::resource::ModelAttachment {
    int draws = 0;
    void DrawWithModel(vesk::resource::SYS_CModel&) override { ++draws; }
};

TEST(ModelAttachments, GrowSetAndCommit)
{
    SYSWIN_CModel model;
    CountingAttachment a;
    model.SetAttachment(0, &a);  // no slot yet: ignored
    EXPECT_EQ(model.GetAttachment(0), nullptr);
    model.ResizeAttachments(2);
    model.ResizeAttachments(1);  // never shrinks
    model.SetAttachment(1, &a);
    EXPECT_EQ(model.GetAttachment(1), &a);
    model.Update();
    EXPECT_EQ(model.GetAttachment(1), &a);
    EXPECT_EQ(model.GetAttachment(7), nullptr);
}

TEST(ModelWholeAnimation, PassRunsOnlyWhileEnabled)
{
    tools::ModelSource source = NodesWithParents({-1});
    source.meshes.push_back({"m", {0, 1, 2}, 12, "", 0, 0});
    auto model = LoadModel(source);
    tools::AnimationSource whole;
    whole.wholeFrameCount = 4;
    whole.wholeChannels[0] = {{0, {0, 0, 0}}, {4, {8, 0, 0}}};
    const tools::AnimationBytes bytes = tools::MakeModelAnimation(whole);
    ModelAnimation animation;
    ASSERT_TRUE(animation.Parse(bytes.header, bytes.data, 0, "whole.anm"));

    model->SetWholeModelAnimation(&animation);
    model->SetMeshAnimation(0, 1, &animation);
    model->Update();
    EXPECT_EQ(model->WholeModelSampleValues().translation.x, 0.0f);

    model->SetWholeModelAnimationEnabled(true);
    std::vector<float> xs;
    for (int i = 0; i < 6; ++i) {
        model->Update();
        xs.push_back(model->WholeModelSampleValues().translation.x);
    }
    // Looping over 4 frames; the last key is never reached, so frame 0 follows 3.
    EXPECT_EQ(xs, (std::vector<float>{0, 2, 4, 6, 0, 2}));
    const auto meshes = model->MeshAnimations();
    ASSERT_EQ(meshes.size(), 4u);
    EXPECT_EQ(meshes[1].frame, 6u);
    EXPECT_EQ(meshes[1].matrix(3, 0), 2.0f);
    EXPECT_EQ(meshes[0].matrix, vesk::math::GetIdentityMatrix());
}

}  // namespace
