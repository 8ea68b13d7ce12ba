// The values the input map reads of the player options and the ship, kept until their owners hold them.
#include "game/services/input/input_map_links.h"

#include "game/model/world/game_world.h"
#include "game/model/world/game_world_ready.h"
#include "game/services/player/player_data.h"

namespace {
bool g_padLayoutOption = false;
bool g_stickSwapOption = false;
int g_shipTravelState = 0;
}  // namespace

// The player data holds both options once it exists: what the options screen saves acts at once.
bool IsPadLayoutOptionSet()
{
    const GAME_CPlayerData* player = GetPlayerData();
    return player != nullptr ? player->option4 != 0 : g_padLayoutOption;
}

void SetPadLayoutOption(bool set)
{
    g_padLayoutOption = set;
    if (GAME_CPlayerData* player = GetPlayerData()) player->option4 = set ? 1 : 0;
}

bool IsStickSwapOptionSet()
{
    const GAME_CPlayerData* player = GetPlayerData();
    return player != nullptr ? player->option56 != 0 : g_stickSwapOption;
}

void SetStickSwapOption(bool set)
{
    g_stickSwapOption = set;
    if (GAME_CPlayerData* player = GetPlayerData()) player->option56 = set ? 1 : 0;
}

int GetShipTravelState()
{
    // The ship holds it once the game world has one: its turn state.
    const GAME_CGameWorld* world = PeekGameWorld();
    if (world != nullptr && world->ship) return world->ship->turnState;
    return g_shipTravelState;
}
void SetShipTravelState(int state) { g_shipTravelState = state; }

bool IsShipTurning()
{
    const int state = GetShipTravelState();
    return state == GAME_CShip::kTurningAway || state == GAME_CShip::kTurningBack;
}

bool IsGameReadyForInput() { return IsGameWorldReady(); }
