// Wave bytes for the sound tests: tags, chunks and even sample ramps.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "tools/common/byte_writer.h"

namespace vesk::sound::test {

using ::tools::PutU16;
using ::tools::PutU32;

inline void PutTag(std::vector<uint8_t>& bytes, size_t offset, const char* tag)
{
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(tag[i]);
}

inline void AppendChunk(std::vector<uint8_t>& bytes, const char* tag, const std::vector<uint8_t>& body)
{
    const size_t at = bytes.size();
    bytes.resize(at + 8);
    PutTag(bytes, at, tag);
    PutU32(bytes, at + 4, static_cast<uint32_t>(body.size()));
    bytes.insert(bytes.end(), body.begin(), body.end());
}

// Even ramps: halving them (the music group's volume factor) stays exact.
inline std::vector<int16_t> EvenRamp(size_t frames)
{
    std::vector<int16_t> samples(frames);
    for (size_t i = 0; i < frames; ++i) samples[i] = static_cast<int16_t>(static_cast<int>(i * 14 % 20000) - 10000);
    return samples;
}

}  // namespace vesk::sound::test
