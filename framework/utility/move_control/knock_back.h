// The knock-back mover: to the target at constant speed, optionally past it and back, after a delay.
#pragma once

#include <cstdint>

#include "framework/utility/move_control/move_interface.h"

namespace vesk::utility::move_control {

// Moves at constant speed to the target, optionally first past it by an
// overshoot distance and back, after an optional delay. The speed is fixed at
// Start so that the way out takes about `frames` frames, but never drops below
// the minimum speed.
class UTL_CKnockBack final : public UTL_CInterface {
public:
    enum State : std::uint32_t {
        kIdle = 0,        // not started, or finished
        kToOvershoot = 1,
        kToTarget = 2,
    };

    UTL_CKnockBack(std::uint32_t frames, std::uint32_t delay, float overshoot, const math::Vec2& target,
                   float minimumSpeed);

    void Start(const math::Vec2& position) override;
    void Apply(math::Vec2& position) override;
    void SetTarget(const math::Vec2& target) override;
    bool IsActive() const override { return state_ != kIdle; }
    math::Vec2 GetTarget() const override { return target_; }
    float GetProgress() const override { return progress_; }

    State GetState() const { return state_; }
    float GetSpeed() const { return speed_; }
    math::Vec2 GetOvershootPoint() const { return overshootPoint_; }

private:
    State state_ = kIdle;
    float minimumSpeed_ = 0.0f;
    std::uint32_t frames_ = 0;
    std::uint32_t delay_ = 0;
    float overshoot_ = 0.0f;
    math::Vec2 overshootPoint_{};
    math::Vec2 target_{};
    std::uint32_t delayCounter_ = 0;
    float speed_ = 0.0f;
    float distance_ = 0.0f;
    float progress_ = 0.0f;
};

}  // namespace vesk::utility::move_control
