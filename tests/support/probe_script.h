// A script engine with probe commands that let a test watch a script run, and offsets into package bytes.
#pragma once

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "framework/memory/heaps.h"
#include "framework/utility/script/common_table.h"
#include "framework/utility/script/script_engine.h"
#include "framework/utility/script_package/script_package.h"
#include "platform/little_endian.h"
#include "tests/support/script_assembly.h"
#include "tools/common/script_assembler.h"
#include "tools/common/script_commands.h"
#include "tools/common/script_package_writer.h"

namespace support {

using vesk::utility::script::ScriptArgs;
using vesk::utility::script::ScriptThread;
using vesk::utility::script::ScriptThreadBlock;

class ProbeEngine;

// Table 1 of the test engine: commands that let tests watch a script run.
//   probe.mark n         records n
//   probe.yield          moves on and ends the frame
//   probe.run_again      moves on, ends the frame and asks for the pass again
//   probe.spin           stays without yielding (runs again at once)
//   probe.routine label  RunRoutineNow(label)
inline constexpr std::string_view kProbeDefinitions = R"(
table 1
probe.mark       0  0  u32
probe.yield      1  0
probe.run_again  2  0
probe.spin       3  0
probe.routine    4  0  label
)";

class ProbeEngine : public vesk::utility::script::SYS_CScriptEngine {
public:
    ProbeEngine()
    {
        SetCommandTable(0, vesk::utility::script::GetCommonCommandTable());
        SetCommandTable(1, vesk::utility::script::CommandTable{kHandlers, 5});
        SetThreads(&block);
    }

    void OnJump(int kind) override { jumps.push_back(kind); }

    ScriptThreadBlock block;
    std::vector<std::uint32_t> marks;
    std::vector<int> jumps;

private:
    static std::uint32_t Mark(vesk::utility::script::SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
    {
        static_cast<ProbeEngine&>(engine).marks.push_back(args.U32(0));
        return 1;
    }
    static std::uint32_t Yield(vesk::utility::script::SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs&, std::uint16_t)
    {
        engine.RunningThread()->yield = 1;
        return 1;
    }
    static std::uint32_t RunAgain(vesk::utility::script::SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs&, std::uint16_t)
    {
        engine.RunningThread()->yield = 1;
        engine.RunningThread()->runAgain = 1;
        return 1;
    }
    static std::uint32_t Spin(vesk::utility::script::SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t) { return 0; }
    static std::uint32_t Routine(vesk::utility::script::SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
    {
        engine.RunRoutineNow(args.U32(0));
        return 1;
    }

    static constexpr vesk::utility::script::ScriptHandler kHandlers[] = {Mark, Yield, RunAgain, Spin, Routine};
};

// The common table's definitions plus the probe table, loaded once.
inline const vesk::tools::script::CommandSet& ProbeCommands()
{
    static const vesk::tools::script::CommandSet commands = [] {
        vesk::tools::script::CommandSet set;
        vesk::tools::script::Diagnostics errors;
        set.LoadFile(DefinitionPath("common.def"), errors);
        set.Parse(kProbeDefinitions, "probe.def", errors);
        for (const auto& error : errors) {
            ADD_FAILURE() << error.ToString();
        }
        return set;
    }();
    return commands;
}

inline std::vector<std::uint8_t> AssembleProbeScript(std::string_view source)
{
    const vesk::tools::script::AssemblyResult result = vesk::tools::script::AssembleScript(source, "test.vss", ProbeCommands());
    for (const auto& error : result.errors) {
        ADD_FAILURE() << error.ToString();
    }
    return result.package;
}

// Byte offset of a field of the package for tests that break packages on
// purpose: the entry record, its block, or a command record in the block.
inline std::uint32_t ReadWord(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return platform::ReadU32(bytes.data() + at);
}
inline void WriteWord(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}
inline std::size_t EntryOffset(const std::vector<std::uint8_t>& bytes, std::uint32_t entry)
{
    return ReadWord(bytes, vesk::utility::script_package::kEntryTableOffsetOffset) + entry * vesk::utility::script_package::kEntrySize;
}
inline std::size_t BlockOffset(const std::vector<std::uint8_t>& bytes, std::uint32_t entry)
{
    return ReadWord(bytes, EntryOffset(bytes, entry) + vesk::utility::script_package::kEntryBlockOffsetOffset);
}
inline std::size_t CommandOffset(const std::vector<std::uint8_t>& bytes, std::uint32_t entry, std::uint32_t command)
{
    const std::size_t block = BlockOffset(bytes, entry);
    return block + platform::ReadU16(bytes.data() + block + vesk::utility::script_package::kHeaderLengthOffset) +
           command * vesk::utility::script_package::kCommandSize;
}

// Parses package bytes into a manager, the blocks' check words made to match; the manager owns
// its copy.
inline bool ParseCopy(vesk::utility::script_package::UTL_CManager& manager, std::vector<std::uint8_t> bytes)
{
    // Tests break blocks on purpose to reach the parser's structure checks or the engine's.
    vesk::tools::script::SealScriptPackage(bytes);
    void* image = vesk::memory::MainHeapAlloc(bytes.empty() ? 1 : bytes.size());
    if (!bytes.empty()) {
        std::memcpy(image, bytes.data(), bytes.size());
    }
    return manager.ParseScriptPackage(image, bytes.size(), "test.pac") == 1;
}

// A probe engine running entry 1 of a package.
class ProbeScript {
public:
    explicit ProbeScript(std::string_view source) : ProbeScript(AssembleProbeScript(source)) {}
    explicit ProbeScript(const std::vector<std::uint8_t>& bytes)
    {
        EXPECT_TRUE(ParseCopy(manager, bytes));
        const vesk::utility::script_package::ProgramRecord* program = manager.FindProgram(1);
        EXPECT_NE(program, nullptr);
        engine.SetProgram(program);
    }

    ScriptThread& Main() { return engine.block.Main(); }
    ScriptThread& Sub(std::uint32_t n) { return engine.block.Sub(n); }
    std::vector<std::uint32_t>& Marks() { return engine.marks; }
    void Start(std::u16string_view label) { ASSERT_EQ(engine.JumpToLabel(label), 1u); }

    vesk::utility::script_package::UTL_CManager manager;
    ProbeEngine engine;
};

}  // namespace support
