// The player data's room inventories as the ship's rooms hold them, and the pools made with the player data.
#include <string>

#include "framework/log/log.h"
#include "game/model/object/enemy_sprite_pool.h"
#include "game/model/ship/room_base.h"
#include "game/model/world/game_world.h"
#include "game/services/data/tag.h"
#include "game/services/player/inventory.h"
#include "game/services/player/player_data.h"
#include "game/services/player/player_data_links.h"

namespace {

// The inventory room whose inventory holds any number of stacks (kind 20 keeps to its capacity).
constexpr std::int32_t kUnlimitedInventoryRoomKind = 32;

}  // namespace

GAME_CInventory* GAME_CPlayerData::AttachRoomInventory(GAME_CRoomBase* room, std::int32_t* outIndex)
{
    const bool overflow = room != nullptr && room->kind == kUnlimitedInventoryRoomKind;
    auto bind = [&](std::size_t index) {
        inventories_[index]->room = room;
        if (outIndex) *outIndex = static_cast<std::int32_t>(index);
        return inventories_[index];
    };
    for (std::size_t i = 0; i < inventories_.size(); ++i) {
        GAME_CInventory* inventory = inventories_[i];
        if (inventory && inventory->overflow == overflow && (inventory->room == nullptr || inventory->room == room)) {
            return bind(i);
        }
    }
    auto* made = new GAME_CInventory;
    made->overflow = overflow;
    for (std::size_t i = 0; i < inventories_.size(); ++i) {
        if (inventories_[i] == nullptr) {
            inventories_[i] = made;
            return bind(i);
        }
    }
    inventories_.push_back(made);
    return bind(inventories_.size() - 1);
}

void GAME_CPlayerData::DropInventoryItems(std::int64_t index, std::int32_t x, std::int32_t y)
{
    GAME_CInventory* inventory = GetInventoryAt(index);
    if (inventory == nullptr) return;
    GAME_CGameWorld* world = PeekGameWorld();
    for (const InventoryStack& stack : inventory->stacks) {
        std::int32_t column = -1, row = -1;
        if (world == nullptr || !world->fieldObjects->FindFreeItemCell(x, y, &column, &row) ||
            !world->fieldObjects->DropItemOnCell(stack.ItemId(), stack.Count(), column, row)) {
            vesk::log::Warning("no free cell for " + std::to_string(stack.Count()) + " of item " +
                               TagText(stack.ItemId()) + " from a room inventory; they are lost");
        }
    }
    delete inventory;
    inventories_[static_cast<std::size_t>(index)] = nullptr;
}

void GAME_CPlayerData::DropRoomInventories(const GAME_CRoomBase* room)
{
    if (room == nullptr) return;
    for (std::size_t i = 0; i < inventories_.size(); ++i) {
        if (inventories_[i] != nullptr && inventories_[i]->room == room) {
            DropInventoryItems(static_cast<std::int64_t>(i), room->gridX, room->gridY);
        }
    }
}

void CreatePlayerDataPools() { CreateEnemySpritePartPool(); }

void DestroyPlayerDataPools() { DestroyEnemySpritePartPool(); }
