// Bounds and text fields shared by the readers of the file formats.
// Number fields are read with platform/little_endian.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

namespace vesk::resource {

// True when count records of recordSize bytes from offset lie inside size
// bytes. Divides rather than multiplies, so no count can overflow the check.
inline bool RecordsFit(std::uint64_t offset, std::uint64_t count, std::uint64_t recordSize, std::uint64_t size)
{
    return offset <= size && count <= (size - offset) / recordSize;
}

// A fixed-size text field: up to its first zero byte, or the whole field when
// it holds none. The caller has checked that the field lies inside bytes.
inline std::string_view ReadFixedText(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t fieldSize)
{
    const auto* start = reinterpret_cast<const char*>(bytes.data() + offset);
    const void* terminator = std::memchr(start, 0, fieldSize);
    return std::string_view(start, terminator ? static_cast<std::size_t>(static_cast<const char*>(terminator) - start)
                                              : fieldSize);
}

}  // namespace vesk::resource
