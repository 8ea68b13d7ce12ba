// The handlers of the enemy command table by slot, and what they share: the driven enemy and texts read within their argument.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/utility/script/script_engine.h"

class GAME_CObjectEnemy;
class GAME_CScriptEnemy;

namespace enemy_commands {

using vesk::utility::script::ScriptArgs;
using vesk::utility::script::SYS_CScriptEngine;

// Names of variables and parts, and operator texts, take 32 bytes of the
// argument data; effect labels 32 UTF-16 units.
inline constexpr std::size_t kNameBytes = 32;
inline constexpr std::size_t kLabelUnits = 32;

GAME_CScriptEnemy& EnemyEngine(SYS_CScriptEngine& engine);
// The enemy the engine drives; null without one.
GAME_CObjectEnemy* EnemyOf(SYS_CScriptEngine& engine);
// The text at the byte offset up to its first zero, read within its field of
// `width` bytes: a text that fills its field ends there. Empty (and the
// command marked faulty) when the field passes the end of the data.
std::string_view ReadName(const ScriptArgs& args, std::size_t byteOffset, std::size_t width = kNameBytes);
// A UTF-16 text of `units` units at the byte offset, up to its first zero.
std::u16string ReadLabel(const ScriptArgs& args, std::size_t byteOffset, std::size_t units = kLabelUnits);
// Folds a test into the running thread's condition words.
void ApplyTest(SYS_CScriptEngine& engine, bool truth);

// The enemy's values for comparisons and assignments, 0 to 18; 0 for others.
std::int64_t GetEnemyStat(const GAME_CObjectEnemy& enemy, std::uint32_t index);

// --- slots
std::uint32_t SpriteCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t);
std::uint32_t EndAndDropCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t);
std::uint32_t ThirdValueCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t);
std::uint32_t FlagCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t);
std::uint32_t FlagTestCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t);
std::uint32_t MovementCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t);
std::uint32_t AttackCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t);
std::uint32_t EffectCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t);
std::uint32_t VariableCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t);
std::uint32_t GlobalCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t);
std::uint32_t PartTreeCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t);
std::uint32_t PartCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t);
std::uint32_t ItemTestCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t);
std::uint32_t ConditionResetCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t);
std::uint32_t TakeItemCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t);
std::uint32_t TargetCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t);
std::uint32_t MiniGameCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t);
std::uint32_t AchievementCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t);

}  // namespace enemy_commands
