// The achievement list (slot 43): the twenty achievements six rows at a time, with the selected one's icon, description and progress.
#pragma once

#include <array>
#include <cstdint>

#include "game/ui/cursor_blink.h"
#include "game/ui/list_view.h"
#include "game/ui/ui_screen.h"
#include "game/ui/widget_builders.h"

// Reads only: the achieved flags the storefront stand-in holds, the goals of the achievement manager
// and the counters of the working system record. A locked achievement hides its name and icon but
// shows its description and its counter against its goal.
class GAME_CUIAchieveList : public GAME_CUIScreen, public UIScreenSlot<kSlotAchieveList> {
public:
    static constexpr int kRows = 6;
    static constexpr float kBarLength = 248.0f;

    // What the selected achievement shows beside the list.
    struct Pane {
        GAME_CUINullObject* icon = nullptr;
        GAME_CUILabelObject* description = nullptr;
        GAME_CUILabelObject* progress = nullptr;
        UIGaugeFill bar{};

        // The bar's drawn width in canvas units.
        float BarWidth() const;
    };

    explicit GAME_CUIAchieveList(const UIScreenContext& context);

    const UIListView& List() const { return list_; }
    const UIItemRowWidgets& Row(int row) const { return rows_[static_cast<std::size_t>(row)]; }
    const Pane& SelectedPane() const { return pane_; }

    // Set by the title right after opening the list; closing then leaves the pause menu shut.
    std::uint32_t openedFromTitle = 0;

protected:
    void OnEnterState(UIScreenState state) override;
    void EveryFrame() override;
    void UpdateMain(bool input) override;

private:
    void Build();
    void RefreshList();
    void ShowSelected(int index, bool unlocked);
    void OnClose();

    std::array<UIItemRowWidgets, kRows> rows_{};
    GAME_CUIScrollBarObject* scrollBar_ = nullptr;
    Pane pane_{};
    UICursorBlink cursor_;
    GAME_CUINullObject* title_ = nullptr;
    GAME_CUINullObject* info_ = nullptr;
    UILanguageSprites titleSprites_;
    UILanguageSprites infoSprites_;
    UIListView list_{.count = 20, .visible = kRows, .wrap = UIListWrap::kRing};
};
