// The tables of four-character tags every subsystem shares: room ids and achievement ids.
#pragma once

#include <cstdint>

// Room ids: the position is the room kind number. Position 0 ("IDNO") means no room; the table
// has no "ID27".
inline constexpr std::int32_t kRoomIdCount = 34;
// Achievement ids "A001" to "A020": the position is the achievement number.
inline constexpr std::int32_t kAchievementIdCount = 20;

// The tag at a position, or kNoId past either end.
std::uint32_t GetRoomIdTag(std::int32_t kind);
std::uint32_t GetAchievementIdTag(std::int32_t index);

// The position of a tag in its table, or -1.
std::int32_t FindRoomKind(std::uint32_t tag);
std::int32_t FindAchievementIndex(std::uint32_t tag);
