// Storage binding: which room inventory each storage room of the ship shows, settled before a storage room's screen opens.
#pragma once

#include <cstdint>

class GAME_CInventory;
class GAME_CPlayerData;
class GAME_CRoomBase;
class GAME_CShip;

// Settles the owners of the player data's room inventories for the ship's storage rooms, then finds
// the inventory of `shown`:
// - an inventory listed after another with the same owner loses that owner;
// - every storage room owning an inventory takes its index as its storage number; a storeroom owning
//   an inventory made for the cargo hold lets it go; a storage room owning none is bound to at most
//   one inventory nobody owns (a storeroom to one with capacity rules, the cargo hold to one without);
// - `shown` without an inventory after that: a cargo hold takes the first inventory without capacity
//   rules that nobody owns; anything else is left without.
// Returns the inventory of `shown` (its index in outIndex), or null and -1 when it has none. Never
// takes an inventory from another room.
GAME_CInventory* BindStorageRooms(const GAME_CShip& ship, GAME_CPlayerData& player, GAME_CRoomBase& shown,
                                  std::int32_t* outIndex = nullptr);
