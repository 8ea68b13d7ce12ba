// A still background prop beside the ship, placed by the background view along the route.
#include "game/model/object/object_bg_obj.h"

#include "framework/process/canvas.h"
#include "framework/graphics/sprite_registry.h"
#include "game/model/object/field_draw.h"
#include "game/model/ship/ship_sprite_draw.h"

std::int32_t GAME_CObjectBGObj::Init(const BGObjSetup& setup)
{
    frameCounter = 0;
    spriteIndex = setup.spriteId;
    if (vesk::resource::GetSpriteAt(kSpriteGroup, spriteIndex) == nullptr) return 0;
    givenRoutePosition = setup.routePosition;
    const bool reversed = IsRouteReversed();
    routePosition = setup.fixed != 0 || !reversed
                        ? setup.routePosition
                        : static_cast<std::int32_t>(std::int64_t{CurrentRouteLength()} - setup.routePosition);
    scale = setup.scale;
    active = 1;
    drawnMirrored = setup.flip == 0 ? 1 : 0;
    followsDirection = setup.followsDirection;
    if (followsDirection != 0) drawnMirrored = reversed ? (setup.flip != 0 ? 1 : 0) : (setup.flip == 0 ? 1 : 0);
    return 1;
}

const vesk::math::Vec2& GAME_CObjectBGObj::GetPosition() const
{
    static const vesk::math::Vec2 kDefaultPosition{};
    return kDefaultPosition;
}

void GAME_CObjectBGObj::DrawScaled(float viewScale)
{
    const vesk::resource::SYS_CTexture* sprite = vesk::resource::GetSpriteAt(kSpriteGroup, spriteIndex);
    if (active == 0 || sprite == nullptr) return;
    const vesk::math::Vec2 point = RouteToScreen(routePosition);
    const float drawScale = viewScale * scale;
    const float half = static_cast<float>(sprite->GetWidth()) * drawScale * 0.5f;
    if (point.x + half < 0.0f || point.x - half > vesk::process::kCanvasWidth) return;
    ShipSpriteLook look;
    look.scaleX = drawScale;
    look.scaleY = drawScale;
    look.pivotX = anchorX;
    look.pivotY = anchorY;
    look.flipX = drawnMirrored != 0;
    DrawShipSprite(spriteIndex, point.x, point.y, look);
}
