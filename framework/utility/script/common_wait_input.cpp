// Waits and input tests of the common table.
#include "framework/utility/script/common_handlers.h"
#include "framework/utility/script/script_conditions.h"
#include "framework/utility/script/script_services.h"

namespace vesk::utility::script::common {
namespace {

constexpr std::uint32_t kDecideButtons = 0x300;
constexpr float kStickAtRest = 0.00001f;

std::uint32_t WaitThisFrame(ScriptThread& thread)
{
    thread.yield = 1;
    return 0;
}

// Without a pad record a button test fails: AND clears, OR is left alone.
std::uint32_t TestButtons(SYS_CScriptEngine& engine, const ScriptArgs& args,
                          std::uint32_t ScriptPadState::*set)
{
    if (!args.Need(1)) {
        return 0;
    }
    ScriptThread& thread = *engine.RunningThread();
    ScriptPadState pad;
    if (!GetFirstPadState(pad)) {
        thread.conditionAnd = 0;
        return 1;
    }
    ApplyTest(thread, ((pad.*set) & args.U32(0)) != 0);
    return 1;
}

}  // namespace

std::uint32_t Wait(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs&, std::uint16_t frames)
{
    ScriptThread& thread = *engine.RunningThread();
    return thread.framesOnCommand < frames ? WaitThisFrame(thread) : 1;
}

std::uint32_t Halt(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs&, std::uint16_t)
{
    return WaitThisFrame(*engine.RunningThread());
}

std::uint32_t WaitForDecide(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs&, std::uint16_t)
{
    ScriptPadState pad;
    if (GetFirstPadState(pad) && (pad.pressed & kDecideButtons) != 0) {
        return 1;
    }
    return WaitThisFrame(*engine.RunningThread());
}

std::uint32_t TestHeld(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    return TestButtons(engine, args, &ScriptPadState::held);
}

std::uint32_t TestPressed(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    return TestButtons(engine, args, &ScriptPadState::pressed);
}

std::uint32_t TestReleased(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    return TestButtons(engine, args, &ScriptPadState::released);
}

std::uint32_t TestRepeat(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    return TestButtons(engine, args, &ScriptPadState::repeat);
}

std::uint32_t TestStick(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    if (!args.Need(1)) {
        return 0;
    }
    float x = 0.0f;
    float y = 0.0f;
    if (ScriptPadState pad; GetFirstPadState(pad)) {
        const float* stick = args.U32(0) == 0 ? pad.leftStick : pad.rightStick;
        x = stick[0];
        y = stick[1];
    }
    ApplyTest(*engine.RunningThread(), x * x + y * y >= kStickAtRest);
    return 1;
}

std::uint32_t TestLoopCounter(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    if (!args.Need(2)) {
        return 0;
    }
    ScriptThread& thread = *engine.RunningThread();
    ApplyTest(thread, CompareValues<std::uint32_t>(args.U32(0), thread.loopCounter, args.U32(1)));
    return 1;
}

}  // namespace vesk::utility::script::common
