// Static-database commands of task kinds.
#include <algorithm>

#include "game/services/data/setting_commands.h"
#include "game/services/data/static_database.h"

namespace setting_commands {
namespace {

constexpr std::uint32_t kUpgradeBitCount = 11;

// Words each sub-code takes; 0 for sub-codes the table does not know.
std::size_t WordsOf(std::uint8_t mode)
{
    switch (mode) {
    case 4: case 7: case 8: case 9: case 10: case 11: case 20: case 21: case 53: case 70: case 71: case 100:
        return 2;
    case 0: case 1: case 2: case 3: case 5: case 6: case 50: case 51: case 52: case 150: case 151:
        return 3;
    case 60: case 61:
        return 4;
    default:
        return 0;
    }
}

void OfferInRoom(GAME_CStaticDatabase& database, const TaskData& task, std::uint32_t roomId)
{
    std::vector<const TaskData*>& offered = database.GetOrCreateRoomData(roomId, true)->offeredTasks;
    if (std::find(offered.begin(), offered.end(), &task) == offered.end()) {
        offered.push_back(&task);
    }
}

// The bonus entry of that type and id, else the first unused one; null when all eight are in use.
TaskBonus* FindBonusEntry(TaskData& task, std::int32_t type, std::uint32_t id)
{
    for (TaskBonus& bonus : task.bonuses) {
        if (bonus.type == type && bonus.id == id) {
            return &bonus;
        }
    }
    for (TaskBonus& bonus : task.bonuses) {
        if (bonus.type >= kBonusUnused || bonus.id == kNoId || bonus.weight == 0) {
            return &bonus;
        }
    }
    return nullptr;
}

}  // namespace

std::uint32_t TaskCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CStaticDatabase* database = DatabaseOf(engine);
    const std::size_t words = WordsOf(mode);
    if (database == nullptr || words == 0 || !args.Need(words)) {
        return 1;
    }
    if (mode == 150) {
        // a0 is a task kind here, not a task id.
        if (args.U32(0) < static_cast<std::uint32_t>(kTaskKindCount)) {
            database->SetTaskSounds(args.I32(0), {args.I32(1), args.I32(2)});
        }
        return 1;
    }
    TaskData& task = *database->GetOrCreateTaskData(args.U32(0));
    switch (mode) {
    case 0:
        task.kind = args.I32(1);
        task.value = args.I32(2);
        break;
    case 1:
        task.productItem = args.U32(1);
        task.productCount = args.I32(2);
        break;
    case 2:
        task.crewLimit = args.I32(1);
        task.durationSeconds = args.I32(2);
        break;
    case 3:
        if (!PutItemCount(task.materials, args.U32(1), args.I32(2))) {
            ReportRefused("task " + DescribeId(task.id) + " has no free material entry for " +
                          DescribeId(args.U32(1)));
        }
        break;
    case 4:
        OfferInRoom(*database, task, args.U32(1));
        break;
    case 5:
        OfferInRoom(*database, task, args.U32(1));
        if (args.U32(2) < kUpgradeBitCount) {
            task.requiredUpgradeBits |= 1u << args.U32(2);
        }
        break;
    case 6:
        task.staminaChange = args.I32(1);
        task.calorieChange = args.I32(2);
        break;
    case 7:
        task.kind = kTaskPatient;
        task.amount = args.I32(1);
        break;
    case 8:
        if (DebuffData* debuff = database->GetOrCreateDebuffData(args.U32(1), false)) {
            task.kind = kTaskPatient;
            task.treatedDebuff = args.U32(1);
            debuff->treatment = &task;
        } else {
            ReportRefused("task " + DescribeId(task.id) + " treats unknown debuff " + DescribeId(args.U32(1)));
        }
        break;
    case 9:
        task.kind = kTaskRouteScan;
        task.ResetFirstBlock();
        task.amount = SecondsToFrames(args.I32(1));
        break;
    case 10:
        task.kind = kTaskMindControl;
        task.ResetFirstBlock();
        task.bonuses[0] = TaskBonus{kBonusSkill, args.U32(1), 1};
        task.noBonusWeight = 1;
        break;
    case 11:
        task.kind = kTaskRefuel;
        task.ResetFirstBlock();
        task.amount = std::max(1, args.I32(1));
        break;
    case 20:
        task.ids.push_back(args.U32(1));
        break;
    case 21:
        if (const auto found = std::find(task.ids.begin(), task.ids.end(), args.U32(1)); found != task.ids.end()) {
            task.ids.erase(found);
        }
        break;
    case 50:
    case 51:
    case 52: {
        const std::int32_t type = mode - 50;
        if (TaskBonus* bonus = FindBonusEntry(task, type, args.U32(1))) {
            *bonus = TaskBonus{type, args.U32(1), args.I32(2)};
        } else {
            ReportRefused("task " + DescribeId(task.id) + " has no free bonus entry for " + DescribeId(args.U32(1)));
        }
        break;
    }
    case 53:
        task.noBonusWeight = args.I32(1);
        break;
    case 60:
    case 61:
        (mode == 60 ? task.effectA : task.effectB) = TaskEffect{args.U32(1), args.I32(2), std::max(1, args.I32(3))};
        break;
    case 70:
        task.effectAWord = args.I32(1);
        break;
    case 71:
        task.effectBWord = args.I32(1);
        break;
    case 100:
        task.kind = kTaskRoomUpgrade;
        task.productItem = args.U32(1);
        task.productCount = 1;
        break;
    case 151:
        task.startSound = args.I32(1);
        task.completionSound = args.I32(2);
        break;
    default:
        break;
    }
    return 1;
}

}  // namespace setting_commands
