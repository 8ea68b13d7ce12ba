// Putting units of an item on the floor: stacks no larger than the item's stack limit on free cells near a cell,
// or into the nearest storerooms with room when the floor has none.
#pragma once

#include <cstdint>

// Drops count units of the item as item objects, each on the free floor cell nearest (x, y) that is
// left, holding at most the item's stack limit (at least 1). Returns the units that found no cell
// or no item object.
std::int32_t DropItemStacks(std::uint32_t itemId, std::int32_t count, std::int32_t x, std::int32_t y);
// As DropItemStacks; the units that find no cell go into the storerooms that can be walked to from
// (x, y), the nearest first, as far as they have room. Returns the units left over.
std::int32_t DropOrStoreItemStacks(std::uint32_t itemId, std::int32_t count, std::int32_t x, std::int32_t y);
