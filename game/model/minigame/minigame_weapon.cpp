// The arcade game's weapons: the machine gun, the cannon and the laser the rat carries, with their fire and cooldown.
#include "game/model/minigame/minigame_weapon.h"

#include "game/model/minigame/minigame_world.h"
#include "game/services/data/tag.h"

namespace {

constexpr std::uint32_t kWeaponTags[GAME_CMiniGameObjectWeapon::kKinds] = {MakeTag("W001"), MakeTag("W002"), MakeTag("W003")};
constexpr std::int32_t kAnimationLengths[GAME_CMiniGameObjectWeapon::kKinds] = {4, 5, 5};
constexpr std::uint8_t kMachineGun = 0;
constexpr std::uint8_t kCannon = 1;
constexpr int kStepsPerFrame = 4;
// Each slot of the stack hangs a little higher or lower, so the weapons do not cover each other.
constexpr float kSlotOffsetY[5] = {0.0f, -10.0f, -20.0f, -5.0f, -15.0f};
constexpr float kCannonShift = 10.0f;

}  // namespace

void GAME_CMiniGameObjectWeapon::Init(const MiniGameWeaponStart& start)
{
    Reset();
    kind = MiniGameKind::kWeapon;
    subKind = start.kind < kKinds ? start.kind : 0;
    slot = start.slot >= 0 && start.slot < 5 ? start.slot : 0;
    spriteGroup = 2;
    barrel = 0;
    World().AddWeaponIcon(subKind);
    frames = World().Sprites().weaponFrames[subKind];
    animationLength = kAnimationLengths[subKind];
    const ParamRecord record = World().WeaponRecord(kWeaponTags[subKind]);
    power = record.power;
    bulletSpeed = static_cast<float>(record.bulletSpeed) / 60.0f;
    cooldown = record.cooldown;
    muzzleX = record.muzzleX;
    muzzleY = record.muzzleY;
    secondMuzzleY = record.secondMuzzleY;
    shotDelay = 0;
    cooldownCounter = 0;
    sprite = frames[0];
    TakeSpriteSize();
}

void GAME_CMiniGameObjectWeapon::Update()
{
    if (motion == kDelayed) {
        if (--shotDelay < 1) Fire();
    } else if (motion == kCooling) {
        if (--cooldownCounter < 1) motion = kReady;
    }
    if (motion == kCooling) {
        if (++animation >= kStepsPerFrame * animationLength) animation = 0;
        sprite = frames[1 + animation / kStepsPerFrame];
    } else {
        sprite = frames[0];
    }
    ++age;
}

void GAME_CMiniGameObjectWeapon::PlaceAt(vesk::math::Vec2 mount, std::int32_t flip)
{
    flipX = flip;
    position.x = mount.x - width * 0.5f + (subKind == kCannon && flipX == 0 ? kCannonShift : 0.0f);
    position.y = mount.y + kSlotOffsetY[slot];
}

void GAME_CMiniGameObjectWeapon::Fire()
{
    cooldownCounter = cooldown;
    MiniGameShot shot;
    shot.kind = subKind;
    shot.x = flipX != 0 ? position.x - muzzleX : position.x + muzzleX;
    shot.y = position.y - muzzleY;
    shot.velocityX = flipX != 0 ? -bulletSpeed : bulletSpeed;
    shot.power = power;
    if (subKind == kMachineGun) {
        shot.y -= barrel == 0 ? secondMuzzleY : muzzleY;
        barrel ^= 1u;
    }
    World().SpawnBullet(shot);
    motion = kCooling;
}
