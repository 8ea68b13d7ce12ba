// What a sound's bytes hold: the wave kinds, the parsed wave, and its format as the mixer takes it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/audio/wave_format.h"

namespace vesk::sound {

// How a sound's bytes are laid out; only the two wave kinds can be played.
inline constexpr uint32_t kFormatPcmWave = 0x10000;
inline constexpr uint32_t kFormatVag = 0x20000;
inline constexpr uint32_t kFormatSat9 = 0x30000;
inline constexpr uint32_t kFormatAdpcmWave = 0x40000;

// Offsets of a RIFF wave whose "fmt " chunk comes first.
inline constexpr size_t kWaveFormatBlockOffset = 20;
inline constexpr size_t kWaveMinFormatSize = 16;
inline constexpr size_t kWaveMinAdpcmFormatSize = 20;

// What a parser found in one sound. Every span points into the parsed bytes.
struct WaveData {
    std::span<const uint8_t> source;       // the file or package chunk parsed
    std::span<const uint8_t> formatBlock;  // the "fmt " chunk body (wave kinds only)
    std::span<const uint8_t> samples;
    float sampleRate = 0.0f;
    uint32_t channels = 0;
    uint32_t samplesPerBlock = 0;  // 1 for PCM
    uint16_t bitsPerSample = 0;    // PCM only
    uint32_t formatWords[2] = {};  // kept for "SAT9" data
    uint32_t formatCode = 0;
    uint32_t loopStart = 0;  // frames, from a "smpl" chunk with at least one loop
    uint32_t loopEnd = 0;
};

// A RIFF wave with "fmt " first, then any chunks, among them "data" and an optional
// "smpl". formatCode is kFormatPcmWave or kFormatAdpcmWave. False (with a log line
// naming `what`) when a tag is wrong or a chunk does not fit in the bytes.
bool ParseWave(std::span<const uint8_t> bytes, uint32_t formatCode, std::string_view what, WaveData& out);

// The fixed-layout wave of "SAT9" package entries.
bool ParseSat9Wave(std::span<const uint8_t> bytes, std::string_view what, WaveData& out);

// The big-endian "VAGp" data of "SVAG" package entries.
bool ParseVagData(std::span<const uint8_t> bytes, std::string_view what, WaveData& out);

// The mixer format of a parsed wave, read from its "fmt " block the way the
// block describes itself. False for encodings the mixer does not play, with
// the reason in fault when one is given.
bool DescribeMixerFormat(const WaveData& wave, platform::audio::WaveFormat& out, std::string* fault = nullptr);

}  // namespace vesk::sound
