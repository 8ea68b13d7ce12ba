// The ship change (slot 24): a fade to black, the crew leaving, a sand storm, the hull swapped, the new hull driving in and the fade back.
#pragma once

#include <cstdint>

#include "game/ui/ui_screen.h"

class GAME_CShipBodyRender;

// A route script opens it with the tag of the new ship and waits until it has closed. It has no
// widgets: one black rectangle over the canvas makes the fades and hides the world, which goes on
// stepping behind it. The fade-out drops every task and closes the screens that work on the old ship;
// the sequence runs once the tasks are gone, the normal view has settled and those screens have closed.
class GAME_CUIShipChange : public GAME_CUIScreen, public UIScreenSlot<kSlotShipChange> {
public:
    // The steps of the sequence behind the black.
    enum class Step : std::int32_t { kCrewLeave, kSandStorm, kSwap, kDriveIn };
    using enum Step;
    static constexpr std::int32_t kFadeFrames = 60;
    static constexpr std::int32_t kStormFrames = 240;
    // The storm raises its pillars in its first frames, a wave every few.
    static constexpr std::int32_t kStormWaveFrames = 120;
    static constexpr std::int32_t kStormWavePeriod = 4;
    static constexpr int kPillarsPerWave = 3;
    // A crew member jumps off every 8 frames.
    static constexpr std::uint32_t kLeavePeriodMask = 7;
    static constexpr float kDriveInStartX = -400.0f;
    static constexpr float kDriveInSpeed = 2.0f;
    static constexpr std::int32_t kSandBurstSound = 27;

    explicit GAME_CUIShipChange(const UIScreenContext& context);

    void Draw() override;

    Step CurrentStep() const { return steps_.Current(); }
    // The frames of the current step (of the fade while fading).
    std::int32_t StepFrames() const { return counter_; }

    // The tag of the ship to change to, as the opener sets it; -1 until one is set.
    std::uint32_t targetShipTag = 0xFFFFFFFFu;

protected:
    void OnEnterState(UIScreenState state) override;
    bool StepTransition(UIScreenState state) override;
    void UpdateMain(bool input) override;

private:
    void StartSetUp();
    bool ReadyForSequence();
    void EnterStep(Step step);
    void StepCrewLeave();
    void StepSandStorm();
    void SwapShip();
    void StepDriveIn();
    void LetWorldRun() const;
    GAME_CShipBodyRender* Hull() const;

    UIPages<Step> steps_{kCrewLeave};
    std::int32_t counter_ = 0;
};
