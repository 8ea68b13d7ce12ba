// Every screen slot on the running game: each opens, takes input and closes on request; unbuilt screens give the input back.
#include <gtest/gtest.h>

#include <string>

#include "framework/math/random.h"
#include "game/services/player/player_data.h"
#include "game/services/input/input_actions.h"
#include "game/model/object/field_draw.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/ui/screens/ui_common.h"
#include "game/ui/widgets/ui_icon_object.h"
#include "tests/game/ui/ui_test_base.h"

namespace {

class ScreenSlotsTest : public support::UITest {
protected:
    GAME_CUICommon& Hud() const { return *UI().Get<GAME_CUICommon>(); }

    void OpenHud()
    {
        UI().SetOpen(kSlotShipStatus, true);
        UI().SetOpen(kSlotCommon, true);
        StepFrames(20);
    }

    void ClickButton(int button)
    {
        const vesk::math::Vec2 corner = Hud().Icon(button)->WorldPosition();
        const vesk::math::Vec2 size = *Hud().Icon(button)->GetSize();
        ClickAt(static_cast<int>(corner.x + size.x / 2), static_cast<int>(corner.y - size.y / 2));
    }

    // Two clicks on the room's first cell: the first selects it, the second opens its screen.
    void OpenByClicks(const GAME_CRoomBase& room)
    {
        const float cell = world->ship->grid.cellWidth;
        const vesk::math::Vec2 point = CurrentFieldFrame().ToScreen(
            {(static_cast<float>(room.gridX) + 0.5f) * cell, (static_cast<float>(room.gridY) + 0.5f) * cell});
        for (int click = 0; click < 2; ++click) {
            ClickAt(static_cast<int>(point.x), static_cast<int>(point.y));
            StepFrames(3);
        }
    }

    // The x2 button answers: the world runs at twice the speed.
    void ExpectSpeedButtonWorks()
    {
        ClickButton(GAME_CUICommon::kSpeed2);
        StepFrames(10);
        EXPECT_EQ(world->timeScale->speed, 2.0f);
        ClickButton(GAME_CUICommon::kSpeed1);
        StepFrames(10);
    }
};

TEST_F(ScreenSlotsTest, EverySlotOpensTakesInputForFortyFramesAndClosesOnRequest)
{
    const int inputs[] = {kActionCursorDown, kActionCursorRight, kActionCursorUp, kActionCursorLeft, kActionMenuTabRight};
    // The game center hands over to the mini game, which ends this scene: it comes last.
    for (int slot = 1; slot < kUISlotCount; ++slot) {
        if (slot == kSlotGameCenter) continue;
        SCOPED_TRACE("slot " + std::to_string(slot));
        UI().SetOpen(slot, true);
        for (int frame = 0; frame < 40; ++frame) {
            if (frame % 4 == 1) PressAction(inputs[(frame / 4) % 5]);
            StepFrames(1);
        }
        UI().SetOpen(slot, false);
        EXPECT_TRUE(StepUntil([&] { return !UI().IsOpen(slot); }, 120)) << "the screen of slot " << slot << " does not close";
        world->held = 0;
        StepFrames(2);
    }
    UI().SetOpen(kSlotGameCenter, true);
    StepFrames(40);
}

// A new game played to its first road, where the start ship's rooms stand.
class FirstRoadTest : public ScreenSlotsTest {
protected:
    void SetUp() override
    {
        support::GameFixture::SetUp();
        // One seed: the crew walks where it walks, and the road's events come as they come, on every run.
        vesk::math::MarkRandomClockSeeded();
        vesk::math::SeedRandom(1);
        ASSERT_NO_FATAL_FAILURE(StartNewGameToFirstRoad());
        world = GetGameWorld();
    }
};

// The screens not built yet close on cancel or a pointer press and give the input back.
TEST_F(FirstRoadTest, HudButtonsAndRoomsWhoseScreensAreNotBuiltGiveTheInputBack)
{
    for (int button : {GAME_CUICommon::kAllCrew, GAME_CUICommon::kQuestList, GAME_CUICommon::kItemDictionary,
                       GAME_CUICommon::kPause, GAME_CUICommon::kBuild, GAME_CUICommon::kHideout}) {
        SCOPED_TRACE("button " + std::to_string(button));
        ClickButton(button);
        // The hideout menu takes no input while its chosen button grows into its panel.
        StepFrames(button == GAME_CUICommon::kHideout ? 45 : 25);
        PressAction(kActionCancel);
        StepFrames(25);
        ExpectSpeedButtonWorks();
    }
    ASSERT_FALSE(world->ship->rooms.empty());
    // A crew member standing on a room's cell would be picked before the room (and the status
    // screen's move button lies under the second click): the rooms' own screens are tried here.
    Hud().crewPickFlag = 0;
    Hud().itemPickFlag = 0;
    for (const GAME_CRoomBase* room : world->ship->rooms) {
        SCOPED_TRACE("room kind " + std::to_string(room->kind));
        OpenByClicks(*room);
        StepFrames(25);
        PressAction(kActionCancel);
        StepFrames(25);
        ExpectSpeedButtonWorks();
    }
}

}  // namespace
