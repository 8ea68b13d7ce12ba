// Static record of a room kind, written by the room scripts' registration.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/services/data/record_entries.h"

struct TaskData;

// Room-kind flag bits.
enum RoomFlag : std::uint32_t {
    kRoomJoinsRows = 0x1,
    kRoomInventory = 0x2,
    kRoomCrewHome = 0x8,
    kRoomFoodStorage = 0x10,
    kRoomTakesCrew = 0x20,
    kRoomHull = 0x40,
    kRoomFuelTank = 0x80,
    kRoomTurret = 0x100,
    kRoomInventoryWithoutCapacity = 0x200,
    kRoomModuleSlots = 0x800,
};

// Indices of the eighteen indexed values that have a known reader.
enum RoomValueIndex : std::uint32_t {
    kRoomValueInventoryCapacity = 0,
    kRoomValueFoodCapacity = 2,
    kRoomValueHullBonus = 3,
    kRoomValueFuelCapacityBonus = 4,
    kRoomValueTurretPower = 6,
    kRoomValueAmmoCapacity = 7,
    kRoomValueEngineOutput = 8,
    kRoomValueFuelTankDurabilityBonus = 10,
    kRoomValueFirstOverLimitPair = 11,  // 11..16
};
inline constexpr std::uint32_t kRoomValueCount = 18;

// An upgrade a room of this kind can take; type -1 ends the list.
struct RoomUpgradeEntry {
    static constexpr std::size_t kNameKeyLength = 63;
    std::int32_t type = -1;
    std::string nameKey;  // at most kNameKeyLength characters
    std::int32_t value = 0;
};

struct RoomData {
    std::array<IdValue, 8> pairs{};
    std::array<ItemCount, 8> materials{};  // building materials; end at id -1 or count 0
    std::int32_t durability = 30;
    std::int32_t spriteId = 0;
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::int32_t buildCrewLimit = 0;
    std::int32_t buildSeconds = 0;
    std::uint32_t flags = 0;
    std::int32_t capacity = 8;
    std::array<std::int32_t, kRoomValueCount> values{};
    std::array<std::int32_t, 3> words{};  // the third is the build limit
    IdValue lastPair{};  // the sound the room's screen loops: {sound effect, loop value}
    std::array<RoomUpgradeEntry, 16> upgrades{};
    // The task kinds offered in rooms of this kind, each once.
    std::vector<const TaskData*> offeredTasks;
    // Ammunition items the room kind accepts, each once.
    std::vector<std::uint32_t> acceptedItems;

    // The most rooms of the kind the ship may have; below 1 there is no limit.
    std::int32_t BuildLimit() const { return words[2]; }
};
