// The food, ammunition and item stores, and the store record of a save slot.
#pragma once

#include <cstdint>
#include <span>

// There are no stores yet: the lists are empty, the record is written empty and read as nothing.
inline void DestroyFoodStoreList() {}
inline void DestroyAmmoStoreList() {}
void WriteStoreRecord(std::span<std::uint8_t> slot);
inline void ReadStoreRecord(std::span<const std::uint8_t>) {}
