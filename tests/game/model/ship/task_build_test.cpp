// A room built from its materials: the build order and its carries, work only after delivery, the finished notice, a build whose materials nobody can reach or another build took, the way to the site taken down under a carrier, one saved while its materials were carried, a site given up under hungry builders, quarters demolished under a tired crew member, and a member building quarters keeping its home.
#include <gtest/gtest.h>

#include <string>

#include "framework/text/format_text.h"
#include "game/services/data/id_tags.h"
#include "game/services/data/static_lookups.h"
#include "game/model/stores/stored_items.h"
#include "game/services/data/item_data.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_item.h"
#include "game/services/text/message_text.h"
#include "game/model/world/game_world.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/task_manager.h"
#include "game/model/ship/task_request.h"
#include "game/ui/message_log.h"
#include "tests/support/shipped_ids.h"
#include "tests/support/task_world.h"
#include "game/ui/ui_manager.h"

namespace {

using namespace support::shipped;

class TaskBuildTest : public support::TaskWorld {
protected:
    // A storeroom holding the materials of a room of the kind.
    GAME_CRoomBase& StockedStoreroom(std::int32_t x, std::int32_t y, std::uint32_t roomId = kInfirmary)
    {
        GAME_CRoomBase& storeroom = Place(kStoreroom, x, y);
        for (const ItemCount& material : FindRoomData(roomId)->materials) {
            if (IsUnusedItemCount(material)) break;
            Stock(storeroom, material.itemId, material.count);
        }
        return storeroom;
    }

    // Two builders, and an infirmary placed for building at the cell with its build task.
    GAME_CTaskBase* OrderBuild(std::int32_t x = 8, std::int32_t y = 0)
    {
        AddCrew(3, 0);
        AddCrew(4, 0);
        site = Ship().PlaceNewRoom(x, y, FindRoomIdIndex(kInfirmary), kInfirmary, true);
        EXPECT_NE(site, nullptr);
        const std::vector<GAME_CTaskBase*> builds = TasksOfKind(kTaskRoomBuild);
        EXPECT_EQ(builds.size(), 1u);
        return builds.empty() ? nullptr : builds[0];
    }

    // The carries stand in the list with no crew, and no crew member works one.
    void ExpectCarriesWaitingWithCrewFree(std::size_t count)
    {
        const std::vector<GAME_CTaskBase*> carries = TasksOfKind(kTaskCarrierFromInventory);
        EXPECT_EQ(carries.size(), count);
        for (const GAME_CTaskBase* carry : carries) EXPECT_TRUE(carry->crew.empty()) << TagText(carry->GetReservedItemId());
        for (const GAME_CObjectActor* actor : Field().crew) {
            EXPECT_TRUE(actor->task == nullptr || actor->task->GetKind() != kTaskCarrierFromInventory);
        }
    }

    GAME_CRoomBase* site = nullptr;
};

TEST_F(TaskBuildTest, APlacedRoomIsBuiltOnceItsMaterialsAreDeliveredAndTheLogSaysSo)
{
    StockedStoreroom(0, 0);
    GAME_CTaskBase* build = OrderBuild();
    ASSERT_NE(build, nullptr);
    const std::vector<GAME_CTaskBase*> carries = TasksOfKind(kTaskCarrierFromInventory);
    ASSERT_EQ(carries.size(), 2u);
    for (const GAME_CTaskBase* carry : carries) EXPECT_EQ(carry->GetParentTask(), build);

    // No work before every unit is in.
    ASSERT_TRUE(StepSimulationUntil([&] { return build->progress > 0; }, 10000));
    EXPECT_EQ(build->CountMaterial(MakeTag("I002")), 3);
    EXPECT_EQ(build->CountMaterial(MakeTag("I003")), 3);
    EXPECT_TRUE(site->underConstruction);
    EXPECT_EQ(build->crew.size(), 2u);

    ASSERT_TRUE(StepSimulationUntil([&] { return !site->underConstruction; }, 4000));
    const GAME_CUIMessageLog* log = UIManagerOf(&World())->MessageLog();
    ASSERT_GT(log->CountLines(), 0);
    const GAME_CUIMessageLog::Line& line = log->GetLine(log->CountLines() - 1);
    EXPECT_EQ(line.kind, 3);
    const std::u16string expected = vesk::text::FormatText(GetMessageTextExpanded("OLIF_ROOM_BUILD_FINISHED"),
                                                           {GetMessageTextExpanded("ID05")});
    EXPECT_EQ(std::u16string(line.text.c_str()), expected);
    EXPECT_EQ(CountStoredItem(MakeTag("I002")), 0);
}

TEST_F(TaskBuildTest, ABuildWhoseMaterialsLieOnARowNoRoomJoinsWaitsWithItsCrewFreeUntilLaddersLeadThere)
{
    StockedStoreroom(0, 2);
    GAME_CTaskBase* build = OrderBuild();
    ASSERT_NE(build, nullptr);
    StepSimulation(3000);
    EXPECT_EQ(build->progress, 0);
    EXPECT_TRUE(build->materials.empty());
    EXPECT_TRUE(site->underConstruction);
    // The carries wait unmanned: nobody stands in the site holding one for good.
    ExpectCarriesWaitingWithCrewFree(2);

    Place(kLadder, 5, 0);
    Place(kLadder, 6, 1);
    EXPECT_TRUE(StepSimulationUntil([&] { return !site->underConstruction; }, 20000));
}

TEST_F(TaskBuildTest, ASecondBuildWhoseMaterialsTheFirstTookWaitsWithItsCarriersFreeUntilTheStoreIsRefilled)
{
    GAME_CRoomBase& storeroom = StockedStoreroom(0, 0);
    AddCrew(3, 0);
    AddCrew(4, 0);
    AddCrew(5, 0);
    AddCrew(6, 0);
    GAME_CRoomBase* first = Ship().PlaceNewRoom(2, 0, FindRoomIdIndex(kInfirmary), kInfirmary, true);
    GAME_CRoomBase* second = Ship().PlaceNewRoom(7, 0, FindRoomIdIndex(kInfirmary), kInfirmary, true);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    // The store holds one room's materials, and the carries of both set out for them.
    StepSimulation(1);
    EXPECT_EQ(TasksOfKind(kTaskCarrierFromInventory).size(), 4u);
    ASSERT_TRUE(StepSimulationUntil([&] { return !first->underConstruction || !second->underConstruction; }, 10000));
    GAME_CRoomBase* waiting = first->underConstruction ? first : second;
    ExpectCarriesWaitingWithCrewFree(2);

    for (const ItemCount& material : FindRoomData(kInfirmary)->materials) {
        if (IsUnusedItemCount(material)) break;
        Stock(storeroom, material.itemId, material.count);
    }
    EXPECT_TRUE(StepSimulationUntil([&] { return !waiting->underConstruction; }, 20000));
}

TEST_F(TaskBuildTest, MaterialsInHandsWhenTheLadderToTheSiteIsTakenDownStayWhereTheCarrierStands)
{
    StockedStoreroom(0, 0);
    GAME_CRoomBase& ladder = Place(kLadder, 5, 0);
    const GAME_CTaskBase* build = OrderBuild(8, 1);
    ASSERT_NE(build, nullptr);
    // A carrier with its load still on the store's row.
    const GAME_CTaskBase* stranded = nullptr;
    ASSERT_TRUE(StepSimulationUntil(
        [&] {
            for (const GAME_CTaskBase* carry : TasksOfKind(kTaskCarrierFromInventory)) {
                const GAME_CObjectActor* carrier = carry->LeadingCrew();
                if (carry->GetTargetIndex().load != nullptr && carrier != nullptr && carrier->cellY == 0) stranded = carry;
            }
            return stranded != nullptr;
        },
        5000));
    const std::uint32_t material = stranded->GetReservedItemId();
    const std::int32_t held = stranded->GetTargetIndex().load->count;

    // Nothing leads to the site now: the carrier lets go, and what it held lies on its row
    // instead of reaching the site in the hands of whoever is sent next.
    Ship().RemoveRoom(NumberOf(ladder));
    StepSimulation(600);
    EXPECT_EQ(build->CountMaterial(material), 0) << TagText(material);
    EXPECT_GE(CountStoredItem(material) + CountFieldItem(material), held);

    Place(kLadder, 5, 0);
    EXPECT_TRUE(StepSimulationUntil([&] { return !site->underConstruction; }, 20000));
}

TEST_F(TaskBuildTest, MaterialsInTheCarriersHandsWhenTheGameIsSavedArePutDownBesideThemAndStillBuildTheRoom)
{
    StockedStoreroom(0, 0);
    ASSERT_NE(OrderBuild(), nullptr);
    ASSERT_TRUE(StepSimulationUntil([&] { return CarriedUnits() == 6; }, 5000));
    const std::int32_t siteNumber = NumberOf(*site);

    SaveAndLoad();

    // The loaded carries have no parent to deliver to: their loads go down where the carriers
    // stand, on the row of the site, and are carried again.
    StepSimulation(1);
    EXPECT_EQ(CarriedUnits(), 0);
    for (const GAME_CObjectItem* item : Field().items) {
        if (item == nullptr || item->dead != 0) continue;
        EXPECT_EQ(item->GetCellRow(), 0) << TagText(item->itemId);
    }
    EXPECT_EQ(CountFieldItem(kTimber), 3);
    EXPECT_EQ(CountFieldItem(kCloth), 3);
    const GAME_CRoomBase* rebuilt = Ship().GetRoom(siteNumber);
    ASSERT_NE(rebuilt, nullptr);
    ASSERT_TRUE(rebuilt->underConstruction);
    EXPECT_TRUE(StepSimulationUntil([&] { return !rebuilt->underConstruction; }, 20000));
}

TEST_F(TaskBuildTest, ASiteGivenUpUnderHungryBuildersSendsThemToEatWhileItsTasksGo)
{
    GAME_CRoomBase& storeroom = StockedStoreroom(0, 0);
    Stock(storeroom, kGrain, 2);
    GAME_CTaskBase* build = OrderBuild();
    ASSERT_NE(build, nullptr);
    ASSERT_TRUE(StepSimulationUntil([&] { return build->progress > 0; }, 10000));
    for (GAME_CObjectActor* builder : build->crew) {
        builder->status.calorie = 0;
        builder->status.UpdateConditionFlags();
    }
    // Another task stands behind the build, and the list has no room to spare: the meals the
    // released builders order make it grow while the site's tasks are being removed.
    ASSERT_NE(GAME_CTaskBase::CreateFromRequest(MakeMealOnGridRequest()), nullptr);
    Tasks().tasks.shrink_to_fit();

    site->removeRequested = true;
    StepSimulation(1);
    EXPECT_EQ(Ship().GetRoomIndex(site), -1);
    EXPECT_TRUE(TasksOfKind(kTaskRoomBuild).empty());
    EXPECT_EQ(TasksOfKind(kTaskMeal).size(), 2u);
}

// Quarters demolished while a tired crew member rests in them: released, it looks for a bed at
// once, and must not take one in the quarters going away (each such break was removed with them
// and ordered anew, without end). It rests elsewhere once it can.
TEST_F(TaskBuildTest, QuartersDemolishedUnderATiredCrewMemberAreRemovedAndItRestsElsewhere)
{
    GAME_CRoomBase& quarters = Place(kHome, 2, 0);
    GAME_CRoomBase& other = Place(kHome, 8, 0);
    GAME_CObjectActor& sleeper = AddCrew(1, 0);
    sleeper.status.stamina = 0;
    sleeper.status.UpdateConditionFlags();
    ASSERT_TRUE(StepSimulationUntil([&] { return sleeper.assigned != 0 && quarters.CountCrew() == 1; }, 5000));

    quarters.removeRequested = true;
    StepSimulation(1);
    EXPECT_EQ(Ship().GetRoomIndex(&quarters), -1);
    for (const GAME_CTaskBase* rest : TasksOfKind(kTaskBreak)) EXPECT_EQ(rest->GetRoom(), &other);
    EXPECT_TRUE(StepSimulationUntil([&] { return other.CountCrew() == 1; }, 5000));
}

// A member living in its quarters builds new quarters: it works there and keeps its home. It was
// given the site as its home, so the new quarters' own residents and the old quarters both counted
// it, and a save lodged it in the new quarters, out of its own.
TEST_F(TaskBuildTest, AMemberWhoBuildsNewQuartersKeepsItsHomeThroughTheBuildAndALoad)
{
    StockedStoreroom(0, 0, kHome);
    GAME_CRoomBase& home = Place(kHome, 2, 0);
    GAME_CObjectActor& builder = AddCrew(3, 0);
    home.AssignCrew(&builder);
    site = Ship().PlaceNewRoom(8, 0, FindRoomIdIndex(kHome), kHome, true);
    ASSERT_NE(site, nullptr);
    ASSERT_TRUE(StepSimulationUntil([&] { return site->IsAssigned(&builder); }, 20000));
    EXPECT_EQ(builder.homeLink.room, &home);
    ASSERT_TRUE(StepSimulationUntil([&] { return !site->underConstruction; }, 20000));
    EXPECT_EQ(builder.homeLink.room, &home);
    EXPECT_TRUE(home.IsPresent(&builder));
    const std::int32_t homeNumber = NumberOf(home);
    const std::int32_t newNumber = NumberOf(*site);

    SaveAndLoad();
    ASSERT_EQ(Field().crew.size(), 1u);
    const GAME_CObjectActor* loaded = Field().crew[0];
    EXPECT_EQ(loaded->homeLink.roomNumber, homeNumber);
    EXPECT_TRUE(Ship().GetRoom(homeNumber)->IsPresent(loaded));
    EXPECT_EQ(Ship().GetRoom(newNumber)->CountCrew(), 0);
}

}  // namespace
