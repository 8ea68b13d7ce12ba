// Little-endian fields of the file formats, assembled byte by byte.
// Files are read in place, at any alignment, and never by casting structs over
// bytes. Callers check that the field lies inside its buffer first; these only
// put the bytes together. Like the UTF conversion, it depends on nothing, so
// every layer and the tools read through the same one.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>

namespace platform {

inline std::uint16_t ReadU16(const std::uint8_t* bytes)
{
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

inline std::int16_t ReadI16(const std::uint8_t* bytes)
{
    return static_cast<std::int16_t>(ReadU16(bytes));
}

inline std::uint32_t ReadU32(const std::uint8_t* bytes)
{
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

inline float ReadF32(const std::uint8_t* bytes)
{
    return std::bit_cast<float>(ReadU32(bytes));
}

// The same at an offset into a block.
inline std::uint16_t ReadU16(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return ReadU16(bytes.data() + offset);
}

inline std::int16_t ReadI16(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return ReadI16(bytes.data() + offset);
}

inline std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return ReadU32(bytes.data() + offset);
}

inline float ReadF32(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return ReadF32(bytes.data() + offset);
}

// Writes of the same fields, for the records the game saves.
inline void WriteU16(std::uint8_t* bytes, std::uint16_t value)
{
    bytes[0] = static_cast<std::uint8_t>(value);
    bytes[1] = static_cast<std::uint8_t>(value >> 8);
}

inline void WriteU32(std::uint8_t* bytes, std::uint32_t value)
{
    WriteU16(bytes, static_cast<std::uint16_t>(value));
    WriteU16(bytes + 2, static_cast<std::uint16_t>(value >> 16));
}

inline void WriteU32(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value)
{
    WriteU32(bytes.data() + offset, value);
}

inline void WriteU16(std::span<std::uint8_t> bytes, std::size_t offset, std::uint16_t value)
{
    WriteU16(bytes.data() + offset, value);
}

inline void WriteI16(std::span<std::uint8_t> bytes, std::size_t offset, std::int16_t value)
{
    WriteU16(bytes.data() + offset, static_cast<std::uint16_t>(value));
}

inline void WriteI32(std::span<std::uint8_t> bytes, std::size_t offset, std::int32_t value)
{
    WriteU32(bytes.data() + offset, static_cast<std::uint32_t>(value));
}

inline std::int32_t ReadI32(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return static_cast<std::int32_t>(ReadU32(bytes.data() + offset));
}

}  // namespace platform
