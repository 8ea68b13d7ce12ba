#pragma once

#include <cstdint>
#include <cstring>

// Packages are used in place, so their words are read byte-wise: the image
// gives no alignment guarantee and the format is little-endian.
namespace vesk::utility::script_package {

inline std::uint16_t ReadU16(const std::uint8_t* bytes)
{
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

inline std::uint32_t ReadU32(const std::uint8_t* bytes)
{
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

inline float ReadF32(const std::uint8_t* bytes)
{
    const std::uint32_t word = ReadU32(bytes);
    float value;
    std::memcpy(&value, &word, sizeof value);
    return value;
}

}  // namespace vesk::utility::script_package
