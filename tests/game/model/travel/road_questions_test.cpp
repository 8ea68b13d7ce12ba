// Questions a road's events ask: one met inside another, and those the road leaves behind unanswered.
#include <gtest/gtest.h>


#include "game/model/travel/route_manager.h"
#include "game/model/travel/travel_controller.h"
#include "game/model/world/game_over_causes.h"
#include "game/model/world/game_world.h"
#include "game/services/input/input_actions.h"
#include "game/services/text/message_text.h"
#include "game/ui/event_selection.h"
#include "game/ui/screens/ui_event.h"
#include "game/ui/ui_manager.h"
#include "tests/support/game_fixture.h"

namespace {

// Road 1: the oasis asks whether to rest, the gate whether to pay; each answer is noted in a
// variable of its own (1 for the first choice, 2 for the second). Road 2 is the next road.
constexpr std::string_view kQuestionRoutes = R"(
.entry 1
"データベース登録":
    reg.route 'AD01' 'AD02' 500
    halt
"経路作成":
    return
"oasis":
    text.window 1
    choice.open "ROUTE_OASIS_CHOICE"
    choice.texts "ROUTE_OASIS_REST" "ROUTE_OASIS_GO" "NULL"
    choice.target 0 oasis_rest
    choice.target 1 oasis_go
    choice.wait
oasis_rest:
    var.set "oasis" "=" 1
    text.window 0
    return
oasis_go:
    var.set "oasis" "=" 2
    text.window 0
    return
"toll":
    text.window 1
    choice.open "ROUTE_TOLL_CHOICE"
    choice.texts "ROUTE_TOLL_PAY" "ROUTE_TOLL_REFUSE" "NULL"
    choice.target 0 toll_pay
    choice.target 1 toll_refuse
    choice.wait
toll_pay:
    var.set "toll" "+=" 1
    text.window 0
    return
toll_refuse:
    var.set "toll" "+=" 2
    text.window 0
    return
"ゲームオーバー":
    text.window 1
    text.add "ROUTE_GAMEOVER_STALL" 0
    var.set "lost" "=" 1
    text.window 0
    return
.entry 2
"データベース登録":
    reg.route 'AD02' 'AD03' 500
    halt
"経路作成":
    return
)";

class RoadQuestions : public support::GameFixture {
protected:
    void SetUp() override
    {
        support::GameFixture::SetUp();
        UseRoadScript(kQuestionRoutes);
        ASSERT_NO_FATAL_FAILURE(StartPlaying());
        UI().SetOpen(kSlotCommon, true);
        world = GetGameWorld();
        std::uint32_t road = 1;
        StartRoute(*world->travel, &road, true, {}, {});
        StepFrames(2);
        ASSERT_FALSE(Route().IsRouteEventRunning());
    }

    GAME_CRouteManager& Route() const { return *world->travel->routeManager; }
    std::int32_t Variable(std::string_view name) const
    {
        const RouteVariable* variable = Route().Script().FindRouteVariable(name);
        return variable != nullptr ? variable->value : -1;
    }
    // The event of the label met as the ship passes it (a call from outside the script).
    void Meet(std::u16string_view label)
    {
        const auto found = Route().Script().FindLabel(label);
        ASSERT_TRUE(found.has_value());
        Route().Script().Call(found->commandIndex);
    }
    // Frames until the choice window shows the question of the title key, slid in.
    bool StepUntilAsked(const char* titleKey)
    {
        const std::u16string title = GetMessageTextExpanded(titleKey);
        const GAME_CUIEventSelectionObject& choices = *GetEventSelection();
        // A question asked over another slides in anew; the window still stands shown for two frames.
        StepFrames(2);
        return StepUntil([&] { return choices.State() == 2 && std::u16string_view(choices.Title().c_str()) == title; }, 60);
    }

    GAME_CGameWorld* world = nullptr;
};

// The gate is met while the oasis still asks: its question takes the window and its answer is its
// own. Then the oasis asks again, and its answer leads to its own labels, not to the gate's.
TEST_F(RoadQuestions, AQuestionMetInsideAnotherAnswersItselfAndTheFirstIsAskedAgain)
{
    ASSERT_NO_FATAL_FAILURE(Meet(u"oasis"));
    ASSERT_TRUE(StepUntilAsked("ROUTE_OASIS_CHOICE"));
    ASSERT_NO_FATAL_FAILURE(Meet(u"toll"));
    ASSERT_TRUE(StepUntilAsked("ROUTE_TOLL_CHOICE"));
    PressAction(kActionCursorDown);
    StepFrames(1);
    PressAction(kActionDecide);
    StepFrames(2);
    EXPECT_EQ(Variable("toll"), 2) << "the gate refused";

    ASSERT_TRUE(StepUntilAsked("ROUTE_OASIS_CHOICE")) << "the oasis's question was not asked again";
    EXPECT_EQ(Variable("toll"), 2) << "the gate's answer was taken for the oasis";
    EXPECT_EQ(Variable("oasis"), -1);
    EXPECT_EQ(GetEventSelection()->Answer(), -1);
    PressAction(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return !Route().IsRouteEventRunning(); }, 60));
    EXPECT_EQ(Variable("oasis"), 1) << "the oasis rested";
    EXPECT_EQ(Variable("toll"), 2);
    ASSERT_TRUE(StepUntil([&] { return !GetEventSelection()->IsActive() && !UI().IsOpen(kSlotEvent); }, 60));
}

// The ship came in with the oasis's question still open, and the player took the next road: the
// oasis's event is gone with its road, and so is its question. Later questions are answered as usual.
TEST_F(RoadQuestions, AQuestionLeftOpenGoesWithItsRoad)
{
    ASSERT_NO_FATAL_FAILURE(Meet(u"oasis"));
    ASSERT_TRUE(StepUntilAsked("ROUTE_OASIS_CHOICE"));
    std::uint32_t next = 2;
    StartRoute(*world->travel, &next, true, {}, {});
    ASSERT_TRUE(StepUntil([&] { return !GetEventSelection()->IsActive(); }, 60))
        << "the question stays up with nothing behind it";
    EXPECT_FALSE(UI().IsOpen(kSlotEvent));

    std::uint32_t back = 1;
    StartRoute(*world->travel, &back, true, {}, {});
    StepFrames(2);
    ASSERT_NO_FATAL_FAILURE(Meet(u"toll"));
    ASSERT_TRUE(StepUntilAsked("ROUTE_TOLL_CHOICE"));
    PressAction(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return !Route().IsRouteEventRunning() && !GetEventSelection()->IsActive(); }, 60));
    EXPECT_EQ(Variable("toll"), 1);
    EXPECT_EQ(Variable("oasis"), -1);
}

// The ship is lost while the oasis asks: the game-over label takes the script, and the question
// that no event waits for any more leaves with the event instead of standing over the game-over text
// and taking the press meant for it.
TEST_F(RoadQuestions, AGameOverWhileAQuestionIsOpenTakesTheQuestionAway)
{
    ASSERT_NO_FATAL_FAILURE(Meet(u"oasis"));
    ASSERT_TRUE(StepUntilAsked("ROUTE_OASIS_CHOICE"));
    UI().SetGameOverCause(kGameOverCauseStalled);
    UI().SetOpen(kSlotGameOver, true);
    const GAME_CUIEvent& window = *UI().Get<GAME_CUIEvent>();
    const std::u16string lost = GetMessageTextExpanded("ROUTE_GAMEOVER_STALL");
    ASSERT_TRUE(StepUntil([&] { return window.AllShown() && window.pendingText.find(lost) != std::u16string::npos; }, 1200));
    ASSERT_TRUE(StepUntil([&] { return !GetEventSelection()->IsActive(); }, 30))
        << "the question stands over the game-over text";
    PressAction(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return !Route().IsRouteEventRunning(); }, 60)) << "the press went to the question";
    EXPECT_EQ(Variable("lost"), 1);
    EXPECT_EQ(Variable("oasis"), -1);
}

}  // namespace
