// Drawing an enemy beside the ship: its place on the canvas, its sprite, the red flash of a hit and its part tree.
#include <algorithm>
#include <cmath>

#include "framework/graphics/sprite_registry.h"
#include "framework/process/canvas.h"
#include "game/model/object/field_draw.h"
#include "game/model/object/object_enemy.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_sprite_draw.h"
#include "game/model/ship/ship_world.h"

namespace {

constexpr std::uint32_t kFlashRed = 0x000000FFu;  // red in the low byte, alpha above
constexpr std::int32_t kFlashAlpha = 230;

vesk::math::Vec2 ShipOffset()
{
    const GAME_CShip* ship = ship_world::Ship();
    return ship != nullptr ? vesk::math::Vec2{static_cast<float>(ship->scrollX), static_cast<float>(ship->scrollY)}
                           : vesk::math::Vec2{};
}

}  // namespace

bool GAME_CObjectEnemy::IsDrawnMirrored() const { return (facing != 0) != IsRouteReversed(); }

void GAME_CObjectEnemy::Draw()
{
    const float size = FieldCameraZoom() * scaleX * 0.5f;
    const vesk::math::Vec2 offset = ShipOffset();
    const vesk::math::Vec2 point = RouteToScreen(routePosition);
    position = {point.x - offset.x, point.y - offset.y};
    const bool mirrored = IsDrawnMirrored();

    if (const vesk::resource::SYS_CTexture* sprite = vesk::resource::GetSpriteAt(kEnemySpriteGroup, spriteIndex)) {
        const float halfWidth = static_cast<float>(sprite->GetWidth()) * std::fabs(size) * 0.5f;
        if (point.x < -halfWidth || point.x > vesk::process::kCanvasWidth + halfWidth) return;
        ShipSpriteLook look;
        look.scaleX = size;
        look.scaleY = size;
        look.pivotX = anchorX;
        look.pivotY = anchorY;
        look.flipX = mirrored;
        look.color = tint;
        if ((tint >> 24) != 0) DrawShipSprite(spriteIndex, point.x, point.y, look);
        const std::uint32_t flashAlpha = static_cast<std::uint32_t>(kFlashAlpha * damageFlash / kDamageFlashFrames);
        if (spriteRoot_ == nullptr && flashAlpha > 0) {
            look.color = kFlashRed | flashAlpha << 24;
            DrawShipSprite(spriteIndex, point.x, point.y, look);
        }
    }
    if (spriteRoot_ != nullptr) {
        // The camera may have zoomed since the last step laid the parts out (the title zooms out at
        // once, and the game stands still under it and under the screens that hold it): the parts
        // follow the body's zoom.
        if (treeZoom_ != FieldCameraZoom()) AnimateSpriteTree();
        spriteRoot_->DrawTree(point);
    }
}
