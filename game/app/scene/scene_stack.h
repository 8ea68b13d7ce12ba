// The stack of scenes: at most one of each kind, the last one on top.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/memory/heaps.h"
#include "game/app/scene/scene_base.h"

class GAME_CSceneStack : public vesk::memory::MainHeapObject {
public:
    std::vector<GAME_CSceneBase*> scenes;  // bottom first
};

// The stack, made empty on first use.
GAME_CSceneStack* GetSceneStack();
GAME_CSceneStack* PeekSceneStack();
// Clears the stack and frees it.
void DestroySceneStack();

// False when a scene of that id is on the stack or the id is not 0, 1 or 2.
bool PushScene(std::uint32_t id);
// Ended scenes go first; then every covered scene gets its covered update, bottom first, and
// the top scene its update.
void UpdateSceneStack(GAME_CSceneStack& stack);
// Covered draws bottom first, then the top scene's draw.
void DrawSceneStack(GAME_CSceneStack& stack);
// Asks every main-game scene to end at the next update (the mini-game then runs alone).
void EndMainGameScene(GAME_CSceneStack& stack);
// Deletes every scene and empties the stack.
void ClearSceneStack(GAME_CSceneStack& stack);
bool IsSceneOnStack(std::uint32_t id);
