// Putting units of an item on the floor: stacks no larger than the item's stack limit on free cells near a cell,
// or into the nearest storeroom when the floor has no room.
#pragma once

#include <cstdint>

// Drops count units of the item as item objects, each on the free floor cell nearest (x, y) that is
// left, holding at most the item's stack limit (at least 1). Returns the units that found no cell
// or no item object.
std::int32_t DropItemStacks(std::uint32_t itemId, std::int32_t count, std::int32_t x, std::int32_t y);
// As DropItemStacks; the units that find no cell go into the storeroom nearest (x, y) as far as it
// has room. Returns the units left over.
std::int32_t DropOrStoreItemStacks(std::uint32_t itemId, std::int32_t count, std::int32_t x, std::int32_t y);
