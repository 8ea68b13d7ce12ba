// Position, velocity, scale, rotation and movers of the graphic.
#include <memory>

#include "framework/utility/move_control/knock_back.h"
#include "framework/utility/script_graphic/graphic_handlers.h"

namespace vesk::utility::script_graphic::graphic {

namespace {

enum class Apply { Set, Add };

void Put(float& field, float value, Apply how) { field = how == Apply::Add ? field + value : value; }

// Pair modes of an (x, y) property: 0 (a0, a1); 1 x in [a0, a2), y in
// [a1, a3); 2 x = a0; 3 x in [a0, a1); 4 y = a0; 5 y in [a0, a1).
void ApplyPair(math::Vec2& target, std::uint8_t mode, const ScriptArgs& args, Apply how)
{
    switch (mode) {
    case 0:
        if (args.Need(2)) {
            Put(target.x, args.F32(0), how);
            Put(target.y, args.F32(1), how);
        }
        break;
    case 1:
        if (args.Need(4)) {
            Put(target.x, RandomIn(args.F32(0), args.F32(2)), how);
            Put(target.y, RandomIn(args.F32(1), args.F32(3)), how);
        }
        break;
    case 2:
        if (args.Need(1)) {
            Put(target.x, args.F32(0), how);
        }
        break;
    case 3:
        if (args.Need(2)) {
            Put(target.x, RandomIn(args.F32(0), args.F32(1)), how);
        }
        break;
    case 4:
        if (args.Need(1)) {
            Put(target.y, args.F32(0), how);
        }
        break;
    case 5:
        if (args.Need(2)) {
            Put(target.y, RandomIn(args.F32(0), args.F32(1)), how);
        }
        break;
    default:
        break;
    }
}

// Scalar modes: 0 set a0; 1 set random in [a0, a1); 2 add a0; and where
// allowed 3 add random in [a0, a1).
void ApplyScalar(float& target, std::uint8_t mode, const ScriptArgs& args, bool addRandom)
{
    switch (mode) {
    case 0:
        if (args.Need(1)) {
            target = args.F32(0);
        }
        break;
    case 1:
        if (args.Need(2)) {
            target = RandomIn(args.F32(0), args.F32(1));
        }
        break;
    case 2:
        if (args.Need(1)) {
            target += args.F32(0);
        }
        break;
    case 3:
        if (addRandom && args.Need(2)) {
            target += RandomIn(args.F32(0), args.F32(1));
        }
        break;
    default:
        break;
    }
}

// Modes 0 (a0, a1), 1 x = a0, 2 y = a0.
void ApplySimplePair(math::Vec2& target, std::uint8_t mode, const ScriptArgs& args)
{
    if (mode == 0 && args.Need(2)) {
        target = {args.F32(0), args.F32(1)};
    } else if (mode == 1 && args.Need(1)) {
        target.x = args.F32(0);
    } else if (mode == 2 && args.Need(1)) {
        target.y = args.F32(0);
    }
}

}  // namespace

std::uint32_t Position(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    // 0 and 1 set as pair modes 0 and 1; 2 and 3 add the same way.
    if (UTL_CObjectBase* graphic = CurrentGraphic(engine); graphic != nullptr && mode <= 3) {
        ApplyPair(graphic->local.position, mode & 1, args, mode >= 2 ? Apply::Add : Apply::Set);
    }
    return 1;
}

std::uint32_t PositionX(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    if (UTL_CObjectBase* graphic = CurrentGraphic(engine)) {
        ApplyScalar(graphic->local.position.x, mode, args, true);
    }
    return 1;
}

std::uint32_t PositionY(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    if (UTL_CObjectBase* graphic = CurrentGraphic(engine)) {
        ApplyScalar(graphic->local.position.y, mode, args, true);
    }
    return 1;
}

std::uint32_t MoveTo(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    UTL_CObjectBase* graphic = CurrentGraphic(engine);
    if (graphic == nullptr) {
        return 1;
    }
    const math::Vec2 here = graphic->local.position;
    math::Vec2 start = here;
    math::Vec2 end = here;
    std::uint32_t frames = 0;
    switch (mode) {
    case 0:
        if (!args.Need(5)) {
            return 1;
        }
        start = {args.F32(0), args.F32(1)};
        end = {args.F32(2), args.F32(3)};
        frames = args.U32(4);
        break;
    case 1:
        if (!args.Need(3)) {
            return 1;
        }
        end = {args.F32(0), args.F32(1)};
        frames = args.U32(2);
        break;
    case 2:
        if (!args.Need(3)) {
            return 1;
        }
        start.x = args.F32(0);
        end.x = args.F32(1);
        frames = args.U32(2);
        break;
    case 3:
        if (!args.Need(2)) {
            return 1;
        }
        end.x = args.F32(0);
        frames = args.U32(1);
        break;
    case 4:
        if (!args.Need(3)) {
            return 1;
        }
        start.y = args.F32(0);
        end.y = args.F32(1);
        frames = args.U32(2);
        break;
    case 5:
        if (!args.Need(2)) {
            return 1;
        }
        end.y = args.F32(0);
        frames = args.U32(1);
        break;
    default:
        return 1;
    }
    // The running object is put at the start; the graphic moves from where
    // it is. Both are the same object unless the script selected another.
    if (UTL_CObjectScript* object = RunningObject(engine)) {
        object->local.position = start;
    }
    graphic->StartMover(std::unique_ptr<move_control::UTL_CInterface>(
        new move_control::UTL_CKnockBack(frames, 0, 0.0f, end, 0.0f)));
    return 1;
}

std::uint32_t Velocity(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    if (UTL_CObjectBase* graphic = CurrentGraphic(engine)) {
        ApplyPair(graphic->velocity, mode, args, Apply::Set);
    }
    return 1;
}

std::uint32_t VelocityAdd(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    if (UTL_CObjectBase* graphic = CurrentGraphic(engine)) {
        ApplyPair(graphic->velocity, mode, args, Apply::Add);
    }
    return 1;
}

std::uint32_t Acceleration(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    if (UTL_CObjectBase* graphic = CurrentGraphic(engine)) {
        ApplySimplePair(graphic->acceleration, mode, args);
    }
    return 1;
}

std::uint32_t Scale(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    if (UTL_CObjectBase* graphic = CurrentGraphic(engine)) {
        ApplyPair(graphic->local.scale, mode, args, Apply::Set);
    }
    return 1;
}

std::uint32_t ScaleAdd(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    if (UTL_CObjectBase* graphic = CurrentGraphic(engine)) {
        ApplyPair(graphic->local.scale, mode, args, Apply::Add);
    }
    return 1;
}

std::uint32_t ScaleVelocity(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    if (UTL_CObjectBase* graphic = CurrentGraphic(engine)) {
        ApplySimplePair(graphic->scaleVelocity, mode, args);
    }
    return 1;
}

std::uint32_t Rotation(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    if (UTL_CObjectBase* graphic = CurrentGraphic(engine)) {
        ApplyScalar(graphic->local.rotation, mode, args, false);
    }
    return 1;
}

std::uint32_t RotationVelocity(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    if (UTL_CObjectBase* graphic = CurrentGraphic(engine)) {
        ApplyScalar(graphic->rotationVelocity, mode, args, false);
    }
    return 1;
}

std::uint32_t KnockBack(SYS_CScriptEngine& engine, std::uint8_t, const ScriptArgs& args, std::uint16_t)
{
    UTL_CObjectBase* graphic = CurrentGraphic(engine);
    if (graphic == nullptr || !args.Need(6)) {
        return 1;
    }
    // a0 minimum speed, a1 frames, a2 delay, a3 overshoot, (a4, a5) target.
    graphic->StartMover(std::unique_ptr<move_control::UTL_CInterface>(new move_control::UTL_CKnockBack(
        args.U32(1), args.U32(2), args.F32(3), {args.F32(4), args.F32(5)}, args.F32(0))));
    return 1;
}

}  // namespace vesk::utility::script_graphic::graphic
