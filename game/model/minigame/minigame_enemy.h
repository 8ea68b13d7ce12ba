// The arcade game's enemy: a field enemy driven through its arcade step, with gravity, HP growth, score and drop.
#pragma once

#include <cstdint>
#include <memory>

#include "game/model/minigame/minigame_object.h"

class GAME_CObjectEnemy;

// Where a wave puts a new enemy.
struct MiniGameEnemySpawn {
    std::uint32_t enemyId = 0;
    float x = 0.0f;
    float y = 0.0f;
    float scaleX = 1.0f;
    float scaleY = 1.0f;
};

// The enemy logic is the field enemy's own (its script plays appearance, walk, attack, damage and
// death); this object adds the ground, growth over time, the score and the drop, and copies the
// field enemy's look back every step so the world draws and collides it like any other object.
class GAME_CMiniGameObjectEnemy final : public GAME_CMiniGameObjectBase {
public:
    static constexpr std::int32_t kGrowthPeriod = 300;

    explicit GAME_CMiniGameObjectEnemy(GAME_CMiniGameWorld& world);
    ~GAME_CMiniGameObjectEnemy() override;

    void Init(const MiniGameEnemySpawn& spawn);
    void Update() override;
    // HP below 1.
    bool IsDead() const override;
    // A bullet: the damage label, the HP change and the red flash.
    void OnHit(GAME_CMiniGameObjectBase& other) override;

    // Null until the slot's first use.
    GAME_CObjectEnemy* FieldEnemy() const { return fieldEnemy_.get(); }
    // 1 to 5 by the kind's record; others are not drawn.
    std::int32_t DrawLayer() const;

    std::int32_t growthTimer = kGrowthPeriod;
    MiniGameBox attackBox{};

private:
    void CopyLookBack();

    std::unique_ptr<GAME_CObjectEnemy> fieldEnemy_;
};
