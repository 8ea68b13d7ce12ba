// The full-screen colour fade (slot 48): two channels that blend from one colour to another.
#pragma once

#include <array>
#include <cstdint>

#include "game/ui/ui_base.h"

// Opened by the screen manager's StartFade and closed by itself once both channels have ended on a
// transparent colour; a fade to an opaque colour keeps covering the view.
class GAME_CUIFadeInOut : public GAME_CUIBase, public UIScreenSlot<kSlotFade> {
public:
    struct Channel {
        std::uint32_t from = 0;
        std::uint32_t to = 0;
        std::uint32_t current = 0;
        std::int32_t counter = 0;
        std::int32_t duration = 0;
    };

    bool IsOpen() const override { return open_ != 0; }
    void SetOpen(bool) override {}
    bool AllowsFieldControl() const override { return false; }
    void Update(bool input) override;
    // Both draw the fade rectangle; in a pass that runs both it is blended once.
    void PreDraw() override;
    void Draw() override;
    bool PassesInput() const override { return !IsOpen(); }

    void Start(std::uint32_t channel, std::uint32_t from, std::uint32_t to, std::int32_t frames);
    const Channel& GetChannel(std::uint32_t index) const { return channels_[index & 1]; }

private:
    void DrawFade();

    std::array<Channel, 2> channels_{};
    std::uint32_t open_ = 0;
    bool drawnThisPass_ = false;
};
