// Random-number commands of the common table.
#include <algorithm>
#include <cstdint>

#include "framework/math/random.h"
#include "framework/utility/script/common_handlers.h"

namespace vesk::utility::script::common {

std::uint32_t RandomWait(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    ScriptThread& thread = *engine.RunningThread();
    if (mode == 1) {
        if (!args.Need(2)) {
            return 0;
        }
        // Any words may come: the span is taken in 64 bits, the sum wraps.
        const std::int64_t span = std::clamp<std::int64_t>(static_cast<std::int64_t>(args.I32(1)) - args.I32(0),
                                                           INT32_MIN, INT32_MAX);
        thread.randomWaitTarget =
            static_cast<std::uint32_t>(math::RandInt(static_cast<int>(span)) + static_cast<std::int64_t>(args.I32(0)));
        return 1;
    }
    if (mode == 0 && thread.framesOnCommand < thread.randomWaitTarget) {
        thread.yield = 1;
        return 0;
    }
    return 1;
}

std::uint32_t SeedRandom(SYS_CScriptEngine&, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    if (mode != 0) {
        return 1;
    }
    if (!args.Need(1)) {
        return 0;
    }
    // The script's seed must not be replaced by the clock seed at the next draw.
    math::MarkRandomClockSeeded();
    math::SeedRandom(args.U32(0));
    return 1;
}

}  // namespace vesk::utility::script::common
