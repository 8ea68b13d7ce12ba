// Putting units of an item on the floor: stacks no larger than the item's stack limit on free cells near a cell,
// or into the nearest storerooms with room when the floor has none.
#include "game/model/ship/item_drops.h"

#include <algorithm>

#include "game/services/data/item_data.h"
#include "game/services/data/static_lookups.h"
#include "game/services/player/inventory.h"
#include "game/model/stores/stored_items.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/ship/ship_world.h"

std::int32_t DropItemStacks(std::uint32_t itemId, std::int32_t count, std::int32_t x, std::int32_t y)
{
    GAME_CFieldObjectManager* objects = ship_world::FieldObjects();
    if (objects == nullptr) return std::max(count, 0);
    // A stack limit of 0 in data would drop nothing and never end.
    const std::int32_t limit = StackLimitOf(FindItemData(itemId));
    std::int32_t left = count;
    while (left > 0) {
        std::int32_t column = -1;
        std::int32_t row = -1;
        if (!objects->FindFreeItemCell(x, y, &column, &row)) break;
        const std::int32_t amount = std::min(left, limit);
        if (!objects->DropItemOnCell(itemId, amount, column, row)) break;
        left -= amount;
    }
    return std::max(left, 0);
}

std::int32_t DropOrStoreItemStacks(std::uint32_t itemId, std::int32_t count, std::int32_t x, std::int32_t y)
{
    std::int32_t left = DropItemStacks(itemId, count, x, y);
    if (left <= 0) return left;
    // Within each storeroom's capacity only: forcing a unit in would close it to the crew for good.
    for (GAME_CInventory* storeroom : ListStorageRoomsNearestFirst(x, y)) {
        while (left > 0 && storeroom->AddItem(itemId)) --left;
        if (left == 0) break;
    }
    return left;
}
