// The one log line for a save field found out of range: which slot, which area, which offset.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A field of a slot image (offset from the slot's start) that is dropped or clamped.
void LogBadSlotField(int slot, std::string_view area, std::size_t offset, const std::string& what);
// The same for the working slot, which is the save machine's current slot.
void LogBadWorkingSlotField(std::string_view area, std::size_t offset, const std::string& what);
