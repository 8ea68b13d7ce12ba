// The knock-back mover's start, frames and target.
#include "framework/utility/move_control/knock_back.h"

#include <algorithm>
#include <limits>

#include "framework/math/scalar.h"

namespace vesk::utility::move_control {

namespace {

// Below this, a distance or a squared distance counts as zero.
constexpr float kNearlyZero = 0.00001f;

float LengthSquared(const math::Vec2& v) { return v.x * v.x + v.y * v.y; }

}  // namespace

UTL_CKnockBack::UTL_CKnockBack(std::uint32_t frames, std::uint32_t delay, float overshoot, const math::Vec2& target,
                               float minimumSpeed)
    : minimumSpeed_(minimumSpeed), frames_(frames), delay_(delay), overshoot_(overshoot), speed_(minimumSpeed)
{
    SetTarget(target);
}

void UTL_CKnockBack::SetTarget(const math::Vec2& target)
{
    overshootPoint_ = target;
    target_ = target;
}

void UTL_CKnockBack::Start(const math::Vec2& position)
{
    state_ = kToOvershoot;
    delayCounter_ = 0;
    progress_ = 0.0f;
    const math::Vec2 toTarget{target_.x - position.x, target_.y - position.y};
    distance_ = math::MathSqrt(LengthSquared(toTarget));
    if (distance_ >= kNearlyZero) {
        // No frames means no bound from the frame count: the unit arrives in one step.
        const float perFrame =
            frames_ != 0 ? distance_ / static_cast<float>(frames_) : std::numeric_limits<float>::infinity();
        speed_ = std::max(perFrame, minimumSpeed_);
        const float along = overshoot_ / distance_;
        overshootPoint_ = {target_.x + toTarget.x * along, target_.y + toTarget.y * along};
    } else {
        overshootPoint_ = target_;
    }
}

void UTL_CKnockBack::Apply(math::Vec2& position)
{
    if (!IsActive()) {
        return;
    }
    if (delayCounter_ < delay_) {
        ++delayCounter_;
        return;
    }
    const math::Vec2& goal = state_ == kToOvershoot ? overshootPoint_ : target_;
    const math::Vec2 d{goal.x - position.x, goal.y - position.y};
    const float remaining = LengthSquared(d);
    // A move that starts on its target has no distance to measure progress by.
    const float total = distance_ * distance_;
    progress_ = total > 0.0f ? 1.0f - remaining / total : 1.0f;
    if (remaining < kNearlyZero) {
        state_ = state_ == kToOvershoot ? kToTarget : kIdle;
        return;
    }
    if (speed_ * speed_ <= remaining) {
        const float step = speed_ / math::MathSqrt(remaining);
        position.x += d.x * step;
        position.y += d.y * step;
    } else {
        position.x += d.x;
        position.y += d.y;
    }
}

}  // namespace vesk::utility::move_control
