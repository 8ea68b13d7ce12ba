// Route commands of the registration: endpoints and length, events, the start route, accumulators, labels, scenery, values.
#include <algorithm>

#include "game/services/data/static_database.h"
#include "game/services/sound/sound_player.h"
#include "game/model/travel/route_commands.h"

namespace route_commands {
namespace {

constexpr std::int32_t kDefaultMusic = 1;

std::int32_t MusicOrDefault(std::int32_t music) { return music >= kMusicTrackCount ? kDefaultMusic : music; }

std::int32_t NearViewCount()
{
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    return database != nullptr ? static_cast<std::int32_t>(database->NearViews().size()) : 0;
}

}  // namespace

// Slot 0: {start location, end location, length}.
std::uint32_t RegisterEnds(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    if (mode != 0 || !args.Need(3)) return 1;
    RouteData* record = RegistrationRecord(engine);
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    if (record == nullptr) return 1;
    record->startLocation = args.U32(0);
    record->endLocation = args.U32(1);
    record->startHideout = database->FindHideoutData(record->startLocation);
    record->endHideout = database->FindHideoutData(record->endLocation);
    record->length = args.I32(2);
    return 1;
}

// Slot 1: mode 0 a fixed window {label, from, to}, mode 10 a random one {label, from, to, weight}.
std::uint32_t RegisterEvent(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    if ((mode != 0 && mode != 10) || !args.Need(mode == 0 ? 3 : 4)) return 1;
    RouteData* record = RegistrationRecord(engine);
    if (record == nullptr) return 1;
    if (mode == 0) {
        record->fixedEvents.push_back({args.U32(0), args.I32(1), args.I32(2)});
    } else {
        record->randomEvents.push_back({args.U32(0), args.I32(1), args.I32(2), args.I32(3)});
    }
    return 1;
}

// Slot 2: this route, from the command index given, is the start route of a new game.
std::uint32_t RegisterStartRoute(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CStaticDatabase* database = GetStaticDatabase();
    const GAME_CRouteManager* manager = Manager(engine);
    if (mode != 0 || !args.Need(1) || database == nullptr || manager == nullptr) return 1;
    database->StartRoute() = {manager->GetRouteId(), args.U32(0)};
    return 1;
}

// Slot 3: the four words the game clock raises the route's accumulators by.
std::uint32_t RegisterAccumulators(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    if (mode != 0 || !args.Need(4)) return 1;
    RouteData* record = RegistrationRecord(engine);
    if (record == nullptr) return 1;
    for (std::size_t i = 0; i < record->accumulatorWords.size(); ++i) record->accumulatorWords[i] = args.I32(i);
    return 1;
}

// Slot 4: {label, weight} onto the second (mode 0) or the first (mode 1) weighted label list.
std::uint32_t RegisterWeightedLabel(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    if (mode > 1 || !args.Need(2)) return 1;
    RouteData* record = RegistrationRecord(engine);
    if (record == nullptr) return 1;
    (mode == 0 ? record->secondLabels : record->firstLabels).push_back({args.U32(0), args.I32(1)});
    return 1;
}

// Slot 5: the near views, the blend between them and the route's music.
std::uint32_t RegisterScenery(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    std::size_t words = 0;
    switch (mode) {
    case 0: words = 3; break;
    case 1: words = 6; break;
    case 10: words = 2; break;
    case 11: words = 4; break;
    default: return 1;
    }
    if (!args.Need(words)) return 1;
    RouteData* record = RegistrationRecord(engine);
    if (record == nullptr) return 1;
    const std::int32_t views = NearViewCount();
    switch (mode) {
    case 0:
        record->nearViewA = args.I32(0) >= 0 && args.I32(0) < views ? args.I32(0) : 0;
        record->nearViewB = args.I32(1) >= 0 && args.I32(1) < views ? args.I32(1) : -1;
        record->blend = std::clamp(args.I32(2), 200, 800);
        break;
    case 1:
        record->nearViewA = std::min(args.I32(0), views - 1);
        record->nearViewB = std::min(args.I32(1), views - 1);
        record->music1 = args.I32(2);
        record->music2 = args.I32(3);
        record->blend = std::clamp(args.I32(4), 200, 800);
        record->musicSwitch = std::clamp(args.I32(4), 1, 999);
        record->musicFlag = args.I32(5) != 0 ? 1 : 0;
        break;
    case 10:
        record->music1 = MusicOrDefault(args.I32(0));
        record->music2 = MusicOrDefault(args.I32(0));
        record->musicFlag = args.I32(1) != 0 ? 1 : 0;
        break;
    case 11:
        record->music1 = MusicOrDefault(args.I32(0));
        record->music2 = MusicOrDefault(args.I32(1));
        record->musicSwitch = std::clamp(args.I32(2), 1, 999);
        record->musicFlag = args.I32(3) != 0 ? 1 : 0;
        break;
    default:
        break;
    }
    return 1;
}

// Slot 6: a value onto the route record's value list; -1 adds nothing.
std::uint32_t RegisterValue(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    if (mode != 0 || !args.Need(1) || args.I32(0) == -1) return 1;
    if (RouteData* record = RegistrationRecord(engine)) record->values.push_back(args.I32(0));
    return 1;
}

}  // namespace route_commands
