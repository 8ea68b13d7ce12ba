// Checks of the slot fields a load keeps exactly as stored: the last-save time stamp and the ending-seen flag.
#pragma once

#include <cstdint>
#include <span>

// Clears a time stamp with a field out of range and clamps an ending-seen flag that is not 0 or 1,
// with one log line each naming the slot, the area and the offset. Slots shorter than a slot are
// left alone.
void CheckKeptSlotFields(std::span<std::uint8_t> slot, int slotNumber);
