// Model animation: key sampling, rotations on the shorter arc, whole-model channels and refused data.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "framework/graphics/model_animation.h"
#include "framework/graphics/model_math.h"
#include "platform/little_endian.h"
#include "tests/support/log_capture.h"
#include "tools/common/model_writer.h"

#if defined(__SANITIZE_ADDRESS__)
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace {

using support::LogCapture;
using vesk::math::Vec3;
using vesk::math::Vec4;
using vesk::resource::ModelAnimation;
using vesk::resource::WholeModelSample;

ModelAnimation Parse(const tools::AnimationSource& source, std::size_t nodeCount)
{
    const tools::AnimationBytes bytes = tools::MakeModelAnimation(source);
    ModelAnimation animation;
    EXPECT_TRUE(animation.Parse(bytes.header, bytes.data, nodeCount, "test.anm"));
    return animation;
}

void ExpectQuaternion(const Vec4& q, float x, float y, float z, float w)
{
    EXPECT_NEAR(q.x, x, 1e-5f);
    EXPECT_NEAR(q.y, y, 1e-5f);
    EXPECT_NEAR(q.z, z, 1e-5f);
    EXPECT_NEAR(q.w, w, 1e-5f);
}

TEST(ModelAnimationSampling, TranslationKeysInterpolateAndHoldAtTheEnds)
{
    tools::AnimationSource source;
    source.nodeFrameCount = 30;
    tools::AnimationNodeSource node = tools::RestNode();
    node.translation = {{5, {0, 0, 0}}, {15, {10, -20, 30}}};
    source.nodes.push_back(node);
    const ModelAnimation animation = Parse(source, 1);

    EXPECT_EQ(animation.SampleNode(0, 9).translation.x, 4.0f);
    EXPECT_EQ(animation.SampleNode(0, 9).translation.y, -8.0f);
    EXPECT_EQ(animation.SampleNode(0, 15).translation.z, 30.0f);
    // Before the first key, at negative frames and past the frame count: the nearest key.
    EXPECT_EQ(animation.SampleNode(0, 2).translation.x, 0.0f);
    EXPECT_EQ(animation.SampleNode(0, -7).translation.x, 0.0f);
    EXPECT_EQ(animation.SampleNode(0, 20).translation.x, 10.0f);
    EXPECT_EQ(animation.SampleNode(0, 1000).translation.x, 10.0f);
}

TEST(ModelAnimationSampling, KeysAtZeroAndTenGiveFourAtFrameFour)
{
    tools::AnimationSource source;
    source.nodeFrameCount = 11;
    tools::AnimationNodeSource node = tools::RestNode();
    node.translation = {{0, {0, 0, 0}}, {10, {10, 0, 0}}};
    source.nodes.push_back(node);
    EXPECT_EQ(Parse(source, 1).SampleNode(0, 4).translation.x, 4.0f);
}

TEST(ModelAnimationSampling, OneKeyHoldsEverywhere)
{
    tools::AnimationSource source;
    source.nodeFrameCount = 10;
    tools::AnimationNodeSource node = tools::RestNode();
    node.scale = {{3, {2, 3, 4}}};
    source.nodes.push_back(node);
    const ModelAnimation animation = Parse(source, 1);
    for (int frame : {-1, 0, 3, 9, 50}) EXPECT_EQ(animation.SampleNode(0, frame).scale.y, 3.0f) << frame;
}

TEST(ModelAnimationSampling, RotationTakesTheShorterArc)
{
    const float h = std::sqrt(0.5f);
    tools::AnimationSource source;
    source.nodeFrameCount = 11;
    tools::AnimationNodeSource node = tools::RestNode();
    // 90 degrees about z, stored with the sign that points the long way round.
    node.rotation = {{0, {0, 0, 0, 1}}, {10, {0, 0, -h, -h}}};
    source.nodes.push_back(node);
    const ModelAnimation animation = Parse(source, 1);

    // Half way is 45 degrees about z, not 135 degrees the other way.
    const float s = static_cast<float>(std::sin(3.14159265358979 / 8));
    const float c = static_cast<float>(std::cos(3.14159265358979 / 8));
    ExpectQuaternion(animation.SampleNode(0, 5).rotation, 0, 0, s, c);
    // At factor 0 the first key comes out exactly.
    const Vec4 first = animation.SampleNode(0, 0).rotation;
    EXPECT_EQ(first.x, 0.0f);
    EXPECT_EQ(first.z, 0.0f);
    EXPECT_EQ(first.w, 1.0f);
}

TEST(ModelAnimationSampling, FadeRotationBlendsFromFirstToSecond)
{
    const float h = std::sqrt(0.5f);
    const Vec4 identity{0, 0, 0, 1};
    const Vec4 quarter{0, 0, h, h};
    ExpectQuaternion(vesk::resource::BlendFadeRotation(identity, quarter, 0.0f), 0, 0, 0, 1);
    ExpectQuaternion(vesk::resource::BlendFadeRotation(identity, quarter, 1.0f), 0, 0, h, h);
    // The first taken negated when the two point apart.
    ExpectQuaternion(vesk::resource::BlendFadeRotation({0, 0, 0, -1}, quarter, 1.0f), 0, 0, h, h);
    // Nearly equal quaternions are blended linearly and come out unit length.
    const Vec4 close = vesk::resource::BlendFadeRotation(identity, {0, 0, 0.05f, 0.99875f}, 0.5f);
    EXPECT_NEAR(close.x * close.x + close.y * close.y + close.z * close.z + close.w * close.w, 1.0f, 1e-5f);
}

TEST(ModelAnimationSampling, LocalMatrixScalesRotatesThenMoves)
{
    const float h = std::sqrt(0.5f);
    // Scale 2, then 90 degrees about z, then up by 5.
    const auto local = vesk::resource::ComposeLocalMatrix({2, 2, 2}, {0, 0, h, h}, {0, 5, 0});
    const Vec3 p = vesk::resource::TransformPoint({1, 0, 0}, local);
    EXPECT_NEAR(p.x, 0.0f, 1e-5f);
    EXPECT_NEAR(p.y, 7.0f, 1e-5f);
    EXPECT_NEAR(p.z, 0.0f, 1e-5f);
}

tools::AnimationSource WholeModelSource()
{
    tools::AnimationSource source;
    source.wholeFrameCount = 20;
    source.wholeChannels[0] = {{0, {0, 0, 0}}, {10, {10, 0, 0}}};
    source.wholeChannels[1] = {{0, {0, 90, 0}}};
    return source;
}

TEST(ModelAnimationWholeModel, SamplesLoopsAndRescales)
{
    WholeModelSample sample;
    const ModelAnimation animation = Parse(WholeModelSource(), 0);
    ASSERT_TRUE(animation.SampleWholeModel(4, false, sample));
    EXPECT_EQ(sample.translation.x, 4.0f);
    EXPECT_EQ(sample.angles.y, 90.0f);       // one key: its value
    EXPECT_EQ(sample.scale.x, 0.0f);         // no keys: zero
    ASSERT_TRUE(animation.SampleWholeModel(24, true, sample));  // wraps to 4
    EXPECT_EQ(sample.translation.x, 4.0f);
    // Held at the frame count, past the last key: nothing brackets it.
    ASSERT_TRUE(animation.SampleWholeModel(24, false, sample));
    EXPECT_EQ(sample.translation.x, 0.0f);

    tools::AnimationSource half = WholeModelSource();
    half.wholeFrameRate = 30;
    ASSERT_TRUE(Parse(half, 0).SampleWholeModel(9, false, sample));  // trunc(4.5) = 4
    EXPECT_EQ(sample.translation.x, 4.0f);

    tools::AnimationSource flagged = WholeModelSource();
    flagged.wholeFlags = 0x01000000;
    ASSERT_TRUE(Parse(flagged, 0).SampleWholeModel(4, false, sample));
    EXPECT_EQ(sample.translation.x, 0.0f);
}

TEST(ModelAnimationWholeModel, NoFramesSamplesNothing)
{
    tools::AnimationSource source = WholeModelSource();
    source.wholeFrameCount = 0;
    WholeModelSample sample;
    EXPECT_FALSE(Parse(source, 0).SampleWholeModel(5, true, sample));
    EXPECT_FALSE(ModelAnimation().SampleWholeModel(5, true, sample));
}

TEST(ModelAnimationWholeModel, MatrixRotatesXThenZThenY)
{
    WholeModelSample sample;
    sample.angles = {90, 90, 0};  // x first, then y
    sample.translation = {1, 2, 3};
    const Vec3 p = vesk::resource::TransformPoint({0, 1, 0}, vesk::resource::MatrixFromWholeModelSample(sample));
    // (0, 1, 0) about x by 90 -> (0, 0, 1); about y by 90 -> (1, 0, 0); then moved.
    EXPECT_NEAR(p.x, 2.0f, 1e-5f);
    EXPECT_NEAR(p.y, 2.0f, 1e-5f);
    EXPECT_NEAR(p.z, 3.0f, 1e-5f);
}

struct BadAnimation {
    const char* what;
    std::size_t dataOffset;  // a word of the data block to overwrite
    std::uint32_t value;
};

TEST(ModelAnimationParse, RefusesBrokenData)
{
    tools::AnimationSource source = WholeModelSource();
    source.nodeFrameCount = 10;
    tools::AnimationNodeSource node = tools::RestNode();
    node.translation = {{0, {0, 0, 0}}, {5, {1, 1, 1}}};
    source.nodes = {node, tools::RestNode()};
    const tools::AnimationBytes good = tools::MakeModelAnimation(source);
    const auto size = static_cast<std::uint32_t>(good.data.size());

    const BadAnimation cases[] = {
        {"rotation keys past the end", 0, size - 4},
        {"rotation count huge", 4, 0x10000000},
        {"no translation keys", 12, 0},
        {"scale keys past the end", 16, size},
        {"second node without scale keys", 24 + 20, 0},
    };
    for (const BadAnimation& bad : cases) {
        tools::AnimationBytes bytes = good;
        for (int i = 0; i < 4; ++i) bytes.data[bad.dataOffset + i] = static_cast<std::uint8_t>(bad.value >> (8 * i));
        LogCapture capture;
        ModelAnimation animation;
        EXPECT_FALSE(animation.Parse(bytes.header, bytes.data, 2, "bad.anm")) << bad.what;
        EXPECT_TRUE(capture.Contains("bad.anm")) << bad.what;
        EXPECT_EQ(animation.NodeCount(), 0u) << bad.what;
    }

    // Keys that go backwards in frame order.
    tools::AnimationSource backwards = source;
    backwards.nodes[0].translation = {{5, {0, 0, 0}}, {2, {1, 1, 1}}};
    tools::AnimationBytes bytes = tools::MakeModelAnimation(backwards);
    ModelAnimation animation;
    LogCapture capture;
    EXPECT_FALSE(animation.Parse(bytes.header, bytes.data, 2, "backwards.anm"));
    // More nodes asked for than the table holds.
    bytes = good;
    EXPECT_FALSE(animation.Parse(bytes.header, bytes.data, 400, "short.anm"));
    // A whole-model table outside the data.
    bytes.header[88] = 0xFF;
    bytes.header[89] = 0xFF;
    EXPECT_FALSE(animation.Parse(bytes.header, bytes.data, 2, "whole.anm"));
    // A short header.
    EXPECT_FALSE(animation.Parse(std::span(good.header).first(91), good.data, 2, "header.anm"));
    EXPECT_TRUE(capture.Contains("cut short"));
}

TEST(ModelAnimationParse, IgnoresTheWholeModelTableWithoutFrames)
{
    tools::AnimationSource source;
    source.nodeFrameCount = 4;
    source.nodes = {tools::RestNode()};
    tools::AnimationBytes bytes = tools::MakeModelAnimation(source);
    bytes.header[88] = 0xFF;  // garbage where no table is read
    bytes.header[91] = 0xFF;
    ModelAnimation animation;
    EXPECT_TRUE(animation.Parse(bytes.header, bytes.data, 1, "nowhole.anm"));
}

// The bytes the heap holds for the program now.
std::size_t HeapBytesInUse()
{
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}

TEST(ModelAnimationParse, NodesSharingKeyRunsCostNoMoreThanTheirData)
{
    // Every node names the same long rotation and translation runs, and a scale run inside the translation
    // keys from the second on: read once per node, the keys would fill about a thousand times the data block.
    constexpr std::uint32_t kNodes = 1000;
    constexpr std::uint32_t kKeys = 1600;
    constexpr std::uint32_t kRotations = kNodes * 24;
    constexpr std::uint32_t kVectors = kRotations + kKeys * 20;
    std::vector<std::uint8_t> data(kVectors + kKeys * 16, 0);
    std::vector<std::uint8_t> header(vesk::resource::kAnimationHeaderSize, 0);
    platform::WriteU16(header, 44, static_cast<std::uint16_t>(kKeys));
    for (std::uint32_t i = 0; i < kKeys; ++i) {
        platform::WriteU32(data, kRotations + 20 * i, i);
        platform::WriteU32(data, kRotations + 20 * i + 16, std::bit_cast<std::uint32_t>(1.0f));
        platform::WriteU32(data, kVectors + 16 * i, i);
        platform::WriteU32(data, kVectors + 16 * i + 4, std::bit_cast<std::uint32_t>(static_cast<float>(i)));
    }
    const std::uint32_t runs[6] = {kRotations, kKeys, kVectors, kKeys, kVectors + 16, kKeys - 1};
    for (std::uint32_t node = 0; node < kNodes; ++node) {
        for (std::uint32_t word = 0; word < 6; ++word) platform::WriteU32(data, node * 24 + 4 * word, runs[word]);
    }

    const std::size_t before = HeapBytesInUse();
    ModelAnimation animation;
    ASSERT_TRUE(animation.Parse(header, data, kNodes, "shared.anm"));
    EXPECT_LT(HeapBytesInUse() - before, 2 * data.size());
    EXPECT_EQ(animation.SampleNode(kNodes - 1, 700).translation.x, 700.0f);
    EXPECT_EQ(animation.SampleNode(kNodes - 1, 700).scale.x, 700.0f);

    // A key stepping back where the runs overlap still refuses the animation.
    platform::WriteU32(data, kVectors + 16 * 900, 5);
    LogCapture capture;
    EXPECT_FALSE(animation.Parse(header, data, kNodes, "backwards.anm"));
    EXPECT_TRUE(capture.Contains("go backwards in frame order"));
}

}  // namespace
