// The ship's rooms on the grid: lookups, placement and removal, room searches by walking cost, and hull damage on cells.
#include <algorithm>
#include <limits>

#include "framework/math/random.h"
#include "game/model/stores/ammo_storage.h"
#include "game/model/stores/food_storage.h"
#include "game/services/data/id_tags.h"
#include "game/services/player/inventory.h"
#include "game/services/data/item_data.h"
#include "game/services/player/player_data.h"
#include "game/services/data/room_records.h"
#include "game/services/data/static_lookups.h"
#include "game/model/stores/stored_items.h"
#include "game/services/data/tag.h"
#include "game/model/world/game_world_ready.h"
#include "game/model/object/field_object_manager.h"
#include "game/services/save/save_image.h"
#include "game/services/save/working_slot.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/item_drops.h"
#include "game/model/ship/ship_paths.h"
#include "game/model/ship/ship_world.h"
#include "game/model/ship/task_base.h"
#include "game/model/ship/task_manager.h"

namespace {

constexpr std::size_t kMaterialPairs = 8;

// Calls visit(x, y) for every footprint cell of the room.
template <typename Visit>
void ForEachFootprintCell(const GAME_CRoomBase& room, Visit visit)
{
    for (std::int32_t row = 0; row < room.height; ++row) {
        for (std::int32_t column = 0; column < room.width; ++column) visit(room.gridX + column, room.gridY + row);
    }
}

// Calls visit(cell) for every cell of the grid that holds a room.
template <typename Visit>
void ForEachRoomCell(GAME_CShipGrid& grid, Visit visit)
{
    for (int y = 0; y < GAME_CShipGrid::kMaxHeight; ++y) {
        for (int x = 0; x < GAME_CShipGrid::kMaxWidth; ++x) {
            GAME_CShipGrid::Cell* cell = grid.GetCell(x, y);
            if (cell != nullptr && cell->HoldsRoom()) visit(*cell);
        }
    }
}

// Built, with durability left: a room that does its work.
bool IsWorkingRoom(const GAME_CRoomBase& room) { return room.IsFinishedBuilding() && room.GetRemainingDurability() > 0; }

// The rooms of the kind that the test takes.
template <typename Test>
std::int32_t CountRooms(const std::vector<GAME_CRoomBase*>& rooms, std::int32_t kind, Test test)
{
    return static_cast<std::int32_t>(std::count_if(rooms.begin(), rooms.end(), [&](const GAME_CRoomBase* room) {
        return room != nullptr && room->kind == kind && test(*room);
    }));
}

}  // namespace

// --- lookups

GAME_CRoomBase* GAME_CShip::GetRoom(std::int64_t roomNumber) const
{
    if (roomNumber < 0 || roomNumber >= static_cast<std::int64_t>(rooms.size())) return nullptr;
    return rooms[static_cast<std::size_t>(roomNumber)];
}

std::int32_t GAME_CShip::GetRoomIndex(const GAME_CRoomBase* room) const
{
    if (room == nullptr) return -1;
    const auto found = std::find(rooms.begin(), rooms.end(), room);
    return found == rooms.end() ? -1 : static_cast<std::int32_t>(found - rooms.begin());
}

std::int32_t GAME_CShip::CountIntactRoomsOfKind(std::int32_t kind) const
{
    return CountRooms(rooms, kind, [](const GAME_CRoomBase& room) { return room.GetRemainingDurability() > 0; });
}

std::int32_t GAME_CShip::CountFinishedRoomsOfKind(std::int32_t kind) const
{
    return CountRooms(rooms, kind, [](const GAME_CRoomBase& room) { return room.IsFinishedBuilding(); });
}

std::int32_t GAME_CShip::CountWorkingRoomsOfKind(std::int32_t kind) const
{
    return CountRooms(rooms, kind, IsWorkingRoom);
}

bool GAME_CShip::IsLastEngine(const GAME_CRoomBase& room) const
{
    if (room.kind != kRoomKindEngine) return false;
    if (CountIntactRoomsOfKind(kRoomKindEngine) < 2) return true;
    return IsWorkingRoom(room) && CountWorkingRoomsOfKind(kRoomKindEngine) < 2;
}

GAME_CRoomBase* GAME_CShip::GetRoomAtCell(std::int64_t x, std::int64_t y, std::int32_t* outRoomNumber) const
{
    if (outRoomNumber != nullptr) *outRoomNumber = -1;
    const GAME_CShipGrid::Cell* cell = grid.GetCell(x, y);
    if (cell == nullptr || !cell->HoldsRoom()) return nullptr;
    GAME_CRoomBase* room = GetRoom(cell->room);
    if (room != nullptr && outRoomNumber != nullptr) *outRoomNumber = static_cast<std::int32_t>(cell->room);
    return room;
}

bool GAME_CShip::GetLowestFloorCell(std::int32_t* x, std::int32_t* y) const
{
    for (std::int32_t row = grid.height - 1; row >= 0; --row) {
        for (std::int32_t column = 0; column < grid.width; ++column) {
            const GAME_CShipGrid::Cell* cell = grid.GetCell(column, row);
            if (cell != nullptr && cell->usable != 0) {
                *x = column;
                *y = row;
                return true;
            }
        }
    }
    return false;
}

void GAME_CShip::GetCellFloorPoint(std::int32_t x, std::int32_t y, float* px, float* py, bool random) const
{
    *px = grid.cellWidth * static_cast<float>(x) + grid.cellWidth / 2.0f;
    *py = static_cast<float>(y + 1) * grid.cellHeight - 1.0f;
    if (random) {
        const int r = vesk::math::Rand() % 32767;
        *px = grid.cellWidth * static_cast<float>(x) +
              static_cast<float>(static_cast<std::int32_t>(static_cast<float>(r) / 32767.0f * grid.cellWidth));
    }
}

// --- walking

bool GAME_CShip::IsReachable(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) const
{
    return ship_paths::IsReachable(*this, x0, y0, x1, y1);
}

std::int32_t GAME_CShip::PathCost(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) const
{
    return ship_paths::GetPathCost(*this, x0, y0, x1, y1);
}

std::int32_t GAME_CShip::GetPathCost(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1)
{
    if (x0 == x1 && y0 == y1) return 0;
    const GAME_CShip* ship = ship_world::Ship();
    return ship != nullptr ? ship->PathCost(x0, y0, x1, y1) : -1;
}

bool GAME_CShip::IsRoomReachable(std::int32_t x, std::int32_t y, const GAME_CRoomBase& room) const
{
    return GetRoomPathCost(x, y, room) >= 0;
}

std::int32_t GAME_CShip::GetRoomPathCost(std::int32_t x, std::int32_t y, const GAME_CRoomBase& room) const
{
    std::int32_t best = -1;
    ForEachFootprintCell(room, [&](std::int32_t cx, std::int32_t cy) {
        const std::int32_t cost = PathCost(x, y, cx, cy);
        if (cost >= 0 && (best < 0 || cost < best)) best = cost;
    });
    return best;
}

// --- searches

GAME_CRoomBase* GAME_CShip::FindNearestRoom(std::int32_t x, std::int32_t y, RoomPredicate predicate,
                                             std::uint32_t argument) const
{
    GAME_CRoomBase* nearest = nullptr;
    std::int32_t best = -1;
    for (GAME_CRoomBase* room : rooms) {
        if (room == nullptr || !predicate(*room, argument)) continue;
        const std::int32_t cost = GetRoomPathCost(x, y, *room);
        if (cost >= 0 && (best < 0 || cost < best)) {
            nearest = room;
            best = cost;
        }
    }
    return nearest;
}

GAME_CRoomBase* GAME_CShip::FindRoomWithBestStock(std::int32_t x, std::int32_t y) const
{
    GAME_CRoomBase* chosen = nullptr;
    std::int32_t bestRating = 0;
    for (GAME_CRoomBase* room : rooms) {
        if (room == nullptr || !room->IsBuiltOnGrid() || room->roomData == nullptr ||
            (room->roomData->flags & kRoomInventory) == 0 || GetRoomPathCost(x, y, *room) < 0) {
            continue;
        }
        const GAME_CInventory* inventory = FindRoomInventory(room);
        if (inventory == nullptr) continue;
        for (const InventoryStack& stack : inventory->stacks) {
            const ItemData* record = stack.item ? stack.item->record : nullptr;
            if (record != nullptr && record->foodValue > 0 && record->foodValue >= bestRating) {
                bestRating = record->foodValue;
                chosen = room;
            }
        }
    }
    return chosen;
}

GAME_CRoomBase* GAME_CShip::FindRoomHoldingItem(std::int32_t x, std::int32_t y, std::uint32_t itemId)
{
    const GAME_CShip* ship = ship_world::Ship();
    const GAME_CPlayerData* player = GetPlayerData();
    if (ship == nullptr || player == nullptr) return nullptr;
    GAME_CRoomBase* chosen = nullptr;
    std::int64_t chosenTotal = std::numeric_limits<std::int32_t>::max();
    std::int64_t chosenCost = std::numeric_limits<std::int32_t>::max();
    for (std::size_t i = 0; i < player->InventoryCount(); ++i) {
        const GAME_CInventory* inventory = player->GetInventoryAt(static_cast<std::int64_t>(i));
        if (inventory == nullptr || inventory->room == nullptr) continue;
        const std::int64_t total = inventory->CountItem(itemId);
        if (total < 1 || total >= chosenTotal) continue;
        const std::int32_t cost = ship->GetRoomPathCost(x, y, *inventory->room);
        if (cost < 0 || cost >= chosenCost) continue;
        chosen = inventory->room;
        chosenTotal = total;
        chosenCost = cost;
    }
    return chosen;
}

GAME_CRoomBase* GAME_CShip::FindNearestOpenHomeRoom(std::int32_t x, std::int32_t y) const
{
    return FindNearestRoom(
        x, y,
        [](const GAME_CRoomBase& room, std::uint32_t) {
            // Quarters still being built hold their builders but give no rest: a break there ends at once.
            return room.kind == kRoomKindCrewHome && room.IsBuiltOnGrid() && room.CountCrew() >= 1 &&
                   room.CountCrew() < room.capacity;
        },
        0);
}

// --- placement

bool GAME_CShip::CanPlaceRoom(std::int32_t x, std::int32_t y, std::int32_t kindIndex) const
{
    const std::uint32_t roomId = GetRoomIdTag(kindIndex);
    if (roomId == kNoId) return false;
    // A room kind without data has no footprint or values to place.
    const RoomData* data = FindRoomData(roomId);
    if (data == nullptr) return false;
    if (data->width > grid.width || data->height > grid.height || data->width < 1 || data->height < 1) return false;
    for (std::int32_t row = 0; row < data->height; ++row) {
        for (std::int32_t column = 0; column < data->width; ++column) {
            const GAME_CShipGrid::Cell* cell = grid.GetCell(std::int64_t{x} + column, std::int64_t{y} + row);
            if (cell == nullptr || cell->usable == 0 || cell->HoldsRoom()) return false;
            const DamageMarker* marker = FindCellDamage(x + column, y + row);
            if (marker != nullptr && marker->amount >= 1) return false;
        }
    }
    return true;
}

GAME_CRoomBase* GAME_CShip::TakeFreeRoom(std::int32_t x, std::int32_t y, std::int32_t kindIndex,
                                         bool underConstruction, std::uint32_t roomId)
{
    const ship_paths::LayoutChange change;
    if (!CanPlaceRoom(x, y, kindIndex) || freeRooms.empty()) {
        RecalcStats();
        return nullptr;
    }
    GAME_CRoomBase* room = freeRooms.back();
    freeRooms.pop_back();
    GAME_CRoomBase::SetupRecord setup;
    setup.kindIndex = static_cast<std::uint16_t>(kindIndex);
    setup.underConstruction = underConstruction;
    setup.skipFinish = true;
    room->Setup(setup);
    if (roomId != kNoId && roomId != room->roomId) {
        room->roomId = roomId;
        room->BindRoomScript();
        if (underConstruction) room->GoBuildStay();
    } else if (!underConstruction) {
        room->BindRoomScript();
    }
    auto free = std::find(rooms.begin(), rooms.end(), nullptr);
    if (free != rooms.end()) {
        *free = room;
    } else {
        rooms.push_back(room);
    }
    const std::uint32_t number = static_cast<std::uint32_t>(GetRoomIndex(room));
    room->gridX = static_cast<std::int16_t>(x);
    room->gridY = static_cast<std::int16_t>(y);
    ForEachFootprintCell(*room, [&](std::int32_t cx, std::int32_t cy) {
        if (GAME_CShipGrid::Cell* cell = grid.GetCell(cx, cy)) {
            cell->room = number;
            cell->usable = 1;
        }
    });
    // The build menu keeps offering a kind once one has stood on the ship.
    working_slot::SetRoomKindUnlocked(kindIndex, true);
    return room;
}

GAME_CRoomBase* GAME_CShip::PlaceRoom(std::int32_t x, std::int32_t y, std::int32_t kindIndex)
{
    GAME_CRoomBase* room = TakeFreeRoom(x, y, kindIndex, false, kNoId);
    if (room == nullptr) return nullptr;
    // Finished once it is listed and on its cell, so that its script starts and its stores know it.
    room->Finish(true);
    RecalcStats();
    return room;
}

GAME_CRoomBase* GAME_CShip::PlaceNewRoom(std::int32_t x, std::int32_t y, std::int32_t kindIndex, std::uint32_t roomId,
                                         bool issueBuildTask)
{
    GAME_CRoomBase* room = TakeFreeRoom(x, y, kindIndex, true, roomId);
    if (room == nullptr) return nullptr;
    if (issueBuildTask) {
        GAME_CTaskRequest request;
        request.taskId = MakeTag("TRBD");
        request.kind = kTaskRoomBuild;
        request.size = 24;
        request.roomIndex = GetRoomIndex(room);
        GAME_CTaskBase::CreateFromRequest(request);
    }
    RecalcStats();
    return room;
}

void GAME_CShip::DropRoomMaterials(const GAME_CRoomBase& room)
{
    GAME_CFieldObjectManager* objects = ship_world::FieldObjects();
    if (objects == nullptr || room.roomData == nullptr) return;
    for (std::size_t i = 0; i < kMaterialPairs; ++i) {
        const ItemCount& material = room.roomData->materials[i];
        if (IsUnusedItemCount(material)) break;
        if (DropItemStacks(material.itemId, material.count, room.gridX, room.gridY) > 0) break;
    }
    objects->RemoveDeadItems();
}

void GAME_CShip::RemoveRoom(std::int32_t roomNumber)
{
    GAME_CRoomBase* room = GetRoom(roomNumber);
    if (room == nullptr) return;
    const ship_paths::LayoutChange change;
    const std::uint32_t removed = static_cast<std::uint32_t>(roomNumber);
    // Its own cells let go of it at once; the rooms above keep their numbers on the grid until it
    // has left the list, so that a search while it goes (its tasks' units looking for a
    // storeroom) finds every other room, a ladder among them, on its cells.
    ForEachRoomCell(grid, [&](GAME_CShipGrid::Cell& cell) {
        if (cell.room == removed) cell.room = GAME_CShipGrid::kNoRoom;
    });
    if (room->IsFinishedBuilding()) DropRoomMaterials(*room);
    room->UnassignCrew(nullptr);
    // A crew member who rested or worked in the room without being bound to it still names it as
    // home or workplace; the room object goes back to the pool and the next room placed reuses it.
    if (GAME_CFieldObjectManager* objects = ship_world::FieldObjects()) objects->ClearCrewRoomLinks(room);
    if (IsGameWorldReady()) {
        const std::vector<GAME_CTaskBase*> bound = room->boundTasks;
        for (GAME_CTaskBase* task : bound) {
            if (task == nullptr) continue;
            task->finished = 1;
            room->DetachTask(task);
        }
        room->boundTasks.clear();
    }
    room->ReleaseKindState();
    room->gridX = -1;
    room->gridY = -1;
    rooms[static_cast<std::size_t>(roomNumber)] = nullptr;
    std::erase(rooms, nullptr);
    ForEachRoomCell(grid, [&](GAME_CShipGrid::Cell& cell) {
        if (cell.room > removed) --cell.room;
    });
    // Once the rooms above have moved down: a driver looks for its bridge from its new number on,
    // a room removed next in the same step finds its own stores by its new number, and the crew
    // name their homes and workplaces by the new numbers before a save or a hand-out reads them
    // (the crew's own step, which would catch up, comes before the ship's and stops in a hold).
    if (IsGameWorldReady()) {
        if (GAME_CTaskManager* tasks = ship_world::Tasks()) tasks->ShiftRoomIndices(roomNumber);
        if (GAME_CFieldObjectManager* objects = ship_world::FieldObjects()) objects->SyncCrewRoomLinks();
        RelinkAmmoStorageRooms();
        RelinkFoodStorageRooms();
    }
    room->ResetToPool();
    freeRooms.push_back(room);
    if (IsGameWorldReady()) RecalcStats();
}

void GAME_CShip::ForgetTarget(const GAME_CObjectEnemy* enemy)
{
    for (GAME_CRoomBase* room : rooms) {
        if (room != nullptr && room->target == enemy) room->target = nullptr;
    }
}

// --- hull damage

DamageMarker* GAME_CShip::FindCellDamage(std::int32_t x, std::int32_t y) const
{
    // A repaired marker still fading out holds no damage: a repair must not go on into it, nor a new
    // hit be added to it just before it is freed.
    for (DamageMarker* marker : damageMarkers) {
        if (marker != nullptr && marker->cellX == x && marker->cellY == y && marker->amount >= 1) return marker;
    }
    return nullptr;
}

void GAME_CShip::AddCellDamage(std::int32_t x, std::int32_t y, std::int32_t amount)
{
    if (DamageMarker* marker = FindCellDamage(x, y)) {
        AddDamageMarkerValue(*marker, amount);
        return;
    }
    if (amount < 1) return;
    auto* marker = new DamageMarker;
    if (marker == nullptr) return;
    marker->cellX = static_cast<std::int16_t>(x);
    marker->cellY = static_cast<std::int16_t>(y);
    marker->amount = amount;
    damageMarkers.push_back(marker);
}

bool GAME_CShip::AddDamageAtRandomCell(std::int32_t amount, std::int32_t* x, std::int32_t* y)
{
    std::vector<std::int32_t> usable;
    for (std::int32_t row = 0; row < grid.height; ++row) {
        for (std::int32_t column = 0; column < grid.width; ++column) {
            const GAME_CShipGrid::Cell* cell = grid.GetCell(column, row);
            if (cell != nullptr && cell->usable != 0) usable.push_back(row * GAME_CShipGrid::kMaxWidth + column);
        }
    }
    if (usable.empty()) return false;
    const std::int32_t cell = usable[static_cast<std::size_t>(vesk::math::RandInt(static_cast<int>(usable.size())))];
    *x = cell % GAME_CShipGrid::kMaxWidth;
    *y = cell / GAME_CShipGrid::kMaxWidth;
    AddCellDamage(*x, *y, amount);
    return true;
}

void GAME_CShip::ReleaseDamageClaims(const GAME_CObjectActor* actor)
{
    for (DamageMarker* marker : damageMarkers) {
        if (marker != nullptr && marker->claimer == actor) marker->claimer = nullptr;
    }
}
