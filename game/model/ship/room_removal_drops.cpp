// What taking a room down puts on the deck: its refunded materials, its stored stacks, its turret's rounds and what its tasks hold, and whether they all find a place.
#include "game/model/ship/room_removal_drops.h"

#include "game/model/object/field_object_manager.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship_world.h"
#include "game/model/ship/task_base.h"
#include "game/model/ship/task_manager.h"
#include "game/model/stores/ammo_storage.h"
#include "game/services/data/item_data.h"
#include "game/services/data/room_records.h"
#include "game/services/data/static_lookups.h"
#include "game/services/player/inventory.h"
#include "game/services/player/player_data.h"

std::int64_t CountStacksDroppedByRemoval(const GAME_CRoomBase& room)
{
    std::int64_t stacks = 0;
    if (room.IsFinishedBuilding() && room.roomData != nullptr) {
        for (const ItemCount& material : room.roomData->materials) {
            if (IsUnusedItemCount(material)) break;
            stacks += CountStacksOf(FindItemData(material.itemId), material.count);
        }
    }
    if (const GAME_CPlayerData* player = GetPlayerData()) {
        for (std::size_t i = 0; i < player->InventoryCount(); ++i) {
            const GAME_CInventory* inventory = player->GetInventoryAt(static_cast<std::int64_t>(i));
            if (inventory == nullptr || inventory->room != &room) continue;
            for (const InventoryStack& stack : inventory->stacks) stacks += stack.Count() > 0 ? 1 : 0;
        }
    }
    // The room's tasks go with it and put down what was delivered to them and what their crew bring.
    if (const GAME_CTaskManager* tasks = ship_world::Tasks()) {
        for (const GAME_CTaskBase* task : tasks->tasks) {
            if (task == nullptr || task->IsFinished() || task->GetRoom() != &room) continue;
            for (const ItemCount& pair : task->CollectMaterialPairs()) stacks += CountStacksOf(FindItemData(pair.itemId), pair.count);
            if (const GAME_CItemDataImpl* load = task->GetTargetIndex().load; load != nullptr && load->count > 0) {
                stacks += CountStacksOf(FindItemData(load->itemId), load->count);
            }
        }
    }
    const std::int32_t number = room.GetRoomNumber();
    if (const GAME_CAmmo* store = number >= 0 ? FindAmmoStorage(number) : nullptr; store != nullptr && store->GetCount() > 0) {
        stacks += CountStacksOf(FindItemData(*store->GetAmmoId()), store->GetCount());
    }
    return stacks;
}

bool RoomRemovalFitsOnDeck(const GAME_CRoomBase& room)
{
    const std::int64_t stacks = CountStacksDroppedByRemoval(room);
    if (stacks == 0) return true;
    const GAME_CFieldObjectManager* objects = ship_world::FieldObjects();
    return objects != nullptr && stacks <= objects->CountFreeItemPlaces();
}
