// The game clock over whole days: hours, the displayed minute, the hourly refill and the daily refresh.
#include <gtest/gtest.h>

#include <vector>

#include "game/services/data/static_database.h"
#include "game/services/save/quest_boards.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/model/world/clock_step.h"
#include "game/services/clock/game_clock.h"
#include "platform/little_endian.h"

namespace {

using namespace save_layout;

class GameClockTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CreateStaticDatabase();
        ResetSaveAreas();
        ResetGameClock(*GetGameClock());
    }
    void TearDown() override
    {
        DestroyGameClock();
        DestroyStaticDatabase();
    }
};

TEST_F(GameClockTest, ADayOfStepsChangesTheDayOnceAfterHour23AndShowsMinutesInTens)
{
    GAME_CGameClock& clock = *GetGameClock();
    ASSERT_EQ(clock.DayLength(), 6300u);
    EXPECT_EQ(GetClockHour(clock), 6u);

    std::vector<std::uint32_t> dayChangedAtStep;
    std::uint32_t hourChanges = 0;
    std::uint32_t lastMinute = clock.displayedMinute;
    for (int i = 0; i < 2 * 6300; ++i) {
        const std::uint32_t day = clock.day;
        const std::uint32_t hour = GetClockHour(clock);
        StepGameClock(clock);
        if (GetClockHour(clock) != hour) ++hourChanges;
        if (clock.day != day) {
            EXPECT_EQ(hour, 23u);
            dayChangedAtStep.push_back(clock.step);
        }
        // The displayed minute only ever moves by ten.
        EXPECT_EQ(clock.displayedMinute % 10, 0u);
        if (clock.displayedMinute != lastMinute) {
            EXPECT_EQ((lastMinute + 10) % 60, clock.displayedMinute);
        }
        lastMinute = clock.displayedMinute;
    }
    EXPECT_EQ(dayChangedAtStep, (std::vector<std::uint32_t>{4725, 4725}));
    EXPECT_EQ(hourChanges, 48u);
    EXPECT_EQ(clock.day, 2u);
    EXPECT_EQ(clock.step, 0u);

    // From the last step of the day to the first: 5 o'clock to 6, the same day.
    clock.step = 6299;
    EXPECT_EQ(GetClockHour(clock), 5u);
    StepGameClock(clock);
    EXPECT_EQ(clock.step, 0u);
    EXPECT_EQ(GetClockHour(clock), 6u);
    EXPECT_EQ(clock.day, 2u);
}

TEST_F(GameClockTest, HoursRefillOtherRoutesAndDaysCountDownAcceptedQuests)
{
    GAME_CStaticDatabase& database = *GetStaticDatabase();
    RouteData* route = database.GetOrCreateRouteData(7);
    route->accumulatorWords = {100, 30, 250, 1000};
    HideoutData* hideout = database.GetOrCreateHideoutData(1);
    hideout->offers[0] = {11, 1};
    hideout->offers[1] = {12, 1};
    hideout->offerCount = 2;
    hideout->offerRefreshCountdown = 3;
    database.GetOrCreateQuestData(11)->limitDays = 2;
    QuestData* expiring = database.GetOrCreateQuestData(12);
    expiring->limitDays = 1;
    expiring->eventFlags[2] = 900;
    expiring->counters[2] = {5, 0x42};

    std::span<std::uint8_t> slot = GetWorkingSlot();
    QuestBoardWriter set(slot, 0);
    set.SetPair(0, 11, 2);
    set.SetPair(1, 12, 1);
    set.SetMask(0b10);  // quest 12 accepted
    set.SetCountdown(3);

    GAME_CGameClock& clock = *GetGameClock();
    for (int i = 0; i < 6300; ++i) StepGameClock(clock);

    // 24 hours of 100 and 30, each held at its maximum.
    const std::size_t record = slot::kTravel + slot::kTravelKeptOffset;
    EXPECT_EQ(platform::ReadI32(slot, record + 132), 250);
    EXPECT_EQ(platform::ReadI32(slot, record + 128), 720);

    // The accepted quest ran out: its mask bit is gone and its expiry flag and counter are set.
    const QuestBoardRecord after(slot, 0);
    EXPECT_EQ(after.Mask(), 0u);
    EXPECT_EQ(after.Value(1), 0);
    EXPECT_TRUE(GetSlotEventBit(slot, 900));
    EXPECT_EQ(slot[slot::kByteTable + 5], 0x42);
    EXPECT_EQ(after.Value(0), 2);  // not accepted: no countdown
    EXPECT_EQ(after.Countdown(), 2u);

    // Two days more: the set is drawn again from the pool.
    for (int i = 0; i < 2 * 6300; ++i) StepGameClock(clock);
    const QuestBoardRecord rerolled(slot, 0);
    EXPECT_EQ(rerolled.Countdown(), 3u);
    EXPECT_FALSE(rerolled.IsEmpty(0));
    EXPECT_FALSE(rerolled.IsEmpty(1));
    EXPECT_TRUE(rerolled.IsEmpty(2));
}

TEST_F(GameClockTest, ASavedClockIsCheckedWhenRead)
{
    std::vector<std::uint8_t> slot(kSlotSize, 0);
    platform::WriteU32(slot.data() + slot::kClockDay, 12);
    platform::WriteU32(slot.data() + slot::kClockStep, 99999);
    platform::WriteU32(slot.data() + slot::kClockBgm, 0);
    GAME_CGameClock& clock = *GetGameClock();
    LoadGameClock(clock, slot);
    EXPECT_EQ(clock.day, 12u);
    EXPECT_EQ(clock.step, 0u);
    platform::WriteU32(slot.data() + slot::kClockStep, 1575);  // 12:00
    LoadGameClock(clock, slot);
    EXPECT_EQ(GetClockHour(clock), 12u);
    EXPECT_EQ(clock.displayedMinute, 0u);
}

}  // namespace
