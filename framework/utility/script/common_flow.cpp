// Flow control of the common table: returns, exit blocks, sub-threads, jumps, gotos and calls.
// Jumps, gotos and calls come plain and conditional.
#include "framework/log/log.h"
#include "framework/utility/script/common_handlers.h"
#include "framework/utility/script/script_conditions.h"

namespace vesk::utility::script::common {
namespace {

// A restart that stays on its command: the new script starts at the target
// itself in the same frame.
void RestartAndRunAgain(SYS_CScriptEngine& engine, std::uint32_t target, int jumpKind)
{
    engine.Restart(target);
    engine.OnJump(jumpKind);
    ScriptThread& thread = *engine.RunningThread();
    thread.yield = 1;
    thread.runAgain = 1;
}

void ClearSubThread(ScriptThread& sub)
{
    sub.startData = nullptr;
    sub.startIndex = 0;
    sub.programCounter = 0;
    sub.running = 0;
    sub.keepFlags = 0;
}

}  // namespace

std::uint32_t Return(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs&, std::uint16_t)
{
    ScriptThread& thread = *engine.RunningThread();
    if (thread.stackDepth == 0) {
        engine.StopScript();
        thread.yield = 1;
        return 0;
    }
    if (thread.stackDepth > kReturnStackSize) {
        engine.StopThreadOnFault(thread, "its return stack depth is broken");
        return 0;
    }
    const std::uint32_t address = thread.returnStack[--thread.stackDepth];
    if (address == kNoIndex) {
        return 0;  // a call made at command 0: return once more
    }
    if (thread.resumePoints[thread.stackDepth].interrupted != 0) {
        return engine.Resume(address, thread.resumePoints[thread.stackDepth]);
    }
    return engine.Goto(address, 0);
}

std::uint32_t ExitBlock(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    ScriptThread& thread = *engine.RunningThread();
    if (mode == 0) {
        if (!args.Need(1)) {
            return 0;
        }
        thread.exitIndex = args.U32(0);
        thread.exitArmed = 1;
    } else if (mode == 1) {
        thread.exitIndex = kNoIndex;
        thread.exitArmed = 0;
    }
    return 1;
}

std::uint32_t StartSubThread(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    if (!args.Need(1)) {
        return 0;
    }
    const std::uint32_t start = args.U32(0);
    ScriptThreadBlock& block = *engine.CurrentBlock();
    for (std::uint32_t n = ScriptThreadBlock::kFirstSub; n <= kSubThreadCount; ++n) {
        ScriptThread& sub = block.Sub(n);
        if (sub.running != 0) {
            continue;
        }
        sub.keepFlags = mode == 1 ? kKeepFlag : 0;
        StartScriptThread(sub, start, engine.ArgumentsOf(start).Data());
        engine.OnJump(kJumpGoto);
        return 1;
    }
    // All eight busy: the start is dropped rather than taking over the main thread.
    log::Warning("script sub-thread at command " + std::to_string(start) + " not started: all " +
                 std::to_string(kSubThreadCount) + " sub-threads are running");
    return 1;
}

std::uint32_t StopSubThread(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    ScriptThreadBlock& block = *engine.CurrentBlock();
    if (mode == 0) {
        if (!args.Need(1)) {
            return 0;
        }
        const std::uint32_t start = args.U32(0);
        for (std::uint32_t n = ScriptThreadBlock::kFirstSub; n <= kSubThreadCount; ++n) {
            ScriptThread& sub = block.Sub(n);
            if (sub.running != 0 && sub.startIndex == start) {
                ClearSubThread(sub);
                break;
            }
        }
    } else if (mode == 1) {
        for (std::uint32_t n = ScriptThreadBlock::kFirstSub; n <= kSubThreadCount; ++n) {
            ScriptThread& sub = block.Sub(n);
            if (sub.running != 0 && (sub.keepFlags & kKeepFlag) == 0) {
                ClearSubThread(sub);
            }
        }
    }
    return 1;
}

std::uint32_t Jump(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    if (!args.Need(1)) {
        return 0;
    }
    RestartAndRunAgain(engine, args.U32(0), kJumpRestart);
    return 0;
}

std::uint32_t Goto(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    if (!args.Need(1)) {
        return 0;
    }
    ScriptThread& thread = *engine.RunningThread();
    engine.Goto(args.U32(0), 0);
    ++thread.loopCounter;
    return 1;
}

std::uint32_t Call(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    if (!args.Need(1)) {
        return 0;
    }
    engine.Call(args.U32(0));
    return 1;
}

std::uint32_t JumpKind3(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    if (!args.Need(1)) {
        return 0;
    }
    RestartAndRunAgain(engine, args.U32(0), kJumpRestartKind3);
    return 1;
}

std::uint32_t JumpIf(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    if (!args.Need(2)) {
        return 0;
    }
    const bool holds = ConditionHolds(*engine.RunningThread(), args.U32(0));
    if (holds) {
        RestartAndRunAgain(engine, args.U32(1), kJumpRestart);
    }
    ResetConditions(*engine.RunningThread());
    return holds ? 0 : 1;
}

std::uint32_t GotoIf(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    if (!args.Need(2)) {
        return 0;
    }
    ScriptThread& thread = *engine.RunningThread();
    if (ConditionHolds(thread, args.U32(0))) {
        thread.programCounter = args.U32(1);
        thread.running = 1;
        engine.OnJump(kJumpGoto);
        thread.loopCounter = 0;
    }
    ResetConditions(thread);
    return 1;
}

std::uint32_t CallIf(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    if (!args.Need(2)) {
        return 0;
    }
    ScriptThread& thread = *engine.RunningThread();
    if (ConditionHolds(thread, args.U32(0))) {
        engine.Call(args.U32(1));
    }
    ResetConditions(thread);
    return 1;
}

std::uint32_t JumpIfKind3(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    if (!args.Need(2)) {
        return 0;
    }
    const bool holds = ConditionHolds(*engine.RunningThread(), args.U32(0));
    if (holds) {
        RestartAndRunAgain(engine, args.U32(1), kJumpRestartKind3);
    }
    ResetConditions(*engine.RunningThread());
    return holds ? 0 : 1;
}

}  // namespace vesk::utility::script::common
