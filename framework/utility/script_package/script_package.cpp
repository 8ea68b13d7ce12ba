// Loading a script package with every entry, block, table and label name checked.
#include "framework/utility/script_package/script_package.h"

#include <cstdio>
#include <new>
#include <optional>
#include <string>
#include <unordered_map>

#include "framework/log/log.h"
#include "framework/memory/heaps.h"
#include "platform/little_endian.h"

namespace vesk::utility::script_package {
namespace {

using platform::ReadU16;
using platform::ReadU32;

std::string Hex(std::uint64_t value)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value));
    return text;
}

// A kind tag as its four characters, or in hex when they are not all printable.
std::string KindText(std::uint32_t kind)
{
    std::string text;
    for (int i = 0; i < 4; ++i) {
        const char c = static_cast<char>((kind >> (8 * i)) & 0xFF);
        if (c < 0x20 || c > 0x7E) return Hex(kind);
        text += c;
    }
    return "\"" + text + "\"";
}

void Refuse(std::string_view name, const std::string& why)
{
    log::Error(std::string(name) + ": script package refused: " + why);
}

// Label names are UTF-16LE text ended by a zero unit inside the block. A name
// starting at an offset ends inside the block exactly when a zero unit starts at
// or after it at an even distance, so the last zero unit of each parity, found
// once per block, answers for every label: a block of many labels naming one
// long text costs no more than one pass over it.
class LabelNameEnds {
public:
    LabelNameEnds(const std::uint8_t* block, std::uint32_t blockSize)
    {
        for (std::uint32_t end = blockSize; end >= 2; --end) {
            const std::uint32_t at = end - 2;
            if (block[at] == 0 && block[at + 1] == 0 && !lastZeroUnit_[at % 2]) {
                lastZeroUnit_[at % 2] = at;
                if (lastZeroUnit_[1 - at % 2]) break;
            }
        }
    }

    bool NameEndsInsideBlock(std::uint32_t offset) const
    {
        const std::optional<std::uint32_t>& last = lastZeroUnit_[offset % 2];
        return last && *last >= offset;
    }

private:
    std::optional<std::uint32_t> lastZeroUnit_[2];
};

// Checks one "DTPS" block and fills its program record. False (with a log
// line) when a table or a label name would reach outside the block.
bool DecodeBlock(const std::uint8_t* block, std::uint32_t blockSize, std::uint32_t entryIndex, std::string_view name,
                 ProgramRecord& program)
{
    const std::string where = "entry " + std::to_string(entryIndex) + ": ";
    if (blockSize < kBlockHeaderSize) {
        Refuse(name, where + "block of " + std::to_string(blockSize) + " bytes is shorter than its header");
        return false;
    }
    const std::uint32_t headerLength = ReadU16(block + kHeaderLengthOffset);
    const std::uint32_t commandCount = ReadU32(block + kCommandCountOffset);
    const std::uint32_t commandTableLength = ReadU32(block + kCommandTableLengthOffset);
    const std::uint32_t labelCount = ReadU32(block + kLabelCountOffset);
    if (headerLength < kBlockHeaderSize || headerLength > blockSize) {
        Refuse(name, where + "header length " + std::to_string(headerLength) + " does not fit a block of " +
               std::to_string(blockSize) + " bytes");
        return false;
    }
    const std::uint64_t labelTableStart = static_cast<std::uint64_t>(headerLength) + commandTableLength;
    if (static_cast<std::uint64_t>(commandCount) * kCommandSize > commandTableLength || labelTableStart > blockSize) {
        Refuse(name, where + std::to_string(commandCount) + " commands in a table of " + std::to_string(commandTableLength) +
               " bytes do not fit a block of " + std::to_string(blockSize) + " bytes");
        return false;
    }
    if (static_cast<std::uint64_t>(labelCount) * kLabelSize > blockSize - labelTableStart) {
        Refuse(name, where + std::to_string(labelCount) + " labels do not fit a block of " + std::to_string(blockSize) +
               " bytes");
        return false;
    }
    program.blockStart = block;
    program.blockSize = blockSize;
    program.blockHeader = block;
    program.commandTable = block + headerLength;
    program.labelTable = block + labelTableStart;
    program.commandCount = commandCount;
    program.labelCount = labelCount;
    const LabelNameEnds nameEnds(block, blockSize);
    for (std::uint32_t i = 0; i < labelCount; ++i) {
        const LabelRecord label = ReadLabel(program, i);
        if (!nameEnds.NameEndsInsideBlock(label.nameOffset)) {
            Refuse(name, where + "the name of label " + std::to_string(i) + " at " + Hex(label.nameOffset) +
                   " does not end inside the block");
            program = ProgramRecord{};
            return false;
        }
    }
    return true;
}

}  // namespace

std::uint32_t BlockChecksum(const std::uint8_t* block, std::size_t size)
{
    std::uint32_t hash = 2166136261u;
    for (std::size_t i = 0; i < size; ++i) hash = (hash ^ block[i]) * 16777619u;
    return hash != 0 ? hash : 1;
}

UTL_CManager::~UTL_CManager()
{
    Release();
}

void UTL_CManager::Release()
{
    if (entries_ != nullptr) {
        memory::MainHeapFree(entries_);
        entries_ = nullptr;
    }
    entryCount_ = 0;
    if (image_ != nullptr) {
        memory::MainHeapFree(image_);
        image_ = nullptr;
    }
}

int UTL_CManager::ParseScriptPackage(void* image, std::size_t size, std::string_view name, std::uint32_t kind)
{
    Release();
    image_ = image;
    const auto* bytes = static_cast<const std::uint8_t*>(image);
    if (bytes == nullptr || size < kPackageHeaderSize) {
        Refuse(name, "a package of " + std::to_string(size) + " bytes is shorter than its header");
        Release();
        return 0;
    }
    const std::uint32_t mark = ReadU32(bytes + kPackageMarkOffset);
    const std::uint32_t version = ReadU32(bytes + kPackageVersionOffset);
    const std::uint32_t packageKind = ReadU32(bytes + kPackageKindOffset);
    if (mark != kPackageMark || version != kPackageVersion) {
        Refuse(name, "mark " + Hex(mark) + " version " + std::to_string(version) + " is not a script package of version " +
               std::to_string(kPackageVersion));
        Release();
        return 0;
    }
    if (kind != kAnyKind && packageKind != kAnyKind && packageKind != kind) {
        Refuse(name, "a package of kind " + KindText(packageKind) + " where one of kind " + KindText(kind) +
               " belongs");
        Release();
        return 0;
    }
    const std::uint32_t count = ReadU32(bytes + kEntryCountOffset);
    const std::uint32_t tableOffset = ReadU32(bytes + kEntryTableOffsetOffset);
    if (static_cast<std::uint64_t>(tableOffset) + static_cast<std::uint64_t>(count) * kEntrySize > size) {
        Refuse(name, std::to_string(count) + " entries at " + Hex(tableOffset) + " run past the end of the " +
               std::to_string(size) + "-byte file");
        Release();
        return 0;
    }
    // Every package of the game holds scripts: an empty one is a damaged header.
    if (count == 0) {
        Refuse(name, "the package holds no entries");
        Release();
        return 0;
    }
    entries_ = static_cast<DecodedEntry*>(memory::MainHeapAlloc(sizeof(DecodedEntry) * count));
    if (entries_ == nullptr) {
        Refuse(name, "no memory for " + std::to_string(count) + " entries");
        Release();
        return 0;
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        new (&entries_[i]) DecodedEntry();
    }
    entryCount_ = count;

    // A block is checked and summed whole. Entries that name the very same block share its check, so
    // a package may give one script several ids; distinct blocks together may hold no more than the
    // file, or blocks stretched over each other would make a small package as slow to load as a huge one.
    struct CheckedBlock {
        std::uint32_t entry;
        std::optional<std::uint32_t> checksum;  // summed when an entry first asks for it
    };
    std::unordered_map<std::uint64_t, CheckedBlock> checkedBlocks;
    std::uint64_t scriptBytes = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint8_t* entry = bytes + tableOffset + static_cast<std::uint64_t>(i) * kEntrySize;
        DecodedEntry& decoded = entries_[i];
        decoded.id = ReadU32(entry + kEntryIdOffset);
        const std::uint32_t blockSize = ReadU32(entry + kEntryBlockSizeOffset);
        const std::uint32_t blockOffset = ReadU32(entry + kEntryBlockOffsetOffset);
        if (blockSize == 0) {
            continue;
        }
        if (static_cast<std::uint64_t>(blockOffset) + blockSize > size) {
            Refuse(name, "entry " + std::to_string(i) + ": block at " + Hex(blockOffset) + " of " +
                   std::to_string(blockSize) + " bytes runs past the end of the " + std::to_string(size) +
                   "-byte file");
            Release();
            return 0;
        }
        const std::uint8_t* block = bytes + blockOffset;
        if (blockSize < 4 || ReadU32(block) != kBlockMagic) {
            continue;  // kept with its id and no program
        }
        const auto [checked, first] =
            checkedBlocks.try_emplace((static_cast<std::uint64_t>(blockOffset) << 32) | blockSize, CheckedBlock{i, {}});
        if (first) {
            scriptBytes += blockSize;
            if (scriptBytes > size) {
                Refuse(name, "entry " + std::to_string(i) + ": the script blocks so far add up to " +
                       std::to_string(scriptBytes) + " bytes, more than the " + std::to_string(size) +
                       "-byte file; their blocks overlap");
                Release();
                return 0;
            }
            if (!DecodeBlock(block, blockSize, i, name, decoded.program)) {
                Release();
                return 0;
            }
        } else {
            decoded.program = entries_[checked->second.entry].program;
        }
        const std::uint32_t checksum = ReadU32(entry + kEntryChecksumOffset);
        if (checksum == 0) {
            continue;
        }
        if (!checked->second.checksum) {
            checked->second.checksum = BlockChecksum(block, blockSize);
        }
        if (checksum != *checked->second.checksum) {
            Refuse(name, "entry " + std::to_string(i) + ": the block does not match its check word " + Hex(checksum) +
                   "; it is damaged");
            Release();
            return 0;
        }
    }
    return 1;
}

const ProgramRecord* UTL_CManager::FindProgram(std::uint32_t id) const
{
    for (std::uint32_t i = 0; i < entryCount_; ++i) {
        if (entries_[i].id == id) {
            return &entries_[i].program;
        }
    }
    return nullptr;
}

}  // namespace vesk::utility::script_package
