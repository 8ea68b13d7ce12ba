// The game center (slot 30): turns the running game into the side-scrolling mini-game.
#pragma once

#include <cstdint>

#include "game/ui/ui_screen.h"

// Its first update after opening plays the start jingle, pushes the mini-game scene, ends the main-game
// scene and closes the screen again. It draws nothing.
class GAME_CUIGameCenter : public GAME_CUIScreen, public UIScreenSlot<kSlotGameCenter> {
public:
    static constexpr std::int32_t kStartJingle = 59;

    GAME_CUIGameCenter() : GAME_CUIScreen({.fieldControl = true, .mover = {.kind = UIMover::Kind::kImmediate}}, nullptr) {}

    void Draw() override {}

protected:
    // The opening never ends: it asks for the close at once.
    bool StepTransition(UIScreenState state) override;
};
