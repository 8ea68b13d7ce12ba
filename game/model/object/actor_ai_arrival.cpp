// The work a crew member does when its walk ends at its target: pick up, fetch, reload, eat, enter the room, store or start a repair.
#include <algorithm>
#include <memory>

#include "framework/math/random.h"
#include "game/model/stores/ammo_storage.h"
#include "game/services/player/inventory.h"
#include "game/services/data/item_data.h"
#include "game/services/data/room_records.h"
#include "game/services/data/static_lookups.h"
#include "game/model/stores/stored_items.h"
#include "game/model/object/actor_ai_base.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/object/object_item.h"
#include "game/model/object/object_mes_balloon.h"
#include "game/model/ship/damage_marker.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_world.h"
#include "game/model/ship/task_base.h"

namespace {

constexpr std::uint16_t kFedBalloon = 5;

bool HasInventory(const GAME_CRoomBase& room)
{
    return room.roomData != nullptr && (room.roomData->flags & (kRoomInventory | kRoomInventoryWithoutCapacity)) != 0;
}

// The storage room the item would go to from the cell: one already holding it first.
GAME_CRoomBase* FindDestination(const GAME_CShip& ship, std::int32_t column, std::int32_t row, std::uint32_t itemId)
{
    if (GAME_CRoomBase* room = ship.FindNearestRoom(column, row, RoomHoldsAndCanTakeItem, itemId)) return room;
    return ship.FindNearestRoom(column, row, RoomCanTakeItem, itemId);
}

// An item lying on the field: active, not carried, not dead.
bool IsLyingItem(const GAME_CObjectItem* item)
{
    return item != nullptr && item->dead == 0 && item->carrier == nullptr;
}

// The item is used up: it leaves the field at the next sweep.
void RetireItem(GAME_CObjectItem& item)
{
    item.count = 0;
    item.dead = 1;
}

std::int32_t StackLimit(std::uint32_t itemId) { return StackLimitOf(FindItemData(itemId)); }

}  // namespace

void GAME_CActorAIBase::ArriveAtTarget(std::int32_t column, std::int32_t row)
{
    GAME_CShip* ship = ship_world::Ship();
    GAME_CFieldObjectManager* objects = ship_world::FieldObjects();
    if (owner == nullptr || ship == nullptr || objects == nullptr) return;
    if (GAME_CTaskBase* task = owner->task) {
        switch (task->GetKind()) {
        case kTaskItemCarrier: {
            GAME_CObjectItem* item = task->GetTargetIndex().item;
            const bool onField = item != nullptr && item->dead == 0 && item->HasValidEntry() &&
                                 (item->carrier == nullptr || item->carrier == owner);
            if (onField && owner->carriedItem != item) {
                if (FindDestination(*ship, item->GetCellColumn(), item->GetCellRow(), item->itemId) == nullptr) {
                    objects->AssignCrewToTask(task, true, false);
                    task->Finish();
                } else if (item->GetCellColumn() == column && item->GetCellRow() == row) {
                    owner->SetCarriedItem(item);
                    item->SetCarrier(owner);
                    pathActive = 0;
                } else if (GetPathCostFromActor(item->GetCellColumn(), item->GetCellRow()) < 0) {
                    objects->AssignCrewToTask(task, true, false);
                    task->Finish();
                } else {
                    WalkTo(item->GetCellColumn(), item->GetCellRow());
                }
            } else if (!onField) {
                objects->AssignCrewToTask(task, true, false);
                task->Finish();
            }
            break;
        }
        case kTaskCarrierFromInventory:
            ArriveCarryFromInventory(column, row);
            return;
        case kTaskReload:
            ArriveReload(column, row);
            return;
        case kTaskMealOnGrid:
            ArriveMealOnGrid(column, row);
            return;
        default: {
            GAME_CRoomBase* room = task->GetRoom();
            if (room != nullptr && ship->GetRoomAtCell(column, row) == room) {
                if (objects->MoveCrewIntoRoom(owner, room)) return;
                DropTask();
            }
            break;
        }
        }
    }
    if (GAME_CObjectItem* carried = owner->carriedItem; carried != nullptr && carried->HasValidEntry()) {
        const DamageMarker* marker = ship->FindCellDamage(column, row);
        if (carried->record->valueE > 0 && marker != nullptr && marker->claimer == owner) {
            repairRequested = 1;
            return;
        }
        if (StoreCarriedItem(column, row)) return;
    }
    for (const DamageMarker* marker : ship->damageMarkers) {
        if (marker == nullptr || marker->claimer != owner) continue;
        if (GetPathCostFromActor(marker->cellX, marker->cellY) >= 0 && RepairHull()) return;
        break;
    }
    pathActive = 0;
    thinkCountdown = vesk::math::Rand() & 15;
}

bool GAME_CActorAIBase::StoreCarriedItem(std::int32_t column, std::int32_t row)
{
    GAME_CShip* ship = ship_world::Ship();
    GAME_CObjectItem* item = owner->carriedItem;
    GAME_CRoomBase* room = ship->GetRoomAtCell(column, row);
    if (room == nullptr || room->underConstruction || !room->IsBuiltOnGrid()) return false;
    if (!IsCrewStoreroom(*room)) {
        pathActive = 0;
        Think();
        return true;
    }
    if (item->count == 0) {
        DropCarriedItem(true);
        return true;
    }
    GAME_CRoomBase* destination = FindDestination(*ship, column, row, item->itemId);
    const std::int32_t cost = destination != nullptr ? ship->GetRoomPathCost(column, row, *destination) : -1;
    if (cost < 0) {
        DropCarriedItem(false);
        return true;
    }
    if (cost > 0) {
        WalkToRoom(*destination);
        return true;
    }
    GAME_CInventory* inventory = FindRoomInventory(destination);
    while (inventory != nullptr && item->count > 0 && inventory->AddItem(item->itemId)) --item->count;
    if (item->count <= 0) {
        owner->carriedItem = nullptr;
        item->carrier = nullptr;
        RetireItem(*item);
    }
    pathActive = 0;
    return true;
}

bool GAME_CActorAIBase::ArriveMealOnGrid(std::int32_t column, std::int32_t row)
{
    GAME_CFieldObjectManager* objects = ship_world::FieldObjects();
    GAME_CTaskBase* task = owner->task;
    GAME_CObjectItem* food = objects != nullptr ? objects->FindFieldItemToCarry(column, row) : nullptr;
    // The walk here is over: only a new walk planned below keeps the crew member going; without
    // one it thinks again (and a meal with no food left is given up) instead of standing here.
    pathActive = 0;
    if (food == nullptr || !food->HasValidEntry() || food->record->foodValue <= 0) return TryEat();
    if (food->GetCellColumn() != column || food->GetCellRow() != row) {
        if (GetPathCostFromActor(food->GetCellColumn(), food->GetCellRow()) < 0) return false;
        return WalkTo(food->GetCellColumn(), food->GetCellRow());
    }
    owner->status.AddCalorie(static_cast<std::int32_t>(std::min<std::int64_t>(std::int64_t{food->record->foodValue} * 1000, INT32_MAX)));
    if (--food->count <= 0) RetireItem(*food);
    if (task != nullptr) {
        task->RemoveCrew(owner);
        owner->SetTask(nullptr, true);
        task->Finish();
    }
    owner->PlayItemGet();
    if (owner->balloon != nullptr) {
        owner->balloon->RemoveQueuedGroup(kFedBalloon);
        owner->balloon->ShowMessageNow(kFedBalloon);
    }
    return false;
}

bool GAME_CActorAIBase::ArriveCarryFromInventory(std::int32_t column, std::int32_t row)
{
    GAME_CShip* ship = ship_world::Ship();
    GAME_CFieldObjectManager* objects = ship_world::FieldObjects();
    GAME_CTaskBase* task = owner->task;
    const std::uint32_t itemId = task->GetReservedItemId();
    const std::int32_t limit = std::min(task->GetReservedItemCount(), StackLimit(itemId));
    if (limit <= 0) {
        task->Finish();
        return false;
    }
    if (owner->carriedItem != nullptr) {
        task->RemoveCrew(owner);
        DeliverCarriedItem();
        return false;
    }
    GAME_CRoomBase* here = ship->GetRoomAtCell(column, row);
    GAME_CInventory* inventory = here != nullptr && (here->roomData->flags & kRoomInventory) != 0 ? FindRoomInventory(here) : nullptr;
    const auto loadCount = [&] {
        const GAME_CItemDataImpl* load = task->GetTargetIndex().load;
        return load != nullptr ? load->count : 0;
    };
    const auto takeUnit = [&]() {
        if (GAME_CItemDataImpl* load = task->GetTargetIndex().load) {
            ++load->count;
        } else {
            task->SetTargetIndex(CreateItemData(itemId, 1));
            owner->PlayItemGet();
        }
    };
    for (GAME_CObjectItem* item : objects->items) {
        if (loadCount() >= limit) break;
        if (item == nullptr || !IsLyingItem(item)) continue;
        if (!item->HasValidEntry()) {
            item->dead = 1;
            continue;
        }
        if (item->itemId != itemId || item->GetCellColumn() != column || item->GetCellRow() != row) continue;
        while (item->count > 0 && loadCount() < limit) {
            takeUnit();
            --item->count;
        }
        if (item->count <= 0) RetireItem(*item);
    }
    while (inventory != nullptr && loadCount() < limit && inventory->CountItem(itemId) > 0 && inventory->TakeItem(itemId)) {
        takeUnit();
    }
    GAME_CRoomBase* taskRoom = task->GetRoom();
    if (taskRoom == nullptr) {
        task->Finish();
        return false;
    }
    // In the parent's room the walk is over: the task takes a load over, and without one the
    // crew member chooses anew rather than walk on the spot.
    if (here == taskRoom) {
        pathActive = 0;
        Think();
        return false;
    }
    return WalkToRoom(*taskRoom);
}

bool GAME_CActorAIBase::ArriveReload(std::int32_t column, std::int32_t row)
{
    GAME_CShip* ship = ship_world::Ship();
    GAME_CFieldObjectManager* objects = ship_world::FieldObjects();
    GAME_CTaskBase* task = owner->task;
    const std::uint32_t itemId = task->GetReservedItemId();
    GAME_CItemDataImpl* load = task->GetTargetIndex().load;
    if (load == nullptr) {
        if (task->GetReservedItemCount() <= 0) {
            objects->AssignCrewToTask(task, true, false);
            pathActive = 0;
            return false;
        }
        return FetchReloadItem(column, row);
    }
    if (load->count < task->GetReservedItemCount() && load->count < StackLimit(itemId)) {
        for (GAME_CObjectItem* item : objects->items) {
            if (item == nullptr || !IsLyingItem(item) || item->itemId != itemId) continue;
            if (item->GetCellColumn() != column || item->GetCellRow() != row) continue;
            if (item->count <= 0) {
                item->dead = 1;
                continue;
            }
            const std::int32_t units = std::min(item->count, task->GetReservedItemCount() - load->count);
            if (units <= 0) break;
            load->count += units;
            item->count -= units;
            if (item->count <= 0) RetireItem(*item);
        }
        task->Tick();
        if (owner->task == task && load->count < task->GetReservedItemCount()) {
            if (GAME_CObjectItem* next = objects->FindNearestFieldItemById(column, row, itemId)) {
                return WalkTo(next->GetCellColumn(), next->GetCellRow());
            }
        }
    }
    GAME_CRoomBase* taskRoom = task->GetRoom();
    GAME_CRoomBase* here = ship->GetRoomAtCell(column, row);
    if (here != taskRoom || taskRoom == nullptr) {
        if (taskRoom == nullptr) {
            task->Finish();
            return false;
        }
        if (here == nullptr && !ship->IsRoomReachable(column, row, *taskRoom)) {
            owner->SetTask(nullptr, false);
            task->RemoveCrew(owner);
            return false;
        }
        return WalkTo(taskRoom->gridX, taskRoom->gridY);
    }
    if (taskRoom->roomData == nullptr || (taskRoom->roomData->flags & kRoomTurret) == 0) {
        task->Finish();
        return false;
    }
    GAME_CAmmo* store = FindAmmoStorage(task->GetRoomIndex());
    if (store != nullptr && *store->GetAmmoId() == itemId) {
        // Rounds go in while the store takes them; what it cannot take stays in the load.
        while (load->count > 0 && store->GetCount() < store->GetCapacity()) {
            store->AddOne();
            --load->count;
        }
        if (load->count <= 0) task->SetTargetIndex(nullptr);
        task->Tick();
        if (task->GetReservedItemCount() <= 0) objects->AssignCrewToTask(task, true, false);
        return false;
    }
    for (std::int32_t number = 0; number < ship->CountRoomsOnGrid(); ++number) {
        const GAME_CRoomBase* room = ship->GetRoom(number);
        const GAME_CAmmo* other = room != nullptr ? FindAmmoStorage(number) : nullptr;
        if (other == nullptr || room == taskRoom || *other->GetAmmoId() != itemId) continue;
        if (other->GetCount() >= other->GetCapacity() || !ship->IsRoomReachable(column, row, *room)) continue;
        task->SetRoomIndex(number);
        return WalkToRoom(*room);
    }
    task->Finish();
    return false;
}

bool GAME_CActorAIBase::FetchReloadItem(std::int32_t column, std::int32_t row)
{
    GAME_CShip* ship = ship_world::Ship();
    GAME_CFieldObjectManager* objects = ship_world::FieldObjects();
    GAME_CTaskBase* task = owner->task;
    const std::uint32_t itemId = task->GetReservedItemId();
    if (itemId == 0xFFFFFFFFu || itemId == 0xFFFFFFFEu) return false;
    const std::int32_t wanted = task->GetReservedItemCount();
    const std::int32_t limit = StackLimit(itemId);
    // 1. Standing in a room whose inventory holds the ammunition: take the load here.
    GAME_CRoomBase* here = ship->GetRoomAtCell(column, row);
    GAME_CInventory* inventory = here != nullptr && HasInventory(*here) ? FindRoomInventory(here) : nullptr;
    const std::int64_t stocked = inventory != nullptr ? inventory->CountItem(itemId) : 0;
    if (stocked >= 1) {
        GAME_CRoomBase* taskRoom = task->GetRoom();
        if (taskRoom == nullptr) {
            task->Finish();
            pathActive = 0;
            return true;
        }
        std::unique_ptr<GAME_CItemDataImpl> load = CreateItemData(itemId, 1);
        inventory->TakeItem(itemId);
        const std::int64_t more = std::min<std::int64_t>({stocked, wanted, limit}) - 1;
        for (std::int64_t i = 0; i < more && load->count < limit && inventory->TakeItem(itemId); ++i) ++load->count;
        inventory->RemoveEmptyStacks();
        if (!WalkToRoom(*taskRoom)) task->Finish();
        owner->PlayItemGet();
        task->SetTargetIndex(std::move(load));
        return true;
    }
    // 2. A room holding it: walk there.
    GAME_CRoomBase* holding = GAME_CShip::FindRoomHoldingItem(column, row, itemId);
    if (holding == nullptr) holding = ship->FindNearestRoom(column, row, RoomHoldsItem, itemId);
    if (holding != nullptr) {
        if (!WalkToRoom(*holding)) task->Finish();
        return true;
    }
    // 3. Rounds lying on this cell.
    for (GAME_CObjectItem* item : objects->items) {
        if (item == nullptr || !IsLyingItem(item)) continue;
        if (!item->HasValidEntry()) {
            item->dead = 1;
            continue;
        }
        if (item->itemId != itemId || item->count <= 0 || item->GetCellColumn() != column || item->GetCellRow() != row) {
            continue;
        }
        const std::int32_t units = std::min(item->count, wanted);
        if (GAME_CItemDataImpl* load = task->GetTargetIndex().load) {
            load->count = std::min(load->count + units, limit);
        } else {
            task->SetTargetIndex(CreateItemData(itemId, units));
            owner->PlayItemGet();
        }
        item->count -= units;
        if (item->count <= 0) RetireItem(*item);
        pathActive = 0;
        return true;
    }
    // 4. The nearest rounds lying elsewhere.
    if (const GAME_CObjectItem* item = objects->FindNearestFieldItemById(column, row, itemId)) {
        if (GetPathCostFromActor(item->GetCellColumn(), item->GetCellRow()) > 0) {
            WalkTo(item->GetCellColumn(), item->GetCellRow());
            return true;
        }
    }
    // 5. Nothing to fetch.
    if (owner->carriedItem != nullptr) {
        DeliverCarriedItem();
        DropTask();
    } else {
        pathActive = 0;
    }
    return true;
}
