// The arcade game's rat: walking, jumping, its lives, shield and weapons, and its death fall.
#pragma once

#include <cstdint>
#include <vector>

#include "game/model/minigame/minigame_object.h"

class GAME_CMiniGameObjectWeapon;

// How the rat is started.
struct MiniGamePlayerStart {
    float x = 0.0f;
    float y = 0.0f;
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    std::int32_t spriteGroup = 2;
    std::int32_t sprite = -1;
};

// Motion: 0 standing, 1 walking, 2 jumping, 3 double-jumping, 4 dying, 5 dead on the ground.
// The base's lives word counts its lives, its hit flag is its invincibility.
class GAME_CMiniGameObjectPlayer final : public GAME_CMiniGameObjectBase {
public:
    static constexpr std::uint8_t kStanding = 0;
    static constexpr std::uint8_t kWalking = 1;
    static constexpr std::uint8_t kJumping = 2;
    static constexpr std::uint8_t kDoubleJumping = 3;
    static constexpr std::uint8_t kDying = 4;
    static constexpr std::uint8_t kLanded = 5;
    static constexpr std::size_t kMostWeapons = 100;

    explicit GAME_CMiniGameObjectPlayer(GAME_CMiniGameWorld& world);

    void Init(const MiniGamePlayerStart& start);
    void Update() override;
    void Draw() override;
    // The rat's deactivation is its death.
    void Deactivate() override { Die(); }
    bool IsDead() const override { return motion >= kDying; }
    // An enemy costs a life unless invincible; an item gives a life, the shield or a weapon.
    void OnHit(GAME_CMiniGameObjectBase& other) override;

    // A weapon of the kind joins the stack; at the slot limit the oldest goes.
    void AddWeapon(std::uint8_t kind);
    void ClearWeapons();
    void Die();
    const std::vector<GAME_CMiniGameObjectWeapon*>& Weapons() const { return weapons_; }

    // From the tuning block.
    std::int32_t weaponSlots = 0;
    std::int32_t maxLives = 0;
    std::int32_t startLives = 0;
    float walkSpeed = 0.0f;
    std::int32_t walkDelay = 0;
    float jumpSpeed = 0.0f;
    float doubleJumpSpeed = 0.0f;
    float jumpCut = 0.0f;
    std::int32_t invincibleFrames = 0;
    std::int32_t shieldFrames = 0;
    std::int32_t fullLifeBonus = 0;

    std::int32_t walkHold = 0;
    std::int32_t invincibleTimer = 0;
    std::int32_t nextSlot = 0;
    std::uint32_t hurt = 0;
    std::int32_t hurtCounter = 0;

private:
    void UpdateControl();
    void UpdateInvincibility();
    void UpdateWalk();
    void UpdateJump(float oldY);
    void UpdateLook();
    void UpdateWeapons();
    void UpdateDeath();
    // Every held weapon at the rat's right edge, facing away from the rat's flip.
    void PlaceWeapons();

    std::vector<GAME_CMiniGameObjectWeapon*> weapons_;
};
