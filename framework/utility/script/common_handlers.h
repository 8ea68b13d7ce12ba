// Handlers of the common command table, grouped by file.
// Only the table itself (common_table.cpp) refers to them.
#pragma once

#include "framework/utility/script/script_engine.h"

namespace vesk::utility::script::common {

#define VESK_COMMON_HANDLER(name) \
    std::uint32_t name(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t operand)

// Flow (common_flow.cpp)
VESK_COMMON_HANDLER(Return);
VESK_COMMON_HANDLER(ExitBlock);
VESK_COMMON_HANDLER(StartSubThread);
VESK_COMMON_HANDLER(StopSubThread);
VESK_COMMON_HANDLER(Jump);
VESK_COMMON_HANDLER(Goto);
VESK_COMMON_HANDLER(Call);
VESK_COMMON_HANDLER(JumpKind3);
VESK_COMMON_HANDLER(JumpIf);
VESK_COMMON_HANDLER(GotoIf);
VESK_COMMON_HANDLER(CallIf);
VESK_COMMON_HANDLER(JumpIfKind3);

// Waits and input tests (common_wait_input.cpp)
VESK_COMMON_HANDLER(Wait);
VESK_COMMON_HANDLER(Halt);
VESK_COMMON_HANDLER(WaitForDecide);
VESK_COMMON_HANDLER(TestHeld);
VESK_COMMON_HANDLER(TestPressed);
VESK_COMMON_HANDLER(TestReleased);
VESK_COMMON_HANDLER(TestRepeat);
VESK_COMMON_HANDLER(TestStick);
VESK_COMMON_HANDLER(TestLoopCounter);

// Target animation (common_animation.cpp)
VESK_COMMON_HANDLER(PlayAnimation);
VESK_COMMON_HANDLER(WaitAnimationEnd);
VESK_COMMON_HANDLER(WaitAnimationFrame);
VESK_COMMON_HANDLER(PlayAnimationBlend);
VESK_COMMON_HANDLER(SetAnimationSet);
VESK_COMMON_HANDLER(TargetCall10);
VESK_COMMON_HANDLER(TargetCall9);

// Sound and effects (common_sound_effect.cpp)
VESK_COMMON_HANDLER(PlaySound);
VESK_COMMON_HANDLER(SpawnEffect);
VESK_COMMON_HANDLER(SendEffectParameter);
VESK_COMMON_HANDLER(EffectPosition);
VESK_COMMON_HANDLER(EffectRotation);
VESK_COMMON_HANDLER(EffectScale);
VESK_COMMON_HANDLER(EffectParameterValue);

// Random numbers (common_random.cpp)
VESK_COMMON_HANDLER(RandomWait);
VESK_COMMON_HANDLER(SeedRandom);

#undef VESK_COMMON_HANDLER

}  // namespace vesk::utility::script::common
