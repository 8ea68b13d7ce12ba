// Route commands of the route's flow: route requests, halting, story flags, variable tests, random events and weighted jumps.
#include <algorithm>

#include "framework/math/random.h"
#include "game/services/player/player_data.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/model/script/script_operators.h"
#include "game/model/travel/route_commands.h"
#include "game/services/clock/game_clock.h"
#include "game/services/save/working_slot.h"
#include "game/model/world/game_world.h"

namespace route_commands {
namespace {


// from = a + (a 30-bit draw) mod |b - a|, or a - 1 when a equals b; rounded down to a multiple of
// step when step is not 0.
std::int32_t EventStart(std::int32_t a, std::int32_t b, std::int32_t step)
{
    std::int64_t from = std::int64_t{a} - 1;
    if (a != b) {
        const std::int64_t draw = (static_cast<std::int64_t>(vesk::math::Rand()) << 16) | vesk::math::Rand();
        from = a + draw % std::abs(std::int64_t{b} - a);
    }
    if (step != 0) {
        std::int64_t quotient = from / step;
        if ((from % step != 0) && ((from < 0) != (step < 0))) --quotient;
        from = quotient * step;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(from));
}

void SetVariable(SYS_CScriptEngine& engine, const ScriptArgs& args, std::size_t byteOffset, std::int32_t value)
{
    if (RouteVariable* variable = RouteEngine(engine).GetOrCreateRouteVariable(InlineText(args, byteOffset))) {
        variable->value = value;
    }
}

// Places {label, from, to, weight} when the gate is open; false when nothing was placed.
bool PlaceRandomEvent(SYS_CScriptEngine& engine, std::int32_t label, std::int32_t a, std::int32_t b, std::int32_t step,
                      std::int32_t span, std::int32_t weight, std::int32_t* from, std::int32_t* to)
{
    RouteEventList* events = Manager(engine) != nullptr ? Manager(engine)->Events() : nullptr;
    if (events == nullptr || !CanSpawn()) return false;
    *from = EventStart(a, b, step);
    *to = static_cast<std::int32_t>(static_cast<std::uint32_t>(std::int64_t{*from} + span));
    AddRouteEvent(*events, {RouteEventDescriptor::kRandom, label, *from, *to, weight});
    return true;
}

}  // namespace

// Slot 20: a route change, carried out by the travel controller after the frame.
std::uint32_t RequestRoute(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CRouteManager* route = Manager(engine);
    if (route == nullptr || mode > 2) return 1;
    GAME_CRouteManager::RouteRequest request;
    switch (mode) {
    case 0:
        if (!args.Need(1)) return 1;
        request.routeId = args.U32(0);
        break;
    case 1:
        request.label = InlineWideText(args, 4);
        if (args.Faulted()) return 1;
        request.routeId = args.U32(0);
        break;
    case 2:
        request.label = InlineWideText(args, 12);
        if (args.Faulted()) return 1;
        request.routeId = args.U32(0);
        request.reverse = args.I32(1) != 0;
        request.entryPosition = args.I32(2);
        request.usePosition = true;
        break;
    default:
        break;
    }
    route->Request() = request;
    return 1;
}

// Slot 21: the route's halt, the game speed and two clock flags.
std::uint32_t HaltAndSpeed(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CGameWorld* world = PeekGameWorld();
    GAME_CGameClock* clock = PeekGameClock();
    switch (mode) {
    case 0: {
        GAME_CRouteManager* route = Manager(engine);
        if (!args.Need(1) || route == nullptr) return 1;
        route->SetHolding(args.I32(0) != 0);
        if (world != nullptr && world->ui) {
            if (route->IsHolding()) {
                world->ui->CloseScreensForEvent();
            } else {
                world->ui->SetOpen(kSlotCommon, true);
            }
        }
        return 1;
    }
    case 1:
        if (const GAME_CPlayerData* player = GetPlayerData(); player != nullptr && world != nullptr && world->timeScale) {
            world->timeScale->speed = player->speeds[0];
        }
        return 1;
    case 2:
        if (args.Need(1) && clock != nullptr) clock->timeStopped = args.I32(0) != 0 ? 1 : 0;
        return 1;
    case 3:
        if (args.Need(1) && clock != nullptr) clock->flag = args.I32(0) != 0 ? 1 : 0;
        return 1;
    default:
        return 1;
    }
}

// Slot 32: story flags 0 to 63 of the working slot.
std::uint32_t StoryFlag(SYS_CScriptEngine&, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    if (mode == 0 && args.Need(2)) {
        working_slot::SetStoryFlag(args.U32(0), args.I32(1) != 0);
    }
    return 1;
}

// Slot 36: a route variable compared with a number, another variable or a random number.
std::uint32_t CompareVariable(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    if (mode > 2) return 1;
    std::int32_t left = 0;
    if (!VariableValue(engine, args, 0, &left)) return 1;
    const std::string_view op = InlineText(args, kNameBytes);
    std::int32_t right = 0;
    switch (mode) {
    case 0:
        if (!args.Need(17)) return 1;
        right = args.I32(16);
        break;
    case 1:
        if (!VariableValue(engine, args, 2 * kNameBytes, &right)) return 1;
        break;
    case 2:
        if (!args.Need(18)) return 1;
        right = RandomBetween(args.I32(16), args.I32(17));
        break;
    default:
        break;
    }
    if (args.Faulted()) return 1;
    Test(engine, CompareOperatorS32(left, op, right));
    return 1;
}

// Slot 37: the game clock's second counter.
std::uint32_t ClockCounter(SYS_CScriptEngine&, std::uint8_t mode, const ScriptArgs&, std::uint16_t)
{
    if (GAME_CGameClock* clock = PeekGameClock(); mode == 0 && clock != nullptr) ++clock->counter;
    return 1;
}

// Slot 41: random events placed (when the gate is open) or removed.
std::uint32_t RandomEvents(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    std::int32_t from = 0;
    std::int32_t to = 0;
    switch (mode) {
    case 0:
    case 2:
        if (!args.Need(6)) return 1;
        if (mode == 2) {
            InlineText(args, 24);
            InlineText(args, 56);
            if (args.Faulted()) return 1;
        }
        if (PlaceRandomEvent(engine, args.I32(0), args.I32(1), args.I32(2), args.I32(3), args.I32(4), args.I32(5), &from,
                             &to) &&
            mode == 2) {
            SetVariable(engine, args, 24, from);
            SetVariable(engine, args, 56, to);
        }
        return 1;
    case 1:
    case 3: {
        // {label, name a, name b, step, span, weight}, then for mode 3 the names of from and to.
        std::int32_t a = 0;
        std::int32_t b = 0;
        if (!args.Need(20) || (mode == 3 && !args.NeedBytes(144))) return 1;
        if (!VariableValue(engine, args, 4, &a) || !VariableValue(engine, args, 36, &b)) return 1;
        if (PlaceRandomEvent(engine, args.I32(0), a, b, args.I32(17), args.I32(18), args.I32(19), &from, &to) &&
            mode == 3) {
            SetVariable(engine, args, 80, from);
            SetVariable(engine, args, 112, to);
        }
        return 1;
    }
    case 4:
        if (args.Need(2) && Manager(engine) != nullptr && Manager(engine)->Events() != nullptr) {
            RemoveRandomEventsInRange(*Manager(engine)->Events(), args.I32(0), args.I32(1));
        }
        return 1;
    case 5: {
        std::int32_t a = 0;
        std::int32_t b = 0;
        if (VariableValue(engine, args, 0, &a) && VariableValue(engine, args, kNameBytes, &b) &&
            Manager(engine) != nullptr && Manager(engine)->Events() != nullptr) {
            RemoveRandomEventsInRange(*Manager(engine)->Events(), a, b);
        }
        return 1;
    }
    default:
        return 1;
    }
}

// Slot 42: a command index drawn by weight, then restarted at, gone to or called.
std::uint32_t WeightedJump(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CScriptRoute& script = RouteEngine(engine);
    if (mode == 0) {
        if (args.Need(2)) script.AddCandidate(GAME_CScriptRoute::kJumpList, args.I32(0), args.I32(1));
        return 1;
    }
    if (mode != 10 && mode != 11 && mode != 12) return 1;
    const std::int32_t drawn = script.DrawCandidate(GAME_CScriptRoute::kJumpList);
    if (drawn == -1 || !CanSpawn()) return 1;
    const auto target = static_cast<std::uint32_t>(drawn);
    switch (mode) {
    case 10:
        return RestartAt(engine, target);
    case 11:
        engine.Goto(target, 0);
        return 1;
    default:
        engine.Call(target);
        return 1;
    }
}

// Slot 57: the route's keep-events flag, its six script words, the camera's follow and the HUD's flags.
std::uint32_t RouteFlags(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    if (mode > 9 || !args.Need(1)) return 1;
    GAME_CScriptRoute& script = RouteEngine(engine);
    GAME_CGameWorld* world = PeekGameWorld();
    const bool on = args.I32(0) != 0;
    if (mode == 0) {
        if (GAME_CRouteManager* route = Manager(engine)) route->SetKeepEvents(on);
    } else if (mode <= 6) {
        script.scriptWords[static_cast<std::size_t>(mode - 1)] = args.I32(0);
    } else if (mode == 7) {
        if (world != nullptr && world->camera) world->camera->followsInput = on ? 0 : 1;
    } else if (world != nullptr && world->ui) {
        world->ui->SetHudPickFlag(mode == 8, on);
    }
    return 1;
}

}  // namespace route_commands
