// A room inventory: the item stacks one storage room holds.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/memory/heaps.h"

class GAME_CRoomBase;

// One stack: an item id and how many units it holds.
struct InventoryStack {
    std::uint32_t itemId = 0xFFFFFFFF;
    std::int32_t count = 0;
};

class GAME_CInventory : public vesk::memory::MainHeapObject {
public:
    std::vector<InventoryStack> stacks;
    GAME_CRoomBase* room = nullptr;
    // Made for an inventory room without capacity rules (room kind 32).
    bool overflow = false;
};
