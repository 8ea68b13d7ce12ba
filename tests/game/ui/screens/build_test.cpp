// The build menu and the build grid cursor: which kinds are offered, placing a room, breaking one down and what its crew keep of it.
#include <gtest/gtest.h>

#include <cmath>
#include <ranges>
#include <string>
#include <utility>
#include <vector>

#include "framework/input/input_manager.h"
#include "game/services/player/player_data.h"
#include "game/services/data/static_database.h"
#include "game/services/input/input_actions.h"
#include "game/services/save/save_image.h"
#include "game/services/text/language.h"
#include "game/services/text/message_text.h"
#include "game/model/world/camera2d.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/ship.h"
#include "game/model/stores/stored_items.h"
#include "game/model/ship/task_manager.h"
#include "game/ui/screens/ui_build.h"
#include "game/ui/screens/ui_build_select_grid.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_text.h"
#include "platform/input/virtual_pad.h"
#include "tests/game/ui/screens/room_screen_test_base.h"

namespace {

class BuildTest : public support::RoomScreenTest {
protected:
    GAME_CUIBuild& Menu() const { return *UI().Get<GAME_CUIBuild>(); }
    GAME_CUIBuildSelectGrid& Cursor() const { return *UI().Get<GAME_CUIBuildSelectGrid>(); }

    std::int32_t State(const char (&id)[5]) const
    {
        const auto argument = static_cast<std::intptr_t>(MakeTag(id));
        return Menu().CanBuildRoom(argument);
    }

    void OpenMenu()
    {
        world->held = 1;
        UI().SetOpen(kSlotBuild, true);
        ASSERT_TRUE(StepUntil([&] { return Menu().State() == UIScreenState::kMain; }, 30));
    }

    // Puts the list's cursor on the shown row of the id; false when it is not shown.
    bool Select(const char (&id)[5])
    {
        GAME_CUIListObject& list = *Menu().List();
        for (std::uint32_t row = 0; row < list.ShownCount(); ++row) {
            if (list.ShownRow(row)->argument != static_cast<std::intptr_t>(MakeTag(id))) continue;
            list.ScrollTo(row);
            list.SetCursor(row - list.Top());
            StepFrames(1);
            return true;
        }
        return false;
    }

    // The canvas point at the middle of a grid cell.
    std::pair<int, int> CellPoint(int x, int y) const
    {
        float minX = 0.0f;
        float minY = 0.0f;
        world->ship->GetGridScreenMin(&minX, &minY);
        const float cell = world->ship->grid.cellWidth * std::fabs(world->ship->body->scaleX) * world->camera->zoom * 0.25f;
        return {static_cast<int>(minX + (static_cast<float>(x) + 0.5f) * cell), static_cast<int>(minY + (static_cast<float>(y) + 0.5f) * cell)};
    }

    void ClickCell(int x, int y)
    {
        StepFrames(1);
        const auto [pointX, pointY] = CellPoint(x, y);
        ClickAt(pointX, pointY);
        // The click acts in the next frame; a dialog state it asks for is entered in the one after.
        StepFrames(2);
    }

    // Chooses a row in the menu with the build button and waits for the grid cursor.
    void Choose(const char (&id)[5])
    {
        ASSERT_TRUE(Select(id)) << id;
        PressAction(kActionDecide);
        ASSERT_TRUE(StepUntil([&] { return Cursor().State() == UIScreenState::kMain; }, 40));
    }
};

// Materials, the kinds built before, the build limits and a pending placement decide the rows.
TEST_F(BuildTest, TheMenuListsWhatCanBeBuiltAndGreysWhatCannotYet)
{
    const std::int32_t infirmary = FindRoomIdIndex(MakeTag("ID05"));
    SetRoomKindUnlocked(GetWorkingSlot(), infirmary, false);
    EXPECT_EQ(State("ID05"), GAME_CUIBuild::kRowHidden) << "never built, materials short";
    SetRoomKindUnlocked(GetWorkingSlot(), infirmary, true);
    EXPECT_EQ(State("ID05"), GAME_CUIBuild::kRowDisabled);
    EXPECT_EQ(State("ID90"), GAME_CUIBuild::kRowHidden);
    EXPECT_EQ(State("ID02"), GAME_CUIBuild::kRowHidden);

    // A bridge may stand once: with its materials at hand the kind is still disabled.
    Store("I002", 6);
    Store("I010", 2);
    Store("I004", 2);
    EXPECT_EQ(State("ID01"), GAME_CUIBuild::kRowEnabled);
    Place("ID01", 0, 3);
    EXPECT_EQ(State("ID01"), GAME_CUIBuild::kRowDisabled);

    OpenMenu();
    EXPECT_EQ(FindTextDraw(GetMessageTextExpanded("ID05"))->color, 0xFFB4B4B4u);
    ASSERT_TRUE(Select("ID01"));
    EXPECT_EQ(Menu().InfoLine(2)->Color(), GAME_CUIBuild::kAtLimitColor);
    EXPECT_EQ(Menu().InfoLine(2)->Literal(),
              FormatUIMessage("BUILD_TEXT_ENABLE_BUILD_NUM", {UIFullWidthNumber(1), UIFullWidthNumber(1)}));
    EXPECT_TRUE(Menu().BuildButton()->IsDisabled());
    EXPECT_EQ(Menu().BuildButton()->Color(), GetUIColor(1));
    // Five materials make the panel scroll by one line; four fit.
    SetRoomKindUnlocked(GetWorkingSlot(), FindRoomIdIndex(MakeTag("ID12")), true);
    SetRoomKindUnlocked(GetWorkingSlot(), FindRoomIdIndex(MakeTag("ID32")), true);
    ASSERT_TRUE(CloseScreen(kSlotBuild));
    OpenMenu();
    ASSERT_TRUE(Select("ID12"));
    EXPECT_EQ(Menu().PanelScrollBar()->Maximum(), 1);
    EXPECT_FLOAT_EQ(Menu().PanelScrollBar()->GetSize()->x, 10.0f);
    EXPECT_FLOAT_EQ(Menu().PanelScrollBar()->GetSize()->y, 142.0f);
    ASSERT_TRUE(Select("ID32"));
    EXPECT_EQ(Menu().PanelScrollBar()->Maximum(), 0);
    // The ladder's button says what it does.
    SetRoomKindUnlocked(GetWorkingSlot(), FindRoomIdIndex(MakeTag("ID22")), true);
    ASSERT_TRUE(CloseScreen(kSlotBuild));

    // A placement the route waits for: only that kind can be chosen, and nothing can be broken.
    EXPECT_EQ(State("IDBR"), GAME_CUIBuild::kRowEnabled);
    EXPECT_EQ(State("ID20"), GAME_CUIBuild::kRowEnabled);
    EXPECT_EQ(State("ID04"), GAME_CUIBuild::kRowEnabled);
    world->ship->awaitedRoomId = MakeTag("ID20");
    world->ship->resumePoint[0] = 7;
    EXPECT_EQ(State("IDBR"), GAME_CUIBuild::kRowHidden);
    EXPECT_EQ(State("ID04"), GAME_CUIBuild::kRowDisabled);
    EXPECT_EQ(State("ID20"), GAME_CUIBuild::kRowEnabled);
    world->ship->ClearScriptWait();
}

// Placing: a first click moves the cursor, a second places the room with its build task; a cell
// it does not fit plays the error. Breaking: never the last engine, and only after a yes.
TEST_F(BuildTest, TheCursorPlacesTheChosenRoomAndBreaksOneAfterAYes)
{
    GAME_CRoomBase& engine = Place("ID23", 0, 2);
    Store("I002", 4);
    OpenMenu();
    Choose("ID20");
    EXPECT_FALSE(Menu().IsOpen());
    EXPECT_EQ(Cursor().mode, FindRoomIdIndex(MakeTag("ID20")));
    ASSERT_NE(Cursor().roomData, nullptr);

    // Onto the engine: it does not fit.
    ClickCell(1, 3);
    EXPECT_EQ(Cursor().CursorCell(), 3 * world->ship->grid.width + 1);
    ClickCell(1, 3);
    EXPECT_EQ(CountPlayed(kSeUIError, frames.size() - 2), 1);
    EXPECT_TRUE(Cursor().IsOpen());

    // A free cell: the first click moves the cursor, the second places the room.
    const std::size_t rooms = world->ship->rooms.size();
    ClickCell(4, 3);
    EXPECT_EQ(Cursor().CursorCell(), 3 * world->ship->grid.width + 4);
    EXPECT_EQ(world->ship->rooms.size(), rooms);
    ClickCell(4, 3);
    ASSERT_EQ(world->ship->rooms.size(), rooms + 1);
    const GAME_CRoomBase* placed = world->ship->GetRoomAtCell(4, 3);
    ASSERT_NE(placed, nullptr);
    EXPECT_EQ(placed->GetRoomId(), MakeTag("ID20"));
    EXPECT_TRUE(placed->underConstruction);
    ASSERT_EQ(placed->boundTasks.size(), 1u);
    EXPECT_EQ(placed->boundTasks.front()->GetKind(), kTaskRoomBuild);
    EXPECT_EQ(CountPlayed(62, frames.size() - 2), 1);
    EXPECT_TRUE(StepUntil([&] { return !Cursor().IsOpen() && UI().IsOpen(kSlotCommon); }, 30));

    // Breaking the only engine is refused.
    OpenMenu();
    Choose("IDBR");
    EXPECT_EQ(Cursor().mode, GAME_CUIBuildSelectGrid::kBreakMode);
    ClickCell(0, 3);
    ClickCell(1, 2);  // another cell of the same room counts as the cursor's
    EXPECT_EQ(Cursor().DialogStep(), GAME_CUIBuildSelectGrid::kMessage);
    EXPECT_EQ(Dialog().Message(), GetMessageTextExpanded("BUILD_ROOM_LAST_ENGINE_NO_BREAK"));
    ASSERT_TRUE(CloseMessage());
    ASSERT_TRUE(StepUntil([&] { return Cursor().DialogStep() == GAME_CUIBuildSelectGrid::kCursor; }, 5));
    EXPECT_EQ(world->ship->GetRoomAtCell(0, 2), &engine);

    // With a second engine: no keeps it, yes breaks it at once.
    ASSERT_NE(world->ship->PlaceRoom(6, 2, FindRoomIdIndex(MakeTag("ID23"))), nullptr);
    StepFrames(2);
    ClickCell(1, 2);
    EXPECT_EQ(CountPlayed(kSeUIDecide, frames.size() - 2), 1) << "choosing a room to break";
    ASSERT_EQ(Cursor().DialogStep(), GAME_CUIBuildSelectGrid::kBreakQuestion);
    EXPECT_EQ(Cursor().SelectedRoom(), &engine);
    EXPECT_EQ(world->held, 1u);
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerNo);
    StepFrames(2);
    EXPECT_EQ(Cursor().DialogStep(), GAME_CUIBuildSelectGrid::kCursor);
    EXPECT_EQ(world->ship->GetRoomAtCell(0, 2), &engine);
    ClickCell(1, 2);
    ClickCell(1, 2);
    ASSERT_EQ(Cursor().DialogStep(), GAME_CUIBuildSelectGrid::kBreakQuestion);
    const std::size_t before = world->ship->rooms.size();
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    StepFrames(1);
    EXPECT_EQ(world->ship->rooms.size(), before - 1);
    EXPECT_EQ(world->ship->GetRoomAtCell(0, 2), nullptr);
    EXPECT_EQ(Cursor().DialogStep(), GAME_CUIBuildSelectGrid::kBroken);
    EXPECT_EQ(Dialog().Message(), FormatUIMessage("BUILD_ROOM_BREAK_FINISHED", {UITagName(MakeTag("ID23"))}));
}

// A storeroom whose goods would find no place on a full deck is not taken down: the player is told
// with the market's words for a full deck, and room and goods stay. With room on the deck it comes
// down and its goods lie there.
TEST_F(BuildTest, AStoreroomWhoseGoodsFindNoPlaceOnTheDeckIsNotTakenDown)
{
    Store("I025", 4);
    const GAME_CRoomBase* storeroom = world->ship->GetRoomAtCell(9, 3);
    ASSERT_NE(storeroom, nullptr);
    GAME_CFieldObjectManager& field = *world->fieldObjects;
    std::int32_t column = -1;
    std::int32_t row = -1;
    while (field.FindFreeItemCell(0, 0, &column, &row)) ASSERT_TRUE(field.DropItemOnCell(MakeTag("I020"), 1, column, row));
    OpenMenu();
    Choose("IDBR");
    ClickCell(9, 3);
    ClickCell(9, 3);
    EXPECT_EQ(Cursor().DialogStep(), GAME_CUIBuildSelectGrid::kMessage);
    EXPECT_EQ(Dialog().Message(), GetMessageTextExpanded("MARKET_BUY_DISABLE_GRID"));
    EXPECT_EQ(CountPlayed(kSeUIError, frames.size() - 2), 1);
    ASSERT_TRUE(CloseMessage());
    EXPECT_EQ(world->ship->GetRoomAtCell(9, 3), storeroom);
    EXPECT_EQ(CountStoredItem(MakeTag("I025")), 4);

    field.ClearItems();
    ASSERT_TRUE(StepUntil([&] { return Cursor().DialogStep() == GAME_CUIBuildSelectGrid::kCursor; }, 5));
    ClickCell(9, 3);
    ASSERT_EQ(Cursor().DialogStep(), GAME_CUIBuildSelectGrid::kBreakQuestion);
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    StepFrames(1);
    EXPECT_EQ(world->ship->GetRoomAtCell(9, 3), nullptr);
    EXPECT_EQ(CountFieldItem(MakeTag("I025")), 4);
}

// The window losing the focus closes the grid cursor under its break question (the question keeps
// the pause menu from opening in that frame). The question stops the camera following the player;
// closed under it, the cursor left it so, and the ship view scrolled neither by keys, stick nor
// drag until some later screen happened to free it.
TEST_F(BuildTest, TheGridCursorClosedUnderItsBreakQuestionLetsTheViewScrollAgain)
{
    Place("ID23", 0, 2);
    GAME_CRoomBase* second = world->ship->PlaceRoom(6, 2, FindRoomIdIndex(MakeTag("ID23")));
    ASSERT_NE(second, nullptr);
    OpenMenu();
    Choose("IDBR");
    ClickCell(6, 2);
    ClickCell(6, 2);
    ASSERT_EQ(Cursor().DialogStep(), GAME_CUIBuildSelectGrid::kBreakQuestion);
    ASSERT_EQ(world->camera->followsInput, 0u);

    SetFocus(false);
    ASSERT_TRUE(StepUntil([&] { return !Cursor().IsOpen(); }, 30));
    SetFocus(true);
    StepFrames(2);
    EXPECT_FALSE(GetInDisplaySelection()->visible);
    EXPECT_EQ(world->held, 0u);
    EXPECT_EQ(world->ship->GetRoomAtCell(6, 2), second);
    EXPECT_EQ(world->camera->followsInput, 1u);
    const std::int16_t before = world->ship->scrollX;
    HoldAction(kActionCursorRight, 20);
    StepFrames(20);
    EXPECT_NE(world->ship->scrollX, before);
}

// An engine room still being built does not drive the ship: while it is the only other one, the
// running engine is the last and stays; the one being built may be taken down.
TEST_F(BuildTest, AnEngineStillBeingBuiltDoesNotLetTheRunningOneBeBroken)
{
    GAME_CRoomBase& engine = Place("ID23", 0, 2);
    GAME_CRoomBase* building = world->ship->PlaceNewRoom(6, 2, FindRoomIdIndex(MakeTag("ID23")), MakeTag("ID23"), true);
    ASSERT_NE(building, nullptr);
    ASSERT_TRUE(building->underConstruction);
    OpenMenu();
    Choose("IDBR");
    ClickCell(1, 2);
    ClickCell(1, 2);
    EXPECT_EQ(Cursor().DialogStep(), GAME_CUIBuildSelectGrid::kMessage);
    EXPECT_EQ(Dialog().Message(), GetMessageTextExpanded("BUILD_ROOM_LAST_ENGINE_NO_BREAK"));
    ASSERT_TRUE(CloseMessage());
    ASSERT_TRUE(StepUntil([&] { return Cursor().DialogStep() == GAME_CUIBuildSelectGrid::kCursor; }, 5));
    EXPECT_EQ(world->ship->GetRoomAtCell(0, 2), &engine);

    ClickCell(6, 2);
    ClickCell(6, 2);
    ASSERT_EQ(Cursor().DialogStep(), GAME_CUIBuildSelectGrid::kBreakQuestion);
    EXPECT_EQ(Cursor().SelectedRoom(), building);
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    StepFrames(1);
    EXPECT_EQ(world->ship->GetRoomAtCell(6, 2), nullptr);
    EXPECT_EQ(world->ship->GetRoomAtCell(0, 2), &engine);
}

// A crew member resting in quarters it is not bound to names them as its home while it is inside.
// Once they are demolished it has no home there: the next room built, which takes the quarters'
// place in the pool of rooms, does not become its home.
TEST_F(BuildTest, QuartersDemolishedWithACrewMemberRestingInsideLeaveItWithoutAHome)
{
    GAME_CRoomBase& quarters = Place("ID03", 2, 3);
    GAME_CObjectActor* resting = AddCrewMember();
    ASSERT_NE(resting, nullptr);
    GAME_CObjectActor& member = *resting;
    ASSERT_TRUE(world->fieldObjects->MoveCrewIntoRoom(&member, &quarters));
    ASSERT_EQ(member.homeLink.room, &quarters);
    ASSERT_FALSE(quarters.IsPresent(&member));

    OpenMenu();
    Choose("IDBR");
    ClickCell(2, 3);
    ClickCell(2, 3);
    ASSERT_EQ(Cursor().DialogStep(), GAME_CUIBuildSelectGrid::kBreakQuestion);
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    StepFrames(1);
    ASSERT_EQ(world->ship->GetRoomAtCell(2, 3), nullptr);
    ASSERT_TRUE(CloseMessage());
    EXPECT_EQ(member.homeLink.room, nullptr);
    EXPECT_EQ(member.homeLink.roomNumber, -1);

    const GAME_CRoomBase& next = Place("ID20", 5, 3);
    StepFrames(1);
    EXPECT_NE(member.homeLink.room, &next);
    EXPECT_EQ(member.homeLink.roomNumber, -1);
}

// The questions and notices of breaking hold the game still until they are answered: each is drawn
// over the ship while it waits, with its text, so that the player sees what is asked.
TEST_F(BuildTest, TheBreakQuestionAndItsNoticesAreDrawnWhileTheyWait)
{
    Place("ID23", 0, 2);
    OpenMenu();
    Choose("IDBR");
    // The dialog's box and every line of its text.
    const auto drawsDialog = [&](const std::u16string& text) {
        if (FindSpriteDraw(2, "ui_dialogbase") == nullptr) return false;
        for (const auto line : std::views::split(text, u'\n')) {
            if (FindTextDraw(std::u16string_view(line.begin(), line.end())) == nullptr) return false;
        }
        return true;
    };

    ClickCell(0, 2);
    ClickCell(0, 2);
    ASSERT_EQ(Cursor().DialogStep(), GAME_CUIBuildSelectGrid::kMessage);
    StepFrames(1);
    EXPECT_TRUE(drawsDialog(GetMessageTextExpanded("BUILD_ROOM_LAST_ENGINE_NO_BREAK")));
    ASSERT_TRUE(CloseMessage());

    ASSERT_NE(world->ship->PlaceRoom(6, 2, FindRoomIdIndex(MakeTag("ID23"))), nullptr);
    ClickCell(6, 2);
    ClickCell(6, 2);
    ASSERT_EQ(Cursor().DialogStep(), GAME_CUIBuildSelectGrid::kBreakQuestion);
    StepFrames(1);
    EXPECT_TRUE(drawsDialog(FormatUIMessage("BUILD_ROOM_BREAK_YESNO", {UITagName(MakeTag("ID23"))})));
    EXPECT_TRUE(drawsDialog(GetMessageTextExpanded("ARE_YOU_SURE")));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    StepFrames(2);
    ASSERT_EQ(Cursor().DialogStep(), GAME_CUIBuildSelectGrid::kBroken);
    EXPECT_TRUE(drawsDialog(FormatUIMessage("BUILD_ROOM_BREAK_FINISHED", {UITagName(MakeTag("ID23"))})));
}

// In key mode the cursor opens on the floor cell under the key cursor with the pointer put there,
// so that taking the mouse up again finds the same cell; while the view still scrolls under the
// key cursor the screen stays opening.
TEST_F(BuildTest, InKeyModeTheCursorOpensWithThePointerOnItsCellOnceTheViewStandsStill)
{
    Store("I002", 4);
    const auto [awayX, awayY] = CellPoint(0, 2);
    PointerMove(awayX, awayY);
    world->ship->cursorWord = 1;
    OpenMenu();
    Choose("ID20");
    const std::int32_t cell = Cursor().CursorCell();
    const std::int32_t width = world->ship->grid.width;
    ASSERT_GE(cell, 0);
    ASSERT_NE(cell, 2 * width + 0) << "the key cursor stands elsewhere than the pointer did";
    ASSERT_NE(world->ship->grid.GetCell(cell % width, cell / width)->usable, 0);

    world->ship->cursorWord = 0;
    StepFrames(3);
    EXPECT_EQ(Cursor().CursorCell(), cell);
    ASSERT_TRUE(CloseScreen(kSlotBuildSelectGrid));

    // A route that swings the view between two floor cells for 30 frames: the cursor opens only
    // once the view stands still again.
    world->ship->cursorWord = 1;
    Cursor().mode = FindRoomIdIndex(MakeTag("ID20"));
    Cursor().SetOpen(true);
    int opening = 0;
    for (int frame = 0; frame < 30; ++frame) {
        if (frame % 6 == 0) {
            ASSERT_TRUE(frame % 12 == 0 ? world->camera->FocusCell(2, 1) : world->camera->FocusCell(7, 2));
        }
        StepFrames(1);
        if (Cursor().State() == UIScreenState::kOpening) ++opening;
    }
    EXPECT_EQ(opening, 30);
    ASSERT_TRUE(StepUntil([&] { return Cursor().State() == UIScreenState::kMain; }, 60));
    EXPECT_EQ(world->camera->cellRequestActive, 0u);
}

// The HUD's button cursor lets go of the camera until it is left. A grid cursor opened in key mode
// meanwhile over a view whose last scroll was still marked waited for the camera to settle it; held,
// the camera never did, and the cursor stayed opening for good, answering no key, stick or click.
TEST_F(BuildTest, AKeyCursorOpensOverAViewTheButtonCursorHoldsAndAnswersCancel)
{
    Store("I002", 4);
    world->ship->cursorWord = 1;
    world->camera->followsInput = 0;
    world->ship->scrollChanged = 1;
    OpenMenu();
    Choose("ID20");
    EXPECT_EQ(world->camera->followsInput, 1u) << "the cursor's view follows the player again";

    PressAction(kActionCancel);
    ASSERT_TRUE(StepUntil([&] { return !Cursor().IsOpen() && Menu().State() == UIScreenState::kMain; }, 40));
}

// With the sticks swapped they change parts, on the grid cursor as in the field: the right stick
// takes the cursor into key mode and leaves the view where it stands, the left one scrolls the view.
TEST_F(BuildTest, WithTheSticksSwappedTheRightStickTakesTheCursorAndTheLeftScrollsTheView)
{
    Store("I002", 4);
    platform::input::VirtualPad pad;
    ASSERT_TRUE(pad.Attach(platform::input::PadKind::Standard));
    vesk::input::OnDeviceChange();
    GetPlayerData()->option56 = 1;
    world->ship->cursorWord = 0;
    OpenMenu();
    Choose("ID20");
    ASSERT_EQ(world->ship->cursorWord, 0u);
    const auto view = [&] { return std::pair{world->ship->scrollX, world->ship->scrollY}; };

    const auto steady = view();
    platform::input::StandardPadState rightStickRight;
    rightStickRight.rightX = 32767;
    pad.Set(rightStickRight);
    StepFrames(10);
    EXPECT_EQ(world->ship->cursorWord, 1u) << "the steering stick takes the cursor";
    EXPECT_EQ(view(), steady) << "the steering stick does not scroll the view";

    pad.Set(platform::input::StandardPadState{});
    StepFrames(60);
    const auto before = view();
    platform::input::StandardPadState leftStickRight;
    leftStickRight.leftX = 32767;
    pad.Set(leftStickRight);
    StepFrames(10);
    EXPECT_LT(view().first, before.first) << "the left stick scrolls the view";

    GetPlayerData()->option56 = 0;
    pad.Set(platform::input::StandardPadState{});
    pad.Detach();
    vesk::input::OnDeviceChange();
}

// With no row to show (every kind short of materials and never built, nothing to break while a
// placement is awaited) the menu reads no row: its panel stays empty and its button does nothing.
TEST_F(BuildTest, AMenuWithoutRowsShowsAnEmptyPanelAndItsButtonDoesNothing)
{
    std::vector<std::pair<RoomData*, ItemCount>> kept;
    for (const auto& [id, data] : GetStaticDatabase()->Rooms()) {
        RoomData& room = const_cast<RoomData&>(*data);
        kept.emplace_back(&room, room.materials[0]);
        room.materials[0] = {MakeTag("I001"), 255};
    }
    for (std::int32_t kind = 0; kind < kRoomIdCount; ++kind) SetRoomKindUnlocked(GetWorkingSlot(), kind, false);
    world->ship->awaitedRoomId = MakeTag("ID20");
    world->ship->resumePoint[0] = 7;

    OpenMenu();
    EXPECT_EQ(Menu().List()->ShownCount(), 0u);
    EXPECT_EQ(Menu().Description()->Key(), std::string(""));
    for (int line = 0; line < GAME_CUIBuild::kInfoLines; ++line) EXPECT_FALSE(Menu().InfoLine(line)->IsVisible()) << line;
    EXPECT_TRUE(Menu().BuildButton()->IsDisabled());
    PressAction(kActionDecide);
    StepFrames(10);
    EXPECT_TRUE(Menu().IsOpen());
    EXPECT_FALSE(Cursor().IsOpen());

    world->ship->ClearScriptWait();
    for (auto& [room, material] : kept) room->materials[0] = material;
}

// The menu is left scrolled to its last row; by the next opening the materials have gone and most
// kinds are no longer offered. The shorter list shows from its first row, so that the kind still
// offered is in sight, and the demolish row stays chosen.
TEST_F(BuildTest, AListThatShrankWhileTheMenuWasClosedShowsFromItsFirstRow)
{
    for (std::int32_t kind = 0; kind < kRoomIdCount; ++kind) SetRoomKindUnlocked(GetWorkingSlot(), kind, true);
    Store("I002", 4);
    OpenMenu();
    ASSERT_TRUE(Select("IDBR"));
    ASSERT_GT(Menu().List()->Top(), 0u);
    ASSERT_TRUE(CloseScreen(kSlotBuild));

    for (std::int32_t kind = 0; kind < kRoomIdCount; ++kind) SetRoomKindUnlocked(GetWorkingSlot(), kind, false);
    OpenMenu();
    StepFrames(1);
    ASSERT_EQ(Menu().List()->ShownCount(), 2u) << "the storeroom that stands on the ship, and the demolish row";
    EXPECT_EQ(Menu().List()->Top(), 0u);
    EXPECT_NE(FindTextDraw(GetMessageTextExpanded("ID20")), nullptr);
    EXPECT_NE(FindTextDraw(GetMessageTextExpanded("IDBR")), nullptr);
    EXPECT_EQ(Menu().Description()->Key(), std::string("IDBR_DISCRIPT"));
}

// In every language the demolition question with its are-you-sure line and the notices that follow,
// with the widest room name, keep to the shared dialog.
TEST_F(BuildTest, TheDemolitionQuestionAndNoticesFitTheDialogWithTheWidestRoomNameInEveryLanguage)
{
    for (std::uint32_t language = 0; language < kLanguageCount; ++language) {
        ChooseLanguage(language);
        const std::string file(GetMessageFileForLanguage(language));
        const std::u16string room = WidestTagName(std::views::keys(GetStaticDatabase()->Rooms()));
        std::u16string question = FormatUIMessage("BUILD_ROOM_BREAK_YESNO", {room});
        question += u'\n';
        question += GetMessageTextExpanded("ARE_YOU_SURE");
        ExpectFitsDialog(question, file + ": BUILD_ROOM_BREAK_YESNO");
        ExpectFitsDialog(FormatUIMessage("BUILD_ROOM_BREAK_FINISHED", {room}), file + ": BUILD_ROOM_BREAK_FINISHED");
        ExpectFitsDialog(GetMessageTextExpanded("BUILD_ROOM_LAST_ENGINE_NO_BREAK"), file + ": BUILD_ROOM_LAST_ENGINE_NO_BREAK");
        ExpectFitsDialog(GetMessageTextExpanded("MARKET_BUY_DISABLE_GRID"), file + ": MARKET_BUY_DISABLE_GRID");
    }
}

// In every language each room kind's description, and the demolish entry's, fits its one line above
// the panel: no wider than the rule under the information heading. The demolish entry is named for
// what its button does.
TEST_F(BuildTest, EveryRoomDescriptionFitsItsLineAndTheDemolishEntryIsNamedAsItsButtonInEveryLanguage)
{
    // The rule starts four units left of the text.
    const float textRoom = UISpriteSize(FindUISprite("ui_separator_left_strong2")).x - 4.0f;
    for (std::uint32_t language = 0; language < kLanguageCount; ++language) {
        ChooseLanguage(language);
        const std::string_view file = GetMessageFileForLanguage(language);
        std::vector<std::string> keys{"IDBR_DISCRIPT"};
        for (const auto& [id, record] : GetStaticDatabase()->Rooms()) keys.push_back(TagText(id) + "_DISCRIPT");
        for (const std::string& key : keys) {
            EXPECT_LE(MeasureUIText(GetMessageTextExpanded(key.c_str())), textRoom) << file << ": " << key;
        }
        EXPECT_EQ(GetMessageTextExpanded("IDBR"), GetMessageTextExpanded("BUILD_ENTER_BUTTON_BREAK")) << file;
    }
}

}  // namespace
