// Writing 16-bit PCM and MS-ADPCM wave files, with an optional loop.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace tools {

// A loop written into a "smpl" chunk. end is the first frame after the loop: the
// game plays frames start .. end - 1 over and over.
struct WavLoop {
    uint32_t start = 0;
    uint32_t end = 0;
};

// A 16-bit PCM wave ("fmt " of 16 bytes first, then "smpl" when looping, then
// "data"). Samples are interleaved when there are two channels.
std::vector<uint8_t> MakePcmWav(const std::vector<int16_t>& samples, uint32_t sampleRate, uint16_t channels,
                                std::optional<WavLoop> loop = std::nullopt);

// An MS-ADPCM wave of already encoded blocks, with the standard coefficient table.
std::vector<uint8_t> MakeAdpcmWav(const std::vector<uint8_t>& blocks, uint32_t sampleRate, uint16_t channels,
                                  uint16_t blockAlign, uint16_t samplesPerBlock,
                                  std::optional<WavLoop> loop = std::nullopt);

}  // namespace tools
