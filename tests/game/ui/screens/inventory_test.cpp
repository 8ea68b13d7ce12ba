// The storage-room screen: the stacks of a storeroom, eight rows at a time, the cursor, the hand-over to the discard window, and which inventory each storage room shows.
#include <gtest/gtest.h>

#include <utility>

#include "game/model/stores/storage_binding.h"
#include "game/services/data/room_records.h"
#include "game/services/player/player_data.h"
#include "game/services/text/full_width.h"
#include "game/ui/screens/ui_inventory.h"
#include "game/ui/screens/ui_inventory_trash.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_room_access.h"
#include "game/ui/ui_text.h"
#include "tests/game/ui/screens/room_screen_test_base.h"

namespace {

// The start route's supplies as the storeroom keeps them: ten kinds.
constexpr char kSupplies[][5] = {"I001", "I002", "I003", "I021", "I015", "I008", "I007", "I011", "I004", "I016"};

class InventoryTest : public support::RoomScreenTest {
protected:
    GAME_CUIInventory& Screen() const { return *UI().Get<GAME_CUIInventory>(); }

    void Press(int action, int frames = 2)
    {
        PressAction(action);
        StepFrames(frames);
    }

    // The canvas point inside row r of the item page at rest.
    void ClickRow(int r)
    {
        ClickAt(200, 110 + 18 * r);
        StepFrames(2);
    }

    static std::u16string Title(const char (&roomId)[5], std::int32_t number, int stacks, int capacity)
    {
        return UITagName(MakeTag(roomId)) + u" No." + UIFullWidthNumber(number) + u" [" +
               ToFullWidthText(vesk::text::FormatText(u"%d/%d", {stacks, capacity})) + u"]";
    }
};

TEST_F(InventoryTest, AStoreroomListsItsStacksScrollsThemAndHandsOneToTheDiscardWindow)
{
    for (const auto& item : kSupplies) Store(item, 2);
    GAME_CRoomBase* room = world->ship->GetRoomAtCell(9, 3);
    ASSERT_NE(room, nullptr);
    OpenScreenOf(*room);
    ASSERT_EQ(Screen().State(), UIScreenState::kMain);
    GAME_CInventory* inventory = Screen().Inventory();
    ASSERT_NE(inventory, nullptr);
    EXPECT_EQ(Screen().TaskFrame().title->Literal(), Title("ID20", room->inventoryLink + 1, 10, 12));
    EXPECT_EQ(Screen().FirstFrame().title->Literal(), Screen().TaskFrame().title->Literal());
    EXPECT_EQ(Screen().ItemScrollBar()->Maximum(), 2);
    EXPECT_EQ(Screen().Row(0).name->Literal(), UITagName(MakeTag("I001")));
    EXPECT_EQ(Screen().Row(0).count->Literal(), ToFullWidthText(u" 2/30"));
    EXPECT_EQ(Screen().Row(7).separator->Color() >> 24, 0xFFu) << "a line under row 7 while stacks follow";
    ASSERT_EQ(Screen().Place(), GAME_CUIInventory::kPlaces.list);

    // Down to row 7, then the window scrolls a stack a press, then past the last stack to the item tab.
    for (int i = 0; i < 7; ++i) Press(kActionCursorDown);
    EXPECT_EQ(Screen().SelectedRow(), 7);
    EXPECT_EQ(Screen().Top(), 0);
    const std::size_t from = frames.size();
    Press(kActionCursorDown);
    Press(kActionCursorDown);
    EXPECT_EQ(Screen().Top(), 2);
    EXPECT_EQ(Screen().SelectedRow(), 7);
    EXPECT_EQ(Screen().ItemScrollBar()->Value(), 2);
    EXPECT_EQ(Screen().Row(7).name->Literal(), UITagName(MakeTag("I016")));
    EXPECT_EQ(Screen().Row(7).separator->Color() >> 24, 0u) << "nothing follows the last stack";
    EXPECT_EQ(CountPlayed(kSeUICursor, from), 2);
    Press(kActionCursorDown);
    EXPECT_EQ(Screen().Place(), GAME_CUIInventory::kPlaces.firstTab);

    // Up from the item tab: the last stack on row 7; a click on another row selects it with the
    // cursor sound, a second click hands the stack to the discard window.
    Press(kActionCursorUp);
    EXPECT_EQ(Screen().Place(), GAME_CUIInventory::kPlaces.list);
    EXPECT_EQ(Screen().SelectedRow(), 7);
    ClickRow(2);
    EXPECT_EQ(Screen().SelectedRow(), 2);
    EXPECT_TRUE(Played(kSeUICursor) || CountPlayed(kSeUICursor, frames.size() - 2) == 1);
    auto* trash = UI().Get<GAME_CUIInventoryTrash>();
    EXPECT_FALSE(trash->IsOpen());
    std::size_t before = frames.size();
    ClickRow(2);
    EXPECT_TRUE(trash->IsOpen());
    EXPECT_EQ(CountPlayed(kSeUIDecide, before), 1);
    StepFrames(3);
    EXPECT_EQ(trash->Title()->Literal(), UITagName(MakeTag(kSupplies[4])));
    EXPECT_GE(Screen().CoverCounter(), GAME_CUIRoomScreen::kCoverHides);
    ASSERT_TRUE(CloseScreen(kSlotInventoryTrash));
    StepFrames(2);
    EXPECT_EQ(Screen().CoverCounter(), 0u);

    // Decide hands over the stack under the cursor too.
    before = frames.size();
    Press(kActionDecide);
    EXPECT_TRUE(trash->IsOpen());
    EXPECT_EQ(CountPlayed(kSeUIDecide, before), 1);
    ASSERT_TRUE(CloseScreen(kSlotInventoryTrash));
    ASSERT_TRUE(CloseScreen(kSlotInventory));
}

// The game goes on under the storage room's window: a stack the crew takes away leaves the list at
// once, a unit brought in counts on its row, and the stack handed over is the one its row shows.
TEST_F(InventoryTest, TheListFollowsTheStockTheCrewChangesWhileTheWindowShows)
{
    constexpr char kStocked[][5] = {"I001", "I002", "I003"};
    for (const auto& item : kStocked) Store(item, 2);
    GAME_CRoomBase* room = world->ship->GetRoomAtCell(9, 3);
    ASSERT_NE(room, nullptr);
    OpenScreenOf(*room);
    GAME_CInventory* inventory = Screen().Inventory();
    ASSERT_NE(inventory, nullptr);
    ASSERT_EQ(Screen().Row(0).name->Literal(), UITagName(MakeTag("I001")));

    // A carrier takes both units of the first stack, another brings a third unit of I003.
    ASSERT_TRUE(inventory->TakeItem(MakeTag("I001")));
    ASSERT_TRUE(inventory->TakeItem(MakeTag("I001")));
    inventory->RemoveEmptyStacks();
    ASSERT_TRUE(inventory->AddItem(MakeTag("I003")));
    StepFrames(2);
    EXPECT_EQ(Screen().Row(0).name->Literal(), UITagName(MakeTag("I002")));
    EXPECT_EQ(Screen().Row(1).name->Literal(), UITagName(MakeTag("I003")));
    EXPECT_EQ(Screen().Row(1).count->Literal(), ToFullWidthText(u" 3/30"));
    EXPECT_EQ(Screen().Row(2).name->Literal(), GetMessageTextExpanded("INVENTORY_NO_ITEM"));
    EXPECT_EQ(Screen().FirstFrame().title->Literal(), Title("ID20", room->inventoryLink + 1, 2, 12));

    // The cursor on the last row that shows a stack; that stack is the one handed over.
    Press(kActionCursorDown);
    ASSERT_EQ(Screen().SelectedRow(), 1);
    ASSERT_EQ(Screen().Place(), GAME_CUIInventory::kPlaces.list);
    ASSERT_TRUE(inventory->TakeItem(MakeTag("I003")));
    ASSERT_TRUE(inventory->TakeItem(MakeTag("I003")));
    ASSERT_TRUE(inventory->TakeItem(MakeTag("I003")));
    inventory->RemoveEmptyStacks();
    StepFrames(2);
    EXPECT_EQ(Screen().SelectedRow(), 0);
    Press(kActionDecide);
    auto* trash = UI().Get<GAME_CUIInventoryTrash>();
    ASSERT_TRUE(trash->IsOpen());
    StepFrames(3);
    EXPECT_EQ(trash->Title()->Literal(), UITagName(MakeTag("I002")));
    ASSERT_TRUE(CloseScreen(kSlotInventoryTrash));
}

// Beside the tabs are the skip arrows, on both pages: left of the item tab the left arrow, right of
// the task tab the right one, each step with the cursor sound; from an arrow the way back leads to
// the stacks on the item page and to the task rows on the task page.
TEST_F(InventoryTest, TheKeysLeadFromTheTabsOnToTheSkipArrowsOnBothPages)
{
    Store("I001", 2);
    GAME_CRoomBase* room = world->ship->GetRoomAtCell(9, 3);
    ASSERT_NE(room, nullptr);
    room->rememberedTab = GAME_CUIInventory::kItemPage;
    OpenScreenOf(*room);
    ASSERT_EQ(Screen().Place(), GAME_CUIInventory::kPlaces.list);
    constexpr UIRoomFirstPageFocus places = GAME_CUIInventory::kPlaces;
    const auto step = [&](int action, std::int32_t expected) {
        const std::size_t from = frames.size();
        Press(action);
        EXPECT_EQ(Screen().Place(), expected);
        EXPECT_EQ(CountPlayed(kSeUICursor, from), 1) << "a step to place " << expected;
    };
    step(kActionCursorDown, places.firstTab);
    step(kActionCursorLeft, places.skipLeft);
    step(kActionCursorRight, places.list);
    step(kActionCursorDown, places.firstTab);
    step(kActionCursorRight, places.taskTab);
    step(kActionCursorRight, places.skipRight);
    step(kActionCursorLeft, places.list);

    // The task page: from the task rows up to the task tab, right to the right arrow and back to
    // the rows; up again, left to the item tab and on to the left arrow.
    PressAction(kActionMenuTabChange);
    ASSERT_TRUE(StepUntil([&] { return Screen().Page() == GAME_CUIInventory::kTaskPage; }, 30));
    GAME_CUIRoomTaskTab& tab = Screen().TaskTab();
    ASSERT_EQ(tab.Focus(), kTaskFocusRows);
    const std::pair<int, std::int32_t> walk[] = {{kActionCursorUp, kTaskFocusTaskTab},    {kActionCursorRight, kTaskFocusSkipRight},
                                                 {kActionCursorLeft, kTaskFocusRows},     {kActionCursorUp, kTaskFocusTaskTab},
                                                 {kActionCursorLeft, kTaskFocusOtherTab}, {kActionCursorLeft, kTaskFocusSkipLeft}};
    for (const auto& [action, focus] : walk) {
        const std::size_t from = frames.size();
        Press(action);
        EXPECT_EQ(tab.Focus(), focus);
        EXPECT_EQ(CountPlayed(kSeUICursor, from), 1) << "a step to focus " << focus;
    }
    ASSERT_TRUE(CloseScreen(kSlotInventory));
}

// Which inventory a storage room shows: an empty one lists eight empty rows with the cursor on the
// item tab; two storerooms without an inventory take one free inventory each; the cargo hold takes
// the one without capacity rules; a storeroom left without one does not open, and the sound its
// data loops for its screen stops with it.
TEST_F(InventoryTest, StorageRoomsAreBoundToOneFreeInventoryEachAndARoomWithoutOneDoesNotOpenNorSound)
{
    GAME_CRoomBase& first = Place("ID20", 8, 3);
    GAME_CRoomBase& second = Place("ID20", 9, 3);
    GAME_CRoomBase& hold = Place("ID90", 7, 3);
    GAME_CInventory* firstInventory = FindRoomInventory(&first);
    GAME_CInventory* secondInventory = FindRoomInventory(&second);
    GAME_CInventory* holdInventory = FindRoomInventory(&hold);
    ASSERT_TRUE(firstInventory != nullptr && secondInventory != nullptr && holdInventory != nullptr);
    ASSERT_TRUE(holdInventory->overflow);
    ASSERT_NE(firstInventory, secondInventory);
    // Nobody owns them now; the overflow inventory is listed before the storerooms' free ones.
    firstInventory->room = nullptr;
    secondInventory->room = nullptr;
    holdInventory->room = nullptr;

    OpenScreenOf(first);
    ASSERT_EQ(Screen().State(), UIScreenState::kMain);
    GAME_CInventory* shown = Screen().Inventory();
    ASSERT_NE(shown, nullptr);
    EXPECT_FALSE(shown->overflow);
    EXPECT_EQ(shown->room, &first);
    GAME_CInventory* other = FindRoomInventory(&second);
    ASSERT_NE(other, nullptr) << "the other storeroom was bound as well";
    EXPECT_NE(other, shown);
    EXPECT_FALSE(other->overflow);
    EXPECT_EQ(FindRoomInventory(&hold), holdInventory) << "the cargo hold takes the one without capacity rules";
    for (int r = 0; r < GAME_CUIInventory::kRows; ++r) {
        EXPECT_EQ(Screen().Row(r).name->Literal(), GetMessageTextExpanded("INVENTORY_NO_ITEM"));
        EXPECT_EQ(Screen().Row(r).count->Literal(), u"--／--");
    }
    EXPECT_EQ(Screen().Place(), GAME_CUIInventory::kPlaces.firstTab);
    EXPECT_EQ(Screen().ItemScrollBar()->Maximum(), 0);
    ASSERT_TRUE(CloseScreen(kSlotInventory));

    // A third storeroom whose inventory is one without capacity rules lets it go and finds no other
    // free one: it is not shown.
    GAME_CRoomBase& third = Place("ID20", 6, 3);
    if (GAME_CInventory* own = FindRoomInventory(&third)) own->overflow = true;
    auto& storeroomData = const_cast<RoomData&>(*GetUIRoomData(&third));
    const IdValue quiet = storeroomData.lastPair;
    storeroomData.lastPair = {15, 7};
    UI().OpenRoomScreen(&third, IndexOf(third));
    storeroomData.lastPair = quiet;
    EXPECT_EQ(GetSoundPlayer()->TrackedTag(), 7u) << "the loop starts as the screen is asked to open";
    StepFrames(5);
    EXPECT_FALSE(Screen().IsOpen());
    EXPECT_EQ(FindRoomInventory(&third), nullptr);
    EXPECT_EQ(world->held, 0u);
    EXPECT_EQ(GetSoundPlayer()->TrackedTag(), 0u) << "the loop went on without its screen";
}

}  // namespace
