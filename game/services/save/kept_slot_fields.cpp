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

// A name unit the ranking can show: none (0) or a character, never a control code or half a pair.
bool IsNameUnit(std::uint16_t unit) { return unit == 0 || (unit >= 0x20 && (unit < 0xD800 || unit > 0xDFFF)); }

// Each row of the arcade ranking: a name of characters ended by a 0 unit, a score of 0 or more.
void CheckRanking(std::span<std::uint8_t> record, int slotNumber)
{
    for (int row = 0; row < ranking::kEntryCount; ++row) {
        const std::size_t at = slot::kRanking + static_cast<std::size_t>(row) * ranking::kEntrySize;
        const std::string area = "ranking row " + std::to_string(row);
        for (std::size_t unit = 0; unit < ranking::kNameUnits; ++unit) {
            const std::uint16_t value = platform::ReadU16(record, at + 2 * unit);
            if (IsNameUnit(value)) continue;
            LogBadSlotField(slotNumber, area, at + 2 * unit,
                            "name unit " + std::to_string(value) + " is no character; the name is cleared");
            for (std::size_t clear = 0; clear < ranking::kNameUnits; ++clear) platform::WriteU16(record, at + 2 * clear, 0);
            break;
        }
        const std::size_t terminator = at + 2 * ranking::kNameUnits;
        if (platform::ReadU16(record, terminator) != 0) {
            LogBadSlotField(slotNumber, area, terminator,
                            "name terminator " + std::to_string(platform::ReadU16(record, terminator)) + " is not 0; it is 0");
            platform::WriteU16(record, terminator, 0);
        }
        const auto score = static_cast<std::int32_t>(platform::ReadU32(record, at + ranking::kScore));
        if (score < 0) {
            LogBadSlotField(slotNumber, area, at + ranking::kScore, "score " + std::to_string(score) + " is below 0; it is 0");
            platform::WriteU32(record, at + ranking::kScore, 0);
        }
    }
}

}  // namespace

void CheckKeptSlotFields(std::span<std::uint8_t> slot, int slotNumber)
{
    if (slot.size() < kSlotSize) return;
    CheckTimeStamp(slot, slotNumber);
    CheckEndingSeen(slot, slotNumber);
    CheckRanking(slot, slotNumber);
}
