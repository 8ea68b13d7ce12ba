// The arcade game's world: the wave list the enemy scripts fill.
#include "game/model/minigame/minigame_world.h"

#include <memory>

namespace {

std::unique_ptr<GAME_CMiniGameWorld> g_world;

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

GAME_CMiniGameWorld& GetMiniGameWorld()
{
    if (!g_world) g_world = std::make_unique<GAME_CMiniGameWorld>();
    return *g_world;
}

GAME_CMiniGameWorld* PeekMiniGameWorld() { return g_world.get(); }

void DestroyMiniGameWorld() { g_world.reset(); }
