// What the effect layer reads of the game world: camera zoom, ship scroll and the ship body.
#pragma once

#include "framework/utility/effect/effect_host.h"

class GAME_CWorldEffectHost final : public vesk::utility::particle::UTL_CEffectHost {
public:
    float CameraZoom() const override;
    vesk::utility::particle::UTL_SShipScroll ShipScroll() const override;
    vesk::math::Vec2 ShipBodyPosition() const override;
    vesk::math::Vec2 ShipBodyScale() const override;
    vesk::math::Vec2 ShipCellSize() const override;
};

const GAME_CWorldEffectHost* GetWorldEffectHost();
