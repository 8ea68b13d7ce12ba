// The market's trade rules on the running game: stacks of bought goods on the deck, what refuses a selection, the marks of a sale and the money that moves.
#include <gtest/gtest.h>

#include <vector>

#include "game/model/object/field_object_manager.h"
#include "game/model/ship/ship.h"
#include "game/model/stores/market_trade.h"
#include "game/services/data/item_records.h"
#include "game/services/data/static_lookups.h"
#include "game/services/player/player_data.h"
#include "tests/game/ui/screens/room_screen_test_base.h"

namespace {

class MarketTradeTest : public support::RoomScreenTest {
protected:
    void SetUp() override
    {
        RoomScreenTest::SetUp();
        world->fieldObjects->ClearItems();
        parties = {world->fieldObjects.get(), world->ship.get(), GetPlayerData()};
    }

    std::int32_t& Money() const { return GetPlayerData()->money; }
    const std::vector<GAME_CObjectItem*>& Items() const { return world->fieldObjects->items; }

    // The free floor cells of the bottom row, left to right.
    std::vector<int> FreeBottomColumns() const
    {
        std::vector<int> columns;
        const int row = world->ship->grid.height - 1;
        for (int x = 0; x < world->ship->grid.width; ++x) {
            const GAME_CShipGrid::Cell* cell = world->ship->grid.GetCell(x, row);
            if (cell != nullptr && cell->usable != 0 && !world->fieldObjects->IsCellOccupiedByItem(x, row)) columns.push_back(x);
        }
        return columns;
    }

    // Single stones on free cells until only `left` places remain.
    void FillFloorLeaving(std::int64_t left)
    {
        while (world->fieldObjects->CountFreeItemPlaces() > left) {
            std::int32_t column = -1, row = -1;
            ASSERT_TRUE(world->fieldObjects->FindFreeItemCell(0, 0, &column, &row));
            ASSERT_TRUE(world->fieldObjects->DropItemOnCell(MakeTag("I007"), 1, column, row));
        }
    }

    static std::int32_t BuyPrice(const char (&id)[5]) { return FindItemData(MakeTag(id))->buyPrice; }
    static std::int32_t SellPrice(const char (&id)[5]) { return FindItemData(MakeTag(id))->sellPrice; }

    MarketParties parties;
    GAME_CMarketTrade trade;
};

// Two goods of stack 10 bought 25 and 3: stacks of 10, 10, 5 and 3 on the first four free cells of
// the bottom row from the left, paid in full. A floor with room for 4 more stacks takes a selection
// of 4 and refuses one of 5 for the room; 120 against 100 in money is refused for the money; a
// total of 0 for the room. Quantities go round 0..99 whole. When the floor fills up after the
// check, only the stacks placed are paid for.
TEST_F(MarketTradeTest, BoughtGoodsLieInStacksFromTheBottomLeftAndOnlyWhatIsPlacedIsPaid)
{
    const std::vector<std::uint32_t> goods{MakeTag("I012"), MakeTag("I013"), MakeTag("I025")};
    ASSERT_EQ(StackLimitOf(FindItemData(goods[0])), 10);
    ASSERT_EQ(StackLimitOf(FindItemData(goods[1])), 10);
    const std::vector<int> free = FreeBottomColumns();
    ASSERT_GE(free.size(), 4u);
    trade.ResetBuyList(goods);
    Money() = 10'000;
    for (int i = 0; i < 25; ++i) trade.StepQuantity(0, 1);
    for (int i = 0; i < 3; ++i) trade.StepQuantity(1, 1);
    EXPECT_EQ(trade.GetBuyTotals().count, 28);
    ASSERT_TRUE(trade.CanBuySelection(parties));
    EXPECT_EQ(trade.ExecutePurchase(parties), 28);
    ASSERT_EQ(Items().size(), 4u);
    const int counts[] = {10, 10, 5, 3};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(Items()[i]->count, counts[i]) << i;
        EXPECT_EQ(Items()[i]->itemId, goods[i < 3 ? 0 : 1]) << i;
        EXPECT_EQ(Items()[i]->GetCellColumn(), free[i]) << i;
        EXPECT_EQ(Items()[i]->GetCellRow(), world->ship->grid.height - 1) << i;
    }
    EXPECT_EQ(Money(), 10'000 - 25 * BuyPrice("I012") - 3 * BuyPrice("I013"));

    // Room for 4 more stacks: 40 in four stacks pass, a fifth stack is refused for the room.
    FillFloorLeaving(4);
    Money() = 10'000;
    trade.ResetBuyList(goods);
    for (int i = 0; i < 4; ++i) trade.StepQuantity(0, 10);
    EXPECT_TRUE(trade.CanBuySelection(parties));
    trade.StepQuantity(1, 1);
    EXPECT_FALSE(trade.CanBuySelection(parties));
    EXPECT_STREQ(trade.ChooseBuyRefusal(parties), "MARKET_BUY_DISABLE_GRID");
    trade.ClearQuantities();
    Money() = 100;
    for (int i = 0; i < 24; ++i) trade.StepQuantity(2, 1);
    ASSERT_EQ(trade.GetBuyTotals().price, 24 * BuyPrice("I025"));
    ASSERT_GT(trade.GetBuyTotals().price, 100);
    EXPECT_STREQ(trade.ChooseBuyRefusal(parties), "MARKET_BUY_DISABLE_MONEY");
    trade.ClearQuantities();
    EXPECT_FALSE(trade.CanBuySelection(parties)) << "nothing chosen costs nothing and is refused";
    EXPECT_STREQ(trade.ChooseBuyRefusal(parties), "MARKET_BUY_DISABLE_GRID");

    // 99 + 1 = 0, 95 + 10 = 0, 5 - 10 = 99, 0 - 1 = 99.
    for (int i = 0; i < 99; ++i) trade.StepQuantity(0, 1);
    trade.StepQuantity(0, 1);
    EXPECT_EQ(trade.Quantity(0), 0);
    for (int i = 0; i < 95; ++i) trade.StepQuantity(0, 1);
    trade.StepQuantity(0, 10);
    EXPECT_EQ(trade.Quantity(0), 0);
    trade.StepQuantity(0, 5);
    trade.StepQuantity(0, -10);
    EXPECT_EQ(trade.Quantity(0), 99);
    trade.StepQuantity(1, -1);
    EXPECT_EQ(trade.Quantity(1), 99);

    // Checked with room for 4 stacks; then two cells fill: two stacks placed, two paid.
    trade.ClearQuantities();
    Money() = 10'000;
    for (int i = 0; i < 4; ++i) trade.StepQuantity(0, 10);
    ASSERT_TRUE(trade.CanBuySelection(parties));
    FillFloorLeaving(2);
    EXPECT_EQ(trade.ExecutePurchase(parties), 20);
    EXPECT_EQ(Money(), 10'000 - 20 * BuyPrice("I012"));
    EXPECT_EQ(world->fieldObjects->CountFreeItemPlaces(), 0);
}

// A stored stack of 5 marked 3 steps by 10 to 1, a loose one to 0; buttons go round one unit at a
// time. A sale takes the marked units out of the room and off the deck: a stack sold out leaves its
// room, a loose stack sold out leaves the deck; a mark above what is left pays only what is taken.
// Money stops at 999,999,999.
TEST_F(MarketTradeTest, ASalePaysForTheUnitsTakenAndMoneyStopsAtItsCeiling)
{
    Store("I020", 5);
    ASSERT_TRUE(world->fieldObjects->DropItemOnCell(MakeTag("I025"), 5, FreeBottomColumns().front(), world->ship->grid.height - 1));
    trade.BuildSellList(parties);
    const std::int32_t stored = CountStoredStacks();
    ASSERT_EQ(trade.SellRowCount(), stored + 1);
    std::int32_t grain = -1;
    for (std::int32_t row = 0; row < stored; ++row) {
        if (trade.SellRowAt(row).itemId == MakeTag("I020") && trade.SellRowAt(row).count == 5) grain = row;
    }
    ASSERT_GE(grain, 0);
    const std::int32_t water = stored;
    for (int i = 0; i < 3; ++i) trade.AdjustSellMark(grain, 1, MarketMarkRule::kKey);
    for (int i = 0; i < 3; ++i) trade.AdjustSellMark(water, 1, MarketMarkRule::kIncreaseButton);
    trade.AdjustSellMark(grain, 10, MarketMarkRule::kKey);
    trade.AdjustSellMark(water, 10, MarketMarkRule::kKey);
    EXPECT_EQ(trade.SellRowAt(grain).mark, 1);
    EXPECT_EQ(trade.SellRowAt(water).mark, 0);
    trade.AdjustSellMark(water, -1, MarketMarkRule::kDecreaseButton);
    EXPECT_EQ(trade.SellRowAt(water).mark, 5) << "below 0 the whole stack";
    trade.AdjustSellMark(water, 1, MarketMarkRule::kIncreaseButton);
    EXPECT_EQ(trade.SellRowAt(water).mark, 0) << "past the stack, none";

    // Grain 5 of 5 and water 5 of 5 marked; then 3 of the water go elsewhere before the sale.
    for (int i = 0; i < 4; ++i) trade.AdjustSellMark(grain, 1, MarketMarkRule::kKey);
    trade.AdjustSellMark(water, -1, MarketMarkRule::kDecreaseButton);
    EXPECT_EQ(trade.MarkedCount(), 10);
    EXPECT_EQ(trade.MarkedPrice(), 5 * SellPrice("I020") + 5 * SellPrice("I025"));
    GAME_CObjectItem* loose = Items().front();
    loose->count = 2;
    const std::int64_t grainBefore = CountStoredItem(MakeTag("I020"));
    Money() = 999'999'990;
    const std::int64_t paid = trade.ExecuteSale(parties);
    EXPECT_EQ(paid, 5 * SellPrice("I020") + 2 * SellPrice("I025")) << "only the units taken are paid";
    EXPECT_EQ(CountStoredItem(MakeTag("I020")), grainBefore - 5);
    EXPECT_EQ(CountStoredStacks(), stored - 1) << "the sold-out stack leaves its room";
    EXPECT_FALSE(world->fieldObjects->IsItemActive(loose)) << "the loose stack sold out leaves the deck";
    EXPECT_EQ(Money(), 999'999'999);
}

// The game stands still while the market is open, so a stack sold off a full deck must give up its
// place at once: goods bought in the same visit go where it lay.
TEST_F(MarketTradeTest, AStackSoldOffAFullDeckMakesRoomForGoodsBoughtInTheSameVisit)
{
    FillFloorLeaving(0);
    GAME_CObjectItem* sold = Items().front();
    const std::int32_t column = sold->GetCellColumn();
    const std::int32_t row = sold->GetCellRow();
    trade.BuildSellList(parties);
    const std::int32_t soldRow = CountStoredStacks();
    trade.AdjustSellMark(soldRow, 1, MarketMarkRule::kIncreaseButton);
    ASSERT_EQ(trade.MarkedCount(), 1);
    Money() = 1'000;
    trade.ExecuteSale(parties);
    EXPECT_EQ(world->fieldObjects->CountFreeItemPlaces(), 1);

    trade.ResetBuyList(std::vector<std::uint32_t>{MakeTag("I025")});
    trade.StepQuantity(0, 1);
    ASSERT_TRUE(trade.CanBuySelection(parties)) << trade.ChooseBuyRefusal(parties);
    EXPECT_EQ(trade.ExecutePurchase(parties), 1);
    EXPECT_TRUE(world->fieldObjects->IsCellOccupiedByItem(column, row));
    EXPECT_EQ(Money(), 1'000 + SellPrice("I007") - BuyPrice("I025"));
}

}  // namespace
