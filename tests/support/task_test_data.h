// The task records of the small test data set and a furnished ship on it, for the fuzz targets and benchmarks of crew tasks.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "game/services/data/static_database.h"
#include "game/services/data/tag.h"
#include "game/services/data/task_records.h"
#include "game/model/world/game_world.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/ship.h"
#include "tests/support/crew_test_data.h"

namespace support {

// Task ids of the test data beside the fixed tags: a craft, an upgrade, a treatment and a refuel.
inline constexpr std::uint32_t kCraftTask = MakeTag("TC01");    // 1 crew, 10 s, 2 kMaterial -> 1 kFood
inline constexpr std::uint32_t kIdleCraftTask = MakeTag("TC02");  // 1 crew, 546 s, no material, no cost
inline constexpr std::uint32_t kUpgradeTask = MakeTag("TU01");  // 1 crew, 10 s, bit 0
inline constexpr std::uint32_t kTreatTask = MakeTag("TN01");    // treats kDebuff
inline constexpr std::uint32_t kRefuelTask = MakeTag("TF01");   // +60 fuel from 1 kMaterial

// One record per task kind (must run once the ship and crew test data exist).
inline void DefineTaskTestData(GAME_CStaticDatabase& database)
{
    const auto task = [&](std::uint32_t id, std::int32_t kind, std::int32_t seconds, std::int32_t stamina,
                          std::int32_t calorie) {
        TaskData* record = database.GetOrCreateTaskData(id);
        record->kind = kind;
        record->crewLimit = 1;
        record->durationSeconds = seconds;
        record->staminaChange = stamina;
        record->calorieChange = calorie;
        return record;
    };
    task(MakeTag("TRBD"), kTaskRoomBuild, 10, 2000, 1000);
    TaskData* craft = task(kCraftTask, kTaskItemCraft, 10, 2000, 1000);
    craft->materials[0] = ItemCount{kMaterial, 2};
    craft->productItem = kFood;
    craft->productCount = 1;
    task(kIdleCraftTask, kTaskItemCraft, 546, 0, 0);
    task(kUpgradeTask, kTaskRoomUpgrade, 10, 2000, 1000)->productItem = 0;
    task(MakeTag("TMEL"), kTaskMeal, 5, 5000, 0);
    task(MakeTag("TBRK"), kTaskBreak, 10, 4000, 0);
    task(MakeTag("TICR"), kTaskItemCarrier, 5, 0, 0);
    task(MakeTag("TCKG"), kTaskCooking, 10, 2000, 1000);
    task(MakeTag("TCFI"), kTaskCarrierFromInventory, 5, 0, 0);
    task(MakeTag("TATK"), kTaskAttackToEnemy, 2, 1000, 500);
    task(MakeTag("TRLD"), kTaskReload, 5, 0, 0);
    task(MakeTag("TDCT"), kTaskDoctor, 3, -2000, -1000);
    task(MakeTag("TPTT"), kTaskPatient, 10, 3000, 0);
    TaskData* heal = task(MakeTag("THHP"), kTaskPatient, 10, 2000, 0);
    heal->amount = 10000;
    heal->materials[0] = ItemCount{kFood, 1};
    task(kTreatTask, kTaskPatient, 10, 0, 0)->treatedDebuff = kDebuff;
    task(MakeTag("TSCN"), kTaskRouteScan, 10, 3000, 1500)->amount = 30;
    task(MakeTag("TMNT"), kTaskEngineMaintenance, 10, 3000, 1500);
    task(MakeTag("TDRV"), kTaskBridgeDriver, 60, 1000, 500);
    task(MakeTag("TMOG"), kTaskMealOnGrid, 1, 0, 0);
    task(MakeTag("TMDC"), kTaskMindControl, 10, 0, 0);
    TaskData* refuel = task(kRefuelTask, kTaskRefuel, 10, 2000, 1000);
    refuel->amount = 60;
    refuel->materials[0] = ItemCount{kMaterial, 1};
}

// A world on the test data with the task records (see MakeCrewTestWorld) and the ship of the tag.
inline GAME_CGameWorld& MakeTaskTestWorld(const std::string& definitionsFolder, std::uint32_t shipTag)
{
    GAME_CGameWorld& world = MakeCrewTestWorld(definitionsFolder, shipTag);
    DefineTaskTestData(*GetStaticDatabase());
    return world;
}

// A crew member standing on the cell's floor point, its AI running.
inline GAME_CObjectActor* AddTestCrew(GAME_CGameWorld& world, std::int32_t column, std::int32_t row)
{
    GAME_CObjectActor* actor = world.fieldObjects->AcquireActorObject();
    if (actor == nullptr) return nullptr;
    ActorSetupRecord setup;
    world.ship->GetCellFloorPoint(column, row, &setup.x, &setup.y, false);
    actor->Init(setup);
    actor->aiEnabled = 1;
    return actor;
}

}  // namespace support
