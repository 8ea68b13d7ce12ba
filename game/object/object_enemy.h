// An enemy field object: for now its set-up, its place on the route and its HP; it stands still until the enemies are built.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "game/core/data/record_entries.h"
#include "game/object/object_base.h"

// What an enemy is set up from: its id, its home and route positions, two values and the label to
// start at.
struct EnemySetupRecord {
    std::uint32_t enemyId = kNoId;
    std::array<std::int32_t, 2> routePositions{};  // home position, route position
    std::array<std::int32_t, 2> values{};
    std::array<char16_t, 64> labelName{};  // the label to start at; empty: the appearance label
};

// Enemy id none, the other words 0 and the label name empty.
void InitEnemySetupRecord(EnemySetupRecord& record);

// An enemy beside the ship. This holds what the enemy scripts' registration and the field-object
// manager use: the enemy id that keys the enemy kind's record, its places on the route, its HP and
// the flag word the script's restart sets. Its own behaviour comes with the enemies.
class GAME_CObjectEnemy : public GAME_CObjectBase {
public:
    // The flag word once the script has started a label.
    static constexpr std::uint32_t kFlagWordScriptStarted = 3;

    // Clears the dead flag and takes the enemy id and its places on the route.
    void Init(const EnemySetupRecord& record);

    void Update() override {}
    void Draw() override {}
    void DrawOverlay(const FieldView&) override {}
    const vesk::math::Vec2& GetPosition() const override { return position; }

    std::uint32_t GetEnemyId() const { return enemyId_; }
    bool IsDead() const { return dead != 0; }
    std::uint32_t GetFlagWord() const { return flagWord_; }
    void SetFlagWord(std::uint32_t word) { flagWord_ = word; }
    // Whether the script runs its idle label; an enemy that does nothing is idle.
    bool IsInIdleLabel() const { return true; }
    // Jumps to the label when the script has it and runs it once; false when it has none.
    bool RunLabel(std::u16string_view) { return false; }

    std::int32_t routePosition = 0;
    std::int32_t homePosition = 0;
    std::int32_t hp = 0;
    vesk::math::Vec2 position;  // on screen, where the last draw put it
    float positionX = 0.0f;     // on screen, for the turrets that face it

private:
    std::uint32_t enemyId_ = kNoId;
    std::uint32_t flagWord_ = 0;
};
