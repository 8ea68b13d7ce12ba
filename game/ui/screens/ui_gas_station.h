// The gas station (slot 11): fuel for the hideout's price, chosen by buttons, keys or a drag along the gauge, bought after a question.
#pragma once

#include <cstdint>

#include "game/ui/ui_screen.h"
#include "game/ui/widget_builders.h"

// The hideout menu opens it while the ship stands at a hideout with a gas station; its close button
// (or cancel) opens the menu again. It holds the game while open. The amount starts at 0 on every
// opening; the focused button stays from the last visit.
class GAME_CUIGasStation : public GAME_CUIScreen, public UIScreenSlot<kSlotGasStation> {
public:
    // Choosing, dragging along the gauge, the question, the purchase's notice, the short-money notice.
    enum class Page : std::int32_t { kChoosing, kDragging, kConfirming, kBought, kNotEnoughMoney };
    using enum Page;
    // The button the keyboard's cursor stands beside.
    enum class Focus : std::int32_t { kReset = 1, kMax = 2, kBuy = 3 };

    explicit GAME_CUIGasStation(const UIScreenContext& context);

    // What the screen shows, for those who look at it.
    Page CurrentPage() const { return pages_.Current(); }
    std::int32_t Amount() const { return amount_; }
    std::int32_t UnitPrice() const { return price_; }
    Focus FocusAt() const { return focus_; }
    GAME_CUIIconObject* BuyButton() const { return buy_; }
    GAME_CUIIconObject* PlusButton() const { return plus_; }
    const GAME_CUILabelObject* Title() const { return title_; }
    const GAME_CUILabelObject* AmountLabel() const { return amountLabel_; }
    const GAME_CUILabelObject* TotalLabel() const { return totalLabel_; }
    // Where the fuel bar's gauge starts on the canvas (its top-left corner) and how much of its
    // full length each bar shows (0 to 1).
    vesk::math::Vec2 GaugeOrigin() const;
    float FuelShare() const;
    float PurchaseShare() const;

private:
    void Build();
    void OnEnterState(UIScreenState state) override;
    void EveryFrame() override;
    void UpdateMain(bool input) override;
    bool KeepsHoldOnClose() const override;
    void EnterPage(Page page);
    void Choose();
    bool PressGaugeCell();
    void WalkFocus();
    void Drag(bool input);
    void Ask();
    void Buy();
    void RefreshView();

    std::int64_t Capacity() const;
    std::int64_t Fuel() const;
    std::int64_t Money() const;
    // Fuel the tank can still take.
    std::int64_t FreeCapacity() const;
    // The most the money pays for.
    std::int64_t Affordable() const;
    void SetAmount(std::int64_t amount);
    // MAX: as much as the tank takes and the money pays for.
    void ChooseMost();
    // BUY: with an amount chosen, the question, or the notice when the money is short.
    void AskToBuy();

    GAME_CUINullObject* window_ = nullptr;
    GAME_CUIIconObject* reset_ = nullptr;
    GAME_CUIIconObject* max_ = nullptr;
    GAME_CUIIconObject* buy_ = nullptr;
    GAME_CUIIconObject* plus_ = nullptr;
    GAME_CUILabelObject* title_ = nullptr;
    GAME_CUILabelObject* amountLabel_ = nullptr;
    GAME_CUILabelObject* priceLabel_ = nullptr;
    GAME_CUILabelObject* totalLabel_ = nullptr;
    GAME_CUILabelObject* moneyLabel_ = nullptr;
    GAME_CUILabelObject* unitLabel_ = nullptr;
    GAME_CUINullObject* fuelHolder_ = nullptr;
    GAME_CUINullObject* purchaseHolder_ = nullptr;
    UIGaugeFill fuelBar_;
    UIGaugeFill purchaseBar_;
    GAME_CUINullObject* cursor_ = nullptr;
    UILanguagePictures captions_;

    UIPages<Page> pages_{kChoosing};
    std::int32_t amount_ = 0;
    std::int32_t price_ = 100;
    Focus focus_ = Focus::kReset;
    vesk::math::Vec2 dragStart_{};
    std::int32_t dragStartAmount_ = 0;
    std::int32_t dragSoundCounter_ = 0;
};
