// The field objects of the game world: crew members, items, enemies, drop items and sand pillars.
#include "game/object/field_object_manager.h"

#include <algorithm>
#include <cstdlib>

#include "framework/math/random.h"
#include "game/core/world/game_world.h"
#include "game/object/object_enemy.h"
#include "game/ship/ship.h"

namespace {

const GAME_CShip* WorldShip()
{
    const GAME_CGameWorld* world = PeekGameWorld();
    return world ? world->ship.get() : nullptr;
}

bool IsFloorCell(const GAME_CShip& ship, std::int32_t x, std::int32_t y)
{
    const GAME_CShipGrid::Cell* cell = ship.grid.GetCell(x, y);
    return cell != nullptr && ship.grid.IsInside(x, y) && cell->usable != 0;
}

int CountFloorCells(const GAME_CShip& ship)
{
    int count = 0;
    for (int y = 0; y < GAME_CShipGrid::kMaxHeight; ++y) {
        for (int x = 0; x < GAME_CShipGrid::kMaxWidth; ++x) count += IsFloorCell(ship, x, y) ? 1 : 0;
    }
    return count;
}

}  // namespace

GAME_CFieldObjectManager::GAME_CFieldObjectManager()
    : crewPool_(std::make_unique<std::array<GAME_CObjectActor, kCrewPoolSize>>()),
      itemPool_(std::make_unique<std::array<GAME_CObjectItem, kItemPoolSize>>())
{
    crew.reserve(kCrewPoolSize);
    items.reserve(kItemPoolSize);
    freeCrew_.reserve(kCrewPoolSize);
    freeItems_.reserve(kItemPoolSize);
    for (GAME_CObjectActor& actor : *crewPool_) freeCrew_.push_back(&actor);
    for (GAME_CObjectItem& item : *itemPool_) freeItems_.push_back(&item);
}

GAME_CFieldObjectManager::~GAME_CFieldObjectManager() { Clear(); }

void GAME_CFieldObjectManager::Clear()
{
    for (GAME_CObjectActor* actor : crew) {
        if (actor == nullptr) continue;
        actor->active = 0;
        freeCrew_.push_back(actor);
    }
    crew.clear();
    ClearItems();
    enemies.clear();
}

GAME_CObjectActor* GAME_CFieldObjectManager::AcquireActorObject()
{
    if (freeCrew_.empty()) return nullptr;
    GAME_CObjectActor* actor = freeCrew_.back();
    freeCrew_.pop_back();
    actor->active = 1;
    actor->dead = 0;
    actor->homeLink = ActorRoomLink{};
    actor->workLink = ActorRoomLink{};
    crew.push_back(actor);
    return actor;
}

void GAME_CFieldObjectManager::ClearCrewRoomLinks()
{
    for (GAME_CObjectActor* actor : crew) {
        if (actor == nullptr || actor->active == 0) continue;
        actor->homeLink = ActorRoomLink{};
        actor->workLink = ActorRoomLink{};
    }
}

void GAME_CFieldObjectManager::PlaceCrewOnBottomRow()
{
    const GAME_CShip* ship = WorldShip();
    if (ship == nullptr) return;
    const std::int32_t row = ship->grid.height - 1;
    for (GAME_CObjectActor* actor : crew) {
        if (actor == nullptr || actor->active == 0) continue;
        std::int32_t column = -1;
        for (int draw = 0; draw < 10 && column < 0; ++draw) {
            const std::int32_t x = vesk::math::RandInt(std::max(1, ship->grid.width));
            if (IsFloorCell(*ship, x, row)) column = x;
        }
        for (std::int32_t x = 0; x < ship->grid.width && column < 0; ++x) {
            if (IsFloorCell(*ship, x, row)) column = x;
        }
        if (column < 0) continue;
        float x = 0.0f;
        float y = 0.0f;
        ship->GetCellFloorPoint(column, row, &x, &y, false);
        actor->PlaceAt(x, y);
    }
}

bool GAME_CFieldObjectManager::IsCellOccupiedByItem(std::int32_t column, std::int32_t row) const
{
    return std::any_of(items.begin(), items.end(), [&](const GAME_CObjectItem* item) {
        return item != nullptr && item->dead == 0 && item->carrier == nullptr && item->cellX == column &&
               item->cellY == row;
    });
}

bool GAME_CFieldObjectManager::FindFreeItemCell(std::int32_t x, std::int32_t y, std::int32_t* column,
                                                std::int32_t* row) const
{
    *column = -1;
    *row = -1;
    const GAME_CShip* ship = WorldShip();
    if (ship == nullptr || freeItems_.empty()) return false;
    if (CountFloorCells(*ship) <= static_cast<int>(items.size())) return false;
    const auto isFree = [&](std::int32_t cx, std::int32_t cy) {
        return IsFloorCell(*ship, cx, cy) && !IsCellOccupiedByItem(cx, cy);
    };
    const std::int32_t startX = std::max(0, x);
    const std::int32_t startY = std::max(0, y);
    if (startX < GAME_CShipGrid::kMaxWidth && startY < GAME_CShipGrid::kMaxHeight && isFree(startX, startY)) {
        *column = startX;
        *row = startY;
        return true;
    }
    const auto scanRow = [&](std::int32_t cy) {
        if (cy < 0 || cy >= ship->grid.height) return false;
        for (std::int32_t k = 0; k < GAME_CShipGrid::kMaxWidth; ++k) {
            for (const std::int32_t cx : {x - k, x + k}) {
                if (isFree(cx, cy)) {
                    *column = cx;
                    *row = cy;
                    return true;
                }
            }
        }
        return false;
    };
    for (std::int32_t d = 0; d < GAME_CShipGrid::kMaxHeight + std::abs(y); ++d) {
        if (d > 0 && scanRow(y - d)) return true;
        if (scanRow(y + d)) return true;
    }
    return false;
}

GAME_CObjectItem* GAME_CFieldObjectManager::AcquireItemObject()
{
    const GAME_CShip* ship = WorldShip();
    if (ship == nullptr || freeItems_.empty()) return nullptr;
    if (CountFloorCells(*ship) <= static_cast<int>(items.size())) return nullptr;
    GAME_CObjectItem* item = freeItems_.back();
    freeItems_.pop_back();
    *item = GAME_CObjectItem{};
    return item;
}

bool GAME_CFieldObjectManager::DropItemOnCell(std::uint32_t itemId, std::int32_t count, std::int32_t column,
                                              std::int32_t row)
{
    const GAME_CShip* ship = WorldShip();
    GAME_CObjectItem* item = ship ? AcquireItemObject() : nullptr;
    if (item == nullptr) return false;
    ItemObjectSetup setup;
    InitItemEntry(setup.entry, itemId, count);
    ship->GetCellFloorPoint(column, row, &setup.x, &setup.y, false);
    item->Init(setup);
    item->SnapToGridCell();
    items.push_back(item);
    return true;
}

void GAME_CFieldObjectManager::RemoveDeadItems()
{
    std::erase_if(items, [&](GAME_CObjectItem* item) {
        if (item == nullptr) return true;
        if (item->record == nullptr || item->count == 0) item->dead = 1;
        if (item->dead == 0) return false;
        freeItems_.push_back(item);
        return true;
    });
}

void GAME_CFieldObjectManager::ClearItems()
{
    for (GAME_CObjectItem* item : items) {
        if (item == nullptr) continue;
        item->carrier = nullptr;
        item->dead = 1;
        freeItems_.push_back(item);
    }
    items.clear();
}

GAME_CObjectEnemy* GAME_CFieldObjectManager::FindNearestEnemy(std::int32_t routePosition) const
{
    GAME_CObjectEnemy* nearest = nullptr;
    std::int64_t best = 0;
    for (GAME_CObjectEnemy* enemy : enemies) {
        if (enemy == nullptr) continue;
        const std::int64_t distance = std::llabs(std::int64_t{enemy->routePosition} - routePosition);
        if (nearest == nullptr || distance < best) {
            nearest = enemy;
            best = distance;
        }
    }
    return nearest;
}
