// The actor command table of the crew members' scripts.
#pragma once

#include "framework/utility/script/script_engine.h"

// Table 1 of the actor engine: 40 slots. The crew member's frame and its size on screen, its scale
// pair, its progress value, the step period, whether it is drawn, where its load is drawn, sound
// effects, and the start of its AI.
vesk::utility::script::CommandTable GetActorCommandTable();

// Slot 23: sound effect a0 (below 63) at the volume a1 per mille (0 to 1000). The enemy table
// shares it.
std::uint32_t PlaySoundEffectCommand(vesk::utility::script::SYS_CScriptEngine& engine, std::uint8_t mode,
                                     const vesk::utility::script::ScriptArgs& args, std::uint16_t operand);
