#include "framework/utility/script/script_thread.h"

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

}  // namespace vesk::utility::script
