// The rooms and items of the shipped data that the tests on the running game place, stock and count.
#pragma once

#include <cstdint>

#include "game/services/data/tag.h"

namespace support::shipped {

// Rooms.
inline constexpr std::uint32_t kBridge = MakeTag("ID01");
inline constexpr std::uint32_t kHome = MakeTag("ID03");
inline constexpr std::uint32_t kKitchen = MakeTag("ID04");
inline constexpr std::uint32_t kInfirmary = MakeTag("ID05");  // two builders, 40 seconds; 3 timber and 3 cloth
inline constexpr std::uint32_t kWorkshop = MakeTag("ID06");
inline constexpr std::uint32_t kCatapult = MakeTag("ID15");
inline constexpr std::uint32_t kStoreroom = MakeTag("ID20");
inline constexpr std::uint32_t kLadder = MakeTag("ID22");  // one wide, two high: joins its rows
inline constexpr std::uint32_t kEngine = MakeTag("ID23");

// Items.
inline constexpr std::uint32_t kScrapIron = MakeTag("I001");  // repairs for two work intervals
inline constexpr std::uint32_t kTimber = MakeTag("I002");
inline constexpr std::uint32_t kCloth = MakeTag("I003");
inline constexpr std::uint32_t kGrain = MakeTag("I020");  // no repair material
inline constexpr std::uint32_t kWater = MakeTag("I025");
inline constexpr std::uint32_t kCheeseBomb = MakeTag("I096");

}  // namespace support::shipped
