// Decoding of MS-ADPCM blocks into 16-bit samples.
#include "platform/audio/ms_adpcm.h"

#include <algorithm>
#include <array>
#include <climits>

#include "platform/little_endian.h"

namespace platform::audio {
namespace {

struct Coefficients {
    int32_t c1;
    int32_t c2;
};

// The seven predictors every MS-ADPCM stream carries.
constexpr std::array<Coefficients, 7> kCoefficients{{
    {256, 0}, {512, -256}, {0, 0}, {192, 64}, {240, 0}, {460, -208}, {392, -232},
}};

constexpr std::array<int32_t, 16> kAdaptation{
    230, 230, 230, 230, 307, 409, 512, 614, 768, 614, 512, 409, 307, 230, 230, 230,
};

// A long run of large nibbles would grow the step without bound.
constexpr int32_t kMaxDelta = INT32_MAX / 768;

struct ChannelState {
    Coefficients coefficients;
    int32_t delta;
    int32_t sample1;
    int32_t sample2;
};

int16_t DecodeNibble(ChannelState& state, uint32_t nibble)
{
    const int32_t signedNibble = nibble >= 8 ? static_cast<int32_t>(nibble) - 16 : static_cast<int32_t>(nibble);
    const int32_t predicted = (state.sample1 * state.coefficients.c1 + state.sample2 * state.coefficients.c2) >> 8;
    const int32_t value = std::clamp(predicted + signedNibble * state.delta, -32768, 32767);
    state.sample2 = state.sample1;
    state.sample1 = value;
    state.delta = std::clamp((kAdaptation[nibble] * state.delta) >> 8, 16, kMaxDelta);
    return static_cast<int16_t>(value);
}

}  // namespace

uint32_t MsAdpcmFramesInBlock(uint32_t blockBytes, uint32_t channels)
{
    if (channels == 0 || blockBytes < MsAdpcmHeaderBytes(channels)) {
        return 0;
    }
    return 2 + (blockBytes - MsAdpcmHeaderBytes(channels)) * 2 / channels;
}

uint32_t DecodeMsAdpcmBlock(std::span<const uint8_t> block, uint32_t channels, uint32_t samplesPerBlock,
                            std::span<int16_t> out)
{
    if (channels < 1 || channels > 2 || samplesPerBlock < 2) {
        return 0;
    }
    if (out.size() < static_cast<size_t>(samplesPerBlock) * channels) {
        return 0;
    }
    const uint32_t blockBytes = static_cast<uint32_t>(std::min<size_t>(block.size(), UINT32_MAX));
    if (blockBytes < MsAdpcmHeaderBytes(channels)) {
        return 0;
    }

    std::array<ChannelState, 2> states{};
    const uint8_t* bytes = block.data();
    for (uint32_t c = 0; c < channels; ++c) {
        const uint8_t predictor = bytes[c];
        if (predictor >= kCoefficients.size()) {
            return 0;
        }
        states[c].coefficients = kCoefficients[predictor];
        states[c].delta = ReadI16(bytes + channels + 2 * c);
        states[c].sample1 = ReadI16(bytes + 3 * channels + 2 * c);
        states[c].sample2 = ReadI16(bytes + 5 * channels + 2 * c);
    }

    const uint32_t frames = std::min(samplesPerBlock, MsAdpcmFramesInBlock(blockBytes, channels));
    // The header's older sample comes out first.
    for (uint32_t c = 0; c < channels; ++c) {
        out[c] = static_cast<int16_t>(states[c].sample2);
        out[channels + c] = static_cast<int16_t>(states[c].sample1);
    }

    // Nibbles follow the header, high nibble first; with two channels they alternate.
    const uint32_t nibbleCount = (frames - 2) * channels;
    const uint8_t* nibbles = bytes + MsAdpcmHeaderBytes(channels);
    for (uint32_t n = 0; n < nibbleCount; ++n) {
        const uint8_t byte = nibbles[n / 2];
        const uint32_t nibble = (n % 2 == 0) ? (byte >> 4) : (byte & 0x0F);
        const uint32_t channel = n % channels;
        out[2 * channels + n] = DecodeNibble(states[channel], nibble);
    }
    return frames;
}

}  // namespace platform::audio
