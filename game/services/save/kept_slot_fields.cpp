// Checks of the slot fields a load keeps exactly as stored.
#include "game/services/save/kept_slot_fields.h"

#include <algorithm>
#include <array>
#include <string>

#include "game/services/save/save_field_log.h"
#include "game/services/save/save_layout.h"
#include "platform/little_endian.h"

namespace {

using namespace save_layout;

struct FieldRange {
    const char* name;
    std::uint32_t low;
    std::uint32_t high;
};

// Year, month, day, hour, minute, second (a leap second allowed), millisecond, day of week
// (7 marks it unset).
constexpr std::array<FieldRange, 8> kStampFields = {{{"year", 1, 9999},
                                                     {"month", 1, 12},
                                                     {"day", 1, 31},
                                                     {"hour", 0, 23},
                                                     {"minute", 0, 59},
                                                     {"second", 0, 60},
                                                     {"millisecond", 0, 999},
                                                     {"day of week", 0, 7}}};

std::size_t StampField(std::size_t i) { return slot::kLastSaveTime + 4 * i; }

void CheckTimeStamp(std::span<std::uint8_t> record, int slotNumber)
{
    std::array<std::uint32_t, kStampFields.size()> fields{};
    for (std::size_t i = 0; i < fields.size(); ++i) fields[i] = platform::ReadU32(record, StampField(i));
    // A slot never saved holds an all-zero stamp.
    if (std::all_of(fields.begin(), fields.end(), [](std::uint32_t field) { return field == 0; })) return;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i] >= kStampFields[i].low && fields[i] <= kStampFields[i].high) continue;
        LogBadSlotField(slotNumber, "last-save time", StampField(i),
                        std::string(kStampFields[i].name) + " " + std::to_string(fields[i]) +
                            " is out of range; the time stamp is cleared");
        for (std::size_t j = 0; j < fields.size(); ++j) platform::WriteU32(record, StampField(j), 0);
        return;
    }
}

void CheckEndingSeen(std::span<std::uint8_t> record, int slotNumber)
{
    const std::uint32_t seen = platform::ReadU32(record, slot::kEndingSeen);
    if (seen <= 1) return;
    LogBadSlotField(slotNumber, "ending-seen flag", slot::kEndingSeen,
                    std::to_string(seen) + " is neither 0 nor 1; taken as 1");
    platform::WriteU32(record, slot::kEndingSeen, 1);
}

}  // namespace

void CheckKeptSlotFields(std::span<std::uint8_t> slot, int slotNumber)
{
    if (slot.size() < kSlotSize) return;
    CheckTimeStamp(slot, slotNumber);
    CheckEndingSeen(slot, slotNumber);
}
