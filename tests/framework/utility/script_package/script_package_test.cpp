// The script package reader: entries decoded, truncations and fields outside the file refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "framework/memory/heaps.h"
#include "framework/utility/script_package/script_package.h"
#include "tests/support/log_capture.h"
#include "tests/support/probe_script.h"

namespace vesk::utility::script_package {
namespace {

using support::LogCapture;
using support::AssembleProbeScript;
using support::BlockOffset;
using support::EntryOffset;
using support::ParseCopy;
using support::ReadWord;
using support::WriteWord;

const char* const kTwoEntries = R"(
.entry 'ID01'
"データベース登録":
    probe.mark 1
    halt
.entry 2
    halt
.entry 'ID01'
    probe.mark 2
    return
)";

TEST(ScriptPackage, DecodesEveryEntryAndFindsTheFirstOfEqualIds)
{
    const std::vector<std::uint8_t> bytes = AssembleProbeScript(kTwoEntries);
    UTL_CManager manager;
    ASSERT_TRUE(ParseCopy(manager, bytes));
    ASSERT_EQ(manager.GetEntryCount(), 3u);
    EXPECT_EQ(manager.GetEntry(1).id, 2u);

    const ProgramRecord* program = manager.FindProgram(0x31304449);  // "ID01"
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(program, &manager.GetEntry(0).program);
    EXPECT_EQ(program->commandCount, 3u);
    EXPECT_EQ(program->labelCount, 1u);
    EXPECT_EQ(program->blockHeader, program->blockStart);
    EXPECT_EQ(program->commandTable, program->blockStart + kBlockHeaderSize);
    EXPECT_EQ(program->labelTable, program->commandTable + 3 * kCommandSize);
    EXPECT_EQ(ReadCommand(*program, 1).slot, 0u);
    EXPECT_EQ(ReadCommand(*program, 1).table, 1u);
    EXPECT_EQ(manager.FindProgram(99), nullptr);
}

TEST(ScriptPackage, EmptyZeroedOrForeignPackagesAreRefusedAndEntriesWithoutBlocksKept)
{
    // No entries, a header of zeros (no mark), another version or another kind: refused with the reason.
    UTL_CManager manager;
    std::vector<std::uint8_t> empty(kPackageHeaderSize, 0);
    WriteWord(empty, kPackageMarkOffset, kPackageMark);
    WriteWord(empty, kPackageVersionOffset, kPackageVersion);
    WriteWord(empty, kEntryTableOffsetOffset, kPackageHeaderSize);
    const std::vector<std::uint8_t> good = AssembleProbeScript(kTwoEntries);
    std::vector<std::uint8_t> zeroed = good;
    std::fill_n(zeroed.begin(), kPackageHeaderSize, std::uint8_t{0});
    std::vector<std::uint8_t> newer = good;
    WriteWord(newer, kPackageVersionOffset, 2);
    std::vector<std::uint8_t> room = good;
    WriteWord(room, kPackageKindOffset, 0x4D4F4F52);  // "ROOM"
    struct Case {
        const std::vector<std::uint8_t>* bytes;
        const char* reason;
    };
    for (const Case& c : {Case{&empty, "holds no entries"}, Case{&zeroed, "mark 0x0 version 0"},
                          Case{&newer, "version 2"}, Case{&room, "kind \"ROOM\" where one of kind \"ENEM\""}}) {
        LogCapture log;
        void* image = memory::MainHeapAlloc(c.bytes->size());
        std::memcpy(image, c.bytes->data(), c.bytes->size());
        EXPECT_EQ(manager.ParseScriptPackage(image, c.bytes->size(), "test.pac", 0x4D454E45), 0) << c.reason;  // "ENEM"
        EXPECT_EQ(manager.GetEntryCount(), 0u);
        EXPECT_TRUE(log.Contains(std::string("test.pac: script package refused: ") )) << c.reason;
        EXPECT_TRUE(log.Contains(c.reason)) << c.reason << ::testing::PrintToString(log.Lines());
    }
    // A package made without a kind is taken by any loader.
    ASSERT_TRUE(ParseCopy(manager, good));

    // Size 0 over a valid block, and a block without the magic: kept, no program.
    std::vector<std::uint8_t> bytes = AssembleProbeScript(kTwoEntries);
    WriteWord(bytes, EntryOffset(bytes, 0) + kEntryBlockSizeOffset, 0);
    bytes[BlockOffset(bytes, 1)] = 'X';
    ASSERT_TRUE(ParseCopy(manager, bytes));
    ASSERT_EQ(manager.GetEntryCount(), 3u);
    EXPECT_TRUE(manager.GetEntry(0).program.IsEmpty());
    EXPECT_TRUE(manager.GetEntry(1).program.IsEmpty());
    EXPECT_EQ(manager.GetEntry(1).id, 2u);
    EXPECT_FALSE(manager.GetEntry(2).program.IsEmpty());
    EXPECT_EQ(manager.FindProgram(0x31304449), &manager.GetEntry(0).program);
}

TEST(ScriptPackage, ParsingAgainReplacesWhatWasHeld)
{
    ASSERT_TRUE(memory::CreateHeaps());
    {
        UTL_CManager manager;
        const std::size_t before = memory::GetArenaStats(*memory::MainHeap()).liveBlocks;
        ASSERT_TRUE(ParseCopy(manager, AssembleProbeScript(kTwoEntries)));
        EXPECT_EQ(memory::GetArenaStats(*memory::MainHeap()).liveBlocks, before + 2);  // image and entries
        ASSERT_TRUE(ParseCopy(manager, AssembleProbeScript(".entry 5\n    halt\n")));
        EXPECT_EQ(memory::GetArenaStats(*memory::MainHeap()).liveBlocks, before + 2);
        ASSERT_EQ(manager.GetEntryCount(), 1u);
        EXPECT_EQ(manager.GetEntry(0).id, 5u);
        manager.Release();
        EXPECT_EQ(memory::GetArenaStats(*memory::MainHeap()).liveBlocks, before);
        EXPECT_EQ(manager.GetEntryCount(), 0u);
    }
    memory::ReleaseHeaps();
}

// Every count and offset is checked against the file: a package cut short at
// any length, or with a field that points outside, is refused whole.
TEST(ScriptPackage, EveryTruncationIsRefusedWithoutReadingPastTheEnd)
{
    const std::vector<std::uint8_t> bytes = AssembleProbeScript(kTwoEntries);
    LogCapture capture;
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        UTL_CManager manager;
        const std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_FALSE(ParseCopy(manager, cut)) << length;
        EXPECT_EQ(manager.GetEntryCount(), 0u);
    }
    EXPECT_TRUE(capture.Contains("script package refused"));
}

TEST(ScriptPackage, FieldsPointingOutsideAreRefusedWithTheReason)
{
    const std::vector<std::uint8_t> good = AssembleProbeScript(kTwoEntries);
    const std::size_t block = BlockOffset(good, 0);
    const std::uint32_t blockSize = ReadWord(good, EntryOffset(good, 0) + kEntryBlockSizeOffset);
    struct Case {
        std::size_t at;
        std::uint32_t value;
        const char* message;
    };
    const Case cases[] = {
        {kEntryCountOffset, 0x10000000, "entries at 0x14 run past the end"},
        {kEntryTableOffsetOffset, 0xFFFFFFF0, "run past the end"},
        {EntryOffset(good, 1) + kEntryBlockOffsetOffset, 0xFFFFFF00, "entry 1: block at 0xFFFFFF00"},
        {EntryOffset(good, 1) + kEntryBlockSizeOffset, 0x7FFFFFFF, "entry 1: block at"},
        {EntryOffset(good, 0) + kEntryBlockSizeOffset, 12, "shorter than its header"},
        {block + kHeaderLengthOffset, 8, "header length 8 does not fit"},
        {block + kHeaderLengthOffset, blockSize + 4, "does not fit"},
        {block + kCommandCountOffset, 0x40000000, "commands in a table of 36 bytes"},
        {block + kCommandTableLengthOffset, 0xFFFFFFF0, "do not fit a block"},
        {block + kLabelCountOffset, 0x20000000, "labels do not fit"},
        {block + kBlockHeaderSize + 3 * kCommandSize, blockSize - 1, "does not end inside the block"},
        {block + kBlockHeaderSize + 3 * kCommandSize, 0xFFFFFFFF, "does not end inside the block"},
    };
    for (const Case& broken : cases) {
        std::vector<std::uint8_t> bytes = good;
        if (broken.at == block + kHeaderLengthOffset) {
            bytes[broken.at] = static_cast<std::uint8_t>(broken.value);
            bytes[broken.at + 1] = static_cast<std::uint8_t>(broken.value >> 8);
        } else {
            WriteWord(bytes, broken.at, broken.value);
        }
        LogCapture capture;
        UTL_CManager manager;
        EXPECT_FALSE(ParseCopy(manager, bytes)) << broken.message;
        EXPECT_EQ(manager.GetEntryCount(), 0u);
        ASSERT_FALSE(capture.Lines().empty()) << broken.message;
        EXPECT_TRUE(capture.Contains(broken.message)) << broken.message << ": " << capture.Lines().front();
        // The line names the file refused.
        EXPECT_EQ(capture.Lines().front().rfind("error: test.pac: script package refused: ", 0), 0u)
            << capture.Lines().front();
    }
}

TEST(ScriptPackage, EntriesMayShareABlockButBlocksStretchedOverEachOtherAreRefused)
{
    std::string source;
    for (int entry = 1; entry <= 8; ++entry) source += ".entry " + std::to_string(entry) + "\n    halt\n";
    const std::vector<std::uint8_t> assembled = AssembleProbeScript(source);
    UTL_CManager manager;
    ASSERT_TRUE(ParseCopy(manager, assembled));

    // Every entry names the first block, stretched to the end of the file: several ids of one script,
    // checked and summed once.
    std::vector<std::uint8_t> shared = assembled;
    const std::size_t first = BlockOffset(shared, 0);
    const auto stretched = static_cast<std::uint32_t>(shared.size() - first);
    for (std::uint32_t entry = 0; entry < 8; ++entry) {
        WriteWord(shared, EntryOffset(shared, entry) + kEntryBlockOffsetOffset, static_cast<std::uint32_t>(first));
        WriteWord(shared, EntryOffset(shared, entry) + kEntryBlockSizeOffset, stretched);
    }
    ASSERT_TRUE(ParseCopy(manager, shared));
    ASSERT_EQ(manager.GetEntryCount(), 8u);
    EXPECT_EQ(manager.FindProgram(8)->blockStart, manager.FindProgram(1)->blockStart);

    // Blocks that start alike but end a byte apart are distinct: together they outgrow the file.
    std::vector<std::uint8_t> overlapping = assembled;
    for (std::uint32_t entry = 0; entry < 8; ++entry) {
        WriteWord(overlapping, EntryOffset(overlapping, entry) + kEntryBlockOffsetOffset, static_cast<std::uint32_t>(first));
        WriteWord(overlapping, EntryOffset(overlapping, entry) + kEntryBlockSizeOffset, stretched - entry);
    }
    LogCapture capture;
    EXPECT_FALSE(ParseCopy(manager, overlapping));
    EXPECT_EQ(manager.GetEntryCount(), 0u);
    EXPECT_TRUE(capture.Contains("the script blocks so far add up to"));
}

}  // namespace
}  // namespace vesk::utility::script_package
