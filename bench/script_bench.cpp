// The script engine's cost per command on a loop of simple commands.
#include <cstring>
#include <string>

#include <benchmark/benchmark.h>

#include "framework/memory/heaps.h"
#include "framework/utility/script/common_table.h"
#include "framework/utility/script/script_engine.h"
#include "framework/utility/script_package/script_package.h"
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

}  // namespace
