// The market's trade rules: what a selection of goods costs and needs, where bought goods land, the marks of a sale and what it pays.
#include "game/model/stores/market_trade.h"

#include <algorithm>

#include "game/model/object/field_object_manager.h"
#include "game/model/ship/ship.h"
#include "game/model/stores/stored_items.h"
#include "game/services/data/item_data.h"
#include "game/services/data/item_records.h"
#include "game/services/data/static_lookups.h"
#include "game/services/player/inventory.h"
#include "game/services/player/player_data.h"

void GAME_CMarketTrade::ResetBuyList(std::span<const std::uint32_t> goods)
{
    goods_.assign(goods.begin(), goods.end());
    quantities_.assign(goods_.size(), 0);
}

void GAME_CMarketTrade::ClearQuantities() { std::fill(quantities_.begin(), quantities_.end(), 0); }

bool GAME_CMarketTrade::AnyQuantity() const
{
    return std::any_of(quantities_.begin(), quantities_.end(), [](std::int32_t quantity) { return quantity > 0; });
}

void GAME_CMarketTrade::StepQuantity(std::size_t index, std::int32_t step)
{
    if (index >= quantities_.size()) return;
    std::int32_t& quantity = quantities_[index];
    quantity += step;
    // The count goes round from one end to the other, never to the remainder.
    if (quantity > kMaxQuantity) quantity = 0;
    if (quantity < 0) quantity = kMaxQuantity;
}

GAME_CMarketTrade::Totals GAME_CMarketTrade::GetBuyTotals() const
{
    Totals totals;
    for (std::size_t i = 0; i < goods_.size(); ++i) {
        const ItemData* record = FindItemData(goods_[i]);
        totals.price += std::int64_t{quantities_[i]} * (record != nullptr ? record->buyPrice : 0);
        totals.count += quantities_[i];
    }
    return totals;
}

bool GAME_CMarketTrade::CanBuySelection(const MarketParties& parties) const
{
    if (parties.player == nullptr || parties.field == nullptr) return false;
    const Totals totals = GetBuyTotals();
    if (totals.price < 1 || totals.price > parties.player->money) return false;
    std::int64_t stacks = 0;
    for (std::size_t i = 0; i < goods_.size(); ++i) {
        stacks += CountStacksOf(FindItemData(goods_[i]), quantities_[i]);
    }
    return stacks <= parties.field->CountFreeItemPlaces();
}

const char* GAME_CMarketTrade::ChooseBuyRefusal(const MarketParties& parties) const
{
    const std::int64_t money = parties.player != nullptr ? parties.player->money : 0;
    return money < GetBuyTotals().price ? "MARKET_BUY_DISABLE_MONEY" : "MARKET_BUY_DISABLE_GRID";
}

std::int64_t GAME_CMarketTrade::ExecutePurchase(const MarketParties& parties)
{
    if (parties.field == nullptr || parties.ship == nullptr || parties.player == nullptr) return 0;
    const std::int32_t bottomRow = std::max<std::int32_t>(parties.ship->grid.height - 1, 0);
    std::int64_t placedInAll = 0;
    for (std::size_t i = 0; i < goods_.size(); ++i) {
        const ItemData* record = FindItemData(goods_[i]);
        if (quantities_[i] <= 0 || record == nullptr) continue;
        const std::int32_t limit = StackLimitOf(record);
        std::int32_t remaining = quantities_[i];
        std::int64_t placed = 0;
        while (remaining >= 1) {
            const std::int32_t stack = std::min(remaining, limit);
            std::int32_t column = -1;
            std::int32_t row = -1;
            if (!parties.field->FindFreeItemCell(0, bottomRow, &column, &row)) break;
            if (!parties.field->DropItemOnCell(goods_[i], stack, column, row)) break;
            placed += stack;
            remaining -= stack;
        }
        // Only what lies on the deck is paid for.
        parties.player->AddMoney(-placed * record->buyPrice);
        placedInAll += placed;
    }
    return placedInAll;
}

void GAME_CMarketTrade::BuildSellList(const MarketParties& parties)
{
    ClearStoredItemMarks();
    loose_.clear();
    looseField_ = parties.field;
    if (parties.field != nullptr) {
        for (GAME_CObjectItem* item : parties.field->items) {
            if (item != nullptr && item->dead == 0 && item->carrier == nullptr) loose_.push_back({item, 0});
        }
    }
    markedCount_ = 0;
    markedPrice_ = 0;
}

GAME_CObjectItem* GAME_CMarketTrade::LiveLoose(const LooseRow& row) const
{
    if (looseField_ == nullptr || !looseField_->IsItemActive(row.item) || row.item->dead != 0) return nullptr;
    return row.item;
}

std::int32_t GAME_CMarketTrade::SellRowCount() const { return CountStoredStacks() + static_cast<std::int32_t>(loose_.size()); }

MarketSellRow GAME_CMarketTrade::SellRowAt(std::int32_t row) const
{
    const std::int32_t stored = CountStoredStacks();
    if (row < 0) return {};
    if (row < stored) {
        const GAME_CItemDataImpl* stack = GetStoredItemAt(row);
        if (stack == nullptr) return {};
        return {stack->itemId, stack->record, stack->count, GetStoredItemMark(row)};
    }
    const std::size_t index = static_cast<std::size_t>(row - stored);
    if (index >= loose_.size()) return {};
    const GAME_CObjectItem* item = LiveLoose(loose_[index]);
    if (item == nullptr) return {.mark = loose_[index].mark};
    return {item->itemId, item->record, item->count, loose_[index].mark};
}

void GAME_CMarketTrade::AdjustSellMark(std::int32_t row, std::int32_t step, MarketMarkRule rule)
{
    const std::int32_t stored = CountStoredStacks();
    if (row >= 0 && row < stored) {
        AdjustStoredItemMark(row, step);
    } else if (row >= stored && static_cast<std::size_t>(row - stored) < loose_.size()) {
        LooseRow& loose = loose_[static_cast<std::size_t>(row - stored)];
        const GAME_CObjectItem* item = LiveLoose(loose);
        const std::int64_t count = item != nullptr ? item->count : 0;
        std::int64_t mark = loose.mark;
        if (count <= 0) {
            mark = 0;
        } else if (rule == MarketMarkRule::kIncreaseButton) {
            mark = (mark + 1) % (count + 1);
        } else if (rule == MarketMarkRule::kDecreaseButton) {
            mark = mark - 1 < 0 ? count : mark - 1;
        } else {
            mark += step;
            if (mark > count) mark = 0;
            if (mark < 0) mark = count;
        }
        loose.mark = static_cast<std::int32_t>(mark);
    }
    RecountSellTotals();
}

void GAME_CMarketTrade::RecountSellTotals()
{
    markedCount_ = 0;
    markedPrice_ = 0;
    const std::int32_t rows = SellRowCount();
    for (std::int32_t row = 0; row < rows; ++row) {
        const MarketSellRow shown = SellRowAt(row);
        markedCount_ += shown.mark;
        if (shown.mark != 0 && shown.record != nullptr) markedPrice_ += std::int64_t{shown.mark} * shown.record->sellPrice;
    }
}

std::int64_t GAME_CMarketTrade::ExecuteSale(const MarketParties& parties)
{
    std::int64_t paid = 0;
    if (parties.player != nullptr) {
        for (std::size_t i = 0; i < parties.player->InventoryCount(); ++i) {
            GAME_CInventory* inventory = parties.player->GetInventoryAt(static_cast<std::int64_t>(i));
            if (inventory == nullptr) continue;
            for (InventoryStack& stack : inventory->stacks) {
                if (!stack.item || stack.marked <= 0) continue;
                for (std::int32_t unit = 0; unit < stack.marked && stack.item->TakeOne(); ++unit) paid += stack.item->record->sellPrice;
            }
            inventory->RemoveEmptyStacks();
        }
    }
    for (LooseRow& loose : loose_) {
        GAME_CObjectItem* item = LiveLoose(loose);
        if (item != nullptr && loose.mark > 0) {
            const std::int32_t taken = std::min(loose.mark, std::max(item->count, 0));
            item->count -= taken;
            if (item->record != nullptr) paid += std::int64_t{taken} * item->record->sellPrice;
            if (item->count <= 0) item->dead = 1;
        }
        loose.mark = 0;
    }
    // The game stands still while the market is open: the places of the stacks sold out are freed
    // now, so that goods bought in the same visit may take them.
    if (parties.field != nullptr) parties.field->RemoveDeadItems();
    if (parties.player != nullptr) parties.player->AddMoney(paid);
    return paid;
}
