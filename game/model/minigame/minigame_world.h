// The arcade game's world, as far as the enemy scripts' wave command feeds it.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/memory/heaps.h"

// One run of the arcade game. The enemy script's wave command lists the enemies of the next wave
// and sets how they come; the rest of the arcade game comes with it.
class GAME_CMiniGameWorld : public vesk::memory::MainHeapObject {
public:
    static constexpr std::size_t kMostWaveEnemies = 256;

    std::vector<std::uint32_t> waveEnemies;  // enemy ids
    std::int32_t enemiesPerSpawn = 0;
    std::int32_t repeatCount = 0;
    std::int32_t repeatsLeft = 0;
    std::int32_t interval = 0;
    std::int32_t countdown = 0;
    std::uint32_t waveActive = 0;

    // Appends an enemy id; a list already at its size limit keeps what it has.
    void AddWaveEnemy(std::uint32_t enemyId);
    // Enemies per spawn, the repeats (and repeats left) and the interval (and countdown); the wave runs.
    void StartWave(std::int32_t perSpawn, std::int32_t repeats, std::int32_t frames);
};

// The world, made on first use; and its end with the arcade game's scene.
GAME_CMiniGameWorld& GetMiniGameWorld();
GAME_CMiniGameWorld* PeekMiniGameWorld();
void DestroyMiniGameWorld();
