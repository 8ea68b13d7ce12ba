// The hideout root (slot 6): open exactly while the ship stands at a hideout; its opening fixes where the ship stands.
#pragma once

#include "game/ui/ui_screen.h"

// It draws nothing and never keeps the input from the screens below; the travel controller opens it
// at a route's end and closes it as the ship sets out.
class GAME_CUIAjitoRoot : public GAME_CUIScreen, public UIScreenSlot<kSlotAjitoRoot> {
public:
    explicit GAME_CUIAjitoRoot(const UIScreenContext& context);

private:
    void OnEnterState(UIScreenState state) override;
    void UpdateMain(bool input) override;
};
