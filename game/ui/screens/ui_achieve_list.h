// The achievement list (slot 43): the twenty achievements six rows at a time, with the selected one's icon, description and progress.
#pragma once

#include <array>
#include <cstdint>

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

    explicit GAME_CUIAchieveList(const UIScreenContext& context);

    int Selected() const { return list_.Index(); }
    int SelectedRow() const { return list_.cursor; }
    int Top() const { return list_.top; }
    const GAME_CUILabelObject* RowLabel(int row) const { return rows_[static_cast<std::size_t>(row)].label; }
    const GAME_CUILabelObject* DescriptionLabel() const { return description_; }
    const GAME_CUILabelObject* ProgressLabel() const { return progress_; }
    const GAME_CUINullObject* Icon() const { return icon_; }
    // The bar's drawn width in canvas units.
    float BarWidth() const;

    // Set by the title right after opening the list; closing then leaves the pause menu shut.
    std::uint32_t openedFromTitle = 0;

protected:
    void OnEnterState(UIScreenState state) override;
    void EveryFrame() override;
    void UpdateMain(bool input) override;

private:
    struct Row {
        GAME_CUINullObject* node = nullptr;
        GAME_CUINullObject* separator = nullptr;
        GAME_CUILabelObject* label = nullptr;
    };

    void Build();
    void RefreshList();
    void ShowSelected(int index, bool unlocked);
    void OnClose();

    std::array<Row, kRows> rows_{};
    GAME_CUIScrollBarObject* scrollBar_ = nullptr;
    GAME_CUINullObject* icon_ = nullptr;
    GAME_CUILabelObject* description_ = nullptr;
    GAME_CUILabelObject* progress_ = nullptr;
    UIGaugeFill bar_{};
    GAME_CUINullObject* cursor_ = nullptr;
    GAME_CUINullObject* title_ = nullptr;
    GAME_CUINullObject* info_ = nullptr;
    UILanguageSprites titleSprites_;
    UILanguageSprites infoSprites_;
    UIListView list_{.count = 20, .visible = kRows, .wrap = UIListWrap::kRing};
    std::int32_t blink_ = 0;
};
