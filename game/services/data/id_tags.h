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

// The room kind of a room-id tag; 0 (no room) for a tag the table does not hold.
std::int32_t FindRoomIdIndex(std::uint32_t tag);
// The achievement number of an achievement tag, or -1.
std::int32_t FindAchievementIndex(std::uint32_t tag);
