// The "DTPS" program block of a script package: its layout and the program, command and label records.
#pragma once

#include <cstdint>

#include "platform/little_endian.h"

namespace vesk::utility::script_package {

// A "DTPS" block: header, command table, label table, then argument data and
// label names that commands and labels reach by offset from the block start.
inline constexpr std::uint32_t kBlockMagic = 0x53505444;  // "DTPS" in memory order
inline constexpr std::uint32_t kBlockHeaderSize = 20;
inline constexpr std::uint32_t kCommandSize = 12;
inline constexpr std::uint32_t kLabelSize = 8;

// Offsets inside a block header.
inline constexpr std::uint32_t kHeaderLengthOffset = 4;
inline constexpr std::uint32_t kCommandCountOffset = 8;
inline constexpr std::uint32_t kCommandTableLengthOffset = 12;
inline constexpr std::uint32_t kLabelCountOffset = 16;

// Offsets inside a command record.
inline constexpr std::uint32_t kCommandTableOffset = 0;
inline constexpr std::uint32_t kCommandModeOffset = 1;
inline constexpr std::uint32_t kCommandSlotOffset = 2;
inline constexpr std::uint32_t kCommandOperandOffset = 4;
inline constexpr std::uint32_t kCommandArgumentOffset = 8;

// What a script engine runs one block through. Every pointer points into the
// package image; the counts were checked against the block size when the
// package was parsed, so the tables lie wholly inside the block.
struct ProgramRecord {
    const std::uint8_t* blockStart = nullptr;  // base of every in-block offset
    const void* reserved = nullptr;            // always empty
    std::uint32_t blockSize = 0;
    const std::uint8_t* blockHeader = nullptr;  // the block start again
    const std::uint8_t* commandTable = nullptr;
    const std::uint8_t* labelTable = nullptr;
    std::uint32_t commandCount = 0;
    std::uint32_t labelCount = 0;

    bool IsEmpty() const { return blockStart == nullptr; }
};

// One command record, decoded.
struct CommandRecord {
    std::uint8_t table = 0;
    std::uint8_t mode = 0;
    std::uint16_t slot = 0;
    std::uint16_t operand = 0;
    std::uint32_t argumentOffset = 0;  // 0: no argument data
};

// index must be below program.commandCount.
inline CommandRecord ReadCommand(const ProgramRecord& program, std::uint32_t index)
{
    const std::uint8_t* record = program.commandTable + static_cast<std::uint64_t>(index) * kCommandSize;
    CommandRecord command;
    command.table = record[kCommandTableOffset];
    command.mode = record[kCommandModeOffset];
    command.slot = platform::ReadU16(record + kCommandSlotOffset);
    command.operand = platform::ReadU16(record + kCommandOperandOffset);
    command.argumentOffset = platform::ReadU32(record + kCommandArgumentOffset);
    return command;
}

// One label table pair.
struct LabelRecord {
    std::uint32_t nameOffset = 0;
    std::uint32_t commandIndex = 0;
};

// index must be below program.labelCount.
inline LabelRecord ReadLabel(const ProgramRecord& program, std::uint32_t index)
{
    const std::uint8_t* pair = program.labelTable + static_cast<std::uint64_t>(index) * kLabelSize;
    return LabelRecord{platform::ReadU32(pair), platform::ReadU32(pair + 4)};
}

}  // namespace vesk::utility::script_package
