// Checks of the slot fields a load keeps exactly as stored: the last-save time stamp, the ending-seen flag and the arcade ranking.
#pragma once

#include <cstdint>
#include <span>

// Clears a time stamp with a field out of range, clamps an ending-seen flag that is not 0 or 1 and
// mends ranking rows (a name unit that is no character clears the name; a terminator not 0 and a
// score below 0 become 0), with one log line each naming the slot, the area and the offset. Slots
// shorter than a slot are left alone.
void CheckKeptSlotFields(std::span<std::uint8_t> slot, int slotNumber);
