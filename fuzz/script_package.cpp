// Parses arbitrary bytes as a script package and runs every block it holds for a few frames.
// With the first byte odd, the rest is wrapped as the commands of one block
// instead, so that random bytecode runs too. Nothing may crash, read outside
// the package or hang.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "framework/log/log.h"
#include "framework/memory/heaps.h"
#include "framework/utility/script/common_table.h"
#include "framework/utility/script/script_engine.h"
#include "framework/utility/script/script_services.h"
#include "framework/utility/script_package/script_package.h"
#include "tools/common/script_package_writer.h"
#include "platform/little_endian.h"

namespace {

using namespace vesk::utility;

constexpr int kFrames = 6;
constexpr std::uint32_t kCommandBudget = 256;

class FuzzServices : public script::SYS_CScriptServices {
public:
    bool GetPadState(std::uint32_t, script::ScriptPadState& out) override
    {
        out = pad;
        return true;
    }
    script::AnimationHandle FindAnimation(std::uint64_t, std::uint32_t) override { return nullptr; }
    void PlaySound(std::uint32_t, float) override {}
    std::uint64_t SpawnEffect(std::string_view, const float*, const float*, float) override { return 1; }
    void SetEffectParameter(std::uint64_t, std::uint32_t) override {}

    script::ScriptPadState pad{0x300, 0x1, 0x300, 0x2, {0.5f, 0.0f}, {0.0f, 0.0f}};
};

// Table 1: a command that runs a routine now, one that yields and one that
// asks for the pass again, so nesting and re-runs are reached too.
std::uint32_t Routine(script::SYS_CScriptEngine& engine, std::uint8_t, const script::ScriptArgs& args, std::uint16_t)
{
    engine.RunRoutineNow(args.U32(0));
    return 1;
}
std::uint32_t Yield(script::SYS_CScriptEngine& engine, std::uint8_t mode, const script::ScriptArgs&, std::uint16_t)
{
    engine.RunningThread()->yield = 1;
    engine.RunningThread()->runAgain = mode & 1;
    return 1;
}
constexpr script::ScriptHandler kFuzzTable[] = {Routine, Yield};

class FuzzEngine : public script::SYS_CScriptEngine {
public:
    FuzzEngine()
    {
        SetCommandTable(0, script::GetCommonCommandTable());
        SetCommandTable(1, script::CommandTable{kFuzzTable, 2});
        SetThreads(&threads);
        SetCommandBudget(kCommandBudget);
    }
    void OnJump(int) override {}

    script::ScriptThreadBlock threads;
};

void RunProgram(const script_package::ProgramRecord& program, std::uint32_t start)
{
    FuzzEngine engine;
    engine.SetProgram(&program);
    engine.JumpToEntry(start);
    for (int frame = 0; frame < kFrames; ++frame) {
        engine.Update();
    }
    for (std::uint32_t i = 0; i < program.labelCount && i < 4; ++i) {
        const script_package::LabelRecord label = script_package::ReadLabel(program, i);
        std::u16string name;
        for (std::uint64_t at = label.nameOffset; at + 2 <= program.blockSize; at += 2) {
            const char16_t unit = platform::ReadU16(program.blockStart + at);
            if (unit == 0) {
                break;
            }
            name += unit;
        }
        engine.JumpToLabel(name);
        engine.Update();
    }
}

// Wraps bytes as the command table of one block inside a valid package.
std::vector<std::uint8_t> WrapAsBlock(const std::uint8_t* data, std::size_t size)
{
    namespace format = script_package;
    const std::size_t blockSize = format::kBlockHeaderSize + size;
    std::vector<std::uint8_t> bytes(format::kPackageHeaderSize + format::kEntrySize + blockSize, 0);
    const auto put = [&](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
        }
    };
    const std::size_t entry = format::kPackageHeaderSize;
    const std::size_t block = entry + format::kEntrySize;
    put(format::kPackageMarkOffset, format::kPackageMark);
    put(format::kPackageVersionOffset, format::kPackageVersion);
    put(format::kEntryCountOffset, 1);
    put(format::kEntryTableOffsetOffset, format::kPackageHeaderSize);
    put(entry + format::kEntryBlockSizeOffset, static_cast<std::uint32_t>(blockSize));
    put(entry + format::kEntryBlockOffsetOffset, static_cast<std::uint32_t>(block));
    put(block, format::kBlockMagic);
    put(block + format::kHeaderLengthOffset, format::kBlockHeaderSize);
    put(block + format::kCommandCountOffset, static_cast<std::uint32_t>(size / format::kCommandSize));
    put(block + format::kCommandTableLengthOffset, static_cast<std::uint32_t>(size));
    if (size != 0) {
        std::memcpy(bytes.data() + block + format::kBlockHeaderSize, data, size);
    }
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzServices services;
    static const bool quiet = [] {
        vesk::log::SetSink([](vesk::log::Level, std::string_view) {});
        script::SetScriptServices(&services);
        return true;
    }();
    (void)quiet;

    std::vector<std::uint8_t> bytes = size > 0 && (data[0] & 1) != 0 ? WrapAsBlock(data + 1, size - 1)
                                                                    : std::vector<std::uint8_t>(data, data + size);
    // The check words made to match, so that mutated blocks reach the structure checks.
    vesk::tools::script::SealScriptPackage(bytes);
    void* image = vesk::memory::MainHeapAlloc(bytes.empty() ? 1 : bytes.size());
    if (image == nullptr) {
        return 0;
    }
    if (!bytes.empty()) {
        std::memcpy(image, bytes.data(), bytes.size());
    }
    script_package::UTL_CManager package;
    if (package.ParseScriptPackage(image, bytes.size(), "fuzz.pac") == 0) {
        return 0;
    }
    for (std::uint32_t i = 0; i < package.GetEntryCount() && i < 4; ++i) {
        const script_package::ProgramRecord& program = package.GetEntry(i).program;
        if (!program.IsEmpty()) {
            RunProgram(program, 0);
            RunProgram(program, program.commandCount / 2);
        }
    }
    return 0;
}
