// The food, ammunition and item stores, and the store record of a save slot.
#include "game/core/data/stores.h"

#include "game/core/save/save_image.h"

void WriteStoreRecord(std::span<std::uint8_t> slot) { InitStoreSaveArea(slot); }
