// Static-database commands of the crew: skills, buffs, debuffs, base stats and speech balloons.
#include <algorithm>

#include "game/services/data/setting_commands.h"
#include "game/services/data/static_database.h"

namespace setting_commands {
namespace {

// Factors 1..7 from a1..a7 (the seventh at least 100) and the room kind from a8.
void SetModifier(const GAME_CStaticDatabase& database, StatModifier& modifier, const ScriptArgs& args,
                 std::string_view owner)
{
    for (std::size_t i = 0; i < 6; ++i) {
        modifier.factors[i] = args.I32(1 + i);
    }
    modifier.factors[6] = std::max(StatModifier::kMinLastFactor, args.I32(7));
    modifier.roomKind = ResolveModifierRoom(database, args.U32(8), owner);
}

std::string Named(const char* kind, std::uint32_t id) { return std::string(kind) + " " + DescribeId(id); }

}  // namespace

std::uint32_t StatModifierCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args,
                                  std::uint16_t)
{
    std::size_t words = 0;
    switch (mode) {
    case 30: case 40: words = 1; break;
    case 21: case 31: case 41: words = 2; break;
    case 11: words = 5; break;
    case 10: case 20: words = 10; break;
    case 0: words = 14; break;
    default: break;
    }
    GAME_CStaticDatabase* database = DatabaseOf(engine);
    if (database == nullptr || words == 0 || !args.Need(words)) {
        return 1;
    }
    const std::uint32_t id = args.U32(0);
    switch (mode) {
    case 0: {
        SkillData* skill = database->GetOrCreateSkillData(id);
        SetModifier(*database, *skill, args, Named("skill", id));
        skill->pairFactors = {args.I32(9), args.I32(10)};
        skill->id = args.U32(11);
        skill->count = args.I32(12);
        skill->lastFactor = args.I32(13);
        break;
    }
    case 10: {
        BuffData* buff = database->GetOrCreateBuffData(id, true);
        SetModifier(*database, *buff, args, Named("buff", id));
        buff->durationSeconds = args.I32(9);
        break;
    }
    case 11: {
        BuffData* buff = database->GetOrCreateBuffData(id, true);
        buff->roomKind = ResolveModifierRoom(*database, args.U32(1), Named("buff", id));
        buff->taskKind = args.U32(2) < static_cast<std::uint32_t>(kTaskKindCount) ? args.I32(2) : -1;
        buff->pairFactors = {args.I32(3), args.I32(4)};
        break;
    }
    case 20: {
        DebuffData* debuff = database->GetOrCreateDebuffData(id, true);
        SetModifier(*database, *debuff, args, Named("debuff", id));
        debuff->durationSeconds = args.I32(9);
        break;
    }
    case 21:
        database->GetOrCreateDebuffData(id, true)->hpDrainInterval = args.I32(1);
        break;
    case 30:
        database->SetBuffColor(id);
        break;
    case 31:
        database->GetOrCreateBuffData(id, true)->color = args.U32(1);
        break;
    case 40:
        database->SetDebuffColor(id);
        break;
    case 41:
        database->GetOrCreateDebuffData(id, true)->color = args.U32(1);
        break;
    default:
        break;
    }
    return 1;
}

std::uint32_t ActorBaseStatsCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args,
                                    std::uint16_t)
{
    GAME_CStaticDatabase* database = DatabaseOf(engine);
    if (database == nullptr || !args.Need(1)) {
        return 1;
    }
    ActorBaseStats& stats = database->BaseStats();
    const std::int32_t value = args.I32(0);
    switch (mode) {
    case 0: stats.maxHp = value; break;
    case 1: stats.maxStamina = value; break;
    case 2: stats.staminaRecoveryPeriod = value; break;
    case 11: stats.exhaustedStaminaRecoveryPeriod = value; break;
    case 3: stats.maxCalorie = value; break;
    case 4: stats.caloriePeriod = value; break;
    case 5: stats.walkSpeedX = SignedThousandths(value); break;
    case 6: stats.walkSpeedY = SignedThousandths(value); break;
    case 7: stats.secondSkillSlotNeed = value; break;
    case 10: stats.workInterval = value; break;
    case 8: stats.starvingStaminaDrainPeriod = value; break;
    case 9: stats.criticalHpDrainPeriod = value; break;
    default: break;
    }
    return 1;
}

std::uint32_t BuildTaskIndexesCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs&,
                                      std::uint16_t)
{
    GAME_CStaticDatabase* database = DatabaseOf(engine);
    if (database != nullptr && mode == 0) {
        database->BuildTreatmentIndex();
        database->BuildMindControlIndex();
    }
    return 1;
}

std::uint32_t BalloonCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CStaticDatabase* database = DatabaseOf(engine);
    if (database == nullptr) {
        return 1;
    }
    if (mode == 101) {
        database->ClearBalloonRanges();
        return 1;
    }
    if (mode == 201) {
        database->ClearMarkedIds();
        return 1;
    }
    const std::size_t words = mode == 200 ? 1 : (mode == 100 ? 3 : (mode <= 1 || mode == 10 || mode == 11 ? 2 : 0));
    if (words == 0 || !args.Need(words)) {
        return 1;
    }
    const std::uint32_t id = args.U32(0);
    const auto group = [&] { return database->GetOrCreateBalloonGroup(static_cast<std::uint16_t>(id)); };
    switch (mode) {
    case 0:
        group()->flag = args.U32(1) != 0 ? 1 : 0;
        break;
    case 1:
        group()->lines.push_back(args.U32(1));
        break;
    case 10:
        if (BuffData* buff = database->GetOrCreateBuffData(args.U32(1), false)) {
            group()->buffId = args.U32(1);
            buff->balloonGroup = id;
        } else {
            ReportRefused("balloon group " + std::to_string(id) + " names " + Named("unknown buff", args.U32(1)));
        }
        break;
    case 11:
        if (DebuffData* debuff = database->GetOrCreateDebuffData(args.U32(1), false)) {
            group()->debuffId = args.U32(1);
            debuff->balloonGroup = id;
        } else {
            ReportRefused("balloon group " + std::to_string(id) + " names " + Named("unknown debuff", args.U32(1)));
        }
        break;
    case 100:
        database->AddBalloonRange(args.I32(0), args.I32(1), args.U32(2));
        break;
    case 200:
        database->AddMarkedId(id);
        break;
    default:
        break;
    }
    return 1;
}

}  // namespace setting_commands
