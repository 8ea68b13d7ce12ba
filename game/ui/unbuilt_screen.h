// The stand-in for a screen not built yet: it shows nothing, and the player's cancel (or a pointer press) closes it.
#pragma once

#include "game/ui/ui_screen.h"

// What closes a stand-in and what its closing lets go of.
struct UIUnbuiltRule {
    bool fieldControl = false;
    // Any pointer press closes it too, not only cancel.
    bool pointerCloses = true;
    // Closing lets go of the menu pause an opener may have set for it.
    bool letsGoOfHold = true;
};

// Without a way out such a screen would keep the input for ever once opened.
class GAME_CUIUnbuiltScreen : public GAME_CUIScreen {
public:
    GAME_CUIUnbuiltScreen(const UIScreenContext& context, const UIUnbuiltRule& rule)
        : GAME_CUIScreen(UIScreenSetup{.fieldControl = rule.fieldControl}, &context), rule_(rule)
    {
    }

protected:
    void OnEnterState(UIScreenState state) override;
    void UpdateMain(bool input) override;
    // After the player's own way out (not a close by an event or a game over).
    virtual void OnClosedByPlayer() {}

private:
    UIUnbuiltRule rule_;
};
