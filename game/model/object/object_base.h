// The field object: what crew members, items, enemies, balloons, drop items, sand pillars and background props share.
#pragma once

#include <cstdint>

#include "framework/math/vector.h"

// Where a second draw pass puts the field: an offset on the canvas and a scale.
struct FieldView {
    std::int16_t x = 0;
    std::int16_t y = 0;
    float scale = 1.0f;
};

// Everything that lives on the ship's field. The field-object manager keeps the objects in fixed
// pools; an object that has ended sets its dead flag and its pool's owner takes it back.
class GAME_CObjectBase {
public:
    static constexpr std::int32_t kDefaultBoxWidth = 24;
    static constexpr std::int32_t kDefaultBoxHeight = 16;

    GAME_CObjectBase() = default;
    virtual ~GAME_CObjectBase() = default;
    GAME_CObjectBase(const GAME_CObjectBase&) = delete;
    GAME_CObjectBase& operator=(const GAME_CObjectBase&) = delete;

    // One simulation step.
    virtual void Update() = 0;
    // The field draw pass.
    virtual void Draw() = 0;
    // The second draw pass, onto a view.
    virtual void DrawOverlay(const FieldView& view) = 0;
    // The object's position in field pixels.
    virtual const vesk::math::Vec2& GetPosition() const = 0;
    // The object's box, in field pixels.
    virtual std::int32_t GetBoxWidth() const { return kDefaultBoxWidth; }
    virtual std::int32_t GetBoxHeight() const { return kDefaultBoxHeight; }
    // When the manager takes the dead object back.
    virtual void Release() {}

    std::int32_t spareIndex = -1;
    std::uint8_t dead = 0;
    std::int32_t spriteIndex = 0;
    // The point of the sprite that stands on the position: its bottom centre.
    float anchorX = 0.5f;
    float anchorY = 1.0f;
};
