// Food stores: one per food-storage room, each holding a count of one dish.
#include "game/model/stores/food_storage.h"

#include "game/services/player/player_data.h"
#include "game/model/stores/room_store_list.h"
#include "game/services/data/static_database.h"
#include "game/model/world/game_world_ready.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_world.h"
#include "game/model/world/game_world.h"

namespace {

constexpr std::int32_t kFoodCapacityIndex = kRoomValueFoodCapacity;

// The world's list; null while there is no world.
RoomStoreList<GAME_CFoodStorageImpl>* StoreList()
{
    GAME_CGameWorld* world = PeekGameWorld();
    return world != nullptr ? &world->foodStores : nullptr;
}

std::uint32_t FirstDishId()
{
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    if (database == nullptr || database->CookingRecipes().empty()) return kNoId;
    return database->CookingRecipes().begin()->first;
}

}  // namespace

GAME_CFoodStorageImpl::GAME_CFoodStorageImpl(std::int32_t roomIndex) : roomIndex_(roomIndex)
{
    if (GetPlayerData() != nullptr) foodId_ = FirstDishId();
    if (const GAME_CShip* ship = ship_world::Ship(); ship != nullptr && roomIndex >= 0) {
        room_ = ship->GetRoom(roomIndex);
    }
    FlagShipStatusRefresh();
}

GAME_CFoodStorageImpl::~GAME_CFoodStorageImpl() { FlagShipStatusRefresh(); }

void GAME_CFoodStorageImpl::SetFoodId(const std::uint32_t* foodId)
{
    if (foodId == nullptr) return;
    if (*foodId != foodId_) count_ = 0;
    foodId_ = *foodId;
    FlagShipStatusRefresh();
}

std::int32_t GAME_CFoodStorageImpl::GetCapacity() const
{
    if (room_ == nullptr || !room_->IsBuiltOnGrid()) return 0;
    const std::int32_t base = room_->roomData != nullptr ? room_->roomData->values[kFoodCapacityIndex] : 0;
    return base + room_->SumUpgradeValues({5, 8, 9, 10});
}

void GAME_CFoodStorageImpl::AddOne()
{
    if (count_ < GetCapacity()) ++count_;
    FlagShipStatusRefresh();
}

void GAME_CFoodStorageImpl::RemoveOne()
{
    if (count_ > 0) --count_;
    FlagShipStatusRefresh();
}

GAME_CFoodStorage* GetOrCreateFoodStorage(std::int32_t roomIndex) { return FindOrAddStore(StoreList(), roomIndex); }

void RemoveFoodStorage(GAME_CFoodStorage* store) { RemoveStore(StoreList(), store, true); }

std::int32_t GetFoodStorageCount() { return CountStores(StoreList()); }

GAME_CFoodStorage* GetFoodStorageAt(std::int64_t index) { return StoreAt(StoreList(), index); }

GAME_CFoodStorageImpl* FindFoodStorage(std::int32_t roomIndex) { return FindStore(StoreList(), roomIndex); }

void ClearFoodStorageList() { ClearStores(StoreList()); }

void RelinkFoodStorageRooms()
{
    const GAME_CShip* ship = ship_world::Ship();
    RelinkStores(StoreList(), [&](const GAME_CRoomBase* room) { return ship != nullptr ? ship->GetRoomIndex(room) : -1; });
}
