// The add-task screen: the entries a room offers, the order checks and their messages, and the row input.
#include <gtest/gtest.h>

#include <ranges>
#include <string>
#include <vector>

#include "game/services/data/static_database.h"
#include "game/services/data/static_lookups.h"
#include "game/services/data/tag.h"
#include "game/services/text/language.h"
#include "game/services/input/input_actions.h"
#include "game/model/ship/task_manager.h"
#include "game/ui/screens/ui_add_task.h"
#include "game/ui/text_lines.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_text.h"
#include "tests/game/ui/screens/room_screen_test_base.h"

namespace {

class AddTaskTest : public support::RoomScreenTest {
protected:
    GAME_CUIAddTask& AddTask() const { return *UI().Get<GAME_CUIAddTask>(); }

    void OpenFor(GAME_CRoomBase& room)
    {
        AddTask().target = &room;
        AddTask().SetOpen(true);
        ASSERT_TRUE(StepUntil([&] { return AddTask().State() == UIScreenState::kMain; }, 10));
    }

    std::size_t TasksOfRoom(const GAME_CRoomBase& room) const { return room.boundTasks.size(); }

    // A click on a visible row of the list.
    void ClickRow(int row) { ClickAt(400, 110 + 18 * row); }
};

// A room upgrade can be ordered once, never on repeat; a second order and a full task list are
// refused with their messages, and the list takes no input while a message shows.
TEST_F(AddTaskTest, AnUpgradeIsOrderedOnceAndAFullTaskListRefusesEveryOrder)
{
    GAME_CRoomBase& kitchen = Place("ID04", 0, 3);
    OpenFor(kitchen);
    // The information scroll bar stands beside the nine info lines, as tall as they are.
    EXPECT_FLOAT_EQ(AddTask().InfoScrollBar()->GetSize()->x, 6.0f);
    EXPECT_FLOAT_EQ(AddTask().InfoScrollBar()->GetSize()->y, 180.0f);
    ASSERT_EQ(AddTask().Entries().size(), 1u);
    ASSERT_EQ(AddTask().Entries().front()->id, MakeTag("TU04"));
    EXPECT_TRUE(AddTask().RepeatButton()->IsDisabled());
    EXPECT_EQ(AddTask().RepeatButton()->Color(), kUIGrey);
    EXPECT_FALSE(AddTask().NormalButton()->IsDisabled());

    // Ordered on repeat all the same (the repeat order's own key): the task never repeats.
    AddTask().IssueTaskRequest(AddTask().Entries().front(), true);
    ASSERT_EQ(TasksOfRoom(kitchen), 1u);
    EXPECT_EQ(kitchen.boundTasks.front()->repeat, 0u);
    EXPECT_TRUE(StepUntil([&] { return !AddTask().IsOpen(); }, 10));

    // Twice: only once.
    OpenFor(kitchen);
    const std::size_t from = frames.size();
    PressAction(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return Dialog().IsVisible(); }, 12));
    StepFrames(1);
    EXPECT_EQ(AddTask().ResultCode(), 0x80000003u);
    EXPECT_EQ(AddTask().CurrentPage(), GAME_CUIAddTask::kOrderError);
    EXPECT_EQ(Dialog().Message(), GetMessageTextExpanded("ADDTASK_TEXT_ERROR_ONLYONE"));
    EXPECT_EQ(CountPlayed(kSeUIError, from), 1);
    EXPECT_EQ(TasksOfRoom(kitchen), 1u);
    // Deaf meanwhile: a click on the row and a cursor key change nothing.
    ClickRow(0);
    StepFrames(2);
    PressAction(kActionCursorDown);
    StepFrames(2);
    EXPECT_EQ(AddTask().CursorRow(), 0);
    EXPECT_EQ(TasksOfRoom(kitchen), 1u);
    ASSERT_TRUE(CloseMessage());
    ASSERT_TRUE(StepUntil([&] { return AddTask().CurrentPage() == GAME_CUIAddTask::kList; }, 5));
    ASSERT_TRUE(CloseScreen(kSlotAddTask));

    // With 1,235 tasks in the world any order is refused.
    const TaskData* craft = GetStaticDatabase()->FindTaskData(MakeTag("TC01"));
    ASSERT_NE(craft, nullptr);
    while (world->tasks->tasks.size() < kMaxTasks) {
        ASSERT_NE(GAME_CTaskBase::CreateFromRequest(MakeItemCraftRequest(*craft, -1, 0)), nullptr);
    }
    GAME_CRoomBase& workshop = Place("ID06", 2, 3);
    OpenFor(workshop);
    AddTask().IssueTaskRequest(AddTask().Entries().front(), false);
    StepFrames(2);
    EXPECT_EQ(AddTask().ResultCode(), 0x80000001u);
    EXPECT_EQ(Dialog().Message(), GetMessageTextExpanded("ADDTASK_TEXT_ERROR_TASK_NUM"));
    EXPECT_EQ(TasksOfRoom(workshop), 0u);
}

// Rows: a second click on the cursor row within 20 frames orders its entry; the cursor wraps at
// both ends of a list longer than the five rows.
TEST_F(AddTaskTest, ADoubleClickOrdersAndTheCursorWrapsRoundTheList)
{
    GAME_CRoomBase& workshop = Place("ID06", 2, 3);
    OpenFor(workshop);
    ASSERT_GE(AddTask().Entries().size(), 2u);

    // A click on the cursor row as the window comes up only selects it: no click came before it.
    ClickRow(0);
    StepFrames(1);
    EXPECT_EQ(TasksOfRoom(workshop), 0u);

    // The first click on the cursor row only starts the timer; a second one 19 frames later orders.
    StepFrames(25);
    ClickRow(0);
    StepFrames(1);
    EXPECT_EQ(TasksOfRoom(workshop), 0u);
    StepFrames(18);
    ClickRow(0);
    StepFrames(1);
    EXPECT_EQ(TasksOfRoom(workshop), 1u);
    ASSERT_TRUE(StepUntil([&] { return !AddTask().IsOpen(); }, 10));

    // Nor as it comes up again, though a row was clicked just before it closed; 20 frames later a
    // second click does not order either.
    OpenFor(workshop);
    ClickRow(0);
    StepFrames(1);
    EXPECT_EQ(TasksOfRoom(workshop), 1u);
    StepFrames(25);
    ClickRow(0);
    StepFrames(1);
    StepFrames(19);
    ClickRow(0);
    StepFrames(1);
    EXPECT_EQ(TasksOfRoom(workshop), 1u);
    // A click on another row moves the cursor there.
    StepFrames(1);
    ClickRow(1);
    StepFrames(1);
    EXPECT_EQ(AddTask().CursorRow(), 1);
    EXPECT_TRUE(Played(kSeUICursor));
    ASSERT_TRUE(CloseScreen(kSlotAddTask));

    // Seven entries: up from the first shows the last on row 4, down from the last returns to the top.
    auto& data = const_cast<RoomData&>(*GetStaticDatabase()->FindRoomData(MakeTag("ID06")));
    const std::vector<const TaskData*> offered = data.offeredTasks;
    for (std::uint32_t id : {MakeTag("TC03"), MakeTag("TC04"), MakeTag("TC05"), MakeTag("TC06"), MakeTag("TC08")}) {
        if (data.offeredTasks.size() < 7) data.offeredTasks.push_back(GetStaticDatabase()->FindTaskData(id));
    }
    workshop.addTaskCursorRow = 0;
    workshop.addTaskFirstRow = 0;
    OpenFor(workshop);
    ASSERT_EQ(AddTask().Entries().size(), 7u);
    PressAction(kActionCursorUp);
    StepFrames(2);
    EXPECT_EQ(AddTask().CursorRow(), 4);
    EXPECT_EQ(AddTask().FirstRow(), 2);
    PressAction(kActionCursorDown);
    StepFrames(2);
    EXPECT_EQ(AddTask().CursorRow(), 0);
    EXPECT_EQ(AddTask().FirstRow(), 0);
    // The room keeps the cursor for the next opening; a shorter list starts at the first entry.
    PressAction(kActionCursorUp);
    StepFrames(2);
    ASSERT_TRUE(CloseScreen(kSlotAddTask));
    EXPECT_EQ(workshop.addTaskCursorRow, 4);
    EXPECT_EQ(workshop.addTaskFirstRow, 2);
    data.offeredTasks = offered;
    OpenFor(workshop);
    EXPECT_EQ(AddTask().CursorRow(), 0);
    EXPECT_EQ(AddTask().FirstRow(), 0);
}

// In every language, every task's description, with the widest dish a kitchen cooks and two-digit counts
// in it, keeps each of its lines within the information panel's rules, clear of the panel's scroll bar.
TEST_F(AddTaskTest, EveryTaskDescriptionFitsTheInformationPanel)
{
    // The rules start two units left of the text.
    const float textRoom = UISpriteSize(FindUISprite("ui_separator_left")).x - 2.0f;
    for (std::uint32_t language = 0; language < kLanguageCount; ++language) {
        ChooseLanguage(language);
        const std::string_view file = GetMessageFileForLanguage(language);
        const std::u16string dish = WidestTagName(std::views::keys(GetStaticDatabase()->CookingRecipes()));
        ASSERT_FALSE(dish.empty());
        const std::u16string count = UIFullWidthNumber(88);
        std::uint32_t id = 0;
        for (std::int32_t at = 0; const TaskData* task = GetTaskDataAt(at, &id); ++at) {
            const std::string key = TagText(id) + "_DISCRIPT";
            const std::u16string description = task->productCount == 0 && task->kind == kTaskCooking ? FormatUIMessage(key, {dish})
                                               : task->productCount == 0                             ? FormatUIMessage(key)
                                                                                                     : FormatUIMessage(key, {count, count});
            const std::vector<std::u16string> lines = SplitTextLines(description, {.ends = TextLineEnds::kBreaksEndLines});
            for (const std::u16string& line : lines) {
                EXPECT_LE(MeasureUIText(line), textRoom) << file << ": " << key << ", line " << (&line - lines.data()) + 1;
            }
        }
    }
}

}  // namespace
