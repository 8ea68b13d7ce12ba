// Floating damage numbers: the rings of crew, cell and enemy numbers that rise from where the hit landed and fade.
#pragma once

#include <array>
#include <cstdint>

class GAME_CObjectActor;
class GAME_CObjectEnemy;

// A number lives 60 simulation steps; when every slot of its ring is live the oldest is replaced.
class DamageNumbers {
public:
    static constexpr std::size_t kCrewSlots = 64;
    static constexpr std::size_t kEnemySlots = 32;
    static constexpr std::int32_t kLifeSteps = 60;

    // Crew and cell numbers: a point relative to the ship's screen offset.
    struct CrewSlot {
        float x = 0.0f;
        float y = 0.0f;
        std::int32_t age = 0;
        std::int32_t value = 0;
    };
    // Enemy numbers: a route position and a height offset.
    struct EnemySlot {
        std::int32_t x = 0;
        std::int32_t y = 0;
        std::int32_t age = 0;
        std::int32_t value = 0;
    };

    // Nothing for a value below 1 or a cell that is no floor cell of the grid.
    void AddCell(std::int32_t column, std::int32_t row, std::int32_t value);
    // Nothing for a value below 1 or a crew member out of the pool.
    void AddActor(const GAME_CObjectActor* actor, std::int32_t value);
    // The caller checks that the enemy is active.
    void AddEnemy(const GAME_CObjectEnemy& enemy, std::int32_t value);
    // One step older; a number of 60 steps is gone.
    void AgeDamageNumbers();
    void Clear();
    void Draw() const;

    const std::array<CrewSlot, kCrewSlots>& CrewNumbers() const { return crew_; }
    const std::array<EnemySlot, kEnemySlots>& EnemyNumbers() const { return enemy_; }

private:
    std::array<CrewSlot, kCrewSlots> crew_{};
    std::array<EnemySlot, kEnemySlots> enemy_{};
};

// How a number of that age shows: its opacity (0..255) and how far it has risen.
std::int32_t DamageNumberOpacity(std::int32_t age);
std::int32_t DamageNumberRise(std::int32_t age);
