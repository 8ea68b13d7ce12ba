// A hull damage marker: the damage it stands for and its appear, shown and vanish animation.
#include "game/core/world/damage_marker.h"

#include <algorithm>
#include <cmath>
#include <numbers>

void AddDamageMarkerValue(DamageMarker& marker, std::int32_t amount)
{
    if (amount >= 0) {
        marker.state = DamageMarker::kAppear;
        marker.frame = 0;
        marker.frame2 = 0;
        marker.timer = 60;
        marker.value = static_cast<std::int32_t>(std::max<std::int64_t>(std::int64_t{marker.value} + amount, 0));
        return;
    }
    marker.value = static_cast<std::int32_t>(std::max<std::int64_t>(std::int64_t{marker.value} + amount, INT32_MIN));
    if (marker.state != DamageMarker::kVanish && marker.value < 1) {
        marker.value = 0;
        marker.state = DamageMarker::kVanish;
        marker.frame = 0;
        marker.frame2 = 0;
    }
}

void GetDamageMarkerAnim(const DamageMarker& marker, float* scaleX, float* scaleY, float* alpha)
{
    const float frame = static_cast<float>(marker.frame);
    float scale = 1.0f;
    float a = 1.0f;
    switch (marker.state) {
    case DamageMarker::kAppear: {
        const float t = 1.0f - std::min(frame * 0.1f, 1.0f);
        const float e = 1.0f - t * t;
        scale = (1.0f - e) * 0.25f + 1.0f;
        a = e;
        break;
    }
    case DamageMarker::kShown:
        a = 0.875f + 0.125f * std::sin(8.0f * frame * std::numbers::pi_v<float> / 180.0f);
        break;
    default: {
        const float t = 1.0f - std::min(frame * 0.1f, 1.0f);
        scale = t * t;
        a = scale;
        break;
    }
    }
    if (scaleX) *scaleX = scale;
    if (scaleY) *scaleY = scale;
    if (alpha) *alpha = a;
}
