// The values the input map reads of the player options and the ship, kept until their owners hold them.
#include "game/services/input/input_map_links.h"

#include "game/model/world/game_world.h"
#include "game/model/world/game_world_ready.h"

namespace {
bool g_padLayoutOption = false;
bool g_stickSwapOption = false;
int g_shipTravelState = 0;
}  // namespace

bool IsPadLayoutOptionSet() { return g_padLayoutOption; }
void SetPadLayoutOption(bool set) { g_padLayoutOption = set; }

bool IsStickSwapOptionSet() { return g_stickSwapOption; }
void SetStickSwapOption(bool set) { g_stickSwapOption = set; }

int GetShipTravelState()
{
    // The ship holds it once the game world has one: its turn state.
    const GAME_CGameWorld* world = PeekGameWorld();
    if (world != nullptr && world->ship) return world->ship->turnState;
    return g_shipTravelState;
}
void SetShipTravelState(int state) { g_shipTravelState = state; }

bool IsGameReadyForInput() { return IsGameWorldReady(); }
