// The crew's part of the small test data set: the crew script, the balloon groups and a world on them, for tests, fuzz targets and benchmarks.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "framework/log/log.h"
#include "framework/math/random.h"
#include "game/services/player/player_data.h"
#include "game/services/data/static_database.h"
#include "game/model/script/script_package.h"
#include "game/model/travel/route_manager.h"
#include "game/model/world/game_world.h"
#include "game/model/ship/ship.h"
#include "tests/support/ship_test_data.h"

namespace support {

// Balloon groups of the test data: each with one line, a sprite index of its own.
inline constexpr std::int32_t kStarvingLine = 200;
inline constexpr std::int32_t kExhaustedLine = 201;
inline constexpr std::int32_t kCriticalLine = 202;
inline constexpr std::int32_t kHurtLine = 203;
inline constexpr std::int32_t kNewbornLine = 204;
inline constexpr std::int32_t kRepeatLine = 205;  // group 30: repeats, spoken while the buff holds
inline constexpr std::int32_t kDebuffLine = 206;  // group 31: spoken while the debuff holds
inline constexpr std::int32_t kRoomLine = 207;    // groups 103 to 107
inline constexpr std::uint16_t kRepeatGroup = 30;
inline constexpr std::uint16_t kDebuffGroup = 31;

// The crew script of the tests: the set-up label enables the AI and falls into standing; the
// death label plays kDeathFrames frames before the script ends.
inline constexpr int kDeathFrames = 20;

inline std::string TestCrewScriptSource()
{
    return R"(
.entry 0
"コンストラクタ":
    visible 1
    ai.enable
"更新[NoAction]":
stand:
    wait 60
    goto stand
"更新[Action]":
    goto stand
"更新[ItemGet]":
    wait 10
    jump "更新[NoAction]"
"更新[Repair]":
    goto stand
"死亡":
    wait )" + std::to_string(kDeathFrames) +
           R"(
    return
)";
}

// The balloon groups above (the ship test data's buff and debuff must exist).
inline void DefineCrewTestData(GAME_CStaticDatabase& database)
{
    const auto group = [&](std::uint16_t id, std::int32_t line, bool repeat) {
        BalloonGroup* record = database.GetOrCreateBalloonGroup(id);
        record->lines = {static_cast<std::uint32_t>(line)};
        record->flag = repeat ? 1 : 0;
        return record;
    };
    group(0, kStarvingLine, false);
    group(1, kExhaustedLine, false);
    group(2, kCriticalLine, false);
    group(3, kHurtLine, false);
    group(4, kNewbornLine, false);
    for (std::uint16_t id = 103; id <= 107; ++id) group(id, kRoomLine, false);
    group(kRepeatGroup, kRepeatLine, true)->buffId = kBuff;
    database.GetOrCreateBuffData(kBuff, false)->balloonGroup = kRepeatGroup;
    group(kDebuffGroup, kDebuffLine, false)->debuffId = kDebuff;
    database.GetOrCreateDebuffData(kDebuff, false)->balloonGroup = kDebuffGroup;
}

// The crew script as the actor package; the assembler's errors, or empty on success.
inline std::vector<std::string> LoadTestCrewScript(const std::string& definitionsFolder)
{
    return LoadTestScriptPackage(kScriptPackageActor, TestCrewScriptSource(), "actor.def", definitionsFolder);
}

// A world on the test data for the programs without a test fixture (benchmarks, fuzz targets):
// a quiet log, the random generator seeded, player data with the ship and crew test data and the
// enemy kind kTestEnemy, the room and crew scripts, a route manager and the ship of the tag.
inline constexpr std::uint32_t kTestEnemy = MakeTag("E001");

inline GAME_CGameWorld& MakeCrewTestWorld(const std::string& definitionsFolder, std::uint32_t shipTag)
{
    vesk::log::SetSink([](vesk::log::Level, std::string_view) {});
    vesk::math::SeedRandom(1);
    vesk::math::MarkRandomClockSeeded();
    // A world left by an earlier caller points into the database that CreatePlayerData replaces.
    DestroyGameWorld();
    CreatePlayerData();
    GAME_CStaticDatabase& database = *GetStaticDatabase();
    DefineShipTestData(database);
    DefineCrewTestData(database);
    database.GetOrCreateEnemyData(kTestEnemy);
    if (!LoadTestRoomScripts(definitionsFolder).empty() || !LoadTestCrewScript(definitionsFolder).empty()) std::abort();
    GAME_CGameWorld& world = *GetGameWorld();
    world.travel->routeManager = std::make_unique<GAME_CRouteManager>();
    world.travel->routeManager->SetLength(100000);
    world.ship->ChangeShip(shipTag);
    return world;
}

}  // namespace support
