// The ship-status panel (slot 1): for now a screen that opens and closes, keeps the notice it shows and the flag that asks it to redraw its figures.
#pragma once

#include <cstdint>

#include "game/services/text/fixed_string.h"
#include "game/ui/ui_screen.h"

// A notice: an empty key means none. The display state is the panel's own and is never copied.
struct UINoticeRecord {
    UTL_CFixedString<64> key;
    std::int32_t frames = 0;
    std::int32_t count = 0;
    std::uint32_t flag = 0;
    UTL_CFixedString<64> argumentKey;
    std::int32_t display[4] = {0, 0, 0, 0};  // [2]: frames left
};
UINoticeRecord* InitNoticeRecord(UINoticeRecord* record);
// Key, frames, count, flag (as 0 or 1) and argument key; the destination's display state is left.
UINoticeRecord* AssignNoticeRecord(UINoticeRecord* destination, const UINoticeRecord* source);

class GAME_CUIShipStatus : public GAME_CUIScreen {
public:
    GAME_CUIShipStatus() : GAME_CUIScreen(UIInputRule::kAlwaysPasses, true) { InitNoticeRecord(&notice); }

    void ClearNotice() { InitNoticeRecord(&notice); }
    // The notice counts down while the panel is open.
    void Update(bool input) override;

    UINoticeRecord notice;
    // Raised by the food stores and the food-storage rooms whenever their figures change.
    std::uint32_t refreshFlag = 0;
};

// Raises the panel's refresh flag while the game world is ready.
void FlagShipStatusRefresh();
