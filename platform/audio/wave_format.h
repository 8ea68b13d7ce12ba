// Sample formats the mixer plays, the check that it can play one, and frame counts of buffers in them.
#pragma once

#include <cstdint>
#include <string>

namespace platform::audio {

enum class SampleEncoding : uint8_t {
    Pcm8,     // unsigned 8-bit
    Pcm16,    // signed 16-bit little-endian
    MsAdpcm,  // Microsoft ADPCM, 4 bits per sample in blocks
};

// What a voice is created for. Samples are interleaved when there are two channels.
struct WaveFormat {
    SampleEncoding encoding = SampleEncoding::Pcm16;
    uint32_t sampleRate = 0;
    uint16_t channels = 0;
    uint16_t blockAlign = 0;       // bytes per ADPCM block (PCM: ignored)
    uint16_t samplesPerBlock = 0;  // frames per ADPCM block (PCM: ignored)
};

constexpr uint32_t kMinSampleRate = 1000;
constexpr uint32_t kMaxSampleRate = 192000;

// True when the mixer can play the format; an ADPCM block must be able to hold
// the frames it claims, so decoding can never read past a block.
bool IsPlayableFormat(const WaveFormat& format);
// Why the mixer cannot play the format, for the tools that refuse it; empty when it can.
std::string FindFormatFault(const WaveFormat& format);

// True when a loop region (length 0: to the end) lies inside a buffer of
// totalFrames and holds at least one frame.
bool IsLoopInside(uint32_t begin, uint32_t length, uint32_t totalFrames);

// Bytes of one PCM frame (0 for ADPCM).
uint32_t PcmFrameBytes(const WaveFormat& format);

// Frames held by a buffer of the given size; a trailing partial ADPCM block counts
// for the frames its bytes hold.
uint32_t FramesInBuffer(const WaveFormat& format, uint32_t bytes);

}  // namespace platform::audio
