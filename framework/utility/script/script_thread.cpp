// Script threads set up, cleared and started.
#include "framework/utility/script/script_thread.h"

#include "framework/utility/script/script_conditions.h"

namespace vesk::utility::script {

void InitScriptThread(ScriptThread& thread)
{
    thread.effectId = kNoIndex;
    for (int axis = 0; axis < 3; ++axis) {
        thread.effectPosition[axis] = 0.0f;
        thread.effectRotation[axis] = 0.0f;
        thread.effectScale[axis] = 1.0f;
    }
    thread.effectParameter = kNoIndex;
}

void ClearScriptThread(ScriptThread& thread)
{
    thread = ScriptThread{};
    InitScriptThread(thread);
}

void StartScriptThread(ScriptThread& thread, std::uint32_t index, const std::uint8_t* startData)
{
    thread.startIndex = index;
    thread.programCounter = index;
    thread.startData = startData;
    thread.running = 1;
    ResetConditions(thread);
}

std::uint32_t InterruptedDepth(const ScriptThread& thread)
{
    for (std::uint32_t depth = thread.stackDepth < kReturnStackSize ? thread.stackDepth : kReturnStackSize; depth > 0;
         --depth) {
        if (thread.resumePoints[depth - 1].interrupted != 0) {
            return depth;
        }
    }
    return 0;
}

}  // namespace vesk::utility::script
