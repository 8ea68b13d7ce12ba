// The crew AI's choices: deliver a carried item, go to the task, eat, rest, repair the hull, stay near the own room, idle or wander.
#include "game/model/object/actor_ai_base.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "framework/math/random.h"
#include "game/services/player/inventory.h"
#include "game/services/data/item_data.h"
#include "game/services/data/item_records.h"
#include "game/services/data/room_records.h"
#include "game/model/stores/stored_items.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/object/object_item.h"
#include "game/model/ship/damage_marker.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_world.h"
#include "game/model/ship/task_manager.h"

namespace {

constexpr std::int32_t kStayChance = 8192;  // of 32768: a quarter
constexpr std::int32_t kIdleLimit = 2040;   // Rand & ~7 at most this: 2048 of 32768
constexpr int kStayCellTries = 30;
constexpr int kRepairRestarts = 2;

bool IsRepairMaterial(const GAME_CObjectItem* item)
{
    return item != nullptr && item->HasValidEntry() && item->record->valueE > 0;
}

// The food value of a food item lying on the grid; 0 for anything else.
std::int32_t FoodRating(const GAME_CObjectItem* item)
{
    return item != nullptr && item->HasValidEntry() ? item->record->foodValue : 0;
}

std::int32_t BestStockRating(const GAME_CRoomBase* room)
{
    const GAME_CInventory* inventory = room != nullptr ? FindRoomInventory(room) : nullptr;
    const GAME_CItemDataImpl* best = inventory != nullptr ? inventory->FindBestItem() : nullptr;
    return best != nullptr && best->record != nullptr ? best->record->foodValue : 0;
}

// The room of lowest walking cost from the cell for which `accept` holds; ties keep the lower number.
template <typename Accept>
GAME_CRoomBase* NearestRoomWhere(const GAME_CShip& ship, std::int32_t x, std::int32_t y, Accept accept)
{
    GAME_CRoomBase* best = nullptr;
    std::int32_t bestCost = std::numeric_limits<std::int32_t>::max();
    for (std::int32_t number = 0; number < ship.CountRoomsOnGrid(); ++number) {
        GAME_CRoomBase* room = ship.GetRoom(number);
        if (room == nullptr || !accept(*room)) continue;
        const std::int32_t cost = ship.GetRoomPathCost(x, y, *room);
        if (cost >= 0 && cost < bestCost) {
            best = room;
            bestCost = cost;
        }
    }
    return best;
}

}  // namespace

// --- leaving one task for another

void GAME_CActorAIBase::MoveOntoTask(GAME_CTaskBase* task)
{
    if (owner == nullptr || task == nullptr) return;
    if (GAME_CShip* ship = ship_world::Ship()) ship->ReleaseDamageClaims(owner);
    GAME_CTaskBase* old = owner->task;
    if (old != nullptr && old != task) {
        if (old->IsRoomTask()) {
            if (GAME_CRoomBase* room = old->GetRoom()) room->RemoveCrew(owner);
        }
        old->RemoveCrew(owner);
        owner->SetTask(nullptr, false);
    }
    owner->SetTask(task, false);
    task->AddCrew(owner);
}

void GAME_CActorAIBase::DropTask()
{
    if (owner == nullptr) return;
    if (GAME_CTaskBase* task = owner->task) task->RemoveCrew(owner);
    owner->SetTask(nullptr, false);
}

void GAME_CActorAIBase::DropCarriedItem(bool remove)
{
    GAME_CObjectItem* item = owner != nullptr ? owner->carriedItem : nullptr;
    if (item == nullptr) return;
    owner->carriedItem = nullptr;
    item->SetCarrier(nullptr);
    if (remove) item->dead = 1;
}

// --- thinking

void GAME_CActorAIBase::Think()
{
    if (owner == nullptr) return;
    if (--thinkCountdown > 0) return;
    thinkCountdown = 0;
    if (owner->carriedItem != nullptr && DeliverCarriedItem()) return;
    if (owner->task != nullptr && GoToTask()) return;
    if (TryEat() || TakeBreak() || RepairHull() || StayNearRoom() || IdleTurn()) return;
    const GAME_CShip* ship = ship_world::Ship();
    if (ship == nullptr) return;
    const std::int32_t column = vesk::math::RandInt(ship->grid.width);
    const std::int32_t row = vesk::math::RandInt(ship->grid.height);
    const GAME_CShipGrid::Cell* cell = ship->grid.GetCell(column, row);
    if (cell != nullptr && cell->usable != 0) WalkTo(column, row);
}

bool GAME_CActorAIBase::DeliverCarriedItem()
{
    GAME_CObjectItem* item = owner->carriedItem;
    if (!item->HasValidEntry()) {
        DropCarriedItem(true);
        return false;
    }
    const GAME_CInventory* inventory = FindNearestStorageRoom(owner->cellX, owner->cellY);
    if (inventory == nullptr || inventory->room == nullptr || !WalkToRoom(*inventory->room)) {
        DropCarriedItem(false);
        return false;
    }
    return true;
}

bool GAME_CActorAIBase::GoToTask()
{
    GAME_CTaskBase* task = owner->task;
    const GAME_CShip* ship = ship_world::Ship();
    const GAME_CFieldObjectManager* objects = ship_world::FieldObjects();
    if (ship == nullptr || objects == nullptr) return false;
    const std::int32_t column = owner->cellX;
    const std::int32_t row = owner->cellY;
    switch (task->GetKind()) {
    case kTaskItemCarrier: {
        const GAME_CObjectItem* item = task->GetTargetIndex().item;
        if (item == nullptr) {
            task->Finish();
            owner->SetTask(nullptr, false);
            pathActive = 0;
            return false;
        }
        return WalkTo(item->GetCellColumn(), item->GetCellRow());
    }
    case kTaskCarrierFromInventory: {
        const std::uint32_t itemId = task->GetReservedItemId();
        const GAME_CItemDataImpl* load = task->GetTargetIndex().load;
        const GAME_CRoomBase* taskRoom = task->GetRoom();
        const GAME_CRoomBase* holding = GAME_CShip::FindRoomHoldingItem(column, row, itemId);
        const GAME_CObjectItem* item = objects->FindNearestFieldItemById(column, row, itemId);
        if (load != nullptr) {
            if (load->count >= task->GetReservedItemCount()) return taskRoom != nullptr && WalkToRoom(*taskRoom);
            if (item != nullptr && GetPathCostFromActor(item->GetCellColumn(), item->GetCellRow()) >= 0) {
                return WalkTo(item->GetCellColumn(), item->GetCellRow());
            }
            if (holding != nullptr) return WalkToRoom(*holding);
            return taskRoom != nullptr && WalkToRoom(*taskRoom);
        }
        if (holding != nullptr) return WalkToRoom(*holding);
        if (item != nullptr) return WalkTo(item->GetCellColumn(), item->GetCellRow());
        // Nothing of the item can be walked to: the carry waits for crew who can fetch it, and
        // this crew member is free for other work meanwhile.
        DropTask();
        return false;
    }
    case kTaskReload: {
        const std::uint32_t itemId = task->GetReservedItemId();
        if (itemId == 0xFFFFFFFFu || itemId == 0xFFFFFFFEu) {
            DropTask();
            return false;
        }
        // Rounds in hand are fetched already: they go to the turret. Turning back to a storeroom
        // that still holds some would end the reload there and leave them on the deck.
        if (task->GetTargetIndex().load != nullptr) return WalkToTaskRoom(*task);
        if (const GAME_CRoomBase* holding = GAME_CShip::FindRoomHoldingItem(column, row, itemId)) {
            std::int32_t entryColumn = -1;
            std::int32_t entryRow = -1;
            const std::int32_t cost = FindRoomEntryCell(column, row, *holding, &entryColumn, &entryRow);
            if (cost == 0) {
                DropTask();
                return false;
            }
            return cost > 0 && WalkTo(entryColumn, entryRow);
        }
        if (const GAME_CObjectItem* item = objects->FindNearestFieldItemById(column, row, itemId)) {
            return WalkTo(item->GetCellColumn(), item->GetCellRow());
        }
        DropTask();
        return false;
    }
    default:
        return WalkToTaskRoom(*task);
    }
}

bool GAME_CActorAIBase::WalkToTaskRoom(GAME_CTaskBase& task)
{
    const GAME_CRoomBase* room = task.GetRoom();
    if (room == nullptr) {
        // The room is gone: so is the work.
        DropTask();
        task.Finish();
        return false;
    }
    if (!WalkToRoom(*room)) {
        DropTask();
        pathActive = 0;
        return false;
    }
    return true;
}

bool GAME_CActorAIBase::TryEat() { return FindMeal(owner->cellX, owner->cellY, false); }

bool GAME_CActorAIBase::SeekMeal(std::int32_t column, std::int32_t row)
{
    return owner != nullptr && FindMeal(column, row, true);
}

bool GAME_CActorAIBase::FindMeal(std::int32_t column, std::int32_t row, bool seek)
{
    if (!owner->status.IsStarving()) return false;
    GAME_CShip* ship = ship_world::Ship();
    GAME_CTaskManager* tasks = ship_world::Tasks();
    const GAME_CFieldObjectManager* objects = ship_world::FieldObjects();
    if (ship == nullptr || tasks == nullptr || objects == nullptr) return false;
    startColumn = static_cast<std::uint16_t>(column);
    startRow = static_cast<std::uint16_t>(row);
    const auto walk = [&](std::int32_t toColumn, std::int32_t toRow) {
        targetColumn = static_cast<std::uint16_t>(toColumn);
        targetRow = static_cast<std::uint16_t>(toRow);
        pathActive = PlanPath() ? 1 : 0;
        return pathActive != 0;
    };
    // A table with food and a place for the diner first: a full room turns it away at the door.
    GAME_CRoomBase* table = NearestRoomWhere(*ship, column, row, [&](const GAME_CRoomBase& room) {
        return RoomHasFoodStorageContent(room, 0) && room.HasPlaceFor(owner);
    });
    if (table != nullptr) {
        std::int32_t entryColumn = -1;
        std::int32_t entryRow = -1;
        if (FindRoomEntryCell(column, row, *table, &entryColumn, &entryRow) >= 0 && walk(entryColumn, entryRow)) {
            GAME_CTaskBase* meal = GAME_CTaskBase::CreateFromRequest(MakeMealRequest(ship->GetRoomIndex(table)));
            if (meal != nullptr && meal != owner->task) MoveOntoTask(meal);
            return meal != nullptr || !seek;
        }
    }
    // Else the better of the best stocked room and the best food lying on the grid; the room on a tie.
    GAME_CRoomBase* stocked = ship->FindRoomWithBestStock(column, row);
    GAME_CObjectItem* food = objects->FindFieldItemToCarry(column, row);
    if (FoodRating(food) <= 0) food = nullptr;
    if (stocked == nullptr && food == nullptr) {
        return false;
    }
    const bool roomWins = stocked != nullptr && (food == nullptr || BestStockRating(stocked) >= FoodRating(food));
    bool walking = false;
    if (roomWins) {
        std::int32_t entryColumn = -1;
        std::int32_t entryRow = -1;
        walking = FindRoomEntryCell(column, row, *stocked, &entryColumn, &entryRow) >= 0 && walk(entryColumn, entryRow);
    } else {
        walking = GAME_CShip::GetPathCost(column, row, food->GetCellColumn(), food->GetCellRow()) >= 0 &&
                  walk(food->GetCellColumn(), food->GetCellRow());
    }
    if (!walking) return false;
    if (tasks->RebindMealTask(owner)) return table != nullptr;
    GAME_CTaskBase* meal = GAME_CTaskBase::CreateFromRequest(
        roomWins ? MakeMealRequest(ship->GetRoomIndex(stocked)) : MakeMealOnGridRequest());
    if (meal == nullptr) return !seek;
    MoveOntoTask(meal);
    return true;
}

bool GAME_CActorAIBase::TakeBreak()
{
    const GAME_CActorStatus& status = owner->status;
    if (!status.IsExhausted() || status.IsStarving()) return false;
    GAME_CShip* ship = ship_world::Ship();
    if (ship == nullptr) return false;
    const std::int32_t column = owner->cellX;
    const std::int32_t row = owner->cellY;
    GAME_CRoomBase* home = NearestRoomWhere(*ship, column, row, [&](const GAME_CRoomBase& room) { return room.IsHomeOf(owner); });
    if (home == nullptr) home = ship->FindNearestOpenHomeRoom(column, row);
    if (home == nullptr) {
        home = NearestRoomWhere(*ship, column, row, [&](const GAME_CRoomBase& room) { return room.CanBeHomeOf(owner); });
    }
    // Quarters being taken away give no rest: a break there would go with them, and be asked for again.
    if (home == nullptr || home->removeRequested || !WalkToRoom(*home)) return false;
    GAME_CTaskBase* rest = GAME_CTaskBase::CreateFromRequest(MakeBreakRequest(ship->GetRoomIndex(home)));
    if (rest == nullptr) return false;
    MoveOntoTask(rest);
    return true;
}

bool GAME_CActorAIBase::RepairHull()
{
    GAME_CShip* ship = ship_world::Ship();
    GAME_CTaskManager* tasks = ship_world::Tasks();
    GAME_CFieldObjectManager* objects = ship_world::FieldObjects();
    if (ship == nullptr || tasks == nullptr || objects == nullptr || !tasks->AreDriveAndAttackTasksManned()) return false;
    for (int attempt = 0; attempt <= kRepairRestarts; ++attempt) {
        const std::int32_t column = owner->cellX;
        const std::int32_t row = owner->cellY;
        DamageMarker* marker = nullptr;
        std::int64_t bestDistance = std::numeric_limits<std::int64_t>::max();
        for (DamageMarker* candidate : ship->damageMarkers) {
            if (candidate == nullptr || candidate->amount < 1) continue;
            if (candidate->claimer != nullptr && candidate->claimer != owner) continue;
            const std::int64_t distance =
                std::int64_t{std::abs(candidate->cellY - row)} * ship->grid.width + std::abs(candidate->cellX - column);
            // Only a nearer marker can win, so the walk that asks whether it is reachable is spared for the rest.
            if (distance >= bestDistance || !ship->IsReachable(column, row, candidate->cellX, candidate->cellY)) continue;
            bestDistance = distance;
            marker = candidate;
        }
        if (marker == nullptr) break;
        if (IsRepairMaterial(owner->carriedItem)) {
            marker->claimer = owner;
            return WalkTo(marker->cellX, marker->cellY);
        }
        GAME_CObjectItem* material = nullptr;
        std::int32_t materialCost = std::numeric_limits<std::int32_t>::max();
        for (GAME_CObjectItem* item : objects->items) {
            if (item == nullptr || item->dead != 0 || item->carrier != nullptr || !IsRepairMaterial(item)) continue;
            const std::int32_t cost = GAME_CShip::GetPathCost(column, row, item->GetCellColumn(), item->GetCellRow());
            if (cost >= 0 && cost < materialCost) {
                materialCost = cost;
                material = item;
            }
        }
        if (material != nullptr) {
            if (materialCost == 0) {
                material->SetCarrier(owner);
                owner->SetCarriedItem(material);
                continue;
            }
            marker->claimer = owner;
            return WalkTo(material->GetCellColumn(), material->GetCellRow());
        }
        GAME_CRoomBase* storage = ship->FindNearestRoom(column, row, RoomHasStock, 0);
        if (storage == nullptr) break;
        const std::int32_t cost = ship->GetRoomPathCost(column, row, *storage);
        if (cost < 0) return false;
        if (cost > 0) {
            marker->claimer = owner;
            return WalkToRoom(*storage);
        }
        GAME_CInventory* inventory = FindRoomInventory(storage);
        const InventoryStack* stack = nullptr;
        for (std::size_t i = 0; inventory != nullptr && i < inventory->stacks.size() && stack == nullptr; ++i) {
            const InventoryStack& entry = inventory->stacks[i];
            if (entry.item && entry.item->record != nullptr && entry.item->count > 0 && entry.item->record->valueE > 0) {
                stack = &entry;
            }
        }
        if (stack == nullptr) {
            marker->claimer = nullptr;
            return false;
        }
        const std::uint32_t itemId = stack->ItemId();
        if (!inventory->TakeItem(itemId)) return false;
        GAME_CObjectItem* piece = objects->CreateItemObject();
        if (piece == nullptr) {
            // No item object is free: the unit goes back where it came from.
            if (!inventory->AddItem(itemId)) inventory->ForceAddItem(itemId);
            marker->claimer = nullptr;
            return false;
        }
        ItemObjectSetup setup;
        setup.x = owner->position.x;
        setup.y = owner->position.y;
        setup.noSound = true;
        setup.carrierRequested = true;
        InitItemEntry(setup.entry, itemId, 1);
        piece->Init(setup);
        piece->SetCarrier(owner);
        owner->SetCarriedItem(piece);
    }
    ship->ReleaseDamageClaims(owner);
    return false;
}

bool GAME_CActorAIBase::StayNearRoom()
{
    const GAME_CShip* ship = ship_world::Ship();
    if (ship == nullptr) return false;
    const std::int32_t work = owner->workLink.roomNumber;
    const std::int32_t number = work != -1 && work != -2 ? work : owner->homeLink.roomNumber;
    const GAME_CRoomBase* room = ship->GetRoom(number);
    if (room == nullptr) return false;
    const std::int32_t cost = GAME_CShip::GetPathCost(owner->cellX, owner->cellY, room->gridX, room->gridY);
    if (cost < 0) return false;
    if (cost > room->width) {
        WalkTo(room->gridX, room->gridY);
        return true;
    }
    if (vesk::math::Rand() < kStayChance) return true;
    if (IdleTurn()) return true;
    const std::int32_t first = std::max(0, room->gridX - 1);
    const std::int32_t last = std::min<std::int32_t>(room->gridX + room->width + 1, ship->grid.width);
    const std::int32_t span = std::max(1, last - first);
    for (int attempt = 0; attempt < kStayCellTries; ++attempt) {
        const std::int32_t column = first + (vesk::math::Rand() / 2) % span;
        const GAME_CShipGrid::Cell* cell = ship->grid.GetCell(column, room->gridY);
        if (cell != nullptr && cell->usable != 0) {
            WalkTo(column, room->gridY);
            return true;
        }
    }
    WalkTo(room->gridX, room->gridY);
    return true;
}

bool GAME_CActorAIBase::IdleTurn()
{
    if ((vesk::math::Rand() & ~7) > kIdleLimit) return false;
    owner->facingLeft = owner->facingLeft != 0 ? 0 : 1;
    pathActive = 0;
    thinkCountdown = (vesk::math::Rand() & 31) + 31;
    return true;
}
