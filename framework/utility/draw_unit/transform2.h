// Where and how a 2D draw unit draws: position, scale, rotation, colour, priority, blend mode and flips.
#pragma once

#include <cstdint>

#include "framework/math/color.h"
#include "framework/math/vector.h"

namespace vesk::utility::draw_unit {

// Blend mode of a fresh unit (plain alpha blending).
inline constexpr std::uint32_t kDefaultBlendMode = 4;

// Where and how a unit draws. Every unit has two: its local state, which
// scripts change, and the world state composed from it and the parent's.
struct UTL_STransform2 {
    math::Vec2 position{};
    math::Vec2 scale{1.0f, 1.0f};
    float rotation = 0.0f;  // degrees
    math::Color color{255, 255, 255, 255};
    std::uint32_t priority = 0;
    std::uint32_t blendMode = kDefaultBlendMode;
    std::uint32_t visible = 1;
    std::uint32_t flipX = 0;
    std::uint32_t flipY = 0;
    // Added to the world position when a sprite draws; only the local
    // record's offset is used.
    math::Vec2 offset{};
};

// Bits of a unit's flag word.
enum UTL_EObjectFlag : std::uint32_t {
    kInheritTransform = 0x1,  // compose position, scale and rotation with the parent
    kInheritPriority = 0x2,
    kInheritBlendMode = 0x4,
    kInheritVisible = 0x8,
    kInheritColor = 0x10,  // red, green and blue
    kInheritAlpha = 0x20,
    kOwnRotation = 0x40,  // do not add the parent's rotation
    kDead = 0x10000,
    kPaused = 0x20000,
    kImmortal = 0x40000,
    kUpdatedThisFrame = 0x1000000,
    kDrawnThisFrame = 0x2000000,
};

// The top byte holds the per-frame marks.
inline constexpr std::uint32_t kFrameFlagMask = 0xFF000000u;

// Adds a signed step to each channel, each result held within 0..255.
inline void StepColor(math::Color& color, std::int32_t red, std::int32_t green, std::int32_t blue,
                      std::int32_t alpha)
{
    auto step = [](std::uint8_t& channel, std::int32_t delta) {
        const std::int64_t value = static_cast<std::int64_t>(channel) + delta;
        channel = static_cast<std::uint8_t>(value < 0 ? 0 : (value > 255 ? 255 : value));
    };
    step(color.r, red);
    step(color.g, green);
    step(color.b, blue);
    step(color.a, alpha);
}

}  // namespace vesk::utility::draw_unit
