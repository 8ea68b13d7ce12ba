// Script package blocks laid out: header, command table, label table, argument data and names.
#include "tools/common/script_package_writer.h"

#include "framework/utility/script_package/script_package.h"
#include "platform/little_endian.h"
#include "tools/common/byte_writer.h"

namespace vesk::tools::script {
namespace {

namespace format = vesk::utility::script_package;
using ::tools::PutU16;
using ::tools::PutU32;

constexpr std::size_t kBlockAlignment = 16;

void PadTo(std::vector<std::uint8_t>& bytes, std::size_t alignment)
{
    while (bytes.size() % alignment != 0) {
        bytes.push_back(0);
    }
}

std::vector<std::uint8_t> WriteBlock(const PackageEntry& entry)
{
    const std::size_t commandCount = entry.commands.size();
    const std::size_t commandTableLength = commandCount * format::kCommandSize;
    const std::size_t labelTableStart = format::kBlockHeaderSize + commandTableLength;
    std::vector<std::uint8_t> block(labelTableStart + entry.labels.size() * format::kLabelSize, 0);

    PutU32(block, 0, format::kBlockMagic);
    PutU16(block, format::kHeaderLengthOffset, format::kBlockHeaderSize);
    PutU32(block, format::kCommandCountOffset, static_cast<std::uint32_t>(commandCount));
    PutU32(block, format::kCommandTableLengthOffset, static_cast<std::uint32_t>(commandTableLength));
    PutU32(block, format::kLabelCountOffset, static_cast<std::uint32_t>(entry.labels.size()));

    for (std::size_t i = 0; i < commandCount; ++i) {
        const BlockCommand& command = entry.commands[i];
        const std::size_t record = format::kBlockHeaderSize + i * format::kCommandSize;
        block[record + format::kCommandTableOffset] = command.table;
        block[record + format::kCommandModeOffset] = command.mode;
        PutU16(block, record + format::kCommandSlotOffset, command.slot);
        PutU16(block, record + format::kCommandOperandOffset, command.operand);
        if (command.hasData) {
            PutU32(block, record + format::kCommandArgumentOffset, static_cast<std::uint32_t>(block.size()));
            block.insert(block.end(), command.data.begin(), command.data.end());
            PadTo(block, 4);
        }
    }
    for (std::size_t i = 0; i < entry.labels.size(); ++i) {
        const BlockLabel& label = entry.labels[i];
        const std::size_t pair = labelTableStart + i * format::kLabelSize;
        PutU32(block, pair, static_cast<std::uint32_t>(block.size()));
        PutU32(block, pair + 4, label.commandIndex);
        for (const char16_t unit : label.name) {
            block.push_back(static_cast<std::uint8_t>(unit));
            block.push_back(static_cast<std::uint8_t>(unit >> 8));
        }
        block.push_back(0);
        block.push_back(0);
    }
    PadTo(block, 4);
    return block;
}

}  // namespace

std::vector<std::uint8_t> WriteScriptPackage(const std::vector<PackageEntry>& entries, std::uint32_t kind)
{
    const std::size_t tableStart = format::kPackageHeaderSize;
    std::vector<std::uint8_t> package(tableStart + entries.size() * format::kEntrySize, 0);
    PutU32(package, format::kPackageMarkOffset, format::kPackageMark);
    PutU32(package, format::kPackageVersionOffset, format::kPackageVersion);
    PutU32(package, format::kPackageKindOffset, kind);
    PutU32(package, format::kEntryCountOffset, static_cast<std::uint32_t>(entries.size()));
    PutU32(package, format::kEntryTableOffsetOffset, static_cast<std::uint32_t>(tableStart));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        PadTo(package, kBlockAlignment);
        const std::vector<std::uint8_t> block = WriteBlock(entries[i]);
        const std::size_t entry = tableStart + i * format::kEntrySize;
        PutU32(package, entry + format::kEntryIdOffset, entries[i].id);
        PutU32(package, entry + format::kEntryBlockSizeOffset, static_cast<std::uint32_t>(block.size()));
        PutU32(package, entry + format::kEntryBlockOffsetOffset, static_cast<std::uint32_t>(package.size()));
        package.insert(package.end(), block.begin(), block.end());
    }
    SealScriptPackage(package);
    return package;
}

void SealScriptPackage(std::vector<std::uint8_t>& package)
{
    if (package.size() < format::kPackageHeaderSize) return;
    const auto word = [&](std::size_t at) { return platform::ReadU32(package.data() + at); };
    const std::uint64_t count = word(format::kEntryCountOffset);
    const std::uint64_t table = word(format::kEntryTableOffsetOffset);
    for (std::uint64_t i = 0; i < count && table + (i + 1) * format::kEntrySize <= package.size(); ++i) {
        const std::size_t entry = static_cast<std::size_t>(table + i * format::kEntrySize);
        const std::uint64_t size = word(entry + format::kEntryBlockSizeOffset);
        const std::uint64_t offset = word(entry + format::kEntryBlockOffsetOffset);
        if (size == 0 || offset + size > package.size()) continue;
        PutU32(package, entry + format::kEntryChecksumOffset,
               format::BlockChecksum(package.data() + offset, static_cast<std::size_t>(size)));
    }
}

}  // namespace vesk::tools::script
