// The static-database command table: which slot runs which handler.
#include <array>

#include "game/services/data/setting_commands.h"
#include "game/services/data/setting_script.h"

namespace {

using namespace setting_commands;
using vesk::utility::script::ScriptHandler;

constexpr std::array<ScriptHandler, kSettingTableSize> MakeTable()
{
    std::array<ScriptHandler, kSettingTableSize> table{};
    table[0] = ItemCommand;
    table[1] = CookingRecipeCommand;
    table[5] = StatModifierCommand;
    table[6] = ActorBaseStatsCommand;
    table[10] = TaskCommand;
    table[11] = BuildTaskIndexesCommand;
    table[12] = BuildProductionIndexCommand;
    table[15] = BalloonCommand;
    table[20] = ShipCommand;
    table[30] = QuestCommand;
    table[31] = PlayerConstantCommand;
    table[35] = RumorCommand;
    table[40] = ClearDatabaseCommand;
    table[41] = RoomKindCommand;
    table[50] = AcceptedCommand;
    table[60] = PlayerColorCommand;
    table[61] = HideoutCommand;
    table[62] = AcceptedCommand;
    table[65] = NearViewCommand;
    table[70] = ClockPeriodCommand;
    table[71] = LimitsCommand;
    table[75] = StallLimitsCommand;
    table[80] = CameraCommand;
    table[81] = TuningCommand;
    table[82] = ParamCommand;
    table[85] = AchievementGoalCommand;
    return table;
}

constexpr std::array<ScriptHandler, kSettingTableSize> kTable = MakeTable();

}  // namespace

vesk::utility::script::CommandTable GetStaticDatabaseCommandTable()
{
    return vesk::utility::script::CommandTable{kTable.data(), kSettingTableSize};
}
