// The achievement checks' reading of the ship: its cells and its engine rooms.
#include "game/services/achievement/achievement_links.h"

#include <algorithm>

#include "game/model/ship/room_base.h"
#include "game/model/world/game_world.h"

namespace {

constexpr int kEngineRoomKind = 23;

}  // namespace

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
    const GAME_CShip& ship = *world->ship;
    const std::size_t onGrid = std::min<std::size_t>(static_cast<std::size_t>(std::max(ship.CountRoomsOnGrid(), 0)),
                                                     ship.rooms.size());
    std::uint32_t count = 0;
    for (std::size_t i = 0; i < onGrid; ++i) {
        const GAME_CRoomBase* room = ship.rooms[i];
        if (room != nullptr && room->kind == kEngineRoomKind && !room->underConstruction) ++count;
    }
    return count;
}
