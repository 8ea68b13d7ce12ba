// The game objects effects follow, named by anchors that a reused object no longer matches.
#pragma once

#include <cstdint>

#include "framework/math/vector.h"

namespace vesk::utility::particle {

// A game object an effect follows. The host hands anchors out and checks
// them: game objects live in pools, so an anchor names the object together
// with the generation it had, and a reused object no longer matches.
struct UTL_SEffectAnchor {
    const void* object = nullptr;
    std::uint32_t generation = 0;

    bool IsNone() const { return object == nullptr; }
};

// Where an anchor is now, as the effects that follow it need it.
struct UTL_SAnchorView {
    math::Vec2 position{};          // the object's position, world units
    math::Vec2 pivot{0.5f, 0.5f};   // its pivot, fractions of the sprite's size
    bool mirror = false;            // facing left: following effects mirror
};

// The 16-bit scroll position of the ship on screen.
struct UTL_SShipScroll {
    std::int16_t x = 0;
    std::int16_t y = 0;
};

// What the effect layer asks of the game world to place its effects. The
// defaults stand for a world without camera, background or ship: no zoom,
// no scroll, a ship body at the origin with 24-pixel cells, no anchors.
class UTL_CEffectHost {
public:
    virtual ~UTL_CEffectHost() = default;

    virtual float CameraZoom() const { return 1.0f; }         // the 2D camera's zoom
    virtual float DisplayScale() const { return 1.0f; }       // the background view's display scale
    virtual UTL_SShipScroll ShipScroll() const { return {}; }
    virtual math::Vec2 ShipBodyPosition() const { return {}; }
    virtual math::Vec2 ShipBodyScale() const { return {1.0f, 1.0f}; }
    virtual math::Vec2 ShipCellSize() const { return {24.0f, 24.0f}; }

    // The anchor's point for an anchor mode (0: the object itself; 1 and 2:
    // the game world's own rules). False when the anchor is none, its object
    // is gone or was reused since the anchor was taken, or the mode has no
    // point: the effect must then not follow it.
    virtual bool FindAnchor(const UTL_SEffectAnchor& /*anchor*/, std::uint32_t /*anchorMode*/,
                            UTL_SAnchorView& /*out*/) const
    {
        return false;
    }
};

}  // namespace vesk::utility::particle
