// The base of every moving thing of the arcade game: placement, motion, look, hit box and the pool flags.
#include "game/model/minigame/minigame_object.h"

#include <cmath>

#include "framework/graphics/polygon_render.h"
#include "framework/graphics/sprite_registry.h"
#include "game/model/minigame/minigame_world.h"
#include "game/model/ship/ship_sprite_draw.h"

bool MiniGameBoxesOverlap(const MiniGameBox& a, const MiniGameBox& b)
{
    const float dx = std::fabs((a.left + a.width * 0.5f) - (b.left + b.width * 0.5f));
    const float dy = std::fabs((a.top + a.height * 0.5f) - (b.top + b.height * 0.5f));
    return dx < (a.width + b.width) * 0.5f && dy < (a.height + b.height) * 0.5f;
}

void DrawMiniGameSprite(std::int32_t group, std::int32_t index, vesk::math::Vec2 position, const MiniGameLook& look)
{
    if (index < 0) return;
    vesk::graphics::BeginSpriteDraw(group, 4);
    ShipSpriteLook ship;
    ship.scaleX = look.scaleX;
    ship.scaleY = look.scaleY;
    ship.color = look.color;
    ship.angle = look.angle;
    ship.pivotX = look.pivotX;
    ship.pivotY = look.pivotY;
    ship.flipX = look.flipX;
    ship.flipY = look.flipY;
    DrawShipSprite(index, position.x, position.y, ship);
}

vesk::math::Vec2 MiniGameSpriteSize(std::int32_t group, std::int32_t index)
{
    const vesk::resource::SYS_CTexture* texture = index >= 0 ? vesk::resource::GetSpriteAt(group, index) : nullptr;
    if (texture == nullptr) return {0.0f, 0.0f};
    return {static_cast<float>(texture->GetWidth()), static_cast<float>(texture->GetHeight())};
}

GAME_CMiniGameObjectBase::GAME_CMiniGameObjectBase(GAME_CMiniGameWorld& world) : world_(world)
{
    gravity = world.Physics().gravity;
    fallCap = world.Physics().fallCap;
}

void GAME_CMiniGameObjectBase::Draw()
{
    if (sprite < 0) return;
    DrawMiniGameSprite(spriteGroup, sprite, position,
                       {scaleX, scaleY, color, rotation, pivotX, pivotY, flipX != 0, flipY != 0});
}

void GAME_CMiniGameObjectBase::OnCollide()
{
    hit = 1;
    if (kind == MiniGameKind::kItem) Deactivate();
}

void GAME_CMiniGameObjectBase::Reset()
{
    subKind = 0;
    motion = 0;
    hit = 0;
    shield = 0;
    position = {};
    scaleX = 1.0f;
    scaleY = 1.0f;
    spriteGroup = 2;
    sprite = -1;
    rotation = 0.0f;
    animation = 0;
    flipX = 0;
    flipY = 0;
    pivotX = 0.5f;
    pivotY = 1.0f;
    velocity = {};
    hitOffset = {};
    color = kMiniGameWhite;
    active = 1;
    age = 0;
}

void GAME_CMiniGameObjectBase::TakeSpriteSize()
{
    const vesk::math::Vec2 size = MiniGameSpriteSize(spriteGroup, sprite);
    width = size.x;
    height = size.y;
}

const MiniGameBox& GAME_CMiniGameObjectBase::RebuildHitBox()
{
    box.left = position.x - width * pivotX * scaleX + hitOffset.x + marginLeft;
    box.top = position.y - height * pivotY * scaleY + hitOffset.y + marginTop;
    box.width = width * scaleX - (marginLeft + marginRight);
    box.height = height * scaleY - (marginTop + marginBottom);
    return box;
}

vesk::math::Vec2 GAME_CMiniGameObjectBase::SpriteCentre() const
{
    return {position.x - width * pivotX * scaleX + width * scaleX * 0.5f,
            position.y - height * pivotY * scaleY + height * scaleY * 0.5f};
}
