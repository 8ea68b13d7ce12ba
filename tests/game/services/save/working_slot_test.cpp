// The working slot's typed accessors: each value lands at its own place and nothing past a set or table is touched.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "game/services/data/static_database.h"
#include "game/services/data/tag.h"
#include "game/services/player/player_data.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/save/working_slot.h"
#include "platform/little_endian.h"

namespace {

namespace slot = save_layout::slot;

TEST(WorkingSlot, ValuesLandAtTheirPlacesAndIndicesPastTheirSetsChangeNothing)
{
    ResetSaveAreas();
    const std::span<std::uint8_t> working = GetWorkingSlot();
    ASSERT_EQ(working.size(), slot::kSize);

    working_slot::SetPlaySeconds(90);
    EXPECT_EQ(platform::ReadU32(working, slot::kPlaySeconds), 90u);
    EXPECT_FALSE(working_slot::EndingSeen());
    platform::WriteU32(working, slot::kEndingSeen, 1);
    EXPECT_TRUE(working_slot::EndingSeen());

    const std::vector<std::uint8_t> before(working.begin(), working.end());
    working_slot::SetStoryFlag(working_slot::kStoryFlagCount, true);
    working_slot::SetEventFlag(slot::kEventBitCount, true);
    working_slot::MarkHideoutVisited(slot::kVisitedHideoutBits);
    EXPECT_EQ(working_slot::ByteCounter(slot::kByteTableSize), nullptr);
    EXPECT_FALSE(working_slot::ItemDiscovered(working_slot::kDiscoveredItemBits));
    EXPECT_FALSE(working_slot::RumorBought(slot::kLiveTableSize * 8));
    EXPECT_TRUE(std::equal(before.begin(), before.end(), working.begin()));

    working_slot::SetStoryFlag(33, true);
    EXPECT_TRUE(working_slot::StoryFlag(33));
    EXPECT_EQ(platform::ReadU32(working, slot::kStoryFlags + 4), 2u);
    working_slot::SetEventFlag(5, true);
    EXPECT_TRUE(working_slot::EventFlag(5));
    working_slot::MarkHideoutVisited(3);
    EXPECT_EQ(working[slot::kVisitedHideouts], 8u);
    *working_slot::ByteCounter(7) = 200;
    EXPECT_EQ(working[slot::kByteTable + 7], 200u);
    working[slot::kLiveTable + 1] = 0x04;
    EXPECT_TRUE(working_slot::RumorBought(10));
    platform::WriteU32(working, slot::kFieldItemsLive + 4, 1);
    EXPECT_TRUE(working_slot::ItemDiscovered(32));
    EXPECT_EQ(working_slot::TravelArea().data(), working.data() + slot::kTravel);
    ResetSaveAreas();
}

// A found item sets its bit in the found-item set, at its place in the item table, and no event flag.
TEST(WorkingSlot, AFoundItemIsMarkedInTheFoundSetAndLeavesTheEventFlags)
{
    ResetSaveAreas();
    CreateStaticDatabase();
    CreatePlayerData();
    GetStaticDatabase()->GetOrCreateItemData(MakeTag("I001"), true);
    GetStaticDatabase()->GetOrCreateItemData(MakeTag("I002"), true);
    std::int32_t position = -1;
    ASSERT_NE(GetStaticDatabase()->FindItemDataIndexed(MakeTag("I002"), &position), nullptr);

    const std::span<std::uint8_t> working = GetWorkingSlot();
    const std::vector<std::uint8_t> events(working.begin() + slot::kEventBits, working.begin() + slot::kEventBits + slot::kEventBitCount / 8);
    working_slot::MarkItemDiscovered(MakeTag("I002"));
    working_slot::MarkItemDiscovered(MakeTag("I999"));
    EXPECT_TRUE(working_slot::ItemDiscovered(static_cast<std::size_t>(position)));
    EXPECT_EQ(platform::ReadU32(working, slot::kFieldItemsLive), 1u << position);
    EXPECT_TRUE(std::equal(events.begin(), events.end(), working.begin() + slot::kEventBits));

    DestroyPlayerData();
    DestroyStaticDatabase();
    ResetSaveAreas();
}

TEST(WorkingSlot, AStoredSlotsSummaryReadsItsOwnRecordAndAShortRecordReadsEmpty)
{
    std::vector<std::uint8_t> record(slot::kSize, 0);
    platform::WriteU32(record, slot::kLastSaveTime + 8, 27);
    platform::WriteU32(record, slot::kPlaySeconds, 3661);
    platform::WriteU32(record, slot::kRouteId, 0x31305452);
    platform::WriteU32(record, slot::kRouteDirection, 1);
    platform::WriteI32(record, slot::kRoutePosition, -4);
    record[slot::kCrew + slot::kCrewInUse] = 1;
    record[slot::kCrew + 5 * slot::kCrewRecordSize + slot::kCrewInUse] = 1;
    record[slot::kCrew + 6 * slot::kCrewRecordSize + 1] = 1;  // a used byte of an unused record

    const working_slot::SlotSummary summary = working_slot::ReadSlotSummary(record);
    EXPECT_EQ(summary.lastSaveTime[2], 27u);
    EXPECT_EQ(summary.playSeconds, 3661u);
    EXPECT_EQ(summary.routeId, 0x31305452u);
    EXPECT_FALSE(summary.routeReversed);
    EXPECT_TRUE(summary.routeDirection);
    EXPECT_EQ(summary.routePosition, -4);
    EXPECT_EQ(summary.crewCount, 2);

    record.pop_back();
    EXPECT_EQ(working_slot::ReadSlotSummary(record).playSeconds, 0u);
}

}  // namespace
