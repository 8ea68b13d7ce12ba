// The task cancel window: a task's name, time, needs and crew; cancelling it and switching its repeat through the shared dialog.
#include <gtest/gtest.h>

#include <algorithm>
#include <ranges>
#include <string>
#include <vector>

#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/task_base.h"
#include "game/model/ship/task_manager.h"
#include "game/model/ship/task_request.h"
#include "game/services/clock/game_clock.h"
#include "game/services/data/static_database.h"
#include "game/services/data/static_lookups.h"
#include "game/services/player/player_data.h"
#include "game/services/text/language.h"
#include "game/ui/list_controller.h"
#include "game/ui/screens/ui_engine_room.h"
#include "game/ui/screens/ui_task_cancel.h"
#include "game/ui/selection_dialog.h"
#include "game/ui/text_lines.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_text.h"
#include "tests/game/ui/screens/room_screen_test_base.h"

namespace {

class TaskCancelTest : public support::RoomScreenTest {
protected:
    GAME_CUITaskCancel& Window() const { return *UI().Get<GAME_CUITaskCancel>(); }

    // As a room's task list opens it for a task row.
    void OpenFor(GAME_CTaskBase* task, GAME_CRoomBase& room)
    {
        Window().task = task;
        Window().OpenForRoom(&room);
        ASSERT_TRUE(StepUntil([&] { return Window().State() == UIScreenState::kMain; }, 30));
        StepFrames(1);
    }

    bool Listed(const GAME_CTaskBase* task) const
    {
        const auto& tasks = world->tasks->tasks;
        return std::find(tasks.begin(), tasks.end(), task) != tasks.end();
    }

    GAME_CObjectActor& NewMember() const
    {
        GAME_CObjectActor* member = world->fieldObjects->AcquireActorObject();
        EXPECT_NE(member, nullptr);
        ActorSetupRecord setup;
        member->Init(setup);
        world->fieldObjects->crew.push_back(member);
        return *member;
    }

    static std::u16string TimeText(int seconds)
    {
        return FormatUIMessage("BUILD_TEXT_TOFINISH", {UIFullWidthNumber(seconds), GetMessageTextExpanded("TIME_UNIT_TEXT")});
    }
};

// An engine maintenance of 900 frames: its name as the title, 15 seconds left, nothing needed. Cancel
// and yes: the notice names room and task, the task is finished at once but stays listed until the
// window has closed; the room's other task stays. Back on the engine room's screen, the game still
// stands behind it until that screen closes too.
TEST_F(TaskCancelTest, ACancelledTaskStaysListedFinishedUntilTheWindowHasClosedAndTheRoomScreenStillHoldsTheGame)
{
    GAME_CRoomBase& engine = Place("ID23", 0, 2);
    GAME_CTaskBase* upkeep = GAME_CTaskBase::CreateFromRequest(MakeEngineMaintenanceRequest(IndexOf(engine), 0));
    GAME_CTaskBase* refuel = GAME_CTaskBase::CreateFromRequest(MakeRefuelRequest(MakeTag("TF01"), IndexOf(engine), 0));
    ASSERT_TRUE(upkeep != nullptr && refuel != nullptr);
    ASSERT_EQ(upkeep->GetTaskValue(), 900);
    // Ordered once, as the add-task window's first button orders it.
    upkeep->repeat = 0;

    // The engine room's task page lists it first: clicks on its row open the window, with one decide sound.
    engine.rememberedTab = static_cast<std::int32_t>(GAME_CUIEngineRoom::Page::kTasks);
    OpenScreenOf(engine);
    ASSERT_EQ(UI().Get<GAME_CUIEngineRoom>()->CurrentPage(), GAME_CUIEngineRoom::Page::kTasks);
    const std::size_t from = frames.size();
    ClickAt(390, 105);
    StepFrames(2);
    ClickAt(390, 105);
    ASSERT_TRUE(StepUntil([&] { return Window().IsOpen(); }, 5));
    EXPECT_EQ(CountPlayed(kSeUIDecide, from), 1);
    EXPECT_EQ(Window().task, upkeep);
    EXPECT_EQ(Window().target, &engine);
    ASSERT_TRUE(StepUntil([&] { return Window().State() == UIScreenState::kMain; }, 30));
    StepFrames(1);
    EXPECT_EQ(world->held, 1u) << "the game stands behind the window";
    EXPECT_EQ(Window().Title()->Literal(), GetMessageTextExpanded("TMNT"));
    EXPECT_EQ(Window().TimeLabel()->Literal(), TimeText(15));
    for (int row = 0; row < GAME_CUITaskCancel::kMaterialRows; ++row) EXPECT_TRUE(Window().MaterialName(row)->Literal().empty()) << row;
    EXPECT_GE(Window().CrewRow(0).Node()->GetPosition()->x, 640.0f) << "no crew: the rows are off the canvas";
    EXPECT_TRUE(DrewText(GetMessageTextExpanded("TMNT")));
    EXPECT_FALSE(DrewText(GetMessageTextExpanded("ID23"))) << "the room screen beneath is hidden";
    Keep("task-cancel");

    PressAction(kActionMenuFunctionB);
    ASSERT_TRUE(StepUntil([&] { return Window().CurrentPage() == GAME_CUITaskCancel::kAskCancel; }, 15));
    const std::u16string room = GetMessageTextExpanded("ID23");
    EXPECT_EQ(Dialog().Message(), FormatUIMessage("TASKCANCEL_CANCEL_YESNO", {room, GetMessageTextExpanded("TMNT")}) + u"\n" +
                                      GetMessageTextExpanded("ARE_YOU_SURE"));
    EXPECT_EQ(Dialog().cursorIndex, 1) << "no comes first";
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    StepFrames(2);
    EXPECT_EQ(Window().CurrentPage(), GAME_CUITaskCancel::kCancelled);
    EXPECT_TRUE(upkeep->IsFinished());
    EXPECT_TRUE(Listed(upkeep));
    EXPECT_EQ(Dialog().Message(), FormatUIMessage("TASKCANCEL_CANCEL_FINISHED", {room, GetMessageTextExpanded("TMNT")}));

    ASSERT_TRUE(CloseMessage());
    ASSERT_TRUE(StepUntil([&] { return !Window().IsOpen(); }, 10));
    EXPECT_FALSE(Listed(upkeep));
    EXPECT_TRUE(Listed(refuel) && !refuel->IsFinished());

    auto& screen = *UI().Get<GAME_CUIEngineRoom>();
    ASSERT_TRUE(screen.IsOpen());
    const std::uint32_t clock = GetGameClock()->step;
    StepFrames(30);
    EXPECT_EQ(world->held, 1u);
    EXPECT_EQ(GetGameClock()->step, clock) << "no simulation step behind the room screen";
    screen.SetOpen(false);
    ASSERT_TRUE(StepUntil([&] { return screen.State() == UIScreenState::kClosed; }, 30));
    EXPECT_EQ(world->held, 0u) << "the game runs again once the room screen has closed";
}

// A task row takes the pointer where it is drawn: with the rows moved two lines down, a click on the
// second task's drawn row opens the window for that task.
TEST_F(TaskCancelTest, TaskRowsTakeClicksWhereTheyAreDrawn)
{
    GAME_CRoomBase& engine = Place("ID23", 0, 2);
    GAME_CTaskBase* upkeep = GAME_CTaskBase::CreateFromRequest(MakeEngineMaintenanceRequest(IndexOf(engine), 0));
    GAME_CTaskBase* refuel = GAME_CTaskBase::CreateFromRequest(MakeRefuelRequest(MakeTag("TF01"), IndexOf(engine), 0));
    ASSERT_TRUE(upkeep != nullptr && refuel != nullptr);
    engine.rememberedTab = static_cast<std::int32_t>(GAME_CUIEngineRoom::Page::kTasks);
    OpenScreenOf(engine);
    GAME_CUIListController& rows = *UI().Get<GAME_CUIEngineRoom>()->TaskTab().Controller();
    const vesk::math::Vec2 origin = rows.Origin();
    rows.SetOrigin({origin.x, origin.y + 2.0f * kUILineStep});
    StepFrames(2);
    const vesk::math::Vec2 second = rows.RowAt(1);
    ASSERT_GE(second.y, 100.0f + 3.0f * kUILineStep) << "drawn below where the rows stood";
    const support::RecordedTextDraw* drawn = FindTextDraw(GetMessageTextExpanded("TF01"));
    ASSERT_NE(drawn, nullptr);
    EXPECT_FLOAT_EQ(drawn->y, second.y) << "the second row's text stands at its row";
    ClickAt(static_cast<int>(second.x) + 12, static_cast<int>(second.y) + 5);
    StepFrames(2);
    EXPECT_EQ(rows.Cursor(), 1u);
    ClickAt(static_cast<int>(second.x) + 12, static_cast<int>(second.y) + 5);
    ASSERT_TRUE(StepUntil([&] { return Window().IsOpen(); }, 5));
    EXPECT_EQ(Window().task, refuel);
}

// A refuel needs a fuel can the ship does not have: its row in the short colour, 10 seconds left.
// Its repeat is switched on through the question; the title gains the repeat mark. Its two working
// crew: meters held to three digits, two skills taking turns every 120 frames. An upgrade cannot
// repeat: its button is grey and deaf. Keys reach the window only with the frame's input.
TEST_F(TaskCancelTest, RepeatIsSwitchedOnForARefuelButAnUpgradeCannotRepeat)
{
    GAME_CRoomBase& engine = Place("ID23", 0, 2);
    GAME_CTaskBase* refuel = GAME_CTaskBase::CreateFromRequest(MakeRefuelRequest(MakeTag("TF01"), IndexOf(engine), 0));
    ASSERT_NE(refuel, nullptr);
    GAME_CObjectActor& stoker = NewMember();
    stoker.status.stamina = 500;
    stoker.status.calorie = 1'500'000;
    stoker.status.skills[0].id = MakeTag("S001");
    stoker.status.skills[1].id = MakeTag("S002");
    refuel->AddCrew(&stoker);

    OpenFor(refuel, engine);
    EXPECT_EQ(Window().TimeLabel()->Literal(), TimeText(10));
    EXPECT_EQ(Window().MaterialName(0)->Literal(), GetMessageTextExpanded("I013"));
    std::u16string count = u"×";  // appended piece by piece: GCC 12's optimiser warns falsely on a literal plus a string
    count.append(UIFullWidthNumber(1)).append(u"(").append(UIFullWidthNumber(0)).append(u")");
    EXPECT_EQ(Window().MaterialCount(0)->Literal(), count);
    EXPECT_EQ(Window().MaterialCount(0)->Color(), 0xFFFF21FFu);
    EXPECT_TRUE(Window().MaterialName(1)->Literal().empty());
    Keep("task-cancel-crew");

    const UICrewRow& row = Window().CrewRow(0);
    EXPECT_EQ(row.Node()->GetPosition()->x, 353.0f);
    EXPECT_GE(Window().CrewRow(1).Node()->GetPosition()->x, 640.0f);
    EXPECT_EQ(row.DigitsAt(0).Shown(), 1);
    EXPECT_EQ(row.DigitsAt(1).Shown(), 999);
    EXPECT_TRUE(StepUntil([&] { return row.TraitLabel(UICrewTrait::kSkill)->Literal() == GetMessageTextExpanded("S002"); },
                          UICrewRow::kTraitTurnFrames + 2));
    StepFrames(UICrewRow::kTraitTurnFrames - 2);
    EXPECT_EQ(row.TraitLabel(UICrewTrait::kSkill)->Literal(), GetMessageTextExpanded("S002"));
    StepFrames(3);
    EXPECT_EQ(row.TraitLabel(UICrewTrait::kSkill)->Literal(), GetMessageTextExpanded("S001"));

    // Under a screen that keeps the input, decide does not reach the window.
    UI().SetOpen(kSlotMessageLog, true);
    ASSERT_TRUE(StepUntil([&] { return UI().IsOpen(kSlotMessageLog); }, 5));
    StepFrames(20);
    PressAction(kActionDecide);
    StepFrames(2);
    EXPECT_EQ(Window().CurrentPage(), GAME_CUITaskCancel::kMain);
    ASSERT_TRUE(CloseScreen(kSlotMessageLog));
    StepFrames(2);

    // Decide on the repeat button: the question, yes, the notice.
    ASSERT_EQ(Window().CursorAt(), GAME_CUITaskCancel::Cursor::kRepeat);
    PressAction(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return Window().CurrentPage() == GAME_CUITaskCancel::kAskRepeatOn; }, 5));
    EXPECT_EQ(Dialog().Message(), FormatUIMessage("TASKCANCEL_TASKREPEAT_YESNO", {GetMessageTextExpanded("ID23"), GetMessageTextExpanded("TF01")}) +
                                      u"\n" + GetMessageTextExpanded("ARE_YOU_SURE"));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    StepFrames(2);
    EXPECT_EQ(refuel->repeat, 1u);
    ASSERT_TRUE(CloseMessage());
    StepFrames(2);
    EXPECT_EQ(Window().CurrentPage(), GAME_CUITaskCancel::kMain);
    EXPECT_EQ(Window().Title()->Literal(), GetMessageTextExpanded("TF01") + GetMessageTextExpanded("TASKCANCEL_TASKREPEAT"));
    EXPECT_EQ(Window().RepeatLabel()->Key(), std::string("TASKCANCEL_BUTTON_REPEAT_OFF"));
    ASSERT_TRUE(CloseScreen(kSlotTaskCancel));
    EXPECT_TRUE(Listed(refuel)) << "closing cancels nothing";

    GAME_CRoomBase& quarters = Place("ID03", 2, 3);
    const TaskData* record = FindTaskData(MakeTag("TU03"));
    ASSERT_NE(record, nullptr);
    GAME_CTaskBase* upgrade = GAME_CTaskBase::CreateFromRequest(MakeRoomUpgradeRequest(*record, IndexOf(quarters)));
    ASSERT_NE(upgrade, nullptr);
    OpenFor(upgrade, quarters);
    const GAME_CUIIconObject* repeat = Window().RepeatButton();
    EXPECT_EQ(repeat->Color(), 0xFF808080u);
    EXPECT_EQ(Window().RepeatLabel()->Color(), GetUIColor(5));
    PressAction(kActionMenuFunctionA);
    StepFrames(10);
    PressAction(kActionDecide);
    StepFrames(10);
    const vesk::math::Vec2 at = const_cast<GAME_CUIIconObject*>(repeat)->WorldPosition();
    ClickAt(static_cast<int>(at.x), static_cast<int>(at.y));
    StepFrames(10);
    EXPECT_EQ(Window().CurrentPage(), GAME_CUITaskCancel::kMain);
    EXPECT_FALSE(Dialog().IsVisible());
    EXPECT_EQ(upgrade->repeat, 0u);
}

// The questions and notices name a room and a task; in every language, with the widest names the
// data has, every line stays inside the shared dialog's box, as wide as its text area less the margin on either side.
TEST_F(TaskCancelTest, TheQuestionsAndNoticesFitTheDialogWithTheWidestRoomAndTaskNames)
{
    for (std::uint32_t language = 0; language < kLanguageCount; ++language) {
        ChooseLanguage(language);
        const std::string_view file = GetMessageFileForLanguage(language);
        const std::u16string room = WidestTagName(std::views::keys(GetStaticDatabase()->Rooms()));
        const std::u16string task = WidestTagName(std::views::keys(GetStaticDatabase()->Tasks()));
        ASSERT_FALSE(room.empty());
        ASSERT_FALSE(task.empty());

        // The questions end in the are-you-sure line; the notice stands alone.
        std::u16string sure = u"\n";
        sure += GetMessageTextExpanded("ARE_YOU_SURE");
        for (const auto& [key, ending] : {std::pair{"TASKCANCEL_CANCEL_YESNO", sure}, std::pair{"TASKCANCEL_TASKREPEAT_YESNO", sure},
                                          std::pair{"TASKCANCEL_TASKNOREPEAT_YESNO", sure}, std::pair{"TASKCANCEL_CANCEL_FINISHED", std::u16string()}}) {
            ExpectFitsDialog(FormatUIMessage(key, {room, task}) + ending, std::string(file) + ": " + key);
        }
    }
}

}  // namespace
