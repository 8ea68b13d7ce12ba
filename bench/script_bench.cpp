// The script engine's cost per command on a loop of simple commands.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "framework/memory/heaps.h"
#include "framework/utility/script/common_table.h"
#include "framework/utility/script/script_engine.h"
#include "framework/utility/script_package/script_package.h"
#include "platform/little_endian.h"
#include "tools/common/script_assembler.h"

namespace {

using namespace vesk::utility;

constexpr const char* kDefinitions = R"(
table 0
nop           0   0
goto          11  0  label
wait          30  0  operand:u16
test.held     40  0  hex
effect.param  83  0  i32
)";

class BenchEngine : public script::SYS_CScriptEngine {
public:
    void OnJump(int) override {}
};

// A frame of the loop runs the wait that moves on, the goto, `body` simple
// commands and the wait that yields.
void BM_ScriptSimpleCommands(benchmark::State& state)
{
    const auto body = static_cast<int>(state.range(0));
    std::string source = ".entry 1\n\"start\":\ntop:\n";
    for (int i = 0; i < body; ++i) {
        source += i % 2 == 0 ? "    effect.param 7\n" : "    test.held 0x300\n";
    }
    source += "    wait 1\n    goto top\n";

    vesk::tools::script::CommandSet commands;
    vesk::tools::script::Diagnostics errors;
    commands.Parse(kDefinitions, "bench.def", errors);
    const auto assembled = vesk::tools::script::AssembleScript(source, "bench.vss", commands);
    if (!errors.empty() || !assembled.Ok()) {
        state.SkipWithError("the bench script does not assemble");
        return;
    }
    void* image = vesk::memory::MainHeapAlloc(assembled.package.size());
    std::memcpy(image, assembled.package.data(), assembled.package.size());
    script_package::UTL_CManager package;
    package.ParseScriptPackage(image, assembled.package.size(), "bench.pac");

    script::ScriptThreadBlock threads;
    BenchEngine engine;
    engine.SetCommandTable(0, script::GetCommonCommandTable());
    engine.SetProgram(package.FindProgram(1));
    engine.SetThreads(&threads);
    engine.JumpToLabel(u"start");
    engine.Update();  // runs up to the first wait

    for (auto _ : state) {
        engine.Update();
    }
    if (!threads.Main().running) {
        state.SkipWithError("the bench script stopped");
    }
    state.SetItemsProcessed(state.iterations() * (body + 3));
}
BENCHMARK(BM_ScriptSimpleCommands)->Arg(16)->Arg(256);

// Loading a package of one block whose `labels` labels all name the start of one
// text of four units a label: a label-name check that walked to the end of the
// name once per label would cost the square of the block's size.
void BM_ScriptPackageLabelsNamingOneLongText(benchmark::State& state)
{
    using namespace script_package;
    using platform::WriteU16;
    using platform::WriteU32;
    const auto labels = static_cast<std::uint32_t>(state.range(0));
    const std::uint32_t textStart = kBlockHeaderSize + labels * kLabelSize;
    const std::uint32_t textUnits = labels * 4;
    const std::uint32_t blockSize = textStart + (textUnits + 1) * 2;
    const std::uint32_t blockOffset = kPackageHeaderSize + kEntrySize;
    std::vector<std::uint8_t> file(blockOffset + blockSize, 0);
    WriteU32(&file[kPackageMarkOffset], kPackageMark);
    WriteU32(&file[kPackageVersionOffset], kPackageVersion);
    WriteU32(&file[kEntryCountOffset], 1);
    WriteU32(&file[kEntryTableOffsetOffset], kPackageHeaderSize);
    std::uint8_t* entry = &file[kPackageHeaderSize];
    WriteU32(entry + kEntryIdOffset, 1);
    WriteU32(entry + kEntryBlockSizeOffset, blockSize);
    WriteU32(entry + kEntryBlockOffsetOffset, blockOffset);
    std::uint8_t* block = &file[blockOffset];
    WriteU32(block, kBlockMagic);
    WriteU16(block + kHeaderLengthOffset, kBlockHeaderSize);
    WriteU32(block + kLabelCountOffset, labels);
    for (std::uint32_t i = 0; i < labels; ++i) {
        WriteU32(block + kBlockHeaderSize + i * kLabelSize, textStart);
    }
    for (std::uint32_t i = 0; i < textUnits; ++i) {
        block[textStart + i * 2] = 'a';
    }

    for (auto _ : state) {
        void* image = vesk::memory::MainHeapAlloc(file.size());
        std::memcpy(image, file.data(), file.size());
        UTL_CManager package;
        if (package.ParseScriptPackage(image, file.size(), "bench.pac") != 1) {
            state.SkipWithError("the package was refused");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
}
BENCHMARK(BM_ScriptPackageLabelsNamingOneLongText)->Arg(1 << 10)->Arg(1 << 13)->Arg(1 << 16);

}  // namespace
