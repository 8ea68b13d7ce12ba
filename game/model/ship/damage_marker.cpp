// A hull damage marker: damage on one grid cell, with its appear, shown and vanish animation.
#include "game/model/ship/damage_marker.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "framework/math/scalar.h"

namespace {

void ClampAmount(DamageMarker& marker, std::int64_t amount)
{
    marker.amount = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(amount, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

void AddDamageMarkerValue(DamageMarker& marker, std::int32_t amount)
{
    if (amount < 0) {
        ClampAmount(marker, std::int64_t{marker.amount} + amount);
        if (marker.state != DamageMarker::kVanish && marker.amount < 1) {
            marker.amount = 0;
            marker.state = DamageMarker::kVanish;
            marker.nextState = DamageMarker::kVanish;
            marker.frame = 0;
        }
        return;
    }
    ClampAmount(marker, std::max<std::int64_t>(std::int64_t{marker.amount} + amount, 0));
    marker.state = DamageMarker::kAppear;
    marker.nextState = DamageMarker::kAppear;
    marker.frame = 0;
    marker.timer = DamageMarker::kRestartTimer;
}

DamageMarkerAnim GetDamageMarkerAnim(const DamageMarker& marker)
{
    const float n = static_cast<float>(marker.frame);
    const float t = std::min(1.0f, n * 0.1f);
    DamageMarkerAnim anim;
    switch (marker.state) {
    case DamageMarker::kAppear:
        anim.alpha = 1.0f - (1.0f - t) * (1.0f - t);
        anim.scaleX = anim.scaleY = 1.0f + 0.25f * (1.0f - anim.alpha);
        break;
    case DamageMarker::kShown:
        anim.alpha = 0.875f + 0.125f * std::sin(n * 8.0f * vesk::math::kFloatDegreesToRadians);
        break;
    default:
        anim.alpha = (1.0f - t) * (1.0f - t);
        anim.scaleX = anim.scaleY = anim.alpha;
        break;
    }
    return anim;
}

void StepDamageMarker(DamageMarker& marker)
{
    if (marker.state != DamageMarker::kVanish && marker.amount < 1) marker.nextState = DamageMarker::kVanish;
    if (marker.nextState != marker.state) {
        marker.state = marker.nextState;
        marker.frame = 0;
    }
    ++marker.frame;
    if (marker.state == DamageMarker::kAppear && marker.frame >= DamageMarker::kAppearFrames) {
        marker.nextState = DamageMarker::kShown;
    } else if (marker.state == DamageMarker::kVanish && marker.frame >= DamageMarker::kVanishFrames) {
        marker.deleteFlag = 1;
    }
}
