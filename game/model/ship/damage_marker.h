// A hull damage marker: damage on one grid cell, with its appear, shown and vanish animation.
#pragma once

#include <cstdint>

#include "framework/memory/heaps.h"

class GAME_CObjectActor;

// Owned by the ship. The remaining hull is the hull maximum less the amounts of every marker; a
// marker whose amount drops below 1 fades out and is deleted.
struct DamageMarker : vesk::memory::MainHeapObject {
    enum State : std::uint32_t { kAppear = 0, kShown = 1, kVanish = 2 };
    static constexpr std::uint32_t kAppearFrames = 10;
    static constexpr std::uint32_t kVanishFrames = 10;
    static constexpr std::int32_t kRestartTimer = 60;

    std::uint32_t state = kAppear;
    std::uint32_t nextState = kAppear;
    std::uint32_t frame = 0;
    std::int16_t cellX = 0;
    std::int16_t cellY = 0;
    std::int32_t amount = 0;
    std::int32_t timer = 0;
    std::uint32_t deleteFlag = 0;
    GAME_CObjectActor* claimer = nullptr;  // the crew member repairing it
};

// A negative amount repairs: below 1 the marker vanishes. A non-negative one adds damage (the sum
// kept within 0..INT32_MAX) and restarts the appear animation.
void AddDamageMarkerValue(DamageMarker& marker, std::int32_t amount);

struct DamageMarkerAnim {
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    float alpha = 1.0f;
};
// Scale and alpha of the marker's current animation frame.
DamageMarkerAnim GetDamageMarkerAnim(const DamageMarker& marker);

// One simulation step of the marker's display states; sets the delete flag when it has vanished.
void StepDamageMarker(DamageMarker& marker);
