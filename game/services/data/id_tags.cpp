// The room-id and achievement-id tag tables.
#include "game/services/data/id_tags.h"

#include <algorithm>
#include <array>

#include "game/services/data/record_entries.h"
#include "game/services/data/tag.h"

namespace {

constexpr std::array<std::uint32_t, kRoomIdCount> kRoomIds = {
    MakeTag("IDNO"), MakeTag("ID01"), MakeTag("ID02"), MakeTag("ID03"), MakeTag("ID04"), MakeTag("ID05"),
    MakeTag("ID06"), MakeTag("ID07"), MakeTag("ID08"), MakeTag("ID09"), MakeTag("ID10"), MakeTag("ID11"),
    MakeTag("ID12"), MakeTag("ID13"), MakeTag("ID14"), MakeTag("ID15"), MakeTag("ID16"), MakeTag("ID17"),
    MakeTag("ID18"), MakeTag("ID19"), MakeTag("ID20"), MakeTag("ID21"), MakeTag("ID22"), MakeTag("ID23"),
    MakeTag("ID24"), MakeTag("ID25"), MakeTag("ID26"), MakeTag("ID28"), MakeTag("ID29"), MakeTag("ID30"),
    MakeTag("ID31"), MakeTag("ID32"), MakeTag("ID90"), MakeTag("IDBR"),
};

constexpr std::array<std::uint32_t, kAchievementIdCount> kAchievementIds = {
    MakeTag("A001"), MakeTag("A002"), MakeTag("A003"), MakeTag("A004"), MakeTag("A005"),
    MakeTag("A006"), MakeTag("A007"), MakeTag("A008"), MakeTag("A009"), MakeTag("A010"),
    MakeTag("A011"), MakeTag("A012"), MakeTag("A013"), MakeTag("A014"), MakeTag("A015"),
    MakeTag("A016"), MakeTag("A017"), MakeTag("A018"), MakeTag("A019"), MakeTag("A020"),
};

template <std::size_t N>
std::uint32_t TagAt(const std::array<std::uint32_t, N>& table, std::int32_t position)
{
    return position >= 0 && static_cast<std::size_t>(position) < N ? table[position] : kNoId;
}

template <std::size_t N>
std::int32_t PositionOf(const std::array<std::uint32_t, N>& table, std::uint32_t tag)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (table[i] == tag) {
            return static_cast<std::int32_t>(i);
        }
    }
    return -1;
}

}  // namespace

std::uint32_t GetRoomIdTag(std::int32_t kind) { return TagAt(kRoomIds, kind); }
std::uint32_t GetAchievementIdTag(std::int32_t index) { return TagAt(kAchievementIds, index); }
std::int32_t FindRoomIdIndex(std::uint32_t tag) { return std::max(0, PositionOf(kRoomIds, tag)); }
std::int32_t FindAchievementIndex(std::uint32_t tag) { return PositionOf(kAchievementIds, tag); }
