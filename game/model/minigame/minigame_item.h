// The arcade game's pick-ups: cheese, the shield and the three weapons, dropped by enemies.
#pragma once

#include <cstdint>

#include "game/model/minigame/minigame_object.h"

// Where and what an enemy drops.
struct MiniGameDrop {
    std::uint8_t kind = 0;  // 0 cheese, 1 shield, 2 machine gun, 3 cannon, 4 laser
    float x = 0.0f;
    float y = 0.0f;
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    std::uint32_t tag = 0;
};

class GAME_CMiniGameObjectItem final : public GAME_CMiniGameObjectBase {
public:
    static constexpr int kKinds = 5;
    static constexpr std::uint8_t kCheese = 0;
    static constexpr std::uint8_t kShield = 1;

    using GAME_CMiniGameObjectBase::GAME_CMiniGameObjectBase;

    void Init(const MiniGameDrop& drop);
    // Counts its life down, blinking near its end; it neither moves nor falls.
    void Update() override;

    std::int32_t lifetime = 0;        // steps
    std::int32_t blinkThreshold = 0;  // steps
};
