// Random effect-script commands of the common and graphic tables with random arguments, run on the script-graphic engine for a few frames: no crash, no hang, and no object left listed once all are killed.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "framework/memory/heaps.h"
#include "framework/utility/script/common_table.h"
#include "framework/utility/script_graphic/script_engine.h"
#include "framework/utility/script_package/script_package.h"
#include "fuzz/quiet_log.h"
#include "fuzz/registration_input.h"
#include "tools/common/script_package_writer.h"

namespace {

using registration_fuzz::InputReader;
using vesk::utility::script_graphic::UTL_CScriptEngine;

constexpr int kFrames = 30;
// Five times the longest script: a script that runs longer is taken to hang and stopped. Every object spends it
// on each of its threads in a frame, so a small budget keeps a run of thousands of objects short.
constexpr std::uint32_t kCommandBudget = 1u << 8;

// One entry of up to 48 commands: table 0 or 1, any mode, a slot of the table or just past it, any operand
// and up to 24 argument words (enough for a name, a creation record and the words after them).
std::vector<std::uint8_t> PackageFromInput(InputReader& in)
{
    namespace writer = vesk::tools::script;
    writer::PackageEntry entry;
    entry.id = 1;
    const std::uint32_t count = 1 + in.U8() % 48;
    for (std::uint32_t i = 0; i < count; ++i) {
        writer::BlockCommand command;
        command.table = in.U8() & 1;
        command.mode = in.U8();
        const std::uint32_t slots =
            command.table == 0 ? vesk::utility::script::kCommonTableSize : UTL_CScriptEngine::kTableSize;
        command.slot = static_cast<std::uint16_t>(in.U16() % (slots + 1));
        command.operand = static_cast<std::uint16_t>(in.U8());  // waits of up to 255 frames
        registration_fuzz::ReadArgumentWords(in, command, 25);
        entry.commands.push_back(std::move(command));
    }
    entry.labels.push_back({u"test", 0});
    entry.labels.push_back({u"end", count / 2});
    return writer::WriteScriptPackage({entry});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_support::QuietLog();
    InputReader in(data, size);
    const std::vector<std::uint8_t> bytes = PackageFromInput(in);
    void* image = vesk::memory::MainHeapAlloc(bytes.size());
    if (image == nullptr) return 0;
    std::memcpy(image, bytes.data(), bytes.size());
    auto package = std::make_unique<vesk::utility::script_package::UTL_CManager>();
    if (package->ParseScriptPackage(image, bytes.size(), "fuzz.pac") != 1) return 0;

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
