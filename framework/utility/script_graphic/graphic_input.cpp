// Per-object variables, pad index and the input routines.
#include "framework/input/input_manager.h"
#include "framework/input/touch_search.h"
#include "framework/utility/script/script_conditions.h"
#include "framework/utility/script_graphic/creation_record.h"
#include "framework/utility/script_graphic/graphic_handlers.h"

namespace vesk::utility::script_graphic::graphic {

namespace {

constexpr std::uint32_t kPadCount = 4;
// The pointer-near command looks at pointers pressed this frame.
constexpr std::uint32_t kPointerLayerMask = input::kTouchPressed;

// Query modes of a pad's button sets.
constexpr int kHeldSet = 0;
constexpr int kReleasedSet = 1;
constexpr int kPressedSet = 2;
constexpr int kRepeatSet = 3;

bool InputLocked(const UTL_CObjectBase& object)
{
    return object.timers[draw_unit::UTL_CObject2Base::kInputLockTimer] != 0;
}

// a0 variable, a1 state, a2 button mask, a3 new state, a4 routine: when the
// object is not locked, is in that state and its pad has a masked button in
// the set, it moves to the new state and the routine runs now.
std::uint32_t OnButtons(SYS_CScriptEngine& engine, const ScriptArgs& args, int set)
{
    UTL_CObjectScript* object = RunningObject(engine);
    if (object == nullptr || !args.Need(5) || InputLocked(*object)) {
        return 1;
    }
    const std::uint32_t variable = args.U32(0);
    if (variable >= object->variables.size() || object->variables[variable] != args.I32(1) ||
        object->padIndex >= kPadCount) {
        return 1;
    }
    const input::PadInput* pad = input::GetPadInput(static_cast<int>(object->padIndex));
    if (pad == nullptr || (pad->buttons.ForMode(set) & args.U32(2)) == 0) {
        return 1;
    }
    object->variables[variable] = args.I32(3);
    engine.RunRoutineNow(args.U32(4));
    return 1;
}

}  // namespace

std::uint32_t SetVariable(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    UTL_CObjectBase* graphic = CurrentGraphic(engine);
    if (graphic != nullptr && args.Need(2) && args.U32(0) < graphic->variables.size()) {
        graphic->variables[args.U32(0)] = args.I32(1);
    }
    return 1;
}

std::uint32_t TestVariable(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    if (!args.Need(3)) {
        return 1;
    }
    UTL_CObjectBase* graphic = CurrentGraphic(engine);
    const std::uint32_t variable = args.U32(1);
    const bool truth = graphic != nullptr && variable < graphic->variables.size() &&
                       script::CompareValues<std::int32_t>(args.U32(0), graphic->variables[variable], args.I32(2));
    script::ApplyTest(*engine.RunningThread(), truth);
    return 1;
}

std::uint32_t SetPad(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    UTL_CObjectBase* graphic = CurrentGraphic(engine);
    if (graphic != nullptr && args.Need(1)) {
        graphic->padIndex = args.U32(0);
    }
    return 1;
}

std::uint32_t TestPad(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    if (!args.Need(2)) {
        return 1;
    }
    UTL_CObjectBase* graphic = CurrentGraphic(engine);
    const bool truth =
        graphic != nullptr && script::CompareValues<std::uint32_t>(args.U32(0), graphic->padIndex, args.U32(1));
    script::ApplyTest(*engine.RunningThread(), truth);
    return 1;
}

std::uint32_t OnHeld(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    return OnButtons(engine, args, kHeldSet);
}

std::uint32_t OnPressed(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    return OnButtons(engine, args, kPressedSet);
}

std::uint32_t OnReleased(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    return OnButtons(engine, args, kReleasedSet);
}

std::uint32_t OnRepeat(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    return OnButtons(engine, args, kRepeatSet);
}

std::uint32_t OnPointerNear(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    // a0 variable, a name of 32 units from a1, a17 radius, a18 new state, a19 routine.
    UTL_CObjectScript* object = RunningObject(engine);
    if (object == nullptr || !args.Need(20) || InputLocked(*object)) {
        return 1;
    }
    const std::uint32_t variable = args.U32(0);
    UTL_CObjectBase* target = GraphicEngine(engine).FindObjectByName(ReadName(args, 4));
    if (target == nullptr || variable >= object->variables.size()) {
        return 1;
    }
    input::TouchList collected;
    const input::TouchList* points = GraphicEngine(engine).GetHitList();
    if (points == nullptr) {
        input::CollectHitObjects(kPointerLayerMask, collected);
        points = &collected;
    }
    if (input::FindObjectInRadius(*points, target->world.position, args.F32(17)) == nullptr) {
        return 1;
    }
    object->variables[variable] = args.I32(18);
    engine.RunRoutineNow(args.U32(19));
    return 1;
}

std::uint32_t InputLock(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    UTL_CObjectScript* object = RunningObject(engine);
    if (object != nullptr && args.Need(1)) {
        object->timers[draw_unit::UTL_CObject2Base::kInputLockTimer] = args.U32(0);
    }
    return 1;
}

}  // namespace vesk::utility::script_graphic::graphic
