// The item stacks of the ship as a whole: room inventories found by room, totals over the ship, and the marks screens set on stacks.
#include "game/model/stores/stored_items.h"

#include <algorithm>
#include <utility>

#include "game/services/player/inventory.h"
#include "game/services/player/player_data.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_world.h"
#include "game/model/ship/task_base.h"
#include "game/model/ship/task_manager.h"

namespace {

// Calls visit(stack) for every stack of every inventory in order until it returns true.
template <typename Visit>
InventoryStack* FindStack(Visit visit)
{
    const GAME_CPlayerData* player = GetPlayerData();
    if (player == nullptr) return nullptr;
    for (std::size_t i = 0; i < player->InventoryCount(); ++i) {
        GAME_CInventory* inventory = player->GetInventoryAt(static_cast<std::int64_t>(i));
        if (inventory == nullptr) continue;
        for (InventoryStack& stack : inventory->stacks) {
            if (visit(stack)) return &stack;
        }
    }
    return nullptr;
}

InventoryStack* NthStack(std::int32_t n)
{
    std::int32_t at = 0;
    return FindStack([&](const InventoryStack&) { return at++ == n; });
}

// The units the carries under way have taken out of the stores: they travel as each carry's load,
// not as an item object.
std::int64_t CountCarryLoads(std::uint32_t itemId)
{
    std::int64_t total = 0;
    if (const GAME_CTaskManager* tasks = ship_world::Tasks()) {
        for (const GAME_CTaskBase* task : tasks->tasks) {
            if (task == nullptr || task->IsFinished() || task->GetKind() != kTaskCarrierFromInventory) continue;
            const GAME_CItemDataImpl* load = task->GetTargetIndex().load;
            if (load != nullptr && load->itemId == itemId && load->count > 0) total += load->count;
        }
    }
    return total;
}

// The units of the item objects of that item, lying or carried, that `counts` takes.
template <typename Predicate>
std::int64_t CountItemObjects(std::uint32_t itemId, Predicate counts)
{
    std::int64_t total = 0;
    if (const GAME_CFieldObjectManager* objects = ship_world::FieldObjects()) {
        for (const GAME_CObjectItem* item : objects->items) {
            if (item != nullptr && item->dead == 0 && item->itemId == itemId && counts(*item)) total += item->count;
        }
    }
    return total;
}

}  // namespace

GAME_CInventory* FindRoomInventory(const GAME_CRoomBase* room, std::int32_t* outIndex)
{
    if (outIndex != nullptr) *outIndex = -1;
    const GAME_CPlayerData* player = GetPlayerData();
    if (room == nullptr || player == nullptr) return nullptr;
    for (std::size_t i = 0; i < player->InventoryCount(); ++i) {
        GAME_CInventory* inventory = player->GetInventoryAt(static_cast<std::int64_t>(i));
        if (inventory != nullptr && inventory->room == room) {
            if (outIndex != nullptr) *outIndex = static_cast<std::int32_t>(i);
            return inventory;
        }
    }
    return nullptr;
}

namespace {

// Calls visit(cost, inventory, index) for each storage room with capacity rules that can be walked
// to from the cell, in room order.
template <typename Visit>
void ForEachReachableStorageRoom(std::int32_t x, std::int32_t y, Visit visit)
{
    const GAME_CShip* ship = ship_world::Ship();
    if (ship == nullptr) return;
    for (const GAME_CRoomBase* room : ship->rooms) {
        if (room == nullptr || !IsCrewStoreroom(*room)) continue;
        const std::int32_t cost = ship->GetRoomPathCost(x, y, *room);
        if (cost < 0) continue;
        std::int32_t index = -1;
        if (GAME_CInventory* inventory = FindRoomInventory(room, &index)) visit(cost, inventory, index);
    }
}

}  // namespace

GAME_CInventory* FindNearestStorageRoom(std::int32_t x, std::int32_t y, std::int32_t* outIndex)
{
    if (outIndex != nullptr) *outIndex = -1;
    GAME_CInventory* nearest = nullptr;
    std::int32_t best = -1;
    ForEachReachableStorageRoom(x, y, [&](std::int32_t cost, GAME_CInventory* inventory, std::int32_t index) {
        if (best >= 0 && cost >= best) return;
        nearest = inventory;
        best = cost;
        if (outIndex != nullptr) *outIndex = index;
    });
    return nearest;
}

std::vector<GAME_CInventory*> ListStorageRoomsNearestFirst(std::int32_t x, std::int32_t y)
{
    std::vector<std::pair<std::int32_t, GAME_CInventory*>> found;
    ForEachReachableStorageRoom(x, y, [&](std::int32_t cost, GAME_CInventory* inventory, std::int32_t) {
        found.emplace_back(cost, inventory);
    });
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<GAME_CInventory*> inventories;
    inventories.reserve(found.size());
    for (const auto& entry : found) inventories.push_back(entry.second);
    return inventories;
}

std::int64_t CountStoredItem(std::uint32_t itemId)
{
    std::int64_t total = 0;
    FindStack([&](const InventoryStack& stack) {
        if (stack.ItemId() == itemId) total += stack.Count();
        return false;
    });
    return total;
}

std::int64_t CountFieldItem(std::uint32_t itemId)
{
    return CountItemObjects(itemId, [](const GAME_CObjectItem& item) { return item.carrier == nullptr; });
}

std::int64_t CountCarriedItem(std::uint32_t itemId)
{
    const std::int64_t inHands = CountItemObjects(itemId, [](const GAME_CObjectItem& item) {
        const GAME_CTaskBase* task = item.carrier != nullptr ? item.carrier->task : nullptr;
        return task != nullptr && task->GetKind() == kTaskCarrierFromInventory;
    });
    return inHands + CountCarryLoads(itemId);
}

std::int64_t CountItemAboard(std::uint32_t itemId)
{
    const std::int64_t objects = CountItemObjects(itemId, [](const GAME_CObjectItem&) { return true; });
    return CountStoredItem(itemId) + objects + CountCarryLoads(itemId);
}

std::int64_t CountAvailableItem(std::uint32_t itemId, bool withCarried)
{
    // A carry's reservation stays whole after its carrier took the units out of the stores, so the
    // units in its load count as held: the reservation withholds them once, not again from the stores.
    std::int64_t held = CountStoredItem(itemId) + CountFieldItem(itemId);
    held += withCarried ? CountCarriedItem(itemId) : CountCarryLoads(itemId);
    const GAME_CTaskManager* tasks = ship_world::Tasks();
    const std::int64_t reserved = tasks != nullptr ? tasks->CountReservedItem(itemId) : 0;
    return std::max<std::int64_t>(held - reserved, 0);
}

std::int32_t CountStoredStacks()
{
    std::int32_t count = 0;
    FindStack([&](const InventoryStack&) {
        ++count;
        return false;
    });
    return count;
}

const GAME_CItemDataImpl* GetStoredItemAt(std::int32_t n)
{
    const InventoryStack* stack = n >= 0 ? NthStack(n) : nullptr;
    return stack != nullptr ? stack->item.get() : nullptr;
}

void ClearStoredItemMarks()
{
    FindStack([](InventoryStack& stack) {
        stack.marked = 0;
        return false;
    });
}

void AdjustStoredItemMark(std::int32_t n, std::int32_t delta)
{
    InventoryStack* stack = n >= 0 ? NthStack(n) : nullptr;
    if (stack == nullptr) return;
    const std::int64_t count = stack->Count();
    std::int64_t mark = std::int64_t{stack->marked} + delta;
    if (mark > count) mark %= count + 1;
    if (mark < 0) mark = count;
    stack->marked = static_cast<std::int32_t>(mark);
}

std::int32_t GetStoredItemMark(std::int32_t n)
{
    const InventoryStack* stack = n >= 0 ? NthStack(n) : nullptr;
    return stack != nullptr ? stack->marked : 0;
}
