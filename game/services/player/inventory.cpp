// A room inventory: the item stacks one storage room holds, held in the player data's inventory list.
#include "game/services/player/inventory.h"

#include <algorithm>

#include "game/services/data/static_lookups.h"
#include "game/services/save/save_image.h"
#include "game/services/save/working_slot.h"

namespace {

void MarkFound(std::uint32_t itemId) { working_slot::MarkItemDiscovered(itemId); }

}  // namespace

std::int64_t GAME_CInventory::CountItem(std::uint32_t itemId) const
{
    std::int64_t total = 0;
    for (const InventoryStack& stack : stacks) {
        if (stack.ItemId() == itemId) total += stack.Count();
    }
    return total;
}

bool GAME_CInventory::CanAddItem(std::uint32_t itemId) const
{
    if (overfull != 0) return false;
    if (static_cast<std::int64_t>(stacks.size()) < capacity) return true;
    for (auto it = stacks.rbegin(); it != stacks.rend(); ++it) {
        if (it->ItemId() == itemId && it->Count() < StackLimitOf(it->item->record)) return true;
    }
    return false;
}

bool GAME_CInventory::AddUnit(std::uint32_t itemId, bool ignoreCapacity)
{
    MarkFound(itemId);
    for (InventoryStack& stack : stacks) {
        if (stack.ItemId() == itemId && stack.Count() < StackLimitOf(stack.item->record)) {
            ++stack.item->count;
            return true;
        }
    }
    if (!ignoreCapacity && static_cast<std::int64_t>(stacks.size()) >= capacity) return false;
    std::unique_ptr<GAME_CItemDataImpl> item = CreateItemData(itemId, 1);
    if (!item) return false;
    stacks.push_back(InventoryStack{std::move(item), 0});
    return true;
}

bool GAME_CInventory::AddItem(std::uint32_t itemId)
{
    if (overfull != 0) {
        MarkFound(itemId);
        return false;
    }
    return AddUnit(itemId, false);
}

void GAME_CInventory::ForceAddItem(std::uint32_t itemId)
{
    overfull = 1;
    AddUnit(itemId, true);
}

bool GAME_CInventory::TakeItem(std::uint32_t itemId)
{
    bool taken = false;
    for (auto it = stacks.rbegin(); it != stacks.rend(); ++it) {
        if (it->ItemId() == itemId && it->item->record != nullptr && it->Count() > 0) {
            taken = it->item->TakeOne();
            break;
        }
    }
    RemoveEmptyStacks();
    return taken;
}

void GAME_CInventory::RemoveEmptyStacks()
{
    std::erase_if(stacks, [](const InventoryStack& stack) {
        return !stack.item || stack.item->count == 0 || stack.item->record == nullptr;
    });
}

const GAME_CItemDataImpl* GAME_CInventory::FindBestItem() const
{
    const GAME_CItemDataImpl* best = nullptr;
    for (const InventoryStack& stack : stacks) {
        if (!stack.item || stack.item->record == nullptr) continue;
        if (best == nullptr || stack.item->record->foodValue > best->record->foodValue) best = stack.item.get();
    }
    return best;
}
