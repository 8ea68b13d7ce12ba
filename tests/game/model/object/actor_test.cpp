// Crew members: death, grid cells, tasks and room links, and the balloons they choose.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "game/model/world/game_world.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_item.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/task_base.h"
#include "game/model/ship/task_manager.h"
#include "tests/support/crew_world.h"
#include "game/ui/ui_manager.h"

namespace {

using namespace support;

class CrewMember : public CrewWorld {
protected:
    bool IsListed(const GAME_CObjectActor& member) const
    {
        return std::find(Field().crew.begin(), Field().crew.end(), &member) != Field().crew.end();
    }
};

TEST_F(CrewMember, AtEmptyHPItPostsOneDeathNoticeLeavesRoomAndTaskPlaysItsDeathAndReturnsToThePool)
{
    GAME_CRoomBase& kitchen = Place(kKitchen, 0, 0);
    GAME_CObjectActor& cook = AddCrew(0, 2);
    kitchen.AssignCrew(&cook);
    ASSERT_EQ(cook.workLink.room, &kitchen);
    GAME_CTaskBase* task = GAME_CTaskBase::CreateFromRequest(MakeCookingRequest(0));
    ASSERT_NE(task, nullptr);
    cook.SetTask(task, false);
    task->crew.push_back(&cook);

    cook.status.hp = 999;  // one whole unit: alive
    StepField(1);
    EXPECT_FALSE(cook.IsDying());
    EXPECT_TRUE(LogMessages().empty());

    cook.status.hp = 0;
    StepField(1);
    ASSERT_EQ(LogMessages().size(), 1u);
    EXPECT_EQ(LogMessages()[0], u"OLIF_ACTOR_DIE");
    EXPECT_EQ(UIManagerOf(&World())->MessageLog()->GetLine(0).kind, 2);
    EXPECT_EQ(cook.workLink.room, nullptr);
    EXPECT_FALSE(kitchen.IsPresent(&cook));
    EXPECT_EQ(cook.task, nullptr);
    EXPECT_TRUE(task->crew.empty());
    EXPECT_TRUE(cook.IsInDeathLabel());

    // The death plays once, to its end; in that step the crew member is gone.
    int steps = 1;
    while (IsListed(cook) && steps < 100) {
        StepField(1);
        ++steps;
    }
    EXPECT_EQ(steps, kDeathFrames + 1);
    EXPECT_EQ(LogMessages().size(), 1u);
    EXPECT_EQ(Field().AcquireActorObject(), &cook);
}

// Saved in the middle of its death, a crew member comes back from the save dying: it plays its
// death to the end and is gone, without a second notice, and a stack it carried is left lying.
TEST_F(CrewMember, SavedWhileDyingItFinishesItsDeathAfterTheLoadWithoutASecondNotice)
{
    GAME_CObjectActor& porter = AddCrew(2, 1);
    AddCrew(6, 1);
    ASSERT_TRUE(Field().DropItemOnCell(kMaterial, 2, 1, 2));
    GAME_CObjectItem* load = Field().items.back();
    load->SetCarrier(&porter);
    porter.SetCarriedItem(load);
    porter.status.hp = 0;
    StepField(10);
    ASSERT_TRUE(porter.IsDying());
    ASSERT_EQ(LogMessages().size(), 1u);

    std::vector<std::uint8_t> saved = EmptySlot();
    Field().SaveToSlot(saved);
    Field().LoadFromSlot(saved);
    ASSERT_EQ(Field().crew.size(), 2u);
    GAME_CObjectActor& back = *Field().crew[0];
    EXPECT_TRUE(back.IsDying());
    ASSERT_EQ(Field().items.size(), 1u);
    EXPECT_EQ(Field().items[0]->carrier, nullptr);
    EXPECT_EQ(back.carriedItem, nullptr);
    int steps = 0;
    while (IsListed(back) && steps < 100) {
        StepField(1);
        ++steps;
    }
    EXPECT_EQ(steps, kDeathFrames + 1);
    EXPECT_EQ(LogMessages().size(), 1u);
    EXPECT_EQ(Field().crew.size(), 1u);
}

TEST_F(CrewMember, GridCellsTasksAndRoomLinksFollowTheirRules)
{
    GAME_CObjectActor& member = AddCrew(2, 1);
    EXPECT_EQ(member.GetGridColumn(), 2);
    EXPECT_EQ(member.GetGridRow(), 1);
    member.position = {-5.0f, 10.0f};
    EXPECT_EQ(member.GetGridColumn(), -1);
    member.position = {10.0f, -5.0f};
    EXPECT_EQ(member.GetGridRow(), 65535);
    member.position = {1000.0f, 1000.0f};
    EXPECT_EQ(member.GetGridColumn(), 19);
    EXPECT_EQ(member.GetGridRow(), 13);

    // Giving the current task again changes nothing: the AI does not choose anew.
    GAME_CRoomBase& kitchen = Place(kKitchen, 0, 0);
    GAME_CTaskBase* task = GAME_CTaskBase::CreateFromRequest(MakeCookingRequest(0));
    member.SetTask(task, false);
    member.ai->thinkCountdown = 5;
    member.SetTask(task, true);
    EXPECT_EQ(member.ai->thinkCountdown, 5);
    member.SetTask(nullptr, false);
    EXPECT_EQ(member.ai->thinkCountdown, 0);

    GAME_CRoomBase& home = Place(kHome, 3, 0);
    member.SetRoomLink(0, false);
    member.SetRoomLink(1, true);
    EXPECT_EQ(member.workLink.room, &kitchen);
    EXPECT_EQ(member.homeLink.room, &home);
    member.SetRoomLink(-1, false);
    EXPECT_EQ(member.workLink.room, nullptr);
    EXPECT_EQ(member.homeLink.room, &home);
    member.SetRoomLink(-2, true);
    EXPECT_EQ(member.homeLink.roomNumber, -2);
    EXPECT_EQ(member.homeLink.room, nullptr);
}

TEST_F(CrewMember, StarvingAndExhaustedItCriesOutAtOnceInPlaceOfTheMildLines)
{
    GAME_CObjectActor& member = AddCrew(0, 2);
    StepField(1);  // the first balloon check, with nothing to say
    member.status.calorie = 0;
    member.status.UpdateConditionFlags();
    member.balloon->ShowMessage(0, -1);
    member.status.stamina = 0;
    member.status.flags |= GAME_CActorStatus::kFlagExhausted;
    member.balloon->ShowMessage(1, -1);
    ASSERT_EQ(member.balloon->Queue().size(), 2u);
    member.balloonCountdown = 0;
    StepField(1);
    ASSERT_EQ(member.balloon->Queue().size(), 1u);
    EXPECT_EQ(member.balloon->Queue().front().lineId, kCriticalLine);
    EXPECT_EQ(member.balloon->ShownLine(), kCriticalLine);
}

}  // namespace
