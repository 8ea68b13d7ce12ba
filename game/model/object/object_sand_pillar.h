// A six-frame sand column that rises beside the ship and falls apart.
#pragma once

#include <array>
#include <cstdint>

#include "game/model/object/object_base.h"

namespace vesk::resource {
class SYS_CTexture;
}

// Its progress runs from 0 to 6000 by its speed each step; each thousand shows the next frame,
// and at 6000 it is gone.
class GAME_CObjectSandPillar : public GAME_CObjectBase {
public:
    static constexpr std::int32_t kFrameCount = 6;
    static constexpr std::int32_t kProgressPerFrame = 1000;
    static constexpr std::int32_t kEndProgress = kFrameCount * kProgressPerFrame;

    // Looks its six frames up by name ("sandpillar_001" to "sandpillar_006", sprite group 2).
    GAME_CObjectSandPillar();

    // What the taker sets: the place, progress 0, the speed and the scale, alive.
    void Start(std::int32_t newRoutePosition, std::int32_t newSpeed, float newScale);
    // The frame on show, 0 to 5; -1 once it has ended.
    std::int32_t CurrentFrame() const;

    void Update() override;
    void Draw() override;
    void DrawOverlay(const FieldView&) override {}
    const vesk::math::Vec2& GetPosition() const override { return position; }

    std::int32_t routePosition = 0;
    std::int32_t progress = 0;
    std::int32_t speed = 0;
    float routePositionFloat = 0.0f;
    std::int32_t spare = 0;
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    std::array<std::int32_t, kFrameCount> frameSprites{};
    std::array<vesk::resource::SYS_CTexture*, kFrameCount> frameTextures{};
    vesk::math::Vec2 position;  // where the last draw put it
};
