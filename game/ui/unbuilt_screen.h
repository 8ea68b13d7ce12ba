// The stand-in for a screen not built yet: it shows nothing, and cancel or any pointer press closes it.
#pragma once

#include "game/ui/ui_screen.h"

// Without a way out such a screen would keep the input for ever once opened. Closing it also lets go
// of the menu pause an opener may have set for it.
class GAME_CUIUnbuiltScreen : public GAME_CUIScreen {
public:
    explicit GAME_CUIUnbuiltScreen(bool fieldControl = false) : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, fieldControl) {}

protected:
    void OnEnterState(UIScreenState state) override;
    void UpdateMain(bool input) override;
};
