// The chunk list shared by sprite packages and the sound-effect package.
// A header gives the mark, the layout version, the number and place of a table
// of 144-byte chunk records, each naming a tag, a size, an offset from the file
// start and a name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace vesk::resource {

inline constexpr size_t kChunkListHeaderSize = 20;
inline constexpr size_t kChunkRecordSize = 144;
inline constexpr size_t kChunkNameSize = 128;

// A four-character tag as a 32-bit word whose bytes in memory spell the tag.
constexpr uint32_t MakeTag(const char (&text)[5])
{
    return static_cast<uint32_t>(static_cast<uint8_t>(text[0])) |
           (static_cast<uint32_t>(static_cast<uint8_t>(text[1])) << 8) |
           (static_cast<uint32_t>(static_cast<uint8_t>(text[2])) << 16) |
           (static_cast<uint32_t>(static_cast<uint8_t>(text[3])) << 24);
}

inline constexpr size_t kChunkListMarkOffset = 0;
inline constexpr size_t kChunkListVersionOffset = 4;
inline constexpr uint32_t kChunkListMark = MakeTag("VPAK");
inline constexpr uint32_t kChunkListVersion = 1;

struct ChunkEntry {
    uint32_t tag = 0;
    std::span<const uint8_t> data;  // inside the file block
    std::string_view name;          // up to the first zero of the 128 name bytes
};

// Reads the chunk table of a file held in memory. The mark and version must
// match and every record and every chunk must lie inside the file; otherwise
// nothing is returned and a log line names the file (`what`) and the fault.
// The entries point into file.
bool ReadChunkList(std::span<const uint8_t> file, std::string_view what, std::vector<ChunkEntry>& out);

}  // namespace vesk::resource
