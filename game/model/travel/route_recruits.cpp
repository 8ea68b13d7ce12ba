// Route command 43: new crew members on random floor cells, and the template they are given.
#include <algorithm>

#include "framework/math/random.h"
#include "game/model/travel/route_commands.h"
#include "game/model/world/game_world.h"

namespace route_commands {
namespace {

constexpr int kPlainDraws = 9;
constexpr int kTemplateDraws = 12;
constexpr std::int32_t kMilli = 1000;

bool IsUsable(const GAME_CShip& ship, std::int32_t column, std::int32_t row)
{
    const GAME_CShipGrid::Cell* cell = ship.grid.GetCell(column, row);
    return cell != nullptr && cell->usable != 0;
}

// A column or row drawn as (Rand >> 2) mod the extent; 0 for an empty extent.
std::int32_t DrawIndex(std::int32_t extent) { return extent > 0 ? (vesk::math::Rand() >> 2) % extent : 0; }

// A cell by up to `draws` random draws (a fixed column or row stays), then the first usable cell of
// a scan downward (or, from the last row, upward); false when no cell is usable.
bool FindCell(const GAME_CShip& ship, int draws, std::int32_t fixedColumn, std::int32_t fixedRow, bool scanUp,
              std::int32_t* column, std::int32_t* row)
{
    const std::int32_t width = ship.grid.width;
    const std::int32_t height = ship.grid.height;
    for (int i = 0; i < draws && width > 0 && height > 0; ++i) {
        const std::int32_t x = fixedColumn >= 0 ? fixedColumn : DrawIndex(width);
        const std::int32_t y = fixedRow >= 0 ? fixedRow : DrawIndex(height);
        if (IsUsable(ship, x, y)) {
            *column = x;
            *row = y;
            return true;
        }
    }
    for (std::int32_t step = 0; step < height; ++step) {
        const std::int32_t y = scanUp ? height - 1 - step : step;
        for (std::int32_t x = 0; x < width; ++x) {
            if (IsUsable(ship, x, y)) {
                *column = x;
                *row = y;
                return true;
            }
        }
    }
    return false;
}

GAME_CObjectActor* Recruit(GAME_CGameWorld& world, std::int32_t column, std::int32_t row)
{
    float x = 0.0f;
    float y = 0.0f;
    world.ship->GetCellFloorPoint(column, row, &x, &y, true);
    GAME_CObjectActor* member = world.fieldObjects->AcquireActorObject();
    if (member == nullptr) return nullptr;
    ActorSetupRecord setup;
    setup.x = x;
    setup.y = y;
    member->Init(setup);
    return member;
}

std::int32_t Capped(std::int32_t maximum, std::int32_t cap)
{
    const std::int64_t whole = std::min<std::int64_t>(maximum, std::max(cap, 0));
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(whole * kMilli, INT32_MIN, INT32_MAX));
}

void ApplyTemplate(GAME_CObjectActor& member, const NewCrewTemplate& crewTemplate)
{
    GAME_CActorStatus& status = member.status;
    status.hp = Capped(status.computed.maxHp, crewTemplate.hpCap);
    status.stamina = Capped(status.computed.maxStamina, crewTemplate.staminaCap);
    status.calorie = Capped(status.computed.maxCalorie, crewTemplate.calorieCap);
    if (crewTemplate.skillId != -1) status.AddSkill(static_cast<std::uint32_t>(crewTemplate.skillId));
    for (std::int32_t id : crewTemplate.buffIds) {
        if (id != -1) status.AddBuff(static_cast<std::uint32_t>(id));
    }
    for (std::int32_t id : crewTemplate.debuffIds) {
        if (id != -1) status.AddDebuff(static_cast<std::uint32_t>(id));
    }
}

// The first of two ids while it is -1, else the second.
void SetPairId(std::int32_t (&ids)[2], std::int32_t id)
{
    (ids[0] == -1 ? ids[0] : ids[1]) = id;
}

}  // namespace

// Slot 43: recruits, with or without the template, and the template's ids and caps.
std::uint32_t NewCrew(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    NewCrewTemplate& crewTemplate = RouteEngine(engine).newCrew;
    GAME_CGameWorld* world = World();
    const bool hasWorld = world != nullptr && world->ship != nullptr && world->fieldObjects != nullptr;
    std::int32_t column = 0;
    std::int32_t row = 0;
    std::int32_t value = 0;
    switch (mode) {
    case 0:
    case 1:
    case 2: {
        if (!hasWorld || (mode != 0 && !args.Need(1))) return 1;
        // The member is taken first: with the pool empty nothing happens.
        GAME_CObjectActor* member = world->fieldObjects->AcquireActorObject();
        if (member == nullptr) return 1;
        const std::int32_t fixedRow = mode == 1 ? args.I32(0) : -1;
        const std::int32_t fixedColumn = mode == 2 ? args.I32(0) : -1;
        // A ship without any usable cell does not occur in the data; the member then stands at cell 0, 0.
        if (!FindCell(*world->ship, kPlainDraws, fixedColumn, fixedRow, false, &column, &row)) column = row = 0;
        float x = 0.0f;
        float y = 0.0f;
        world->ship->GetCellFloorPoint(column, row, &x, &y, true);
        ActorSetupRecord setup;
        setup.x = x;
        setup.y = y;
        member->Init(setup);
        return 1;
    }
    case 100: {
        if (!hasWorld || !args.Need(2)) return 1;
        const std::int32_t lastRow = world->ship->grid.height - 1;
        if (!FindCell(*world->ship, kTemplateDraws, -1, args.I32(0) != 0 ? lastRow : -1, true, &column, &row)) return 1;
        GAME_CObjectActor* member = Recruit(*world, column, row);
        if (member == nullptr) return 1;
        ApplyTemplate(*member, crewTemplate);
        if (args.I32(1) != 0) ResetNewCrewTemplate(crewTemplate);
        return 1;
    }
    case 101:
        ResetNewCrewTemplate(crewTemplate);
        return 1;
    case 102:
    case 103:
    case 104:
        if (!args.Need(1) || args.I32(0) == -1) return 1;
        if (mode == 102) crewTemplate.skillId = args.I32(0);
        if (mode == 103) SetPairId(crewTemplate.buffIds, args.I32(0));
        if (mode == 104) SetPairId(crewTemplate.debuffIds, args.I32(0));
        return 1;
    case 110:
    case 112:
    case 114:
        if (!args.Need(1)) return 1;
        value = args.I32(0);
        break;
    case 111:
    case 113:
    case 115:
        if (!VariableValue(engine, args, 0, &value)) return 1;
        break;
    default:
        return 1;
    }
    (mode <= 111 ? crewTemplate.hpCap : (mode <= 113 ? crewTemplate.staminaCap : crewTemplate.calorieCap)) = value;
    return 1;
}

}  // namespace route_commands
