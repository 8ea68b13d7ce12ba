// Two-dimensional tweens that ease a point from one place to another over frames.
#include "game/model/world/tween.h"

#include <algorithm>

#include "framework/math/random.h"

namespace {

constexpr float kFinishedDistanceSquared = 1e-5f;

template <typename Ease>
void Step(Tween& tween, TweenPoint& out, Ease ease)
{
    const std::int64_t moved = std::int64_t{tween.frame} - tween.delay;
    if (moved < tween.duration) ++tween.frame;
    const float e = ease(GetTweenProgress(tween));
    out.x = tween.from.x * (1.0f - e) + tween.to.x * e;
    out.y = tween.from.y * (1.0f - e) + tween.to.y * e;
    if (std::int64_t{tween.frame} - tween.delay >= tween.duration) {
        tween.frame = static_cast<std::uint32_t>(std::max(tween.duration, 0)) + tween.delay;
        out = tween.to;
    }
}

}  // namespace

void InitTween(Tween& tween, float x, float y, std::int32_t duration, std::uint32_t delay)
{
    tween.from = {x, y};
    tween.to = {x, y};
    tween.duration = duration;
    tween.delay = delay;
    tween.frame = 0;
}

void RestartTweenFrom(Tween& tween, TweenPoint point)
{
    tween.from = point;
    tween.frame = 0;
    const float dx = point.x - tween.to.x;
    const float dy = point.y - tween.to.y;
    if (dx * dx + dy * dy < kFinishedDistanceSquared) {
        tween.from = tween.to;
        tween.frame = static_cast<std::uint32_t>(std::max(tween.duration, 0));
    }
}

float GetTweenProgress(const Tween& tween)
{
    if (tween.duration < 1) return 1.0f;
    const std::int64_t moved = std::int64_t{tween.frame} - tween.delay;
    if (moved <= 0) return 0.0f;
    return std::clamp(static_cast<float>(moved) / static_cast<float>(tween.duration), 0.0f, 1.0f);
}

bool IsTweenFinished(const Tween& tween) { return std::int64_t{tween.frame} - tween.delay >= tween.duration; }

void UpdateTweenEaseOut(Tween& tween, TweenPoint& out)
{
    Step(tween, out, [](float t) { return 1.0f - (1.0f - t) * (1.0f - t); });
}

void UpdateTweenSmooth(Tween& tween, TweenPoint& out)
{
    Step(tween, out, [](float t) { return t * t * (3.0f - 2.0f * t); });
}

std::uint64_t Rand64()
{
    const std::uint64_t r1 = static_cast<std::uint64_t>(vesk::math::Rand());
    const std::uint64_t r2 = static_cast<std::uint64_t>(vesk::math::Rand());
    const std::uint64_t r3 = static_cast<std::uint64_t>(vesk::math::Rand());
    return (r1 << 30) | (r2 << 15) | ((r3 >> 2) & 3);
}
