// Key-frame animation of a model: node channels and whole-model channels, read from a header and a data block.
// Node channels hold rotation, translation and scale keys per node;
// whole-model channels hold translation, angles in degrees and scale. Every
// offset in the header or the data block counts from the start of the data
// block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "framework/math/matrix.h"
#include "framework/math/vector.h"

namespace vesk::resource {

inline constexpr std::size_t kAnimationHeaderSize = 92;
inline constexpr std::size_t kNodeChannelRecordSize = 24;
inline constexpr std::size_t kRotationKeySize = 20;
inline constexpr std::size_t kVectorKeySize = 16;
inline constexpr std::size_t kWholeModelKeySize = 16;
inline constexpr int kNativeFrameRate = 60;

// A run of keys in the data block. Runs may be shared by many nodes and channels,
// so the keys stay in the kept data block and are read where they lie: copied
// per run, a small block naming one long run from every node would grow into
// far more memory than the block holds.
struct KeyRun {
    std::uint32_t offset = 0;
    std::uint32_t count = 0;
};

struct NodeChannels {
    KeyRun rotation;
    KeyRun translation;
    KeyRun scale;
};

struct NodeSample {
    math::Vec3 translation;
    math::Vec4 rotation{0.0f, 0.0f, 0.0f, 1.0f};
    math::Vec3 scale{1.0f, 1.0f, 1.0f};
};

struct WholeModelKey {
    std::uint16_t frame = 0;
    math::Vec3 value;
};

struct WholeModelSample {
    math::Vec3 translation;
    math::Vec3 angles;  // degrees
    math::Vec3 scale;
};

class ModelAnimation {
public:
    // Reads and checks an animation made for a model of nodeCount nodes: the
    // node channel table (one record per node), every key run inside the data
    // block, at least one key per node channel, node keys in ascending frame
    // order, and, when the whole-model frame count is not 0, the whole-model
    // channel table and keys. On failure logs one line naming `what` and
    // returns false, leaving the animation empty.
    bool Parse(std::span<const std::uint8_t> header, std::span<const std::uint8_t> data, std::size_t nodeCount,
               std::string_view what);

    std::size_t NodeCount() const { return nodes_.size(); }
    // The node channels cover frames 0 to NodeFrameCount() - 1.
    std::uint16_t NodeFrameCount() const { return nodeFrameCount_; }
    std::uint16_t WholeModelFrameCount() const { return wholeFrameCount_; }
    std::int16_t WholeModelFrameRate() const { return wholeFrameRate_; }
    std::uint32_t WholeModelFlags() const { return wholeFlags_; }
    const NodeChannels& Channels(std::size_t node) const { return nodes_[node]; }

    // The node's translation, rotation and scale at frame t; keys are
    // interpolated, frames outside the keys take the nearest key.
    NodeSample SampleNode(std::size_t node, std::int64_t frame) const;

    // The whole-model channels at frame t (wrapped when looping, else held at
    // the frame count, then rescaled by the frame rate). False when there is
    // nothing to sample (no whole-model frames).
    bool SampleWholeModel(std::uint32_t frame, bool loop, WholeModelSample& out) const;

private:
    std::uint16_t nodeFrameCount_ = 0;
    std::uint16_t wholeFrameCount_ = 0;
    std::int16_t wholeFrameRate_ = kNativeFrameRate;
    std::uint32_t wholeFlags_ = 0;
    std::vector<std::uint8_t> data_;
    std::vector<NodeChannels> nodes_;
    std::vector<WholeModelKey> wholeChannels_[3];  // translation, angles, scale
};

// Rotation Rx(x) x Rz(z) x Ry(y) of the sampled angles (degrees) with the
// sampled translation in the fourth row. The scale sample does not enter: a
// channel without keys samples as zero and would flatten the model.
math::Mat4 MatrixFromWholeModelSample(const WholeModelSample& sample);

}  // namespace vesk::resource
