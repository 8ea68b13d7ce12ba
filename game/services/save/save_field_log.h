// The one log line for a save field found out of range: which slot, which area, which offset.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// A field of a slot image (offset from the slot's start) that is dropped or clamped.
void LogBadSlotField(int slot, std::string_view area, std::size_t offset, const std::string& what);
// The same for the working slot, which is the save machine's current slot.
void LogBadWorkingSlotField(std::string_view area, std::size_t offset, const std::string& what);
// A u32 flag of the working slot, which the game writes as 0 or 1: any other word is logged and taken as 1.
std::uint32_t ReadWorkingSlotFlag(std::span<const std::uint8_t> slot, std::size_t offset, std::string_view area);
