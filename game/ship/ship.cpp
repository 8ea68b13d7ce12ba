// The land ship of the game world: grid, hull renderer, damage markers and the ship's saved values.
#include "game/ship/ship.h"

#include <string>

#include "framework/log/log.h"
#include "game/core/data/static_lookups.h"
#include "game/core/data/tag.h"
#include "game/core/save/save_layout.h"
#include "game/core/world/camera2d.h"
#include "game/core/world/game_world.h"
#include "platform/little_endian.h"

using namespace save_layout;

namespace {
// A tag as its four characters when they are printable, else as a number.
std::string TagForLog(std::uint32_t tag)
{
    const std::string text = TagText(tag);
    for (char c : text) {
        if (c < 0x20 || c > 0x7E) return std::to_string(tag);
    }
    return text;
}
}  // namespace

GAME_CShip::GAME_CShip() : body(new GAME_CShipBodyRender) {}

GAME_CShip::~GAME_CShip()
{
    for (DamageMarker* marker : damageMarkers) delete marker;
}

void GAME_CShip::Update()
{
    if (body) body->Update();
}

std::int64_t GAME_CShip::GetRemainingHull() const
{
    std::int64_t remaining = hullMax;
    for (const DamageMarker* marker : damageMarkers) {
        if (marker) remaining -= marker->value;
    }
    return remaining;
}

void GAME_CShip::TakeGridFromRecord()
{
    const ShipData* record = FindShipData(shipTag);
    grid = GAME_CShipGrid{};
    if (record == nullptr) return;
    grid.width = std::min<std::int32_t>(record->gridWidth, GAME_CShipGrid::kMaxWidth);
    grid.height = std::min<std::int32_t>(record->gridHeight, GAME_CShipGrid::kMaxHeight);
    for (int y = 0; y < grid.height; ++y) {
        for (int x = 0; x < grid.width; ++x) {
            grid.GetCell(x, y)->usable = record->IsFloorCell(x, y) ? 1 : 0;
        }
    }
    hullMax = record->baseHull;
}

bool GAME_CShip::ChangeShip(std::uint32_t tag)
{
    if (FindShipData(tag) == nullptr) {
        vesk::log::Warning("no ship record " + TagForLog(tag) + "; the ship stays as it is");
        return false;
    }
    shipTag = tag;
    TakeGridFromRecord();
    return true;
}

void GAME_CShip::WriteSaveRecord(std::span<std::uint8_t> slot) const
{
    for (int i = 0; i < slot::kRoomRecordCount; ++i) {
        platform::WriteU32(slot, slot::kRooms + i * slot::kRoomRecordSize, 0xFFFFFFFF);
    }
    platform::WriteU32(slot, slot::kShipTag, shipTag);
    platform::WriteI16(slot, slot::kFuel, fuel);
    platform::WriteI16(slot, slot::kFuelCountdown, fuelCountdown);
}

void GAME_CShip::BuildLayout(std::span<const std::uint8_t> slot)
{
    for (DamageMarker* marker : damageMarkers) delete marker;
    damageMarkers.clear();
    shipTag = platform::ReadU32(slot, slot::kShipTag);
    fuel = platform::ReadI16(slot, slot::kFuel);
    fuelCountdown = platform::ReadI16(slot, slot::kFuelCountdown);
    if (FindShipData(shipTag) == nullptr) {
        vesk::log::Warning("save data: unknown ship " + TagForLog(shipTag) + "; the ship is left empty");
    }
    TakeGridFromRecord();
}

namespace {
float CameraZoom()
{
    const GAME_CGameWorld* world = PeekGameWorld();
    return world && world->camera ? world->camera->zoom : 1.0f;
}
}  // namespace

void GAME_CShip::GetGridScreenMin(float* x, float* y) const
{
    const float extent = grid.cellPixels * body->scale * CameraZoom() * 0.25f;
    *x = body->positionX + scrollX - grid.width * extent * 0.5f;
    *y = body->positionY + scrollY - grid.height * extent * 0.5f;
}

void GAME_CShip::GetGridScreenMax(float* x, float* y) const
{
    const float extent = grid.cellPixels * body->scale * CameraZoom() * 0.25f;
    *x = body->positionX + scrollX + grid.width * extent * 0.5f;
    *y = body->positionY + scrollY + grid.height * extent * 0.5f;
}
