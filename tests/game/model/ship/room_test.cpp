// Rooms at work: the label their state picks, crew in crew homes and the births there, and the commands their scripts run.
#include <gtest/gtest.h>

#include <cstring>

#include "framework/memory/heaps.h"
#include "framework/utility/script_package/script_package.h"
#include "game/services/data/static_database.h"
#include "game/model/world/game_world.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/task_base.h"
#include "game/ui/screens/ui_actor_birth.h"
#include "tests/support/script_assembly.h"
#include "tests/support/ship_world.h"
#include "game/ui/ui_manager.h"

namespace {

using namespace support;

class Rooms : public ShipWorld {};

TEST_F(Rooms, ARoomPicksItsLabelFromItsWork)
{
    GAME_CRoomBase& kitchen = Place(kKitchen, 0, 0);
    EXPECT_TRUE(kitchen.IsInLabel(room_label::kNoTask));
    // The first update after the set-up chooses at once; the next choice comes 120 to 151 steps on.
    StepShip(1);

    GAME_CTaskRequest cooking;
    cooking.taskId = MakeTag("TCKG");
    cooking.kind = kTaskCooking;
    cooking.roomIndex = 0;
    GAME_CTaskBase* task = GAME_CTaskBase::CreateFromRequest(cooking);
    ASSERT_NE(task, nullptr);
    task->progress = 10;
    // Two crew assigned, but the script has no two-crew label: the one-crew label runs.
    kitchen.assignedCrew = {&AddCrew(0, 0), &AddCrew(1, 0)};
    StepShip(119);
    EXPECT_TRUE(kitchen.IsInLabel(room_label::kNoTask));
    StepShip(32);
    EXPECT_TRUE(kitchen.IsInLabel(room_label::kTask));
    EXPECT_TRUE(kitchen.IsInWorkLabel());
}

TEST_F(Rooms, BirthsComeWhenTheCounterReachesItsLimitComputedWide)
{
    GAME_CRoomBase& home = Place(kHome, 0, 0);
    GAME_CObjectActor& first = AddCrew(0, 0);
    GAME_CObjectActor& second = AddCrew(0, 0);
    first.status.name = u"あい";
    second.status.name = u"うえ";
    ASSERT_TRUE(home.TryAddCrew(&first));
    ASSERT_TRUE(home.TryAddCrew(&second));
    DatabaseLimits& limits = GetStaticDatabase()->Limits();
    limits.second = 10;
    limits.third = 10;  // every due draw gives a child

    // 2,200,000 x 1000 does not fit 32 bits; the limit is that product, not a negative one.
    limits.first = 2200000;
    StepShip(50);
    EXPECT_EQ(World().fieldObjects->crew.size(), 2u);
    EXPECT_EQ(first.parentToBe, 1u);

    limits.first = 3;  // a child every third step
    home.birthCounter = 0;
    StepShip(2);
    EXPECT_EQ(World().fieldObjects->crew.size(), 2u);
    StepShip(1);
    ASSERT_EQ(World().fieldObjects->crew.size(), 3u);
    auto* screen = UIManagerOf(&World())->Get<GAME_CUIActorBirth>();
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(screen->IsOpen());
    EXPECT_EQ(screen->parents[0], &first);
    EXPECT_EQ(screen->child, World().fieldObjects->crew.back());
    // The home holds three: the ship is full and no more are born.
    StepShip(30);
    EXPECT_EQ(World().fieldObjects->crew.size(), 3u);
}

// A room whose script runs the commands of a test label.
class RoomCommands : public Rooms {
protected:
    void Run(std::string_view body)
    {
        const std::string source = ".entry 1\n\"start\":\n" + std::string(body) + "    halt\n";
        const std::vector<std::uint8_t> bytes = AssemblePackage(source, {"room.def"});
        void* image = vesk::memory::MainHeapAlloc(bytes.size());
        std::memcpy(image, bytes.data(), bytes.size());
        ASSERT_EQ(package_.ParseScriptPackage(image, bytes.size(), "test.pac"), 1);
        room_.Script().Attach(package_.FindProgram(1));
        ASSERT_EQ(room_.Script().JumpToLabel(u"start"), 1u);
    }
    void Tick(int count)
    {
        for (int i = 0; i < count; ++i) room_.Script().TickScript();
    }

    GAME_CRoomBase room_;
    vesk::utility::script_package::UTL_CManager package_;
};

TEST_F(RoomCommands, TimedCommandsWithNoFramesFinishAtOnce)
{
    Run("    display 0 1000 0 1000\n"
        "    display.add 500 0 0 0 0\n"
        "    offset.move 0 0 4000 -2000 0\n"
        "    offset.x_random 700 700\n"
        "    sprite 7\n"
        "    flag.tile 1\n");
    Tick(1);
    EXPECT_FLOAT_EQ(room_.offsetX, 0.5f);  // the deltas once, on the only frame
    EXPECT_FLOAT_EQ(room_.offset2Y, 0.0f);
    Tick(1);
    EXPECT_FLOAT_EQ(room_.offsetX, 0.5f);
    EXPECT_FLOAT_EQ(room_.offset2X, 0.7f);  // equal bounds give the bound
    EXPECT_FLOAT_EQ(room_.offset2Y, -2.0f);
    EXPECT_EQ(room_.spriteId, 7);
    EXPECT_TRUE(room_.scriptFlagA);
}

TEST_F(RoomCommands, TimedCommandsRunOverTheirFrames)
{
    Run("    display.add 1000 0 0 0 2\n"
        "    offset.y_move 0 3000 3\n"
        "    remove\n");
    Tick(3);
    EXPECT_FLOAT_EQ(room_.offsetX, 3.0f);
    EXPECT_FALSE(room_.removeRequested);
    Tick(1);
    EXPECT_FLOAT_EQ(room_.offset2Y, 0.0f);
    Tick(2);
    EXPECT_FLOAT_EQ(room_.offset2Y, 2.0f);
    Tick(1);
    EXPECT_FLOAT_EQ(room_.offset2Y, 3.0f);
    EXPECT_TRUE(room_.removeRequested);
}

TEST_F(RoomCommands, WithoutEnemiesATurretFindsNoTarget)
{
    Run("    target 1\n"
        "    jump_if all found\n"
        "    flag.broken 1\n"
        "    halt\n"
        "found:\n"
        "    fire 1000 63\n");
    Tick(1);
    EXPECT_EQ(room_.target, nullptr);
    EXPECT_TRUE(room_.broken);
}

}  // namespace
