// The gas station: choosing an amount by buttons, keys, the gauge and a drag, the question and the purchase, and what money and a full tank forbid.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <climits>

#include "game/model/ship/ship.h"
#include "game/model/travel/travel_controller.h"
#include "game/services/data/static_lookups.h"
#include "game/services/data/tag.h"
#include "game/services/data/world_records.h"
#include "game/services/input/input_actions.h"
#include "game/services/player/player_data.h"
#include "game/services/text/message_text.h"
#include "game/ui/screens/ui_gas_station.h"
#include "game/ui/selection_dialog.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_text.h"
#include "tests/game/ui/screens/room_screen_test_base.h"

namespace {

constexpr std::uint32_t kSeFuelBought = 59;

class GasStationTest : public support::RoomScreenTest {
protected:
    GAME_CUIGasStation& Station() const { return *UI().Get<GAME_CUIGasStation>(); }
    GAME_CShip& Ship() const { return *world->ship; }
    GAME_CPlayerData& Player() const { return *GetPlayerData(); }

    // The ship at Cheddar Springs with a tank of the capacity and fuel, and the money.
    void StandAtCheddarSprings(std::int32_t capacity, std::int32_t fuel, std::int32_t money)
    {
        const std::uint32_t town = MakeTag("AD01");
        ASSERT_TRUE(world->travel->SetCurrentLocation(&town));
        Ship().fuelCapacity = capacity;
        Ship().fuel = fuel;
        Player().money = money;
    }

    void Open()
    {
        UI().SetOpen(kSlotGasStation, true);
        ASSERT_TRUE(StepUntil([&] { return Station().State() == UIScreenState::kMain; }, 30));
        StepFrames(1);
    }

    void Press(int action, int frames = 2)
    {
        PressAction(action);
        StepFrames(frames);
    }

    // A click on a button of the window, in its middle.
    void ClickOn(GAME_CUIIconObject& button)
    {
        const vesk::math::Vec2 at = button.WorldPosition();
        ClickAt(static_cast<int>(at.x), static_cast<int>(at.y));
        // The press bounces for a few frames, and keys wait for it.
        StepFrames(5);
    }

    // The canvas x of the gauge cell k beyond the tank's level (a whole unit inside it).
    int CellX(int k) const
    {
        const float width = 271.0f / static_cast<float>(Ship().fuelCapacity);
        return static_cast<int>(std::ceil(Station().GaugeOrigin().x + (static_cast<float>(Ship().fuel) + static_cast<float>(k - 1)) * width));
    }
    // Decide once the notice's button rests, then the frames until the screen chooses again.
    void CloseNotice()
    {
        ASSERT_TRUE(StepUntil([] { return Dialog().EnterButton()->State() == 1; }, 10));
        PressAction(kActionDecide);
        ASSERT_TRUE(StepUntil([&] { return Station().CurrentPage() == GAME_CUIGasStation::kChoosing; }, 30));
    }
    int GaugeY() const { return static_cast<int>(Station().GaugeOrigin().y) + 10; }
};

// The plus button stands over the fuel frame's corner: it must leave the frame's jerrycan badge
// whole, so the canvas over the frame shows as much of the can's amber with the button drawn as
// with the button drawn clear.
TEST_F(GasStationTest, ThePlusButtonLeavesTheFuelFramesCanWhole)
{
    StandAtCheddarSprings(300, 200, 500);
    Open();
    const support::RecordedSpriteDraw* frame = FindSpriteDraw(kUISpriteGroup, "ui_fuel_frame");
    ASSERT_NE(frame, nullptr);
    const vesk::math::Vec2 size = UISpriteSize(FindUISprite("ui_fuel_frame"));
    const auto amberOverFrame = [&] {
        int count = 0;
        for (int y = static_cast<int>(frame->y); y < static_cast<int>(frame->y + size.y); ++y) {
            for (int x = static_cast<int>(frame->x); x < static_cast<int>(frame->x + size.x); ++x) {
                count += (CanvasPixel(x, y) & 0xFFFFFFu) == 0xE8A23Au ? 1 : 0;
            }
        }
        return count;
    };
    KeepCanvasPicture("gas-station-can");
    const int withButton = amberOverFrame();
    Station().PlusButton()->SetColor(0x00FFFFFFu);
    StepFrames(1);
    const int clear = amberOverFrame();
    EXPECT_GT(clear, 20);
    EXPECT_EQ(withButton, clear);
}

// Money 250 at 100 a unit with room for 10: plus and MAX stop at what the money pays (2); the right
// key goes on to the free room (10). BUY then turns to the warning colour and tells of the money,
// changing nothing. Two units at the dearest price cost more than 32 bits hold, and are refused all
// the same. A press on the first cell beyond the level sets 2, a drag
// moves by whole cells and stops at the free room; a full tank and a tank of no size give nothing.
TEST_F(GasStationTest, TheAmountKeepsToMoneyAndRoomAndABuyBeyondTheMoneyIsRefused)
{
    StandAtCheddarSprings(300, 290, 250);
    Open();
    ASSERT_EQ(Station().UnitPrice(), 100);
    EXPECT_EQ(Station().Title()->Literal(), FormatUIMessage("GASSTATION_TYPE_NAME0", {GetMessageTextExpanded("AD01")}));
    EXPECT_FLOAT_EQ(Station().FuelShare(), 290.0f / 300.0f);
    KeepCanvasPicture("gas-station");

    for (int i = 0; i < 3; ++i) ClickOn(*Station().PlusButton());
    EXPECT_EQ(Station().Amount(), 2) << "plus stops at what 250 pays";
    Press(kActionMenuFunctionB, 8);
    EXPECT_EQ(Station().Amount(), 0);
    Press(kActionMenuFunctionA, 8);
    EXPECT_EQ(Station().Amount(), 2) << "MAX as well";
    HoldAction(kActionCursorRight, 80);
    StepFrames(80);
    EXPECT_EQ(Station().Amount(), 10) << "the key goes on to the free room";
    EXPECT_EQ(Station().BuyButton()->Color(), GetUIColor(5));
    ClickOn(*Station().BuyButton());
    ASSERT_TRUE(StepUntil([&] { return Station().CurrentPage() == GAME_CUIGasStation::kNotEnoughMoney; }, 10));
    EXPECT_EQ(Dialog().Message(), GetMessageTextExpanded("GASSTATION_NOT_ENOUGH_MONEY"));
    EXPECT_FALSE(Dialog().yesNoMode);
    CloseNotice();
    EXPECT_EQ(Ship().fuel, 290);
    EXPECT_EQ(Player().money, 250);

    // The dearest price a record holds, twice: past 32 bits, so it must not wrap to below the money.
    const std::uint32_t town = MakeTag("AD01");
    auto& record = const_cast<HideoutData&>(*FindHideoutData(town));
    const std::int32_t oldPrice = record.fuelPrice;
    record.fuelPrice = INT32_MAX;
    ASSERT_TRUE(CloseScreen(kSlotGasStation));
    StandAtCheddarSprings(2000, 1000, 999'999'999);
    Open();
    Press(kActionCursorRight);
    Press(kActionCursorRight);
    ASSERT_EQ(Station().Amount(), 2);
    EXPECT_EQ(Station().TotalLabel()->Literal(), UIFullWidthNumber(2 * std::int64_t{INT32_MAX}));
    Press(kActionCursorDown);
    Press(kActionCursorDown);
    ASSERT_EQ(Station().FocusAt(), GAME_CUIGasStation::Focus::kBuy);
    Press(kActionDecide);
    EXPECT_EQ(Station().CurrentPage(), GAME_CUIGasStation::kNotEnoughMoney);
    CloseNotice();
    EXPECT_EQ(Player().money, 999'999'999);
    EXPECT_EQ(Ship().fuel, 1000);
    record.fuelPrice = oldPrice;

    // The first cell beyond the level sets 2; a drag of 50 units adds whole cells of 271 / 300.
    ASSERT_TRUE(CloseScreen(kSlotGasStation));
    StandAtCheddarSprings(300, 200, 100'000);
    Open();
    EXPECT_EQ(Station().Amount(), 0);
    EXPECT_EQ(Station().FocusAt(), GAME_CUIGasStation::Focus::kBuy) << "the focus stays from the last visit";
    PointerDown(CellX(1), GaugeY());
    StepFrames(2);
    EXPECT_EQ(Station().Amount(), 2);
    EXPECT_EQ(Station().CurrentPage(), GAME_CUIGasStation::kDragging);
    PointerMove(CellX(1) + 50, GaugeY());
    StepFrames(1);
    EXPECT_EQ(Station().Amount(), 2 + static_cast<int>(50.0f * 100.0f / ((271.0f / 300.0f) * 100.0f)));
    PointerMove(630, GaugeY());
    StepFrames(1);
    EXPECT_EQ(Station().Amount(), 100) << "never past the free room";
    EXPECT_FLOAT_EQ(Station().PurchaseShare(), 1.0f - 200.0f / 300.0f);
    PointerUp();
    StepFrames(2);
    EXPECT_EQ(Station().CurrentPage(), GAME_CUIGasStation::kChoosing);

    // A full tank: no cells, no step, no drag; bars full and empty.
    ASSERT_TRUE(CloseScreen(kSlotGasStation));
    StandAtCheddarSprings(300, 300, 100'000);
    Open();
    Press(kActionMenuFunctionA, 8);
    Press(kActionCursorRight, 2);
    PointerDown(CellX(0) - 2, GaugeY());
    StepFrames(2);
    PointerMove(600, GaugeY());
    StepFrames(2);
    PointerUp();
    StepFrames(2);
    EXPECT_EQ(Station().Amount(), 0);
    EXPECT_FLOAT_EQ(Station().FuelShare(), 1.0f);
    EXPECT_FLOAT_EQ(Station().PurchaseShare(), 0.0f);

    // No tank at all: empty bars, nothing to buy.
    Ship().fuelCapacity = 0;
    Ship().fuel = 0;
    Press(kActionMenuFunctionA, 8);
    HoldAction(kActionCursorRight, 5);
    StepFrames(5);
    EXPECT_EQ(Station().Amount(), 0);
    EXPECT_FLOAT_EQ(Station().FuelShare(), 0.0f);
    EXPECT_FLOAT_EQ(Station().PurchaseShare(), 0.0f);
}

}  // namespace

namespace {

class GasStationRoadTest : public support::GameFixture {};

// A new game stands at Cheddar Springs with 500 in money and its tank at 200 of 300. Two presses of
// plus and BUY ask whether to buy "２" units, the cursor on no; yes fills 2 units for 200, plays the
// fuel sound and the amount goes back to 0. The close button opens the hideout menu again.
TEST_F(GasStationRoadTest, ANewPlayerBuysTwoUnitsOfFuelAtTheFirstHideout)
{
    StartNewGameToFirstRoad();
    GAME_CGameWorld& world = *GetGameWorld();
    // The hideout menu knows where the ship stands; the gas station opens over it as from its card.
    UI().SetOpen(kSlotAjitoMenu, true);
    StepFrames(20);
    ASSERT_NE(world.travel->GetLocation(), nullptr);
    ASSERT_TRUE(CloseScreen(kSlotAjitoMenu));
    EXPECT_EQ(world.travel->GetLocation()->hideoutId, MakeTag("AD01"));
    EXPECT_EQ(GetPlayerData()->money, 500);
    EXPECT_EQ(world.ship->fuel, 200);
    EXPECT_EQ(world.ship->fuelCapacity, 300);

    auto& station = *UI().Get<GAME_CUIGasStation>();
    UI().SetOpen(kSlotGasStation, true);
    ASSERT_TRUE(StepUntil([&] { return station.State() == UIScreenState::kMain; }, 30));
    StepFrames(1);
    for (int i = 0; i < 2; ++i) {
        const vesk::math::Vec2 plus = station.PlusButton()->WorldPosition();
        ClickAt(static_cast<int>(plus.x), static_cast<int>(plus.y));
        StepFrames(5);
    }
    ASSERT_EQ(station.Amount(), 2);
    const vesk::math::Vec2 buy = station.BuyButton()->WorldPosition();
    ClickAt(static_cast<int>(buy.x), static_cast<int>(buy.y));
    ASSERT_TRUE(StepUntil([&] { return station.CurrentPage() == GAME_CUIGasStation::kConfirming; }, 10));
    StepFrames(1);
    GAME_CUIInDisplaySelectionObject& dialog = *GetInDisplaySelection();
    EXPECT_EQ(dialog.Message(), FormatUIMessage("GASSTATION_BUYCHECK_YESNO", {u"２", GetMessageTextExpanded("FUEL_UNIT_TEXT")}));
    EXPECT_EQ(dialog.cursorIndex, 1) << "no comes first";
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    ASSERT_TRUE(StepUntil([&] { return station.CurrentPage() == GAME_CUIGasStation::kBought; }, 5));
    EXPECT_EQ(world.ship->fuel, 202);
    EXPECT_EQ(GetPlayerData()->money, 300);
    EXPECT_EQ(station.Amount(), 0);
    const auto& played = frames.back().soundEffects;
    EXPECT_NE(std::find(played.begin(), played.end(), kSeFuelBought), played.end());
    EXPECT_EQ(dialog.Message(), GetMessageTextExpanded("GASSTATION_BUY_FINISHED"));

    ASSERT_TRUE(StepUntil([&] { return dialog.EnterButton()->State() == 1; }, 10));
    PressAction(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return station.CurrentPage() == GAME_CUIGasStation::kChoosing; }, 30));
    PressAction(kActionCancel);
    ASSERT_TRUE(StepUntil([&] { return !station.IsOpen(); }, 40));
    EXPECT_TRUE(UI().IsOpen(kSlotAjitoMenu));
}

}  // namespace
