// The market's trade rules: what a selection of goods costs and needs, where bought goods land, the marks of a sale and what it pays.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

class GAME_CFieldObjectManager;
class GAME_CObjectItem;
class GAME_CPlayerData;
class GAME_CShip;
struct ItemData;

// What a trade reaches of the running game; any of it may be missing (nothing is traded then).
struct MarketParties {
    GAME_CFieldObjectManager* field = nullptr;
    GAME_CShip* ship = nullptr;
    GAME_CPlayerData* player = nullptr;
};

// How a sell mark moves: the row's increase or decrease button (one unit, round to the other end),
// or a key's step (up past the count gives 0, down below 0 gives the count).
enum class MarketMarkRule { kIncreaseButton, kDecreaseButton, kKey };

// One row of the sell list: a stack stored in a room, or a stack lying loose on the grid.
struct MarketSellRow {
    std::uint32_t itemId = 0xFFFFFFFFu;
    const ItemData* record = nullptr;
    std::int32_t count = 0;
    std::int32_t mark = 0;
};

// The market keeps one. Buy quantities belong to the goods list (the hideout's, in its order); the
// sell list is the stored stacks (read live) followed by the loose stacks captured as it is built.
// Money moves only by units that really change hands: a purchase that runs out of cells or item
// objects part-way charges the units placed, a sale pays for the units removed; totals are in 64
// bits and money stays within 0..999,999,999.
class GAME_CMarketTrade {
public:
    static constexpr std::int32_t kMaxQuantity = 99;

    struct Totals {
        std::int64_t price = 0;
        std::int64_t count = 0;
    };

    // --- buying
    // The goods on offer, every quantity 0.
    void ResetBuyList(std::span<const std::uint32_t> goods);
    void ClearQuantities();
    std::size_t GoodsCount() const { return goods_.size(); }
    std::uint32_t GoodsAt(std::size_t index) const { return goods_[index]; }
    std::int32_t Quantity(std::size_t index) const { return quantities_[index]; }
    bool AnyQuantity() const;
    // Quantity plus step; above 99 it becomes 0, below 0 it becomes 99.
    void StepQuantity(std::size_t index, std::int32_t step);
    Totals GetBuyTotals() const;
    // A total above 0 that the money pays, and room on the floor for every stack.
    bool CanBuySelection(const MarketParties& parties) const;
    // The message key of a refusal: the money when it falls short, else the room.
    const char* ChooseBuyRefusal(const MarketParties& parties) const;
    // Places the goods in stacks on the first free floor cells from the bottom row's left, and
    // charges the units placed. The units placed in all.
    std::int64_t ExecutePurchase(const MarketParties& parties);

    // --- selling
    // Every stored mark 0, the loose stacks lying now (not carried) listed with marks 0.
    void BuildSellList(const MarketParties& parties);
    std::int32_t SellRowCount() const;
    MarketSellRow SellRowAt(std::int32_t row) const;
    void AdjustSellMark(std::int32_t row, std::int32_t step, MarketMarkRule rule);
    void RecountSellTotals();
    std::int64_t MarkedCount() const { return markedCount_; }
    std::int64_t MarkedPrice() const { return markedPrice_; }
    // Takes the marked units out of the rooms and off the grid and pays for those taken. The
    // money paid.
    std::int64_t ExecuteSale(const MarketParties& parties);

private:
    struct LooseRow {
        GAME_CObjectItem* item = nullptr;
        std::int32_t mark = 0;
    };
    // The captured stack when it still lies listed and alive; null otherwise.
    GAME_CObjectItem* LiveLoose(const LooseRow& row) const;

    std::vector<std::uint32_t> goods_;
    std::vector<std::int32_t> quantities_;
    std::vector<LooseRow> loose_;
    const GAME_CFieldObjectManager* looseField_ = nullptr;
    std::int64_t markedCount_ = 0;
    std::int64_t markedPrice_ = 0;
};
