// The ship change: the abandoned hull on the ruins road taken behind the black, phase by phase, and a tag without a ship.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "framework/process/canvas.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/task_request.h"
#include "game/model/ship/task_manager.h"
#include "game/model/travel/route_manager.h"
#include "game/model/travel/travel_controller.h"
#include "game/model/world/game_world.h"
#include "game/services/data/id_tags.h"
#include "game/services/data/tag.h"
#include "game/services/player/inventory.h"
#include "game/services/player/player_data.h"
#include "game/services/input/input_actions.h"
#include "game/ui/event_selection.h"
#include "game/ui/screens/ui_ship_change.h"
#include "tests/game/ui/ui_test_base.h"
#include "tests/support/idle_task.h"
#include "tests/support/log_capture.h"

namespace {

constexpr std::uint32_t kRuinsRoad = 5;
constexpr std::int32_t kAbandonedHull = 2500;

class ShipChangeTest : public support::UITest {
protected:
    GAME_CUIShipChange& Change() const { return *UI().Get<GAME_CUIShipChange>(); }

    int CountEffect(std::uint32_t id) const
    {
        const auto& effects = frames.back().soundEffects;
        return static_cast<int>(std::count(effects.begin(), effects.end(), id));
    }

    // Units of the item in the player's inventories and lying on the grid.
    std::int64_t CountOnBoard(std::uint32_t itemId) const
    {
        std::int64_t count = 0;
        const GAME_CPlayerData* player = GetPlayerData();
        for (std::size_t i = 0; player != nullptr && i < player->InventoryCount(); ++i) {
            if (const GAME_CInventory* inventory = player->GetInventoryAt(static_cast<std::int64_t>(i))) count += inventory->CountItem(itemId);
        }
        for (const GAME_CObjectItem* item : world->fieldObjects->items) {
            if (item != nullptr && item->dead == 0 && item->itemId == itemId) count += item->count;
        }
        return count;
    }
};

TEST_F(ShipChangeTest, TheAbandonedHullOnTheRuinsRoadIsTakenBehindTheBlackPhaseByPhase)
{
    GAME_CShip& ship = *world->ship;
    ASSERT_EQ(ship.shipTag, MakeTag("SHP2"));
    std::vector<GAME_CObjectActor*> crew;
    for (int i = 0; i < 3; ++i) crew.push_back(AddCrewMember());
    ASSERT_TRUE(std::none_of(crew.begin(), crew.end(), [](const GAME_CObjectActor* member) { return member == nullptr; }));
    // Stock lying on the grid goes along with the stores.
    std::int32_t x = 0;
    std::int32_t y = 0;
    ASSERT_TRUE(ship.GetLowestFloorCell(&x, &y));
    ASSERT_TRUE(world->fieldObjects->DropItemOnCell(MakeTag("I005"), 3, x, y));
    const std::int64_t gears = CountOnBoard(MakeTag("I005"));
    world->tasks->tasks.push_back(new support::IdleTask(7));
    // The engine room's upkeep under way: a task the room holds, whose gauge the hull draws.
    GAME_CRoomBase* engine = ship.PlaceRoom(6, 2, FindRoomIdIndex(MakeTag("ID23")));
    ASSERT_NE(engine, nullptr);
    GAME_CTaskBase* upkeep =
        GAME_CTaskBase::CreateFromRequest(MakeEngineMaintenanceRequest(ship.GetRoomIndex(engine), 0));
    ASSERT_NE(upkeep, nullptr);
    upkeep->progress = 1;
    world->tasks->AddTask(upkeep);
    ASSERT_EQ(engine->boundTasks, std::vector<GAME_CTaskBase*>{upkeep});

    // The ruins road's abandoned hull: a choice while the ship is on its first hull; yes starts the change.
    const std::uint32_t road = kRuinsRoad;
    StartRoute(*world->travel, &road, true, {}, {});
    GAME_CRouteManager& route = *world->travel->routeManager;
    route.SetPosition(kAbandonedHull - 5);
    route.Move(10.0f);
    GAME_CUIEventSelectionObject& choices = *GetEventSelection();
    ASSERT_TRUE(StepConfirmingEventsUntil([&] { return choices.State() == 2; }, 600));
    EXPECT_EQ(choices.Cursor(), 0u);
    KeepCanvasPicture("ship-change-choice");
    PressAction(kActionDecide);
    ASSERT_TRUE(StepConfirmingEventsUntil([&] { return UI().IsOpen(kSlotShipChange); }, 600));
    EXPECT_EQ(Change().targetShipTag, MakeTag("SHP3"));
    // Screens that work on the old ship are open as it starts.
    UI().SetOpen(kSlotBuild, true);
    UI().SetOpen(kSlotCurrentQuest, true);

    // Fade-out: 60 frames to black; every task is dropped, one made meanwhile as well.
    int frame = 0;
    const auto step = [&] {
        StepFrames(1);
        ++frame;
    };
    step();
    EXPECT_TRUE(world->tasks->tasks.empty());
    // No room keeps a task that has gone: the hull is drawn through the fade, gauges and all.
    EXPECT_TRUE(engine->boundTasks.empty());
    EXPECT_EQ(world->held, 0u);
    while (Change().State() == GAME_CUIShipChange::kOpening && frame < 200) {
        if (frame == 30) {
            world->tasks->tasks.push_back(new support::IdleTask(7));
            KeepCanvasPicture("ship-change-fade-out");
        }
        step();
    }
    EXPECT_EQ(frame, 61);  // the sequence runs from the 61st frame
    EXPECT_TRUE(world->tasks->tasks.empty());
    EXPECT_FALSE(UI().IsOpen(kSlotBuild));
    EXPECT_FALSE(UI().IsOpen(kSlotCurrentQuest));

    // The crew jump off on the sequence's 1st, 9th and 17th frames; the storm follows on the 26th.
    std::vector<int> leaves;
    int sequenceFrame = 1;
    std::size_t gone = 1;
    EXPECT_EQ(crew[0]->actionMode, GAME_CObjectActor::kActionThrownLeft);
    while (Change().CurrentStep() == GAME_CUIShipChange::kCrewLeave && sequenceFrame < 100) {
        step();
        ++sequenceFrame;
        const auto thrown = static_cast<std::size_t>(std::count_if(crew.begin(), crew.end(), [](const GAME_CObjectActor* member) {
            return member->actionMode == GAME_CObjectActor::kActionThrownLeft;
        }));
        if (thrown > gone) leaves.push_back(sequenceFrame);
        gone = thrown;
    }
    EXPECT_EQ(leaves, (std::vector<int>{9, 17}));
    EXPECT_EQ(sequenceFrame, 26);

    // The storm: 240 frames, a wave of pillars every fourth frame of its first 120, each with its burst.
    int bursts = CountEffect(27);
    while (Change().CurrentStep() == GAME_CUIShipChange::kSandStorm && frame < 1000) {
        EXPECT_NE(ship.body->sinking, 0u);
        step();
        bursts += Change().CurrentStep() == GAME_CUIShipChange::kSandStorm ? CountEffect(27) : 0;
    }
    EXPECT_EQ(bursts, 29);
    EXPECT_EQ(frame, 61 + 25 + 240);

    // The swap: the larger hull stands 400 units off to the left and drives in for 200 frames.
    ASSERT_EQ(Change().CurrentStep(), GAME_CUIShipChange::kSwap);
    EXPECT_EQ(ship.shipTag, MakeTag("SHP3"));
    step();
    EXPECT_EQ(Change().CurrentStep(), GAME_CUIShipChange::kDriveIn);
    EXPECT_FLOAT_EQ(ship.body->drawOffsetX, -398.0f);
    EXPECT_EQ(ship.body->sinking, 0u);
    for (const GAME_CObjectActor* member : crew) EXPECT_EQ(member->actionMode, GAME_CObjectActor::kActionNormal);
    while (Change().State() == GAME_CUIShipChange::kMain && frame < 1000) {
        step();
        if (frame == 61 + 25 + 240 + 1 + 100) KeepCanvasPicture("ship-change-drive-in");
    }
    EXPECT_EQ(frame, 61 + 25 + 240 + 1 + 200);
    EXPECT_FLOAT_EQ(ship.body->drawOffsetX, 0.0f);

    // The fade-in: the script waits on until the screen has closed, after 586 frames in all.
    while (UI().IsOpen(kSlotShipChange) && frame < 1000) {
        EXPECT_TRUE(route.IsRouteEventRunning());
        step();
        if (frame == 557) KeepCanvasPicture("ship-change-fade-in");
    }
    KeepCanvasPicture("ship-change-after");
    EXPECT_EQ(frame, 587);
    EXPECT_FALSE(route.IsRouteEventRunning());
    EXPECT_EQ(world->held, 0u);

    // Behind it: the larger hull at rest and wholly in view, no tasks, the crew on its floor and the
    // old stock in the cargo hold.
    EXPECT_EQ(ship.shipTag, MakeTag("SHP3"));
    EXPECT_FLOAT_EQ(ship.body->drawOffsetY, 0.0f);
    EXPECT_EQ(ship.scrollY, 0);
    float left = 0.0f, top = 0.0f, right = 0.0f, bottom = 0.0f;
    ship.GetGridScreenMin(&left, &top);
    ship.GetGridScreenMax(&right, &bottom);
    EXPECT_GE(left, 0.0f);
    EXPECT_GE(top, 0.0f);
    EXPECT_LE(right, vesk::process::kCanvasWidth);
    EXPECT_LE(bottom, vesk::process::kCanvasHeight);
    EXPECT_TRUE(world->tasks->tasks.empty());
    EXPECT_GE(CountOnBoard(MakeTag("I005")), gears);
    const GAME_CPlayerData* player = GetPlayerData();
    ASSERT_NE(player, nullptr);
    ASSERT_GE(player->InventoryCount(), 1u);
    for (std::size_t i = 0; i < player->InventoryCount(); ++i) {
        const GAME_CInventory* inventory = player->GetInventoryAt(static_cast<std::int64_t>(i));
        ASSERT_NE(inventory->room, nullptr);
        EXPECT_EQ(inventory->room->GetRoomId(), MakeTag("ID90"));
    }
    EXPECT_TRUE(std::none_of(world->fieldObjects->items.begin(), world->fieldObjects->items.end(),
                             [](const GAME_CObjectItem* item) { return item != nullptr && item->dead == 0; }));
    for (const GAME_CObjectActor* member : crew) EXPECT_EQ(member->actionMode, GAME_CObjectActor::kActionNormal);
}

TEST_F(ShipChangeTest, ATagWithoutAShipDrivesTheOldHullBackInStillAndSaysSo)
{
    GAME_CShip& ship = *world->ship;
    GAME_CObjectActor* member = AddCrewMember();
    ASSERT_NE(member, nullptr);
    const float standX = member->position.x;
    support::LogCapture log;
    UI().OpenShipChange(MakeTag("SHPX"));
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotShipChange); }, 700));
    EXPECT_EQ(ship.shipTag, MakeTag("SHP2"));
    EXPECT_EQ(ship.body->sinking, 0u);
    EXPECT_FLOAT_EQ(ship.body->drawOffsetX, 0.0f);
    EXPECT_TRUE(log.Contains("SHPX"));
    // The member who jumped off is back aboard where the crew stand.
    EXPECT_EQ(member->actionMode, GAME_CObjectActor::kActionNormal);
    EXPECT_NEAR(member->position.x, standX, 400.0f);
    EXPECT_GT(member->position.y, 0.0f);
}

}  // namespace
