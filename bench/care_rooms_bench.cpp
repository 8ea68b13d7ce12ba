// Opening the infirmary and the mind-control room with 128 crew, every member short of HP with two debuffs and two skills a mind-control record can take: the first frame, which fills the 384-entry list, its rows, the member panel and the task page. Aim: under 1 ms each.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "bench/travel_rig.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/ship.h"
#include "game/services/data/id_tags.h"
#include "game/services/data/tag.h"
#include "game/ui/screens/ui_hospital.h"
#include "game/ui/screens/ui_mind_control.h"
#include "game/ui/ui_manager.h"

namespace {

using bench_support::TravelRig;

constexpr int kCrew = 128;

// The crew filled up to 128, each one sick twice over, hurt and with two skills to take.
bool MakeEveryoneACase(GAME_CGameWorld& world)
{
    GAME_CFieldObjectManager& field = *world.fieldObjects;
    GAME_CShip& ship = *world.ship;
    for (int i = static_cast<int>(field.crew.size()); i < kCrew; ++i) {
        GAME_CObjectActor* actor = field.AcquireActorObject();
        if (actor == nullptr) return false;
        ActorSetupRecord setup;
        ship.GetCellFloorPoint(i % ship.grid.width, i / ship.grid.width % ship.grid.height, &setup.x, &setup.y, true);
        actor->Init(setup);
    }
    for (GAME_CObjectActor* member : field.crew) {
        if (member == nullptr) continue;
        GAME_CActorStatus& status = member->status;
        status.progress = 1'000'000;
        status.RemoveSkill(kNoId);
        status.RemoveDebuff(kNoId);
        status.AddSkill(MakeTag("S001"));
        status.AddSkill(MakeTag("S002"));
        status.AddDebuff(MakeTag("N001"));
        status.AddDebuff(MakeTag("N002"));
        status.hp = status.computed.maxHp * 500;
    }
    return field.crew.size() == kCrew;
}

// A finished room of the kind on the first free cell.
GAME_CRoomBase* PlaceAnywhere(GAME_CShip& ship, const char (&id)[5])
{
    for (std::int32_t y = 0; y < ship.grid.height; ++y) {
        for (std::int32_t x = 0; x < ship.grid.width; ++x) {
            if (GAME_CRoomBase* room = ship.PlaceRoom(x, y, FindRoomIdIndex(MakeTag(id)))) return room;
        }
    }
    return nullptr;
}

template <typename Screen>
void OpenCareRoom(benchmark::State& state, const char (&roomId)[5])
{
    TravelRig rig;
    GAME_CGameWorld* world = PeekGameWorld();
    GAME_CRoomBase* room = world != nullptr && rig.Ok() ? PlaceAnywhere(*world->ship, roomId) : nullptr;
    if (room == nullptr || !MakeEveryoneACase(*world)) {
        state.SkipWithError("the ship could not be set up");
        return;
    }
    GAME_CUIManager& ui = *UIManagerOf(world);
    ui.CloseAllExcept();
    for (int i = 0; i < 30; ++i) rig.Frame();
    const std::int32_t index = world->ship->GetRoomIndex(room);
    auto& screen = *ui.Get<Screen>();
    std::int32_t entries = 0;
    for (auto _ : state) {
        ui.OpenRoomScreen(room, index);
        screen.Update(false);
        entries = screen.EntryCount();
        state.PauseTiming();
        screen.SetOpen(false);
        for (int frame = 0; frame < 40 && screen.IsOpen(); ++frame) screen.Update(false);
        state.ResumeTiming();
    }
    state.counters["entries"] = entries;
}

void BM_OpenInfirmary(benchmark::State& state) { OpenCareRoom<GAME_CUIHospital>(state, "ID05"); }
void BM_OpenMindControl(benchmark::State& state) { OpenCareRoom<GAME_CUIMindControl>(state, "ID14"); }

}  // namespace

BENCHMARK(BM_OpenInfirmary)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenMindControl)->Unit(benchmark::kMicrosecond);
