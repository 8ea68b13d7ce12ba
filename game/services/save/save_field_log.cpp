// The one log line for a save field found out of range.
#include "game/services/save/save_field_log.h"

#include "framework/log/log.h"
#include "game/services/save/save_manager.h"

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
