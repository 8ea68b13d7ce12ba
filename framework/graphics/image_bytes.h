#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>

namespace vesk::resource {

// Little-endian field reads from a file block. Callers check the offset against
// the block's length first; these only assemble the bytes.
inline uint16_t ReadU16(std::span<const uint8_t> bytes, size_t offset)
{
    return static_cast<uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

inline int16_t ReadI16(std::span<const uint8_t> bytes, size_t offset)
{
    return static_cast<int16_t>(ReadU16(bytes, offset));
}

inline uint32_t ReadU32(std::span<const uint8_t> bytes, size_t offset)
{
    return static_cast<uint32_t>(bytes[offset]) | (static_cast<uint32_t>(bytes[offset + 1]) << 8) |
           (static_cast<uint32_t>(bytes[offset + 2]) << 16) | (static_cast<uint32_t>(bytes[offset + 3]) << 24);
}

inline float ReadF32(std::span<const uint8_t> bytes, size_t offset)
{
    return std::bit_cast<float>(ReadU32(bytes, offset));
}

}  // namespace vesk::resource
