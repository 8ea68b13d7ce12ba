// Random bytes in the field objects' areas of a game slot (crew, enemy, drop-item and item records), loaded into a small
// world, stepped and saved again: cells on the grid, meters and counts within bounds, every carrier, room and enemy real.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "game/services/data/static_lookups.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/model/world/game_world.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/ship/ship.h"
#include "tests/support/crew_test_data.h"
#include "fuzz/slot_areas.h"

namespace {

using namespace save_layout;

constexpr fuzz_support::SlotArea kAreas[] = {
    {slot::kCrew, slot::kCrewRecordCount * slot::kCrewRecordSize},
    {slot::kEnemyRecords, 16 * 16},
    {slot::kDropItemRecords, 128 * 12},
    {slot::kFieldItems, slot::kFieldItemCount * slot::kFieldItemSize},
};

// A world with the test data, a crew home and a kitchen, and a slot that holds a small field.
const std::vector<std::uint8_t>& PrepareWorld()
{
    static const std::vector<std::uint8_t> slot = [] {
        GAME_CGameWorld* world = &support::MakeCrewTestWorld(VARNOLIS_SOURCE_DIR "/data/script/defs", MakeTag("SHP2"));
        GAME_CShip& ship = *world->ship;
        GAME_CRoomBase* home = ship.PlaceRoom(0, 0, support::kHome);
        GAME_CRoomBase* kitchen = ship.PlaceRoom(2, 0, support::kKitchen);
        GAME_CFieldObjectManager& field = *world->fieldObjects;
        for (int i = 0; i < 3; ++i) {
            GAME_CObjectActor* actor = field.AcquireActorObject();
            ActorSetupRecord setup;
            ship.GetCellFloorPoint(i * 2, 2, &setup.x, &setup.y, false);
            actor->Init(setup);
            home->AssignCrew(actor);
            if (i == 0) kitchen->AssignCrew(actor);
        }
        field.DropItemOnCell(support::kFood, 2, 5, 1);
        field.DropItemOnCell(support::kMaterial, 4, 6, 2);
        field.items.back()->SetCarrier(field.crew[1]);
        field.crew[1]->SetCarriedItem(field.items.back());
        field.AcquireDropItem()->Init({support::kFood, 3, 400});
        field.AcquireEnemyObject()->Init({support::kTestEnemy, {50, 60}});
        field.enemies.back()->hpRecord.hp = 9;
        std::vector<std::uint8_t> record(kSlotSize, 0);
        InitSlotRecord(record);
        ship.WriteSaveRecord(record);
        field.SaveToSlot(record);
        return record;
    }();
    return slot;
}

void Require(bool holds)
{
    if (!holds) std::abort();
}

bool InRange(std::int64_t value, std::int64_t low, std::int64_t high) { return value >= low && value <= high; }

void CheckField(const GAME_CFieldObjectManager& field, const GAME_CShip& ship)
{
    for (const GAME_CObjectActor* actor : field.crew) {
        Require(actor != nullptr && actor->active != 0);
        Require(ship.grid.IsInside(actor->cellX, actor->cellY));
        const GAME_CActorStatus& status = actor->status;
        Require(InRange(status.hp, 0, std::int64_t{status.computed.maxHp} * 1000));
        Require(InRange(status.stamina, 0, std::int64_t{status.computed.maxStamina} * 1000));
        Require(InRange(status.calorie, 0, std::int64_t{status.computed.maxCalorie} * 1000));
        for (const ActorRoomLink* link : {&actor->homeLink, &actor->workLink}) {
            Require(link->room == nullptr || ship.GetRoomIndex(link->room) >= 0);
        }
        if (actor->carriedItem != nullptr) Require(field.IsItemActive(actor->carriedItem));
    }
    Require(field.items.size() <= GAME_CFieldObjectManager::kItemPoolSize);
    for (const GAME_CObjectItem* item : field.items) {
        Require(item != nullptr);
        if (item->dead != 0) continue;
        const ItemData* record = FindItemData(item->itemId);
        Require(record != nullptr && InRange(item->count, 1, std::min(255, std::max(record->stackLimit, 1))));
        if (item->carrier != nullptr) {
            Require(std::find(field.crew.begin(), field.crew.end(), item->carrier) != field.crew.end());
            Require(item->carrier->carriedItem == item);
        } else {
            Require(ship.grid.IsInside(item->GetCellColumn(), item->GetCellRow()));
        }
    }
    for (const GAME_CObjectEnemy* enemy : field.enemies) Require(enemy != nullptr && FindEnemyData(enemy->GetEnemyId()) != nullptr);
    for (const GAME_CObjectDropItem* drop : field.activeDropItems) {
        if (drop != nullptr) Require(drop->count > 0 && FindItemData(drop->itemId) != nullptr);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1) return 0;
    std::vector<std::uint8_t> record = PrepareWorld();
    fuzz_support::OverwriteArea(record, kAreas, data, size);

    GAME_CGameWorld& world = *GetGameWorld();
    world.tasks->Clear();
    world.ship->BuildLayout(record);
    world.fieldObjects->LoadFromSlot(record);
    CheckField(*world.fieldObjects, *world.ship);
    for (int step = 0; step < 3; ++step) world.fieldObjects->Update();
    CheckField(*world.fieldObjects, *world.ship);
    std::vector<std::uint8_t> again(kSlotSize, 0);
    InitSlotRecord(again);
    world.fieldObjects->SaveToSlot(again);
    return 0;
}
