// A six-frame sand column that rises beside the ship and falls apart.
#include "game/model/object/object_sand_pillar.h"

#include <algorithm>
#include <string>

#include "framework/process/canvas.h"
#include "framework/graphics/sprite_registry.h"
#include "game/model/object/field_draw.h"
#include "game/model/ship/ship_sprite_draw.h"

namespace {

constexpr int kUiSpriteGroup = 2;

}  // namespace

GAME_CObjectSandPillar::GAME_CObjectSandPillar()
{
    for (std::int32_t frame = 0; frame < kFrameCount; ++frame) {
        const std::string name = "sandpillar_00" + std::to_string(frame + 1);
        frameSprites[frame] = vesk::resource::FindSpriteIndex(kUiSpriteGroup, name);
        frameTextures[frame] = vesk::resource::GetSpriteAt(kUiSpriteGroup, frameSprites[frame]);
    }
    spriteIndex = frameSprites[0];
}

void GAME_CObjectSandPillar::Start(std::int32_t newRoutePosition, std::int32_t newSpeed, float newScale)
{
    routePosition = newRoutePosition;
    routePositionFloat = static_cast<float>(newRoutePosition);
    progress = 0;
    speed = newSpeed;
    scaleX = newScale;
    scaleY = newScale;
    dead = 0;
}

std::int32_t GAME_CObjectSandPillar::CurrentFrame() const
{
    return progress >= kEndProgress || progress < 0 ? -1 : progress / kProgressPerFrame;
}

void GAME_CObjectSandPillar::Update()
{
    progress = static_cast<std::int32_t>(std::min<std::int64_t>(std::int64_t{progress} + speed, kEndProgress));
    if (progress >= kEndProgress) dead = 1;
}

void GAME_CObjectSandPillar::Draw()
{
    const std::int32_t frame = CurrentFrame();
    if (frame < 0) return;
    vesk::resource::SYS_CTexture* sprite = frameTextures[frame];
    if (sprite == nullptr) return;
    position = RouteToScreen(routePosition);
    const float zoom = FieldCameraZoom();
    const float sx = scaleX * zoom * 0.5f;
    const float half = static_cast<float>(sprite->GetWidth()) * sx * 0.5f;
    if (position.x + half < 0.0f || position.x - half > vesk::process::kCanvasWidth) return;
    ShipSpriteLook look;
    look.scaleX = sx;
    look.scaleY = scaleY * zoom * 0.5f;
    look.pivotX = anchorX;
    look.pivotY = anchorY;
    DrawShipSprite(frameSprites[frame], position.x, position.y, look);
}
