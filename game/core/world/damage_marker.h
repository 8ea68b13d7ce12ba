// A hull damage marker: the damage it stands for and its appear, shown and vanish animation.
#pragma once

#include <cstdint>

struct DamageMarker {
    static constexpr std::uint32_t kAppear = 0;
    static constexpr std::uint32_t kShown = 1;
    static constexpr std::uint32_t kVanish = 2;

    std::uint32_t state = kAppear;
    std::uint32_t frame = 0;
    std::uint32_t frame2 = 0;
    std::int32_t value = 0;
    std::int32_t timer = 0;
};

// A gain (amount >= 0) restarts the appear animation; a loss that leaves less than 1 makes the
// marker vanish.
void AddDamageMarkerValue(DamageMarker& marker, std::int32_t amount);
// Scale and alpha of the marker's current animation frame.
void GetDamageMarkerAnim(const DamageMarker& marker, float* scaleX, float* scaleY, float* alpha);
