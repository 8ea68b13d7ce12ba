// A menu screen reached from the pause menu or the title: cancel closes it, and the pause menu comes back.
#pragma once

#include <cstdint>

#include "game/ui/unbuilt_screen.h"

// The least form of the screens the pause menu and the title open (talk log, options, achievement
// list, sound room): a stand-in that closes on cancel only and, unless the title opened it, then
// opens the pause menu again, which still holds the game. Opened from the title, it says so in
// openedFromTitle, which is cleared as it closes.
class GAME_CUIMenuScreen : public GAME_CUIUnbuiltScreen {
public:
    explicit GAME_CUIMenuScreen(bool returnsToPause)
        : GAME_CUIUnbuiltScreen(UIUnbuiltRule{.pointerCloses = false, .letsGoOfHold = false}), returnsToPause_(returnsToPause)
    {
    }

    std::uint32_t openedFromTitle = 0;

protected:
    void OnEnterState(UIScreenState state) override;
    void OnClosedByPlayer() override;

private:
    bool returnsToPause_;
};
