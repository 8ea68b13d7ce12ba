// The market (slot 10): a buy tab over the hideout's goods and a sell tab over what the ship holds, six rows at a time, with the totals, the money and the questions.
#pragma once

#include <array>
#include <cstdint>

#include "game/model/stores/market_trade.h"
#include "game/ui/list_cursor.h"
#include "game/ui/list_view.h"
#include "game/ui/ui_screen.h"
#include "game/ui/widget_builders.h"

// The hideout menu opens it while the ship stands at a hideout with a market; as it starts closing
// it opens the menu again. It holds the game while open. The trade rules are the market trade's;
// the screen keeps the selected row, the scroll and the pages.
class GAME_CUIShop : public GAME_CUIScreen, public UIScreenSlot<kSlotShop> {
public:
    static constexpr int kRows = 6;
    // The buy list and its refusal, question and notice; the sell list and its question and notice.
    enum class Page : std::int32_t { kBuyList, kBuyRefused, kBuyConfirm, kBought, kSellList, kSellConfirm, kSold };
    using enum Page;

    explicit GAME_CUIShop(const UIScreenContext& context);

    void Draw() override;
    // After a quantity or a mark changed: the enter button's state, the rows and the totals.
    void AfterChange();

    // What the screen shows, for those who look at it.
    Page CurrentPage() const { return pages_.Current(); }
    bool OnBuyTab() const { return pages_.Current() < kSellList; }
    std::int32_t SelectedRow() const { return view_.cursor; }
    std::int32_t ScrollTop() const { return view_.top; }
    const GAME_CMarketTrade& Trade() const { return trade_; }
    const GAME_CUIIconObject* EnterButton() const { return enter_; }
    const GAME_CUILabelObject* Title() const { return title_; }
    const GAME_CUILabelObject* TotalLabel() const { return totalLabel_; }
    const GAME_CUILabelObject* RowName(int row) const { return rows_[static_cast<std::size_t>(row)].name; }
    const GAME_CUILabelObject* RowNumber(int row) const { return rows_[static_cast<std::size_t>(row)].number; }

private:
    struct Row {
        GAME_CUINullObject* icon = nullptr;
        GAME_CUINullObject* separator = nullptr;
        GAME_CUINullObject* increase = nullptr;
        GAME_CUINullObject* decrease = nullptr;
        GAME_CUILabelObject* name = nullptr;
        GAME_CUILabelObject* mark = nullptr;
        GAME_CUILabelObject* price = nullptr;
        GAME_CUILabelObject* number = nullptr;
    };

    void Build();
    void BuildRows();
    void OnEnterState(UIScreenState state) override;
    void EveryFrame() override;
    void UpdateMain(bool input) override;
    bool KeepsHoldOnClose() const override;
    void EnterPage(Page page);
    void ResetBuyList();
    void EnterSellList();
    void OnEnterButton();
    void ShowTab(bool buy);
    // The list's input: the rows, their buttons and the keys; false when nothing took it.
    void ListInput(bool input);
    bool PointerOnRows(std::int32_t listRows);
    void StepCursor(bool down, std::int32_t listRows);
    void StepValue(std::int32_t row, std::int32_t step, MarketMarkRule rule);
    void RefreshRows();
    void RefreshTotals();
    std::int32_t ListRows() const;
    MarketParties Parties() const;

    GAME_CUINullObject* window_ = nullptr;
    GAME_CUIScrollBarObject* scroll_ = nullptr;
    GAME_CUINullObject* payHeader_ = nullptr;
    GAME_CUIIconObject* enter_ = nullptr;
    GAME_CUILabelObject* title_ = nullptr;
    GAME_CUINullObject* list_ = nullptr;
    UIListCursor cursor_;
    std::array<Row, kRows> rows_{};
    GAME_CUIIconObject* buyTab_ = nullptr;
    GAME_CUIIconObject* sellTab_ = nullptr;
    GAME_CUINullObject* buyAnchor_ = nullptr;
    GAME_CUINullObject* sellAnchor_ = nullptr;
    GAME_CUILabelObject* moneyLabel_ = nullptr;
    GAME_CUILabelObject* totalLabel_ = nullptr;
    UILanguagePictures headers_;
    // The heading over the total reads "pay" on the buy tab and "total" on the sell tab.
    UILanguageSprites paySprites_;
    UILanguageSprites totalSprites_;
    std::int32_t tabOn_ = -1;
    std::int32_t tabOff_ = -1;

    GAME_CMarketTrade trade_;
    UIPages<Page> pages_{kBuyList};
    UIListView view_{.visible = kRows, .wrap = UIListWrap::kRing};
};
