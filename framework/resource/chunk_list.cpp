// Reading a chunk list, with every record and chunk checked to lie inside the file.
#include "framework/resource/chunk_list.h"

#include <string>
#include <utility>

#include "framework/log/log.h"
#include "framework/resource/file_fields.h"
#include "platform/little_endian.h"

namespace vesk::resource {
namespace {

using platform::ReadU32;

bool Refuse(std::string_view what, const std::string& fault)
{
    log::Error(std::string(what) + ": " + fault);
    return false;
}

}  // namespace

bool ReadChunkList(std::span<const uint8_t> file, std::string_view what, std::vector<ChunkEntry>& out)
{
    out.clear();
    if (file.size() < kChunkListHeaderSize) {
        return Refuse(what, "chunk list header cut short (" + std::to_string(file.size()) + " bytes)");
    }
    const uint32_t mark = ReadU32(file, kChunkListMarkOffset);
    const uint32_t version = ReadU32(file, kChunkListVersionOffset);
    if (mark != kChunkListMark || version != kChunkListVersion) {
        return Refuse(what, "not a package of version " + std::to_string(kChunkListVersion) + " (mark " +
                                std::to_string(mark) + ", version " + std::to_string(version) + ")");
    }
    const uint64_t count = ReadU32(file, 12);
    const uint64_t tableOffset = ReadU32(file, 16);
    if (!RecordsFit(tableOffset, count, kChunkRecordSize, file.size())) {
        return Refuse(what, "chunk table of " + std::to_string(count) + " records at " + std::to_string(tableOffset) +
                                " runs past the file end");
    }

    std::vector<ChunkEntry> entries;
    entries.reserve(static_cast<size_t>(count));
    for (uint64_t i = 0; i < count; ++i) {
        const std::span<const uint8_t> record = file.subspan(static_cast<size_t>(tableOffset + i * kChunkRecordSize),
                                                             kChunkRecordSize);
        const uint64_t size = ReadU32(record, 8);
        const uint64_t offset = ReadU32(record, 12);
        if (offset > file.size() || size > file.size() - offset) {
            return Refuse(what, "chunk " + std::to_string(i) + " (" + std::to_string(size) + " bytes at " +
                                    std::to_string(offset) + ") runs past the file end");
        }
        ChunkEntry entry;
        entry.tag = ReadU32(record, 0);
        entry.data = file.subspan(static_cast<size_t>(offset), static_cast<size_t>(size));
        entry.name = ReadFixedText(record, 16, kChunkNameSize);
        entries.push_back(entry);
    }
    out = std::move(entries);
    return true;
}

}  // namespace vesk::resource
