// The chunk-list header, its 144-byte records and the chunks on 16-byte boundaries.
#include "tools/common/chunk_list_writer.h"

#include <utility>

#include "tools/common/byte_writer.h"

namespace tools {
namespace {

constexpr uint32_t kHeaderSize = 20;
constexpr uint32_t kRecordSize = 144;
constexpr uint32_t kNameSize = 128;
constexpr uint32_t kChunkAlign = 16;

uint32_t AlignUp(uint32_t value) { return (value + kChunkAlign - 1) / kChunkAlign * kChunkAlign; }

}  // namespace

std::vector<uint8_t> MakeChunkList(const std::vector<PackageChunk>& chunks)
{
    ByteWriter out;
    out.Tag("VPAK");
    out.U32(1);  // layout version, for people reading dumps
    out.U32(0);
    out.U32(static_cast<uint32_t>(chunks.size()));
    out.U32(kHeaderSize);

    uint32_t offset = AlignUp(kHeaderSize + kRecordSize * static_cast<uint32_t>(chunks.size()));
    for (const PackageChunk& chunk : chunks) {
        out.Tag(chunk.tag);
        out.U32(0);
        out.U32(static_cast<uint32_t>(chunk.data.size()));
        out.U32(offset);
        for (uint32_t i = 0; i < kNameSize; ++i) {
            out.U8(i + 1 < kNameSize && i < chunk.name.size() ? static_cast<uint8_t>(chunk.name[i]) : 0);
        }
        offset = AlignUp(offset + static_cast<uint32_t>(chunk.data.size()));
    }
    for (const PackageChunk& chunk : chunks) {
        out.PadTo(AlignUp(static_cast<uint32_t>(out.Size())));
        out.Bytes(chunk.data);
    }
    return std::move(out.Data());
}

}  // namespace tools
