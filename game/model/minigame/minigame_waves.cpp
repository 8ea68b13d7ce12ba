// The arcade world's waves: the wave command's list and timing, the spawns, and the wave script between waves.
#include <algorithm>

#include "framework/math/random.h"
#include "game/model/minigame/minigame_enemy.h"
#include "game/model/minigame/minigame_world.h"
#include "game/model/object/object_enemy.h"

namespace {

constexpr float kRightEdge = 640.0f;
constexpr float kLeftEdge = -200.0f;
constexpr int kSpawnSpread = 200;

}  // namespace

void GAME_CMiniGameWorld::AddWaveEnemy(std::uint32_t enemyId)
{
    if (waveEnemies.size() < kMostWaveEnemies) waveEnemies.push_back(enemyId);
}

void GAME_CMiniGameWorld::StartWave(std::int32_t perSpawn, std::int32_t repeats, std::int32_t frames)
{
    enemiesPerSpawn = perSpawn;
    repeatCount = repeats;
    repeatsLeft = repeats;
    interval = frames;
    countdown = frames;
    waveActive = 1;
}

void GAME_CMiniGameWorld::SpawnEnemy(std::uint32_t enemyId)
{
    MiniGameEnemySpawn spawn;
    spawn.enemyId = enemyId;
    const bool right = (vesk::math::Rand() & 1) != 0;
    spawn.x = (right ? kRightEdge : kLeftEdge) + static_cast<float>(vesk::math::Rand() % kSpawnSpread);
    spawn.y = kMiniGameGround;
    for (auto& enemy : enemies_) {
        if (enemy->active == 0) {
            enemy->Init(spawn);
            return;
        }
    }
}

void GAME_CMiniGameWorld::UpdateWaves()
{
    if (IsPlayerDead()) return;
    if (waveActive != 0) {
        if (countdown > 0) {
            --countdown;
            return;
        }
        // An empty list spawns nothing; the wave still counts its repeats.
        if (!waveEnemies.empty()) {
            const auto spawns = std::clamp<std::int32_t>(enemiesPerSpawn, 0, static_cast<std::int32_t>(kEnemyPool));
            for (std::int32_t i = 0; i < spawns; ++i) {
                SpawnEnemy(waveEnemies[static_cast<std::size_t>(vesk::math::RandInt(static_cast<int>(waveEnemies.size())))]);
            }
        }
        --repeatsLeft;
        if (repeatCount == 0) repeatsLeft = 1;
        if (repeatsLeft < 1) {
            waveActive = 0;
            waveEnemies.clear();
        } else {
            countdown = interval;
        }
        return;
    }
    GAME_CScriptEnemy& script = *waveScript_;
    if (script.IsStopped()) script.JumpToLabel(enemy_label::kIdle);
    script.TickScript();
}
