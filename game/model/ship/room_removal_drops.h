// What taking a room down puts on the deck: its refunded materials, its stored stacks, its turret's rounds and what its tasks hold, and whether they all find a place.
#pragma once

#include <cstdint>

class GAME_CRoomBase;

// The item stacks the room's removal drops on the floor.
std::int64_t CountStacksDroppedByRemoval(const GAME_CRoomBase& room);
// Whether every one of those stacks finds a free floor cell, so that taking the room down loses nothing.
bool RoomRemovalFitsOnDeck(const GAME_CRoomBase& room);
