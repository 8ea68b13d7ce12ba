// The discard and put-out window: discarding a stack a unit at a time, putting it out on the floor, a floor without room, and the item's description.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_item.h"
#include "game/model/stores/stored_items.h"
#include "game/services/data/item_data.h"
#include "game/services/player/inventory.h"
#include "game/services/input/input_actions.h"
#include "game/services/text/full_width.h"
#include "game/ui/screens/ui_inventory.h"
#include "game/ui/screens/ui_inventory_trash.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_text.h"
#include "tests/game/ui/screens/room_screen_test_base.h"
#include "tests/support/message_data.h"

namespace {

class InventoryTrashTest : public support::RoomScreenTest {
protected:
    GAME_CUIInventory& Storage() const { return *UI().Get<GAME_CUIInventory>(); }
    GAME_CUIInventoryTrash& Trash() const { return *UI().Get<GAME_CUIInventoryTrash>(); }

    void Press(int action, int frames = 2)
    {
        PressAction(action);
        StepFrames(frames);
    }

    // The storeroom's screen with the cursor on the stack of row `row`, and the window opened for it.
    void OpenTrashOn(int row)
    {
        if (!Storage().IsOpen()) OpenScreenOf(*world->ship->GetRoomAtCell(9, 3));
        ASSERT_EQ(Storage().State(), UIScreenState::kMain);
        while (Storage().SelectedRow() < row) Press(kActionCursorDown);
        Press(kActionDecide, 3);
        ASSERT_TRUE(Trash().IsOpen());
    }

    // A button of the window pressed by its key, and the frames until its page is there.
    bool PressButton(int action, GAME_CUIInventoryTrash::Page page)
    {
        PressAction(action);
        return StepUntil([&] { return Trash().CurrentPage() == page; }, 30);
    }

    static bool AsksWith(std::u16string_view amount) { return Dialog().Message().find(ToFullWidthText(amount)) != std::u16string::npos; }
};

// Three units asked away one at a time, the dialog counting down; the last removes the stack, closes
// the window, and the storeroom's cursor steps up to the stack before it.
TEST_F(InventoryTrashTest, DiscardingAStackOfThreeAsksThreeTimesAndTheLastClosesTheWindow)
{
    Store("I002", 2);
    Store("I001", 3);
    OpenTrashOn(1);
    EXPECT_EQ(Trash().Title()->Literal(), UITagName(MakeTag("I001")));
    EXPECT_EQ(Trash().AmountLabel()->Literal(), ToFullWidthText(u" 3/30"));
    EXPECT_EQ(Trash().PriceLabel()->Literal(),
              FormatUIMessage("INVENTORY_TRASH_SELLPRICE_PER_NUM", {GetMessageTextExpanded("MONEY_MARK"), UIFullWidthNumber(8)}));

    ASSERT_TRUE(PressButton(kActionMenuFunctionB, GAME_CUIInventoryTrash::kDiscard));
    ASSERT_TRUE(Dialog().IsVisible());
    EXPECT_TRUE(AsksWith(u"3/30"));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    StepFrames(2);
    EXPECT_TRUE(AsksWith(u"2/30"));
    EXPECT_EQ(Trash().AmountLabel()->Literal(), ToFullWidthText(u" 2/30"));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    StepFrames(2);
    EXPECT_TRUE(AsksWith(u"1/30"));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    ASSERT_TRUE(StepUntil([&] { return !Trash().IsOpen(); }, 30));
    StepFrames(3);
    EXPECT_EQ(CountStoredItem(MakeTag("I001")), 0);
    EXPECT_EQ(Storage().Inventory()->stacks.size(), 1u);
    EXPECT_EQ(Storage().SelectedRow(), 0) << "the cursor steps up to the stack before the removed last one";
    EXPECT_EQ(Storage().Row(1).name->Literal(), GetMessageTextExpanded("INVENTORY_NO_ITEM"));
    EXPECT_NE(Storage().TaskFrame().title->Literal().find(ToFullWidthText(u"1/12")), std::u16string::npos);
    EXPECT_EQ(CountFieldItem(MakeTag("I001")), 0) << "a discarded item is gone";
}

// Put out: the whole stack lies as one item on the floor near the room, with its sound, a carrier is
// asked for it once the game goes on, and the notice counts it. A floor whose item objects are all
// out refuses, and the stack stays.
TEST_F(InventoryTrashTest, PuttingOutLaysTheStackOnTheFloorAndAFullFloorRefuses)
{
    Store("I001", 3);
    Store("I002", 2);
    OpenTrashOn(0);
    ASSERT_TRUE(PressButton(kActionMenuFunctionA, GAME_CUIInventoryTrash::kAskPutOut));
    EXPECT_EQ(Dialog().Message().rfind(GetMessageTextExpanded("INVENTORY_TRASH_PUTOUT_YESNO"), 0), 0u);
    const std::size_t from = frames.size();
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    StepFrames(2);
    ASSERT_EQ(Trash().CurrentPage(), GAME_CUIInventoryTrash::kPutOut);
    EXPECT_EQ(CountPlayed(GAME_CObjectItem::kPlacedSound, from), 1);
    EXPECT_EQ(CountFieldItem(MakeTag("I001")), 3);
    EXPECT_EQ(CountStoredItem(MakeTag("I001")), 0);
    ASSERT_EQ(world->fieldObjects->items.size(), 1u) << "one item object holds the stack";
    GAME_CObjectItem* laid = world->fieldObjects->items.front();
    EXPECT_EQ(laid->count, 3);
    EXPECT_EQ(Dialog().Message().rfind(GetMessageTextExpanded("INVENTORY_TRASH_PUTOUT_FINISHED"), 0), 0u);
    EXPECT_TRUE(AsksWith(u"3/30"));
    ASSERT_TRUE(CloseMessage());
    ASSERT_TRUE(StepUntil([&] { return !Trash().IsOpen(); }, 10));
    ASSERT_TRUE(CloseScreen(kSlotInventory));
    ASSERT_TRUE(StepUntil([&] { return laid->requestTimer != 0; }, 120)) << "a carrier is asked for the laid stack";

    // A stack over one item object's limit (as a save may hold): one object of the limit goes out,
    // the rest stays stored.
    GAME_CInventory* stored = FindRoomInventory(world->ship->GetRoomAtCell(9, 3));
    ASSERT_NE(stored, nullptr);
    ASSERT_EQ(stored->stacks.size(), 1u);
    stored->stacks.front().item->count = 32;
    OpenTrashOn(0);
    ASSERT_TRUE(PressButton(kActionMenuFunctionA, GAME_CUIInventoryTrash::kAskPutOut));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    StepFrames(2);
    EXPECT_EQ(CountFieldItem(MakeTag("I002")), 30);
    EXPECT_EQ(CountStoredItem(MakeTag("I002")), 2);
    ASSERT_TRUE(CloseMessage());
    ASSERT_TRUE(StepUntil([&] { return !Trash().IsOpen(); }, 10));

    // The floor fills between the question and the yes: the cell and the item object are sought
    // again, and the put-out is refused with its notice, the stack kept.
    OpenTrashOn(0);
    ASSERT_TRUE(PressButton(kActionMenuFunctionA, GAME_CUIInventoryTrash::kAskPutOut));
    while (world->fieldObjects->CreateItemObject() != nullptr) {
    }
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    StepFrames(2);
    EXPECT_EQ(Dialog().Message(), GetMessageTextExpanded("INVENTORY_TRASH_PUTOUT_DISABLE"));
    EXPECT_EQ(CountStoredItem(MakeTag("I002")), 2);
    ASSERT_TRUE(CloseMessage());
    ASSERT_TRUE(StepUntil([&] { return Trash().CurrentPage() == GAME_CUIInventoryTrash::kItem; }, 10));

    // With every item object out the button itself refuses.
    ASSERT_TRUE(PressButton(kActionMenuFunctionA, GAME_CUIInventoryTrash::kPutOutRefused));
    EXPECT_EQ(Dialog().Message(), GetMessageTextExpanded("INVENTORY_TRASH_PUTOUT_DISABLE"));
    ASSERT_TRUE(CloseMessage());
    StepFrames(2);
    EXPECT_EQ(Trash().CurrentPage(), GAME_CUIInventoryTrash::kItem);
    EXPECT_EQ(CountStoredItem(MakeTag("I002")), 2);
}

// The description of a stack: the item's own text, then where it is made and what it goes into,
// seven lines at a time; each break ends a line (a CR LF pair leaves an empty one), a line keeps 127
// characters, and an item without a production record reads as one nothing makes and nothing uses.
// Every filling of the page shows the text from its top.
TEST_F(InventoryTrashTest, TheDescriptionScrollsSevenLinesAtATimeAndAnItemWithoutARecordReadsAsOneWithoutEntries)
{
    const std::u16string longLine(140, u'a');
    support::ScopedExtraMessages messages({{.key = "IZZZ_DISCRIPT", .text = longLine + u"\ntwo\r\nthree\nfour\nfive"}});
    Store("I001", 1);
    GAME_CInventory* stored = FindRoomInventory(world->ship->GetRoomAtCell(9, 3));
    ASSERT_NE(stored, nullptr);
    InventoryStack unknown;
    unknown.item = std::make_unique<GAME_CItemDataImpl>();
    unknown.item->itemId = MakeTag("IZZZ");
    unknown.item->count = 2;
    unknown.item->record = stored->stacks.front().item->record;
    stored->stacks.push_back(std::move(unknown));

    // A shipped item begins with its own text.
    OpenTrashOn(0);
    const std::u16string own = GetMessageTextExpanded("I001_DISCRIPT");
    EXPECT_EQ(Trash().Description().Row(0)->Literal(), own.substr(0, own.find_first_of(u"\r\n\x1b")));
    ASSERT_TRUE(CloseScreen(kSlotInventoryTrash));

    // Ten lines: the five of its text with the empty one a CR LF leaves, an empty line, the line
    // that it cannot be made, an empty line and the line that it has no use.
    OpenTrashOn(1);
    GAME_CUIScrollBarObject& scroll = *Trash().Description().Bar();
    EXPECT_EQ(scroll.Maximum(), 3);
    EXPECT_EQ(scroll.Value(), 0);
    EXPECT_EQ(Trash().Description().Row(0)->Literal(), longLine.substr(0, 127));
    EXPECT_EQ(Trash().Description().Row(1)->Literal(), u"two");
    EXPECT_EQ(Trash().Description().Row(2)->Literal(), u"");
    EXPECT_EQ(Trash().Description().Row(3)->Literal(), u"three");
    const std::size_t from = frames.size();
    for (int i = 0; i < 4; ++i) Press(kActionCursorDown);
    EXPECT_EQ(scroll.Value(), 3);
    EXPECT_EQ(CountPlayed(kSeUICursor, from), 3) << "no sound at the end";
    const std::u16string name = UITagName(MakeTag("IZZZ"));
    EXPECT_EQ(Trash().Description().Row(0)->Literal(), u"three");
    EXPECT_EQ(Trash().Description().Row(3)->Literal(), u"");
    EXPECT_EQ(Trash().Description().Row(4)->Literal(), FormatUIMessage("ItemDiscript_Unproducible", {name}));
    EXPECT_EQ(Trash().Description().Row(5)->Literal(), u"");
    EXPECT_EQ(Trash().Description().Row(6)->Literal(), FormatUIMessage("ItemDiscript_Unusable", {name}));
    for (int i = 0; i < 4; ++i) Press(kActionCursorUp);
    EXPECT_EQ(scroll.Value(), 0);
    EXPECT_EQ(Trash().Description().Row(0)->Literal(), longLine.substr(0, 127));

    // A unit discarded while the text is scrolled: the question about the next one stands over the
    // text from its top, where the bar is too.
    for (int i = 0; i < 3; ++i) Press(kActionCursorDown);
    ASSERT_EQ(scroll.Value(), 3);
    ASSERT_TRUE(PressButton(kActionMenuFunctionB, GAME_CUIInventoryTrash::kDiscard));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    StepFrames(2);
    ASSERT_TRUE(Dialog().IsVisible());
    EXPECT_EQ(scroll.Value(), 0);
    EXPECT_EQ(Trash().Description().Row(0)->Literal(), longLine.substr(0, 127));
}

}  // namespace
