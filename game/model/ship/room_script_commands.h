// The room-script commands that run on a placed room: sprite, flags, display values, offsets, sound, removal, firing and targets.
#pragma once

#include <cstdint>

#include "framework/utility/script/script_engine.h"

// Handlers of the room command table's slots 10 to 14, 21, 30 and 31. Per-mille arguments are
// taken x 0.001; a command that runs over frames yields and is run again the next step.
namespace room_script_commands {

using vesk::utility::script::ScriptArgs;
using vesk::utility::script::SYS_CScriptEngine;

std::uint32_t SetSprite(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t operand);
std::uint32_t SetFlag(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t operand);
std::uint32_t Display(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t operand);
std::uint32_t Offset(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t operand);
std::uint32_t PlaySound(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t operand);
std::uint32_t RequestRemoval(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t operand);
std::uint32_t Fire(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t operand);
std::uint32_t Target(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t operand);

}  // namespace room_script_commands
