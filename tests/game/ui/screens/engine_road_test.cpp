// The road of a new game on the shipped data and raw input: the engine room opened by two clicks, its main shaft connected, and the ship on its way once the departure is posted.
// With VARNOLIS_ROAD_PICTURE_DIR=<folder> the test also writes the canvas at its stops as PPM pictures to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/world/game_world.h"
#include "game/services/clock/game_clock.h"
#include "game/services/data/room_records.h"
#include "game/services/input/input_actions.h"
#include "game/services/sound/sound_player.h"
#include "game/services/text/full_width.h"
#include "game/services/text/message_text.h"
#include "game/ui/screens/ui_engine_room.h"
#include "game/ui/screens/ui_ship_status.h"
#include "game/ui/screens/ui_title.h"
#include "game/ui/selection_dialog.h"
#include "tests/support/game_fixture.h"

namespace {

constexpr std::uint8_t kRawEnter = 0x0D;
constexpr std::uint32_t kSeDecide = 0;
constexpr std::uint32_t kSeCancel = 2;

class EngineRoadTest : public support::GameFixture {
protected:
    GAME_CUITitle& Title() const { return *UI().Get<GAME_CUITitle>(); }
    GAME_CUIEngineRoom& Engine() const { return *UI().Get<GAME_CUIEngineRoom>(); }
    GAME_CRouteManager* Route() const { return GetGameWorld()->travel->routeManager.get(); }
    static GAME_CUIInDisplaySelectionObject& Dialog() { return *GetInDisplaySelection(); }

    bool PlayedLastFrame(std::uint32_t id) const
    {
        const auto& effects = frames.back().soundEffects;
        return std::find(effects.begin(), effects.end(), id) != effects.end();
    }

    void WritePictureIfAsked(const std::string& name) const
    {
        if (const char* folder = std::getenv("VARNOLIS_ROAD_PICTURE_DIR")) {
            ASSERT_TRUE(WriteCanvasPicture(std::string(folder) + "/" + name + ".ppm"));
        }
    }

    // A new game from the title, its opening told (its texts confirmed wherever the event window
    // waits) until the ship stands on its first road and the view has come out of the black.
    void StartNewGame()
    {
        StartGame();
        ASSERT_TRUE(StepUntilMainGame());
        ASSERT_TRUE(StepUntil([&] { return Title().GetSubState() == GAME_CUITitle::kPressStart; }, 300));
        PressRawKey(kRawEnter);
        StepFrames(2);
        PressAction(kActionDecide);
        ASSERT_TRUE(StepUntil([&] { return UI().IsOpen(kSlotCommon); }, 600));
        int frame = 0;
        ASSERT_TRUE(StepUntil([&] {
            if (UI().IsOpen(kSlotEvent) && ++frame % 30 == 0) PressAction(kActionDecide);
            return Route() != nullptr && !Route()->IsStartRoute() && !UI().IsOpen(kSlotEvent) && !UI().IsOpen(kSlotFade);
        }, 4000));
    }

    // Two clicks on a cell of the room, as the player opens its screen.
    void ClickTwiceOn(const GAME_CRoomBase& room)
    {
        const GAME_CShip& ship = *GetGameWorld()->ship;
        float left = 0.0f, top = 0.0f, right = 0.0f, bottom = 0.0f;
        ship.GetGridScreenMin(&left, &top);
        ship.GetGridScreenMax(&right, &bottom);
        const float cellWidth = (right - left) / static_cast<float>(ship.grid.width);
        const float cellHeight = (bottom - top) / static_cast<float>(ship.grid.height);
        const int x = static_cast<int>(left + (static_cast<float>(room.gridX) + 0.5f) * cellWidth);
        const int y = static_cast<int>(top + (static_cast<float>(room.gridY) + 0.5f) * cellHeight);
        ClickAt(x, y);
        StepFrames(3);
        ClickAt(x, y);
    }
};

TEST_F(EngineRoadTest, ANewGameConnectsItsEngineAndTheShipTakesTheRoad)
{
    ASSERT_NO_FATAL_FAILURE(StartNewGame());
    GAME_CGameWorld& world = *GetGameWorld();
    GAME_CShip& ship = *world.ship;
    const auto found = std::find_if(ship.rooms.begin(), ship.rooms.end(),
                                    [](const GAME_CRoomBase* room) { return room != nullptr && room->kind == kRoomKindEngine; });
    ASSERT_NE(found, ship.rooms.end());
    GAME_CRoomBase& engine = **found;
    EXPECT_EQ(engine.engineOutput, 600);
    EXPECT_EQ(ship.speed, 0.0f);

    // Two clicks open the engine room's screen: it slides down in 15 frames to its rest, titled with
    // the room's name, the room's hum looping and the game's clock standing still.
    ClickTwiceOn(engine);
    ASSERT_TRUE(StepUntil([&] { return Engine().State() == UIScreenState::kOpening; }, 5));
    const GAME_CUINullObject& window = *Engine().FirstFrame().window;
    int slid = 0;  // the slide's steps, the opening frame's among them
    ASSERT_TRUE(StepUntil([&] {
        ++slid;
        return window.GetPosition()->y == -51.0f;
    }, 20));
    EXPECT_EQ(slid, GAME_CUIScreen::kSlideFrames);
    EXPECT_EQ(window.GetPosition()->x, 61.0f);
    EXPECT_EQ(Engine().FirstFrame().title->Literal(), GetMessageTextExpanded("ID23"));
    ASSERT_NE(engine.roomData, nullptr);
    EXPECT_NE(engine.roomData->lastPair.id, 60u);  // the delivered quest's sound
    EXPECT_NE(GetSoundPlayer()->TrackedTag(), 0u);
    const std::uint32_t clock = GetGameClock()->step;
    StepFrames(10);
    EXPECT_EQ(GetGameClock()->step, clock);
    WritePictureIfAsked("engine-room");

    // Connect above stop, with the engine's 600 halved; the ship stands still.
    ASSERT_EQ(Engine().CurrentPage(), GAME_CUIEngineRoom::Page::kEngine);
    ASSERT_EQ(Engine().RowMode(0), kEngineConnected);
    ASSERT_EQ(Engine().RowMode(1), kEngineDisconnected);
    EXPECT_EQ(Engine().RowMode(2), GAME_CUIEngineRoom::kNoMode);
    EXPECT_NE(Engine().OptionEffect(0)->Literal().find(ToFullWidthText(u"0.30")), std::u16string::npos);
    EXPECT_EQ(Engine().SpeedLabel()->Literal().rfind(ToFullWidthText(u"0.00"), 0), 0u);
    EXPECT_EQ(Engine().FuelRateLabel()->Literal().rfind(ToFullWidthText(u"100"), 0), 0u);

    // Decide asks; yes tells, and the next frame the room is connected and the lever swings from
    // 12 to 0 degrees over 10 frames, the screen deaf meanwhile.
    PressAction(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return Dialog().IsVisible(); }, 3));
    EXPECT_TRUE(std::any_of(frames.end() - 2, frames.end(), [](const auto& frame) {
        return std::find(frame.soundEffects.begin(), frame.soundEffects.end(), kSeDecide) != frame.soundEffects.end();
    }));
    const std::u16string question = GetMessageTextExpanded("ENGINEROOM_SHAFTCONNECT");
    EXPECT_EQ(Dialog().Message().substr(0, question.size()), question);
    EXPECT_NE(Dialog().Message().find(GetMessageTextExpanded("ARE_YOU_SURE")), std::u16string::npos);
    // The cursor starts on no: up to yes, then decide.
    ASSERT_TRUE(StepUntil([] { return Dialog().ChoiceButton(0)->State() == 1; }, 20));
    PressAction(kActionCursorUp);
    StepFrames(1);
    PressAction(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return Engine().CurrentPage() == GAME_CUIEngineRoom::Page::kConnected; }, 20));
    EXPECT_EQ(engine.engineMode, kEngineConnected);
    EXPECT_FLOAT_EQ(ship.speed, 1.3f);
    EXPECT_EQ(Dialog().Message(), GetMessageTextExpanded("ENGINEROOM_SHAFTCONNECT_FINISHED"));
    const std::size_t leverFrom = frames.size();
    ASSERT_TRUE(StepUntil([&] {
        PressAction(kActionCursorDown);
        return !Engine().IsLeverMoving();
    }, 12));
    EXPECT_EQ(frames.size() - leverFrom, static_cast<std::size_t>(GAME_CUIEngineRoom::kLeverFrames));
    EXPECT_EQ(Engine().LeverAngle(), 0.0f);
    EXPECT_EQ(Engine().RowCursor(), 0);
    ASSERT_TRUE(StepUntil([] { return Dialog().EnterButton()->State() == 1; }, 20));
    PressAction(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return !Dialog().IsVisible() && Engine().CurrentPage() == GAME_CUIEngineRoom::Page::kEngine; }, 30));
    StepFrames(1);
    EXPECT_EQ(Engine().SpeedLabel()->Literal().rfind(ToFullWidthText(u"1.30"), 0), 0u);
    WritePictureIfAsked("engine-connected");

    // Cancel slides the window out and the hum stops.
    PressAction(kActionCancel);
    StepFrames(1);
    EXPECT_TRUE(PlayedLastFrame(kSeCancel));
    ASSERT_TRUE(StepUntil([&] { return Engine().State() == UIScreenState::kClosing; }, 10));
    EXPECT_EQ(GetSoundPlayer()->TrackedTag(), 0u);
    ASSERT_TRUE(StepUntil([&] { return !Engine().IsOpen(); }, 20));
    EXPECT_EQ(world.held, 0u);

    // The departure, posted as the map posts it: a driver takes the bridge and the ship is under way.
    ShowNextHideoutNotice(world);
    ASSERT_TRUE(StepUntil([&] { return Route()->GetPosition() > 1000; }, 2000));
    EXPECT_EQ(Route()->GetLength(), 2400);
    // The status strip's meter has its ship icon 24 of 58 units along.
    EXPECT_EQ(UI().Get<GAME_CUIShipStatus>()->PositionIcon()->GetPosition()->x, 24.0f);
    WritePictureIfAsked("under-way");
}

}  // namespace
