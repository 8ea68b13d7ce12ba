// The arcade game's weapons: the machine gun, the cannon and the laser the rat carries, with their fire and cooldown.
#pragma once

#include <array>
#include <cstdint>

#include "game/model/minigame/minigame_object.h"

// How a weapon is started: its kind and the slot of the rat's stack it hangs in.
struct MiniGameWeaponStart {
    std::uint8_t kind = 0;  // 0 machine gun, 1 cannon, 2 laser
    std::int32_t slot = 0;  // 0 to 4
};

// Motion: 0 ready, 1 a delayed shot pending, 2 cooling down.
class GAME_CMiniGameObjectWeapon final : public GAME_CMiniGameObjectBase {
public:
    static constexpr int kKinds = 3;
    static constexpr int kFrames = 6;  // the idle frame, then the firing frames
    static constexpr std::uint8_t kReady = 0;
    static constexpr std::uint8_t kDelayed = 1;
    static constexpr std::uint8_t kCooling = 2;

    using GAME_CMiniGameObjectBase::GAME_CMiniGameObjectBase;

    // Takes the kind's record, frames and HUD icon.
    void Init(const MiniGameWeaponStart& start);
    // The delayed shot, the cooldown and the firing frames.
    void Update() override;
    // Hangs the weapon at the rat's mount point: its own offsets by kind and slot.
    void PlaceAt(vesk::math::Vec2 mount, std::int32_t flip);
    // One shot from the muzzle into a free bullet (lost when none is free); cooling down after.
    void Fire();

    std::int32_t power = 0;
    float bulletSpeed = 0.0f;  // per step
    std::int32_t cooldown = 0;
    float muzzleX = 0.0f;
    float muzzleY = 0.0f;
    float secondMuzzleY = 0.0f;
    std::int32_t slot = 0;
    std::array<std::int32_t, kFrames> frames{-1, -1, -1, -1, -1, -1};
    std::int32_t animationLength = 0;
    std::int32_t shotDelay = 0;
    std::int32_t cooldownCounter = 0;
    std::uint32_t barrel = 0;
};
