// The save image's header check and the areas a new slot and a new system record start with.
#include <gtest/gtest.h>

#include "game/services/data/static_database.h"
#include "game/services/save/quest_boards.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "framework/math/random.h"
#include "platform/little_endian.h"

namespace {

using namespace save_layout;

TEST(SaveImageTest, TheHeaderCheckCoversSlotsSystemRecordAndSlotNumberButNotTheFill)
{
    std::vector<std::uint8_t> image(kImageSize, 0);
    EXPECT_EQ(ComputeSaveChecksum(image), 0u);
    WriteSaveHeader(image);
    EXPECT_TRUE(CheckSaveImage(image));
    EXPECT_EQ(GetSaveImageFormat(image), 1u);

    image[kChecksumEnd] = 1;  // the fill
    EXPECT_TRUE(CheckSaveImage(image));
    image[kChecksumEnd - 1] = 1;  // the slot number's last byte
    EXPECT_FALSE(CheckSaveImage(image));
    WriteSaveHeader(image);
    EXPECT_TRUE(CheckSaveImage(image));
    image[1] = 'X';
    EXPECT_FALSE(CheckSaveImage(image));
    image[1] = 'H';
    std::vector<std::uint8_t> shorter(image.begin(), image.end() - 4);
    EXPECT_FALSE(CheckSaveImage(shorter));
    // A wrapping sum: every covered word 0xFFFFFFFF.
    std::fill(image.begin() + kSlotsOffset, image.begin() + kChecksumEnd, 0xFF);
    WriteSaveHeader(image);
    EXPECT_EQ(platform::ReadU32(image.data() + kChecksumOffset), static_cast<std::uint32_t>(0u - kChecksumWords));
    EXPECT_TRUE(CheckSaveImage(image));
}

TEST(SaveImageTest, ANewGameSlotTakesTheFirstShipAndShufflesTheHideoutOffers)
{
    CreateStaticDatabase();
    GAME_CStaticDatabase& database = *GetStaticDatabase();
    std::vector<std::uint8_t> slot(kSlotSize, 0xEE);
    InitNewGameSlot(slot, false);  // no ship: logged, left empty, no crash
    EXPECT_EQ(platform::ReadU32(slot.data() + slot::kShipTag), 0u);

    ShipData* ship = database.GetOrCreateShipData(0x32504853);
    ship->baseFuelCapacity = 0x12345;
    HideoutData* hideout = database.GetOrCreateHideoutData(3);
    for (std::uint32_t i = 0; i < 6; ++i) hideout->offers[i] = {100 + i, static_cast<std::int32_t>(i + 1)};
    hideout->offerCount = 4;
    hideout->offerRefreshCountdown = 9;
    // The per-route records survive when the live data is kept.
    slot[slot::kTravel + slot::kTravelKeptOffset + 5] = 0x33;
    slot[slot::kTravel + 5] = 0x44;
    vesk::math::SeedRandom(3);
    InitNewGameSlot(slot, true);

    EXPECT_EQ(platform::ReadU32(slot.data() + slot::kShipTag), 0x32504853u);
    EXPECT_EQ(platform::ReadU16(slot.data() + slot::kFuel), 0x2345);
    EXPECT_EQ(platform::ReadU16(slot.data() + slot::kFuelCountdown), 100);
    EXPECT_EQ(platform::ReadU32(slot.data() + slot::kStoryFlags), 1u);
    EXPECT_EQ(platform::ReadU32(slot.data() + slot::kRouteId), 0xFFFFFFFFu);
    EXPECT_EQ(slot[slot::kTravel + slot::kTravelKeptOffset + 5], 0x33);
    EXPECT_EQ(slot[slot::kTravel + 5], 0);
    const QuestBoardRecord offers(slot, 0);
    std::vector<std::uint32_t> ids;
    for (int pair = 0; pair < 4; ++pair) {
        ASSERT_FALSE(offers.IsEmpty(pair));
        ids.push_back(offers.Id(pair));
        EXPECT_EQ(offers.Value(pair), static_cast<std::int32_t>(offers.Id(pair) - 99));
    }
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(std::unique(ids.begin(), ids.end()), ids.end());
    EXPECT_TRUE(offers.IsEmpty(4));
    EXPECT_EQ(offers.Countdown(), 9u);
    EXPECT_EQ(offers.Mask(), 0u);
    EXPECT_EQ(CountFlaggedQuestEntries(slot), 0);

    // The empty tables: stores, tasks, field items.
    EXPECT_EQ(platform::ReadU32(slot.data() + slot::kStore), 0xFFFFFFFFu);
    EXPECT_EQ(platform::ReadU16(slot.data() + slot::kStore + 6), 0xFFFF);
    EXPECT_EQ(slot[slot::kTasks + 40], 0xFF);
    EXPECT_EQ(platform::ReadU32(slot.data() + slot::kFieldItems), 0xFFFFFFFFu);
    DestroyStaticDatabase();
}

TEST(SaveImageTest, TheRankingSortsHighestFirst)
{
    std::vector<std::uint8_t> area(slot::kRankingSize);
    InitMiniGameRanking(area);
    platform::WriteU32(area.data() + 9 * ranking::kEntrySize + ranking::kScore, 9500);
    SortMiniGameRanking(area);
    EXPECT_EQ(platform::ReadU32(area.data() + ranking::kScore), 10000u);
    EXPECT_EQ(platform::ReadU32(area.data() + ranking::kEntrySize + ranking::kScore), 9500u);
    EXPECT_EQ(platform::ReadU16(area.data() + ranking::kEntrySize), 0xFF21 + 9);
    EXPECT_EQ(platform::ReadU32(area.data() + 9 * ranking::kEntrySize + ranking::kScore), 2000u);
}

}  // namespace
