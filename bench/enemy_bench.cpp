// Enemies with full part trees (aim: under 30 µs a frame for their update, animation and draw submission) and a drop drawn from a table (aim: under 100 ns).
#include <benchmark/benchmark.h>

#include "bench/built_data_session.h"
#include "bench/game_services_teardown.h"
#include "framework/app/framework_manager.h"
#include "framework/draw/sprite_draw.h"
#include "framework/graphics/device_record.h"
#include "framework/graphics/sprite_registry.h"
#include "framework/memory/heaps.h"
#include "game/services/achievement/achievements.h"
#include "game/model/stores/ammo_storage.h"
#include "game/model/stores/food_storage.h"
#include "game/services/player/player_data.h"
#include "game/services/data/setting_script.h"
#include "game/services/data/static_database.h"
#include "game/services/data/tag.h"
#include "game/services/save/save_manager.h"
#include "game/model/script/script_package.h"
#include "game/services/sound/sound_player.h"
#include "game/model/travel/route_manager.h"
#include "game/services/clock/game_clock.h"
#include "game/model/world/game_world.h"
#include "game/model/object/enemy_drops.h"
#include "game/model/object/enemy_sprite_pool.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_enemy.h"

namespace {

constexpr std::uint32_t kRoute = MakeTag("RBEN");
constexpr int kEnemies = 16;

// The framework and the game world on the data set this build made: 16 dune striders far ahead of
// the ship, walking on the spot, each with three more parts on its tree, so that all 128 parts
// of the pool are in use.
class EnemyRig {
public:
    EnemyRig()
    {
        if (!session_.Started()) return;
        CreatePlayerData();
        vesk::resource::SpriteRegistry* registry = vesk::resource::GetSpriteRegistry();
        if (!RunStaticDatabaseScript(*GetStaticDatabase()) || !LoadScriptPackage(kScriptPackageEnemy) ||
            registry->LoadSpritePackage({vesk::memory::MainHeap(), vesk::memory::MainHeap()},
                                        GAME_CObjectEnemy::kEnemySpriteGroup, "enemy/enemy.pac") == nullptr) {
            return;
        }
        GetStaticDatabase()->GetOrCreateRouteData(kRoute)->length = 20000;
        GAME_CGameWorld* world = GetGameWorld();
        world->travel->routeManager = std::make_unique<GAME_CRouteManager>();
        world->travel->routeManager->BeginRegistration(kRoute, nullptr);
        world->camera->zoom = 2.0f;
        GAME_CFieldObjectManager& field = *world->fieldObjects;
        for (int i = 0; i < kEnemies; ++i) {
            GAME_CObjectEnemy* enemy = field.AcquireEnemyObject();
            const std::int32_t place = 10000 + i * 8;  // on the canvas, far from the ship
            world->travel->routeManager->SetPosition(place);
            enemy->Init({MakeTag("E002"), {place, place}});
            GAME_CEnemySprite* root = enemy->GetSpriteRoot();
            for (const char* name : {"antenna", "plate_front", "plate_back"}) {
                GAME_CEnemySprite* part = GetEnemySpritePool().AcquirePart();
                if (root == nullptr || part == nullptr) return;
                EnemySpritePartRecord record;
                record.name = name;
                record.spriteIndex = 7;
                part->InitFromRecord(&record);
                root->AddChild(part);
            }
        }
        world->travel->routeManager->SetPosition(10000);
        for (int step = 0; step < 60; ++step) field.UpdateEnemies();
        vesk::app::BeginFrameDraw();
        ok_ = GetEnemySpritePool().FreeCount() == 0 && field.enemies.size() == kEnemies;
    }

    // Everything process-wide the rig made goes before the session's heaps do, as at the game's
    // shutdown: benchmark runs its function more than once.
    ~EnemyRig()
    {
        DestroyBenchGameServices();
    }

    bool Ok() const { return ok_; }

private:
    bench_support::BuiltDataSession session_;
    bool ok_ = false;
};

// One frame of the enemies: their step (AI, script, part animation) and the draw of every
// sprite and part into the renderer's batch; the batch's rasterising is left out of the time.
void BM_EnemyFrameFullPartPool(benchmark::State& state)
{
    EnemyRig rig;
    if (!rig.Ok()) {
        state.SkipWithError("the enemies did not come up (is the data set built?)");
        return;
    }
    GAME_CFieldObjectManager& field = *GetGameWorld()->fieldObjects;
    vesk::graphics::DeviceRecord* device = vesk::graphics::GetDeviceRecord();
    for (auto _ : state) {
        field.UpdateEnemies();
        vesk::graphics::BeginSpriteDraw(GAME_CObjectEnemy::kEnemySpriteGroup, 4);
        field.DrawEnemies();
        state.PauseTiming();
        device->textureRenderer.Flush();
        state.ResumeTiming();
    }
    state.counters["parts"] = static_cast<double>(GetEnemySpritePool().UsedCount());
}
BENCHMARK(BM_EnemyFrameFullPartPool)->Unit(benchmark::kMicrosecond);

// A drop drawn from a full table of eight weighted entries.
void BM_EnemyDropDraw(benchmark::State& state)
{
    EnemyData kind;
    for (int i = 0; i < 8; ++i) kind.drops[i] = {MakeTag("I001") + static_cast<std::uint32_t>(i), 10 + i * 7};
    for (auto _ : state) benchmark::DoNotOptimize(ChooseEnemyDrop(kind));
}
BENCHMARK(BM_EnemyDropDraw);

}  // namespace
