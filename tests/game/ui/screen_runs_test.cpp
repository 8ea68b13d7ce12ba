// Scripted runs of the screens held frame by frame against their recordings: opening, every focus place, scrolling, questions answered yes, no and left, closing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <span>

#include "game/services/data/id_tags.h"
#include "game/services/data/tag.h"
#include "game/services/input/input_actions.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/model/world/camera2d.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/task_manager.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/travel/travel_controller.h"
#include "game/services/player/player_data.h"
#include "game/ui/screens/ui_add_task.h"
#include "game/ui/screens/ui_ajito_menu.h"
#include "game/ui/screens/ui_build.h"
#include "game/ui/screens/ui_build_select_grid.h"
#include "game/ui/screens/ui_common.h"
#include "game/ui/screens/ui_dining_hall.h"
#include "game/ui/screens/ui_gas_station.h"
#include "game/ui/screens/ui_pause.h"
#include "game/ui/screens/ui_pub.h"
#include "game/ui/screens/ui_shop.h"
#include "game/ui/screens/ui_talk_log.h"
#include "game/ui/screens/ui_save_slot.h"
#include "game/ui/screens/ui_title.h"
#include "game/ui/widgets/ui_list_object.h"
#include "platform/little_endian.h"
#include "tests/game/ui/screens/room_screen_test_base.h"
#include "tests/support/screen_run.h"

namespace {

using RoomRun = support::ScreenRun<support::RoomScreenTest>;
using GameRun = support::ScreenRun<support::GameFixture>;

class ScreenRunTest : public RoomRun {
protected:
    // The room screens' fixture, its game started settled.
    void SetUp() override
    {
        GameFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(StartSettled());
        ASSERT_TRUE(CloseScreen(kSlotTitle));
        world = GetGameWorld();
        UI().CloseAllExcept();
        StepFrames(20);
        world->tasks->Clear();
    }

    void Open(int slot, int frames = 20)
    {
        BeginRun();
        UI().SetOpen(slot, true);
        Step("open", frames);
    }

    // The build menu opened with its cursor on the row of the id, chosen: the grid cursor comes.
    void OpenMenuOn(const char (&id)[5], bool walk = false)
    {
        world->held = 1;
        UI().SetOpen(kSlotBuild, true);
        Step("open the menu", 20);
        if (walk) {
            WalkAround();
            Click(400, 150, 4);
        }
        GAME_CUIListObject& list = *UI().Get<GAME_CUIBuild>()->List();
        for (std::uint32_t row = 0; row < list.ShownCount(); ++row) {
            if (list.ShownRow(row)->argument != static_cast<std::intptr_t>(MakeTag(id))) continue;
            list.ScrollTo(row);
            list.SetCursor(row - list.Top());
        }
        Step("row", 2);
        Key(kActionDecide, 25);
    }

    void ClickCell(int x, int y)
    {
        float minX = 0.0f;
        float minY = 0.0f;
        world->ship->GetGridScreenMin(&minX, &minY);
        const float cell = world->ship->grid.cellWidth * std::fabs(world->ship->body->scaleX) * world->camera->zoom * 0.25f;
        Step("aim", 1);
        Click(static_cast<int>(minX + (static_cast<float>(x) + 0.5f) * cell), static_cast<int>(minY + (static_cast<float>(y) + 0.5f) * cell));
    }

    // The ship at Cheddar Springs, where the hideout offers every facility, with money to spend there.
    void StandAtCheddarSprings()
    {
        const std::uint32_t town = MakeTag("AD01");
        ASSERT_TRUE(world->travel->SetCurrentLocation(&town));
        GetPlayerData()->money = 5000;
    }
    void ClickOn(GAME_CUIObjectBase& widget, int after = 6)
    {
        const vesk::math::Vec2 at = widget.WorldPosition();
        Click(static_cast<int>(at.x), static_cast<int>(at.y), after);
    }
    // The shared dialog's question answered by the keys: up or down moves between its two buttons.
    bool Choose(bool yes)
    {
        for (int frame = 0; frame < 30 && !DialogShown(); ++frame) Step("wait", 1);
        if (!DialogShown()) return false;
        // Its buttons take no key while they appear.
        Step("read", 16);
        const int wanted = yes ? GAME_CUIInDisplaySelectionObject::kAnswerYes : GAME_CUIInDisplaySelectionObject::kAnswerNo;
        if (GetInDisplaySelection()->cursorIndex != wanted) Key(kActionCursorUp);
        if (GetInDisplaySelection()->cursorIndex != wanted) return false;
        Key(kActionDecide, 16);
        return true;
    }
    // Decide once the shared dialog's button rests.
    void Acknowledge()
    {
        WaitForDialogToRest();
        Key(kActionDecide, 12);
    }
};

TEST_F(ScreenRunTest, AddTask)
{
    GAME_CRoomBase& kitchen = Place("ID04", 0, 3);
    GAME_CRoomBase& workshop = Place("ID06", 2, 3);
    auto& screen = *UI().Get<GAME_CUIAddTask>();
    screen.target = &workshop;
    Open(kSlotAddTask, 12);
    WalkAround();
    Keys({kActionCursorUp, kActionCursorUp, kActionCursorDown}, 3);
    Click(400, 110, 4);
    Click(400, 128, 4);
    Click(400, 128, 12);
    Close(kSlotAddTask);
    // The kitchen's upgrade: ordered once, refused the second time with a notice, then refused again
    // and left unanswered as the screen closes.
    screen.target = &kitchen;
    UI().SetOpen(kSlotAddTask, true);
    Step("open for the kitchen", 12);
    Key(kActionDecide, 15);
    screen.target = &kitchen;
    UI().SetOpen(kSlotAddTask, true);
    Step("open again", 12);
    Key(kActionDecide, 12);
    EXPECT_TRUE(Answer(true));
    Step("answered", 10);
    UI().SetOpen(kSlotAddTask, true);
    Step("open once more", 12);
    Key(kActionDecide, 12);
    EXPECT_TRUE(DialogShown());
    Close(kSlotAddTask);
    Check("add_task");
}

TEST_F(ScreenRunTest, BuildMenuAndCursor)
{
    Place("ID23", 0, 2);
    Store("I002", 6);
    Store("I010", 2);
    Store("I004", 2);
    BeginRun();
    // The grid cursor: walk the cells, place where it does not fit and where it does.
    OpenMenuOn("ID20", true);
    Keys({kActionCursorDown, kActionCursorDown, kActionCursorUp, kActionCursorRight, kActionCursorRight, kActionCursorLeft});
    ClickCell(1, 3);
    ClickCell(1, 3);
    ClickCell(4, 3);
    ClickCell(4, 3);
    Step("placed", 30);
    // Breaking: the last engine is refused with a notice; a second one is asked about.
    OpenMenuOn("IDBR");
    ClickCell(0, 3);
    ClickCell(1, 2);
    EXPECT_TRUE(Answer(true));
    ASSERT_NE(world->ship->PlaceRoom(6, 2, FindRoomIdIndex(MakeTag("ID23"))), nullptr);
    Step("second engine", 2);
    ClickCell(1, 2);
    EXPECT_TRUE(Answer(false));
    ClickCell(1, 2);
    ClickCell(1, 2);
    EXPECT_TRUE(Answer(true));
    Step("broken", 10);
    ClickCell(6, 2);
    ClickCell(6, 2);
    EXPECT_TRUE(DialogShown());
    Close(kSlotBuildSelectGrid);
    Step("gone", 10);
    world->held = 0;
    Check("build");
}

TEST_F(ScreenRunTest, Pause)
{
    Open(kSlotPause, 30);
    WalkAround();
    Close(kSlotPause);
    UI().SetOpen(kSlotPause, true);
    Step("open again", 30);
    Key(kActionCursorUp);
    Key(kActionDecide, 15);
    Key(kActionCancel, 15);
    Key(kActionDecide, 15);
    Close(kSlotPause);
    world->held = 0;
    Check("pause");
}

TEST_F(ScreenRunTest, MessageLog)
{
    for (int n = 0; n < 40; ++n) UI().MessageLog()->AddMessage(u"notice " + std::u16string(1, static_cast<char16_t>(u'A' + n % 26)), n % 3);
    Open(kSlotMessageLog, 30);
    WalkAround();
    Keys({kActionCursorDown, kActionCursorDown, kActionCursorDown, kActionCursorDown, kActionMenuTabRight}, 2);
    Click(400, 200, 4);
    Key(kActionCancel, 20);
    Close(kSlotMessageLog);
    world->held = 0;
    Check("message_log");
}

TEST_F(ScreenRunTest, Hud)
{
    UI().SetOpen(kSlotShipStatus, true);
    Open(kSlotCommon, 25);
    WalkAround();
    Key(kActionGameplayMenu, 3);
    Keys({kActionCursorRight, kActionCursorRight, kActionCursorLeft, kActionCursorLeft, kActionCursorLeft, kActionCursorUp,
          kActionCursorDown},
         2);
    Key(kActionDecide, 10);
    Click(320, 100, 4);
    Key(kActionSpeedUp, 10);
    Key(kActionSpeedDown, 10);
    Key(kActionDecide, 20);
    Close(kSlotCommon);
    Check("hud");
}

TEST_F(ScreenRunTest, GameCenter)
{
    Open(kSlotGameCenter, 40);
    Key(kActionCancel, 20);
    Check("game_center");
}

TEST_F(ScreenRunTest, GameOver)
{
    UI().SetGameOverCause(1);
    Open(kSlotGameOver, 60);
    Keys({kActionDecide, kActionCancel}, 30);
    Step("until closed", 120);
    Check("game_over");
}

TEST_F(ScreenRunTest, AmmunitionScreen)
{
    Place("ID04", 0, 3);
    GAME_CRoomBase& cannon = Place("ID16", 4, 3);
    BeginRun();
    UI().OpenRoomScreen(&cannon, IndexOf(cannon));
    Step("open", 20);
    // Another kind: asked, no, then yes with its notice; then asked once more and left as it closes.
    Key(kActionCursorDown);
    Key(kActionDecide, 4);
    EXPECT_TRUE(Answer(true));
    Answer(true);
    Step("reloading", 5);
    Key(kActionCursorUp);
    Key(kActionDecide, 4);
    EXPECT_TRUE(DialogShown());
    Close(kSlotBullet);
    Step("gone", 5);
    UI().OpenRoomScreen(&cannon, IndexOf(cannon));
    Step("open again", 20);
    WalkAround();
    Keys({kActionCursorRight, kActionCursorRight, kActionCursorRight, kActionCursorDown, kActionCursorDown}, 3);
    Close(kSlotBullet);
    Check("ammunition");
}

TEST_F(ScreenRunTest, DiningHall)
{
    GAME_CRoomBase& kitchen = Place("ID04", 0, 3);
    Store("I020", 2);
    Store("I024", 1);
    Store("I008", 1);
    BeginRun();
    UI().OpenRoomScreen(&kitchen, IndexOf(kitchen));
    Step("open", 20);
    Key(kActionDecide, 4);
    EXPECT_TRUE(Answer(false));
    Key(kActionCursorDown);
    Key(kActionDecide, 4);
    EXPECT_TRUE(Answer(true));
    Step("after", 10);
    Click(200, 150, 4);
    Click(200, 150, 6);
    Key(kActionDecide, 4);
    EXPECT_TRUE(DialogShown());
    Close(kSlotDiningHall);
    Step("gone", 4);
    UI().OpenRoomScreen(&kitchen, IndexOf(kitchen));
    Step("open again", 20);
    WalkAround();
    Keys({kActionCursorRight, kActionCursorRight, kActionCursorRight, kActionCursorDown, kActionCursorDown}, 3);
    Close(kSlotDiningHall);
    Check("dining_hall");
}

TEST_F(ScreenRunTest, SaveSlots)
{
    // Fixed stamps on every slot: what the rows show must not follow the clock.
    for (int slot = 0; slot < 10; ++slot) {
        std::span<std::uint8_t> record = GetSaveAreas().ImageSlot(slot);
        platform::WriteU32(record, save_layout::slot::kPlaySeconds, 3600u * static_cast<std::uint32_t>(slot) + 61u);
        const std::uint32_t stamp[8] = {2027, 3, 5, 14, 7, 9, 0, 5};
        for (std::size_t i = 0; i < 8; ++i) platform::WriteU32(record, save_layout::slot::kLastSaveTime + 4 * i, stamp[i]);
    }
    Open(kSlotSaveSlots, 30);
    WalkAround(1);
    Click(400, 40, 9);
    Click(400, 230, 9);
    Click(400, 230, 11);
    EXPECT_TRUE(Answer(false));
    Click(400, 230, 9);
    Click(400, 230, 11);
    EXPECT_TRUE(DialogShown());
    // The question left unanswered goes with the screen.
    Close(kSlotSaveSlots);
    EXPECT_FALSE(DialogShown());
    Check("save_slots");
}

TEST_F(ScreenRunTest, HideoutMenu)
{
    ASSERT_NO_FATAL_FAILURE(StandAtCheddarSprings());
    const GAME_CUIAjitoMenu& menu = *UI().Get<GAME_CUIAjitoMenu>();
    Open(kSlotAjitoMenu, 25);
    WalkAround(16);
    Step("grow", 16);
    const vesk::math::Vec2 pub = GAME_CUIAjitoMenu::HomeOf(GAME_CUIAjitoMenu::kPub);
    Click(static_cast<int>(pub.x), static_cast<int>(pub.y), 18);
    EXPECT_EQ(menu.Selection(), GAME_CUIAjitoMenu::kPub);
    Click(247, 187, 25);
    EXPECT_TRUE(UI().IsOpen(kSlotPub));
    Key(kActionCancel, 30);
    EXPECT_TRUE(UI().IsOpen(kSlotAjitoMenu));
    Key(kActionCursorDown, 18);
    Key(kActionDecide, 30);
    EXPECT_TRUE(UI().IsOpen(kSlotGasStation));
    Key(kActionCancel, 30);
    Key(kActionCursorDown, 18);
    EXPECT_EQ(menu.Selection(), GAME_CUIAjitoMenu::kMarket);
    Key(kActionDecide, 30);
    EXPECT_TRUE(UI().IsOpen(kSlotShop));
    Key(kActionCancel, 30);
    Key(kActionCancel, 30);
    EXPECT_FALSE(UI().IsOpen(kSlotAjitoMenu));
    Check("hideout_menu");
}

TEST_F(ScreenRunTest, GasStation)
{
    ASSERT_NO_FATAL_FAILURE(StandAtCheddarSprings());
    world->ship->fuelCapacity = 40;
    world->ship->fuel = 10;
    GetPlayerData()->money = 1250;
    Open(kSlotGasStation, 25);
    WalkAround(3);
    GAME_CUIGasStation& station = *UI().Get<GAME_CUIGasStation>();
    for (int i = 0; i < 3; ++i) ClickOn(*station.PlusButton());
    Keys({kActionCursorDown, kActionDecide, kActionCursorUp, kActionDecide}, 6);
    const vesk::math::Vec2 gauge = station.GaugeOrigin();
    Click(static_cast<int>(gauge.x) + 120, static_cast<int>(gauge.y) + 10, 3);
    Drag(static_cast<int>(gauge.x) + 120, static_cast<int>(gauge.y) + 10, static_cast<int>(gauge.x) + 200, static_cast<int>(gauge.y) + 10, 12);
    Step("dragged", 3);
    ClickOn(*station.BuyButton());
    EXPECT_TRUE(Choose(false));
    Keys({kActionCursorDown, kActionCursorDown}, 3);
    Key(kActionCursorLeft, 3);
    ClickOn(*station.BuyButton());
    EXPECT_TRUE(Choose(true));
    EXPECT_EQ(station.CurrentPage(), GAME_CUIGasStation::kBought);
    Acknowledge();
    GetPlayerData()->money = 50;
    Key(kActionCursorRight, 3);
    ClickOn(*station.BuyButton());
    Acknowledge();
    Key(kActionCancel, 30);
    Check("gas_station");
}

TEST_F(ScreenRunTest, Shop)
{
    ASSERT_NO_FATAL_FAILURE(StandAtCheddarSprings());
    world->fieldObjects->ClearItems();
    Store("I020", 5);
    Store("I001", 2);
    const GAME_CUIShop& shop = *UI().Get<GAME_CUIShop>();
    Open(kSlotShop, 25);
    WalkAround(3);
    Key(kActionMenuTabLeft, 6);
    Click(300, 105 + 18 * 2 + 8, 3);
    Click(379, 105 + 18 * 2 + 6, 3);
    Click(379, 105 + 18 * 3 + 6, 3);
    Click(392, 105 + 18 * 3 + 6, 3);
    Key(kActionDecide, 6);
    Acknowledge();
    Click(379, 105 + 6, 3);
    Click(379, 105 + 6, 3);
    Keys({kActionCursorDown, kActionCursorRight, kActionCursorRight}, 3);
    HoldAction(kActionMenuFunctionA, 4);
    Step("page key", 1);
    Key(kActionCursorRight, 3);
    Key(kActionDecide, 6);
    EXPECT_TRUE(Choose(false));
    Step("after", 10);
    Key(kActionCursorRight, 3);
    Key(kActionDecide, 6);
    EXPECT_TRUE(Choose(true));
    EXPECT_EQ(shop.CurrentPage(), GAME_CUIShop::kBought);
    Acknowledge();
    WalkAround(3);
    Key(kActionMenuTabRight, 6);
    Keys({kActionCursorRight, kActionCursorRight}, 3);
    Click(379, 105 + 6, 3);
    Key(kActionDecide, 6);
    EXPECT_TRUE(Choose(true));
    EXPECT_EQ(shop.CurrentPage(), GAME_CUIShop::kSold);
    Acknowledge();
    Scroll(-2);
    Key(kActionCancel, 30);
    Check("shop");
}

TEST_F(ScreenRunTest, PubAndRumourLog)
{
    ASSERT_NO_FATAL_FAILURE(StandAtCheddarSprings());
    const GAME_CUIPub& pub = *UI().Get<GAME_CUIPub>();
    Open(kSlotPub, 10);
    WalkAround(3);
    Click(300, 106 + 18 + 6, 3);
    Click(300, 106 + 18 + 6, 6);
    EXPECT_EQ(pub.CurrentStep(), GAME_CUIPub::kListenQuestion);
    EXPECT_TRUE(Choose(false));
    Step("after", 10);
    Key(kActionDecide, 6);
    EXPECT_TRUE(Choose(true));
    EXPECT_EQ(pub.CurrentStep(), GAME_CUIPub::kText);
    Keys({kActionCursorDown, kActionCursorDown, kActionCursorUp}, 3);
    Scroll(-2);
    Key(kActionDecide, 10);
    EXPECT_EQ(pub.CurrentStep(), GAME_CUIPub::kList);
    Key(kActionCursorUp, 3);
    Click(300, 106 + 6, 6);
    EXPECT_TRUE(Choose(false));
    Step("after", 10);
    Key(kActionCancel, 30);
    EXPECT_FALSE(UI().IsOpen(kSlotPub));
    Close(kSlotAjitoMenu);

    const GAME_CUITalkLog& log = *UI().Get<GAME_CUITalkLog>();
    UI().SetOpen(kSlotTalkLog, true);
    Step("open the log", 10);
    WalkAround(3);
    Click(300, 100 + 6, 6);
    EXPECT_EQ(log.CurrentStep(), GAME_CUITalkLog::kText);
    Keys({kActionCursorDown, kActionCursorUp}, 3);
    Key(kActionCancel, 10);
    EXPECT_EQ(log.CurrentStep(), GAME_CUITalkLog::kList);
    Key(kActionDecide, 10);
    EXPECT_EQ(log.CurrentStep(), GAME_CUITalkLog::kText);
    Key(kActionDecide, 6);
    Close(kSlotTalkLog);
    Check("rumours");
}

class TitleRunTest : public GameRun {};

TEST_F(TitleRunTest, Title)
{
    ASSERT_NO_FATAL_FAILURE(StartSettled());
    BeginRun();
    auto& title = *UI().Get<GAME_CUITitle>();
    for (int frame = 0; frame < 300 && title.GetSubState() != GAME_CUITitle::kPressStart; ++frame) Step("logos", 1);
    Step("prompt", 10);
    Key(kActionDecide, 4);
    WalkAround();
    Click(320, 230, 4);
    Keys({kActionCursorDown, kActionCursorDown, kActionCursorDown, kActionCursorDown}, 3);
    Click(320, 200, 10);
    Check("title");
}

}  // namespace
