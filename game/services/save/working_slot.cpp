// Typed reads and writes of the working slot.
#include "game/services/save/working_slot.h"

#include <bit>

#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "platform/little_endian.h"

using namespace save_layout;

static_assert(working_slot::kDiscoveredItemBits == slot::kFieldItemsLiveSize * 8);

namespace working_slot {

namespace {

std::uint32_t ReadWord(std::size_t offset)
{
    const std::span<const std::uint8_t> working = GetWorkingSlot();
    return working.size() >= offset + 4 ? platform::ReadU32(working, offset) : 0;
}

}  // namespace

std::uint32_t PlaySeconds() { return ReadWord(slot::kPlaySeconds); }

void SetPlaySeconds(std::uint32_t seconds)
{
    const std::span<std::uint8_t> working = GetWorkingSlot();
    if (working.size() >= slot::kPlaySeconds + 4) platform::WriteU32(working, slot::kPlaySeconds, seconds);
}

bool EndingSeen() { return ReadWord(slot::kEndingSeen) != 0; }

void SetEndingSeen()
{
    const std::span<std::uint8_t> working = GetWorkingSlot();
    if (working.size() >= slot::kEndingSeen + 4) platform::WriteU32(working, slot::kEndingSeen, 1);
}

std::uint32_t RouteMusic() { return ReadWord(slot::kRouteMusic); }

std::uint32_t ClockMusic() { return ReadWord(slot::kClockBgm); }

namespace {

std::span<std::uint8_t> RankingArea()
{
    const std::span<std::uint8_t> working = GetWorkingSlot();
    if (working.size() < slot::kRanking + slot::kRankingSize) return {};
    return working.subspan(slot::kRanking, slot::kRankingSize);
}

}  // namespace

RankingRow ReadRankingRow(std::size_t row)
{
    RankingRow entry;
    const std::span<std::uint8_t> area = RankingArea();
    if (area.empty() || row >= kRankingRows) return entry;
    const std::size_t at = row * ranking::kEntrySize;
    // The name ends at its first 0 unit; the fourth unit is its terminator, never a letter.
    for (std::size_t i = 0; i < kRankingLetters; ++i) {
        const auto unit = static_cast<char16_t>(platform::ReadU16(area, at + 2 * i));
        if (unit == u'\0') break;
        entry.name[i] = unit;
    }
    entry.score = static_cast<std::int32_t>(platform::ReadU32(area, at + ranking::kScore));
    return entry;
}

void WriteRankingRow(std::size_t row, const RankingRow& entry)
{
    const std::span<std::uint8_t> area = RankingArea();
    if (area.empty() || row >= kRankingRows) return;
    const std::size_t at = row * ranking::kEntrySize;
    for (std::size_t i = 0; i < kRankingLetters; ++i) platform::WriteU16(area, at + 2 * i, entry.name[i]);
    platform::WriteU16(area, at + 2 * kRankingLetters, 0);
    platform::WriteU32(area, at + ranking::kScore, static_cast<std::uint32_t>(entry.score));
}

void SortRanking()
{
    const std::span<std::uint8_t> area = RankingArea();
    if (!area.empty()) SortMiniGameRanking(area);
}

void InitRanking()
{
    const std::span<std::uint8_t> area = RankingArea();
    if (!area.empty()) InitMiniGameRanking(area);
}

void SetLastSaveTime(std::span<const std::uint32_t, 8> fields)
{
    const std::span<std::uint8_t> working = GetWorkingSlot();
    if (working.size() < slot::kLastSaveTime + 4 * fields.size()) return;
    for (std::size_t i = 0; i < fields.size(); ++i) platform::WriteU32(working, slot::kLastSaveTime + 4 * i, fields[i]);
}

SlotSummary ReadSlotSummary(std::span<const std::uint8_t> record)
{
    SlotSummary summary;
    if (record.size() < slot::kSize) return summary;
    for (std::size_t i = 0; i < summary.lastSaveTime.size(); ++i) {
        summary.lastSaveTime[i] = platform::ReadU32(record, slot::kLastSaveTime + 4 * i);
    }
    summary.playSeconds = platform::ReadU32(record, slot::kPlaySeconds);
    summary.routeId = platform::ReadU32(record, slot::kRouteId);
    summary.routeReversed = platform::ReadU32(record, slot::kRouteReversed) != 0;
    summary.routeDirection = platform::ReadU32(record, slot::kRouteDirection) != 0;
    summary.routePosition = platform::ReadI32(record, slot::kRoutePosition);
    for (int i = 0; i < slot::kCrewRecordCount; ++i) {
        if (record[slot::kCrew + static_cast<std::size_t>(i) * slot::kCrewRecordSize + slot::kCrewInUse] != 0) ++summary.crewCount;
    }
    return summary;
}

bool StoryFlag(std::uint32_t flag) { return GetSlotBit(GetWorkingSlot(), slot::kStoryFlags, kStoryFlagCount, flag); }

void SetStoryFlag(std::uint32_t flag, bool on)
{
    SetSlotBit(GetWorkingSlot(), slot::kStoryFlags, kStoryFlagCount, flag, on);
}

bool EventFlag(std::uint32_t flag) { return GetSlotEventBit(GetWorkingSlot(), flag); }

void SetEventFlag(std::uint32_t flag, bool on) { SetSlotEventBit(GetWorkingSlot(), flag, on); }

std::uint8_t* ByteCounter(std::uint32_t index)
{
    const std::span<std::uint8_t> working = GetWorkingSlot();
    if (index >= slot::kByteTableSize || working.size() < slot::kByteTable + slot::kByteTableSize) return nullptr;
    return working.data() + slot::kByteTable + index;
}

void MarkItemDiscovered(std::uint32_t itemId) { ::MarkItemDiscovered(GetWorkingSlot(), itemId); }

bool ItemDiscovered(std::size_t position)
{
    if (position >= kDiscoveredItemBits) return false;
    return (ReadWord(slot::kFieldItemsLive + 4 * (position / 32)) >> (position % 32) & 1u) != 0;
}

bool RumorBought(std::size_t position)
{
    const std::span<const std::uint8_t> working = GetWorkingSlot();
    if (position / 8 >= slot::kLiveTableSize || working.size() < slot::kLiveTable + slot::kLiveTableSize) return false;
    return (working[slot::kLiveTable + position / 8] >> (position % 8) & 1u) != 0;
}

void SetRumorBought(std::size_t position)
{
    const std::span<std::uint8_t> working = GetWorkingSlot();
    if (position / 8 >= slot::kLiveTableSize || working.size() < slot::kLiveTable + slot::kLiveTableSize) return;
    working[slot::kLiveTable + position / 8] |= static_cast<std::uint8_t>(1u << (position % 8));
}

bool RoomKindUnlocked(std::int32_t kind) { return IsRoomKindUnlocked(GetWorkingSlot(), kind); }

void SetRoomKindUnlocked(std::int32_t kind, bool on) { ::SetRoomKindUnlocked(GetWorkingSlot(), kind, on); }

void MarkHideoutVisited(std::uint32_t index)
{
    SetSlotBit(GetWorkingSlot(), slot::kVisitedHideouts, slot::kVisitedHideoutBits, index, true);
}

bool HideoutVisited(std::uint32_t index)
{
    return GetSlotBit(GetWorkingSlot(), slot::kVisitedHideouts, slot::kVisitedHideoutBits, index);
}

std::int32_t CountOfferMaskBits()
{
    std::int32_t count = 0;
    for (int set = 0; set < slot::kOfferSetCount; ++set) {
        count += std::popcount(ReadWord(slot::kOfferSets + static_cast<std::size_t>(set) * slot::kOfferSetSize +
                                        slot::kOfferMask));
    }
    return count;
}

std::span<std::uint8_t> TravelArea()
{
    const std::span<std::uint8_t> working = GetWorkingSlot();
    if (working.size() < slot::kTravel + slot::kTravelSize) return {};
    return working.subspan(slot::kTravel, slot::kTravelSize);
}

void MarkEndingReachedInSystem()
{
    const std::span<std::uint8_t> record = GetWorkingSystemRecord();
    const std::size_t at = system::kProgressFlags;
    if (record.size() >= at + 4) platform::WriteU32(record, at, platform::ReadU32(record, at) | 1u);
}

std::uint32_t AchievementCounter(std::size_t index)
{
    const std::span<const std::uint8_t> record = GetWorkingSystemRecord();
    const std::size_t at = system::kAchievementCounters + 4 * index;
    return record.size() >= at + 4 ? platform::ReadU32(record, at) : 0;
}

}  // namespace working_slot
