// Ammunition stores: one per turret room, each holding a count of one kind of ammunition and firing at enemies in reach.
#include "game/model/stores/ammo_storage.h"

#include <algorithm>
#include <cstdlib>

#include "game/services/data/item_data.h"
#include "game/model/stores/room_store_list.h"
#include "game/services/data/room_records.h"
#include "game/services/data/static_lookups.h"
#include "game/services/data/tag.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_enemy.h"
#include "game/model/ship/item_drops.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_world.h"
#include "game/model/ship/task_base.h"
#include "game/model/world/game_world.h"
#include "game/services/ui_port/ui_slots.h"

namespace {

constexpr std::uint32_t kNoAmmo = kNoId;
constexpr std::uint32_t kAmmoUnset = 0xFFFFFFFE;

// The world's list; null while there is no world.
RoomStoreList<GAME_CAmmoImpl>* StoreList()
{
    GAME_CGameWorld* world = PeekGameWorld();
    return world != nullptr ? &world->ammoStores : nullptr;
}

bool HasAttackTask(const GAME_CRoomBase& room)
{
    return std::any_of(room.boundTasks.begin(), room.boundTasks.end(), [](const GAME_CTaskBase* task) {
        return task != nullptr && task->GetKind() == kTaskAttackToEnemy;
    });
}

}  // namespace

GAME_CAmmoImpl::GAME_CAmmoImpl(std::int32_t roomIndex) : roomIndex_(roomIndex)
{
    if (const GAME_CShip* ship = ship_world::Ship(); ship != nullptr && roomIndex >= 0) room_ = ship->GetRoom(roomIndex);
}

void GAME_CAmmoImpl::DropStock(std::int32_t x, std::int32_t y)
{
    // The store lets go of its rounds: those that find no floor cell go back into a storeroom.
    count_ = DropOrStoreItemStacks(ammoId_, count_, x, y);
}

void GAME_CAmmoImpl::SetAmmoId(const std::uint32_t* ammoId)
{
    if (ammoId == nullptr || *ammoId == ammoId_) return;
    if (ammoId_ != kNoAmmo && ammoId_ != kAmmoUnset && count_ > 0) {
        DropStock(room_ ? room_->gridX : 0, room_ ? room_->gridY : 0);
    }
    count_ = 0;
    ammoId_ = *ammoId;
    frameCounter_ = 0;
    const ItemData* record = ammoId_ == kNoAmmo ? nullptr : FindItemData(ammoId_);
    power_ = record ? record->power : 0;
    period_ = record ? record->period : 0;
    reach_ = record ? record->reach + record->reach / 2 : 0;
}

void GAME_CAmmoImpl::SetCapacity(std::int32_t capacity)
{
    capacity_ = capacity;
    count_ = std::min(count_, capacity);
}

std::int32_t GAME_CAmmoImpl::AddOne()
{
    if (count_ < capacity_) ++count_;
    return count_;
}

std::int32_t GAME_CAmmoImpl::RemoveOne()
{
    if (count_ > 0) --count_;
    return count_;
}

void GAME_CAmmoImpl::UpdateAutoAttack()
{
    if (count_ == 0) return;
    GAME_CShip* ship = ship_world::Ship();
    if (ship == nullptr) return;
    if (room_ == nullptr) room_ = ship->GetRoom(roomIndex_);
    const std::int32_t position = ship->GetRoomIndex(room_);
    if (position < 0 || position >= GAME_CShip::kRoomPoolSize) return;
    roomIndex_ = position;
    if (room_->roomData == nullptr || (room_->roomData->flags & kRoomTurret) == 0) return;
    if (++frameCounter_ < period_) return;
    frameCounter_ = period_;
    if (ship_world::IsScreenOpen(kSlotGameOver)) return;
    GAME_CFieldObjectManager* objects = ship_world::FieldObjects();
    GAME_CObjectEnemy* enemy = objects ? objects->FindNearestEnemy(ship->routePosition) : nullptr;
    room_->target = enemy;
    if (enemy == nullptr) return;
    if (enemy->IsDead() || enemy->hpRecord.hp <= 0) {
        room_->target = nullptr;
        return;
    }
    if (std::llabs(std::int64_t{ship->routePosition} - enemy->routePosition) > reach_) return;
    if (HasAttackTask(*room_)) return;
    GAME_CTaskRequest request;
    request.taskId = MakeTag("TATK");
    request.kind = kTaskAttackToEnemy;
    request.size = 24;
    request.roomIndex = roomIndex_;
    GAME_CTaskBase::CreateFromRequest(request);
    frameCounter_ = 0;
}

GAME_CAmmoImpl* GetOrCreateAmmoStorage(std::int32_t roomIndex) { return FindOrAddStore(StoreList(), roomIndex); }

void RemoveAmmoStorage(GAME_CAmmoImpl* store, std::int32_t dropRow)
{
    if (store == nullptr) return;
    const GAME_CRoomBase* room = store->GetRoom();
    const bool onGrid = room != nullptr && room->gridX >= 0 && room->gridY >= 0;
    store->DropStock(onGrid ? room->gridX : 0, onGrid ? room->gridY : dropRow);
    RemoveStore(StoreList(), store, false);
}

std::int32_t GetAmmoStorageCount() { return CountStores(StoreList()); }

GAME_CAmmoImpl* GetAmmoStorageAt(std::int64_t index) { return StoreAt(StoreList(), index); }

GAME_CAmmoImpl* FindAmmoStorage(std::int32_t roomIndex) { return FindStore(StoreList(), roomIndex); }

void ClearAmmoStorageList() { ClearStores(StoreList()); }

void RelinkAmmoStorageRooms()
{
    const GAME_CShip* ship = ship_world::Ship();
    RelinkStores(StoreList(), [&](const GAME_CRoomBase* room) { return ship != nullptr ? ship->GetRoomIndex(room) : -1; });
}
