// Random enemy-script commands of any slot with random arguments, run on a live enemy beside a ship for a few frames: no crash, no hang, and no part of the part pool lost.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "framework/log/log.h"
#include "fuzz/registration_input.h"
#include "framework/math/random.h"
#include "framework/utility/script_package/script_package.h"
#include "game/services/player/player_data.h"
#include "game/services/data/static_database.h"
#include "game/services/data/tag.h"
#include "game/model/travel/route_manager.h"
#include "game/model/world/game_world.h"
#include "game/model/object/enemy_sprite_pool.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_enemy.h"
#include "game/model/ship/ship.h"
#include "tests/support/ship_test_data.h"

namespace {

using registration_fuzz::InputReader;

constexpr std::uint32_t kEnemy = MakeTag("E001");
constexpr std::uint32_t kRoute = MakeTag("RFZZ");
constexpr int kFrames = 40;
// Five times the longest script: a script that runs longer is taken to hang and stopped. Each of the nine
// threads may spend it in a frame, and each command that asks for the pass to run again runs the main thread and
// the sub-threads before it once more, so the budget sets how long a run can take: eight sub-threads restarting
// the main thread on 4096 commands each ran for seconds, on 256 for a fraction of one.
constexpr std::uint32_t kCommandBudget = 1u << 8;

// The ship test world on a route of 3000 units, and an enemy kind with a drop table.
void PrepareWorld()
{
    static const bool once = [] {
        vesk::log::SetSink([](vesk::log::Level, std::string_view) {});
        vesk::math::SeedRandom(1);
        vesk::math::MarkRandomClockSeeded();
        CreatePlayerData();
        GAME_CStaticDatabase& database = *GetStaticDatabase();
        support::DefineShipTestData(database);
        EnemyData* kind = database.GetOrCreateEnemyData(kEnemy);
        kind->drops[0] = {support::kMaterial, 2};
        kind->drops[1] = {support::kFood, 1};
        database.GetOrCreateRouteData(kRoute)->length = 3000;
        GAME_CGameWorld* world = GetGameWorld();
        world->ship->ChangeShip(MakeTag("SHP2"));
        world->travel->routeManager = std::make_unique<GAME_CRouteManager>();
        world->travel->routeManager->BeginRegistration(kRoute, nullptr);
        world->travel->routeManager->SetLength(3000);
        world->travel->routeManager->SetPosition(1200);
        return true;
    }();
    (void)once;
}

void CheckPartPool()
{
    const GAME_CEnemySpritePool& pool = GetEnemySpritePool();
    if (pool.FreeCount() + pool.UsedCount() != GAME_CEnemySpritePool::kPartCount) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PrepareWorld();
    InputReader in(data, size);
    // A slot of either table or up to two past it.
    const auto package = registration_fuzz::ParsePackage(registration_fuzz::RunPackageFromInput(in, 102, 83, u"待機"));
    if (package == nullptr) return 0;

    GAME_CGameWorld& world = *GetGameWorld();
    GAME_CFieldObjectManager& field = *world.fieldObjects;
    GAME_CObjectEnemy* enemy = field.AcquireEnemyObject();
    if (enemy == nullptr) std::abort();
    const std::int32_t place = 1100 + static_cast<std::int32_t>(in.U8());
    enemy->Init({kEnemy, {place, place}});
    enemy->script.Attach(package->FindProgram(1), enemy);
    enemy->script.SetCommandBudget(kCommandBudget);
    enemy->RunLabel(u"test");
    for (int frame = 0; frame < kFrames && field.IsEnemyActive(enemy); ++frame) {
        field.Update();
        world.ship->Update();
        field.DrawEnemies();
        CheckPartPool();
    }
    // The enemy goes (its parts with it) before the script it runs on.
    field.ClearEnemies();
    field.ClearDropItems();
    CheckPartPool();
    if (GetEnemySpritePool().UsedCount() != 0) std::abort();
    return 0;
}
