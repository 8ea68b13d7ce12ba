// What the effect layer reads of the game world: camera zoom, display scale, ship scroll, the ship body and the enemies effects follow.
#pragma once

#include "framework/utility/effect/effect_host.h"

class GAME_CWorldEffectHost final : public vesk::utility::particle::UTL_CEffectHost {
public:
    float CameraZoom() const override;
    // The background's scale, which follows the camera's zoom.
    float DisplayScale() const override { return CameraZoom(); }
    vesk::utility::particle::UTL_SShipScroll ShipScroll() const override;
    vesk::math::Vec2 ShipBodyPosition() const override;
    vesk::math::Vec2 ShipBodyScale() const override;
    vesk::math::Vec2 ShipCellSize() const override;
    // An active enemy in the life the anchor was taken in: its place, its anchor point and its
    // facing, for every anchor mode.
    bool FindAnchor(const vesk::utility::particle::UTL_SEffectAnchor& anchor, std::uint32_t anchorMode,
                    vesk::utility::particle::UTL_SAnchorView& out) const override;
};

const GAME_CWorldEffectHost* GetWorldEffectHost();
