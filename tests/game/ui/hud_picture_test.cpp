// The HUD over the ship with a room highlighted, and the message log with a dozen lines of every kind.
// With VARNOLIS_HUD_PICTURE=<file> and VARNOLIS_LOG_PICTURE=<file> the tests also write the canvas as
// PPM pictures to look at.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "framework/app/framework_manager.h"
#include "game/services/data/id_tags.h"
#include "game/services/data/tag.h"
#include "game/app/scene/scene_stack.h"
#include "game/services/clock/game_clock.h"
#include "game/model/object/field_draw.h"
#include "game/model/object/object_actor.h"
#include "game/ui/message_log.h"
#include "game/ui/screens/ui_common.h"
#include "tests/game/ui/ui_test_base.h"

namespace {

class HudPictureTest : public support::UITest {
protected:
    void SetUp() override
    {
        support::UITest::SetUp();
        UI().SetOpen(kSlotCommon, true);
        StepFrames(20);
    }

    void WriteIfAsked(const char* variable) const
    {
        if (const char* path = std::getenv(variable)) {
            ASSERT_TRUE(WriteCanvasPicture(path));
        }
    }
};

TEST_F(HudPictureTest, TheButtonBarOverTheShipWithTheKitchenHighlighted)
{
    GAME_CShip& ship = *world->ship;
    ASSERT_NE(ship.PlaceRoom(2, 1, FindRoomIdIndex(MakeTag("ID04"))), nullptr);
    ASSERT_NE(ship.PlaceRoom(6, 1, FindRoomIdIndex(MakeTag("ID03"))), nullptr);
    for (int column : {1, 5}) {
        GAME_CObjectActor* member = world->fieldObjects->AcquireActorObject();
        ASSERT_NE(member, nullptr);
        ActorSetupRecord setup;
        ship.GetCellFloorPoint(column, 3, &setup.x, &setup.y, false);
        member->Init(setup);
    }
    world->timeScale->speed = 2.0f;
    const float cell = ship.grid.cellWidth;
    const vesk::math::Vec2 kitchen = CurrentFieldFrame().ToScreen({2.5f * cell, 1.5f * cell});
    ClickAt(static_cast<int>(kitchen.x), static_cast<int>(kitchen.y));
    StepFrames(3);
    ASSERT_EQ(UI().Get<GAME_CUICommon>()->CurrentCell(), 1 * ship.grid.width + 2);
    WriteIfAsked("VARNOLIS_HUD_PICTURE");
    // The lit x2 lamp's rim and the frame's light edge on the deck, beside the ticker's gap.
    EXPECT_EQ(CanvasPixel(357, 321) & 0xFFFFFFu, 0xE0CF6Bu);
    EXPECT_EQ(CanvasPixel(160, 311) & 0xFFFFFFu, 0xA8C6D6u);
    EXPECT_EQ(CanvasPixel(480, 311) & 0xFFFFFFu, 0xA8C6D6u);
}

TEST_F(HudPictureTest, TheMessageLogWithADozenLinesOfEveryKind)
{
    GAME_CUIMessageLog* log = UI().MessageLog();
    const char16_t* lines[] = {
        u"Found Scrap Metal.",          u"Heading for Dune Camp.",       u"Saving...",
        u"The kitchen was destroyed.",  u"The kitchen is finished.",     u"Achievement unlocked: First Steps",
        u"Found Cactus Fruit.",         u"Mika has died.",               u"Tobi was born!",
        u"The hull is badly damaged!",  u"Arrived at Dune Camp.",        u"Saving...",
    };
    const std::int32_t kinds[] = {0, 0, 1, 2, 3, 4, 0, 2, 3, 2, 0, 1};
    for (int i = 0; i < 12; ++i) log->AddMessage(lines[i], kinds[i]);
    GAME_CGameClock* clock = GetGameClock();
    clock->day = 12;
    clock->itemsFound = 34;
    clock->counter = 5;
    clock->enemiesDefeated = 7;
    log->SetOpen(true);
    StepFrames(20);
    StepFrames(1);
    ASSERT_EQ(log->State(), UIScreenState::kMain);
    WriteIfAsked("VARNOLIS_LOG_PICTURE");
    EXPECT_NE(FindTextDraw(u"Mika has died."), nullptr);
}

}  // namespace
