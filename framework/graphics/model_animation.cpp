// Reading a model's animation with every offset checked, and sampling its channels at a frame.
#include "framework/graphics/model_animation.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "framework/graphics/model_math.h"
#include "framework/log/log.h"
#include "framework/math/scalar.h"
#include "framework/resource/file_fields.h"
#include "platform/little_endian.h"

namespace vesk::resource {
namespace {

using math::Mat4;
using math::Vec3;
using math::Vec4;
using platform::ReadF32;
using platform::ReadU16;
using platform::ReadU32;

Vec3 ReadVec3(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return {ReadF32(bytes, offset), ReadF32(bytes, offset + 4), ReadF32(bytes, offset + 8)};
}

bool Refuse(std::string_view what, const std::string& fault)
{
    log::Error(std::string(what) + ": " + fault);
    return false;
}

Vec4 ReadQuaternion(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return {ReadF32(bytes, offset), ReadF32(bytes, offset + 4), ReadF32(bytes, offset + 8), ReadF32(bytes, offset + 12)};
}

// Where key `index` of a run starts; its frame is the u32 there, its value follows.
std::size_t KeyAt(const KeyRun& run, std::size_t index, std::size_t keySize)
{
    return run.offset + index * keySize;
}

// A node channel's run, with the node and channel that name it for the refusal's line.
struct NamedRun {
    KeyRun run;
    std::size_t node = 0;
    int channel = 0;
};

const char* const kChannelNames[3] = {"rotation", "translation", "scale"};

// The first run, in order of offset, whose keys go backwards in frame order; null when none does. Every run lies
// inside the data block. Runs may share or overlap keys, so each pair of neighbouring keys is read once: runs are
// taken by their lane (offset modulo the key size) and offset, and a run's keys inside the stretch of its lane
// already checked are not read again.
const NamedRun* FindBackwardRun(std::span<const std::uint8_t> data, std::vector<NamedRun>& runs, std::size_t keySize)
{
    std::sort(runs.begin(), runs.end(), [keySize](const NamedRun& a, const NamedRun& b) {
        return std::pair(a.run.offset % keySize, a.run.offset) < std::pair(b.run.offset % keySize, b.run.offset);
    });
    std::size_t lane = keySize;
    std::size_t checkedEnd = 0;  // end of the checked stretch of the lane, which starts at or before this run
    for (const NamedRun& named : runs) {
        const std::size_t offset = named.run.offset;
        const std::size_t end = offset + static_cast<std::size_t>(named.run.count) * keySize;
        if (offset % keySize != lane) {
            lane = offset % keySize;
            checkedEnd = 0;
        }
        std::size_t at = checkedEnd > offset ? checkedEnd - keySize : offset;
        for (; at + keySize < end; at += keySize) {
            if (ReadU32(data, at + keySize) < ReadU32(data, at)) return &named;
        }
        checkedEnd = std::max(checkedEnd, end);
    }
    return nullptr;
}

// Two keys and the factor between them for frame t over 0..frameCount.
struct KeySpan {
    std::size_t a = 0;
    std::size_t b = 0;
    float factor = 0.0f;
};

// The run holds at least one key (the parse refuses empty node channels).
KeySpan FindKeys(std::span<const std::uint8_t> data, const KeyRun& run, std::size_t keySize, std::int64_t t,
                 std::uint16_t frameCount)
{
    const auto frameOf = [&](std::size_t index) {
        return static_cast<std::int64_t>(ReadU32(data, KeyAt(run, index, keySize)));
    };
    if (t < 0) t = 0;
    if (t > frameCount) t = static_cast<std::int64_t>(frameCount) + 1;
    const std::size_t last = run.count - 1;
    // The last key, from the second on, whose frame lies below t.
    std::size_t k = 0;
    for (std::size_t i = 1; i < run.count; ++i) {
        if (frameOf(i) < t) k = i;
    }
    if (k == 0 && t < frameOf(0)) return {0, 0, 0.0f};
    if (k != last && t <= frameOf(last)) {
        const auto from = static_cast<std::uint32_t>(frameOf(k));
        const std::uint32_t span = static_cast<std::uint32_t>(frameOf(k + 1)) - from;
        // Two keys on one frame: take the first rather than divide by zero.
        const float factor =
            span == 0 ? 0.0f : static_cast<float>(static_cast<std::uint32_t>(t) - from) / static_cast<float>(span);
        return {k, k + 1, factor};
    }
    return {last, last, 0.0f};
}

Vec3 SampleVectorKeys(std::span<const std::uint8_t> data, const KeyRun& run, std::int64_t t, std::uint16_t frameCount)
{
    const KeySpan span = FindKeys(data, run, kVectorKeySize, t, frameCount);
    return LerpVec3(ReadVec3(data, KeyAt(run, span.a, kVectorKeySize) + 4),
                    ReadVec3(data, KeyAt(run, span.b, kVectorKeySize) + 4), span.factor);
}

Vec3 SampleWholeModelChannel(const std::vector<WholeModelKey>& keys, std::uint32_t t)
{
    if (keys.empty()) return {};
    if (keys.size() == 1) return keys[0].value;
    for (std::size_t k = 0; k + 1 < keys.size(); ++k) {
        const std::uint32_t from = keys[k].frame;
        const std::uint32_t to = keys[k + 1].frame;
        if (from <= t && t < to) {
            if (t == from) return keys[k].value;
            return LerpVec3(keys[k].value, keys[k + 1].value,
                            static_cast<float>(t - from) / static_cast<float>(to - from));
        }
    }
    return {};
}

// A turn in the plane of two axes, from the first toward the second: the rotation about the third
// axis, in the row-vector order the model's matrices use.
Mat4 PlaneRotation(float radians, int from, int toward)
{
    Mat4 m = math::GetIdentityMatrix();
    const float c = math::MathCos(radians), s = math::MathSin(radians);
    m(from, from) = c;
    m(from, toward) = s;
    m(toward, from) = -s;
    m(toward, toward) = c;
    return m;
}

Mat4 RotationX(float radians) { return PlaneRotation(radians, 1, 2); }
Mat4 RotationY(float radians) { return PlaneRotation(radians, 2, 0); }
Mat4 RotationZ(float radians) { return PlaneRotation(radians, 0, 1); }

}  // namespace

bool ModelAnimation::Parse(std::span<const std::uint8_t> header, std::span<const std::uint8_t> data,
                           std::size_t nodeCount, std::string_view what)
{
    *this = ModelAnimation{};
    if (header.size() < kAnimationHeaderSize) {
        return Refuse(what, "animation header cut short (" + std::to_string(header.size()) + " bytes)");
    }
    ModelAnimation animation;
    animation.nodeFrameCount_ = ReadU16(header, 44);
    animation.wholeFrameCount_ = ReadU16(header, 80);
    animation.wholeFrameRate_ = static_cast<std::int16_t>(ReadU16(header, 82));
    animation.wholeFlags_ = ReadU32(header, 84);

    const std::uint32_t tableOffset = ReadU32(header, 48);
    if (!RecordsFit(tableOffset, nodeCount, kNodeChannelRecordSize, data.size())) {
        return Refuse(what, "node channel table of " + std::to_string(nodeCount) + " nodes at " +
                                std::to_string(tableOffset) + " runs past the data end");
    }
    animation.data_.assign(data.begin(), data.end());
    animation.nodes_.resize(nodeCount);
    std::vector<NamedRun> rotationRuns;
    std::vector<NamedRun> vectorRuns;
    for (std::size_t node = 0; node < nodeCount; ++node) {
        const std::size_t record = tableOffset + node * kNodeChannelRecordSize;
        NodeChannels& channels = animation.nodes_[node];
        KeyRun* const runs[3] = {&channels.rotation, &channels.translation, &channels.scale};
        for (int channel = 0; channel < 3; ++channel) {
            KeyRun& run = *runs[channel];
            run.offset = ReadU32(data, record + 8 * static_cast<std::size_t>(channel));
            run.count = ReadU32(data, record + 8 * static_cast<std::size_t>(channel) + 4);
            const std::string where = "node " + std::to_string(node) + " " + kChannelNames[channel] + " keys";
            if (run.count == 0) return Refuse(what, where + ": none");
            if (!RecordsFit(run.offset, run.count, channel == 0 ? kRotationKeySize : kVectorKeySize, data.size())) {
                return Refuse(what, where + ": " + std::to_string(run.count) + " at " + std::to_string(run.offset) +
                                        " run past the data end");
            }
            (channel == 0 ? rotationRuns : vectorRuns).push_back({run, node, channel});
        }
    }
    const NamedRun* backward = FindBackwardRun(data, rotationRuns, kRotationKeySize);
    if (backward == nullptr) backward = FindBackwardRun(data, vectorRuns, kVectorKeySize);
    if (backward != nullptr) {
        return Refuse(what, "node " + std::to_string(backward->node) + " " + kChannelNames[backward->channel] +
                                " keys: " + std::to_string(backward->run.count) + " at " +
                                std::to_string(backward->run.offset) + " go backwards in frame order");
    }

    if (animation.wholeFrameCount_ != 0) {
        const std::uint32_t wholeOffset = ReadU32(header, 88);
        if (!RecordsFit(wholeOffset, 3, 8, data.size())) {
            return Refuse(what, "whole-model channel table at " + std::to_string(wholeOffset) +
                                    " runs past the data end");
        }
        for (std::size_t channel = 0; channel < 3; ++channel) {
            const std::uint32_t count = ReadU32(data, wholeOffset + 8 * channel);
            const std::uint32_t offset = ReadU32(data, wholeOffset + 8 * channel + 4);
            if (!RecordsFit(offset, count, kWholeModelKeySize, data.size())) {
                return Refuse(what, "whole-model channel " + std::to_string(channel) + ": " + std::to_string(count) +
                                        " keys at " + std::to_string(offset) + " run past the data end");
            }
            std::vector<WholeModelKey>& keys = animation.wholeChannels_[channel];
            keys.resize(count);
            for (std::uint32_t i = 0; i < count; ++i) {
                const std::size_t at = offset + static_cast<std::size_t>(i) * kWholeModelKeySize;
                keys[i].frame = ReadU16(data, at);
                keys[i].value = ReadVec3(data, at + 4);
            }
        }
    }
    *this = std::move(animation);
    return true;
}

NodeSample ModelAnimation::SampleNode(std::size_t node, std::int64_t frame) const
{
    NodeSample sample;
    if (node >= nodes_.size()) return sample;
    const NodeChannels& channels = nodes_[node];
    sample.translation = SampleVectorKeys(data_, channels.translation, frame, nodeFrameCount_);
    sample.scale = SampleVectorKeys(data_, channels.scale, frame, nodeFrameCount_);
    const KeySpan span = FindKeys(data_, channels.rotation, kRotationKeySize, frame, nodeFrameCount_);
    sample.rotation = InterpolateKeyRotation(ReadQuaternion(data_, KeyAt(channels.rotation, span.a, kRotationKeySize) + 4),
                                             ReadQuaternion(data_, KeyAt(channels.rotation, span.b, kRotationKeySize) + 4),
                                             span.factor);
    return sample;
}

bool ModelAnimation::SampleWholeModel(std::uint32_t frame, bool loop, WholeModelSample& out) const
{
    if (wholeFrameCount_ == 0) return false;
    std::uint32_t t = loop ? frame % wholeFrameCount_ : std::min<std::uint32_t>(frame, wholeFrameCount_);
    if (wholeFrameRate_ != kNativeFrameRate) {
        const double scaled = std::trunc(static_cast<double>(wholeFrameRate_) / kNativeFrameRate * t);
        t = scaled <= 0.0 ? 0u : static_cast<std::uint32_t>(scaled);
    }
    out = WholeModelSample{};
    if ((wholeFlags_ & 0xFF000000u) != 0) return true;
    out.translation = SampleWholeModelChannel(wholeChannels_[0], t);
    out.angles = SampleWholeModelChannel(wholeChannels_[1], t);
    out.scale = SampleWholeModelChannel(wholeChannels_[2], t);
    return true;
}

Mat4 MatrixFromWholeModelSample(const WholeModelSample& sample)
{
    constexpr float kRadiansPerDegree = static_cast<float>(2.0 * 3.14159265358979323846 / 360.0);
    Mat4 m = math::MultiplyMatrix(math::MultiplyMatrix(RotationX(sample.angles.x * kRadiansPerDegree),
                                                       RotationZ(sample.angles.z * kRadiansPerDegree)),
                                  RotationY(sample.angles.y * kRadiansPerDegree));
    m(3, 0) = sample.translation.x;
    m(3, 1) = sample.translation.y;
    m(3, 2) = sample.translation.z;
    m(3, 3) = 1.0f;
    return m;
}

}  // namespace vesk::resource
