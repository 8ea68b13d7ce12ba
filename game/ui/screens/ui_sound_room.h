// The sound room (slot 44): the ten music tracks in a list of eight rows; the chosen one plays while the room is open.
#pragma once

#include <array>
#include <cstdint>

#include "game/ui/list_cursor.h"
#include "game/ui/list_view.h"
#include "game/ui/ui_screen.h"
#include "game/ui/widget_builders.h"

// The room owns the music while it is open: opening silences whatever played and remembers what the
// game asked for last; closing silences the chosen track and, once the window is gone, starts the
// remembered one again from its beginning.
class GAME_CUISoundRoom : public GAME_CUIScreen, public UIScreenSlot<kSlotSoundRoom> {
public:
    static constexpr int kTrackCount = 10;
    static constexpr int kRows = 8;

    explicit GAME_CUISoundRoom(const UIScreenContext& context);

    const UIListView& List() const { return list_; }
    std::uint32_t RememberedBgm() const { return rememberedBgm_; }
    const UIItemRowWidgets& Row(int row) const { return rows_[static_cast<std::size_t>(row)]; }

protected:
    void OnEnterState(UIScreenState state) override;
    void EveryFrame() override;
    void UpdateMain(bool input) override;

private:
    void Build();
    void RefreshList();
    void PlayIndex(int index) const;

    std::array<UIItemRowWidgets, kRows> rows_{};
    GAME_CUIScrollBarObject* scrollBar_ = nullptr;
    UIListCursor cursor_;
    UILanguagePictures headings_;
    UIListView list_{.count = kTrackCount, .visible = kRows, .wrap = UIListWrap::kRing};
    std::uint32_t rememberedBgm_ = 10;
};
