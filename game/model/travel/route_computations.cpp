// Route command 35: route variables computed from the ship, the crew, the clock, the route and the slot.
#include <algorithm>
#include <bit>

#include "framework/math/random.h"
#include "game/services/data/id_tags.h"
#include "game/services/player/player_data.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/model/script/script_operators.h"
#include "game/model/travel/route_commands.h"
#include "game/services/clock/game_clock.h"
#include "game/services/save/working_slot.h"
#include "game/model/world/game_world.h"
#include "platform/little_endian.h"

namespace route_commands {
namespace {

constexpr int kCellDraws = 100;
constexpr std::int32_t kCrewPool = 128;

std::int32_t Clamp32(std::int64_t value) { return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX)); }

bool IsUsableCell(const GAME_CShip& ship, std::int64_t column, std::int64_t row)
{
    const GAME_CShipGrid::Cell* cell = ship.grid.GetCell(column, row);
    return cell != nullptr && cell->usable != 0;
}

// Usable cells of the grid; only those without a room, or only those without a lying item.
std::int32_t CountUsableCells(const GAME_CGameWorld& world, bool withoutRoom, bool withoutItem)
{
    const GAME_CShip& ship = *world.ship;
    std::int32_t count = 0;
    for (std::int32_t row = 0; row < ship.grid.height; ++row) {
        for (std::int32_t column = 0; column < ship.grid.width; ++column) {
            const GAME_CShipGrid::Cell* cell = ship.grid.GetCell(column, row);
            if (cell == nullptr || cell->usable == 0) continue;
            if (withoutRoom && cell->HoldsRoom()) continue;
            if (withoutItem && world.fieldObjects && world.fieldObjects->IsCellOccupiedByItem(column, row)) continue;
            ++count;
        }
    }
    return count;
}

// Up to 100 random draws, then a scan from the last row up; -1, -1 when no cell is usable.
void RandomUsableCell(const GAME_CShip& ship, std::int32_t* column, std::int32_t* row)
{
    *column = -1;
    *row = -1;
    const std::int32_t width = ship.grid.width;
    const std::int32_t height = ship.grid.height;
    if (width <= 0 || height <= 0) return;
    for (int i = 0; i < kCellDraws; ++i) {
        const std::int32_t x = (vesk::math::Rand() >> 1) % width;
        const std::int32_t y = (vesk::math::Rand() >> 2) % height;
        if (IsUsableCell(ship, x, y)) {
            *column = x;
            *row = y;
            return;
        }
    }
    for (std::int32_t y = height - 1; y >= 0; --y) {
        for (std::int32_t x = 0; x < width; ++x) {
            if (IsUsableCell(ship, x, y)) {
                *column = x;
                *row = y;
                return;
            }
        }
    }
}

// Mode 22: the from or to of a random event with the label; false leaves the variable as it was.
bool RandomEventBound(GAME_CRouteManager* route, std::int32_t label, bool from, bool first, std::int32_t* value)
{
    RouteEventList* events = route != nullptr ? route->Events() : nullptr;
    if (events == nullptr || events->randomEvents.empty()) {
        *value = 0;
        return true;
    }
    std::vector<const GAME_CEvent*> matches;
    for (const auto& event : events->randomEvents) {
        if (event != nullptr && event->GetLabel() == label) matches.push_back(event.get());
    }
    if (matches.empty()) return false;
    std::size_t pick = 0;
    if (!first) {
        const auto r1 = static_cast<std::uint32_t>(vesk::math::Rand());
        const auto r2 = static_cast<std::uint32_t>(vesk::math::Rand());
        const auto r3 = static_cast<std::uint32_t>(vesk::math::Rand());
        const auto r4 = static_cast<std::uint32_t>(vesk::math::Rand());
        pick = (((r1 << 15) | r2) ^ ((r3 << 15) | r4)) % matches.size();
    }
    *value = from ? matches[pick]->GetFrom() : matches[pick]->GetTo();
    return true;
}

}  // namespace

// Slot 35: variable (found or created) = variable op value, by mode.
std::uint32_t Compute(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CScriptRoute& script = RouteEngine(engine);
    if (mode == 101) {
        script.ClearRouteVariables();
        return 1;
    }
    const std::string_view name = InlineText(args, 0);
    if (args.Faulted()) return 1;
    if (mode == 100) {
        script.ClearRouteVariables(&name);
        return 1;
    }
    GAME_CGameWorld* world = World();
    GAME_CRouteManager* route = Manager(engine);
    if (mode == 27) {
        std::int32_t column = -1;
        std::int32_t row = -1;
        const std::string_view rowName = InlineText(args, kNameBytes);
        if (args.Faulted() || world == nullptr || world->ship == nullptr) return 1;
        RandomUsableCell(*world->ship, &column, &row);
        if (RouteVariable* variable = script.GetOrCreateRouteVariable(name)) variable->value = column;
        if (RouteVariable* variable = script.GetOrCreateRouteVariable(rowName)) variable->value = row;
        return 1;
    }
    const std::string_view op = InlineText(args, kNameBytes);
    if (args.Faulted()) return 1;
    const bool known = mode <= 2 || (mode >= 10 && mode <= 33);
    if (!known) return 1;
    RouteVariable* variable = script.GetOrCreateRouteVariable(name);
    if (variable == nullptr) return 1;

    const GAME_CPlayerData* player = GetPlayerData();
    const GAME_CGameClock* clock = PeekGameClock();
    const bool hasShip = world != nullptr && world->ship != nullptr;
    const bool hasObjects = world != nullptr && world->fieldObjects != nullptr;
    std::int64_t value = 0;
    switch (mode) {
    case 0:
        if (!args.Need(17)) return 1;
        value = args.I32(16);
        break;
    case 1: {
        std::int32_t other = 0;
        if (!VariableValue(engine, args, 2 * kNameBytes, &other)) return 1;
        value = other;
        break;
    }
    case 2:
        if (!args.Need(18)) return 1;
        value = RandomBetween(args.I32(16), args.I32(17));
        break;
    case 10: if (!hasObjects) return 1; value = static_cast<std::int64_t>(world->fieldObjects->crew.size()); break;
    case 11: if (!hasShip) return 1; value = world->ship->CountRoomsOnGrid(); break;
    case 12: if (!hasShip) return 1; value = CountUsableCells(*world, false, false); break;
    case 13: if (!hasShip) return 1; value = CountUsableCells(*world, true, false); break;
    case 14: if (!hasShip) return 1; value = world->ship->GetRemainingHull(); break;
    case 15: if (!hasShip) return 1; value = world->ship->hullMax; break;
    case 16: if (!hasShip) return 1; value = world->ship->fuel; break;
    case 17: if (!hasShip) return 1; value = world->ship->fuelCapacity; break;
    case 18: if (clock == nullptr) return 1; value = GetClockHour(*clock); break;
    case 19: if (clock == nullptr) return 1; value = GetClockMinute(*clock); break;
    case 20: value = working_slot::CountOfferMaskBits(); break;
    case 21: value = player != nullptr ? player->money : 0; break;
    case 22: {
        if (!args.Need(19)) return 1;
        std::int32_t bound = 0;
        if (RandomEventBound(route, args.I32(16), args.I32(17) != 0, args.I32(18) != 0, &bound)) variable->value = bound;
        return 1;
    }
    case 23:
        if (!args.Need(17) || route == nullptr) return 1;
        value = route->GetPosition();
        if (args.I32(16) != 0 && !route->IsForward()) value = std::int64_t{route->GetLength()} - value;
        break;
    case 24: if (route == nullptr) return 1; value = route->GetLength(); break;
    case 25:
    case 26: {
        if (!hasShip) return 1;
        std::int32_t column = -1;
        std::int32_t row = -1;
        RandomUsableCell(*world->ship, &column, &row);
        value = mode == 25 ? column : row;
        break;
    }
    case 28:
        if (!args.Need(17) || !hasShip) return 1;
        value = world->ship->CountIntactRoomsOfKind(FindRoomIdIndex(args.U32(16)));
        break;
    case 29: if (!hasShip) return 1; value = world->ship->GetCrewCapacity(); break;
    case 30: value = kCrewPool; break;
    case 31: if (!hasObjects) return 1; value = kCrewPool - static_cast<std::int64_t>(world->fieldObjects->crew.size()); break;
    case 32: if (!hasObjects) return 1; value = static_cast<std::int64_t>(world->fieldObjects->items.size()); break;
    case 33: if (!hasShip) return 1; value = CountUsableCells(*world, false, true); break;
    default:
        return 1;
    }
    variable->value = ApplyOperator32(variable->value, op, Clamp32(value));
    return 1;
}

}  // namespace route_commands
