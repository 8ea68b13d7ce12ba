// The game center (slot 30): turns the running game into the side-scrolling mini-game.
#pragma once

#include <cstdint>

#include "game/ui/ui_screen.h"

// Its first update after opening plays the start jingle, pushes the mini-game scene, ends the main-game
// scene and closes the screen again. It draws nothing.
class GAME_CUIGameCenter : public GAME_CUIBase, public UIScreenSlot<kSlotGameCenter> {
public:
    static constexpr std::int32_t kStartJingle = 59;

    bool IsOpen() const override { return requests_.openFlag != 0; }
    void SetOpen(bool open) override { requests_.Request(open); }
    void Update(bool input) override;
    void PreDraw() override {}
    void Draw() override {}
    bool PassesInput() const override { return !IsOpen(); }

private:
    std::int32_t state_ = 0;
    std::int32_t next_ = 0;
    UIScreenRequests requests_;
};
