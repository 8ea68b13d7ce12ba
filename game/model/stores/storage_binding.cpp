// Storage binding: duplicate owners dropped, every storage room of the ship bound to at most one free inventory, and the shown room's inventory found.
#include "game/model/stores/storage_binding.h"

#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/stores/stored_items.h"
#include "game/services/player/inventory.h"
#include "game/services/player/player_data.h"

namespace {

bool IsStorageRoom(const GAME_CRoomBase& room) { return room.kind == kRoomKindStorage || room.kind == kRoomKindOpenStorage; }

// An inventory an owner of the room's kind may hold: the cargo hold's have no capacity rules.
bool Fits(const GAME_CRoomBase& room, const GAME_CInventory& inventory)
{
    return inventory.overflow == (room.kind == kRoomKindOpenStorage);
}

// The first inventory nobody owns that fits the room, bound to it; false when there is none.
bool BindFreeInventory(GAME_CPlayerData& player, GAME_CRoomBase& room)
{
    for (std::size_t i = 0; i < player.InventoryCount(); ++i) {
        GAME_CInventory* inventory = player.GetInventoryAt(static_cast<std::int64_t>(i));
        if (inventory == nullptr || inventory->room != nullptr || !Fits(room, *inventory)) continue;
        inventory->room = &room;
        room.inventoryLink = static_cast<std::int32_t>(i);
        return true;
    }
    return false;
}

void DropDuplicateOwners(GAME_CPlayerData& player)
{
    const std::size_t count = player.InventoryCount();
    for (std::size_t i = 0; i < count; ++i) {
        GAME_CInventory* first = player.GetInventoryAt(static_cast<std::int64_t>(i));
        if (first == nullptr || first->room == nullptr) continue;
        for (std::size_t j = i + 1; j < count; ++j) {
            GAME_CInventory* later = player.GetInventoryAt(static_cast<std::int64_t>(j));
            if (later != nullptr && later->room == first->room) later->room = nullptr;
        }
        first->room->inventoryLink = static_cast<std::int32_t>(i);
    }
}

void BindRoom(GAME_CPlayerData& player, GAME_CRoomBase& room)
{
    std::int32_t index = -1;
    GAME_CInventory* owned = FindRoomInventory(&room, &index);
    if (owned != nullptr && owned->overflow && room.kind == kRoomKindStorage) {
        // A storeroom keeps to its capacity: what the cargo hold held goes back to it.
        owned->room = nullptr;
        owned = nullptr;
    }
    if (owned != nullptr) {
        room.inventoryLink = index;
        return;
    }
    BindFreeInventory(player, room);
}

}  // namespace

GAME_CInventory* BindStorageRooms(const GAME_CShip& ship, GAME_CPlayerData& player, GAME_CRoomBase& shown, std::int32_t* outIndex)
{
    DropDuplicateOwners(player);
    for (std::int32_t number = 0; number < ship.CountRoomsOnGrid(); ++number) {
        GAME_CRoomBase* room = ship.GetRoom(number);
        if (room != nullptr && IsStorageRoom(*room)) BindRoom(player, *room);
    }
    std::int32_t index = -1;
    GAME_CInventory* inventory = FindRoomInventory(&shown, &index);
    if (inventory == nullptr && shown.kind == kRoomKindOpenStorage && BindFreeInventory(player, shown)) {
        inventory = FindRoomInventory(&shown, &index);
    }
    if (inventory != nullptr) shown.inventoryLink = index;
    if (outIndex != nullptr) *outIndex = index;
    return inventory;
}
