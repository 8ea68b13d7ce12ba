// Random bytes as the task area of a game slot (1235 records of 44 bytes, the repeat bits behind them), restored into a
// small furnished world, stepped and written again: every task left has a kind with a class, a room the ship has and crew
// aboard who work it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <vector>

#include "game/services/data/static_lookups.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/model/world/game_world.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/task_factory.h"
#include "game/model/ship/task_manager.h"
#include "game/model/ship/task_request.h"
#include "tests/support/task_test_data.h"

namespace {

using namespace save_layout;

// A ladder joining the first two rows, a crew home, a kitchen, a turret, a storeroom, an engine and
// a fuel tank; three crew, a few tasks, and the slot they were saved to.
const std::vector<std::uint8_t>& PrepareWorld()
{
    static const std::vector<std::uint8_t> slot = [] {
        GAME_CGameWorld& world = support::MakeTaskTestWorld(VARNOLIS_SOURCE_DIR "/data/script/defs", MakeTag("SHP2"));
        GAME_CShip& ship = *world.ship;
        ship.PlaceRoom(0, 0, support::kLadder);
        GAME_CRoomBase* home = ship.PlaceRoom(1, 0, support::kHome);
        ship.PlaceRoom(2, 0, support::kKitchen);
        ship.PlaceRoom(4, 0, support::kTurret);
        ship.PlaceRoom(5, 0, support::kStorage);
        GAME_CRoomBase* engine = ship.PlaceRoom(6, 0, support::kEngine);
        ship.PlaceRoom(8, 0, support::kFuelTank);
        for (int i = 0; i < 3; ++i) {
            GAME_CObjectActor* actor = support::AddTestCrew(world, 2 + 3 * i, 1);
            if (actor == nullptr || home == nullptr || engine == nullptr) std::abort();
            home->AssignCrew(actor);
        }
        world.fieldObjects->DropItemOnCell(support::kMaterial, 4, 3, 2);
        world.fieldObjects->DropItemOnCell(support::kFood, 2, 7, 2);
        const std::int32_t engineIndex = ship.GetRoomIndex(engine);
        const std::int32_t homeIndex = ship.GetRoomIndex(home);
        if (const TaskData* craft = FindTaskData(support::kCraftTask)) {
            GAME_CTaskBase::CreateFromRequest(MakeItemCraftRequest(*craft, engineIndex, 0));
        }
        GAME_CTaskBase::CreateFromRequest(MakeEngineMaintenanceRequest(engineIndex, 0));
        GAME_CTaskBase::CreateFromRequest(MakeBreakRequest(homeIndex));
        GAME_CTaskBase::CreateFromRequest(MakeRefuelRequest(support::kRefuelTask, engineIndex, 0));
        for (int step = 0; step < 30; ++step) {
            world.fieldObjects->Update();
            world.tasks->Update();
        }
        std::vector<std::uint8_t> record(kSlotSize, 0);
        InitSlotRecord(record);
        ship.WriteSaveRecord(record);
        world.fieldObjects->SaveToSlot(record);
        world.tasks->WriteSaveRecords(record);
        return record;
    }();
    return slot;
}

void Require(bool holds, int line)
{
    if (holds) return;
    std::fprintf(stderr, "task area: the check at line %d failed\n", line);
    std::abort();
}

#define REQUIRE(condition) Require((condition), __LINE__)

// An unfinished room-bound task names a room the ship has; every crew member of a task is aboard, every task a crew
// member or a room holds is listed.
void CheckTasks(const GAME_CGameWorld& world)
{
    const GAME_CShip& ship = *world.ship;
    const GAME_CFieldObjectManager& field = *world.fieldObjects;
    REQUIRE(world.tasks->tasks.size() <= kMaxTasks + 64);
    for (const GAME_CTaskBase* task : world.tasks->tasks) {
        if (task == nullptr) continue;
        REQUIRE(HasTaskClass(task->GetKind()));
        if (task->IsFinished()) continue;
        if (task->IsRoomTask()) REQUIRE(task->GetRoom() != nullptr);
        for (const GAME_CObjectActor* actor : task->crew) {
            REQUIRE(actor != nullptr);
            REQUIRE(std::find(field.crew.begin(), field.crew.end(), actor) != field.crew.end());
        }
    }
    for (const GAME_CObjectActor* actor : field.crew) {
        if (actor == nullptr || actor->task == nullptr) continue;
        const auto& listed = world.tasks->tasks;
        REQUIRE(std::find(listed.begin(), listed.end(), actor->task) != listed.end());
    }
    for (std::int32_t number = 0; number < ship.CountRoomsOnGrid(); ++number) {
        const GAME_CRoomBase* room = ship.GetRoom(number);
        if (room == nullptr) continue;
        for (const GAME_CTaskBase* bound : room->boundTasks) {
            const auto& listed = world.tasks->tasks;
            REQUIRE(std::find(listed.begin(), listed.end(), bound) != listed.end());
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::uint8_t> record = PrepareWorld();
    // The input lands on the used records at the start of the area; one byte of it, when there
    // is one, also goes into the repeat bits.
    std::memcpy(record.data() + slot::kTasks, data, std::min<std::size_t>(slot::kTasksSize, size));
    if (size > 0) record[slot::kTaskRepeatBits] ^= data[0];

    GAME_CGameWorld& world = *GetGameWorld();
    world.tasks->Clear();
    world.ship->BuildLayout(record);
    world.fieldObjects->LoadFromSlot(record);
    world.tasks->RestoreFromSave(record);
    CheckTasks(world);
    for (int step = 0; step < 4; ++step) {
        world.fieldObjects->Update();
        world.tasks->Update();
        CheckTasks(world);
    }
    std::vector<std::uint8_t> again(kSlotSize, 0);
    InitSlotRecord(again);
    world.tasks->WriteSaveRecords(again);
    return 0;
}
