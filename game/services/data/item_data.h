// The contents of one item stack: item id, count and the item's static record.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/memory/heaps.h"
#include "game/services/data/record_entries.h"

struct ItemData;

class GAME_CItemData : public vesk::memory::MainHeapObject {
public:
    virtual ~GAME_CItemData() = default;
};

class GAME_CItemDataImpl final : public GAME_CItemData {
public:
    // One unit less when a record is set and the count is above 0.
    bool TakeOne();

    std::uint32_t itemId = kNoId;
    std::int32_t count = 0;
    const ItemData* record = nullptr;
};

// The stack limit of an item record, at least 1 (a limit of 0 in data would never let a stack
// hold anything).
std::int32_t StackLimitOf(const ItemData* record);
// How many stacks the units of the item make on the deck, none for no units.
std::int64_t CountStacksOf(const ItemData* record, std::int64_t units);

// A stack of the item with the count capped at its stack limit; null for a count of 0.
std::unique_ptr<GAME_CItemDataImpl> CreateItemData(std::uint32_t itemId, std::int32_t count);
