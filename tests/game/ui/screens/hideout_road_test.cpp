// The road of a new player from the first hideout to the next, on the shipped data: the hideout menu, the bridge's map, the target chosen and the drive to Old Well.
// With VARNOLIS_ROAD_PICTURE_DIR=<folder> the test also writes the canvas at its stops as PPM pictures to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "framework/math/random.h"
#include "framework/text/format_text.h"
#include "game/ui/ui_manager.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/travel/route_manager.h"
#include "game/model/travel/travel_controller.h"
#include "game/model/world/game_world.h"
#include "game/services/data/room_records.h"
#include "game/services/data/static_database.h"
#include "game/services/data/tag.h"
#include "game/services/input/input_actions.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/text/message_text.h"
#include "game/ui/event_selection.h"
#include "game/ui/message_log.h"
#include "game/ui/screens/ui_ajito_menu.h"
#include "game/ui/screens/ui_common.h"
#include "game/ui/screens/ui_engine_room.h"
#include "game/ui/screens/ui_event.h"
#include "game/ui/screens/ui_map.h"
#include "game/ui/selection_dialog.h"
#include "game/ui/ui_text.h"
#include "game/ui/widgets/ui_icon_object.h"
#include "game/ui/widgets/ui_label_object.h"
#include "tests/game/ui/screens/hideout_menu_steps.h"
#include "tests/support/game_fixture.h"

namespace {

constexpr std::uint32_t kSeDeparture = 48;
constexpr std::uint32_t kSeCursor = 58;
constexpr std::uint32_t kBitCheddarSprings = 0;
constexpr std::uint32_t kBitOldWell = 3;

class HideoutRoadTest : public support::HideoutMenuSteps<support::GameFixture> {
protected:
    GAME_CGameWorld& World() const { return *GetGameWorld(); }
    GAME_CRouteManager& Route() const { return *World().travel->routeManager; }
    GAME_CUIMap& Map() const { return *UI().Get<GAME_CUIMap>(); }
    static GAME_CUIInDisplaySelectionObject& Dialog() { return *GetInDisplaySelection(); }

    void WritePictureIfAsked(const std::string& name) const
    {
        if (const char* folder = std::getenv("VARNOLIS_ROAD_PICTURE_DIR")) {
            ASSERT_TRUE(WriteCanvasPicture(std::string(folder) + "/" + name + ".ppm"));
        }
    }

    bool PlayedSince(std::uint32_t id, std::size_t from) const
    {
        for (std::size_t i = from; i < frames.size(); ++i) {
            const auto& played = frames[i].soundEffects;
            if (std::find(played.begin(), played.end(), id) != played.end()) return true;
        }
        return false;
    }

    static bool Visited(std::uint32_t bit)
    {
        return GetSlotBit(GetWorkingSlot(), save_layout::slot::kVisitedHideouts, save_layout::slot::kVisitedHideoutBits, bit);
    }

    GAME_CRoomBase& RoomOfKind(std::int32_t kind) const
    {
        const auto& rooms = World().ship->rooms;
        const auto found = std::find_if(rooms.begin(), rooms.end(), [kind](const GAME_CRoomBase* room) { return room != nullptr && room->kind == kind; });
        EXPECT_NE(found, rooms.end()) << "a room of kind " << kind;
        return **found;
    }

    // The engine room's screen: decide asks, yes (the cursor up from no) connects the main shaft.
    void ConnectEngine()
    {
        GAME_CRoomBase& engine = RoomOfKind(kRoomKindEngine);
        GAME_CUIEngineRoom& screen = *UI().Get<GAME_CUIEngineRoom>();
        UI().OpenRoomScreen(&engine, World().ship->GetRoomIndex(&engine));
        ASSERT_TRUE(StepUntil([&] { return screen.State() == UIScreenState::kMain; }, 30));
        PressAction(kActionDecide);
        ASSERT_TRUE(StepUntil([] { return Dialog().IsVisible() && Dialog().ChoiceButton(0)->State() == 1; }, 30));
        PressAction(kActionCursorUp);
        StepFrames(1);
        PressAction(kActionDecide);
        ASSERT_TRUE(StepUntil([&] { return screen.CurrentPage() == GAME_CUIEngineRoom::Page::kConnected; }, 20));
        ASSERT_TRUE(StepUntil([] { return Dialog().EnterButton()->State() == 1; }, 40));
        PressAction(kActionDecide);
        ASSERT_TRUE(StepUntil([&] { return !Dialog().IsVisible() && screen.CurrentPage() == GAME_CUIEngineRoom::Page::kEngine; }, 40));
        ASSERT_TRUE(CloseScreen(kSlotEngineRoom));
        EXPECT_EQ(engine.engineMode, kEngineConnected);
    }

    std::u16string_view Line(GAME_CUIMap::PanelLine line) const { return Map().PanelLabel(line)->Literal(); }
};

// A new game stands at Cheddar Springs on its first road. The engine connected, the hideout menu
// offers all four facilities; the bridge's map walks from Cheddar Springs to Old Well (the unknown
// Rusty Gear above it takes no step), tells the road's figures and asks; yes sets out with the horn
// and the notice, and the ship drives through the road's events, pays the toll and stands at Old
// Well, whose menu offers fuel, quests and the pub.
TEST_F(HideoutRoadTest, ANewPlayerDrivesFromCheddarSpringsToOldWell)
{
    ASSERT_NO_FATAL_FAILURE(StartNewGameToFirstRoad());
    ASSERT_TRUE(StepUntil([&] { return UI().IsOpen(kSlotAjitoRoot); }, 60));
    EXPECT_EQ(Route().GetRouteId(), 1u);
    EXPECT_EQ(Route().GetPosition(), 0);
    StepFrames(1);
    ASSERT_NE(World().travel->GetLocation(), nullptr);
    EXPECT_EQ(World().travel->GetLocation()->hideoutId, MakeTag("AD01"));
    EXPECT_TRUE(Visited(kBitCheddarSprings));
    EXPECT_FALSE(Visited(kBitOldWell));
    ASSERT_NO_FATAL_FAILURE(ConnectEngine());

    ASSERT_NO_FATAL_FAILURE(OpenMenuFromHud());
    EXPECT_STREQ(Menu().Title()->Key(), "AD01");
    for (int i = 0; i < GAME_CUIAjitoMenu::kButtonCount; ++i) EXPECT_TRUE(Menu().Button(i)->IsVisible()) << i;
    WritePictureIfAsked("hideout-menu");
    // Input waits while the chosen button grows.
    StepFrames(GAME_CUIAjitoMenu::kEmphasisFrames + 1);
    PressAction(kActionCancel);
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotAjitoMenu); }, 40));
    EXPECT_TRUE(UI().IsOpen(kSlotCommon));

    // The bridge's map opens on its map page; decide goes to Browse.
    GAME_CRoomBase& bridge = RoomOfKind(1);
    bridge.rememberedTab = 0;
    UI().OpenRoomScreen(&bridge, World().ship->GetRoomIndex(&bridge));
    ASSERT_TRUE(StepUntil([&] { return Map().State() == UIScreenState::kMain; }, 30));
    EXPECT_EQ(Map().CurrentMode(), GAME_CUIMap::Mode::kMap);
    PressAction(kActionDecide);
    StepFrames(2);
    ASSERT_EQ(Map().CurrentMode(), GAME_CUIMap::Mode::kBrowse);
    const GAME_CStaticDatabase& database = *GetStaticDatabase();
    std::uint32_t cursor = kNoId;
    database.GetHideoutDataAt(Map().CursorPointIndex(), &cursor);
    ASSERT_EQ(cursor, MakeTag("AD01"));

    // Up the nearest is Rusty Gear, not yet known: the cursor sounds and stays.
    std::size_t from = frames.size();
    HoldAction(kActionCursorUp, 1);
    StepFrames(2);
    EXPECT_TRUE(PlayedSince(kSeCursor, from));
    database.GetHideoutDataAt(Map().CursorPointIndex(), &cursor);
    EXPECT_EQ(cursor, MakeTag("AD01"));
    HoldAction(kActionCursorRight, 1);
    StepFrames(2);
    database.GetHideoutDataAt(Map().CursorPointIndex(), &cursor);
    ASSERT_EQ(cursor, MakeTag("AD04"));
    EXPECT_EQ(Line(GAME_CUIMap::kLineDistance), FormatUIMessage("MAPUI_TARGETDISTANCE_FORMAT", {UIFullWidthNumber(3000)}));
    EXPECT_EQ(Line(GAME_CUIMap::kLineFuelNeed), FormatUIMessage("MAPUI_TARGETAJITO_NEED_FUEL", {UIFullWidthNumber(30)}));
    EXPECT_EQ(Line(GAME_CUIMap::kLineTime),
              FormatUIMessage("MAPUI_TARGETAJITO_NEED_TIME", {UIFullWidthNumber(50), GetMessageTextExpanded("TIME_UNIT_TEXT")}));
    EXPECT_NE(std::u16string(Line(GAME_CUIMap::kLineFuelPrice)).find(UIFullWidthNumber(120)), std::u16string::npos);
    EXPECT_EQ(Line(GAME_CUIMap::kLineAcceptable), FormatUIMessage("MAP_TEXT_ACCEPTABLE_QUEST_NUM", {UIFullWidthNumber(1)}));
    StepFrames(20);
    WritePictureIfAsked("world-map-browse");

    PressAction(kActionDecide);
    ASSERT_TRUE(StepUntil([] { return Dialog().IsVisible(); }, 10));
    EXPECT_EQ(Dialog().Message(), vesk::text::FormatText(GetMessageTextExpanded("MAPUI_SETTARGET_YESNODISP"),
                                                         {GetMessageTextExpanded("AJITO_UNIT_TEXT"), GetMessageTextExpanded("AD04")}));
    vesk::math::SeedRandom(11);
    vesk::math::MarkRandomClockSeeded();
    from = frames.size();
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    ASSERT_TRUE(StepUntil([&] { return Route().GetRouteId() == 2u; }, 10));
    EXPECT_EQ(Route().GetDestination(), MakeTag("AD04"));
    EXPECT_EQ(Route().GetPosition(), 0);
    StepFrames(1);
    EXPECT_TRUE(PlayedSince(kSeDeparture, from));
    const std::u16string notice = vesk::text::FormatText(GetMessageTextExpanded("OLIF_GO_TO_NEXT_AJITO"), {GetMessageTextExpanded("AD04")});
    const GAME_CUIMessageLog& log = *UI().MessageLog();
    ASSERT_GT(log.CountLines(), 0);
    EXPECT_EQ(std::u16string_view(log.GetLine(log.CountLines() - 1).text.c_str()), notice);
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotMap); }, 60));
    // A driver takes the bridge and the ship sets out: under way it stands at no hideout.
    ASSERT_TRUE(StepConfirmingEventsUntil([&] { return Route().IsUnderWay(); }, 2000));
    EXPECT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotAjitoRoot); }, 5));
    EXPECT_EQ(World().travel->GetLocation(), nullptr);

    // Along the road its texts are confirmed and the toll's first choice, to pay, is taken.
    GAME_CUIEventSelectionObject& choices = *GetEventSelection();
    const GAME_CUIEvent& window = *UI().Get<GAME_CUIEvent>();
    const std::u16string paid = GetMessageTextExpanded("ROUTE_TOLL_PAID");
    bool tollAsked = false;
    bool tollPaid = false;
    const bool arrived = StepConfirmingEventsUntil([&] {
        if (choices.State() == 2 && !tollAsked) {
            tollAsked = true;
            EXPECT_EQ(choices.Cursor(), 0u);
            PressAction(kActionDecide);
        }
        tollPaid = tollPaid || (window.IsOpen() && window.Text().shownText.find(paid) != std::u16string::npos);
        return Route().GetPosition() >= Route().GetLength() && UI().IsOpen(kSlotAjitoRoot);
    }, 6000);
    ASSERT_TRUE(arrived);
    EXPECT_TRUE(tollAsked);
    EXPECT_TRUE(tollPaid);
    ASSERT_NE(World().travel->GetLocation(), nullptr);
    EXPECT_EQ(World().travel->GetLocation()->hideoutId, MakeTag("AD04"));
    EXPECT_TRUE(Visited(kBitOldWell));

    ASSERT_NO_FATAL_FAILURE(OpenMenuFromHud());
    EXPECT_STREQ(Menu().Title()->Key(), "AD04");
    EXPECT_TRUE(Menu().Button(GAME_CUIAjitoMenu::kFuel)->IsVisible());
    EXPECT_FALSE(Menu().Button(GAME_CUIAjitoMenu::kMarket)->IsVisible());
    EXPECT_TRUE(Menu().Button(GAME_CUIAjitoMenu::kQuest)->IsVisible());
    EXPECT_TRUE(Menu().Button(GAME_CUIAjitoMenu::kPub)->IsVisible());
    WritePictureIfAsked("old-well-menu");
}

}  // namespace
