// An enemy field object: for now its set-up from a set-up record and what its script's restart touches.
#pragma once

#include <array>
#include <cstdint>

#include "game/core/data/record_entries.h"

// What an enemy is set up from.
struct EnemySetupRecord {
    std::uint32_t enemyId = kNoId;
    std::array<std::int32_t, 2> routePositions{};
    std::array<std::int32_t, 2> values{};
    std::array<char16_t, 64> labelName{};  // the label to start at; empty: the appearance label
};

// Enemy id none, the other words 0 and the label name empty.
void InitEnemySetupRecord(EnemySetupRecord& record);

// An enemy of the field objects. This holds what the enemy scripts'
// registration runs on: the enemy id that keys the enemy kind's record, the
// dead flag and the flag word the script's restart sets.
class GAME_CObjectEnemy {
public:
    // The flag word once the script has started a label.
    static constexpr std::uint32_t kFlagWordScriptStarted = 3;

    GAME_CObjectEnemy() = default;
    GAME_CObjectEnemy(const GAME_CObjectEnemy&) = delete;
    GAME_CObjectEnemy& operator=(const GAME_CObjectEnemy&) = delete;

    // Clears the dead flag and takes the enemy id. While the game world is
    // being made nothing more happens (the registration's case).
    void Init(const EnemySetupRecord& record);

    std::uint32_t GetEnemyId() const { return enemyId_; }
    bool IsDead() const { return dead_; }
    std::uint32_t GetFlagWord() const { return flagWord_; }
    void SetFlagWord(std::uint32_t word) { flagWord_ = word; }

    std::int32_t routePosition = 0;
    std::int32_t hp = 0;
    float positionX = 0.0f;  // on screen, for the turrets that face it

private:
    std::uint32_t enemyId_ = kNoId;
    bool dead_ = true;
    std::uint32_t flagWord_ = 0;
};
