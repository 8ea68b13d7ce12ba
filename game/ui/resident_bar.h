// The resident info bar (slot 2): the news ticker along the bottom of the game view.
#pragma once

#include <cstdint>

#include "game/ui/ui_base.h"
#include "game/ui/widgets/ui_info_bar_object.h"

// Opens and closes at once, never takes input and always passes it on.
class GAME_CUIResident : public GAME_CUIBase, public UIScreenSlot<kSlotResident> {
public:
    GAME_CUIResident();

    bool IsOpen() const override { return open_ != 0; }
    void SetOpen(bool open) override;
    void Update(bool input) override;
    void PreDraw() override;
    void Draw() override {}
    bool PassesInput() const override { return true; }

    GAME_CUIInfoBarObject infoBar;

private:
    std::int32_t background_ = -1;
    // A second picture the bar never draws; kept with the bar's record.
    [[maybe_unused]] std::int32_t secondSprite_ = -1;
    std::uint32_t closeRequest_ = 0;
    std::uint32_t openRequest_ = 0;
    std::uint32_t open_ = 0;
};
