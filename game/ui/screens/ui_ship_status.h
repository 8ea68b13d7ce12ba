// The ship-status panel (slot 1): for now a screen that opens and closes, keeps the notice it shows and the flag that asks it to redraw its figures.
#pragma once

#include <cstdint>

#include "game/services/ui_port/ui_records.h"
#include "game/ui/ui_screen.h"

class GAME_CUIShipStatus : public GAME_CUIScreen, public UIScreenSlot<kSlotShipStatus> {
public:
    GAME_CUIShipStatus() : GAME_CUIScreen(UIInputRule::kAlwaysPasses, true) { InitNoticeRecord(&notice); }

    void ClearNotice() { InitNoticeRecord(&notice); }
    // The notice counts down while the panel is open.
    void Update(bool input) override;

    UINoticeRecord notice;
    // Raised by the food stores and the food-storage rooms whenever their figures change.
    std::uint32_t refreshFlag = 0;
};

