// The game-over screen (slot 36): clears the screens away, sinks the ship, runs the route's game-over label and hands back.
#pragma once

#include <cstdint>
#include <vector>

#include "game/services/ui_port/ui_records.h"
#include "game/ui/ui_base.h"
#include "game/ui/ui_screen.h"

// Draws nothing and stays open through the clean-up it starts itself (the screen manager's
// CloseAllExcept keeps slot 36). The game does not end: the route script's label takes its
// penalties, then the crew and the ship are restored and the HUD comes back.
class GAME_CUIGameOver : public GAME_CUIBase, public UIScreenSlot<kSlotGameOver> {
public:
    enum Cause : std::uint32_t { kCauseHull = 0, kCauseCrewGone = 1, kCauseStalled = 2, kCauseOther = 3 };
    enum State : std::int32_t { kClosed = 0, kOpening = 1, kMain = 2, kClosing = 3 };
    enum SubState : std::int32_t { kSinking = 0, kAfterSinking = 1, kPause = 2, kRouteLabel = 3, kHandBack = 4 };
    static constexpr std::int32_t kSinkFrames = 180;
    static constexpr std::int32_t kPauseFrames = 30;
    static constexpr std::int32_t kRetryFrames = 10;

    bool IsOpen() const override { return requests_.openFlag != 0; }
    void SetOpen(bool open) override { requests_.Request(open); }
    bool AllowsFieldControl() const override { return false; }
    void Update(bool input) override;
    void PreDraw() override {}
    void Draw() override {}
    bool PassesInput() const override { return !IsOpen(); }

    std::int32_t GetState() const { return state_; }
    std::int32_t GetSubState() const { return subState_; }
    std::int32_t GetRevealedLosses() const { return revealed_; }

    // Kept until the next game over sets it.
    std::uint32_t cause = kCauseHull;
    std::vector<LossRecord> losses;

private:
    void EnterState(std::int32_t state);
    void EnterSubState(std::int32_t subState);
    void UpdateSubState();
    void StepSinking();
    void PlaceSandBursts();
    void StartRouteLabel();
    void RestoreCrewAndShip();
    void HandBack();

    std::int32_t state_ = kClosed;
    std::int32_t nextState_ = kClosed;
    std::int32_t subState_ = kPause;
    std::int32_t nextSubState_ = kPause;
    std::int32_t revealed_ = 0;
    std::int32_t revealFrames_ = 0;
    UIScreenRequests requests_;
    std::int32_t stepCounter_ = 0;
    std::int32_t retryCounter_ = 0;
};
