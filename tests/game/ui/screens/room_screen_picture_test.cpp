// The dining hall and the build cursor drawn over the running game's ship.
// With VARNOLIS_UI_PICTURE_DIR=<folder> the test also writes each canvas as a PPM picture to look at.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "game/services/data/static_database.h"
#include "game/ui/screens/ui_build_select_grid.h"
#include "game/ui/list_controller.h"
#include "game/ui/screens/ui_dining_hall.h"
#include "tests/game/ui/screens/room_screen_test_base.h"
#include "game/ui/ui_draw.h"

namespace {

class RoomScreenPictureTest : public support::RoomScreenTest {};

TEST_F(RoomScreenPictureTest, TheDiningHallAndTheBuildCursorDrawOverTheShip)
{
    GAME_CRoomBase& kitchen = Place("ID04", 0, 3);
    Place("ID23", 2, 2);
    Store("I020", 1);
    Store("I025", 3);
    OpenScreenOf(kitchen);
    StepFrames(2);
    Keep("dining_hall");
    // The window frame's light edge at its left, and the yellow stock gauge's frame.
    EXPECT_EQ(CanvasPixel(62, 200) & 0xFFFFFFu, 0xA8C6D6u);

    PressAction(kActionMenuTabChange);
    StepFrames(20);
    Keep("dining_hall_tasks");
    const vesk::math::Vec2 button = *UI().Get<GAME_CUIDiningHall>()->TaskTab().Controller()->AddTaskButton()->GetPosition();
    ClickAt(static_cast<int>(button.x), static_cast<int>(button.y));
    StepFrames(20);
    Keep("add_task");
    ASSERT_TRUE(CloseScreen(kSlotAddTask));
    ASSERT_TRUE(CloseScreen(kSlotDiningHall));

    GAME_CRoomBase& cannon = Place("ID16", 5, 3);
    OpenScreenOf(cannon);
    StepFrames(2);
    Keep("ammunition");
    ASSERT_TRUE(CloseScreen(kSlotBullet));

    UI().SetOpen(kSlotBuild, true);
    StepFrames(25);
    Keep("build_menu");
    ASSERT_TRUE(CloseScreen(kSlotBuild));

    auto* cursor = UI().Get<GAME_CUIBuildSelectGrid>();
    cursor->mode = FindRoomIdIndex(MakeTag("ID20"));
    cursor->roomData = GetStaticDatabase()->FindRoomData(MakeTag("ID20"));
    cursor->SetOpen(true);
    StepFrames(20);
    world->ship->cursorWord = 1;
    StepFrames(2);
    Keep("build_cursor_keys");
    EXPECT_TRUE(FindSpriteDraw(kUISpriteGroup, "ui_cursor_grid_build") != nullptr);
    EXPECT_TRUE(FindSpriteDraw(kUISpriteGroup, "ui_common_lower_base2") != nullptr);
    world->ship->cursorWord = 0;
    float minX = 0.0f;
    float minY = 0.0f;
    world->ship->GetGridScreenMin(&minX, &minY);
    const float cell = world->ship->grid.cellWidth * std::fabs(world->ship->body->scaleX) * world->camera->zoom * 0.25f;
    ClickAt(static_cast<int>(minX + 4.5f * cell), static_cast<int>(minY + 2.5f * cell));
    StepFrames(3);
    Keep("build_cursor");
    EXPECT_EQ(cursor->CursorCell(), 2 * world->ship->grid.width + 4);
    EXPECT_TRUE(FindSpriteDraw(kUISpriteGroup, "ui_labelbase") != nullptr);
}

}  // namespace
