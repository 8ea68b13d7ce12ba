// The script-object spawner of the arcade game: script objects made by name from a label, at a point.
#pragma once

#include <string>

#include "framework/math/vector.h"
#include "framework/memory/heaps.h"

// What a caller fills to spawn a script object.
struct ScriptObjectRequest {
    std::u16string objectName;
    std::u16string labelName;
    std::u16string parentName;  // empty: none
    vesk::math::Vec2 position{};
};

// The arcade game owns the engine its script objects run on; until it is there the spawner
// makes nothing and counts the requests it was given.
class GAME_CScriptObjectSpawner : public vesk::memory::MainHeapObject {
public:
    std::uint32_t requests = 0;
};

// The spawner, made on first use; and its end with the game.
GAME_CScriptObjectSpawner& GetScriptObjectSpawner();
void DestroyScriptObjectSpawner();
// Spawns the request's script object; nothing when its label is missing.
void SpawnScriptObject(GAME_CScriptObjectSpawner& spawner, const ScriptObjectRequest& request);
