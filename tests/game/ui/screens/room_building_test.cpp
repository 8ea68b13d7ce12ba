// The room construction window: a crew quarters from the start's supplies, its build task, time and materials, and giving it up.
#include <gtest/gtest.h>

#include <ranges>
#include <string>
#include <vector>

#include "game/model/ship/ship.h"
#include "game/model/ship/task_base.h"
#include "game/model/ship/task_manager.h"
#include "game/model/stores/stored_items.h"
#include "game/model/travel/route_manager.h"
#include "game/model/travel/travel_controller.h"
#include "game/services/clock/game_clock.h"
#include "game/services/data/static_database.h"
#include "game/services/player/player_data.h"
#include "game/services/text/language.h"
#include "game/ui/screens/ui_room_building.h"
#include "game/ui/selection_dialog.h"
#include "game/ui/text_lines.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_room_access.h"
#include "game/ui/ui_text.h"
#include "tests/game/ui/screens/room_screen_test_base.h"

namespace {

constexpr std::uint32_t kTimber = MakeTag("I002");
constexpr std::uint32_t kCloth = MakeTag("I003");

class RoomBuildingTest : public support::RoomScreenTest {
protected:
    GAME_CUIRoomBuilding& Window() const { return *UI().Get<GAME_CUIRoomBuilding>(); }

    // The start of a new game: its texts confirmed as they wait, until the ship is handed to road 1.
    void PlayTheStart()
    {
        GAME_CRouteManager& route = *world->travel->routeManager;
        ASSERT_TRUE(route.LoadStartRoute());
        for (int frame = 0; frame < 3000 && route.IsStartRoute(); ++frame) {
            if (frame % 8 == 0) PressAction(kActionDecide);
            StepFrames(1);
        }
        ASSERT_FALSE(route.IsStartRoute());
        ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotEvent); }, 600));
    }

    // A crew quarters under construction on the first free cell, without a build task.
    GAME_CRoomBase* PlaceQuarters()
    {
        const std::int32_t kind = FindRoomIdIndex(MakeTag("ID03"));
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 12; ++x) {
                if (world->ship->CanPlaceRoom(x, y, kind)) return world->ship->PlaceNewRoom(x, y, kind, MakeTag("ID03"), false);
            }
        }
        return nullptr;
    }

    std::size_t BuildTasksOf(const GAME_CRoomBase& room) const
    {
        UIRoomTasks tasks;
        const std::size_t count = GetUIRoomTasks(&room, tasks);
        std::size_t builds = 0;
        for (std::size_t i = 0; i < count; ++i) builds += tasks[i]->GetKind() == kTaskRoomBuild ? 1 : 0;
        return builds;
    }

    static std::u16string Line(const char* key, std::u16string_view filler, int count)
    {
        return GetMessageTextExpanded(key) + std::u16string(filler) + UIFullWidthNumber(count) + GetMessageTextExpanded("ADD_TEXT_UI_ROOM_BUILD_004");
    }
};

// The start drops timber x4 and cloth x2: a crew quarters placed from them opens the construction
// window, which posts its build task. Time 30 s, two lines for each of the two materials, and the
// world stepping behind. Cancel asks with no first and stands the game still; no lets it run on; yes
// marks the room, tells, closes, and the next ship update takes the room away giving nothing back.
TEST_F(RoomBuildingTest, AQuartersFromTheStartSuppliesIsGivenUpThroughTheQuestion)
{
    PlayTheStart();
    EXPECT_EQ(CountFieldItem(kTimber) + CountStoredItem(kTimber), 4);
    EXPECT_EQ(CountFieldItem(kCloth) + CountStoredItem(kCloth), 2);
    GAME_CRoomBase* quarters = PlaceQuarters();
    ASSERT_NE(quarters, nullptr);
    ASSERT_TRUE(quarters->underConstruction);
    ASSERT_EQ(BuildTasksOf(*quarters), 0u);

    OpenScreenOf(*quarters);
    ASSERT_TRUE(UI().IsOpen(kSlotRoomBuilding));
    ASSERT_TRUE(StepUntil([&] { return Window().State() == UIScreenState::kMain; }, 30));
    StepFrames(2);
    EXPECT_EQ(BuildTasksOf(*quarters), 1u) << "one build task, posted once";
    EXPECT_EQ(Window().RoomName()->Literal(), GetMessageTextExpanded("ID03"));
    EXPECT_EQ(Window().TimeLabel()->Literal(),
              FormatUIMessage("BUILD_TEXT_TOFINISH", {UIFullWidthNumber(30), GetMessageTextExpanded("TIME_UNIT_TEXT")}));
    EXPECT_EQ(Window().LineLeft(0)->Literal(), GetMessageTextExpanded("I002"));
    EXPECT_EQ(Window().LineRight(0)->Literal(), Line("ADD_TEXT_UI_ROOM_BUILD_001", u"\u3000\u3000", 4));
    EXPECT_EQ(Window().LineLeft(2)->Literal(), GetMessageTextExpanded("I003"));
    EXPECT_FALSE(Window().LineLeft(3)->Literal().empty());
    for (int line = 4; line < GAME_CUIRoomBuilding::kLines; ++line) EXPECT_TRUE(Window().LineLeft(line)->Literal().empty()) << line;
    EXPECT_EQ(Window().ScrollBar()->Maximum(), 0);
    const std::uint32_t clock = GetGameClock()->step;
    StepFrames(30);
    EXPECT_GT(GetGameClock()->step, clock) << "the world steps behind the window";
    EXPECT_EQ(world->held, 0u);
    Keep("room-building");

    PressAction(kActionMenuFunctionB);
    ASSERT_TRUE(StepUntil([&] { return Window().CurrentPage() == GAME_CUIRoomBuilding::kAsk; }, 15));
    EXPECT_EQ(Dialog().Message(), FormatUIMessage("ROOM_BUILDING_CANCEL_YESNO", {GetMessageTextExpanded("ID03")}) + u"\n" +
                                      GetMessageTextExpanded("ARE_YOU_SURE"));
    EXPECT_EQ(Dialog().cursorIndex, 1) << "no comes first";
    StepFrames(2);
    EXPECT_EQ(world->held, 1u);
    const std::uint32_t asked = GetGameClock()->step;
    StepFrames(10);
    EXPECT_EQ(GetGameClock()->step, asked);
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerNo);
    ASSERT_TRUE(StepUntil([&] { return Window().CurrentPage() == GAME_CUIRoomBuilding::kMain && !Dialog().IsVisible(); }, 30));
    EXPECT_EQ(world->held, 0u);
    EXPECT_FALSE(quarters->removeRequested);

    const std::int64_t timber = CountFieldItem(kTimber) + CountStoredItem(kTimber) + CountCarriedItem(kTimber);
    PressAction(kActionMenuFunctionB);
    ASSERT_TRUE(StepUntil([&] { return Window().CurrentPage() == GAME_CUIRoomBuilding::kAsk; }, 15));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    StepFrames(2);
    EXPECT_EQ(Window().CurrentPage(), GAME_CUIRoomBuilding::kCancelled);
    EXPECT_TRUE(quarters->removeRequested);
    EXPECT_EQ(Dialog().Message(), GetMessageTextExpanded("ROOM_BUILDING_CANCEL_FINISHED"));
    ASSERT_TRUE(CloseMessage());
    ASSERT_TRUE(StepUntil([&] { return !Window().IsOpen(); }, 30));
    StepFrames(2);
    EXPECT_LT(world->ship->GetRoomIndex(quarters), 0) << "the room is gone";
    EXPECT_LE(CountFieldItem(kTimber) + CountStoredItem(kTimber) + CountCarriedItem(kTimber), timber) << "nothing refunded";
}

// While a script waits for the room its cancel button is grey and dead; the window closes by itself
// once the room is finished.
TEST_F(RoomBuildingTest, ARoomAScriptAwaitsCannotBeGivenUpAndAFinishedRoomClosesTheWindow)
{
    GAME_CRoomBase* quarters = PlaceQuarters();
    ASSERT_NE(quarters, nullptr);
    world->ship->awaitedRoomId = MakeTag("ID03");
    OpenScreenOf(*quarters);
    ASSERT_EQ(Window().State(), UIScreenState::kMain);
    EXPECT_EQ(Window().CancelButton()->Color(), 0xFFB4B4B4u);
    EXPECT_EQ(Window().CancelLabel()->Color(), GetUIColor(5));
    PressAction(kActionMenuFunctionB);
    StepFrames(10);
    PressAction(kActionDecide);
    StepFrames(10);
    EXPECT_EQ(Window().CurrentPage(), GAME_CUIRoomBuilding::kMain);
    EXPECT_FALSE(Dialog().IsVisible());

    world->ship->awaitedRoomId = kNoId;
    StepFrames(1);
    EXPECT_EQ(Window().CancelButton()->Color(), 0xFFFFFFFFu);
    quarters->underConstruction = false;
    ASSERT_TRUE(StepUntil([&] { return !Window().IsOpen(); }, 30));
}

// In every language the give-up question, with the widest room name and the are-you-sure line, keeps to
// the shared dialog's lines, each inside its box less the margin on either side.
TEST_F(RoomBuildingTest, TheGiveUpQuestionFitsTheDialogWithTheWidestRoomNameInEveryLanguage)
{
    for (std::uint32_t language = 0; language < kLanguageCount; ++language) {
        ChooseLanguage(language);
        const std::string_view file = GetMessageFileForLanguage(language);
        const std::u16string room = WidestTagName(std::views::keys(GetStaticDatabase()->Rooms()));
        ASSERT_FALSE(room.empty());
        ExpectFitsDialog(FormatUIMessage("ROOM_BUILDING_CANCEL_YESNO", {room}) + u"\n" + GetMessageTextExpanded("ARE_YOU_SURE"), file);
    }
}

}  // namespace
