// Little-endian fields written into bytes, in place or appended: the tools' byte writer.
#pragma once

#include <bit>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace tools {

// Little-endian fields written in place, into bytes already sized to hold them.
inline void PutU16(std::vector<uint8_t>& bytes, size_t offset, uint16_t value)
{
    bytes[offset] = static_cast<uint8_t>(value);
    bytes[offset + 1] = static_cast<uint8_t>(value >> 8);
}

inline void PutU32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value)
{
    PutU16(bytes, offset, static_cast<uint16_t>(value));
    PutU16(bytes, offset + 2, static_cast<uint16_t>(value >> 16));
}

inline void PutF32(std::vector<uint8_t>& bytes, size_t offset, float value)
{
    PutU32(bytes, offset, std::bit_cast<uint32_t>(value));
}

// Appends little-endian fields to a byte vector.
class ByteWriter {
public:
    void U8(uint8_t value) { bytes_.push_back(value); }
    void U16(uint16_t value)
    {
        U8(static_cast<uint8_t>(value));
        U8(static_cast<uint8_t>(value >> 8));
    }
    void I16(int16_t value) { U16(static_cast<uint16_t>(value)); }
    void U32(uint32_t value)
    {
        U16(static_cast<uint16_t>(value));
        U16(static_cast<uint16_t>(value >> 16));
    }
    void F32(float value) { U32(std::bit_cast<uint32_t>(value)); }
    void Tag(std::string_view tag)
    {
        for (size_t i = 0; i < 4; ++i) U8(i < tag.size() ? static_cast<uint8_t>(tag[i]) : ' ');
    }
    void Bytes(std::span<const uint8_t> bytes) { bytes_.insert(bytes_.end(), bytes.begin(), bytes.end()); }
    void Text(std::string_view text) { bytes_.insert(bytes_.end(), text.begin(), text.end()); }
    void PadTo(size_t size) { bytes_.resize(size < bytes_.size() ? bytes_.size() : size, 0); }

    size_t Size() const { return bytes_.size(); }
    std::vector<uint8_t>& Data() { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

}  // namespace tools
