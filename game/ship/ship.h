// The land ship of the game world: grid, hull renderer, damage markers and the ship's saved values.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "framework/memory/heaps.h"
#include "game/core/world/damage_marker.h"
#include "game/ship/ship_body_render.h"
#include "game/ship/ship_grid.h"

// The ship holds no rooms yet: its grid follows the ship record's floor mask,
// and its saved values are the ship tag and the fuel.
class GAME_CRoomBase;

class GAME_CShip : public vesk::memory::MainHeapObject {
public:
    GAME_CShip();
    ~GAME_CShip();
    GAME_CShip(const GAME_CShip&) = delete;
    GAME_CShip& operator=(const GAME_CShip&) = delete;

    void Update();
    void UpdateHullAlerts() {}
    void DrawRooms() {}
    void Draw(std::int16_t, std::int16_t) {}
    void DrawEffectFields() {}

    // Hull maximum less the values of every damage marker.
    std::int64_t GetRemainingHull() const;
    // Rooms placed on the grid: the leading entries of the room list.
    int CountRoomsOnGrid() const { return static_cast<int>(rooms.size()); }

    // Switches to the ship record with this tag; false (nothing changed) when there is none.
    bool ChangeShip(std::uint32_t tag);
    void WriteSaveRecord(std::span<std::uint8_t> slot) const;
    void BuildLayout(std::span<const std::uint8_t> slot);

    // The grid's screen rectangle at the current scroll and zoom.
    void GetGridScreenMin(float* x, float* y) const;
    void GetGridScreenMax(float* x, float* y) const;

    std::uint32_t shipTag = 0xFFFFFFFF;
    std::int16_t fuel = 0;
    std::int16_t fuelCountdown = 100;
    std::int32_t hullMax = 300;
    std::vector<DamageMarker*> damageMarkers;
    std::vector<GAME_CRoomBase*> rooms;  // by room number; the ship owns none yet
    std::int16_t scrollX = 0;
    std::int16_t scrollY = 0;
    std::uint32_t scrollChanged = 0;
    GAME_CShipGrid grid;
    std::unique_ptr<GAME_CShipBodyRender> body;

private:
    void TakeGridFromRecord();
};
