// The hideout menu (slot 7): the hideout's name and the facility buttons it offers, the chosen one shown large, that open the gas station, market, quest board and pub.
#pragma once

#include <array>
#include <cstdint>

#include "game/model/world/tween.h"
#include "game/ui/ui_screen.h"
#include "game/ui/widget_builders.h"

// The HUD's hideout button opens it while the ship stands at a hideout; the facility screens open it
// again as they close. A first press on a button chooses it: it grows into the large panel over 15
// frames while the one before shrinks back, and no input counts meanwhile; a second press, or decide,
// closes the menu and opens the facility. The choice is kept from one visit to the next. It holds the
// game while it or a facility it opened is open.
class GAME_CUIAjitoMenu : public GAME_CUIScreen, public UIScreenSlot<kSlotAjitoMenu> {
public:
    static constexpr int kButtonCount = 4;
    enum Facility : int { kFuel = 0, kMarket = 1, kQuest = 2, kPub = 3 };
    static constexpr std::int32_t kEmphasisFrames = 15;
    // The large panel the chosen button fills (its pointer area), and the spot a button at twice its
    // size is moved to so that it fills it.
    static constexpr vesk::math::Vec2 kPanelTopLeft{119.0f, 109.0f};
    static constexpr vesk::math::Vec2 kPanelSize{256.0f, 156.0f};

    explicit GAME_CUIAjitoMenu(const UIScreenContext& context);

    void Draw() override;

    // A facility button's press: the first chooses it, the one on the chosen button opens its screen.
    void OnFacilityButton(int index);
    // Closes the menu; back to the HUD unless a facility took over.
    void OnCloseButton();

    // What the menu shows, for those who look at it.
    std::int32_t Selection() const { return selection_; }
    bool IsEmphasizing() const { return emphasizing_; }
    // Whether the hideout offers the facility (its button is shown).
    bool Offers(int index) const;
    const GAME_CUIIconObject* Button(int index) const { return buttons_[static_cast<std::size_t>(index)]; }
    const GAME_CUINullObject* Placement(int index) const { return placements_[static_cast<std::size_t>(index)]; }
    const GAME_CUIIconObject* Highlight() const { return highlight_; }
    const GAME_CUILabelObject* Title() const { return title_; }
    const GAME_CUIIconObject* CloseButton() const { return close_; }
    // Where a button rests in the column beside the panel.
    static vesk::math::Vec2 HomeOf(int index);

private:
    void Build();
    void BeginFrame(bool input) override;
    void OnEnterState(UIScreenState state) override;
    void UpdateMain(bool input) override;
    bool KeepsHoldOnClose() const override;

    std::uint32_t Services() const;
    void ApplyLanguage();
    void ShowOfferedButtons();
    // The next shown button from the selection on, one step at a time in the direction (at most four
    // steps; the selection stays when none is shown).
    void StepSelection(int step);
    void StepEmphasis();
    void ReadInput(bool input);
    // The highlight's pulse, the dim of the buttons not chosen, and the highlight on the chosen one.
    void RefreshCursor();
    bool AnyFacilityOpen() const;

    GAME_CUIIconObject* close_ = nullptr;
    std::array<GAME_CUINullObject*, kButtonCount> placements_{};
    std::array<GAME_CUIIconObject*, kButtonCount> buttons_{};
    std::array<GAME_CUINullObject*, kButtonCount> dims_{};
    std::array<UILanguageSprites, kButtonCount> sprites_{};
    std::array<vesk::math::Vec2, kButtonCount> homes_{};
    GAME_CUIIconObject* highlight_ = nullptr;
    GAME_CUILabelObject* title_ = nullptr;

    std::int32_t selection_ = 0;
    std::int32_t emphasized_ = -1;
    std::uint32_t frame_ = 0;
    bool emphasizing_ = false;
    Tween growing_{};
    Tween shrinking_{};
};
