// What the effect layer reads of the game world: camera zoom, ship scroll and the ship body.
#include "game/model/world/world_effect_host.h"

#include "game/model/world/game_world.h"
#include "game/model/object/object_enemy.h"

namespace {
const GAME_CShip* Ship()
{
    const GAME_CGameWorld* world = PeekGameWorld();
    return world ? world->ship.get() : nullptr;
}
}  // namespace

float GAME_CWorldEffectHost::CameraZoom() const
{
    const GAME_CGameWorld* world = PeekGameWorld();
    return world && world->camera ? world->camera->zoom : 1.0f;
}

vesk::utility::particle::UTL_SShipScroll GAME_CWorldEffectHost::ShipScroll() const
{
    const GAME_CShip* ship = Ship();
    return ship ? vesk::utility::particle::UTL_SShipScroll{ship->scrollX, ship->scrollY}
                : vesk::utility::particle::UTL_SShipScroll{};
}

vesk::math::Vec2 GAME_CWorldEffectHost::ShipBodyPosition() const
{
    const GAME_CShip* ship = Ship();
    return ship && ship->body ? vesk::math::Vec2{ship->body->positionX, ship->body->positionY} : vesk::math::Vec2{};
}

vesk::math::Vec2 GAME_CWorldEffectHost::ShipBodyScale() const
{
    const GAME_CShip* ship = Ship();
    if (ship == nullptr || !ship->body) return {1.0f, 1.0f};
    return {ship->body->scaleX, ship->body->scaleY};
}

vesk::math::Vec2 GAME_CWorldEffectHost::ShipCellSize() const
{
    const GAME_CShip* ship = Ship();
    return ship ? vesk::math::Vec2{ship->grid.cellWidth, ship->grid.cellHeight} : vesk::math::Vec2{24.0f, 24.0f};
}

bool GAME_CWorldEffectHost::FindAnchor(const vesk::utility::particle::UTL_SEffectAnchor& anchor, std::uint32_t,
                                       vesk::utility::particle::UTL_SAnchorView& out) const
{
    const GAME_CGameWorld* world = PeekGameWorld();
    if (world == nullptr || !world->fieldObjects || anchor.IsNone()) return false;
    for (const GAME_CObjectEnemy* enemy : world->fieldObjects->enemies) {
        if (enemy == nullptr || !enemy->MatchesAnchor(anchor)) continue;
        out.position = enemy->GetPosition();
        out.pivot = {enemy->anchorX, enemy->anchorY};
        out.mirror = enemy->IsDrawnMirrored();
        return true;
    }
    return false;
}

const GAME_CWorldEffectHost* GetWorldEffectHost()
{
    static const GAME_CWorldEffectHost host;
    return &host;
}
