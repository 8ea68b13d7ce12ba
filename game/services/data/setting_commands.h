// Handlers of the static-database command table, grouped by file, and what they share.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/utility/script/script_engine.h"
#include "game/services/data/tag.h"

class GAME_CStaticDatabase;

namespace setting_commands {

using vesk::utility::script::ScriptArgs;
using vesk::utility::script::SYS_CScriptEngine;

#define GAME_SETTING_HANDLER(name) \
    std::uint32_t name(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t operand)

// Items and dishes (setting_commands_items.cpp): slots 0, 1 and 12.
GAME_SETTING_HANDLER(ItemCommand);
GAME_SETTING_HANDLER(CookingRecipeCommand);
GAME_SETTING_HANDLER(BuildProductionIndexCommand);

// Crew (setting_commands_crew.cpp): slots 5, 6, 11 and 15.
GAME_SETTING_HANDLER(StatModifierCommand);
GAME_SETTING_HANDLER(ActorBaseStatsCommand);
GAME_SETTING_HANDLER(BuildTaskIndexesCommand);
GAME_SETTING_HANDLER(BalloonCommand);

// Task kinds (setting_commands_tasks.cpp): slot 10.
GAME_SETTING_HANDLER(TaskCommand);

// World (setting_commands_world.cpp): slots 20, 30, 35, 41, 61 and 65.
GAME_SETTING_HANDLER(ShipCommand);
GAME_SETTING_HANDLER(QuestCommand);
GAME_SETTING_HANDLER(RumorCommand);
GAME_SETTING_HANDLER(RoomKindCommand);
GAME_SETTING_HANDLER(HideoutCommand);
GAME_SETTING_HANDLER(NearViewCommand);

// Tuning and the database as a whole (setting_commands_tuning.cpp): slots 40, 50, 62, 71, 80, 81, 82.
GAME_SETTING_HANDLER(ClearDatabaseCommand);
GAME_SETTING_HANDLER(AcceptedCommand);
GAME_SETTING_HANDLER(LimitsCommand);
GAME_SETTING_HANDLER(CameraCommand);
GAME_SETTING_HANDLER(TuningCommand);
GAME_SETTING_HANDLER(ParamCommand);

// The player data, the clock and the achievements (setting_commands_player.cpp): slots 31, 60, 70,
// 75 and 85.
GAME_SETTING_HANDLER(PlayerConstantCommand);
GAME_SETTING_HANDLER(PlayerColorCommand);
GAME_SETTING_HANDLER(ClockPeriodCommand);
GAME_SETTING_HANDLER(StallLimitsCommand);
GAME_SETTING_HANDLER(AchievementGoalCommand);

#undef GAME_SETTING_HANDLER

// The database the running setting script fills, or null.
GAME_CStaticDatabase* DatabaseOf(SYS_CScriptEngine& engine);

// A statement the database could not take (a full list, an unknown record or id): a warning
// line, so that data authors see what the script asked for and did not get.
void ReportRefused(std::string_view what);

// The text of an inline argument of `fieldBytes` bytes at byteOffset: up to its first zero byte,
// the end of the field or the end of the argument data, and at most fieldBytes - 1 characters.
// A text without its terminator is cut, never read past.
std::string ReadFieldText(const ScriptArgs& args, std::size_t byteOffset, std::size_t fieldBytes);

// Seconds as frames (x 60), saturated to 32 bits.
std::int32_t SecondsToFrames(std::int32_t seconds);

// value x 0.001 of a word read as unsigned, and of a word read as signed.
float UnsignedThousandths(std::uint32_t value);
float SignedThousandths(std::int32_t value);

// The room-kind tag a skill, buff or debuff applies in: the tag when the database knows the room
// kind, else none (a tag other than none is reported).
std::uint32_t ResolveModifierRoom(const GAME_CStaticDatabase& database, std::uint32_t tag, std::string_view owner);

}  // namespace setting_commands
