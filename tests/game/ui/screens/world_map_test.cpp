// The world map on the bridge: the view on the ship's place, its zoom, scroll and clip, the cursor and the panel, and the target question with the roads it starts.
// With VARNOLIS_UI_PICTURE_DIR=<folder> the test also writes the canvas at its stops as PPM pictures to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <ranges>
#include <string>
#include <utility>
#include <vector>

#include "framework/input/input_manager.h"
#include "framework/text/format_text.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/travel/route_save_block.h"
#include "game/model/travel/travel_controller.h"
#include "game/services/data/room_records.h"
#include "game/services/data/static_database.h"
#include "game/services/data/tag.h"
#include "game/services/player/player_data.h"
#include "game/services/save/quest_boards.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/save/working_slot.h"
#include "game/services/text/language.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/room_task_tab.h"
#include "game/ui/screens/ui_map.h"
#include "game/ui/selection_dialog.h"
#include "game/ui/text_lines.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_text.h"
#include "game/ui/widgets/ui_slider.h"
#include "platform/input/virtual_pad.h"
#include "platform/little_endian.h"
#include "tests/game/ui/screens/room_screen_test_base.h"

namespace {

using Mode = GAME_CUIMap::Mode;
using vesk::graphics::CanvasRect;

constexpr std::uint32_t kSeDecide = 0;
constexpr std::uint32_t kSeError = 4;
constexpr std::uint32_t kSeDeparture = 48;
constexpr std::uint32_t kSeCursor = 58;
// The hideouts' discovery bits in the data set.
constexpr std::uint32_t kBitCheddarSprings = 0;
constexpr std::uint32_t kBitRustyGear = 1;
constexpr std::uint32_t kBitMirage = 2;
constexpr std::uint32_t kBitOldWell = 3;

class WorldMapTest : public support::RoomScreenTest {
protected:
    void SetUp() override
    {
        RoomScreenTest::SetUp();
        for (std::uint32_t bit = 0; bit < working_slot::kStoryFlagCount; ++bit) working_slot::SetStoryFlag(bit, false);
        const auto found = std::find_if(world->ship->rooms.begin(), world->ship->rooms.end(),
                                        [](const GAME_CRoomBase* room) { return room != nullptr && room->kind == 1; });
        bridge_ = found != world->ship->rooms.end() ? *found : &Place("ID01", 2, 2);
        bridge_->rememberedTab = 0;
        // A crew aboard: a ship without one is lost as soon as the road's screens come back.
        ASSERT_NE(AddCrewMember(), nullptr);
    }

    GAME_CUIMap& Map() const { return *UI().Get<GAME_CUIMap>(); }
    GAME_CRouteManager& Route() const { return *world->travel->routeManager; }
    static GAME_CStaticDatabase& Database() { return *GetStaticDatabase(); }

    static std::uint32_t RouteBetween(const char (&a)[5], const char (&b)[5])
    {
        std::int32_t position = -1;
        EXPECT_NE(Database().FindRouteBetween(MakeTag(a), MakeTag(b), &position), nullptr) << a << "-" << b;
        std::uint32_t id = kNoId;
        Database().GetRouteDataAt(position, &id);
        return id;
    }

    // The ship on the road from `from` toward `to`, at the distance travelled.
    void PutShipOnRoad(const char (&from)[5], const char (&to)[5], std::int32_t travelled)
    {
        const std::uint32_t id = RouteBetween(from, to);
        const bool forward = Database().FindRouteData(id)->endLocation == MakeTag(to);
        StartRoute(*world->travel, &id, forward, {}, {});
        Route().SetPosition(travelled);
        world->ship->SetRoutePosition(travelled);
        world->travel->location.reset();
        if (travelled == 0) {
            const std::uint32_t here = MakeTag(from);
            world->travel->SetCurrentLocation(&here);
        }
        // The road's own events told, as the player confirms their texts.
        int frame = 0;
        ASSERT_TRUE(StepUntil([&] {
            if (UI().IsOpen(kSlotEvent) && ++frame % 20 == 0) PressAction(kActionDecide);
            return !UI().IsOpen(kSlotEvent) && !Route().IsRouteEventRunning();
        }, 3000));
        Route().SetPosition(travelled);
        world->ship->SetRoutePosition(travelled);
    }

    void Discover(std::initializer_list<std::uint32_t> bits)
    {
        for (const std::uint32_t bit : bits) working_slot::SetStoryFlag(bit, true);
    }

    // The bridge with six upgrades fitted, one more than its page shows at once; its own record
    // comes back when the test ends.
    struct SixUpgrades {
        explicit SixUpgrades(GAME_CRoomBase* bridge) : room(bridge), record(bridge->roomData), data(*bridge->roomData)
        {
            for (std::size_t n = 0; n < 6; ++n) {
                data.upgrades[n].type = static_cast<std::int32_t>(n);
                data.upgrades[n].nameKey = "TU0" + std::to_string(n + 1);
            }
            room->roomData = &data;
            room->installedUpgrades = 0x3F;
        }
        ~SixUpgrades() { room->roomData = record; }
        SixUpgrades(const SixUpgrades&) = delete;
        SixUpgrades& operator=(const SixUpgrades&) = delete;
        GAME_CRoomBase* room;
        const RoomData* record;
        RoomData data;
    };

    void OpenMap()
    {
        OpenScreenOf(*bridge_);
        ASSERT_EQ(Map().State(), UIScreenState::kMain);
    }

    // Into Browse from the map page's view, as decide there does.
    void Browse()
    {
        PressAction(kActionDecide);
        StepFrames(2);
        ASSERT_EQ(Map().CurrentMode(), Mode::kBrowse);
    }

    void HoldDirection(int action)
    {
        HoldAction(action, 1);
        StepFrames(2);
    }

    std::uint32_t CursorId() const
    {
        std::uint32_t id = kNoId;
        Database().GetHideoutDataAt(Map().CursorPointIndex(), &id);
        return id;
    }

    std::u16string_view Line(GAME_CUIMap::PanelLine line) const { return Map().PanelLabel(line)->Literal(); }

    // The view's rectangle as the clip of its draws, with the window at rest.
    static CanvasRect ViewClip() { return {{108.0f, 118.0f}, {284.0f, 136.0f}}; }

    const support::RecordedSpriteDraw* DrawOfSprite(const char* name) const { return FindSpriteDraw(2, name); }

    void WriteScan(std::uint32_t routeId, std::int32_t items, std::int32_t enemies, std::uint16_t level)
    {
        std::int32_t position = -1;
        ASSERT_NE(Database().FindRouteDataIndexed(routeId, &position), nullptr);
        const RouteSaveBlock block = route_block::Working();
        const std::size_t record = route_block::RouteRecord(static_cast<std::size_t>(position));
        platform::WriteI32(block, record + route_block::kSecondAccumulator, items);
        platform::WriteI32(block, record + route_block::kFirstAccumulator, enemies);
        platform::WriteU16(block, record + route_block::kScanLevel, level);
    }

    std::u16string Question(const char* key, const char (&target)[5]) const
    {
        return vesk::text::FormatText(GetMessageTextExpanded(key), {GetMessageTextExpanded("AJITO_UNIT_TEXT"), GetMessageTextExpanded(target)});
    }

    GAME_CRoomBase* bridge_ = nullptr;
};

// At Cheddar Springs the map opens on it: the view centred as far as the picture lets it, the point
// where the view's geometry puts it, no ship while the road's far end is unknown, every draw of the
// map clipped to the view. One point alone moves nothing; zoom held long stays within its range,
// a drag at zoom 2 reaches the picture's edges (not while the ship turns), the panel shows prices,
// scan counts capped at 99 and goods whose icons open their dialog, an empty one silently.
TEST_F(WorldMapTest, TheViewShowsTheShipsPlaceZoomsScrollsAndKeepsItsContentsInside)
{
    ASSERT_NO_FATAL_FAILURE(PutShipOnRoad("AD01", "AD02", 0));
    Discover({kBitCheddarSprings});
    ASSERT_NO_FATAL_FAILURE(OpenMap());
    EXPECT_EQ(Map().CurrentMode(), Mode::kMap);
    EXPECT_EQ(Map().View().zoom, 1.0f);
    EXPECT_EQ(Map().View().scroll.x, 0.0f);
    EXPECT_EQ(Map().View().scroll.y, 232.0f);
    EXPECT_EQ(Line(GAME_CUIMap::kLineName), GetMessageTextExpanded("AD01"));
    const support::RecordedSpriteDraw* point = DrawOfSprite("ui_map_ajito");
    ASSERT_NE(point, nullptr);
    EXPECT_EQ(point->x, 228.0f);
    EXPECT_EQ(point->y, 186.0f);
    EXPECT_EQ(DrawOfSprite("ui_distancemater_positionicon"), nullptr);
    int pictures = 0;
    for (const support::RecordedSpriteDraw& draw : frames.back().sprites) {
        if (draw.group == 2 && draw.ref == point->ref) {
            EXPECT_EQ(draw.clip, ViewClip()) << draw;
        }
        if (draw.group == -1 && draw.clip == ViewClip()) ++pictures;
    }
    EXPECT_EQ(pictures, 1);
    // Outside the view the window shows, inside the picture's paving under Cheddar Springs' mark.
    EXPECT_NE(CanvasPixel(105, 186), CanvasPixel(112, 186));

    // With one point discovered the cursor stays put.
    ASSERT_NO_FATAL_FAILURE(Browse());
    HoldDirection(kActionCursorRight);
    EXPECT_EQ(CursorId(), MakeTag("AD01"));
    EXPECT_TRUE(Line(GAME_CUIMap::kLineDistance).empty());

    // Zoom held for 200 frames never leaves 1..2 and ends at 2.
    HoldAction(kActionZoomIn, 200);
    for (int frame = 0; frame < 200; ++frame) {
        StepFrames(1);
        ASSERT_GE(Map().View().zoom, 1.0f);
        ASSERT_LE(Map().View().zoom, 2.0f);
    }
    EXPECT_EQ(Map().View().zoom, 2.0f);
    EXPECT_EQ(Map().ZoomSlider()->value, 100);

    // Dragged far up-left, then far down-right, the scroll stops at the picture's edges.
    const auto dragUntilStill = [&](int fromX, int fromY, int toX, int toY) {
        for (int drag = 0; drag < 12; ++drag) Drag(fromX, fromY, toX, toY, 20);
    };
    dragUntilStill(115, 125, 385, 248);
    EXPECT_EQ(Map().View().scroll.x, -71.0f);
    EXPECT_EQ(Map().View().scroll.y, -34.0f);
    dragUntilStill(385, 248, 115, 125);
    EXPECT_EQ(Map().View().scroll.x, 487.0f);
    EXPECT_EQ(Map().View().scroll.y, 328.0f);
    // While the ship turns the map does not take the pointer.
    world->ship->turnState = GAME_CShip::kTurningAway;
    Drag(385, 248, 115, 125, 20);
    EXPECT_EQ(Map().View().scroll.x, 487.0f);
    world->ship->turnState = GAME_CShip::kFacingForward;
    Keep("world-map-zoomed");

    // Old Well known: the cursor goes right to it, the panel shows the road and the scan, capped, and
    // its board's two quests, one of them taken, not as two still to take.
    ASSERT_TRUE(CloseScreen(kSlotMap));
    Discover({kBitOldWell});
    WriteScan(RouteBetween("AD01", "AD04"), 150000, 3000, 2);
    std::int32_t oldWellBoard = -1;
    ASSERT_NE(Database().FindHideoutDataIndexed(MakeTag("AD04"), &oldWellBoard), nullptr);
    QuestBoardWriter board(GetWorkingSlot(), oldWellBoard);
    for (int pair = 0; pair < save_layout::slot::kOfferPairCount; ++pair) board.EmptyPair(pair);
    board.SetPair(0, MakeTag("Q004"), -1);
    board.SetPair(1, MakeTag("Q003"), 7);
    board.SetMask(0b10);
    HideoutData& oldWell = *Database().GetOrCreateHideoutData(MakeTag("AD04"));
    const std::int32_t price = oldWell.fuelPrice;
    oldWell.fuelPrice = 0;
    ASSERT_NO_FATAL_FAILURE(OpenMap());
    ASSERT_NO_FATAL_FAILURE(Browse());
    const std::size_t stepped = frames.size();
    HoldDirection(kActionCursorRight);
    EXPECT_EQ(CountPlayed(kSeCursor, stepped), 1);
    EXPECT_EQ(CursorId(), MakeTag("AD04"));
    EXPECT_EQ(Line(GAME_CUIMap::kLineFuelPrice), u"--------");
    EXPECT_EQ(Line(GAME_CUIMap::kLineAccepted), u"taken １");
    EXPECT_EQ(Line(GAME_CUIMap::kLineAcceptable), u"posted ２");
    EXPECT_TRUE(Map().IsRouteMarkerShown());
    EXPECT_EQ(Map().MarkerItemCount(), 99);
    EXPECT_EQ(Map().MarkerEnemyCount(), 3);
    StepFrames(30);
    EXPECT_EQ(DrawOfSprite("ui_map_text_item")->clip, ViewClip());
    Keep("world-map-browse");
    oldWell.fuelPrice = price;

    // Cheddar Springs' first good opens its dialog with a sound; Old Well has no market, its slot
    // is empty and mute.
    HoldDirection(kActionCursorLeft);
    ASSERT_EQ(CursorId(), MakeTag("AD01"));
    ClickAt(420, 219);
    StepFrames(14);
    EXPECT_TRUE(IsDialogShown());
    EXPECT_NE(FindTextDraw(UITagName(Database().FindHideoutData(MakeTag("AD01"))->marketItems[0])), nullptr);
    ASSERT_TRUE(CloseMessage());
    HoldDirection(kActionCursorRight);
    ASSERT_EQ(CursorId(), MakeTag("AD04"));
    const std::size_t before = frames.size();
    ClickAt(420, 219);
    StepFrames(14);
    EXPECT_FALSE(IsDialogShown());
    EXPECT_EQ(CountPlayed(kSeDecide, before), 0);
}

// Quick clicks, each pressed and released within one frame, work the zoom buttons and the zoom
// slider as longer ones do: one step in, one step out, the slider's step under the pointer; and the
// map goes on answering the keys.
TEST_F(WorldMapTest, QuickClicksWorkTheZoomButtonsAndTheZoomSlider)
{
    Discover({kBitCheddarSprings});
    ASSERT_NO_FATAL_FAILURE(OpenMap());
    ASSERT_NO_FATAL_FAILURE(Browse());
    ASSERT_EQ(Map().View().zoom, UIMapView::kMinZoom);
    const auto centreOf = [&](const char* name) {
        const support::RecordedSpriteDraw* draw = DrawOfSprite(name);
        EXPECT_NE(draw, nullptr) << name;
        const vesk::math::Vec2 size = UISpriteSize(FindUISprite(name));
        return draw == nullptr ? std::pair{0, 0}
                               : std::pair{static_cast<int>(draw->x + size.x / 2.0f), static_cast<int>(draw->y + size.y / 2.0f)};
    };
    const auto [plusX, plusY] = centreOf("ui_slider_plus");
    const auto [minusX, minusY] = centreOf("ui_slider_minus");
    TapAt(plusX, plusY);
    StepFrames(10);
    EXPECT_FLOAT_EQ(Map().View().zoom, UIMapView::kMinZoom + UIMapView::kZoomStep);
    TapAt(plusX, plusY);
    StepFrames(10);
    EXPECT_FLOAT_EQ(Map().View().zoom, UIMapView::kMinZoom + 2.0f * UIMapView::kZoomStep);
    TapAt(minusX, minusY);
    StepFrames(10);
    EXPECT_FLOAT_EQ(Map().View().zoom, UIMapView::kMinZoom + UIMapView::kZoomStep);

    // Three quarters along the bar: the step there, and the zoom it stands for.
    const support::RecordedSpriteDraw* bar = DrawOfSprite("ui_map_sliderbar_bg");
    ASSERT_NE(bar, nullptr);
    TapAt(static_cast<int>(bar->x + 93.0f * 0.75f), static_cast<int>(bar->y + 5.0f));
    StepFrames(10);
    EXPECT_NEAR(Map().ZoomSlider()->value, 75, 2);
    EXPECT_FLOAT_EQ(Map().View().zoom, UIMapView::ZoomOfSlider(Map().ZoomSlider()->value));

    PressAction(kActionCancel);
    StepFrames(2);
    EXPECT_EQ(Map().CurrentMode(), Mode::kMap);
}

// The question follows fuel and engine, and its answers: no and a vanished dialog leave the
// selection in Browse; yes starts the road, or under way keeps or turns the ship at the mirrored
// distance. The origin at 0, a locked target and a missing road each answer as they should.
TEST_F(WorldMapTest, TheTargetQuestionStartsKeepsOrTurnsTheRoad)
{
    ASSERT_NO_FATAL_FAILURE(PutShipOnRoad("AD01", "AD02", 0));
    Discover({kBitCheddarSprings, kBitRustyGear, kBitOldWell});
    GAME_CShip& ship = *world->ship;
    ship.fuelRate = 100;
    ship.fuel = 30;  // exactly the need of the 3000 to Old Well
    ASSERT_NO_FATAL_FAILURE(OpenMap());
    ASSERT_NO_FATAL_FAILURE(Browse());

    // At 0 the origin is where the ship is: decide does nothing.
    std::size_t before = frames.size();
    PressAction(kActionDecide);
    StepFrames(2);
    EXPECT_EQ(Map().CurrentMode(), Mode::kBrowse);
    EXPECT_EQ(CountPlayed(kSeDecide, before) + CountPlayed(kSeError, before), 0);

    HoldDirection(kActionCursorRight);
    ASSERT_EQ(CursorId(), MakeTag("AD04"));
    EXPECT_EQ(Line(GAME_CUIMap::kLineDistance), FormatUIMessage("MAPUI_TARGETDISTANCE_FORMAT", {UIFullWidthNumber(3000)}));
    EXPECT_EQ(Line(GAME_CUIMap::kLineFuelNeed), FormatUIMessage("MAPUI_TARGETAJITO_NEED_FUEL", {UIFullWidthNumber(30)}));
    PressAction(kActionDecide);
    StepFrames(3);
    EXPECT_EQ(Map().CurrentMode(), Mode::kConfirm);
    EXPECT_EQ(Dialog().Message(), Question("ADD_TEXT_UI_MAP_DIALOG", "AD04"));
    AnswerDialog(1);
    StepFrames(3);
    EXPECT_EQ(Map().CurrentMode(), Mode::kBrowse);
    EXPECT_EQ(CursorId(), MakeTag("AD04"));

    // A fuel rate of 0 counts as 1; with fuel to spare the engine picks the wording. A dialog that
    // goes away unanswered returns to Browse.
    ship.fuelRate = 0;
    ship.fuel = 3001;
    PressAction(kActionDecide);
    StepFrames(3);
    const bool engine = std::any_of(ship.rooms.begin(), ship.rooms.end(),
                                    [](const GAME_CRoomBase* room) { return room != nullptr && room->kind == 23 && room->engineMode != 0; });
    EXPECT_EQ(Dialog().Message(), Question(engine ? "MAPUI_SETTARGET_YESNODISP" : "MAPUI_SETTARGET_NOENGINE_YESNODISP", "AD04"));
    CloseDialog();
    StepFrames(2);
    EXPECT_EQ(Map().CurrentMode(), Mode::kBrowse);
    EXPECT_EQ(CursorId(), MakeTag("AD04"));
    ship.fuelRate = 100;

    // A route script holding the road locks the target: not a sound.
    Route().SetHolding(true);
    before = frames.size();
    PressAction(kActionDecide);
    StepFrames(2);
    EXPECT_EQ(Map().CurrentMode(), Mode::kBrowse);
    EXPECT_EQ(CountPlayed(kSeDecide, before) + CountPlayed(kSeError, before), 0);
    Route().SetHolding(false);

    // Seen from a location with no road to the point, the choice is refused.
    const std::uint32_t oldWell = MakeTag("AD04");
    world->travel->SetCurrentLocation(&oldWell);
    HoldDirection(kActionCursorLeft);
    ASSERT_EQ(CursorId(), MakeTag("AD01"));
    HoldDirection(kActionCursorUp);
    ASSERT_EQ(CursorId(), MakeTag("AD02"));
    before = frames.size();
    PressAction(kActionDecide);
    StepFrames(2);
    EXPECT_EQ(CountPlayed(kSeError, before), 1);
    EXPECT_EQ(Map().CurrentMode(), Mode::kBrowse);
    const std::uint32_t cheddar = MakeTag("AD01");
    world->travel->SetCurrentLocation(&cheddar);

    // Yes: the road to Old Well from its start, the horn, the notice, the map gone.
    HoldDirection(kActionCursorDown);
    HoldDirection(kActionCursorRight);
    ASSERT_EQ(CursorId(), MakeTag("AD04"));
    PressAction(kActionDecide);
    StepFrames(3);
    before = frames.size();
    AnswerDialog(0);
    StepFrames(2);
    EXPECT_EQ(CountPlayed(kSeDeparture, before), 1);
    EXPECT_EQ(Route().GetRouteId(), RouteBetween("AD01", "AD04"));
    EXPECT_EQ(Route().GetDestination(), MakeTag("AD04"));
    EXPECT_EQ(Route().GetPosition(), 0);
    EXPECT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotMap); }, 30));

    // Under way at 1,000 of 3,000: the destination keeps the distance, the origin turns the ship
    // round at 2,000.
    for (const bool turn : {false, true}) {
        ASSERT_NO_FATAL_FAILURE(PutShipOnRoad("AD01", "AD04", 1000));
        ASSERT_NO_FATAL_FAILURE(OpenMap());
        EXPECT_EQ(Line(GAME_CUIMap::kLineDistance), FormatUIMessage("MAPUI_REMAINDISTANCE_FORMAT", {UIFullWidthNumber(2000)}));
        ASSERT_NO_FATAL_FAILURE(Browse());
        // The cursor starts on the origin without a road chosen: the player steps to it.
        HoldDirection(kActionCursorRight);
        if (turn) HoldDirection(kActionCursorLeft);
        ASSERT_EQ(CursorId(), MakeTag(turn ? "AD01" : "AD04"));
        PressAction(kActionDecide);
        StepFrames(3);
        ASSERT_EQ(Map().CurrentMode(), Mode::kConfirm);
        AnswerDialog(0);
        StepFrames(2);
        EXPECT_EQ(Route().GetDestination(), MakeTag(turn ? "AD01" : "AD04")) << turn;
        EXPECT_EQ(Route().GetPosition(), turn ? 2000 : 1000) << turn;
        EXPECT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotMap); }, 30));
    }
}

// The panel opens on where the ship is: the distance, time and fuel of a point chosen before the map
// closed are not shown again for the ship's own place.
TEST_F(WorldMapTest, TheMapOpensWithoutTheLastChosenPointsRoadLines)
{
    ASSERT_NO_FATAL_FAILURE(PutShipOnRoad("AD01", "AD04", 0));
    Discover({kBitCheddarSprings, kBitOldWell});
    ASSERT_NO_FATAL_FAILURE(OpenMap());
    ASSERT_NO_FATAL_FAILURE(Browse());
    HoldDirection(kActionCursorRight);
    ASSERT_EQ(CursorId(), MakeTag("AD04"));
    ASSERT_FALSE(Line(GAME_CUIMap::kLineDistance).empty());
    ASSERT_FALSE(Line(GAME_CUIMap::kLineFuelNeed).empty());
    ASSERT_TRUE(CloseScreen(kSlotMap));

    ASSERT_NO_FATAL_FAILURE(OpenMap());
    EXPECT_EQ(CursorId(), MakeTag("AD01"));
    EXPECT_TRUE(Line(GAME_CUIMap::kLineDistance).empty());
    EXPECT_TRUE(Line(GAME_CUIMap::kLineTime).empty());
    EXPECT_TRUE(Line(GAME_CUIMap::kLineFuelNeed).empty());
    ASSERT_TRUE(CloseScreen(kSlotMap));
}

// A point scrolled out of the view is hidden by its clip and takes no click: Rusty Gear, above the
// view while it shows Cheddar Springs, is not chosen by a click on the window's title where it would
// stand; dragged into the view, the same point takes the click.
TEST_F(WorldMapTest, APointOutsideTheViewTakesNoClick)
{
    ASSERT_NO_FATAL_FAILURE(PutShipOnRoad("AD01", "AD02", 0));
    Discover({kBitCheddarSprings, kBitRustyGear});
    ASSERT_NO_FATAL_FAILURE(OpenMap());
    ASSERT_NO_FATAL_FAILURE(Browse());
    const HideoutData& rustyGear = *Database().FindHideoutData(MakeTag("AD02"));
    const auto rustyGearOnCanvas = [&] {
        return Map().View().ToCanvas({static_cast<float>(rustyGear.mapX), static_cast<float>(rustyGear.mapY)});
    };
    const vesk::math::Vec2 hidden = rustyGearOnCanvas();
    ASSERT_LT(hidden.y, 118.0f);
    const std::size_t before = frames.size();
    ClickAt(static_cast<int>(hidden.x), static_cast<int>(hidden.y));
    StepFrames(2);
    EXPECT_EQ(CursorId(), MakeTag("AD01"));
    EXPECT_EQ(CountPlayed(kSeCursor, before), 0);
    ClickAt(static_cast<int>(hidden.x), static_cast<int>(hidden.y));
    StepFrames(3);
    EXPECT_EQ(Map().CurrentMode(), Mode::kBrowse);

    for (int drag = 0; drag < 10 && rustyGearOnCanvas().y < 130.0f; ++drag) Drag(200, 125, 200, 250, 20);
    const vesk::math::Vec2 shown = rustyGearOnCanvas();
    ASSERT_GE(shown.y, 130.0f);
    ClickAt(static_cast<int>(shown.x), static_cast<int>(shown.y));
    StepFrames(2);
    EXPECT_EQ(CursorId(), MakeTag("AD02"));
}

// With the sticks swapped the right stick steers the browse, as it steers every other screen: a
// key held left with the right stick pushed right takes the cursor right, to Old Well.
TEST_F(WorldMapTest, WithTheSticksSwappedTheRightStickSteersTheBrowse)
{
    ASSERT_NO_FATAL_FAILURE(PutShipOnRoad("AD01", "AD02", 0));
    Discover({kBitCheddarSprings, kBitOldWell});
    platform::input::VirtualPad pad;
    ASSERT_TRUE(pad.Attach(platform::input::PadKind::Standard));
    vesk::input::OnDeviceChange();
    GetPlayerData()->option56 = 1;
    ASSERT_NO_FATAL_FAILURE(OpenMap());
    ASSERT_NO_FATAL_FAILURE(Browse());
    ASSERT_EQ(CursorId(), MakeTag("AD01"));
    platform::input::StandardPadState rightStickRight;
    rightStickRight.rightX = 32767;
    pad.Set(rightStickRight);
    HoldDirection(kActionCursorLeft);
    EXPECT_EQ(CursorId(), MakeTag("AD04"));
    GetPlayerData()->option56 = 0;
    pad.Set(platform::input::StandardPadState{});
    pad.Detach();
    vesk::input::OnDeviceChange();
}

// The bridge's task page over six installed upgrades: its durability in full; scrolled by one (the
// wheel over the information) the first upgrade takes the durability's line and the gauge goes. The tab key goes from one page to
// the other, and the bridge opens again on the page it showed last.
TEST_F(WorldMapTest, TheTaskPageScrollsTheBridgesUpgradesAndTheBridgeReopensOnItsLastPage)
{
    const SixUpgrades upgrades(bridge_);
    ASSERT_NO_FATAL_FAILURE(OpenMap());
    ASSERT_EQ(Map().CurrentMode(), Mode::kMap);
    // The arrow keys walk the map page's focus from the view to the tab and the skip arrows: the map's
    // tab bar has no row highlight to hide.
    for (const int action : {kActionCursorDown, kActionCursorRight, kActionCursorLeft, kActionCursorUp}) HoldDirection(action);
    ASSERT_EQ(Map().CurrentMode(), Mode::kMap);

    PressAction(kActionMenuTabChange);
    StepFrames(20);
    ASSERT_EQ(Map().CurrentMode(), Mode::kTask);
    EXPECT_EQ(bridge_->rememberedTab, 1);
    GAME_CUIRoomTaskTab& tab = Map().TaskTab();
    EXPECT_EQ(tab.DisplayLabel(0)->Literal(), GetMessageTextExpanded("SHIP_STATUS_HP"));
    EXPECT_EQ(tab.ValueLabel()->Literal(), UIFullWidthNumber(80) + u"／" + UIFullWidthNumber(80));
    EXPECT_EQ(tab.DisplayLabel(1)->Key(), std::string("TU01"));
    EXPECT_NE(tab.GaugeFill()->Color() >> 24, 0u);
    Keep("world-map-tasks");

    PointerMove(200, 150);
    Wheel(-1);
    StepFrames(2);
    ASSERT_EQ(tab.ScrollBar()->Value(), 1);
    ExpectUpgradesOnTop(tab, "TU01", "TU02");

    // The tab key back to the map and on to the tasks, each remembered.
    PressAction(kActionMenuTabChange);
    StepFrames(20);
    EXPECT_EQ(Map().CurrentMode(), Mode::kMap);
    EXPECT_EQ(bridge_->rememberedTab, 0);
    PressAction(kActionMenuTabChange);
    StepFrames(20);
    ASSERT_EQ(Map().CurrentMode(), Mode::kTask);
    ASSERT_TRUE(CloseScreen(kSlotMap));
    ASSERT_NO_FATAL_FAILURE(OpenMap());
    EXPECT_EQ(Map().CurrentMode(), Mode::kTask);
    EXPECT_EQ(tab.DisplayLabel(0)->Literal(), GetMessageTextExpanded("SHIP_STATUS_HP")) << "the page opens at its top";
    ASSERT_TRUE(CloseScreen(kSlotMap));
}

// On the bridge's task page the keys reach the crew from the left arrow, whether or not the upgrades
// scroll, and the way down from the crew to the map's tab brings the upgrades back to their top.
TEST_F(WorldMapTest, TheBridgesLeftArrowLeadsToItsCrewAndLeavingTheCrewDownRewindsTheUpgrades)
{
    const SixUpgrades upgrades(bridge_);
    ASSERT_NO_FATAL_FAILURE(OpenMap());
    PressAction(kActionMenuTabChange);
    StepFrames(20);
    ASSERT_EQ(Map().CurrentMode(), Mode::kTask);
    GAME_CUIRoomTaskTab& tab = Map().TaskTab();
    ASSERT_GT(tab.ScrollBar()->Maximum(), 0) << "six upgrades scroll";
    ASSERT_EQ(tab.Focus(), kTaskFocusRows);

    HoldDirection(kActionCursorLeft);
    ASSERT_EQ(tab.Focus(), kTaskFocusCrew);
    HoldDirection(kActionCursorLeft);
    ASSERT_EQ(tab.Focus(), kTaskFocusSkipLeft);
    HoldDirection(kActionCursorRight);
    EXPECT_EQ(tab.Focus(), kTaskFocusCrew) << "right of the left arrow is the crew, not the upgrades' bar";

    PointerMove(200, 150);
    Wheel(-1);
    StepFrames(2);
    ASSERT_EQ(tab.ScrollBar()->Value(), 1);
    ASSERT_EQ(tab.Focus(), kTaskFocusCrew);
    for (int step = 0; step < 16 && tab.Focus() == kTaskFocusCrew; ++step) HoldDirection(kActionCursorDown);
    EXPECT_EQ(tab.Focus(), kTaskFocusOtherTab);
    EXPECT_EQ(tab.ScrollBar()->Value(), 0);
    EXPECT_EQ(tab.DisplayLabel(0)->Literal(), GetMessageTextExpanded("SHIP_STATUS_HP")) << "the durability line is back on top";
    ASSERT_TRUE(CloseScreen(kSlotMap));
}

// Pad only, the right trigger steps from the bridge's map through the next rooms' screens and back
// to the map. A fuel tank aboard has no screen of its own: the step passes over it, and the game
// is never left held with no screen open, the view fastened on the tank.
TEST_F(WorldMapTest, ThePadsRoomStepsPassOverARoomWithoutAScreen)
{
    const auto placeAnywhere = [&](const char (&id)[5]) {
        GAME_CRoomBase* room = nullptr;
        for (int y = 0; y < GAME_CShipGrid::kMaxHeight && room == nullptr; ++y) {
            for (int x = 0; x < GAME_CShipGrid::kMaxWidth && room == nullptr; ++x) {
                room = world->ship->PlaceRoom(x, y, FindRoomIdIndex(MakeTag(id)));
            }
        }
        return room;
    };
    const GAME_CRoomBase* tank = placeAnywhere("ID21");
    ASSERT_NE(tank, nullptr);
    ASSERT_NE(placeAnywhere("ID23"), nullptr);
    platform::input::VirtualPad pad;
    ASSERT_TRUE(pad.Attach(platform::input::PadKind::Standard));
    vesk::input::OnDeviceChange();
    ASSERT_NO_FATAL_FAILURE(OpenMap());
    const auto openRoomScreens = [&] {
        int open = 0;
        for (const int slot : {kSlotItemCreate, kSlotDiningHall, kSlotBullet, kSlotHospital, kSlotEngineRoom, kSlotInventory,
                               kSlotMindControl, kSlotMap}) {
            open += UI().IsOpen(slot) ? 1 : 0;
        }
        return open;
    };
    bool backOnTheMap = false;
    int hops = 0;
    for (int step = 0; step < 12 && !backOnTheMap; ++step) {
        platform::input::StandardPadState trigger;
        trigger.rightTrigger = 255;
        pad.Set(trigger);
        StepFrames(1);
        pad.Set(platform::input::StandardPadState{});
        StepFrames(60);
        ASSERT_EQ(openRoomScreens(), 1) << "step " << step << ": the held game " << world->held << ", the camera's room "
                                        << (world->camera->followedRoom == tank ? "the fuel tank" : "another");
        EXPECT_NE(world->camera->followedRoom, tank);
        backOnTheMap = UI().IsOpen(kSlotMap) && Map().State() == UIScreenState::kMain;
        hops = step + 1;
    }
    EXPECT_TRUE(backOnTheMap);
    EXPECT_EQ(hops, 2) << "the engine room's screen, then the map again";
    pad.Detach();
    vesk::input::OnDeviceChange();
    ASSERT_TRUE(CloseScreen(kSlotMap));
    EXPECT_EQ(world->held, 0);
}

// In every language the target questions, with the widest hideout name, keep to the shared dialog's
// lines, each inside its box less the margin on either side.
TEST_F(WorldMapTest, TheTargetQuestionsFitTheDialogWithTheWidestHideoutNameInEveryLanguage)
{
    for (std::uint32_t language = 0; language < kLanguageCount; ++language) {
        ChooseLanguage(language);
        const std::string_view file = GetMessageFileForLanguage(language);
        const std::u16string hideout = WidestTagName(std::views::keys(Database().Hideouts()));
        ASSERT_FALSE(hideout.empty());
        const std::u16string unit = GetMessageTextExpanded("AJITO_UNIT_TEXT");
        for (const char* key : {"MAPUI_SETTARGET_YESNODISP", "MAPUI_SETTARGET_NOENGINE_YESNODISP", "ADD_TEXT_UI_MAP_DIALOG"}) {
            ExpectFitsDialog(vesk::text::FormatText(GetMessageTextExpanded(key), {unit, hideout}), std::string(file) + ": " + key);
        }
    }
}

// Under way, a point's remaining distance of four full-width digits with its word reaches where the
// time stands: in every language the time keeps a gap after the distance, so that the two numbers
// do not read as one.
TEST_F(WorldMapTest, TheTimeStandsApartFromTheRemainingDistanceInEveryLanguage)
{
    ASSERT_NO_FATAL_FAILURE(PutShipOnRoad("AD01", "AD04", 1000));
    Discover({kBitCheddarSprings, kBitOldWell});
    world->ship->speed = 1.0f;
    world->ship->fuel = 100;
    const GAME_CUILabelObject& distance = *Map().PanelLabel(GAME_CUIMap::kLineDistance);
    const GAME_CUILabelObject& time = *Map().PanelLabel(GAME_CUIMap::kLineTime);
    for (std::uint32_t language = 0; language < kLanguageCount; ++language) {
        ChooseLanguage(language);
        const std::string_view file = GetMessageFileForLanguage(language);
        ASSERT_NO_FATAL_FAILURE(OpenMap());
        ASSERT_NO_FATAL_FAILURE(Browse());
        HoldDirection(kActionCursorRight);
        ASSERT_EQ(CursorId(), MakeTag("AD04")) << file;
        ASSERT_EQ(distance.Literal(), FormatUIMessage("MAPUI_REMAINDISTANCE_FORMAT", {UIFullWidthNumber(2000)})) << file;
        ASSERT_FALSE(time.Literal().empty()) << file;
        const float distanceEnd = distance.GetPosition()->x + MeasureUIText(distance.Literal());
        EXPECT_GE(time.GetPosition()->x, distanceEnd + 6.0f) << file;
        EXPECT_GE(time.GetPosition()->x, 340.0f) << file << ": never left of its place";
        EXPECT_LE(time.GetPosition()->x + MeasureUIText(time.Literal()), Map().PanelLabel(GAME_CUIMap::kLineFuelNeed)->GetPosition()->x)
            << file << ": the fuel line stays clear";
        ASSERT_TRUE(CloseScreen(kSlotMap));
    }
}

}  // namespace
