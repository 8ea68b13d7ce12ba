// The screen manager's room operations and a room's task tab, on rooms placed on the ship for the test.
#include <gtest/gtest.h>

#include <memory>
#include <ranges>
#include <string>
#include <vector>

#include "game/services/data/static_database.h"
#include "game/services/data/tag.h"
#include "game/services/input/input_actions.h"
#include "game/services/text/language.h"
#include "game/services/text/message_text.h"
#include "game/services/data/id_tags.h"
#include "game/services/player/player_data.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/task_base.h"
#include "game/model/ship/task_build.h"
#include "game/model/ship/task_food.h"
#include "game/model/ship/task_request.h"
#include "game/services/data/static_lookups.h"
#include "game/ui/screens/ui_room_actor_info.h"
#include "game/ui/screens/ui_task_cancel.h"
#include "game/ui/actor_list_panel.h"
#include "game/ui/list_controller.h"
#include "game/ui/screens/ui_add_task.h"
#include "game/ui/text_lines.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_room_access.h"
#include "game/ui/ui_screen.h"
#include "tests/game/ui/ui_test_base.h"

namespace {

class RoomScreensTest : public support::UITest {
protected:
    void SetUp() override
    {
        support::UITest::SetUp();
        shipRooms = world->ship->rooms;
        world->ship->rooms.clear();
    }

    void TearDown() override
    {
        controller.reset();
        for (auto& room : rooms) {
            room->boundTasks.clear();
            room->assignedCrew.clear();
        }
        if (world != nullptr) world->ship->rooms = shipRooms;
        rooms.clear();
        tasks.clear();
        support::UITest::TearDown();
    }

    GAME_CRoomBase* AddRoom(const char (&id)[5])
    {
        auto& room = rooms.emplace_back(std::make_unique<GAME_CRoomBase>());
        room->SetRoomId(MakeTag(id));
        room->kind = static_cast<std::uint16_t>(FindRoomIdIndex(MakeTag(id)));
        world->ship->rooms.push_back(room.get());
        return room.get();
    }

    GAME_CTaskBase* AddCookingTask(GAME_CRoomBase* room)
    {
        auto& task = tasks.emplace_back(std::make_unique<GAME_CTaskCooking>(MakeCookingRequest(-1)));
        room->boundTasks.push_back(task.get());
        return task.get();
    }

    std::vector<GAME_CRoomBase*> shipRooms;
    std::vector<std::unique_ptr<GAME_CTaskBase>> tasks;
    std::vector<std::unique_ptr<GAME_CObjectActor>> crew;

    // The slots open right after the operation, closing them again.
    std::vector<int> OpenedAndClosed()
    {
        // A screen opened and closed before its first update would stay open: the open request wins.
        StepFrames(1);
        std::vector<int> open;
        for (int slot = 4; slot < kSlotFade; ++slot) {
            if (UI().IsOpen(slot) && slot != kSlotGameOver) open.push_back(slot);
        }
        for (int slot : open) EXPECT_TRUE(CloseScreen(slot));
        return open;
    }

    // Where a room screen's task page puts the tab.
    static constexpr vesk::math::Vec2 kTabOffset{199.0f, 32.0f};

    // A task tab of the test's own for the room, with its crew panel.
    void MakeTaskTab(GAME_CRoomBase* room)
    {
        controller = std::make_unique<GAME_CUIListController>(UI().Context());
        controller->SetActorPanel(new GAME_CUIActorListPanel(UI().Context()));
        controller->Attach(room);
    }

    // A frame as the room screen runs the tab: drawn when asked, then updated with the input.
    void TabFrame(bool draw)
    {
        if (draw) {
            controller->DrawSprites(kTabOffset);
            controller->DrawTexts(kTabOffset);
        }
        StepFrames(1);
        controller->Update(true);
    }

    std::vector<std::unique_ptr<GAME_CRoomBase>> rooms;
    std::unique_ptr<GAME_CUIListController> controller;
};

TEST_F(RoomScreensTest, ARoomOpensTheScreenOfItsKindAndStepsGoInKindOrder)
{
    GAME_CRoomBase* kitchen = AddRoom("ID04");
    AddRoom("ID22");
    AddRoom("ID32");
    GAME_CRoomBase* engine = AddRoom("ID23");
    AddRoom("ID01");

    UI().OpenRoomScreen(kitchen, 0);
    EXPECT_EQ(UI().GetScreen(kSlotDiningHall)->target, kitchen);
    EXPECT_EQ(OpenedAndClosed(), std::vector<int>{kSlotDiningHall});
    kitchen->underConstruction = true;
    UI().OpenRoomScreen(kitchen, 0);
    EXPECT_EQ(OpenedAndClosed(), std::vector<int>{kSlotRoomBuilding});
    kitchen->underConstruction = false;
    for (GAME_CRoomBase* room : {AddRoom("ID21"), AddRoom("ID22"), AddRoom("IDBR")}) {
        UI().OpenRoomScreen(room, 0);
        EXPECT_TRUE(OpenedAndClosed().empty()) << GetUIRoomKind(room);
    }
    world->ship->rooms.resize(5);
    UI().OpenRoomScreen(nullptr, 0);
    EXPECT_TRUE(OpenedAndClosed().empty());

    // Nothing opens while the scripts lock the UI.
    world->inputBlocked = 1;
    UI().OpenRoomScreen(kitchen, 0);
    EXPECT_TRUE(OpenedAndClosed().empty());
    world->inputBlocked = 0;

    // A room whose data names a looping sound starts it as the tracked sound.
    RoomData* kitchenData = const_cast<RoomData*>(GetStaticDatabase()->FindRoomData(MakeTag("ID04")));
    ASSERT_NE(kitchenData, nullptr);
    const IdValue before = kitchenData->lastPair;
    kitchenData->lastPair = {15, 7};
    UI().OpenRoomScreen(kitchen, 0);
    EXPECT_EQ(GetSoundPlayer()->TrackedTag(), 7u);
    kitchenData->lastPair = before;
    OpenedAndClosed();

    // In kind order: bridge 1, kitchen 4, engine 23; kinds 22 and 31 are never reached.
    UI().OpenAdjacentRoomScreen(engine, false);
    EXPECT_EQ(OpenedAndClosed(), std::vector<int>{kSlotMap});
    UI().OpenAdjacentRoomScreen(kitchen, false);
    EXPECT_EQ(world->camera->followedRoom, engine);
    EXPECT_EQ(OpenedAndClosed(), std::vector<int>{kSlotEngineRoom});
    UI().OpenAdjacentRoomScreen(nullptr, true);
    EXPECT_EQ(OpenedAndClosed(), std::vector<int>{kSlotEngineRoom});
    StopCameraRoomFocus(*world);
    EXPECT_EQ(world->camera->mode, GAME_CCamera2D::kFree);

    // Notices: a single one needs no display time, a repeated one does.
    UINoticeRecord notice;
    notice.key.Assign("OLIF_GET_ITEM");
    notice.count = 2;
    UI().ShowNotice(notice);
    EXPECT_FALSE(UI().IsNoticeActive());
    notice.count = 1;
    UI().ShowNotice(notice);
    EXPECT_TRUE(UI().IsNoticeActive());
}

TEST_F(RoomScreensTest, TheTaskTabOfARoomWithoutTasksOffersTheAddTaskButton)
{
    GAME_CRoomBase* kitchen = AddRoom("ID04");
    MakeTaskTab(kitchen);
    TaskData cooking;
    controller->preset = &cooking;
    auto frame = [this](bool draw = false) { TabFrame(draw); };
    frame();
    frame(true);
    const support::RecordedTextDraw* noTask = FindTextDraw(GetMessageTextExpanded("ADDTASK_TEXT_NOTASK_RESERVED"));
    ASSERT_NE(noTask, nullptr);
    EXPECT_EQ(noTask->color, GetUIColor(kUIColorText));
    EXPECT_NE(FindTextDraw(GetMessageTextExpanded("ADDTASK_TEXT_ADDNEWTASK")), nullptr);
    // The cursor of the focused tab rests on the add-task button, which shows its touched face;
    // without the focus it shows its own.
    EXPECT_NE(FindSpriteDraw(kUISpriteGroup, "ui_enterbutton_touch"), nullptr);
    EXPECT_EQ(FindSpriteDraw(kUISpriteGroup, "ui_enterbutton"), nullptr);
    controller->focused = false;
    frame();
    frame(true);
    EXPECT_NE(FindSpriteDraw(kUISpriteGroup, "ui_enterbutton"), nullptr);
    EXPECT_EQ(FindSpriteDraw(kUISpriteGroup, "ui_enterbutton_touch"), nullptr);
    controller->focused = true;
    EXPECT_EQ(controller->Rows(), 1u);
    EXPECT_EQ(controller->AddTaskButton()->Color(), kUIWhite);

    // One row: the cursor wraps onto itself without a sound.
    PressAction(kActionCursorDown);
    frame();
    EXPECT_EQ(controller->Cursor(), 0u);
    EXPECT_FALSE(PlayedNow(kSeCursor));

    // The add-task button opens the add-task screen for the room with the tab's preset.
    const vesk::math::Vec2 button = *controller->AddTaskButton()->GetPosition();
    ClickAt(static_cast<int>(button.x), static_cast<int>(button.y));
    for (int i = 0; i < 14; ++i) frame(true);
    auto* addTask = UI().Get<GAME_CUIAddTask>();
    EXPECT_TRUE(addTask->IsOpen());
    EXPECT_EQ(addTask->target, kitchen);
    EXPECT_EQ(addTask->preset, &cooking);

    ASSERT_TRUE(CloseScreen(kSlotAddTask));

    // Two tasks and five crew members: three rows of two crew, one more than the panel shows.
    AddCookingTask(kitchen);
    GAME_CTaskBase* second = AddCookingTask(kitchen);
    for (int i = 0; i < 5; ++i) {
        auto& member = crew.emplace_back(std::make_unique<GAME_CObjectActor>());
        member->status.name = u"ネズ";
        kitchen->assignedCrew.push_back(member.get());
    }
    frame();
    frame(true);
    EXPECT_EQ(controller->Rows(), 3u);
    EXPECT_EQ(controller->Panel()->ScrollBar()->Maximum(), 1);
    EXPECT_NE(FindTextDraw(GetMessageTextExpanded("TCKG")), nullptr);
    // Outside Japanese the names are written in Latin letters, as every other screen writes them:
    // this language's font has no kana.
    ASSERT_FALSE(RomanizeKanaPair(u"ネズ").empty());
    EXPECT_NE(FindTextDraw(RomanizeKanaPair(u"ネズ")), nullptr);
    EXPECT_EQ(FindTextDraw(u"ネズ"), nullptr);

    // The crew panel takes the focus with a click on a cell, where the tab draws it; a first click on
    // a task row takes it back and moves the cursor there, a second one opens the task-cancel screen
    // for that task.
    ClickAt(21 + 199 + 4, 145 + 32 + 3);
    frame();
    EXPECT_TRUE(controller->Panel()->focused);
    EXPECT_FALSE(controller->focused);
    frame();
    ClickAt(400, 100 + 18 + 5);
    frame();
    EXPECT_TRUE(controller->focused);
    EXPECT_FALSE(controller->Panel()->focused);
    EXPECT_EQ(controller->Cursor(), 1u);
    EXPECT_TRUE(PlayedNow(kSeCursor));
    frame();
    ClickAt(400, 100 + 18 + 5);
    frame();
    EXPECT_TRUE(PlayedNow(kSeDecide));
    auto* cancel = UI().Get<GAME_CUITaskCancel>();
    EXPECT_TRUE(cancel->IsOpen());
    EXPECT_EQ(cancel->task, second);
    EXPECT_EQ(cancel->target, kitchen);
    StepFrames(1);
    ASSERT_TRUE(CloseScreen(kSlotTaskCancel));

    // Five tasks grey the add-task button, which then opens nothing.
    for (int i = 0; i < 3; ++i) AddCookingTask(kitchen);
    frame(true);
    EXPECT_EQ(controller->Rows(), 6u);
    EXPECT_EQ(controller->AddTaskButton()->Color(), kUIGrey);
    frame(true);
    const support::RecordedSpriteDraw* greyDraw = FindSpriteDraw(kUISpriteGroup, "ui_enterbutton");
    ASSERT_NE(greyDraw, nullptr);
    EXPECT_EQ(greyDraw->color, kUIGrey);
    const vesk::math::Vec2 greyButton = *controller->AddTaskButton()->GetPosition();
    ClickAt(static_cast<int>(greyButton.x), static_cast<int>(greyButton.y));
    for (int i = 0; i < 14; ++i) frame(true);
    EXPECT_FALSE(UI().IsOpen(kSlotAddTask));

    // The tasks are finished and deleted while the tab is drawn but not updated (its screen
    // slides away): it draws what the room holds now.
    kitchen->boundTasks.clear();
    tasks.clear();
    controller->DrawSprites(kTabOffset);
    controller->DrawTexts(kTabOffset);
    StepFrames(1);
    EXPECT_NE(FindTextDraw(GetMessageTextExpanded("ADDTASK_TEXT_NOTASK_RESERVED")), nullptr);
}

// A task bound to the room that the list does not show (a kind it leaves out) takes no row: the
// shown tasks stand one after another from the first row, the cursor walks them and the add-task
// button only, and a click on the first row opens the task-cancel window for the task written there.
// The hidden task still counts against the room's five.
TEST_F(RoomScreensTest, ATaskTheListDoesNotShowTakesNoRowThatCouldBeChosen)
{
    GAME_CRoomBase* kitchen = AddRoom("ID04");
    auto& meal = tasks.emplace_back(std::make_unique<GAME_CTaskMeal>(MakeMealRequest(-1)));
    kitchen->boundTasks.push_back(meal.get());
    GAME_CTaskBase* cooking = AddCookingTask(kitchen);
    MakeTaskTab(kitchen);
    auto frame = [this](bool draw = false) { TabFrame(draw); };
    frame();
    frame(true);
    EXPECT_EQ(controller->Rows(), 2u);
    const support::RecordedTextDraw* name = FindTextDraw(GetMessageTextExpanded("TCKG"));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->y, controller->RowAt(0).y);

    // A key goes down in one frame and up in the next.
    controller->SetCursor(0);
    PressAction(kActionCursorDown);
    frame();
    EXPECT_EQ(controller->Cursor(), 1u) << "the add-task button";
    frame();
    PressAction(kActionCursorDown);
    frame();
    EXPECT_EQ(controller->Cursor(), 0u);
    frame();

    const vesk::math::Vec2 first = controller->RowAt(0);
    ClickAt(static_cast<int>(first.x) + 22, static_cast<int>(first.y) + 5);
    frame();
    auto* cancel = UI().Get<GAME_CUITaskCancel>();
    ASSERT_TRUE(cancel->IsOpen());
    EXPECT_EQ(cancel->task, cooking);
    StepFrames(1);
    ASSERT_TRUE(CloseScreen(kSlotTaskCancel));

    for (int i = 0; i < 3; ++i) AddCookingTask(kitchen);
    frame(true);
    EXPECT_EQ(controller->Rows(), 5u);
    EXPECT_EQ(controller->AddTaskButton()->Color(), kUIGrey);
}

TEST_F(RoomScreensTest, ATaskRowsGaugeSharesTheMaterialsBroughtOfThoseItsDataAsksFor)
{
    // Iron plates want three iron; one is brought and a third of the work is done.
    const TaskData* plates = FindTaskData(MakeTag("TC01"));
    ASSERT_NE(plates, nullptr);
    GAME_CTaskItemCraft craft(MakeItemCraftRequest(*plates, -1, 1));
    craft.materials.push_back(MakeTag("I001"));
    craft.progress = craft.GetTaskValue() / 3;
    UITaskView view = GetUITaskView(&craft);
    EXPECT_EQ(view.materialTotal, 3);
    EXPECT_NEAR(view.carried, 1.0f / 3.0f, 0.001f);
    EXPECT_NEAR(view.progress, 1.0f / 3.0f, 0.01f);
    // More than was asked for still fills the bar only once.
    for (int i = 0; i < 4; ++i) craft.materials.push_back(MakeTag("I001"));
    EXPECT_EQ(GetUITaskView(&craft).carried, 1.0f);

    // Cooking has task data that asks for nothing: its bar shows the work alone.
    GAME_CTaskCooking cooking(MakeCookingRequest(-1));
    view = GetUITaskView(&cooking);
    EXPECT_EQ(view.materialTotal, 0);
    EXPECT_EQ(view.carried, 0.0f);
}

TEST_F(RoomScreensTest, TheCrewPanelStepsThroughItsMembersRowByRowAndWraps)
{
    GAME_CRoomBase* home = AddRoom("ID03");
    for (int i = 0; i < 5; ++i) {
        auto& member = crew.emplace_back(std::make_unique<GAME_CObjectActor>());
        home->assignedCrew.push_back(member.get());
    }
    auto* panel = new GAME_CUIActorListPanel(UI().Context());
    controller = std::make_unique<GAME_CUIListController>(UI().Context());
    controller->SetActorPanel(panel);
    controller->Attach(home);
    auto frame = [&] {
        StepFrames(1);
        controller->Update(true);
    };
    frame();
    // Drawn nowhere yet, the panel stands at its own point.
    ClickAt(21 + 4, 145 + 3);
    frame();
    ASSERT_TRUE(panel->focused);
    // Down through the five: the cursor passes the fourth cell by scrolling one row, then wraps.
    std::vector<std::pair<std::uint32_t, std::int32_t>> seen;
    for (int i = 0; i < 5; ++i) {
        PressAction(kActionCursorDown);
        frame();
        frame();
        seen.emplace_back(panel->Cursor(), panel->ScrollBar()->Value());
    }
    const std::vector<std::pair<std::uint32_t, std::int32_t>> expected{{1, 0}, {2, 0}, {3, 0}, {2, 1}, {0, 0}};
    EXPECT_EQ(seen, expected);
    // Up from the first member goes to the last, with the scroll that shows it.
    PressAction(kActionCursorUp);
    frame();
    EXPECT_EQ(panel->Cursor(), 2u);
    EXPECT_EQ(panel->ScrollBar()->Value(), 1);
    // Decide opens the room crew screen for the chosen member.
    frame();
    PressAction(kActionDecide);
    frame();
    auto* crewScreen = UI().Get<GAME_CUIRoomActorInfo>();
    EXPECT_TRUE(crewScreen->IsOpen());
    EXPECT_EQ(crewScreen->targetActor, crew[4].get());
    EXPECT_EQ(crewScreen->target, home);
    StepFrames(1);
    ASSERT_TRUE(CloseScreen(kSlotRoomActorInfo));
}

// In every language the no-task line and the widest task name keep to the task rows: the gauge under a
// row runs 150 units from 3 left of its text.
TEST_F(RoomScreensTest, TheNoTaskLineAndTheTaskNamesFitTheTaskRowsInEveryLanguage)
{
    constexpr float kTextRoom = 150.0f - 3.0f;
    for (std::uint32_t language = 0; language < kLanguageCount; ++language) {
        ChooseLanguage(language);
        const std::string_view file = GetMessageFileForLanguage(language);
        const std::vector<std::u16string> lines =
            SplitTextLines(GetMessageTextExpanded("ADDTASK_TEXT_NOTASK_RESERVED"), {.ends = TextLineEnds::kBreaksEndLines});
        for (const std::u16string& line : lines) EXPECT_LE(MeasureUIText(line), kTextRoom) << file << ": ADDTASK_TEXT_NOTASK_RESERVED";
        EXPECT_LE(MeasureUIText(WidestTagName(std::views::keys(GetStaticDatabase()->Tasks()))), kTextRoom) << file << ": the widest task";
    }
}

}  // namespace
