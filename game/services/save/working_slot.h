// Typed reads and writes of the working slot: the values the running game keeps there, by name.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace working_slot {

inline constexpr std::uint32_t kStoryFlagCount = 64;

// A slot that has been played has play time; the title offers to continue it.
std::uint32_t PlaySeconds();
void SetPlaySeconds(std::uint32_t seconds);
bool EndingSeen();
void SetEndingSeen();
// The music track of the route, plus one; 0 when none.
std::uint32_t RouteMusic();
// The music the clock last played, plus one; 0 or 0xFFFFFFFF when none.
std::uint32_t ClockMusic();

// The arcade ranking: ten rows, best first. A name is up to three letters (0: none yet).
inline constexpr std::size_t kRankingRows = 10;
inline constexpr std::size_t kRankingLetters = 3;
struct RankingRow {
    std::array<char16_t, kRankingLetters> name{};
    std::int32_t score = 0;
};
// Rows past the ranking read empty and are not written; a short slot reads empty rows.
RankingRow ReadRankingRow(std::size_t row);
void WriteRankingRow(std::size_t row, const RankingRow& entry);
// Ordered by score, highest first; the defaults written over it.
void SortRanking();
void InitRanking();
// Year, month, day, hour, minute, second, millisecond and weekday of the last save.
void SetLastSaveTime(std::span<const std::uint32_t, 8> fields);

// What a list of saves shows of a stored slot record (laid out as the working slot); all zero when
// the record is too short.
struct SlotSummary {
    std::array<std::uint32_t, 8> lastSaveTime{};
    std::uint32_t playSeconds = 0;
    std::uint32_t routeId = 0;
    bool routeReversed = false;
    bool routeDirection = false;
    std::int32_t routePosition = 0;
    std::int32_t crewCount = 0;
};
SlotSummary ReadSlotSummary(std::span<const std::uint8_t> record);

// Flags past their set read as clear and are not written.
bool StoryFlag(std::uint32_t flag);
void SetStoryFlag(std::uint32_t flag, bool on);
bool EventFlag(std::uint32_t flag);
void SetEventFlag(std::uint32_t flag, bool on);
// One live byte counter of the byte table; null past it.
std::uint8_t* ByteCounter(std::uint32_t index);

void MarkItemDiscovered(std::uint32_t itemId);
// By the item's position in the item list; positions past the discovered-item bits read false.
bool ItemDiscovered(std::size_t position);
inline constexpr std::size_t kDiscoveredItemBits = 224;
// By the rumour's position in the rumour list; positions past the bought-rumour bits read false.
bool RumorBought(std::size_t position);
void SetRumorBought(std::size_t position);
// Kinds by their position in the room-id table.
bool RoomKindUnlocked(std::int32_t kind);
void SetRoomKindUnlocked(std::int32_t kind, bool on);
// By the hideout's position in the hideout table.
void MarkHideoutVisited(std::uint32_t index);
bool HideoutVisited(std::uint32_t index);
// Accepted offers over every offer set: the bits of their masks.
std::int32_t CountOfferMaskBits();

// The travel area, which starts with the route save block; empty when the slot is short.
std::span<std::uint8_t> TravelArea();

// The system record, kept across slots: an ending reached on this machine, and the achievement
// counters. A short record reads 0 and is not written.
void MarkEndingReachedInSystem();
std::uint32_t AchievementCounter(std::size_t index);

}  // namespace working_slot
