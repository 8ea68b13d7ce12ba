// The achievement checks' reading of the ship: its cells and its engine rooms.
#include "game/services/achievement/achievement_links.h"

#include "game/model/ship/ship.h"
#include "game/model/world/game_world.h"

bool EveryCellHoldsAFinishedRoom()
{
    const GAME_CGameWorld* world = PeekGameWorld();
    if (world == nullptr || world->ship == nullptr) return false;
    const GAME_CShip& ship = *world->ship;
    int floorCells = 0;
    for (int y = 0; y < GAME_CShipGrid::kMaxHeight; ++y) {
        for (int x = 0; x < GAME_CShipGrid::kMaxWidth; ++x) {
            if (ship.grid.GetCell(x, y)->usable == 0) continue;
            ++floorCells;
            const GAME_CRoomBase* room = ship.GetRoomAtCell(x, y);
            if (room == nullptr || room->underConstruction) return false;
        }
    }
    return floorCells > 0;
}

std::uint32_t CountFinishedEngineRooms()
{
    const GAME_CGameWorld* world = PeekGameWorld();
    if (world == nullptr || world->ship == nullptr) return 0;
    return static_cast<std::uint32_t>(world->ship->CountFinishedRoomsOfKind(kRoomKindEngine));
}
