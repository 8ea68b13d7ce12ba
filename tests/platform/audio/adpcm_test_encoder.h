// A small greedy MS-ADPCM encoder (first predictor only) so tests can make ADPCM data of known content.
// Mono or interleaved stereo input.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace platform::audio::test {

inline std::vector<uint8_t> EncodeMsAdpcm(const std::vector<int16_t>& samples, uint32_t channels, uint32_t blockAlign,
                                          uint32_t samplesPerBlock)
{
    static constexpr int32_t kAdaptation[16] = {230, 230, 230, 230, 307, 409, 512, 614,
                                                768, 614, 512, 409, 307, 230, 230, 230};
    std::vector<uint8_t> out;
    const size_t frames = samples.size() / channels;
    auto put16 = [&out](int32_t value) {
        out.push_back(static_cast<uint8_t>(value & 0xFF));
        out.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
    };
    for (size_t first = 0; first < frames; first += samplesPerBlock) {
        const size_t blockStart = out.size();
        const size_t count = std::min<size_t>(samplesPerBlock, frames - first);
        auto sampleAt = [&](size_t frame, uint32_t c) -> int32_t {
            return frame < count ? samples[(first + frame) * channels + c] : 0;
        };
        int32_t delta[2] = {16, 16};
        int32_t s1[2];
        int32_t s2[2];
        for (uint32_t c = 0; c < channels; ++c) out.push_back(0);
        for (uint32_t c = 0; c < channels; ++c) put16(delta[c]);
        for (uint32_t c = 0; c < channels; ++c) put16(s1[c] = sampleAt(1, c));
        for (uint32_t c = 0; c < channels; ++c) put16(s2[c] = sampleAt(0, c));
        int nibbleIndex = 0;
        for (size_t frame = 2; frame < samplesPerBlock; ++frame) {
            for (uint32_t c = 0; c < channels; ++c) {
                const int32_t predicted = s1[c];
                int32_t nibble = (sampleAt(frame, c) - predicted) / delta[c];
                nibble = std::clamp(nibble, -8, 7);
                const int32_t value = std::clamp(predicted + nibble * delta[c], -32768, 32767);
                s2[c] = s1[c];
                s1[c] = value;
                const uint32_t code = static_cast<uint32_t>(nibble) & 0x0F;
                delta[c] = std::max((kAdaptation[code] * delta[c]) >> 8, 16);
                if (nibbleIndex % 2 == 0) {
                    out.push_back(static_cast<uint8_t>(code << 4));
                } else {
                    out.back() |= static_cast<uint8_t>(code);
                }
                ++nibbleIndex;
            }
        }
        out.resize(blockStart + blockAlign, 0);
    }
    return out;
}

}  // namespace platform::audio::test
