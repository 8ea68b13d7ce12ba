// An item lying on the ship's floor or carried by a crew member.
#pragma once

#include <cstdint>

#include "game/core/data/record_entries.h"

class GAME_CObjectActor;
struct ItemData;

// {item id, static record, count} of one item object or stack.
struct ItemEntry {
    std::uint32_t itemId = kNoId;
    const ItemData* record = nullptr;
    std::int32_t count = 0;
};

// Fills the entry with the item's record and the count clamped to the record's stack limit (at
// least 1); returns that limit. An unknown id leaves the record null and the count 0.
std::int32_t InitItemEntry(ItemEntry& entry, std::uint32_t itemId, std::int32_t count);

struct ItemObjectSetup {
    float x = 0.0f;
    float y = 0.0f;
    ItemEntry entry;
    bool noSound = false;
    bool carrierRequested = false;
};

// The item's own behaviour (hopping, carry requests, drawing) comes with the field objects; this
// holds what the ship and the stores place and count.
class GAME_CObjectItem {
public:
    // A valid entry (id, record, count above 0) makes a live item at the point; any other leaves
    // it dead.
    void Init(const ItemObjectSetup& setup);
    // The grid cell from the position, then the position at the cell's bottom centre.
    void SnapToGridCell();
    // The grid column or row; -1 while carried.
    std::int32_t GetCellColumn() const { return carrier != nullptr ? -1 : cellX; }
    std::int32_t GetCellRow() const { return carrier != nullptr ? -1 : cellY; }

    std::uint8_t dead = 1;
    GAME_CObjectActor* carrier = nullptr;
    std::uint32_t itemId = kNoId;
    const ItemData* record = nullptr;
    std::int32_t count = 0;
    float x = 0.0f;
    float y = 0.0f;
    std::int32_t cellX = -1;
    std::int32_t cellY = -1;
};
