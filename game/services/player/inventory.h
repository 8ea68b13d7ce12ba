// A room inventory: the item stacks one storage room holds, held in the player data's inventory list.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/memory/heaps.h"
#include "game/services/data/item_data.h"

class GAME_CRoomBase;

// One stack and how many of its units a screen has marked (0..count).
struct InventoryStack {
    std::unique_ptr<GAME_CItemDataImpl> item;
    std::int32_t marked = 0;

    std::uint32_t ItemId() const { return item ? item->itemId : kNoId; }
    std::int32_t Count() const { return item ? item->count : 0; }
};

class GAME_CInventory : public vesk::memory::MainHeapObject {
public:
    // The units of the item over every stack.
    std::int64_t CountItem(std::uint32_t itemId) const;
    // False while overfull; true with a free stack place, or a stack of the item below its limit.
    bool CanAddItem(std::uint32_t itemId) const;
    // One unit into the first stack of the item below its limit, else a new stack while there is
    // room; refused while overfull. The item is marked found either way.
    bool AddItem(std::uint32_t itemId);
    // One unit out of the last stack of the item that has any.
    bool TakeItem(std::uint32_t itemId);
    // Adds without regard to the capacity, and sets the overfull flag.
    void ForceAddItem(std::uint32_t itemId);
    // Drops stacks without item, count or record.
    void RemoveEmptyStacks();
    // The stack with the highest food value (the first of equal ones); null when empty.
    const GAME_CItemDataImpl* FindBestItem() const;

    std::vector<InventoryStack> stacks;
    std::int32_t capacity = 0;  // how many stacks it may hold
    GAME_CRoomBase* room = nullptr;
    // Made for a storage room without capacity rules (room kind 32).
    bool overflow = false;
    // Set by ForceAddItem: nothing is added normally while it is set.
    std::int32_t overfull = 0;

private:
    bool AddUnit(std::uint32_t itemId, bool ignoreCapacity);
};
