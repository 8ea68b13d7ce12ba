// The arcade game's rat after its last life: the spin up, the fall, the landing and the squash; and how it is drawn.
#include <cmath>

#include "game/model/minigame/minigame_player.h"
#include "game/model/minigame/minigame_weapon.h"
#include "game/model/minigame/minigame_world.h"

namespace {

constexpr float kDeathLeap = -7.0f;
constexpr float kDeathGravity = 0.125f;
constexpr float kSpinStep = -11.0f;  // degrees per step
constexpr std::int32_t kLandingSE = 26;
constexpr std::int32_t kSquashStart = 80;
constexpr std::int32_t kSquashEnd = 180;
constexpr std::int32_t kGone = 200;
constexpr float kSquashStep = 0.02f;
constexpr float kOrbSpin = 3.0f;  // degrees per step
constexpr std::uint32_t kOrbColor = 0x80FFFFFFu;
constexpr float kDegrees = 3.14159265358979f / 180.0f;

}  // namespace

void GAME_CMiniGameObjectPlayer::Die()
{
    World().deathLanded = 0;
    motion = kDying;
    velocity = {0.0f, kDeathLeap};
    rotation = 0.0f;
    animation = 0;
    sprite = World().Sprites().rat[3];
}

void GAME_CMiniGameObjectPlayer::UpdateDeath()
{
    const MiniGameSprites& sprites = World().Sprites();
    velocity.y += kDeathGravity;
    if (motion == kDying) {
        flipX = 0;
        if (velocity.y > 0.0f && std::trunc(position.y) >= kMiniGameGround) {
            motion = kLanded;
            animation = 0;
            World().deathLanded = 1;
            PlayMiniGameSE(kLandingSE);
        }
        pivotX = 0.5f;
        pivotY = 0.75f;
        ++animation;
        rotation = static_cast<float>(animation & 31) * kSpinStep;
    } else {
        rotation = 0.0f;
        pivotX = 0.5f;
        pivotY = 1.0f;
        ++animation;
        if (animation < 10) {
            sprite = sprites.rat[6];
        } else if (animation < 20) {
            sprite = sprites.rat[7];
        } else if (animation < kSquashStart) {
            sprite = sprites.rat[8];
        } else if (animation < kSquashEnd) {
            scaleX -= kSquashStep;
            scaleY += kSquashStep;
        }
    }
    position.y = std::fmin(position.y + velocity.y, kMiniGameGround);
    if (animation >= kGone) GAME_CMiniGameObjectBase::Deactivate();
}

void GAME_CMiniGameObjectPlayer::PlaceWeapons()
{
    const vesk::math::Vec2 mount{position.x + width * scaleX * 0.5f - 4.0f, position.y - (height * scaleY - 10.0f)};
    for (GAME_CMiniGameObjectWeapon* weapon : weapons_) weapon->PlaceAt(mount, flipX != 0 ? 0 : 1);
}

void GAME_CMiniGameObjectPlayer::Draw()
{
    if (sprite >= 0) {
        const bool flip = (flipX != 0) != (hurt != 0);
        DrawMiniGameSprite(spriteGroup, sprite, position, {scaleX, scaleY, color, rotation, pivotX, pivotY, flip, flipY != 0});
    }
    if (shield != 0) {
        const vesk::math::Vec2 centre{position.x, position.y - height * scaleY * 0.5f};
        const float radius = width;
        const float base = static_cast<float>(age % 120) * kOrbSpin;
        for (int k = 0; k < 4; ++k) {
            const float angle = (base + 90.0f * static_cast<float>(k)) * kDegrees;
            const vesk::math::Vec2 orb{centre.x + std::cos(angle) * radius, centre.y + std::sin(angle) * radius};
            DrawMiniGameSprite(spriteGroup, World().Sprites().shieldOrb, orb, {1.0f, 1.0f, kOrbColor, 0.0f, 0.5f, 0.5f});
        }
    }
    if (IsDead()) return;
    PlaceWeapons();
    for (GAME_CMiniGameObjectWeapon* weapon : weapons_) {
        if (weapon->active != 0) weapon->Draw();
    }
}
