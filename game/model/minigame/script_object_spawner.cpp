// The arcade game's script-object spawner, for now without the engine it spawns on.
#include "game/model/minigame/script_object_spawner.h"

#include <memory>

namespace {

std::unique_ptr<GAME_CScriptObjectSpawner> g_spawner;

}  // namespace

GAME_CScriptObjectSpawner& GetScriptObjectSpawner()
{
    if (!g_spawner) g_spawner = std::make_unique<GAME_CScriptObjectSpawner>();
    return *g_spawner;
}

void DestroyScriptObjectSpawner() { g_spawner.reset(); }

void SpawnScriptObject(GAME_CScriptObjectSpawner& spawner, const ScriptObjectRequest&) { ++spawner.requests; }
