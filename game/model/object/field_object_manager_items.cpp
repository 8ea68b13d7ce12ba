// The field-object manager's items: hand-out, free cells, lookups and clearing.
#include <algorithm>

#include "game/services/data/item_records.h"
#include "game/model/object/actor_ai_base.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_world.h"
#include "game/model/ship/task_base.h"

namespace {

bool IsFloorCell(const GAME_CShip& ship, std::int32_t x, std::int32_t y)
{
    const GAME_CShipGrid::Cell* cell = ship.grid.GetCell(x, y);
    return cell != nullptr && cell->usable != 0;
}

// Floor cells over the whole 19 x 13 grid.
std::size_t CountFloorCells(const GAME_CShip& ship)
{
    std::size_t count = 0;
    for (std::int32_t y = 0; y < GAME_CShipGrid::kMaxHeight; ++y) {
        for (std::int32_t x = 0; x < GAME_CShipGrid::kMaxWidth; ++x) count += IsFloorCell(ship, x, y) ? 1 : 0;
    }
    return count;
}

bool IsFieldItem(const GAME_CObjectItem* item) { return item != nullptr && item->carrier == nullptr; }

// A crew member is on its way to take from the stack: the carrier sent for it, or one fetching
// its item for a task and walking to its cell.
bool IsBeingFetched(const GAME_CObjectItem& item, const std::vector<GAME_CObjectActor*>& crew)
{
    return std::any_of(crew.begin(), crew.end(), [&](const GAME_CObjectActor* actor) {
        const GAME_CTaskBase* task = actor != nullptr ? actor->task : nullptr;
        if (task == nullptr || actor->ai == nullptr) return false;
        const std::int32_t kind = task->GetKind();
        if (kind == kTaskItemCarrier) return task->GetTargetIndex().item == &item;
        if (kind != kTaskCarrierFromInventory && kind != kTaskReload) return false;
        const GAME_CActorAIBase& ai = *actor->ai;
        return ai.HasPath() && task->GetReservedItemId() == item.itemId && ai.targetColumn == item.GetCellColumn() &&
               ai.targetRow == item.GetCellRow();
    });
}

// The lying stacks of the item in the order a taking draws on them: the stacks nobody is on the
// way to first, so that a crew member sent for a stack finds it there; the stacks being fetched
// give only what the others lack.
std::vector<GAME_CObjectItem*> StacksInTakingOrder(const std::vector<GAME_CObjectItem*>& items,
                                                   const std::vector<GAME_CObjectActor*>& crew, std::uint32_t itemId)
{
    std::vector<GAME_CObjectItem*> order;
    for (const bool fetched : {false, true}) {
        for (GAME_CObjectItem* item : items) {
            if (!IsFieldItem(item) || item->dead != 0 || item->itemId != itemId || !item->HasValidEntry()) continue;
            if (IsBeingFetched(*item, crew) == fetched) order.push_back(item);
        }
    }
    return order;
}

}  // namespace

GAME_CObjectItem* GAME_CFieldObjectManager::AcquireItemObject()
{
    const GAME_CShip* ship = ship_world::Ship();
    if (ship == nullptr || freeItems_.empty() || items.size() >= CountFloorCells(*ship)) return nullptr;
    GAME_CObjectItem* item = freeItems_.back();
    freeItems_.pop_back();
    return item;
}

GAME_CObjectItem* GAME_CFieldObjectManager::CreateItemObject()
{
    GAME_CObjectItem* item = AcquireItemObject();
    if (item != nullptr) items.push_back(item);
    return item;
}

std::int64_t GAME_CFieldObjectManager::CountFreeItemPlaces() const
{
    const GAME_CShip* ship = ship_world::Ship();
    if (ship == nullptr) return 0;
    return static_cast<std::int64_t>(CountFloorCells(*ship)) - static_cast<std::int64_t>(items.size());
}

bool GAME_CFieldObjectManager::IsCellOccupiedByItem(std::int32_t column, std::int32_t row) const
{
    return std::any_of(items.begin(), items.end(), [&](const GAME_CObjectItem* item) {
        return IsFieldItem(item) && item->dead == 0 && item->GetCellColumn() == column && item->GetCellRow() == row;
    });
}

bool GAME_CFieldObjectManager::FindFreeItemCell(std::int32_t x, std::int32_t y, std::int32_t* column,
                                                std::int32_t* row) const
{
    *column = -1;
    *row = -1;
    x = std::max(x, 0);
    y = std::max(y, 0);
    const GAME_CShip* ship = ship_world::Ship();
    if (ship == nullptr || items.size() >= kItemPoolSize || CountFloorCells(*ship) <= items.size()) return false;
    const auto isFree = [&](std::int32_t cx, std::int32_t cy) {
        return IsFloorCell(*ship, cx, cy) && !IsCellOccupiedByItem(cx, cy);
    };
    if (x < GAME_CShipGrid::kMaxWidth && y < GAME_CShipGrid::kMaxHeight && isFree(x, y)) {
        *column = x;
        *row = y;
        return true;
    }
    const std::int32_t width = ship->grid.width;
    const std::int32_t height = ship->grid.height;
    // A row is scanned outward from column x: left before right at equal distance.
    const auto scanRow = [&](std::int64_t cy) {
        if (cy < 0 || cy >= height) return false;
        for (std::int64_t k = 0; k < width; ++k) {
            for (const std::int64_t cx : {std::int64_t{x} - k, std::int64_t{x} + k}) {
                if (cx < 0 || cx >= width) continue;
                if (isFree(static_cast<std::int32_t>(cx), static_cast<std::int32_t>(cy))) {
                    *column = static_cast<std::int32_t>(cx);
                    *row = static_cast<std::int32_t>(cy);
                    return true;
                }
            }
        }
        return false;
    };
    // The same row first, then the row above and the row below, farther out each time.
    for (std::int64_t d = 0; d < height; ++d) {
        if (d == 0) {
            if (scanRow(y)) return true;
            continue;
        }
        if (scanRow(std::int64_t{y} - d) || scanRow(std::int64_t{y} + d)) return true;
    }
    return false;
}

bool GAME_CFieldObjectManager::IsItemActive(const GAME_CObjectItem* item) const
{
    return item != nullptr && std::find(items.begin(), items.end(), item) != items.end();
}

GAME_CObjectItem* GAME_CFieldObjectManager::GetItemAt(std::int64_t index) const
{
    return index >= 0 && static_cast<std::size_t>(index) < items.size() ? items[static_cast<std::size_t>(index)]
                                                                        : nullptr;
}

void GAME_CFieldObjectManager::ClearItems()
{
    for (GAME_CObjectItem* item : items) {
        if (item == nullptr) continue;
        if (GAME_CObjectActor* carrier = item->carrier) {
            if (carrier->carriedItem == item) carrier->carriedItem = nullptr;
            item->carrier = nullptr;
        }
        freeItems_.push_back(item);
    }
    items.clear();
}

void GAME_CFieldObjectManager::RemoveDeadItems()
{
    std::erase_if(items, [&](GAME_CObjectItem* item) {
        if (item == nullptr) return true;
        if (item->record == nullptr || item->count == 0) item->dead = 1;
        if (item->dead == 0) return false;
        RetireItem(item);
        return true;
    });
}

void GAME_CFieldObjectManager::ConsumeFieldItems(std::uint32_t itemId, std::int32_t amount)
{
    std::int64_t left = amount;
    for (GAME_CObjectItem* item : StacksInTakingOrder(items, crew, itemId)) {
        if (left <= 0) break;
        const std::int64_t taken = std::min<std::int64_t>(left, item->count);
        item->count -= static_cast<std::int32_t>(taken);
        left -= taken;
        if (item->count <= 0) item->dead = 1;
    }
    RemoveDeadItems();
}

std::int64_t GAME_CFieldObjectManager::CountStacksEmptiedBy(std::uint32_t itemId, std::int64_t amount) const
{
    std::int64_t left = amount;
    std::int64_t emptied = 0;
    for (const GAME_CObjectItem* item : StacksInTakingOrder(items, crew, itemId)) {
        if (left <= 0) break;
        const std::int64_t taken = std::min<std::int64_t>(left, item->count);
        left -= taken;
        if (item->count <= taken) ++emptied;
    }
    return emptied;
}

GAME_CObjectItem* GAME_CFieldObjectManager::FindNearestFieldItemById(std::int32_t column, std::int32_t row,
                                                                     std::uint32_t itemId) const
{
    GAME_CObjectItem* nearest = nullptr;
    std::int32_t best = 0;
    for (GAME_CObjectItem* item : items) {
        if (!IsFieldItem(item) || item->dead != 0 || !item->HasValidEntry() || item->itemId != itemId) continue;
        const std::int32_t cost =
            GAME_CShip::GetPathCost(column, row, item->GetCellColumn(), item->GetCellRow());
        if (cost < 0) continue;
        if (nearest == nullptr || cost < best) {
            nearest = item;
            best = cost;
        }
    }
    return nearest;
}

GAME_CObjectItem* GAME_CFieldObjectManager::FindFieldItemToCarry(std::int32_t column, std::int32_t row) const
{
    // Only items rated above 0 are worth carrying; a better rating that is also nearer wins.
    GAME_CObjectItem* best = nullptr;
    std::int32_t bestRating = 0;
    std::int32_t bestCost = 0x7FFFFFFF;
    for (GAME_CObjectItem* item : items) {
        if (!IsFieldItem(item) || !item->HasValidEntry()) continue;
        const std::int32_t rating = item->record->foodValue;
        const std::int32_t cost = GAME_CShip::GetPathCost(column, row, item->GetCellColumn(), item->GetCellRow());
        if (rating > bestRating && cost >= 0 && cost < bestCost) {
            best = item;
            bestRating = rating;
            bestCost = cost;
        }
    }
    return best;
}

bool GAME_CFieldObjectManager::DropItemOnCell(std::uint32_t itemId, std::int32_t count, std::int32_t column,
                                              std::int32_t row)
{
    const GAME_CShip* ship = ship_world::Ship();
    GAME_CObjectItem* item = ship != nullptr ? CreateItemObject() : nullptr;
    if (item == nullptr) return false;
    ItemObjectSetup setup;
    InitItemEntry(setup.entry, itemId, count);
    ship->GetCellFloorPoint(column, row, &setup.x, &setup.y, false);
    item->Init(setup);
    item->SnapToGridCell();
    return true;
}
