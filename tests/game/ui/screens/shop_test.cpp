// The market screen: the buy and sell lists, their cursor, the keys and buttons that set quantities and marks, the questions and what a trade leaves.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/object/object_item.h"
#include "game/model/ship/ship.h"
#include "game/model/stores/stored_items.h"
#include "game/model/travel/travel_controller.h"
#include "game/services/data/item_records.h"
#include "game/services/data/static_database.h"
#include "game/services/data/static_lookups.h"
#include "game/services/player/player_data.h"
#include "game/services/text/language.h"
#include "game/ui/screens/ui_shop.h"
#include "game/ui/ui_text.h"
#include "tests/game/ui/screens/room_screen_test_base.h"

namespace {

class ShopTest : public support::RoomScreenTest {
protected:
    GAME_CUIShop& Shop() const { return *UI().Get<GAME_CUIShop>(); }

    void OpenAtCheddarSprings()
    {
        const std::uint32_t town = MakeTag("AD01");
        ASSERT_TRUE(world->travel->SetCurrentLocation(&town));
        UI().SetOpen(kSlotShop, true);
        ASSERT_TRUE(StepUntil([&] { return Shop().State() == UIScreenState::kMain; }, 30));
        StepFrames(1);
    }

    void Press(int action)
    {
        PressAction(action);
        StepFrames(2);
    }

    // Ten at a time: the key with MENU_FUNCTION_A held.
    void PressWithPageKey(int action)
    {
        HoldAction(kActionMenuFunctionA, 3);
        StepFrames(1);
        PressAction(action);
        StepFrames(3);
    }

    std::size_t Count(std::uint32_t id, std::size_t from) const
    {
        std::size_t count = 0;
        for (std::size_t i = from; i < frames.size(); ++i) count += static_cast<std::size_t>(std::count(frames[i].soundEffects.begin(), frames[i].soundEffects.end(), id));
        return count;
    }
};

// Cheddar Springs' eight goods: up on the first goes round to the last (row 5, scroll 2), down on the
// last back to the first. Ten grain (ten at a time on the right key) ask for 100 and are placed on
// the deck in one stack for 100; the quantities start over. A mark on the sell tab and a quantity on
// the buy tab both go when the tab changes. Selling five grain of a stored stack pays their price.
// Closing opens the hideout menu in the frame it starts.
TEST_F(ShopTest, TheBuyAndSellListsTradeAndATabChangeClearsTheChoice)
{
    world->fieldObjects->ClearItems();
    Store("I020", 5);
    GetPlayerData()->money = 500;
    OpenAtCheddarSprings();
    ASSERT_EQ(Shop().Trade().GoodsCount(), 8u);
    EXPECT_EQ(Shop().Title()->Literal(), FormatUIMessage("MARKET_TYPE_NAME0", {GetMessageTextExpanded("AD01")}));
    EXPECT_EQ(Shop().RowName(0)->Literal(), GetMessageTextExpanded("I001"));
    Keep("shop-buy");

    Press(kActionCursorUp);
    EXPECT_EQ(Shop().SelectedRow(), 5);
    EXPECT_EQ(Shop().ScrollTop(), 2);
    EXPECT_EQ(Shop().RowName(5)->Literal(), GetMessageTextExpanded("I023"));
    Press(kActionCursorDown);
    EXPECT_EQ(Shop().SelectedRow(), 0);
    EXPECT_EQ(Shop().ScrollTop(), 0);

    // Grain is the fourth good.
    for (int i = 0; i < 3; ++i) Press(kActionCursorDown);
    ASSERT_EQ(Shop().Trade().GoodsAt(3), MakeTag("I020"));
    PressWithPageKey(kActionCursorRight);
    EXPECT_EQ(Shop().Trade().Quantity(3), 10);
    EXPECT_EQ(Shop().EnterButton()->Color(), kUIWhite);
    EXPECT_EQ(Shop().TotalLabel()->Literal(), UIFullWidthNumber(100, u"%9d"));
    const std::int64_t held = CountStoredItem(MakeTag("I020")) + CountFieldItem(MakeTag("I020"));
    EXPECT_EQ(Shop().RowNumber(3)->Literal(), UIFullWidthNumber(10) + u"\u3000(" + UIFullWidthNumber(held) + u")");

    // The tab change clears the quantity; back on the buy tab it is 0.
    Press(kActionMenuTabRight);
    ASSERT_TRUE(StepUntil([&] { return Shop().CurrentPage() == GAME_CUIShop::kSellList; }, 10));
    Press(kActionCursorRight);
    EXPECT_EQ(Shop().Trade().MarkedCount(), 1);
    Press(kActionMenuTabLeft);
    ASSERT_TRUE(StepUntil([&] { return Shop().CurrentPage() == GAME_CUIShop::kBuyList; }, 10));
    EXPECT_EQ(Shop().Trade().Quantity(3), 0);
    EXPECT_EQ(Shop().SelectedRow(), 0);
    Press(kActionMenuTabRight);
    ASSERT_TRUE(StepUntil([&] { return Shop().CurrentPage() == GAME_CUIShop::kSellList; }, 10));
    EXPECT_EQ(Shop().Trade().MarkedCount(), 0) << "the mark went with the tab";
    Press(kActionMenuTabLeft);
    ASSERT_TRUE(StepUntil([&] { return Shop().CurrentPage() == GAME_CUIShop::kBuyList; }, 10));

    for (int i = 0; i < 3; ++i) Press(kActionCursorDown);
    PressWithPageKey(kActionCursorRight);
    Press(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return Shop().CurrentPage() == GAME_CUIShop::kBuyConfirm; }, 10));
    StepFrames(1);
    EXPECT_EQ(Dialog().Message(), FormatUIMessage("MARKET_BUY_YESNO", {u"１０", GetMessageTextExpanded("MONEY_MARK"), u"１００"}));
    const std::size_t from = frames.size();
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    ASSERT_TRUE(StepUntil([&] { return Shop().CurrentPage() == GAME_CUIShop::kBought; }, 5));
    EXPECT_EQ(GetPlayerData()->money, 400);
    EXPECT_EQ(Count(59, from), 1u);
    ASSERT_EQ(world->fieldObjects->items.size(), 1u);
    EXPECT_EQ(world->fieldObjects->items.front()->count, 10);
    ASSERT_TRUE(CloseMessage());
    ASSERT_TRUE(StepUntil([&] { return Shop().CurrentPage() == GAME_CUIShop::kBuyList; }, 5));
    EXPECT_EQ(Shop().Trade().Quantity(3), 0);

    // The sell tab lists the stored grain first; five marked sell for five times its price.
    Press(kActionMenuTabRight);
    ASSERT_TRUE(StepUntil([&] { return Shop().CurrentPage() == GAME_CUIShop::kSellList; }, 10));
    std::int32_t grain = -1;
    for (std::int32_t row = 0; row < CountStoredStacks() && grain < 0; ++row) {
        if (GetStoredItemAt(row)->itemId == MakeTag("I020") && GetStoredItemAt(row)->count == 5) grain = row;
    }
    ASSERT_GE(grain, 0);
    ASSERT_LT(grain, GAME_CUIShop::kRows);
    for (int i = 0; i < grain; ++i) Press(kActionCursorDown);
    for (int i = 0; i < 5; ++i) Press(kActionCursorRight);
    EXPECT_EQ(Shop().RowNumber(grain)->Literal(), u"５／５");
    Keep("shop-sell");
    Press(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return Shop().CurrentPage() == GAME_CUIShop::kSellConfirm; }, 10));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    ASSERT_TRUE(StepUntil([&] { return Shop().CurrentPage() == GAME_CUIShop::kSold; }, 5));
    const std::int32_t price = FindItemData(MakeTag("I020"))->sellPrice;
    EXPECT_EQ(Dialog().Message(), FormatUIMessage("MARKET_SELL_FINISHED", {GetMessageTextExpanded("MONEY_MARK"), UIFullWidthNumber(5 * price)}));
    EXPECT_EQ(GetPlayerData()->money, 400 + 5 * price);
    ASSERT_TRUE(CloseMessage());

    PressAction(kActionCancel);
    ASSERT_TRUE(StepUntil([&] { return Shop().State() == UIScreenState::kClosing; }, 10));
    EXPECT_TRUE(UI().IsOpen(kSlotAjitoMenu)) << "the menu opens as the market starts closing";
}

// What a crew member holds is aboard: the buy list counts the grain lying on the deck and the grain in
// a crew member's hands with the stored grain. The sell list offers the stored and the lying grain,
// not what is in hand; once those are sold, the buy list counts the grain in hand alone.
TEST_F(ShopTest, GrainInACrewMembersHandsCountsAboardAndStaysOutOfTheSale)
{
    world->fieldObjects->ClearItems();
    Store("I020", 5);
    GetPlayerData()->money = 0;
    OpenAtCheddarSprings();
    // Laid while the market holds the game, so that nobody moves them.
    const std::uint32_t grain = MakeTag("I020");
    const auto lay = [&](std::int32_t count) {
        std::int32_t column = -1, row = -1;
        EXPECT_TRUE(world->fieldObjects->FindFreeItemCell(0, world->ship->grid.height - 1, &column, &row));
        EXPECT_TRUE(world->fieldObjects->DropItemOnCell(grain, count, column, row));
        return world->fieldObjects->items.back();
    };
    lay(10);
    GAME_CObjectItem* inHand = lay(7);
    GAME_CObjectActor* porter = world->fieldObjects->AcquireActorObject();
    ASSERT_NE(porter, nullptr);
    ActorSetupRecord setup;
    world->ship->GetCellFloorPoint(inHand->GetCellColumn(), inHand->GetCellRow(), &setup.x, &setup.y, false);
    porter->Init(setup);
    inHand->SetCarrier(porter);
    porter->SetCarriedItem(inHand);
    const std::int64_t stored = CountStoredItem(grain);
    const auto heldShown = [&](std::int64_t held) { return UIFullWidthNumber(0) + u"\u3000(" + UIFullWidthNumber(held) + u")"; };

    Press(kActionMenuTabRight);
    ASSERT_TRUE(StepUntil([&] { return Shop().CurrentPage() == GAME_CUIShop::kSellList; }, 10));
    EXPECT_EQ(Shop().Trade().SellRowCount(), CountStoredStacks() + 1) << "the stack in hand is not for sale";
    Press(kActionMenuTabLeft);
    ASSERT_TRUE(StepUntil([&] { return Shop().CurrentPage() == GAME_CUIShop::kBuyList; }, 10));
    ASSERT_EQ(Shop().Trade().GoodsAt(3), grain);
    EXPECT_EQ(Shop().RowNumber(3)->Literal(), heldShown(stored + 17));

    // Every grain row on the sell tab marked whole (left from 0 goes round to the count), and sold.
    Press(kActionMenuTabRight);
    ASSERT_TRUE(StepUntil([&] { return Shop().CurrentPage() == GAME_CUIShop::kSellList; }, 10));
    const std::int32_t rows = Shop().Trade().SellRowCount();
    for (std::int32_t row = 0; row < rows; ++row) {
        ASSERT_EQ(Shop().ScrollTop() + Shop().SelectedRow(), row);
        if (Shop().Trade().SellRowAt(row).itemId == grain) Press(kActionCursorLeft);
        Press(kActionCursorDown);
    }
    ASSERT_EQ(Shop().Trade().MarkedCount(), stored + 10);
    Press(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return Shop().CurrentPage() == GAME_CUIShop::kSellConfirm; }, 10));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    ASSERT_TRUE(StepUntil([&] { return Shop().CurrentPage() == GAME_CUIShop::kSold; }, 5));
    EXPECT_EQ(GetPlayerData()->money, (stored + 10) * FindItemData(grain)->sellPrice);
    ASSERT_TRUE(CloseMessage());
    EXPECT_TRUE(world->fieldObjects->IsItemActive(inHand));
    EXPECT_EQ(inHand->count, 7);

    Press(kActionMenuTabLeft);
    ASSERT_TRUE(StepUntil([&] { return Shop().CurrentPage() == GAME_CUIShop::kBuyList; }, 10));
    EXPECT_EQ(Shop().RowNumber(3)->Literal(), heldShown(7));
}

// In every language the questions and notices keep to the shared dialog with the largest trade: a buy
// of every good of the longest goods list at its most for all the money a purse holds, and a sale of
// six-digit units for as much.
TEST_F(ShopTest, TheQuestionsAndNoticesFitTheDialogWithTheLargestTradeInEveryLanguage)
{
    std::size_t goods = 0;
    for (const auto& [id, hideout] : GetStaticDatabase()->Hideouts()) goods = std::max(goods, hideout.marketItems.size());
    const std::u16string bought = UIFullWidthNumber(static_cast<std::int64_t>(goods) * GAME_CMarketTrade::kMaxQuantity);
    const std::u16string sold = UIFullWidthNumber(999'999);
    const std::u16string price = UIFullWidthNumber(kMaxMoney);
    for (std::uint32_t language = 0; language < kLanguageCount; ++language) {
        ChooseLanguage(language);
        const std::string file(GetMessageFileForLanguage(language));
        const std::u16string money = GetMessageTextExpanded("MONEY_MARK");
        const std::pair<const char*, std::u16string> texts[] = {
            {"MARKET_BUY_YESNO", FormatUIMessage("MARKET_BUY_YESNO", {bought, money, price})},
            {"MARKET_SELL_YESNO", FormatUIMessage("MARKET_SELL_YESNO", {sold, money, price})},
            {"MARKET_SELL_FINISHED", FormatUIMessage("MARKET_SELL_FINISHED", {money, price})},
            {"MARKET_BUY_FINISH", GetMessageTextExpanded("MARKET_BUY_FINISH_0") + u"\n" + GetMessageTextExpanded("MARKET_BUY_FINISH_1")},
            {"MARKET_BUY_DISABLE_MONEY", GetMessageTextExpanded("MARKET_BUY_DISABLE_MONEY")},
            {"MARKET_BUY_DISABLE_GRID", GetMessageTextExpanded("MARKET_BUY_DISABLE_GRID")},
        };
        for (const auto& [key, text] : texts) ExpectFitsDialog(text, file + ": " + key);
    }
}

}  // namespace
