// The dining hall and the build cursor drawn over the running game's ship; the market's and the storeroom's rows beside their scroll bars.
// With VARNOLIS_UI_PICTURE_DIR=<folder> the test also writes each canvas as a PPM picture to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/model/travel/travel_controller.h"
#include "game/services/data/static_database.h"
#include "game/services/text/language.h"
#include "game/ui/screens/ui_build_select_grid.h"
#include "game/ui/list_controller.h"
#include "game/ui/screens/ui_dining_hall.h"
#include "game/ui/screens/ui_inventory.h"
#include "game/ui/screens/ui_shop.h"
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

// The market and the storeroom lay the wide row highlight and row lines that the sound room shares
// from their rows: they ran on under the scroll bar, over it in the storeroom, and past it in the
// market. Canvas points with the window at rest; its scroll bar stands at 525 to 533, its caps a
// pixel wider.
TEST_F(RoomScreenPictureTest, TheMarketsAndTheStoreroomsRowsEndShortOfTheirScrollBars)
{
    constexpr int kBarLeft = 525;
    constexpr int kBarRight = 533;
    const auto rowMiddle = [](int row) { return 113 + 18 * row; };

    const std::uint32_t town = MakeTag("AD01");
    ASSERT_TRUE(world->travel->SetCurrentLocation(&town));
    UI().SetOpen(kSlotShop, true);
    ASSERT_TRUE(StepUntil([&] { return UI().Get<GAME_CUIShop>()->State() == UIScreenState::kMain; }, 30));
    StepFrames(2);
    ASSERT_EQ(UI().Get<GAME_CUIShop>()->SelectedRow(), 0);
    // Right of the bar each column of the window reads as it does above the list, down to the
    // list's foot: no line, no highlight.
    for (int x = kBarRight + 2; x <= kBarRight + 3; ++x) {
        const std::uint32_t plain = CanvasPixel(x, 100);
        for (int y = 105; y < 105 + 18 * GAME_CUIShop::kRows; ++y) ASSERT_EQ(CanvasPixel(x, y), plain) << x << ", " << y;
    }
    // The highlight reaches the row's right end, and stops short of the bar.
    const std::uint32_t onRowEnd = CanvasPixel(kBarLeft - 4, rowMiddle(0));
    const std::uint32_t onBar = CanvasPixel(kBarLeft + 1, rowMiddle(0));
    PressAction(kActionCursorDown);
    StepFrames(2);
    EXPECT_NE(CanvasPixel(kBarLeft - 4, rowMiddle(0)), onRowEnd);
    EXPECT_EQ(CanvasPixel(kBarLeft + 1, rowMiddle(0)), onBar);
    ASSERT_TRUE(CloseScreen(kSlotShop));

    // The storeroom's highlight on its first row leaves the bar as it is with the cursor elsewhere.
    Store("I001", 2);
    Store("I002", 2);
    GAME_CRoomBase* storeroom = world->ship->GetRoomAtCell(9, 3);
    ASSERT_NE(storeroom, nullptr);
    OpenScreenOf(*storeroom);
    StepFrames(2);
    ASSERT_EQ(UI().Get<GAME_CUIInventory>()->SelectedRow(), 0);
    std::vector<std::uint32_t> selected;
    for (int x = kBarLeft; x <= kBarRight + 2; ++x) selected.push_back(CanvasPixel(x, rowMiddle(0)));
    const std::uint32_t storeRowEnd = CanvasPixel(kBarLeft - 4, rowMiddle(0));
    PressAction(kActionCursorDown);
    StepFrames(2);
    ASSERT_EQ(UI().Get<GAME_CUIInventory>()->SelectedRow(), 1);
    for (int x = kBarLeft; x <= kBarRight + 2; ++x) EXPECT_EQ(CanvasPixel(x, rowMiddle(0)), selected[static_cast<std::size_t>(x - kBarLeft)]) << x;
    EXPECT_NE(CanvasPixel(kBarLeft - 4, rowMiddle(0)), storeRowEnd);
}

// The crew panel counts its members beside its heading: in every language the heading's letters,
// face and shadow, end a few clear columns short of the count's first digit, so the two read apart
// (the English word ran on to two columns from it and read as one with the count).
TEST_F(RoomScreenPictureTest, TheCrewPanelsCountStandsClearOfItsHeadingInEveryLanguage)
{
    constexpr std::uint32_t kFace = 0x9FE3DAu;
    constexpr std::uint32_t kShadow = 0x10161Bu;
    constexpr int kClearColumns = 4;
    GAME_CRoomBase& engine = Place("ID23", 2, 2);
    for (std::uint32_t language = 0; language < kLanguageCount; ++language) {
        SCOPED_TRACE(language);
        ChooseLanguage(language);
        OpenScreenOf(engine);
        // The room remembers its page: the screen opens on the task page once it has been shown.
        if (language == 0) PressAction(kActionMenuTabChange);
        StepFrames(20);
        Keep("crew_count_" + std::to_string(language));
        const char* heading = language == 0 ? "ui_text_actor" : language == 2 ? "ui_text_actor_kr" : "ui_text_actor_eng";
        const support::RecordedSpriteDraw* caption = FindSpriteDraw(kUISpriteGroup, heading);
        ASSERT_NE(caption, nullptr);
        const vesk::math::Vec2 size = UISpriteSize(FindUISprite(heading));
        // The count's first digit: the leftmost digit drawn on the heading's rows, right of its start.
        float firstDigit = kCanvasWidth;
        for (int digit = 0; digit < 10; ++digit) {
            const std::int32_t sprite = FindUISprite("ui_text_num_" + std::to_string(digit));
            for (const support::RecordedSpriteDraw& draw : frames.back().sprites) {
                if (draw.group == kUISpriteGroup && draw.ref == sprite && draw.x > caption->x && draw.y >= caption->y - 2.0f &&
                    draw.y < caption->y + size.y) {
                    firstDigit = std::min(firstDigit, draw.x);
                }
            }
        }
        ASSERT_LT(firstDigit, kCanvasWidth) << "no count beside the heading";
        int inkEnd = -1;
        for (int y = static_cast<int>(caption->y); y < static_cast<int>(caption->y + size.y); ++y) {
            for (int x = static_cast<int>(caption->x); x < static_cast<int>(firstDigit); ++x) {
                const std::uint32_t pixel = CanvasPixel(x, y) & 0xFFFFFFu;
                if (pixel == kFace || pixel == kShadow) inkEnd = std::max(inkEnd, x);
            }
        }
        EXPECT_GE(static_cast<int>(firstDigit) - inkEnd - 1, kClearColumns) << "the heading's ink ends at " << inkEnd;
        ASSERT_TRUE(CloseScreen(kSlotEngineRoom));
    }
}

}  // namespace
