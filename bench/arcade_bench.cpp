// The arcade world at its limits (aim: a step with 300 enemies, 300 bullets, 100 items and 14 weapons under 2 ms) and its draw with the cabinet (aim: under 1 ms), neither allocating.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

#include "bench/allocation_counter.h"
#include "bench/built_data_session.h"
#include "bench/game_services_teardown.h"
#include "framework/app/framework_manager.h"
#include "framework/graphics/device_record.h"
#include "framework/graphics/sprite_registry.h"
#include "framework/math/random.h"
#include "framework/memory/heaps.h"
#include "game/model/minigame/minigame_enemy.h"
#include "game/model/minigame/minigame_player.h"
#include "game/model/minigame/minigame_world.h"
#include "game/model/object/enemy_sprite_pool.h"
#include "game/model/script/script_package.h"
#include "game/model/stores/ammo_storage.h"
#include "game/model/stores/food_storage.h"
#include "game/services/clock/game_clock.h"
#include "game/model/world/game_world.h"
#include "game/services/achievement/achievements.h"
#include "game/services/data/setting_script.h"
#include "game/services/data/static_database.h"
#include "game/services/data/tag.h"
#include "game/services/player/player_data.h"
#include "game/services/save/save_manager.h"
#include "game/services/sound/sound_player.h"
#include "game/ui/minigame_cabinet.h"
#include "game/ui/minigame_overlays.h"

namespace {

// The framework with the shipped data set and one arcade world filled to its pools' limits: 300
// hoppers across the field, 300 shells in the air, 100 items and 14 weapons, the rat sheltered.
class ArcadeRig {
public:
    ArcadeRig()
    {
        if (!session_.Started()) return;
        CreatePlayerData();
        vesk::resource::SpriteRegistry* registry = vesk::resource::GetSpriteRegistry();
        const vesk::resource::TextureLoader loader{vesk::memory::MainHeap(), vesk::memory::MainHeap()};
        if (!RunStaticDatabaseScript(*GetStaticDatabase()) || !LoadScriptPackage(kScriptPackageEnemy) ||
            registry->LoadSpritePackage(loader, 2, "ship/room/dotroom.pac") == nullptr ||
            registry->LoadSpritePackage(loader, 3, "enemy/enemy.pac") == nullptr ||
            registry->LoadSpritePackage(loader, kMiniGameSpriteGroup, "minigame/minigame.pac") == nullptr) {
            return;
        }
        GetGameWorld();
        vesk::math::SeedRandom(3);
        world_ = std::make_unique<GAME_CMiniGameWorld>();
        world_->Reset();
        GAME_CMiniGameObjectPlayer& rat = *world_->Player();
        rat.hit = 1;
        rat.invincibleTimer = 1 << 30;
        for (std::size_t i = 0; i < GAME_CMiniGameWorld::kEnemyPool; ++i) {
            world_->Enemies()[i]->Init({MakeTag("E901"), 2.0f * static_cast<float>(i), 255.0f, 1.0f, 1.0f});
        }
        for (int i = 0; i < 14; ++i) rat.AddWeapon(static_cast<std::uint8_t>(i % 3));
        cabinet_ = std::make_unique<GAME_CMiniGameCabinet>(world_->Tuning());
        overlays_ = std::make_unique<GAME_CMiniGameOverlays>();
        vesk::app::BeginFrameDraw();
        ok_ = true;
    }

    // Keeps the pools full: shells and items that left or timed out come back.
    void Refill()
    {
        for (const auto& bullet : world_->Bullets()) {
            if (bullet->active == 0) bullet->Init({1, 320.0f, 100.0f, 1.0f, 1.0f, 0.0f, 0.0f, 0});
        }
        for (const auto& item : world_->Items()) {
            if (item->active == 0) item->Init({0, 100.0f, 250.0f, 1.0f, 1.0f, MakeTag("I102")});
        }
    }

    ~ArcadeRig()
    {
        overlays_.reset();
        cabinet_.reset();
        world_.reset();
        DestroyBenchGameServices();
    }

    bool Ok() const { return ok_; }
    GAME_CMiniGameWorld& World() { return *world_; }
    GAME_CMiniGameCabinet& Cabinet() { return *cabinet_; }
    GAME_CMiniGameOverlays& Overlays() { return *overlays_; }

private:
    bench_support::BuiltDataSession session_;
    std::unique_ptr<GAME_CMiniGameWorld> world_;
    std::unique_ptr<GAME_CMiniGameCabinet> cabinet_;
    std::unique_ptr<GAME_CMiniGameOverlays> overlays_;
    bool ok_ = false;
};

void BM_ArcadeWorldStepFullPools(benchmark::State& state)
{
    ArcadeRig rig;
    if (!rig.Ok()) {
        state.SkipWithError("the arcade did not come up (is the data set built?)");
        return;
    }
    std::size_t allocations = 0;
    for (auto _ : state) {
        state.PauseTiming();
        rig.Refill();
        state.ResumeTiming();
        const std::size_t before = bench_support::AllocationCount();
        rig.World().Update();
        allocations += bench_support::AllocationCount() - before;
    }
    state.counters["allocations/step"] = benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
    // What the last step carried, so that a pool emptied by the run would show.
    const auto live = [](const auto& pool) {
        return static_cast<double>(std::count_if(pool.begin(), pool.end(), [](const auto& object) { return object->active != 0; }));
    };
    state.counters["enemies"] = live(rig.World().Enemies());
    state.counters["bullets"] = live(rig.World().Bullets());
    state.counters["items"] = live(rig.World().Items());
}
BENCHMARK(BM_ArcadeWorldStepFullPools)->Unit(benchmark::kMicrosecond);

// What the scene draws in play: the field, every object, the HUD, the near view and the cabinet;
// the batch's rasterising is left out of the time.
void BM_ArcadeDrawFullPools(benchmark::State& state)
{
    ArcadeRig rig;
    if (!rig.Ok()) {
        state.SkipWithError("the arcade did not come up (is the data set built?)");
        return;
    }
    rig.Refill();
    rig.World().Update();
    vesk::graphics::DeviceRecord* device = vesk::graphics::GetDeviceRecord();
    const MiniGameControls controls;
    const auto drawFrame = [&] {
        rig.Cabinet().DrawBackground();
        rig.World().Draw();
        rig.Overlays().DrawHud(rig.World());
        rig.Cabinet().DrawNearView();
        rig.Cabinet().DrawOverlay(controls);
    };
    // The first frame finds its sprites and fills its batches.
    drawFrame();
    device->textureRenderer.Flush();
    bench_support::TimeFramesCountingAllocations(state, drawFrame, [&] { device->textureRenderer.Flush(); });
}
BENCHMARK(BM_ArcadeDrawFullPools)->Unit(benchmark::kMicrosecond);

}  // namespace
