// Handlers of the graphic table, grouped by file, and what they share.
// Only the table itself (graphic_table.cpp) refers to them. Every handler moves
// on; one that finds no running object or no graphic does nothing.
#pragma once

#include <cstdint>

#include "framework/utility/script_graphic/script_engine.h"

namespace vesk::utility::script_graphic::graphic {

using script::ScriptArgs;
using script::SYS_CScriptEngine;

// The table is installed only by UTL_CScriptEngine::Init.
inline UTL_CScriptEngine& GraphicEngine(SYS_CScriptEngine& engine) { return static_cast<UTL_CScriptEngine&>(engine); }

inline UTL_CObjectScript* RunningObject(SYS_CScriptEngine& engine) { return GraphicEngine(engine).GetCurrentObject(); }

// The running object's graphic; null when there is none.
inline UTL_CObjectBase* CurrentGraphic(SYS_CScriptEngine& engine)
{
    UTL_CObjectScript* object = RunningObject(engine);
    return object != nullptr ? object->GetGraphic() : nullptr;
}

// Random float in [low, high) and random integer in [low, high].
float RandomIn(float low, float high);
std::int32_t RandomIntIn(std::int32_t low, std::int32_t high);

#define VESK_GRAPHIC_HANDLER(name) \
    std::uint32_t name(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t operand)

// Objects (graphic_objects.cpp)
VESK_GRAPHIC_HANDLER(Sprite);
VESK_GRAPHIC_HANDLER(ChildScript);
VESK_GRAPHIC_HANDLER(RemoveChildren);
VESK_GRAPHIC_HANDLER(SelectGraphic);

// Life and drawing state (graphic_state.cpp)
VESK_GRAPHIC_HANDLER(Lifetime);
VESK_GRAPHIC_HANDLER(Immortal);
VESK_GRAPHIC_HANDLER(Flip);
VESK_GRAPHIC_HANDLER(Origin);
VESK_GRAPHIC_HANDLER(Visible);
VESK_GRAPHIC_HANDLER(Priority);
VESK_GRAPHIC_HANDLER(BlendMode);
VESK_GRAPHIC_HANDLER(InheritTransform);
VESK_GRAPHIC_HANDLER(InheritPriority);
VESK_GRAPHIC_HANDLER(InheritBlendMode);
VESK_GRAPHIC_HANDLER(InheritVisible);
VESK_GRAPHIC_HANDLER(InheritColor);
VESK_GRAPHIC_HANDLER(InheritAlpha);
VESK_GRAPHIC_HANDLER(OwnRotation);

// Motion (graphic_motion.cpp)
VESK_GRAPHIC_HANDLER(Position);
VESK_GRAPHIC_HANDLER(PositionX);
VESK_GRAPHIC_HANDLER(PositionY);
VESK_GRAPHIC_HANDLER(MoveTo);
VESK_GRAPHIC_HANDLER(Velocity);
VESK_GRAPHIC_HANDLER(VelocityAdd);
VESK_GRAPHIC_HANDLER(Acceleration);
VESK_GRAPHIC_HANDLER(Scale);
VESK_GRAPHIC_HANDLER(ScaleAdd);
VESK_GRAPHIC_HANDLER(ScaleVelocity);
VESK_GRAPHIC_HANDLER(Rotation);
VESK_GRAPHIC_HANDLER(RotationVelocity);
VESK_GRAPHIC_HANDLER(KnockBack);

// Colour (graphic_color.cpp)
VESK_GRAPHIC_HANDLER(Alpha);
VESK_GRAPHIC_HANDLER(AlphaVelocity);
VESK_GRAPHIC_HANDLER(Color);
VESK_GRAPHIC_HANDLER(ColorVelocity);
VESK_GRAPHIC_HANDLER(Red);
VESK_GRAPHIC_HANDLER(RedVelocity);
VESK_GRAPHIC_HANDLER(Green);
VESK_GRAPHIC_HANDLER(GreenVelocity);
VESK_GRAPHIC_HANDLER(Blue);
VESK_GRAPHIC_HANDLER(BlueVelocity);

// Variables and input (graphic_input.cpp)
VESK_GRAPHIC_HANDLER(SetVariable);
VESK_GRAPHIC_HANDLER(TestVariable);
VESK_GRAPHIC_HANDLER(SetPad);
VESK_GRAPHIC_HANDLER(TestPad);
VESK_GRAPHIC_HANDLER(OnHeld);
VESK_GRAPHIC_HANDLER(OnPressed);
VESK_GRAPHIC_HANDLER(OnReleased);
VESK_GRAPHIC_HANDLER(OnRepeat);
VESK_GRAPHIC_HANDLER(OnPointerNear);
VESK_GRAPHIC_HANDLER(InputLock);

#undef VESK_GRAPHIC_HANDLER

}  // namespace vesk::utility::script_graphic::graphic
