// A menu screen reached from the pause menu or the title: cancel closes it, and the pause menu comes back.
#pragma once

#include <cstdint>

#include "game/ui/ui_screen.h"

// The least form of the screens the pause menu and the title open (talk log, options, achievement
// list, sound room): it shows nothing of its own yet, closes on cancel and, unless the title opened
// it, then opens the pause menu again. Opened from the title, it says so in openedFromTitle,
// which is cleared as it closes.
class GAME_CUIMenuScreen : public GAME_CUIScreen {
public:
    explicit GAME_CUIMenuScreen(bool returnsToPause) : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false), returnsToPause_(returnsToPause) {}

    std::uint32_t openedFromTitle = 0;

protected:
    void OnEnterState(UIScreenState state) override;
    void UpdateMain(bool input) override;

private:
    bool returnsToPause_;
};
