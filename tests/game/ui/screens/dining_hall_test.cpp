// The dining hall: ordering cooking through the task page and the add-task screen, and choosing the kitchen's dish.
#include <gtest/gtest.h>

#include <algorithm>
#include <ranges>
#include <string>
#include <vector>

#include "game/model/stores/food_storage.h"
#include "game/services/player/player_data.h"
#include "game/services/data/static_database.h"
#include "game/services/input/input_actions.h"
#include "game/services/clock/game_clock.h"
#include "game/services/data/static_lookups.h"
#include "game/services/text/language.h"
#include "game/model/ship/task_manager.h"
#include "game/ui/list_controller.h"
#include "game/ui/screens/ui_add_task.h"
#include "game/ui/screens/ui_dining_hall.h"
#include "game/ui/selection_dialog.h"
#include "game/ui/text_lines.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_text.h"
#include "tests/game/ui/screens/room_screen_test_base.h"

namespace {

constexpr std::uint32_t kPorridge = MakeTag("D001");

class DiningHallTest : public support::RoomScreenTest {
protected:
    GAME_CUIDiningHall& Hall() const { return *UI().Get<GAME_CUIDiningHall>(); }
    GAME_CUIAddTask& AddTask() const { return *UI().Get<GAME_CUIAddTask>(); }

    // Whether any info line of the add-task screen holds the text.
    bool InfoHolds(std::u16string_view text) const
    {
        for (int line = 0; line < GAME_CUIAddTask::kInfoLines; ++line) {
            if (AddTask().InfoLabel(line)->Literal().find(text) != std::u16string_view::npos) return true;
        }
        return false;
    }

    std::vector<const GAME_CTaskBase*> CookingTasksOf(const GAME_CRoomBase& room) const
    {
        std::vector<const GAME_CTaskBase*> found;
        for (const GAME_CTaskBase* task : world->tasks->tasks) {
            if (task->GetKind() == kTaskCooking && task->GetRoom() == &room && !task->IsFinished()) found.push_back(task);
        }
        return found;
    }
};

// A kitchen cooking porridge (30 s, stamina 2,000, two grain of which one is stored): its task page
// offers the cooking ready-made, and ordering it binds one cooking task to the kitchen.
TEST_F(DiningHallTest, CookingIsOrderedFromTheTaskPageThroughTheAddTaskScreen)
{
    GAME_CRoomBase& kitchen = Place("ID04", 0, 3);
    Store("I020", 1);
    ASSERT_EQ(*FindFoodStorage(IndexOf(kitchen))->GetFoodId(), kPorridge);

    const std::uint32_t clockStep = GetGameClock()->step;
    OpenScreenOf(kitchen);
    ASSERT_EQ(Hall().State(), UIScreenState::kMain);
    EXPECT_EQ(world->held, 1u);
    EXPECT_EQ(GetGameClock()->step, clockStep) << "no simulation step while the screen is open";
    EXPECT_EQ(Hall().Tab(), 0);

    // The tab-change action presses the task tab's button: the task page shows the empty task list.
    PressAction(kActionMenuTabChange);
    ASSERT_TRUE(StepUntil([&] { return Hall().Tab() == 1; }, 20));
    StepFrames(1);
    EXPECT_EQ(kitchen.rememberedTab, 1);
    EXPECT_TRUE(DrewKey("ADDTASK_TEXT_NOTASK_RESERVED"));
    EXPECT_TRUE(DrewKey("KITCHEN_TEXT_TASK"));

    // The add-task button: the cooking of the current dish comes first, with its needs.
    const vesk::math::Vec2 button = *Hall().TaskTab().Controller()->AddTaskButton()->GetPosition();
    ClickAt(static_cast<int>(button.x), static_cast<int>(button.y));
    ASSERT_TRUE(StepUntil([&] { return AddTask().State() == UIScreenState::kMain; }, 30));
    ASSERT_FALSE(AddTask().Entries().empty());
    EXPECT_EQ(AddTask().Entries().front()->id, MakeTag("TCKG"));
    EXPECT_EQ(AddTask().target, &kitchen);
    EXPECT_TRUE(InfoHolds(u"１")) << "one crew member";
    EXPECT_TRUE(InfoHolds(u"０２")) << "stamina";
    EXPECT_TRUE(InfoHolds(u"３０")) << "seconds";
    EXPECT_TRUE(InfoHolds(u"２（１）")) << "two grain needed, one held";
    // From its second frame the add-task screen hides the dining hall.
    EXPECT_GE(Hall().CoverCounter(), 2u);
    EXPECT_FALSE(DrewKey("KITCHEN_TEXT_TASK"));

    // The order button answers decide; it orders when its press has played out, 5 frames on.
    const std::size_t from = frames.size();
    PressAction(kActionDecide);
    StepFrames(6);
    EXPECT_TRUE(CookingTasksOf(kitchen).empty());
    StepFrames(1);
    const std::vector<const GAME_CTaskBase*> cooking = CookingTasksOf(kitchen);
    ASSERT_EQ(cooking.size(), 1u);
    EXPECT_EQ(cooking.front()->repeat, 0u);
    EXPECT_EQ(std::count(kitchen.boundTasks.begin(), kitchen.boundTasks.end(), cooking.front()), 1);
    EXPECT_EQ(CountPlayed(kSeUIDecide, from), 1);
    EXPECT_TRUE(StepUntil([&] { return !AddTask().IsOpen(); }, 5));
    EXPECT_EQ(Hall().State(), UIScreenState::kMain);
}

// The food menu: every dish in id order, the question, and what a yes changes.
TEST_F(DiningHallTest, ChoosingADishAsksFirstAndStopsOnlyTheKitchensCooking)
{
    GAME_CRoomBase& kitchen = Place("ID04", 0, 3);
    GAME_CFoodStorage& store = *FindFoodStorage(IndexOf(kitchen));
    // A cooking task and a crafting task of the kitchen run.
    ASSERT_NE(GAME_CTaskBase::CreateFromRequest(MakeCookingRequest(IndexOf(kitchen))), nullptr);
    const TaskData* craft = GetStaticDatabase()->FindTaskData(MakeTag("TC09"));
    ASSERT_NE(craft, nullptr);
    GAME_CTaskBase* other = GAME_CTaskBase::CreateFromRequest(MakeItemCraftRequest(*craft, IndexOf(kitchen), 0));
    ASSERT_NE(other, nullptr);
    store.AddOne();
    store.AddOne();
    OpenScreenOf(kitchen);

    std::vector<std::uint32_t> dishes;
    for (const auto& [id, recipe] : GetStaticDatabase()->CookingRecipes()) dishes.push_back(id);
    EXPECT_EQ(Hall().DishIds(), dishes);
    EXPECT_TRUE(std::is_sorted(dishes.begin(), dishes.end()));
    EXPECT_EQ(Hall().CurrentDishMarker()->Parent(), Hall().DishRow(0));
    EXPECT_NE(FindSpriteDraw(kUISpriteGroup, "ui_select_highlight_current"), nullptr);

    // The same dish: the question keeps the stock.
    PressAction(kActionDecide);
    StepFrames(2);
    ASSERT_TRUE(Dialog().IsVisible());
    EXPECT_EQ(Dialog().cursorIndex, 1) << "the cursor starts on no";
    EXPECT_EQ(Dialog().Message(), FormatUIMessage("KITCHEN_DECIDE_NOCHANGE_YESNO", {UITagName(kPorridge), GetMessageTextExpanded("KITCHEN_MENU"),
                                                                                  GetMessageTextExpanded("KITCHEN_STOCK")}));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    StepFrames(3);
    EXPECT_EQ(store.GetCount(), 2);
    EXPECT_TRUE(CookingTasksOf(kitchen).empty());
    EXPECT_FALSE(other->IsFinished()) << "only cooking stops";

    // Another dish: the other question, and a yes empties the stock.
    ASSERT_NE(GAME_CTaskBase::CreateFromRequest(MakeCookingRequest(IndexOf(kitchen))), nullptr);
    PressAction(kActionCursorDown);
    StepFrames(2);
    EXPECT_EQ(Hall().CursorRow(), 1);
    PressAction(kActionDecide);
    StepFrames(2);
    ASSERT_TRUE(Dialog().IsVisible());
    EXPECT_EQ(Dialog().Message(), FormatUIMessage("KITCHEN_DECIDE_YESNO", {UITagName(dishes[1]), GetMessageTextExpanded("KITCHEN_MENU"),
                                                                         GetMessageTextExpanded("KITCHEN_STOCK")}));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    StepFrames(3);
    EXPECT_EQ(*store.GetFoodId(), dishes[1]);
    EXPECT_EQ(store.GetCount(), 0);
    EXPECT_TRUE(CookingTasksOf(kitchen).empty());
    EXPECT_FALSE(other->IsFinished());
    EXPECT_EQ(Hall().CurrentDishMarker()->Parent(), Hall().DishRow(1));
    // The task page offers the new dish's cooking.
    EXPECT_EQ(Hall().TaskTab().Controller()->preset, Hall().CookingTaskData());
    EXPECT_EQ(Hall().CookingTaskData()->durationSeconds, GetStaticDatabase()->FindCookingRecipe(dishes[1])->cookingSeconds);

    // An ingredient the ship lacks is drawn in UI colour 7, one it holds in the text colour.
    Store("I024", 1);
    Store("I008", 1);
    for (int i = 0; i < 2; ++i) {
        PressAction(kActionCursorDown);
        StepFrames(2);
    }
    ASSERT_EQ(Hall().CursorRow(), 3);
    bool shortFound = false;
    for (int line = 0; line < GAME_CUIDiningHall::kShownDetailLines; ++line) {
        if (Hall().DetailLabel(line)->Color() == GetUIColor(7)) shortFound = true;
    }
    EXPECT_TRUE(shortFound);
}

// The pointer on the food menu: a click on another row moves the cursor there, a click on the
// cursor row asks, and a no leaves the dish as it was.
TEST_F(DiningHallTest, AClickMovesTheCursorAndASecondOneAsksAboutTheDish)
{
    GAME_CRoomBase& kitchen = Place("ID04", 0, 3);
    const GAME_CFoodStorage& store = *FindFoodStorage(IndexOf(kitchen));
    OpenScreenOf(kitchen);
    ASSERT_GE(Hall().DishIds().size(), 3u);

    // Rows stand 18 units apart from (378, 142) on the canvas.
    std::size_t from = frames.size();
    ClickAt(400, 142 + 18 * 2 + 8);
    StepFrames(2);
    EXPECT_EQ(Hall().CursorRow(), 2);
    EXPECT_FALSE(Dialog().IsVisible());
    EXPECT_EQ(CountPlayed(kSeUICursor, from), 1);

    from = frames.size();
    ClickAt(400, 142 + 18 * 2 + 8);
    StepFrames(2);
    ASSERT_TRUE(Dialog().IsVisible());
    EXPECT_EQ(CountPlayed(kSeUIDecide, from), 1);
    EXPECT_EQ(Dialog().Message(), FormatUIMessage("KITCHEN_DECIDE_YESNO", {UITagName(Hall().DishIds()[2]), GetMessageTextExpanded("KITCHEN_MENU"),
                                                                         GetMessageTextExpanded("KITCHEN_STOCK")}));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerNo);
    StepFrames(3);
    EXPECT_FALSE(Dialog().IsVisible());
    EXPECT_EQ(Hall().MenuState(), 0);
    EXPECT_EQ(*store.GetFoodId(), kPorridge);

    // Below the last row nothing is hit.
    const int below = 142 + 18 * static_cast<int>(Hall().DishIds().size()) + 8;
    ClickAt(400, below);
    StepFrames(2);
    EXPECT_EQ(Hall().CursorRow(), 2);
    EXPECT_FALSE(Dialog().IsVisible());
}

// In every language the dish questions, with the widest dish a kitchen cooks, keep to the shared
// dialog's lines, each inside its box less the margin on either side.
TEST_F(DiningHallTest, TheDishQuestionsFitTheDialogWithTheWidestDishInEveryLanguage)
{
    for (std::uint32_t language = 0; language < kLanguageCount; ++language) {
        ChooseLanguage(language);
        const std::string_view file = GetMessageFileForLanguage(language);
        const std::u16string dish = WidestTagName(std::views::keys(GetStaticDatabase()->CookingRecipes()));
        ASSERT_FALSE(dish.empty());
        const std::u16string menu = GetMessageTextExpanded("KITCHEN_MENU");
        const std::u16string stock = GetMessageTextExpanded("KITCHEN_STOCK");
        for (const char* key : {"KITCHEN_DECIDE_YESNO", "KITCHEN_DECIDE_NOCHANGE_YESNO"}) {
            ExpectFitsDialog(FormatUIMessage(key, {dish, menu, stock}), std::string(file) + ": " + key);
        }
    }
}

}  // namespace
