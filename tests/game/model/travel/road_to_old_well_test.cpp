// The shipped road from Cheddar Springs to Old Well, driven on the real data set as a player drives
// it, texts read and choices answered, until the ship stands at Old Well.
#include <gtest/gtest.h>

#include "framework/math/random.h"
#include "game/services/achievement/achievements.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_enemy.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/travel/route_manager.h"
#include "game/model/travel/travel_controller.h"
#include "game/model/world/game_world.h"
#include "game/services/data/tag.h"
#include "game/services/input/input_actions.h"
#include "game/services/player/player_data.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/text/message_text.h"
#include "game/ui/event_selection.h"
#include "game/ui/text_lines.h"
#include "game/ui/ui_draw.h"
#include "game/ui/screens/ui_event.h"
#include "game/ui/ui_manager.h"
#include "tests/support/game_fixture.h"
#include "platform/little_endian.h"

namespace {

constexpr std::uint32_t kRoadToOldWell = 2;

class RoadToOldWell : public support::GameFixture {
protected:
    // Sets the new game's ship out for Old Well on fixed dice with its engines connected; the
    // hideout's notice is shown.
    void SetOutForOldWell()
    {
        GAME_CGameWorld& world = *GetGameWorld();
        vesk::math::SeedRandom(3);
        for (GAME_CRoomBase* room : world.ship->rooms) {
            if (room != nullptr && room->kind == 23) room->engineMode = kEngineConnected;
        }
        world.ship->RecalcStats();
        ASSERT_GT(world.ship->speed, 0.0f);
        std::uint32_t road = kRoadToOldWell;
        StartRoute(*world.travel, &road, true, {}, {});
        ShowNextHideoutNotice(world);
    }

    // Once the ship is under way, the raiders' event, placed on the road's first half as the ship
    // set out, is met just short of the toll gate at 1500.
    void MeetRaidersShortOfTheTollGate()
    {
        GAME_CRouteManager& route = *GetGameWorld()->travel->routeManager;
        ASSERT_TRUE(StepConfirmingEventsUntil([&] { return route.GetPosition() > 8 && !route.IsRouteEventRunning(); }, 3000));
        std::int32_t raiders = -1;
        for (const auto& event : route.Events()->randomEvents) {
            if (event != nullptr && event->GetTo() <= 1500) raiders = event->GetLabel();
        }
        ASSERT_NE(raiders, -1);
        route.SetPosition(1470);
        route.Script().Call(static_cast<std::uint32_t>(raiders));
    }
};

// The ship drives on while the toll's question waits: a player who leaves it open meets the crates
// further down the road, whose event runs inside the toll's. The crates' text is read under the
// toll's, and the crates' end leaves the window to the toll, whose question still waits for its
// answer (it is not passed over). Answered then, the toll's last line is shown in its window, read,
// and the road ends at Old Well.
TEST_F(RoadToOldWell, AQuestionLeftOpenWhileTheShipDrivesIntoTheNextEventStillEndsAtOldWell)
{
    ASSERT_NO_FATAL_FAILURE(StartNewGameToFirstRoad());
    ASSERT_NO_FATAL_FAILURE(SetOutForOldWell());
    GAME_CGameWorld& world = *GetGameWorld();
    GAME_CRouteManager& route = *world.travel->routeManager;
    const GAME_CUIEvent& window = *UI().Get<GAME_CUIEvent>();
    const std::u16string tollText = GetMessageTextExpanded("ROUTE_TOLL_01");
    const std::u16string cratesText = GetMessageTextExpanded("ROUTE_CACHE_01");
    const std::u16string paid = GetMessageTextExpanded("ROUTE_TOLL_PAID");

    ASSERT_TRUE(StepConfirmingEventsUntil([&] { return GetEventSelection()->IsActive(); }, 6000))
        << "no question by " << route.GetPosition();
    const std::int32_t askedAt = route.GetPosition();
    ASSERT_TRUE(StepUntil([&] { return route.GetPosition() >= 2820; }, 6000)) << "stopped at " << route.GetPosition();
    EXPECT_GT(route.GetPosition(), askedAt);
    EXPECT_TRUE(GetEventSelection()->IsActive());
    ASSERT_TRUE(StepConfirmingEventsUntil(
        [&] { return window.IsFinished() && window.pendingText.find(cratesText) != std::u16string::npos; }, 3000));
    StepFrames(2);
    EXPECT_TRUE(UI().IsOpen(kSlotEvent)) << "the crates' end closed the toll's window";
    EXPECT_NE(window.pendingText.find(tollText), std::u16string::npos);
    ASSERT_TRUE(GetEventSelection()->IsActive());
    EXPECT_EQ(GetPlayerData()->money, 500) << "nothing paid before the answer";
    PressAction(kActionDecide);

    bool saidPaid = false;
    const bool arrived = StepConfirmingEventsUntil(
        [&] {
            saidPaid = saidPaid || (window.IsOpen() && window.Text().shownText.find(paid) != std::u16string::npos);
            const LocationRecord* here = world.travel->GetLocation();
            return here != nullptr && here->hideoutId == MakeTag("AD04") && !route.IsRouteEventRunning();
        },
        3000);
    ASSERT_TRUE(arrived) << "at " << route.GetPosition() << " of " << route.GetLength() << ", event window "
                         << UI().IsOpen(kSlotEvent) << ", route event " << route.IsRouteEventRunning();
    EXPECT_EQ(GetPlayerData()->money, 400) << "the toll was paid";
    EXPECT_TRUE(saidPaid) << "the gate's answer was written to a closed window";
    EXPECT_FALSE(UI().IsOpen(kSlotEvent));
    EXPECT_FALSE(GetEventSelection()->IsActive());
}

// Raiders met just before the toll gate, their text left unread: the toll's event runs inside the
// raiders' one while their text is still up. The toll's text goes on under it on a line of its own
// (not glued to the raiders' line, running out of the panel). Its question answered, the toll hands
// the road back to the raiders' event, which goes on: its dune strider comes. The road still ends
// at Old Well.
TEST_F(RoadToOldWell, AnEventMetWhileAnotherOnesTextIsUpWritesOnALineOfItsOwnAndHandsTheRoadBack)
{
    ASSERT_NO_FATAL_FAILURE(StartNewGameToFirstRoad());
    ASSERT_NO_FATAL_FAILURE(SetOutForOldWell());
    GAME_CGameWorld& world = *GetGameWorld();
    GAME_CRouteManager& route = *world.travel->routeManager;
    ASSERT_NO_FATAL_FAILURE(MeetRaidersShortOfTheTollGate());

    const GAME_CUIEvent& window = *UI().Get<GAME_CUIEvent>();
    const std::u16string raidersText = GetMessageTextExpanded("ROUTE_AMBUSH_01");
    const std::u16string tollText = GetMessageTextExpanded("ROUTE_TOLL_01");
    ASSERT_TRUE(StepUntil([&] { return window.pendingText.find(tollText) != std::u16string::npos; }, 600))
        << "at " << route.GetPosition() << ": " << std::string(window.pendingText.begin(), window.pendingText.end());
    const std::vector<std::u16string> lines = SplitTextLines(window.pendingText);
    EXPECT_EQ(lines, (std::vector<std::u16string>{raidersText, tollText}));
    for (const std::u16string& line : lines) EXPECT_LE(MeasureUIText(line), 300.0f);

    bool answered = false;
    bool striderCame = false;
    const bool arrived = StepConfirmingEventsUntil(
        [&] {
            if (!answered && GetEventSelection()->State() == 2) {
                answered = true;
                PressAction(kActionDecide);
            }
            // The raiders' event, after its text, notes where the ship stands and sends its strider
            // in 150 further on.
            if (const RouteVariable* noted = route.Script().FindRouteVariable("here"); noted != nullptr && !striderCame) {
                for (const GAME_CObjectEnemy* enemy : world.fieldObjects->enemies) {
                    striderCame = striderCame || (enemy->GetEnemyId() == MakeTag("E002") && enemy->homePosition == noted->value);
                }
            }
            const LocationRecord* here = world.travel->GetLocation();
            return here != nullptr && here->hideoutId == MakeTag("AD04") && !route.IsRouteEventRunning();
        },
        6000);
    ASSERT_TRUE(arrived) << "at " << route.GetPosition() << " of " << route.GetLength();
    EXPECT_TRUE(answered);
    EXPECT_TRUE(striderCame) << "the raiders' event was dropped by the toll's answer";
    EXPECT_FALSE(UI().IsOpen(kSlotEvent));
}

// Raiders met just short of the toll gate while the gate's question is left open until the ship has
// come in: the raiders' event goes on only then, and sends its dune strider in 150 beyond where the
// ship stands, past the road's end. The strider keeps to the road like every enemy, back from its
// ends, so it cannot stand beside the ship at Old Well and shoot the hull to pieces while the ship
// lies at the hideout, where no road is driven and the turret has nothing loaded.
TEST_F(RoadToOldWell, RaidersSentPastTheRoadsEndCannotShellTheShipAtTheHideout)
{
    ASSERT_NO_FATAL_FAILURE(StartNewGameToFirstRoad());
    ASSERT_NO_FATAL_FAILURE(SetOutForOldWell());
    GAME_CGameWorld& world = *GetGameWorld();
    GAME_CRouteManager& route = *world.travel->routeManager;
    ASSERT_NO_FATAL_FAILURE(MeetRaidersShortOfTheTollGate());

    // The question waits while the ship drives on to Old Well; the texts met on the way stay unread.
    ASSERT_TRUE(StepUntil([&] { return route.GetPosition() >= route.GetLength(); }, 6000))
        << "stopped at " << route.GetPosition();
    bool answered = false;
    const bool settled = StepConfirmingEventsUntil(
        [&] {
            if (!answered && GetEventSelection()->State() == 2) {
                answered = true;
                PressAction(kActionDecide);
            }
            return answered && !route.IsRouteEventRunning();
        },
        3000);
    ASSERT_TRUE(settled) << "route event " << route.IsRouteEventRunning();
    const LocationRecord* here = world.travel->GetLocation();
    ASSERT_NE(here, nullptr);
    EXPECT_EQ(here->hideoutId, MakeTag("AD04"));
    const GAME_CObjectEnemy* strider = nullptr;
    for (const GAME_CObjectEnemy* enemy : world.fieldObjects->enemies) {
        if (enemy->GetEnemyId() == MakeTag("E002") && enemy->homePosition > route.GetLength()) strider = enemy;
    }
    ASSERT_NE(strider, nullptr) << "the raiders' strider was sent in beyond the road's end";

    const std::int64_t hull = world.ship->GetRemainingHull();
    StepFrames(1800);
    const std::int32_t margin = route.GetLength() / 10;
    EXPECT_LE(strider->routePosition, route.GetLength() - margin);
    EXPECT_EQ(world.ship->GetRemainingHull(), hull) << "the strider shelled the ship at Old Well";
}

// The road's own moments earn their achievements: setting out is the first road driven and marks
// the road among the seven and Cheddar Springs among the hideouts, refusing the toll earns its
// own, and coming in marks Old Well.
TEST_F(RoadToOldWell, RefusingTheTollAndComingInEarnTheRoadsAchievements)
{
    ASSERT_NO_FATAL_FAILURE(StartNewGameToFirstRoad());
    ASSERT_NO_FATAL_FAILURE(SetOutForOldWell());
    GAME_CGameWorld& world = *GetGameWorld();
    GAME_CRouteManager& route = *world.travel->routeManager;
    const auto word = [](std::size_t at) { return platform::ReadU32(GetWorkingSystemRecord(), at); };
    const auto unlocked = [&](int row) { return (word(save_layout::system::kAchievementBits) >> row & 1u) != 0; };
    constexpr int kFirstRoad = 2;
    constexpr int kTollRefused = 6;
    constexpr int kHideoutsReached = 12;

    ASSERT_TRUE(StepConfirmingEventsUntil([&] { return GetEventSelection()->IsActive(); }, 6000))
        << "no question by " << route.GetPosition();
    EXPECT_TRUE(unlocked(kFirstRoad));
    EXPECT_EQ(word(save_layout::system::kAchievementSet0), 1u << 1) << "road 2 of the seven";
    EXPECT_FALSE(unlocked(kTollRefused));
    ASSERT_TRUE(StepUntil([&] { return GetEventSelection()->State() == 2; }, 60));
    PressAction(kActionCursorDown);
    StepFrames(2);
    ASSERT_EQ(GetEventSelection()->Cursor(), 1u);
    PressAction(kActionDecide);

    const bool arrived = StepConfirmingEventsUntil(
        [&] {
            const LocationRecord* here = world.travel->GetLocation();
            return here != nullptr && here->hideoutId == MakeTag("AD04") && !route.IsRouteEventRunning();
        },
        6000);
    ASSERT_TRUE(arrived) << "at " << route.GetPosition() << " of " << route.GetLength();
    EXPECT_EQ(GetPlayerData()->money, 500) << "the toll was refused";
    StepFrames(2 * kAchievementCount);
    EXPECT_TRUE(unlocked(kTollRefused));
    EXPECT_EQ(word(save_layout::system::kAchievementSet12), (1u << 0) | (1u << 3)) << "Cheddar Springs and Old Well";
    EXPECT_EQ(word(save_layout::system::kAchievementCounters + 4 * kHideoutsReached), 2u);
    EXPECT_FALSE(unlocked(kHideoutsReached)) << "two of six";
}

// A player with an empty purse who answers the toll with "pay" cannot pay it: the gate is broken
// as on a refusal, with its own words, and nothing says the toll was paid. Only a real refusal
// earns the refusal's achievement.
TEST_F(RoadToOldWell, AnEmptyPurseThatAnswersPayBreaksThroughInstead)
{
    ASSERT_NO_FATAL_FAILURE(StartNewGameToFirstRoad());
    GetPlayerData()->AddMoney(-GetPlayerData()->money);
    ASSERT_EQ(GetPlayerData()->money, 0);
    ASSERT_NO_FATAL_FAILURE(SetOutForOldWell());
    GAME_CGameWorld& world = *GetGameWorld();
    GAME_CRouteManager& route = *world.travel->routeManager;
    const GAME_CUIEvent& window = *UI().Get<GAME_CUIEvent>();
    const std::u16string paid = GetMessageTextExpanded("ROUTE_TOLL_PAID");
    const std::u16string purseShort = GetMessageTextExpanded("ROUTE_TOLL_SHORT");
    constexpr int kTollRefused = 6;

    ASSERT_TRUE(StepConfirmingEventsUntil([&] { return GetEventSelection()->IsActive(); }, 6000))
        << "no question by " << route.GetPosition();
    ASSERT_TRUE(StepUntil([&] { return GetEventSelection()->State() == 2; }, 60));
    ASSERT_EQ(GetEventSelection()->Cursor(), 0u);
    PressAction(kActionDecide);

    bool saidPaid = false;
    bool saidShort = false;
    const bool arrived = StepConfirmingEventsUntil(
        [&] {
            saidPaid = saidPaid || (window.IsOpen() && window.Text().shownText.find(paid) != std::u16string::npos);
            saidShort = saidShort || (window.IsOpen() && window.Text().shownText.find(purseShort) != std::u16string::npos);
            const LocationRecord* here = world.travel->GetLocation();
            return here != nullptr && here->hideoutId == MakeTag("AD04") && !route.IsRouteEventRunning();
        },
        6000);
    ASSERT_TRUE(arrived) << "at " << route.GetPosition() << " of " << route.GetLength();
    EXPECT_FALSE(saidPaid) << "nothing was paid";
    EXPECT_TRUE(saidShort);
    EXPECT_EQ(GetPlayerData()->money, 0);
    StepFrames(2 * kAchievementCount);
    EXPECT_EQ(platform::ReadU32(GetWorkingSystemRecord(), save_layout::system::kAchievementBits) >> kTollRefused & 1u, 0u);
}

}  // namespace
