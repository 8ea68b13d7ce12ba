// The shipped road from Cheddar Springs to Rusty Gear Post, the road a new game's opening stands on,
// taken as the first road of the game.
#include <gtest/gtest.h>

#include "game/model/session/play_session.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/travel/route_manager.h"
#include "game/model/travel/travel_controller.h"
#include "game/model/world/game_world.h"
#include "game/services/clock/game_clock.h"
#include "game/services/data/id_tags.h"
#include "game/services/data/static_database.h"
#include "game/services/data/tag.h"
#include "game/services/player/player_data.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/text/language.h"
#include "game/services/text/message_text.h"
#include "game/services/input/input_actions.h"
#include "game/ui/event_selection.h"
#include "game/ui/screens/ui_common.h"
#include "game/ui/screens/ui_common_access.h"
#include "game/ui/screens/ui_event.h"
#include "game/ui/message_log.h"
#include "game/ui/ui_manager.h"
#include "tests/support/event_window.h"
#include "tests/support/game_fixture.h"

namespace {

constexpr std::uint32_t kRoadToRustyGear = 1;

class RoadToRustyGear : public support::GameFixture {
protected:
    // A new game's engines connected and the first road taken again from its start.
    void SetOutFromTheStart()
    {
        ASSERT_NO_FATAL_FAILURE(StartNewGameToFirstRoad());
        GAME_CGameWorld& world = *GetGameWorld();
        for (GAME_CRoomBase* room : world.ship->rooms) {
            if (room != nullptr && room->kind == 23) room->engineMode = kEngineConnected;
        }
        world.ship->RecalcStats();
        std::uint32_t road = kRoadToRustyGear;
        ASSERT_EQ(world.travel->routeManager->GetRouteId(), road);
        StartRoute(*world.travel, &road, true, {}, {});
        ShowNextHideoutNotice(world);
    }
};

// The opening runs on this road's id, but none of the road has been met: set out on it from the
// start, the ship still comes to the oasis's question half way. The message log's tally has counted
// the events met, the oasis among them.
TEST_F(RoadToRustyGear, TheFirstRoadOfANewGameStillMeetsItsEvents)
{
    ASSERT_NO_FATAL_FAILURE(SetOutFromTheStart());
    GAME_CGameWorld& world = *GetGameWorld();
    const GAME_CRouteManager& route = *world.travel->routeManager;

    // The texts on the way read; the question itself is the player's.
    bool pressed = false;
    const bool asked = StepUntil(
        [&] {
            if (GetEventSelection()->IsActive()) return true;
            const bool waiting = support::EventTextWaits(UI().Get<GAME_CUIEvent>());
            if (waiting && !pressed) PressAction(kActionDecide);
            pressed = waiting && !pressed;
            return route.GetPosition() >= route.GetLength();
        },
        6000);
    ASSERT_TRUE(asked) << "stopped at " << route.GetPosition();
    EXPECT_TRUE(GetEventSelection()->IsActive()) << "no question by " << route.GetPosition();
    EXPECT_GE(GetGameClock()->counter, 1u) << "the oasis is met";
}

// A ship fast enough to pass the road's first event on the very step it sets out: the autosave made
// as it leaves holds that event or what it placed on the road (its ambushes, caches, storms and
// wrecks), so a game loaded from it meets them as the game that went on does.
TEST_F(RoadToRustyGear, TheDepartureAutosaveOfAFastShipKeepsTheEventsMetAsItSetsOut)
{
    ASSERT_NO_FATAL_FAILURE(StartNewGameToFirstRoad());
    GAME_CGameWorld& world = *GetGameWorld();
    for (GAME_CRoomBase* room : world.ship->rooms) {
        if (room != nullptr && room->kind == 23) room->engineMode = kEngineConnected;
    }
    GetStaticDatabase()->GetOrCreateShipData(world.ship->shipTag)->baseSpeed += 3000;
    world.ship->RecalcStats();
    ASSERT_GE(world.ship->speed, 3.0f);
    ASSERT_NE(GetPlayerData()->option48, 0u);
    std::uint32_t road = kRoadToRustyGear;
    StartRoute(*world.travel, &road, true, {}, {});
    ShowNextHideoutNotice(world);
    GAME_CRouteManager* route = world.travel->routeManager.get();
    ASSERT_EQ(route->Events()->randomEvents.size(), 0u);
    const std::size_t fixedBefore = route->Events()->fixedEvents.size();

    ASSERT_TRUE(StepUntil([&] { return route->GetPosition() > 0; }, 3000));
    ASSERT_TRUE(StepUntilSaveIdle());
    const std::size_t fixedLeft = route->Events()->fixedEvents.size();
    const std::size_t placed = route->Events()->randomEvents.size();
    ASSERT_EQ(fixedLeft, fixedBefore - 1) << "the first event is met as the ship sets out";
    ASSERT_GT(placed, 0u);

    const std::span<const std::uint8_t> autosave = GetSaveAreas().ImageSlot(save_layout::kAutoSaveSlot);
    GetSaveAreas().workingSlot.assign(autosave.begin(), autosave.end());
    SetupPlaySession(GetWorkingSlot(), GetWorkingSystemRecord());
    route = world.travel->routeManager.get();
    ASSERT_NE(route, nullptr);
    EXPECT_GT(route->GetPosition(), 0);
    EXPECT_EQ(route->Events()->fixedEvents.size() + route->Events()->randomEvents.size(), fixedLeft + placed);
}

// The options' route-autosave toggle is the departure's: turned off, setting out saves nothing, and
// in every language its name says it is made as the ship sets out, in the word the map's question to
// set out uses (the save is made as the ship leaves a hideout, never as it arrives).
TEST_F(RoadToRustyGear, TheRouteAutosaveToggleIsNamedForTheDepartureItControls)
{
    ASSERT_NO_FATAL_FAILURE(SetOutFromTheStart());
    GAME_CGameWorld& world = *GetGameWorld();
    GetPlayerData()->option48 = 0;
    const std::u16string saving = GetMessageTextExpanded("PAUSEUI_SAVE_RUNNING");
    const auto savingLines = [&] {
        int count = 0;
        for (int i = 0; i < UI().MessageLog()->CountLines(); ++i) {
            const auto& line = UI().MessageLog()->GetLine(i);
            if (line.kind == 1 && std::u16string_view(line.text.c_str()) == saving) ++count;
        }
        return count;
    };
    const int before = savingLines();
    ASSERT_TRUE(StepUntil([&] { return world.travel->routeManager->GetPosition() > 0; }, 3000));
    StepFrames(2);
    EXPECT_EQ(savingLines(), before);

    struct Naming {
        std::uint32_t language;
        std::u16string_view setOut;
    };
    for (const Naming naming : {Naming{kLanguageEnglish, u"departure"}, Naming{kLanguageJapanese, u"出発"},
                                Naming{kLanguageKorean, u"출발"}, Naming{kLanguageTraditionalChinese, u"出發"},
                                Naming{kLanguageSimplifiedChinese, u"出发"}}) {
        ChooseLanguage(naming.language);
        const std::u16string toggle = GetMessageTextExpanded("ADD_TEXT_UI_OPTION_AUTOSAVEROUTE");
        EXPECT_NE(toggle.find(naming.setOut), std::u16string::npos) << naming.language;
        if (naming.language != kLanguageEnglish) {
            EXPECT_NE(GetMessageTextExpanded("MAPUI_SETTARGET_YESNODISP").find(naming.setOut), std::u16string::npos);
        }
    }
}

// The screens that show one room of the ship, as a decide on a cell opens them.
constexpr int kRoomScreenSlots[] = {kSlotRoomBuilding, kSlotDiningHall, kSlotBullet,   kSlotHospital, kSlotItemCreate,
                                    kSlotEngineRoom,   kSlotInventory,  kSlotMindControl, kSlotMap,    kSlotGameCenter};

// The pad cursor rests on a room while the road's events are read: the decide that confirms an
// event's last text is the event window's alone, and the room under the cursor stays shut.
TEST_F(RoadToRustyGear, TheDecideThatEndsAnEventOpensNoRoomUnderThePadCursor)
{
    ASSERT_NO_FATAL_FAILURE(SetOutFromTheStart());
    GAME_CGameWorld& world = *GetGameWorld();
    const GAME_CRouteManager& route = *world.travel->routeManager;

    PointerMove(-50, -50);
    SetPadCursorOn(world, true);
    StepFrames(2);
    const GAME_CUICommon& hud = *UI().Get<GAME_CUICommon>();
    const std::int32_t width = world.ship->grid.width;
    ASSERT_GE(hud.CurrentCell(), 0);
    // The cursor rests above the rooms the opening placed: a kitchen is built under it.
    ASSERT_NE(world.ship->PlaceRoom(hud.CurrentCell() % width, hud.CurrentCell() / width, FindRoomIdIndex(MakeTag("ID04"))),
              nullptr);
    StepFrames(1);
    ASSERT_NE(world.ship->GetRoomAtCell(hud.CurrentCell() % width, hud.CurrentCell() / width), nullptr)
        << "the pad cursor rests on no room";

    // Texts confirmed, not windows closed: the oasis's question is left open, and the events met
    // after it end inside it, leaving its window up.
    std::int32_t textsConfirmed = 0;
    bool wasFinished = false;
    int openedRoomScreen = 0;
    const GAME_CUIEvent& window = *UI().Get<GAME_CUIEvent>();
    const bool reachedTheEnd = StepConfirmingEventsUntil(
        [&] {
            for (int slot : kRoomScreenSlots) {
                if (UI().IsOpen(slot)) openedRoomScreen = slot;
            }
            if (!wasFinished && window.IsFinished()) ++textsConfirmed;
            wasFinished = window.IsFinished();
            return openedRoomScreen != 0 || route.GetPosition() >= route.GetLength();
        },
        12000);
    EXPECT_EQ(openedRoomScreen, 0) << "a room screen opened after text " << textsConfirmed << ", at "
                                   << route.GetPosition();
    EXPECT_TRUE(reachedTheEnd) << "stopped at " << route.GetPosition();
    EXPECT_GE(textsConfirmed, 2);
}

}  // namespace
