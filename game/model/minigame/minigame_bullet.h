// The arcade game's bullets: machine-gun rounds, thrown shells and piercing laser bolts.
#pragma once

#include <cstdint>

#include "game/model/minigame/minigame_object.h"

// What a weapon fires.
struct MiniGameShot {
    std::uint8_t kind = 0;  // 0 machine gun, 1 cannon, 2 laser
    float x = 0.0f;
    float y = 0.0f;
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    float velocityX = 0.0f;
    float velocityY = 0.0f;
    std::int32_t power = 0;
};

class GAME_CMiniGameObjectBullet final : public GAME_CMiniGameObjectBase {
public:
    static constexpr int kKinds = 3;

    using GAME_CMiniGameObjectBase::GAME_CMiniGameObjectBase;

    // Starts the bullet with its kind's sound and sprite.
    void Init(const MiniGameShot& shot);
    // Moves by kind; a bullet that leaves the field goes.
    void Update() override;
    // A machine-gun round is spent on its first enemy; shells and lasers go on.
    void OnCollide() override;

    std::int32_t power = 0;
};
