// The one log line for a save field found out of range.
#include "game/services/save/save_field_log.h"

#include "framework/log/log.h"
#include "game/services/save/save_manager.h"
#include "platform/little_endian.h"

void LogBadSlotField(int slot, std::string_view area, std::size_t offset, const std::string& what)
{
    vesk::log::Warning("save data: slot " + std::to_string(slot) + ", " + std::string(area) + " at offset " +
                       std::to_string(offset) + ": " + what);
}

void LogBadWorkingSlotField(std::string_view area, std::size_t offset, const std::string& what)
{
    const GAME_CSaveManager* saves = PeekSaveManager();
    LogBadSlotField(saves != nullptr ? static_cast<int>(saves->currentSlot) : 0, area, offset, what);
}

std::uint32_t ReadWorkingSlotFlag(std::span<const std::uint8_t> slot, std::size_t offset, std::string_view area)
{
    const std::uint32_t flag = platform::ReadU32(slot, offset);
    if (flag <= 1) return flag;
    LogBadWorkingSlotField(area, offset, std::to_string(flag) + " is neither 0 nor 1; taken as 1");
    return 1;
}
