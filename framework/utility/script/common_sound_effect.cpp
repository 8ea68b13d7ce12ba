// Sound and particle-effect commands of the common table.
#include "framework/utility/script/common_handlers.h"
#include "framework/utility/script/script_services.h"

namespace vesk::utility::script::common {
namespace {

constexpr float kPi = 3.1415927f;

// Reads the three axes of one of the thread's effect vectors; false when the command has fewer arguments.
bool ReadAxes(const ScriptArgs& args, float (&axes)[3])
{
    if (!args.Need(3)) {
        return false;
    }
    for (int axis = 0; axis < 3; ++axis) {
        axes[axis] = args.F32(axis);
    }
    return true;
}

}  // namespace

std::uint32_t PlaySound(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    if (!args.Need(2)) {
        return 0;
    }
    GetScriptServices().PlaySound(args.U32(0), args.F32(1));
    return 1;
}

std::uint32_t SpawnEffect(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    const std::string_view name = args.AsciiZ(0);
    if (args.Faulted()) {
        return 0;
    }
    ScriptThread& thread = *engine.RunningThread();
    SYS_CScriptServices& services = GetScriptServices();
    float degrees[3];
    for (int axis = 0; axis < 3; ++axis) {
        degrees[axis] = thread.effectRotation[axis] * 180.0f / kPi;
    }
    thread.effectHandle = services.SpawnEffect(name, thread.effectPosition, degrees, thread.effectScale[0]);
    services.SetEffectParameter(thread.effectHandle, thread.effectParameter);
    InitScriptThread(thread);
    return 1;
}

std::uint32_t SendEffectParameter(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    if (!args.Need(1)) {
        return 0;
    }
    GetScriptServices().SetEffectParameter(engine.RunningThread()->effectHandle, args.U32(0));
    return 1;
}

std::uint32_t EffectPosition(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    return ReadAxes(args, engine.RunningThread()->effectPosition) ? 1 : 0;
}

std::uint32_t EffectRotation(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    ScriptThread& thread = *engine.RunningThread();
    if (!ReadAxes(args, thread.effectRotation)) {
        return 0;
    }
    for (float& angle : thread.effectRotation) {
        angle = angle * kPi / 180.0f;  // given in degrees, kept in radians
    }
    return 1;
}

std::uint32_t EffectScale(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    return ReadAxes(args, engine.RunningThread()->effectScale) ? 1 : 0;
}

std::uint32_t EffectParameterValue(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    if (!args.Need(1)) {
        return 0;
    }
    engine.RunningThread()->effectParameter = args.U32(0);
    return 1;
}

}  // namespace vesk::utility::script::common
