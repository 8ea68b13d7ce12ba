// The store record of a save slot: item stacks, food stores and ammunition stores in one table of 3,952 entries.
#pragma once

#include <cstdint>
#include <span>

// The table's entries are {u32 id, u16 count, u16 owner}: item stacks up to the first counter
// (owner: the inventory's room number), food stores up to the second (owner: the room number),
// ammunition stores after it (owner: the store's place in its list as a load makes it again, in
// the order of the turrets' rooms). Writers stop at the end of the table; entries no writer fills
// keep what the slot holds.
inline constexpr std::int32_t kStoreEntryLimit = 3952;

// Each writer takes the slot record; the item writer first, then food, then ammunition.
void WriteItemStacksToRecord(std::span<std::uint8_t> slot);
void WriteFoodStoresToRecord(std::span<std::uint8_t> slot);
void WriteAmmoStoresToRecord(std::span<std::uint8_t> slot);
// The three in order.
void WriteStoreRecord(std::span<std::uint8_t> slot);

// Readers run after the rooms exist. A save is untrusted: counters past the table are clamped,
// unknown items and owners that name nothing are passed over, each with a log line.
void ReadItemStacksFromRecord(std::span<const std::uint8_t> slot);
void ReadFoodStoresFromRecord(std::span<const std::uint8_t> slot);
void ReadAmmoStoresFromRecord(std::span<const std::uint8_t> slot);
void ReadStoreRecord(std::span<const std::uint8_t> slot);
