// An item lying on the ship's floor or carried by a crew member.
#include "game/object/object_item.h"

#include <algorithm>
#include <cmath>

#include "game/core/data/static_lookups.h"
#include "game/core/world/game_world.h"
#include "game/ship/ship.h"

std::int32_t InitItemEntry(ItemEntry& entry, std::uint32_t itemId, std::int32_t count)
{
    entry = ItemEntry{itemId, FindItemData(itemId), 0};
    if (entry.record == nullptr) return 1;
    const std::int32_t limit = std::max(1, entry.record->stackLimit);
    entry.count = std::clamp(count, 0, limit);
    return limit;
}

void GAME_CObjectItem::Init(const ItemObjectSetup& setup)
{
    carrier = nullptr;
    x = setup.x;
    y = setup.y;
    itemId = setup.entry.itemId;
    record = setup.entry.record;
    count = setup.entry.count;
    dead = (itemId != kNoId && record != nullptr && count != 0) ? 0 : 1;
}

void GAME_CObjectItem::SnapToGridCell()
{
    const GAME_CGameWorld* world = PeekGameWorld();
    if (world == nullptr || !world->ship) return;
    const GAME_CShipGrid& grid = world->ship->grid;
    cellX = static_cast<std::int32_t>(std::floor(x / grid.cellWidth));
    cellY = static_cast<std::int32_t>(std::floor(y / grid.cellHeight));
    world->ship->GetCellFloorPoint(cellX, cellY, &x, &y, false);
}
