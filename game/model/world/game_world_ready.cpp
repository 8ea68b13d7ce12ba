// The game-world-ready flag.
#include "game/model/world/game_world_ready.h"

#include <atomic>

namespace {
std::atomic<bool> g_gameWorldReady{false};
}

bool IsGameWorldReady() { return g_gameWorldReady.load(); }

void SetGameWorldReady(bool ready) { g_gameWorldReady.store(ready); }
