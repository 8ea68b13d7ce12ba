// A still background prop beside the ship, placed by the background view along the route.
#pragma once

#include <cstdint>

#include "game/model/object/object_base.h"

// What a background prop is set up from (the background view takes it from the route script).
struct BGObjSetup {
    std::int32_t routePosition = 0;
    std::int32_t spriteId = -1;  // in sprite group 5
    float scale = 1.0f;
    std::int32_t fixed = 0;            // keeps its place on a route run in reverse
    std::int32_t flip = 0;
    std::int32_t followsDirection = 0;  // turns with the direction of travel
};

class GAME_CObjectBGObj : public GAME_CObjectBase {
public:
    static constexpr int kSpriteGroup = 5;

    // 0, leaving the prop unset, when sprite group 5 has no such sprite; else 1.
    std::int32_t Init(const BGObjSetup& setup);

    void Update() override { ++frameCounter; }
    // Scaled by the background view's scale factor (the view passes it); not drawn when it lies
    // wholly off the canvas.
    void Draw() override { DrawScaled(1.0f); }
    void DrawScaled(float viewScale);
    void DrawOverlay(const FieldView&) override {}
    // A shared default record: the prop does not follow the field.
    const vesk::math::Vec2& GetPosition() const override;

    std::int32_t frameCounter = 0;
    std::int32_t routePosition = 0;
    float scale = 1.0f;
    std::int32_t active = 0;
    std::int32_t drawnMirrored = 0;
    std::int32_t followsDirection = 0;
    std::int32_t givenRoutePosition = 0;
};
