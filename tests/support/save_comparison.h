// Comparing a running game with a save of it: slot bytes as a load rebuilds them, and what the player sees.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace support {

// The first differing bytes of two slots, each named by the slot's area and its offset there.
std::string SlotDifferences(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b);

// The slot without what a load rebuilds rather than reads: the crew's in-room marks (a member goes
// into its room again as it walks), the points of lying items within their cells (a loaded item
// lies at its cell's middle), the item-carrying task records (the items call their carriers anew),
// the order of the road's drop records and of the damage records (a load packs them).
std::vector<std::uint8_t> WithoutRebuiltFields(std::vector<std::uint8_t> bytes);

// What the player sees of the running game, one line a thing: money, the ship's hull, fuel and
// rooms, each crew member's meters, the tasks under way, the stores by item, the road and the clock,
// the enemies alongside. Where a crew member stands within its cell and the work its thinking takes up
// anew are left out: a load places the crew and hands the items on the deck to carriers again.
std::string WhatThePlayerSees();

}  // namespace support
