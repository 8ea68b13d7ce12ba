// The step period of a game object's script: run every n-th step.
#pragma once

#include <cstdint>

#include "framework/utility/script/script_args.h"
#include "framework/utility/script/script_engine.h"

// Period and counter of an engine that runs every n-th step. The set-period
// commands write the period and zero the counter.
struct ScriptPeriod {
    std::int32_t period = 1;
    std::int32_t counter = 0;

    void Set(std::int32_t steps)
    {
        period = steps;
        counter = 0;
    }

    // With a period below 1 the script runs every step; otherwise the counter
    // counts modulo the period and the script runs when it comes round to 0.
    void Tick(vesk::utility::script::SYS_CScriptEngine& engine)
    {
        if (period < 1) {
            engine.Update();
            return;
        }
        counter = static_cast<std::int32_t>((static_cast<std::int64_t>(counter) + 1) % period);
        if (counter == 0) {
            engine.Update();
        }
    }
};

// The set-period command of the room and actor tables: period = a0, counter 0.
template <typename Engine>
std::uint32_t SetPeriodCommand(vesk::utility::script::SYS_CScriptEngine& engine, std::uint8_t mode,
                               const vesk::utility::script::ScriptArgs& args, std::uint16_t)
{
    if (mode == 0 && args.Need(1)) {
        static_cast<Engine&>(engine).Period().Set(args.I32(0));
    }
    return 1;
}

// Frames the running thread has spent on its current statement (0 without a thread).
inline std::uint32_t FramesOnCommand(vesk::utility::script::SYS_CScriptEngine& engine)
{
    const vesk::utility::script::ScriptThread* thread = engine.RunningThread();
    return thread != nullptr ? thread->framesOnCommand : 0;
}

// Keeps the thread on this statement until the next step: a handler's result.
inline std::uint32_t YieldThisFrame(vesk::utility::script::SYS_CScriptEngine& engine)
{
    if (vesk::utility::script::ScriptThread* thread = engine.RunningThread()) thread->yield = 1;
    return 0;
}
