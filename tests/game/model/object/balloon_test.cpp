// Speech balloons: who may say what, opening, showing and moving on, and lines that come back.
#include <gtest/gtest.h>

#include "game/services/data/static_database.h"
#include "game/model/object/field_object_manager.h"
#include "tests/support/crew_world.h"

namespace {

using namespace support;

constexpr std::uint16_t kNewbornGroup = 4;
constexpr std::uint16_t kRoomGroup = 103;

class Balloon : public CrewWorld {
protected:
    void SetUp() override
    {
        CrewWorld::SetUp();
        member_ = &AddCrew(0, 2);
        member_->balloonCountdown = 1 << 30;  // the crew member chooses no lines of its own
    }

    GAME_CObjectMesBalloon& Of() const { return *member_->balloon; }

    GAME_CObjectActor* member_ = nullptr;
};

TEST_F(Balloon, OpensInFifteenFramesShowsALineThreeHundredAndGoesOnToTheNextWithoutClosing)
{
    Of().ShowMessage(kNewbornGroup, -1);
    Of().ShowMessage(kNewbornGroup, -1);
    Of().ShowMessage(kRoomGroup, -1);
    ASSERT_EQ(Of().Queue().size(), 2u);
    EXPECT_EQ(Of().ShownLine(), kNewbornLine);

    StepField(14);
    EXPECT_EQ(Of().state, GAME_CObjectMesBalloon::kOpening);
    EXPECT_LT(Of().scale.x, 1.0f);
    StepField(1);
    EXPECT_EQ(Of().scale.x, 1.0f);
    StepField(1);
    EXPECT_EQ(Of().state, GAME_CObjectMesBalloon::kShowing);

    // Shown in steps 16 to 315, then the next line in the same open balloon.
    StepField(298);
    EXPECT_EQ(Of().ShownLine(), kNewbornLine);
    StepField(1);
    EXPECT_EQ(Of().ShownLine(), kRoomLine);
    EXPECT_EQ(Of().state, GAME_CObjectMesBalloon::kShowing);
    StepField(300);
    EXPECT_TRUE(Of().Queue().empty());
    StepField(1);
    EXPECT_EQ(Of().state, GAME_CObjectMesBalloon::kClosing);
    StepField(15);
    EXPECT_EQ(Of().state, GAME_CObjectMesBalloon::kIdle);
}

TEST_F(Balloon, ARepeatingLineComesBackSixHundredFramesAfterItWasShown)
{
    GetStaticDatabase()->GetOrCreateBuffData(kBuff, false)->durationSeconds = 100;
    member_->status.AddBuff(kBuff);
    ASSERT_EQ(Of().Queue().size(), 1u);
    EXPECT_EQ(Of().Queue().front().lineId, kRepeatLine);
    StepField(315);
    ASSERT_EQ(Of().Queue().size(), 1u);
    EXPECT_GT(Of().Queue().front().wait, 0);
    // It waits 600 steps unseen, then shows again.
    StepField(599);
    EXPECT_EQ(Of().Queue().front().wait, 1);
    StepField(1);
    EXPECT_EQ(Of().Queue().front().wait, 0);
    StepField(1);
    EXPECT_EQ(Of().Queue().front().wait, -1);
    EXPECT_EQ(Of().ShownLine(), kRepeatLine);
}

TEST_F(Balloon, MeterGroupsSpeakOnlyInTheirConditionAndBuffGroupsOnlyWithTheirBuff)
{
    Of().ShowMessage(0, -1);
    Of().ShowMessage(1, -1);
    Of().ShowMessage(2, -1);
    Of().ShowMessage(kRepeatGroup, -1);
    Of().ShowMessage(kDebuffGroup, -1);
    Of().ShowMessageNow(2);
    EXPECT_TRUE(Of().Queue().empty());

    member_->status.calorie = 0;
    member_->status.UpdateConditionFlags();
    Of().ShowMessage(0, -1);
    member_->status.AddDebuff(kDebuff);
    EXPECT_EQ(Of().Queue().size(), 2u);

    // A line shown at once goes to the front, in place of its group's queued ones, and shows.
    Of().ShowMessage(kRoomGroup, -1);
    Of().ShowMessageNow(kRoomGroup);
    ASSERT_EQ(Of().Queue().size(), 3u);
    EXPECT_EQ(Of().Queue().front().group, kRoomGroup);
    EXPECT_EQ(Of().ShownLine(), kRoomLine);

    // Removing the line on show shows the next one rather than dropping it unseen later.
    StepField(20);
    Of().RemoveQueuedGroup(kRoomGroup);
    EXPECT_EQ(Of().ShownLine(), kStarvingLine);
}

}  // namespace
