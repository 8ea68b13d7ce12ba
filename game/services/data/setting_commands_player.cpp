// Static-database commands that tune the player data, the game clock and the achievements.
#include <algorithm>

#include "game/services/achievement/achievements.h"
#include "game/services/data/id_tags.h"
#include "game/services/player/player_data.h"
#include "game/services/data/setting_commands.h"
#include "game/services/clock/game_clock.h"

namespace setting_commands {

std::uint32_t PlayerConstantCommand(SYS_CScriptEngine&, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CPlayerData* player = GetPlayerData();
    if (player != nullptr && mode == 0 && args.Need(1)) {
        player->questLimit = args.U32(0);
    }
    return 1;
}

std::uint32_t PlayerColorCommand(SYS_CScriptEngine&, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CPlayerData* player = GetPlayerData();
    if (player == nullptr || (mode != 1 && (mode < 10 || mode > 12)) || !args.Need(2)) {
        return 1;
    }
    TextColorRecord& colors = player->textColors;
    if (mode == 1) {
        colors.first = args.U32(0);
        colors.second = args.U32(1);
        return 1;
    }
    // Groups of 4, 4 and 3 colours: the third group's last entry is not the script's.
    const std::span<std::uint32_t> groups[] = {colors.normal, colors.disabled,
                                               std::span<std::uint32_t>(colors.highlight).first(3)};
    const std::span<std::uint32_t> group = groups[mode - 10];
    if (args.U32(1) < group.size()) {
        group[args.U32(1)] = args.U32(0);
    } else {
        ReportRefused("text colour " + std::to_string(args.U32(1)) + " of group " + std::to_string(mode - 9) +
                      " does not exist");
    }
    return 1;
}

std::uint32_t ClockPeriodCommand(SYS_CScriptEngine&, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    if (mode <= 2 && args.Need(1)) {
        GetGameClock()->phaseLengths[mode] = args.U32(0);
    }
    return 1;
}

std::uint32_t StallLimitsCommand(SYS_CScriptEngine&, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    constexpr std::int32_t kMinFrames = 60;
    GAME_CPlayerData* player = GetPlayerData();
    if (player != nullptr && mode == 0 && args.Need(2)) {
        player->constant840 = static_cast<std::uint32_t>(std::max(kMinFrames, args.I32(0)));
        player->constant7200 = static_cast<std::uint32_t>(std::max(kMinFrames, args.I32(1)));
    }
    return 1;
}

std::uint32_t AchievementGoalCommand(SYS_CScriptEngine&, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    if (mode != 0 || !args.Need(2)) {
        return 1;
    }
    const std::int32_t index = FindAchievementIndex(args.U32(0));
    if (index < 0) {
        ReportRefused("achievement " + DescribeId(args.U32(0)) + " does not exist");
    } else {
        GetAchievementManager()->thresholds[index] = args.U32(1);
    }
    return 1;
}

}  // namespace setting_commands
