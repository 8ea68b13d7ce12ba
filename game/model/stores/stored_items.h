// The item stacks of the ship as a whole: room inventories found by room, totals over the ship, and the marks screens set on stacks.
#pragma once

#include <cstdint>
#include <vector>

class GAME_CInventory;
class GAME_CItemDataImpl;
class GAME_CRoomBase;

// The inventory the room owns and its index in the player data's list (-1); null when none.
GAME_CInventory* FindRoomInventory(const GAME_CRoomBase* room, std::int32_t* outIndex = nullptr);
// Among the storage rooms with capacity rules, the inventory of the one nearest to the cell by
// walking cost (unreachable ones left out); null and -1 when none.
GAME_CInventory* FindNearestStorageRoom(std::int32_t x, std::int32_t y, std::int32_t* outIndex = nullptr);
// The inventories of those rooms that can be walked to from the cell, the nearest first.
std::vector<GAME_CInventory*> ListStorageRoomsNearestFirst(std::int32_t x, std::int32_t y);

// Units of the item in every room inventory, lying on the grid, and carried from inventories.
std::int64_t CountStoredItem(std::uint32_t itemId);
std::int64_t CountFieldItem(std::uint32_t itemId);
std::int64_t CountCarriedItem(std::uint32_t itemId);
// Every unit of the item aboard: stored, lying, in a crew member's hands on the way to a store or
// a task, and taken out of the stores by a carry under way.
std::int64_t CountItemAboard(std::uint32_t itemId);
// Stored plus lying units (and carried ones when asked) less what unfinished tasks reserved and have
// not yet taken; at least 0.
std::int64_t CountAvailableItem(std::uint32_t itemId, bool withCarried = false);
// Stacks counted across the inventories in list order; the n-th of them.
std::int32_t CountStoredStacks();
const GAME_CItemDataImpl* GetStoredItemAt(std::int32_t n);

void ClearStoredItemMarks();
// The mark plus delta: above the count it wraps modulo count + 1, below 0 it becomes the count.
void AdjustStoredItemMark(std::int32_t n, std::int32_t delta);
std::int32_t GetStoredItemMark(std::int32_t n);
