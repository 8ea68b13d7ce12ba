// The route save block inside a save slot's travel area: offsets of its fields, and the per-route records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "game/services/save/save_layout.h"
#include "game/services/save/working_slot.h"
#include "platform/little_endian.h"

// The route save block of a slot: route_block::kSize bytes at its travel area.
using RouteSaveBlock = std::span<std::uint8_t>;

// Offsets within the block, which starts at the travel area of the slot.
namespace route_block {
inline constexpr std::size_t kSize = 23724;
inline constexpr std::size_t kRouteId = 0;
inline constexpr std::size_t kReversed = 4;
inline constexpr std::size_t kDirection = 8;  // written 0
inline constexpr std::size_t kPosition = 12;

inline constexpr std::size_t kFixedEvents = 272;
inline constexpr int kFixedEventCount = 64;
inline constexpr std::size_t kFixedEventSize = 12;  // label, from, to
inline constexpr std::size_t kRandomEvents = 1040;
inline constexpr int kRandomEventCount = 128;
inline constexpr std::size_t kRandomEventSize = 16;  // label, from, to, weight

// One record per route of the route map, in its order.
inline constexpr std::size_t kRouteRecords = save_layout::slot::kTravelKeptOffset;  // 3088
inline constexpr int kRouteRecordCount = 128;
inline constexpr std::size_t kRouteRecordSize = 140;
inline constexpr std::size_t kSecondAccumulator = 128;  // i32 within a record
inline constexpr std::size_t kFirstAccumulator = 132;   // i32
inline constexpr std::size_t kScanLevel = 136;          // u16
inline constexpr std::size_t kScanCountdown = 138;      // u16

inline constexpr std::size_t kVariables = 22548;
inline constexpr int kVariableCount = 32;
inline constexpr std::size_t kVariableSize = 36;  // a 32-byte name, then the value
inline constexpr std::size_t kVariableNameBytes = 32;
inline constexpr std::size_t kScriptWords = 23700;
inline constexpr int kScriptWordCount = 6;

static_assert(kRouteRecords + kRouteRecordCount * kRouteRecordSize == 21008);
static_assert(kScriptWords + kScriptWordCount * 4 == kSize);

// Offset of a route's record within the block.
constexpr std::size_t RouteRecord(std::size_t position) { return kRouteRecords + position * kRouteRecordSize; }

// The working slot's block: the first bytes of its travel area; empty when the slot is short.
inline RouteSaveBlock Working()
{
    const std::span<std::uint8_t> travel = working_slot::TravelArea();
    return travel.size() >= kSize ? travel.first(kSize) : RouteSaveBlock{};
}

// What the scan of a route found (counts times 1000) and how far the scan went.
struct RouteScan {
    std::int32_t itemValue = 0;
    std::int32_t enemyValue = 0;
    std::int32_t level = 0;
};
// The working slot's record of the route at the position of the route map; a position past the
// records, or a short slot, reads an empty record. Items are counted in the second accumulator,
// enemies in the first.
inline RouteScan ReadRouteScan(std::int32_t position)
{
    const RouteSaveBlock block = Working();
    if (block.empty() || position < 0 || position >= kRouteRecordCount) return {};
    const std::size_t record = RouteRecord(static_cast<std::size_t>(position));
    return {platform::ReadI32(block, record + kSecondAccumulator), platform::ReadI32(block, record + kFirstAccumulator),
            static_cast<std::int16_t>(platform::ReadU16(block, record + kScanLevel))};
}
}  // namespace route_block
