// The journey on the whole game: driving along a route through its events to the next hideout, the stall, turning back and route requests.
#include <gtest/gtest.h>

#include <cmath>

#include "framework/math/random.h"
#include "framework/sound/sound_player.h"
#include "framework/text/format_text.h"
#include "game/services/data/id_tags.h"
#include "game/services/player/player_data.h"
#include "game/services/data/static_database.h"
#include "game/services/data/tag.h"
#include "game/services/text/message_text.h"
#include "game/model/travel/travel_controller.h"
#include "game/services/clock/game_clock.h"
#include "game/model/world/game_world.h"
#include "game/model/ship/task_base.h"
#include "game/services/save/save_layout.h"
#include "game/services/save/save_image.h"
#include "game/services/sound/sound_player.h"
#include "game/model/ship/task_manager.h"
#include "game/model/ship/task_request.h"
#include "game/services/input/input_actions.h"
#include "game/ui/screens/ui_event.h"
#include "game/ui/screens/ui_game_over.h"
#include "game/ui/screens/ui_ship_status.h"
#include "game/ui/message_log.h"
#include "game/ui/text_lines.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_screen.h"
#include "tests/support/game_fixture.h"
#include "tests/support/log_capture.h"
#include "platform/little_endian.h"

namespace {

// Road 1 (500 units) has a fixed event at [100, 110) that counts in "met" and places two random
// events over [200, 300); whichever is drawn counts in "picked". Road 2 is the same road's
// neighbour, for route changes. Road 1 also holds the start label of a new game. On road 3 five
// events each write two lines to the event window and wait there; a sixth, met while the first
// waits, writes nothing.
constexpr std::string_view kJourneyRoutes = R"(
.entry 1
"データベース登録":
    reg.route 'AD01' 'AD02' 500
    reg.views_music 0 1 1 2 500 0
    reg.event fixed 100 110
    reg.event late 400 410
    reg.start_route "開始"
    halt
"経路作成":
    object.place 2 150 1000
    object.place 3 350 800
    return
"開始":
    var.set "started" "=" 1
    return
fixed:
    var.set "met" "+=" 1
    event.random pick_a 200 201 0 100 1
    event.random pick_b 200 201 0 100 1
    return
pick_a:
    var.set "picked" "+=" 1
    var.set "a" "=" 1
    return
pick_b:
    var.set "picked" "+=" 1
    var.set "b" "=" 1
    return
late:
    var.set "late" "=" 1
    return
"bad_request":
    route.request 99
    return
"hush":
    music.pause
    return
"hush_over":
    music.resume
    return
.entry 2
"データベース登録":
    reg.route 'AD01' 'AD04' 800
    halt
"経路作成":
    return
.entry 3
"データベース登録":
    reg.route 'AD02' 'AD03' 500
    reg.event told 100 110
    reg.event quiet 120 130
    reg.event told 150 160
    reg.event told 180 190
    reg.event told 210 220
    reg.event told 240 250
    halt
"経路作成":
    return
told:
    text.window 1
    text.add "ROUTE_WRECK_01" 0
    var.set "told" "+=" 1
    text.window 0
    return
quiet:
    var.set "quiet" "+=" 1
    return
)";

class Journey : public support::GameFixture {
protected:
    void SetUp() override
    {
        support::GameFixture::SetUp();
        UseRoadScript(kJourneyRoutes);
        ASSERT_NO_FATAL_FAILURE(StartPlaying());
        UI().SetOpen(kSlotCommon, true);
        UI().SetOpen(kSlotShipStatus, true);
        vesk::math::SeedRandom(5);
        vesk::math::MarkRandomClockSeeded();
        world = GetGameWorld();
    }

    GAME_CTravelController& Travel() const { return *world->travel; }
    GAME_CRouteManager& Route() const { return *world->travel->routeManager; }
    std::int32_t Variable(std::string_view name) const
    {
        const RouteVariable* variable = Route().Script().FindRouteVariable(name);
        return variable != nullptr ? variable->value : -1;
    }

    // A bridge with one crew member on it, an engine connected, 1000 fuel at rate 100.
    void EquipShip()
    {
        GAME_CShip& ship = *world->ship;
        GetStaticDatabase()->GetOrCreateShipData(ship.shipTag)->baseFuelCapacity = 1000;
        bridge = ship.PlaceRoom(0, 0, FindRoomIdIndex(MakeTag("ID01")));
        GAME_CRoomBase* engine = ship.PlaceRoom(0, 2, FindRoomIdIndex(MakeTag("ID23")));
        ASSERT_NE(bridge, nullptr);
        ASSERT_NE(engine, nullptr);
        engine->engineMode = kEngineConnected;
        ship.RecalcStats();
        ship.AddFuel(1000);
        ASSERT_EQ(ship.fuel, 1000);
        ASSERT_EQ(ship.fuelRate, 100);
        ASSERT_GT(ship.speed, 0.0f);
        member = world->fieldObjects->AcquireActorObject();
        ASSERT_NE(member, nullptr);
        ActorSetupRecord setup;
        ship.GetCellFloorPoint(0, 0, &setup.x, &setup.y, false);
        member->Init(setup);
    }

    // The bridge's driver task, handed to the crew member.
    void PostDriver()
    {
        GAME_CTaskBase* driver =
            GAME_CTaskBase::CreateFromRequest(MakeBridgeDriverRequest(world->ship->GetRoomIndex(bridge)));
        ASSERT_NE(driver, nullptr);
        world->fieldObjects->AssignCrewToTask(driver, false, false);
        ASSERT_TRUE(world->tasks->HasBridgeDriverTask());
    }

    // Kind-0 lines of the message log that say the ship arrived at the hideout.
    int ArrivalLines(const char* hideout) const
    {
        const std::u16string arrived = vesk::text::FormatText(GetMessageTextExpanded("OLIF_AJITO_REACH"),
                                                              {GetMessageTextExpanded(hideout)});
        int count = 0;
        for (int i = 0; i < UI().MessageLog()->CountLines(); ++i) {
            const auto& line = UI().MessageLog()->GetLine(i);
            if (line.kind == 0 && std::u16string_view(line.text.c_str()) == arrived) ++count;
        }
        return count;
    }

    void StepWorld(int count)
    {
        for (int i = 0; i < count; ++i) world->Step();
    }

    GAME_CGameWorld* world = nullptr;
    GAME_CRoomBase* bridge = nullptr;
    GAME_CObjectActor* member = nullptr;
};

TEST_F(Journey, TheShipDrivesThroughItsEventsToTheNextHideout)
{
    ASSERT_NO_FATAL_FAILURE(EquipShip());
    std::uint32_t routeId = 1;
    StartRoute(Travel(), &routeId, true, {}, {});
    ASSERT_EQ(Route().GetLength(), 500);
    ASSERT_EQ(Route().Events()->fixedEvents.size(), 2u);
    ASSERT_NO_FATAL_FAILURE(PostDriver());

    GAME_CShip& ship = *world->ship;
    const float speed = ship.speed;
    const std::int32_t countdown = ship.fuelCountdown;
    float expected = 0.0f;
    std::int32_t position = 0;
    int drivenSteps = 0;
    for (int step = 0; step < 5000 && Route().GetPosition() < 500; ++step) {
        world->Step();
        if (ship.driveFlag == 0) {
            ASSERT_EQ(Route().GetPosition(), position) << "step " << step;
            continue;
        }
        // Each step the driver drives, the position rises by the ship's speed, the fraction carried.
        ++drivenSteps;
        expected += speed;
        const auto whole = static_cast<std::int32_t>(expected);
        expected -= static_cast<float>(whole);
        position = std::min(position + whole, 500);
        ASSERT_EQ(Route().GetPosition(), position) << "step " << step;
    }
    ASSERT_EQ(Route().GetPosition(), 500);
    EXPECT_GT(drivenSteps, 0);
    EXPECT_EQ(Variable("met"), 1);
    EXPECT_EQ(Variable("picked"), 1);
    EXPECT_NE(Variable("a") == 1, Variable("b") == 1);
    EXPECT_TRUE(Route().Events()->randomEvents.empty());
    EXPECT_EQ(Variable("late"), 1);

    // Fuel: one unit for every hundred units of distance, counted down from the countdown.
    StepWorld(3);
    const std::int64_t rest = std::int64_t{countdown} - 500;
    const std::int64_t burnt = rest < 1 ? (1 - rest + 99) / 100 : 0;
    EXPECT_EQ(ship.fuel, 1000 - burnt);

    // At the end: the driver's task is done, the location is the destination, the hideout root is
    // asked for and one arrival notice is posted.
    EXPECT_FALSE(world->tasks->HasBridgeDriverTask());
    ASSERT_NE(Travel().GetLocation(), nullptr);
    EXPECT_EQ(Travel().GetLocation()->hideoutId, MakeTag("AD02"));
    EXPECT_TRUE(UI().IsOpen(kSlotAjitoRoot));
    StepWorld(100);
    EXPECT_EQ(ArrivalLines("AD02"), 1);
    EXPECT_TRUE(UI().IsNoticeActive());
    // The status panel shows it in the ticker at its next tick and lets it go; the stay at the
    // hideout announces itself no more.
    const std::uint32_t ticker = UI().Resident()->infoBar.CountMessages();
    StepFrames(3);
    EXPECT_FALSE(UI().IsNoticeActive());
    EXPECT_EQ(UI().Resident()->infoBar.CountMessages(), ticker + 1);
    StepFrames(30);
    EXPECT_EQ(ArrivalLines("AD02"), 1);
    EXPECT_EQ(UI().Resident()->infoBar.CountMessages(), ticker + 1);
}

// The ship drives on while an event's text waits to be read, into further events: each runs inside
// the one before and comes back to it. The waiting text is not written again when the event comes
// back to it, and a window that holds more lines than its panel shows the last of them inside it.
// One confirmation reads the lot: every event ends and the window closes for good.
TEST_F(Journey, EventsMetWhileATextWaitsWriteEachTextOnceAndKeepThePanelInside)
{
    ASSERT_NO_FATAL_FAILURE(EquipShip());
    std::uint32_t routeId = 3;
    StartRoute(Travel(), &routeId, true, {}, {});
    ASSERT_NO_FATAL_FAILURE(PostDriver());
    const GAME_CUIEvent& window = *UI().Get<GAME_CUIEvent>();
    const std::u16string wreck = GetMessageTextExpanded("ROUTE_WRECK_01");
    ASSERT_EQ(SplitTextLines(wreck).size(), 2u);

    ASSERT_TRUE(StepUntil([&] { return Route().GetPosition() >= 130; }, 6000)) << "stopped at " << Route().GetPosition();
    EXPECT_EQ(Variable("quiet"), 1);
    ASSERT_TRUE(UI().IsOpen(kSlotEvent));
    EXPECT_EQ(window.pendingText, wreck) << "the first text, once";

    ASSERT_TRUE(StepUntil([&] { return Route().GetPosition() >= 250 && window.AllShown(); }, 6000))
        << "stopped at " << Route().GetPosition();
    std::u16string five = wreck;
    for (int told = 2; told <= 5; ++told) five += GAME_CUIEvent::kNewLine + wreck;
    EXPECT_EQ(window.pendingText, five);
    EXPECT_EQ(Variable("told"), -1) << "every event still waits";

    // Ten lines: the panel shows the last eight on its rules, the prompt on the rule below them.
    const float panelBottom = 60.0f + UISpriteSize(FindUISprite("ui_eventwindow_bg")).y;
    const float textY = GAME_CUIEvent::kPanelFirstBaseY - UILineHeight();
    const std::vector<std::u16string> lines = SplitTextLines(five);
    ASSERT_EQ(lines.size(), 10u);
    const support::RecordedTextDraw* prompt = nullptr;
    for (int frame = 0; frame < GAME_CUIEvent::kPromptPeriod && prompt == nullptr; ++frame) {
        StepFrames(1);
        prompt = FindTextDraw(GAME_CUIEvent::PromptText());
    }
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ(prompt->y, textY + 8.0f * 18.0f);
    EXPECT_LE(prompt->y + UILineHeight(), panelBottom);
    std::vector<const support::RecordedTextDraw*> panelLines;
    for (const support::RecordedTextDraw& text : frames.back().texts) {
        if (text.x == GAME_CUIEvent::kPanelTextX) panelLines.push_back(&text);
    }
    ASSERT_EQ(panelLines.size(), 8u);
    for (std::size_t row = 0; row < panelLines.size(); ++row) {
        EXPECT_EQ(panelLines[row]->text, lines[row + 2]) << "row " << row;
        EXPECT_EQ(panelLines[row]->y, textY + 18.0f * static_cast<float>(row)) << "row " << row;
    }
    EXPECT_LE(panelLines.back()->y + UILineHeight(), panelBottom);
    KeepCanvasPicture("event-window-chain");

    PressAction(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return !Route().IsRouteEventRunning(); }, 60));
    EXPECT_EQ(Variable("told"), 5);
    EXPECT_EQ(Variable("quiet"), 1);
    StepFrames(30);
    EXPECT_FALSE(UI().IsOpen(kSlotEvent));
}

// A room listed before the bridge is destroyed under way: the rooms after it move down the list, and
// the driver still drives from the bridge, not from the room that took the bridge's old number.
TEST_F(Journey, TheDriverKeepsDrivingWhenARoomBeforeTheBridgeIsDestroyed)
{
    GAME_CRoomBase* storeroom = world->ship->PlaceRoom(4, 0, FindRoomIdIndex(MakeTag("ID20")));
    ASSERT_NE(storeroom, nullptr);
    ASSERT_NO_FATAL_FAILURE(EquipShip());
    ASSERT_NE(world->ship->PlaceRoom(2, 2, FindRoomIdIndex(MakeTag("ID03"))), nullptr);
    ASSERT_LT(world->ship->GetRoomIndex(storeroom), world->ship->GetRoomIndex(bridge));
    std::uint32_t routeId = 2;
    StartRoute(Travel(), &routeId, true, {}, {});
    ASSERT_NO_FATAL_FAILURE(PostDriver());
    ASSERT_TRUE(StepUntil([&] { return Route().GetPosition() > 10; }, 600));

    world->ship->RemoveRoom(world->ship->GetRoomIndex(storeroom));
    std::vector<GAME_CTaskBase*> drivers;
    world->tasks->GetTasksOfKind(kTaskBridgeDriver, drivers);
    ASSERT_EQ(drivers.size(), 1u);
    EXPECT_EQ(drivers.front()->GetRoom(), bridge);
    const std::int32_t before = Route().GetPosition();
    StepWorld(120);
    EXPECT_GT(Route().GetPosition(), before);
}

TEST_F(Journey, TheDepartureNamesTheDestinationTurnsTheHullAndKeepsTheDriverOnANewTask)
{
    ASSERT_NO_FATAL_FAILURE(EquipShip());
    std::uint32_t routeId = 1;
    StartRoute(Travel(), &routeId, true, {}, {});
    ASSERT_NO_FATAL_FAILURE(PostDriver());
    ASSERT_NE(member->task, nullptr);
    UI().OpenRoomScreen(bridge, world->ship->GetRoomIndex(bridge));
    UI().SetOpen(kSlotCommon, false);
    StepFrames(GAME_CUIScreen::kSlideFrames + 2);
    ASSERT_TRUE(UI().IsOpen(kSlotMap));

    ShowNextHideoutNotice(*world);
    const std::u16string heading = vesk::text::FormatText(GetMessageTextExpanded("OLIF_GO_TO_NEXT_AJITO"),
                                                          {GetMessageTextExpanded("AD02")});
    const GAME_CUIMessageLog& log = *UI().MessageLog();
    ASSERT_GT(log.CountLines(), 0);
    EXPECT_EQ(std::u16string_view(log.GetLine(log.CountLines() - 1).text.c_str()), heading);
    EXPECT_EQ(UI().Resident()->infoBar.CountMessages(), 1);
    EXPECT_EQ(world->ship->turnState, GAME_CShip::kFacingForward);
    EXPECT_EQ(Travel().music.currentId, 1);  // bound for the record's end: its first music
    // One driver task, a new one, and the driver on it.
    std::vector<GAME_CTaskBase*> drivers;
    world->tasks->GetTasksOfKind(kTaskBridgeDriver, drivers);
    ASSERT_EQ(drivers.size(), 1u);
    EXPECT_EQ(drivers[0]->crew, std::vector<GAME_CObjectActor*>{member});
    EXPECT_EQ(member->task, drivers[0]);
    // The map gives way to the bar of the road.
    StepFrames(GAME_CUIScreen::kSlideFrames + 2);
    EXPECT_FALSE(UI().IsOpen(kSlotMap));
    EXPECT_TRUE(UI().IsOpen(kSlotCommon));

    // The way back: the hull turns away and stands at the start of the road; the second music.
    StartRoute(Travel(), &routeId, false, {}, {});
    world->ship->SetRoutePosition(77);
    ShowNextHideoutNotice(*world);
    EXPECT_EQ(world->ship->turnState, GAME_CShip::kTurningAway);
    EXPECT_EQ(world->ship->routePosition, 0);
    EXPECT_EQ(Travel().music.currentId, 2);
    EXPECT_EQ(UI().Resident()->infoBar.CountMessages(), 1);  // the old line cleared first
    drivers.clear();
    world->tasks->GetTasksOfKind(kTaskBridgeDriver, drivers);
    ASSERT_EQ(drivers.size(), 1u);
    EXPECT_EQ(member->task, drivers[0]);
}

TEST_F(Journey, NoArrivalNoticeWhileADriverIsPostedOrOnTheStartRoute)
{
    ASSERT_NO_FATAL_FAILURE(EquipShip());
    std::uint32_t routeId = 1;
    StartRoute(Travel(), &routeId, true, {}, {});
    // Standing at the departure with a driver posted (the engine cut, so the ship stays): no notice.
    world->ship->fuel = 0;
    ASSERT_NO_FATAL_FAILURE(PostDriver());
    StepWorld(50);
    ASSERT_NE(Travel().GetLocation(), nullptr);
    EXPECT_EQ(Travel().GetLocation()->hideoutId, MakeTag("AD01"));
    EXPECT_EQ(ArrivalLines("AD01"), 0);
    world->tasks->FinishTasksOfKind(kTaskBridgeDriver);
    StepWorld(5);
    EXPECT_EQ(ArrivalLines("AD01"), 1);

    // A new game's start route: its label runs, and its ends are no arrival.
    UI().Get<GAME_CUIShipStatus>()->ClearNotice();
    ASSERT_TRUE(Route().LoadStartRoute());
    EXPECT_TRUE(Route().IsStartRoute());
    EXPECT_EQ(Route().GetLength(), GAME_CRouteManager::kStartRouteLength);
    StepWorld(50);
    EXPECT_EQ(Variable("started"), 1);
    EXPECT_EQ(ArrivalLines("AD01"), 1);

    // Moves near the end of the endless road, its music and its scenery stay in range.
    Route().SetPosition(GAME_CRouteManager::kStartRouteLength - 2);
    EXPECT_EQ(Route().Move(10.5f), GAME_CRouteManager::kStartRouteLength);
    Travel().UpdateMusic();
    world->background->SetRoute(Route());
}

TEST_F(Journey, StandingStillUnderWayEndsTheGameAfterTheStallLimit)
{
    ASSERT_NO_FATAL_FAILURE(EquipShip());
    std::uint32_t routeId = 1;
    StartRoute(Travel(), &routeId, true, {}, {});
    Route().SetPosition(50);  // nobody drives
    StepWorld(7199);
    EXPECT_FALSE(UI().IsOpen(kSlotGameOver));
    StepWorld(1);
    EXPECT_TRUE(UI().IsOpen(kSlotGameOver));
    EXPECT_EQ(UI().GetGameOverCause(), 2u);  // stalled

    // Without fuel the limit is 840 frames.
    StepFrames(1);
    ASSERT_TRUE(CloseScreen(kSlotGameOver));
    StartRoute(Travel(), &routeId, true, {}, {});
    Route().SetPosition(50);
    world->ship->AddFuel(-5000);
    ASSERT_EQ(world->ship->fuel, 0);
    StepWorld(839);
    EXPECT_FALSE(UI().IsOpen(kSlotGameOver));
    StepWorld(1);
    EXPECT_TRUE(UI().IsOpen(kSlotGameOver));

    // An empty crew is told apart from a stall.
    StepFrames(1);
    ASSERT_TRUE(CloseScreen(kSlotGameOver));
    member->dead = 1;
    world->fieldObjects->RemoveDeadActors();
    ASSERT_TRUE(world->fieldObjects->crew.empty());
    StepFrames(2);
    EXPECT_TRUE(UI().IsOpen(kSlotGameOver));
    EXPECT_EQ(UI().GetGameOverCause(), 1u);  // crew gone
}

TEST_F(Journey, TurningBackMirrorsEnemiesAndObjectsAndKeepsTheEventsWhileAnotherRouteDropsThem)
{
    std::uint32_t routeId = 1;
    StartRoute(Travel(), &routeId, true, {}, {});
    Route().SetPosition(120);
    Route().Script().GetOrCreateRouteVariable("kept")->value = 9;
    AddRouteEvent(*Route().Events(), {RouteEventDescriptor::kRandom, 5, 300, 320, 1});
    GAME_CObjectEnemy* enemy = world->fieldObjects->AcquireEnemyObject();
    ASSERT_NE(enemy, nullptr);
    enemy->routePosition = 180;
    ASSERT_EQ(world->background->ActiveObjects().size(), 2u);
    const std::int32_t objectAt = world->background->ActiveObjects()[0]->routePosition;

    StartRoute(Travel(), &routeId, false, {}, {});
    EXPECT_FALSE(Route().IsForward());
    EXPECT_EQ(Route().GetDeparture(), MakeTag("AD02"));
    EXPECT_EQ(enemy->routePosition, 500 - 180);
    EXPECT_EQ(world->background->ActiveObjects()[0]->routePosition, 500 - objectAt);
    EXPECT_EQ(world->fieldObjects->enemies.size(), 1u);
    EXPECT_EQ(Route().Script().FindRouteVariable("kept")->value, 9);
    // Both lists were kept: the record's two fixed events and the placed random one.
    EXPECT_EQ(Route().Events()->fixedEvents.size(), 2u);
    EXPECT_EQ(Route().Events()->randomEvents.size(), 1u);

    // Another route: the events, the enemies and the battle music slots go.
    Travel().music.battleSlots[0] = 4;
    std::uint32_t other = 2;
    StartRoute(Travel(), &other, true, {}, {});
    EXPECT_TRUE(world->fieldObjects->enemies.empty());
    EXPECT_TRUE(world->background->ActiveObjects().empty());
    EXPECT_TRUE(Route().Events()->randomEvents.empty());
    EXPECT_EQ(Travel().music.battleSlots[0], -1);
    EXPECT_EQ(Route().Script().FindRouteVariable("kept"), nullptr);
}

TEST_F(Journey, ARouteRequestWithoutARecordIsIgnoredWithALogLine)
{
    support::LogCapture log;
    std::uint32_t routeId = 1;
    StartRoute(Travel(), &routeId, true, {}, {});
    Route().SetPosition(42);
    ASSERT_NE(Route().Script().JumpToLabel(u"bad_request"), 0u);
    Travel().ProcessRouteRequests();  // the script asks
    ASSERT_TRUE(Route().HasRequest());
    Travel().ProcessRouteRequests();  // the request is looked at
    EXPECT_FALSE(Route().HasRequest());
    EXPECT_EQ(Route().GetRouteId(), 1u);
    EXPECT_EQ(Route().GetPosition(), 42);
    EXPECT_TRUE(log.Contains("route 99"));
}

TEST_F(Journey, ARouteThatPausesTheMusicKeepsItPausedUntilItResumesIt)
{
    // The mute alone: the road goes on while the window is away.
    platform::WriteU32(GetWorkingSystemRecord(), save_layout::system::kPauseInactive, 0);
    GAME_CSoundPlayer& sound = *GetSoundPlayer();
    const auto musicState = [&sound] {
        const vesk::sound::SYS_CSoundPlayer* voice = sound.BgmVoice();
        return voice != nullptr ? voice->GetState() : vesk::sound::kVoiceNeverPlayed;
    };
    std::uint32_t routeId = 1;
    StartRoute(Travel(), &routeId, true, {}, {});
    sound.PlayBGM(1, 0, true);
    StepFrames(2);
    ASSERT_EQ(musicState(), vesk::sound::kVoicePlaying);

    ASSERT_NE(Route().Script().JumpToLabel(u"hush"), 0u);
    StepFrames(3);
    EXPECT_EQ(musicState(), vesk::sound::kVoicePaused);
    // The window going away and coming back does not undo the road's pause.
    SetFocus(false);
    StepFrames(2);
    EXPECT_EQ(musicState(), vesk::sound::kVoicePaused);
    SetFocus(true);
    StepFrames(2);
    EXPECT_EQ(musicState(), vesk::sound::kVoicePaused);

    ASSERT_NE(Route().Script().JumpToLabel(u"hush_over"), 0u);
    StepFrames(2);
    EXPECT_EQ(musicState(), vesk::sound::kVoicePlaying);
    // Once resumed, the focus mutes and brings back the music as before.
    SetFocus(false);
    StepFrames(2);
    EXPECT_EQ(musicState(), vesk::sound::kVoicePaused);
    SetFocus(true);
    StepFrames(2);
    EXPECT_EQ(musicState(), vesk::sound::kVoicePlaying);

    // Music started anew ends the road's pause: the new track plays and comes back after the focus.
    ASSERT_NE(Route().Script().JumpToLabel(u"hush"), 0u);
    StepFrames(2);
    ASSERT_EQ(musicState(), vesk::sound::kVoicePaused);
    sound.PlayBGM(2, 0, false);
    StepFrames(1);
    EXPECT_EQ(musicState(), vesk::sound::kVoicePlaying);
    SetFocus(false);
    StepFrames(2);
    SetFocus(true);
    StepFrames(2);
    EXPECT_EQ(musicState(), vesk::sound::kVoicePlaying);
}

// At x3 the ship meets a road's events while the first one's text still waits: each later text's
// window puts the game to x1, and the events met after it must not take x1 for the player's speed.
// With events left at the player's speed (the settings' default), the chain ends at x3.
TEST_F(Journey, EventsMetUnderAnotherOneGiveBackThePlayersSpeedWhenTheyAllEnd)
{
    ASSERT_NO_FATAL_FAILURE(EquipShip());
    ASSERT_EQ(GetPlayerData()->option36, 0u) << "events keep the player's speed";
    std::uint32_t routeId = 3;
    StartRoute(Travel(), &routeId, true, {}, {});
    ASSERT_NO_FATAL_FAILURE(PostDriver());
    const float x3 = GetPlayerData()->speeds[2];
    world->timeScale->speed = x3;

    ASSERT_TRUE(StepUntil([&] { return Route().GetPosition() >= 250; }, 6000)) << "stopped at " << Route().GetPosition();
    ASSERT_TRUE(Route().IsRouteEventRunning()) << "the first text still waits, the later events under it";
    ASSERT_TRUE(StepConfirmingEventsUntil([&] { return !Route().IsRouteEventRunning(); }, 600));
    EXPECT_EQ(Variable("told"), 5);
    EXPECT_EQ(world->timeScale->speed, x3);
}


// The window loses the focus while an event's text waits on the road: the ship, which drives on
// beneath the event window, stands still until the focus comes back, with no pause menu over the
// text; then it drives on while the text still waits.
TEST_F(Journey, AWindowAwayWhileAnEventsTextWaitsHoldsTheShipUntilItComesBack)
{
    ASSERT_EQ(GetPlayerData()->pauseWhenInactive, 1u);
    ASSERT_NO_FATAL_FAILURE(EquipShip());
    std::uint32_t routeId = 3;
    StartRoute(Travel(), &routeId, true, {}, {});
    ASSERT_NO_FATAL_FAILURE(PostDriver());
    world->timeScale->speed = GetPlayerData()->speeds[2];
    ASSERT_TRUE(StepUntil([&] { return UI().IsOpen(kSlotEvent) && Route().GetPosition() >= 110; }, 6000));

    SetFocus(false);
    StepFrames(1);
    const std::int32_t at = Route().GetPosition();
    StepFrames(60);
    EXPECT_EQ(world->paused, 1u);
    EXPECT_EQ(Route().GetPosition(), at) << "the ship stands while the window is away";
    EXPECT_FALSE(UI().IsOpen(kSlotPause)) << "the text stays uncovered";
    EXPECT_TRUE(UI().IsOpen(kSlotEvent));

    SetFocus(true);
    StepFrames(60);
    EXPECT_EQ(world->paused, 0u);
    EXPECT_GT(Route().GetPosition(), at);
    EXPECT_TRUE(Route().IsRouteEventRunning()) << "the first text still waits";
}

}  // namespace
