// The game-over screen (slot 36): clears the screens away, sinks the ship, runs the route's game-over label and hands back.
#pragma once

#include <cstdint>
#include <vector>

#include "game/services/ui_port/ui_records.h"
#include "game/ui/ui_screen.h"

class GAME_CRouteManager;
class GAME_CShipBodyRender;

// Draws nothing and stays open through the clean-up it starts itself (the screen manager's
// CloseAllExcept keeps slot 36). The game does not end: the route script's label takes its
// penalties, then the crew and the ship are restored and the HUD comes back.
class GAME_CUIGameOver : public GAME_CUIScreen, public UIScreenSlot<kSlotGameOver> {
public:
    enum Cause : std::uint32_t { kCauseHull = 0, kCauseCrewGone = 1, kCauseStalled = 2, kCauseOther = 3 };
    enum class SubState : std::int32_t { kSinking, kAfterSinking, kPause, kRouteLabel, kHandBack };
    using enum SubState;
    static constexpr std::int32_t kSinkFrames = 180;
    static constexpr std::int32_t kPauseFrames = 30;

    explicit GAME_CUIGameOver(const UIScreenContext& context);

    void Draw() override {}

    SubState GetSubState() const { return pages_.Current(); }
    std::int32_t GetRevealedLosses() const { return revealed_; }

    // Kept until the next game over sets it.
    std::uint32_t cause = kCauseHull;
    std::vector<LossRecord> losses;

protected:
    void BeginFrame(bool input) override;
    void OnEnterState(UIScreenState state) override;
    // The opening closes every other screen, trying again every few frames until none is left.
    bool StepTransition(UIScreenState state) override;
    void UpdateMain(bool input) override;

private:
    void EnterSubState(SubState subState);
    void StepSinking();
    void StartRouteLabel();
    void RestoreCrewAndShip();
    void HandBack();
    GAME_CRouteManager* CurrentRoute() const;
    GAME_CShipBodyRender* HullRenderer() const;

    UIPages<SubState> pages_{kPause};
    std::int32_t revealed_ = 0;
    std::int32_t revealFrames_ = 0;
    std::int32_t stepCounter_ = 0;
    std::int32_t retryCounter_ = 0;
};
