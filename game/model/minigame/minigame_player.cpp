// The arcade game's rat: walking, jumping, its lives, shield and weapons.
#include "game/model/minigame/minigame_player.h"

#include <algorithm>
#include <cmath>

#include "game/model/minigame/minigame_weapon.h"
#include "game/model/minigame/minigame_world.h"

namespace {

constexpr float kFieldMargin = 30.0f;
constexpr std::int32_t kWeaponWarmUp = 10;  // steps before a new weapon fires
constexpr std::int32_t kSlotCount = 5;
constexpr std::int32_t kJumpSE = 50;
constexpr std::int32_t kPickUpSE = 54;
constexpr std::int32_t kWeaponSE = 17;

std::int32_t Frames(float seconds) { return static_cast<std::int32_t>(std::trunc(seconds * 60.0f)); }

}  // namespace

GAME_CMiniGameObjectPlayer::GAME_CMiniGameObjectPlayer(GAME_CMiniGameWorld& world) : GAME_CMiniGameObjectBase(world)
{
    const TuningBlock& tuning = world.Tuning();
    weaponSlots = tuning.weaponSlots;
    maxLives = tuning.maxLives;
    startLives = tuning.startLives;
    walkSpeed = static_cast<float>(tuning.walkSpeed) / 60.0f;
    walkDelay = tuning.walkDelay;
    jumpSpeed = static_cast<float>(tuning.jumpSpeed) / 60.0f;
    doubleJumpSpeed = static_cast<float>(tuning.doubleJumpSpeed) / 60.0f;
    jumpCut = tuning.jumpCut;
    invincibleFrames = Frames(tuning.invincibleTime);
    shieldFrames = Frames(tuning.shieldTime);
    fullLifeBonus = tuning.fullLifeBonus;
    marginTop = static_cast<float>(tuning.hitMarginTop);
    marginBottom = static_cast<float>(tuning.hitMarginBottom);
    marginRight = static_cast<float>(tuning.hitMarginRight);
    marginLeft = static_cast<float>(tuning.hitMarginLeft);
    weapons_.reserve(kMostWeapons);
}

void GAME_CMiniGameObjectPlayer::Init(const MiniGamePlayerStart& start)
{
    Reset();
    kind = MiniGameKind::kPlayer;
    position = {start.x, start.y};
    scaleX = start.scaleX;
    scaleY = start.scaleY;
    spriteGroup = start.spriteGroup;
    sprite = start.sprite;
    walkHold = 0;
    invincibleTimer = 0;
    hurt = 0;
    hurtCounter = 0;
    lives = startLives;
    ClearWeapons();
}

void GAME_CMiniGameObjectPlayer::AddWeapon(std::uint8_t weaponKind)
{
    if (weaponSlots != 0 && static_cast<std::int64_t>(weapons_.size()) >= weaponSlots) {
        weapons_.front()->GAME_CMiniGameObjectBase::Deactivate();
        weapons_.erase(weapons_.begin());
    }
    GAME_CMiniGameObjectWeapon* weapon = World().SpawnWeapon(nextSlot, weaponKind);
    // With the pool full the world hands out its oldest weapon, which may be one of ours.
    std::erase(weapons_, weapon);
    if (weapons_.size() < kMostWeapons) weapons_.push_back(weapon);
    nextSlot = (nextSlot + 1) % kSlotCount;
}

void GAME_CMiniGameObjectPlayer::ClearWeapons()
{
    for (GAME_CMiniGameObjectWeapon* weapon : weapons_) weapon->GAME_CMiniGameObjectBase::Deactivate();
    weapons_.clear();
    nextSlot = 0;
}

void GAME_CMiniGameObjectPlayer::Update()
{
    if (IsDead()) {
        UpdateDeath();
    } else {
        UpdateControl();
        UpdateWeapons();
    }
    ++age;
}

void GAME_CMiniGameObjectPlayer::UpdateControl()
{
    UpdateInvincibility();
    const float oldY = position.y;
    Fall();
    position.x += velocity.x;
    position.y += velocity.y;
    if (World().inputEnabled != 0) {
        UpdateWalk();
        UpdateJump(oldY);
    }
    const MiniGameControls& controls = World().controls;
    if ((motion == kJumping || motion == kDoubleJumping) && velocity.y < 0.0f && !controls.jumpHeld) {
        velocity.y *= jumpCut;
    }
    position.x = std::clamp(position.x, kFieldMargin, kMiniGameFieldWidth - kFieldMargin);
    if (position.y > kMiniGameGround) {
        position.y = kMiniGameGround;
        if (motion == kJumping || motion == kDoubleJumping) motion = kStanding;
    }
    UpdateLook();
}

void GAME_CMiniGameObjectPlayer::UpdateInvincibility()
{
    if (hit == 0) return;
    if (invincibleTimer > 0) {
        --invincibleTimer;
        if (shield != 0) {
            color |= 0xFF000000u;
        } else if (invincibleTimer % 2 == 0) {
            color ^= 0xFF000000u;
        }
    }
    if (invincibleTimer <= 0) {
        hit = 0;
        shield = 0;
        color |= 0xFF000000u;
    }
}

void GAME_CMiniGameObjectPlayer::UpdateWalk()
{
    const MiniGameControls& controls = World().controls;
    if (controls.left || controls.right) {
        const bool left = controls.left;
        if (left ? controls.leftPressed : controls.rightPressed) walkHold = 0;
        ++walkHold;
        if (walkHold > walkDelay) {
            velocity.x = left ? -walkSpeed : walkSpeed;
            flipX = left ? 0 : 1;
            if (motion == kStanding) motion = kWalking;
        }
    } else {
        velocity.x = 0.0f;
        if (motion == kWalking) motion = kStanding;
    }
}

void GAME_CMiniGameObjectPlayer::UpdateJump(float oldY)
{
    if (!World().controls.jumpPressed) return;
    if (motion == kStanding || motion == kWalking) {
        PlayMiniGameSE(kJumpSE);
        animation = 0;
        velocity.y = -jumpSpeed;
        motion = kJumping;
        position.y = kMiniGameGround;
        World().inputEnabled = 0;
    } else if (motion == kJumping && std::trunc(oldY) < kMiniGameGround) {
        PlayMiniGameSE(kJumpSE);
        animation = 0;
        velocity.y = -doubleJumpSpeed;
        motion = kDoubleJumping;
        World().inputEnabled = 0;
    }
}

void GAME_CMiniGameObjectPlayer::UpdateLook()
{
    const MiniGameSprites& sprites = World().Sprites();
    rotation = 0.0f;
    pivotX = 0.5f;
    pivotY = 1.0f;
    if (motion == kWalking) {
        animation = (animation + 1) % 16;
        const bool step = (animation & 4) != 0;
        sprite = !step ? sprites.rat[0] : animation < 8 ? sprites.rat[1] : sprites.rat[2];
    } else if (motion == kJumping || motion == kDoubleJumping) {
        animation = 0;
        sprite = sprites.rat[2];
    } else {
        sprite = sprites.rat[0];
    }
    if (hurt != 0) {
        hurtCounter = (hurtCounter + 1) & 15;
        sprite = (hurtCounter & 4) != 0 ? sprites.rat[4] : sprites.rat[3];
        if (hurtCounter == 0) hurt = 0;
    }
    TakeSpriteSize();
}

void GAME_CMiniGameObjectPlayer::UpdateWeapons()
{
    const bool fire = World().controls.fireHeld;
    const auto count = static_cast<std::int32_t>(weapons_.size());
    std::int32_t delaySum = 0;
    PlaceWeapons();
    for (GAME_CMiniGameObjectWeapon* weapon : weapons_) {
        if (weapon->active == 0) continue;
        if (fire && weapon->age >= kWeaponWarmUp && weapon->motion == GAME_CMiniGameObjectWeapon::kReady) {
            if (delaySum > 0) {
                weapon->shotDelay = delaySum;
                weapon->motion = GAME_CMiniGameObjectWeapon::kDelayed;
            } else {
                weapon->Fire();
            }
            delaySum += weapon->cooldown / count;
        }
        weapon->Update();
    }
}

void GAME_CMiniGameObjectPlayer::OnHit(GAME_CMiniGameObjectBase& other)
{
    if (IsDead()) return;
    if (other.kind == MiniGameKind::kEnemy) {
        if (hit != 0) return;
        if (--lives > 0) {
            hit = 1;
            invincibleTimer = invincibleFrames;
            hurt = 1;
            hurtCounter = 0;
        } else {
            lives = 0;
            Die();
        }
        return;
    }
    if (other.kind != MiniGameKind::kItem) return;
    switch (other.subKind) {
    case 0:
        PlayMiniGameSE(kPickUpSE);
        if (lives >= maxLives) {
            World().AddScore(fullLifeBonus);
        } else {
            ++lives;
        }
        break;
    case 1:
        PlayMiniGameSE(kPickUpSE);
        hit = 1;
        shield = 1;
        invincibleTimer = shieldFrames;
        break;
    default:
        PlayMiniGameSE(kWeaponSE);
        AddWeapon(static_cast<std::uint8_t>(other.subKind - 2));
        break;
    }
}
