// Route commands on the ship and its crew: script waits, crew status, hull damage, the camera, input and the ship change.
#include <algorithm>

#include "framework/math/random.h"
#include "game/services/player/player_data.h"
#include "game/model/travel/route_commands.h"
#include "game/model/world/game_world.h"

namespace route_commands {
namespace {

constexpr int kCrewDraws = 20;
constexpr int kRoomDraws = 10;
constexpr std::uint16_t kLineGroup = 65535;
constexpr std::int32_t kZoomMin = 1000;
constexpr std::int32_t kZoomMax = 2000;
// The screens the input-blocked flag keeps closed.
constexpr int kInputBlockedClosedSlots[] = {33, 26, 38, 34, 27, 44, 12};

// The selected crew member while it is still one of the active crew.
GAME_CObjectActor* SelectedActor(GAME_CScriptRoute& script, GAME_CGameWorld& world)
{
    const auto& crew = world.fieldObjects->crew;
    if (std::find(crew.begin(), crew.end(), script.selectedActor) == crew.end()) script.selectedActor = nullptr;
    return script.selectedActor;
}

GAME_CRoomBase* SelectedRoom(GAME_CScriptRoute& script, GAME_CGameWorld& world)
{
    const auto& rooms = world.ship->rooms;
    if (std::find(rooms.begin(), rooms.end(), script.selectedRoom) == rooms.end()) script.selectedRoom = nullptr;
    return script.selectedRoom;
}

// Up to `draws` random picks of a list's slots, then from a random slot on the next occupied one.
template <typename T>
T* PickRandom(const std::vector<T*>& slots, int draws)
{
    if (slots.empty()) return nullptr;
    const auto count = static_cast<int>(slots.size());
    for (int i = 0; i < draws; ++i) {
        if (T* pick = slots[static_cast<std::size_t>(vesk::math::RandInt(count))]) return pick;
    }
    const int start = vesk::math::RandInt(count);
    for (int i = 0; i < count; ++i) {
        if (T* pick = slots[static_cast<std::size_t>((start + i) % count)]) return pick;
    }
    return nullptr;
}

// A random amount in [a, b), or a when a is not below b.
std::int32_t AmountBelow(std::int32_t a, std::int32_t b)
{
    if (a >= b) return a;
    const std::int64_t range = std::int64_t{b} - a;
    const auto draw = (static_cast<std::int64_t>(vesk::math::Rand()) << 15) | vesk::math::Rand();
    return static_cast<std::int32_t>(a + draw % range);
}

// A share in per mille of a whole-unit maximum, in thousandths of a unit.
std::int32_t ShareOf(std::int32_t maximum, std::int32_t perMille)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t{maximum} * perMille, INT32_MIN, INT32_MAX));
}

}  // namespace

// Slot 12: the ship's script-wait words.
std::uint32_t ShipScriptWait(SYS_CScriptEngine&, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CGameWorld* world = World();
    if (world == nullptr || world->ship == nullptr) return 1;
    GAME_CShip& ship = *world->ship;
    switch (mode) {
    case 0:
        if (!args.Need(2)) return 1;
        ship.awaitedRoomId = args.U32(0);
        ship.resumePoint[0] = args.U32(1);
        return 1;
    case 1:
        ship.ClearScriptWait();
        return 1;
    case 10:
        if (!args.Need(3)) return 1;
        ship.resumePoint[1] = args.U32(0);
        ship.resumePoint[2] = args.U32(1);
        ship.scriptWaiting = args.I32(2) != 0 ? 1 : 0;
        return 1;
    case 11:
        ship.resumePoint[1] = kNoId;
        ship.resumePoint[2] = kNoId;
        ship.scriptWaiting = 0;
        return 1;
    default:
        return 1;
    }
}

// Slot 13: the selected crew member's status, and changes to the whole crew.
std::uint32_t CrewStatus(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CGameWorld* world = World();
    if (world == nullptr || world->fieldObjects == nullptr) return 1;
    GAME_CScriptRoute& script = RouteEngine(engine);
    if (mode == 0) {
        script.selectedActor = PickRandom(world->fieldObjects->crew, kCrewDraws);
        return 1;
    }
    if (mode == 10) {
        script.selectedActor = nullptr;
        return 1;
    }
    if (mode >= 110 && mode <= 114) {
        if (!args.Need(1)) return 1;
        for (GAME_CObjectActor* member : world->fieldObjects->crew) {
            if (member == nullptr) continue;
            GAME_CActorStatus& status = member->status;
            switch (mode) {
            case 110: status.AddHP(ShareOf(status.computed.maxHp, args.I32(0))); break;
            case 111: status.AddStamina(ShareOf(status.computed.maxStamina, args.I32(0))); break;
            case 112: status.AddCalorie(ShareOf(status.computed.maxCalorie, args.I32(0))); break;
            case 113: if (args.I32(0) != -1) status.AddBuff(args.U32(0)); break;
            case 114: if (args.I32(0) != -1) status.AddDebuff(args.U32(0)); break;
            default: break;
            }
        }
        return 1;
    }
    GAME_CObjectActor* member = SelectedActor(script, *world);
    if (member == nullptr) return 1;
    GAME_CActorStatus& status = member->status;
    std::int32_t amount = 0;
    switch (mode) {
    case 20: if (args.Need(1)) status.AddSkill(args.U32(0)); break;
    case 21: if (args.Need(1)) status.AddBuff(args.U32(0)); break;
    case 22: if (args.Need(1)) status.AddDebuff(args.U32(0)); break;
    case 30: if (args.Need(1)) status.RemoveSkill(args.U32(0)); break;
    case 31: if (args.Need(1)) status.RemoveBuff(args.U32(0)); break;
    case 32: if (args.Need(1)) status.RemoveDebuff(args.U32(0)); break;
    case 40: if (args.Need(1)) status.RemoveRandomSkill(args.I32(0) != 0); break;
    case 41: if (args.Need(1)) status.RemoveRandomBuff(args.I32(0) != 0); break;
    case 42: if (args.Need(1)) status.RemoveRandomDebuff(args.I32(0) != 0); break;
    case 50: if (args.Need(1)) status.AddHP(args.I32(0)); break;
    case 52: if (args.Need(1)) status.AddStamina(args.I32(0)); break;
    case 54: if (args.Need(1)) status.AddCalorie(args.I32(0)); break;
    case 51: if (VariableValue(engine, args, 0, &amount)) status.AddHP(amount); break;
    case 53: if (VariableValue(engine, args, 0, &amount)) status.AddStamina(amount); break;
    case 55: if (VariableValue(engine, args, 0, &amount)) status.AddCalorie(amount); break;
    case 100:
        if (args.Need(1) && args.I32(0) != -1 && member->balloon != nullptr) {
            member->balloon->ShowMessage(kLineGroup, args.I32(0));
        }
        break;
    default:
        break;
    }
    return 1;
}

// Slot 14: hull damage at the selected room or a cell, and the camera on it.
std::uint32_t ShipDamage(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CGameWorld* world = World();
    if (world == nullptr || world->ship == nullptr) return 1;
    GAME_CScriptRoute& script = RouteEngine(engine);
    GAME_CShip& ship = *world->ship;
    switch (mode) {
    case 0:
        script.selectedRoom = PickRandom(ship.rooms, kRoomDraws);
        return 1;
    case 10:
        script.selectedRoom = nullptr;
        return 1;
    case 20: {
        GAME_CRoomBase* room = SelectedRoom(script, *world);
        if (!args.Need(2) || room == nullptr) return 1;
        const std::int32_t amount = args.I32(0) == args.I32(1) ? args.I32(0) : RandomBetween(args.I32(0), args.I32(1));
        ship.AddCellDamage(room->gridX, room->gridY, amount);
        return 1;
    }
    case 21:
        if (GAME_CRoomBase* room = SelectedRoom(script, *world); room != nullptr && world->camera) {
            world->camera->FocusCell(room->gridX, room->gridY);
        }
        return 1;
    case 22:
        if (args.Need(2) && world->camera) world->camera->FocusCell(args.I32(0), args.I32(1));
        return 1;
    case 23:
        if (world->camera) world->camera->mode = GAME_CCamera2D::kFree;
        return 1;
    case 30:
        if (args.Need(4)) ship.AddCellDamage(args.I32(0), args.I32(1), AmountBelow(args.I32(2), args.I32(3)));
        return 1;
    case 31: {
        std::int32_t amount = 0;
        if (args.Need(2) && VariableValue(engine, args, 8, &amount)) ship.AddCellDamage(args.I32(0), args.I32(1), amount);
        return 1;
    }
    case 32: {
        std::int32_t x = 0;
        std::int32_t y = 0;
        std::int32_t amount = 0;
        if (VariableValue(engine, args, 0, &x) && VariableValue(engine, args, kNameBytes, &y) &&
            VariableValue(engine, args, 2 * kNameBytes, &amount)) {
            ship.AddCellDamage(x, y, amount);
        }
        return 1;
    }
    default:
        return 1;
    }
}

// Slot 22: the 2D camera along the route and its zoom.
std::uint32_t Camera(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CGameWorld* world = World();
    GAME_CRouteManager* route = Manager(engine);
    if (world == nullptr || world->camera == nullptr || route == nullptr) return 1;
    GAME_CCamera2D& camera = *world->camera;
    const bool backward = !route->IsForward();
    switch (mode) {
    case 0:
        if (!args.Need(2)) return 1;
        camera.SetTargetX(static_cast<float>(backward ? -std::int64_t{args.I32(0)} : args.I32(0)),
                          static_cast<std::int32_t>(args.U32(1) & 0x7FFFFFFF));
        return 1;
    case 1:
        if (!args.Need(2)) return 1;
        camera.SetZoom(static_cast<float>(std::clamp(args.I32(0), kZoomMin, kZoomMax)) / 1000.0f,
                       static_cast<std::int32_t>(args.U32(1) & 0x7FFFFFFF));
        return 1;
    case 10: {
        std::int32_t x = 0;
        if (!args.Need(11) || !VariableValue(engine, args, 0, &x)) return 1;
        const std::int64_t position = route->GetPosition();
        const std::int64_t distance = args.I32(10) != 0 && backward ? position - x : x - position;
        camera.SetTargetX(static_cast<float>(distance), static_cast<std::int32_t>(args.U32(9) & 0x7FFFFFFF));
        return 1;
    }
    default:
        return 1;
    }
}

// Slot 23: input to the screens, the ship's zoomed-out view and the wait for its change.
std::uint32_t InputAndOverview(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CGameWorld* world = World();
    if (world == nullptr) return 1;
    switch (mode) {
    case 0:
        if (!args.Need(1)) return 1;
        world->inputBlocked = args.I32(0) == 0 ? 1 : 0;
        if (world->inputBlocked != 0 && world->ui) {
            for (int slot : kInputBlockedClosedSlots) {
                if (world->ui->IsOpen(slot)) world->ui->SetOpen(slot, false);
            }
        }
        return 1;
    case 10:
        if (args.Need(1) && world->ship) world->ship->SetZoomedOut(args.I32(0) != 0);
        return 1;
    case 11:
        if (world->ship && world->ship->body && world->ship->body->IsZoomChanging()) return Yield(engine);
        return 1;
    default:
        return 1;
    }
}

// Slot 25: another ship at once, or the ship-change screen's sequence to it while the script waits.
std::uint32_t ChangeShip(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CGameWorld* world = World();
    if (world == nullptr) return 1;
    if (mode == 0) {
        if (args.Need(1) && world->ship) world->ship->ChangeShip(args.U32(0), true);
        return 1;
    }
    if (mode != 1 || world->ui == nullptr) return 1;
    if (FirstFrame(engine)) {
        if (!args.Need(1)) return 1;
        world->ui->OpenShipChange(args.U32(0));
        return Yield(engine);
    }
    return world->ui->IsOpen(kSlotShipChange) ? Yield(engine) : 1;
}

}  // namespace route_commands
