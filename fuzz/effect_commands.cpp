// Random effect-script commands of the common and graphic tables with random arguments, run on the script-graphic engine for a few frames: no crash, no hang, and no object left listed once all are killed.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "framework/utility/script/common_table.h"
#include "framework/utility/script_graphic/script_engine.h"
#include "framework/utility/script_package/script_package.h"
#include "fuzz/quiet_log.h"
#include "fuzz/registration_input.h"

namespace {

using registration_fuzz::InputReader;
using vesk::utility::script_graphic::UTL_CScriptEngine;

constexpr int kFrames = 30;
// Five times the longest script: a script that runs longer is taken to hang and stopped. Every object spends it
// on each of its threads in a frame, so a small budget keeps a run of thousands of objects short.
constexpr std::uint32_t kCommandBudget = 1u << 8;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_support::QuietLog();
    InputReader in(data, size);
    // A slot of either table or just past it.
    const auto package = registration_fuzz::ParsePackage(registration_fuzz::RunPackageFromInput(
        in, vesk::utility::script::kCommonTableSize + 1, UTL_CScriptEngine::kTableSize + 1, u"end"));
    if (package == nullptr) return 0;

    UTL_CScriptEngine engine;
    engine.Init(package->FindProgram(1));
    engine.SetCommandBudget(kCommandBudget);
    if (engine.CreateScriptObject(u"root", 0, nullptr) == nullptr) std::abort();
    for (int frame = 0; frame < kFrames && engine.ObjectCount() != 0; ++frame) {
        engine.RunFramePasses();
        engine.DrawAllPriorities();
        if (engine.ObjectCount() > UTL_CScriptEngine::kMaxObjects) std::abort();
        // A script that filled the engine has shown it refused the rest; more frames of thousands of objects
        // would only slow the run.
        if (engine.ObjectCount() == UTL_CScriptEngine::kMaxObjects) break;
    }
    engine.KillAll();
    if (engine.ObjectCount() != 0) std::abort();
    return 0;
}
