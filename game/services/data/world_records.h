// Static records of the world: hideouts, routes, ships, quests, rumours and enemies.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

#include "game/services/data/record_entries.h"

// Facility bits of a hideout.
enum HideoutFacility : std::uint32_t {
    kFacilityGasStation = 0x1,
    kFacilityMarket = 0x2,
    kFacilityQuestBoard = 0x4,
    kFacilityPub = 0x8,
};

// {quest id, value} of a hideout's quest pool; the pool ends at id -1 or a value of 0 or less.
struct QuestOffer {
    std::uint32_t questId = kNoId;
    std::int32_t value = 1;
};

// The type-name keys of a hideout's four facilities, in this order.
enum HideoutTypeName : std::uint32_t {
    kTypeNameGasStation = 0,
    kTypeNameMarket = 1,
    kTypeNameQuestBoard = 2,
    kTypeNamePub = 3,
};

struct HideoutData {
    static constexpr std::size_t kTypeNameLength = 31;  // a 32-byte text

    std::array<QuestOffer, 32> offers{};
    std::uint32_t facilities = 0;
    std::int32_t discoveryBit = 0;  // its bit in the discovered-locations set
    std::int32_t mapX = 0;
    std::int32_t mapY = 0;
    std::int32_t offerCount = 1;
    std::int32_t offerRefreshCountdown = 9000;
    std::int32_t fuelPrice = 100;
    std::array<std::string, 4> typeNameKeys{"GASSTATION_TYPE_NAME0", "MARKET_TYPE_NAME0", "QUESTBOARD_TYPE_NAME0",
                                            "PUB_TYPE_NAME0"};
    std::array<std::uint32_t, 4> neighbours{kNoId, kNoId, kNoId, kNoId};
    std::vector<std::uint32_t> marketItems;  // each once
    std::vector<std::uint32_t> rumors;       // in script order
};

// Entries of a route's owned lists.
struct RouteFixedEvent {
    std::uint32_t label = kNoId;
    std::int32_t from = 0;
    std::int32_t to = 1;
};
struct RouteRandomEvent {
    std::uint32_t label = kNoId;
    std::int32_t from = 0;
    std::int32_t to = 1;
    std::int32_t weight = 1;
};
struct RouteWeightedLabel {
    std::uint32_t label = kNoId;
    std::int32_t weight = 0;
};

struct RouteData {
    std::vector<RouteFixedEvent> fixedEvents;
    std::vector<RouteRandomEvent> randomEvents;
    std::vector<RouteWeightedLabel> secondLabels;
    std::vector<RouteWeightedLabel> firstLabels;
    std::uint32_t startLocation = kNoId;
    std::uint32_t endLocation = kNoId;
    const HideoutData* startHideout = nullptr;
    const HideoutData* endHideout = nullptr;
    std::int32_t length = 1;
    std::array<std::int32_t, 4> accumulatorWords{10, 10, 10, 10};
    std::array<std::int32_t, 2> stallLimits{-1, -1};  // without fuel, with fuel
    std::int32_t nearViewA = 0;  // positions in the near-view list
    std::int32_t nearViewB = 0;
    std::int32_t blend = 500;
    std::int32_t music1 = 1;
    std::int32_t music2 = 1;
    std::int32_t musicFlag = 0;
    std::int32_t musicSwitch = -1;
    std::vector<std::int32_t> values;
};

inline void InitRouteDataRecord(RouteData& route) { route = RouteData{}; }

// The ship grid the floor mask covers: bit y x 19 + x.
inline constexpr int kShipGridMaxWidth = 19;
inline constexpr int kShipGridMaxHeight = 13;

struct ShipData {
    std::uint32_t id = kNoId;
    std::int32_t baseHull = 300;
    std::int32_t baseFuelCapacity = 300;
    std::int32_t value = 0;
    std::int32_t baseSpeed = 1000;  // thousandths
    std::uint16_t gridWidth = 19;
    std::uint16_t gridHeight = 13;
    std::array<std::int32_t, 2> values{10, 200};
    std::bitset<256> floorMask;
    std::array<std::int32_t, 2> offsets{150, -150};
    std::int32_t baseFuelRate = 100;
    std::int32_t value5 = 5;
    std::array<ItemCount, 8> materials{};

    // Cells outside the 19 x 13 grid have no bit: tests give false, writes do nothing.
    bool IsFloorCell(std::int64_t x, std::int64_t y) const
    {
        return IsInGrid(x, y) && floorMask.test(static_cast<std::size_t>(y * kShipGridMaxWidth + x));
    }
    void SetFloorCell(std::int64_t x, std::int64_t y, bool floor)
    {
        if (IsInGrid(x, y)) {
            floorMask.set(static_cast<std::size_t>(y * kShipGridMaxWidth + x), floor);
        }
    }
    static bool IsInGrid(std::int64_t x, std::int64_t y)
    {
        return x >= 0 && y >= 0 && x < kShipGridMaxWidth && y < kShipGridMaxHeight;
    }
};

// Global flag bits and byte counters of the player's progress have 1024 entries.
inline constexpr std::uint32_t kQuestFlagCount = 1024;

// {byte-counter index, value} a quest writes.
struct QuestCounterAssignment {
    std::uint32_t index = kNoId;
    std::uint8_t value = 0;
};

struct QuestData {
    static constexpr std::size_t kNoticeKeyLength = 31;

    std::array<ItemCount, 8> neededItems{};  // end at id -1 or count 0
    std::array<ItemCount, 8> rewardItems{};
    std::int32_t money = 0;
    std::int32_t fuel = 0;
    // Set on accept, on delivery and on expiry.
    std::array<std::uint32_t, 3> eventFlags{kNoId, kNoId, kNoId};
    std::array<QuestCounterAssignment, 3> counters{};
    std::string noticeKey;
    std::int32_t limitDays = -1;  // -1: no limit
};

struct RumorData {
    std::int32_t price = 0;
    std::uint32_t eventFlag = kNoId;     // used below 1024
    std::uint32_t discoveryBit = kNoId;  // used below 32
    std::uint32_t unlockedRoom = kNoId;  // a room-id tag other than "IDNO"
    std::int32_t afterEnding = 0;
};

// Indices of an enemy's first eleven words.
enum EnemyStat : std::uint32_t {
    kEnemyMaxHp = 0,
    kEnemyReach = 1,
    kEnemySpriteIndex = 9,
};

// {item id, weight} of an enemy's drop table.
struct EnemyDrop {
    std::uint32_t itemId = kNoId;
    std::int32_t weight = 0;
};

struct EnemyData {
    std::array<std::int32_t, 11> stats{100, 20, 5000, 60, 150, 10, 10, 1, 5, -1, -1};
    std::array<EnemyDrop, 8> drops{};  // end at id -1 or weight 0 or less
    std::array<std::int32_t, 5> miniGame{};
};

inline void InitEnemyDataRecord(EnemyData& enemy) { enemy = EnemyData{}; }

// Drop entries up to the first with id -1 or a weight of 0 or less (0..8).
int CountEnemyDropEntries(const EnemyData& enemy);
