// The land ship of the game world: its pool of rooms, grid, hull renderer, damage markers and stats.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "framework/math/vector.h"
#include "framework/memory/heaps.h"
#include "game/services/data/record_entries.h"
#include "game/model/ship/damage_marker.h"
#include "game/model/ship/effect_field.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship_body_render.h"
#include "game/model/ship/ship_grid.h"
#include "game/model/ship/ship_paths.h"

class GAME_CObjectActor;
struct ShipData;

// Where GAME_CShip::Draw puts the ship: a position and a scale.
struct ShipDrawPosition {
    std::int16_t x = 0;
    std::int16_t y = 0;
    float scale = 1.0f;
};

// The speed and rate terms one engine room adds to the ship's stats.
struct EngineTerms {
    std::int32_t speed = 0;
    std::int32_t rate = 1000;
};

// One instance, made with the game world. The pool of 247 rooms is allocated once; rooms move
// between the free list and the room list, whose index is a room's number. The ship's grid,
// path costs and placement are in ship_grid.h and ship_paths.h; the stats, fuel and damage here.
class GAME_CShip : public vesk::memory::MainHeapObject {
public:
    static constexpr int kRoomPoolSize = GAME_CShipGrid::kCellCount;
    static constexpr std::int32_t kStatsPeriod = 180;
    static constexpr std::int32_t kTurnFrames = 30;
    static constexpr std::int32_t kAlertPeriod = 400;
    static constexpr int kTurretKinds = 3;
    static constexpr int kTurretLevels = 5;

    // Turn states: the hull turns round at the ends of a route.
    enum TurnState : std::int32_t { kFacingForward = 0, kTurningAway = 1, kTurned = 2, kTurningBack = 3 };

    GAME_CShip();
    ~GAME_CShip();
    GAME_CShip(const GAME_CShip&) = delete;
    GAME_CShip& operator=(const GAME_CShip&) = delete;

    // --- simulation
    void Update();
    // Once a frame from the main-game scene: the hull renderer, the hull alert, crew balloons.
    void UpdateHullAlerts();
    void RecalcStats();
    // The new fuel amount; the countdown restarts at the fuel rate.
    std::int32_t AddFuel(std::int32_t delta);
    // Hull maximum less the amounts of every damage marker.
    std::int64_t GetRemainingHull() const;
    void ClearDamage();
    std::int32_t GetCrewCapacity() const;
    EngineTerms GetEngineTerms(const GAME_CRoomBase& room) const;
    // Turning round at a route end: as it departs or as it arrives.
    bool IsTurning() const { return turnState == kTurningAway || turnState == kTurningBack; }
    // Starts a turn when the route leaves from or arrives at the location.
    void ApplyRouteEndpoint(std::uint32_t routeId, std::uint32_t locationId);
    // Takes a new route position without burning fuel for the jump.
    void SetRoutePosition(std::int32_t position);
    void ClearScriptWait();

    // --- save
    void WriteSaveRecord(std::span<std::uint8_t> slot) const;
    void BuildLayout(std::span<const std::uint8_t> slot);
    // Replaces the ship by the record of the tag; false (nothing changed) when there is none. With
    // keepItems the stock of the old ship goes into one storage room of the new one.
    bool ChangeShip(std::uint32_t shipTag, bool keepItems = false);

    // --- rooms
    GAME_CRoomBase* GetRoom(std::int64_t roomNumber) const;
    std::int32_t GetRoomIndex(const GAME_CRoomBase* room) const;
    std::int32_t CountRoomsOnGrid() const { return static_cast<std::int32_t>(rooms.size()); }
    // Rooms of the kind whose remaining durability is above 0, rooms still being built among them.
    std::int32_t CountIntactRoomsOfKind(std::int32_t kind) const;
    // Rooms of the kind that stand built, whatever their durability.
    std::int32_t CountFinishedRoomsOfKind(std::int32_t kind) const;
    // Rooms of the kind that do their work: built, with durability left (an engine room that can
    // drive the ship, a bridge that can steer it).
    std::int32_t CountWorkingRoomsOfKind(std::int32_t kind) const;
    // Taking the room down would leave the ship without an engine: it is an engine room and fewer
    // than two engine rooms stand, or it is the one working engine while the others are still being built.
    bool IsLastEngine(const GAME_CRoomBase& room) const;
    // Rooms aiming at the enemy aim at nothing: it has left the field for the enemy pool.
    void ForgetTarget(const GAME_CObjectEnemy* enemy);
    // The room covering the cell and its number (-1); null when none.
    GAME_CRoomBase* GetRoomAtCell(std::int64_t x, std::int64_t y, std::int32_t* outRoomNumber = nullptr) const;
    bool CanPlaceRoom(std::int32_t x, std::int32_t y, std::int32_t kindIndex) const;
    GAME_CRoomBase* PlaceRoom(std::int32_t x, std::int32_t y, std::int32_t kindIndex);
    GAME_CRoomBase* PlaceNewRoom(std::int32_t x, std::int32_t y, std::int32_t kindIndex, std::uint32_t roomId,
                                 bool issueBuildTask);
    void RemoveRoom(std::int32_t roomNumber);
    bool GetLowestFloorCell(std::int32_t* x, std::int32_t* y) const;
    std::int32_t GetTurretWeaponSprite(const GAME_CRoomBase& room) const;

    // --- walking (the rules themselves are in ship_paths.h)
    bool IsReachable(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) const;
    bool IsRoomReachable(std::int32_t x, std::int32_t y, const GAME_CRoomBase& room) const;
    // The walking cost on the world's ship: 0 for the same cell, -1 when unreachable.
    static std::int32_t GetPathCost(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1);
    std::int32_t PathCost(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) const;
    // The lowest path cost from the cell to any footprint cell of the room; -1 when none.
    std::int32_t GetRoomPathCost(std::int32_t x, std::int32_t y, const GAME_CRoomBase& room) const;
    void GetCellFloorPoint(std::int32_t x, std::int32_t y, float* px, float* py, bool random) const;

    // --- searches
    using RoomPredicate = bool (*)(const GAME_CRoomBase& room, std::uint32_t argument);
    // The room of lowest non-negative path cost among those the predicate takes; ties keep the
    // lower room number.
    GAME_CRoomBase* FindNearestRoom(std::int32_t x, std::int32_t y, RoomPredicate predicate,
                                    std::uint32_t argument) const;
    GAME_CRoomBase* FindRoomWithBestStock(std::int32_t x, std::int32_t y) const;
    static GAME_CRoomBase* FindRoomHoldingItem(std::int32_t x, std::int32_t y, std::uint32_t itemId);
    GAME_CRoomBase* FindNearestOpenHomeRoom(std::int32_t x, std::int32_t y) const;

    // --- hull damage
    void AddCellDamage(std::int32_t x, std::int32_t y, std::int32_t amount);
    bool AddDamageAtRandomCell(std::int32_t amount, std::int32_t* x, std::int32_t* y);
    // The first marker on the cell that holds damage (an amount of at least 1); null when none.
    DamageMarker* FindCellDamage(std::int32_t x, std::int32_t y) const;
    void ReleaseDamageClaims(const GAME_CObjectActor* actor);

    // --- view
    void ToggleZoom();
    void SetZoomedOut(bool zoomedOut);
    // The size on screen of a block of grid cells (columns, rows) drawn at the body scale `scale`
    // (its sign, the mirroring, left aside) under the camera zoom: a cell is drawn at a quarter of the zoom.
    vesk::math::Vec2 ScreenSizeOfCells(vesk::math::Vec2 cells, vesk::math::Vec2 scale, float zoom) const;
    // One cell, and the whole grid, as the body is drawn now under the world camera's zoom.
    vesk::math::Vec2 CellScreenSize() const;
    vesk::math::Vec2 GridScreenSize() const;
    void GetGridScreenMin(float* x, float* y) const;
    void GetGridScreenMax(float* x, float* y) const;
    // The cell under the pointer or the grid cursor box, as a column and a row; clicked (when
    // given) tells whether a click of this frame lies on the cell.
    bool GetCellUnderCursor(float* column, float* row, bool cursorMode, bool usePointer, bool* clicked = nullptr) const;
    // The centre of the grid cursor box: the canvas centre shifted by the camera's vertical offset.
    vesk::math::Vec2 GetCursorBoxCentre() const;
    void DrawRooms();
    void Draw(const ShipDrawPosition& position);
    void DrawEffectFields();

    // --- members
    std::vector<GAME_CRoomBase*> freeRooms;
    std::vector<GAME_CRoomBase*> rooms;
    std::unique_ptr<GAME_CShipBodyRender> body;
    GAME_CShipGrid grid;
    std::int32_t turnState = kFacingForward;
    std::int32_t turnCounter = 0;

    std::vector<DamageMarker*> damageMarkers;
    std::int32_t hullMax = 1000;
    float speed = 1.0f;
    std::int32_t fuelCapacity = 1000;
    std::int32_t fuel = 1000;
    std::int32_t fuelRate = 100;
    std::int32_t fuelCountdown = 100;
    std::int32_t crewHomeCapacity = 3;
    const ShipData* shipData = nullptr;

    std::int16_t scrollX = 0;
    std::int16_t scrollY = 0;
    float viewScale = 1.0f;
    std::uint32_t cursorWord = 0;     // while set, cursor mode hit-tests the cursor box only
    std::uint32_t scrollChanged = 0;  // the 2-D camera raises it when the scroll moves
    std::uint32_t shipTag = kNoId;
    std::int32_t routePosition = 0;
    std::uint32_t awaitedRoomId = kNoId;  // the travel script waits for this room to be finished
    std::array<std::uint32_t, 3> resumePoint{kNoId, kNoId, kNoId};
    std::uint32_t scriptWaiting = 0;
    std::int32_t statsTimer = kStatsPeriod;
    std::uint32_t driveFlag = 0;  // set by the bridge driver each step, cleared by the update
    std::int32_t alertCounter = 0;
    // The row changes the walking rules found, kept until the layout changes.
    mutable ship_paths::RowChangeCache rowChanges;

    // Sprites of sprite group 2.
    std::int32_t floorSprite = -1;
    std::int32_t damageMarkerSprite = -1;
    std::int32_t labelBaseSprite = -1;
    std::array<std::array<std::int32_t, kTurretLevels>, kTurretKinds> turretSprites{};
    std::array<std::array<std::int32_t, kTurretLevels>, kTurretKinds> weaponSprites{};
    std::array<std::array<std::int32_t, 2>, 3> effectFieldSprites{};
    float cursorBoxWidth = 24.0f;
    float cursorBoxHeight = 24.0f;

private:
    void UpdateTurn();
    void UpdateRooms();
    void RemoveMarkedRooms();
    void AfterRoomsRemoved();
    void UpdateFuel();
    void UpdateDamageMarkers();
    void LookUpSprites();
    GAME_CRoomBase* TakeFreeRoom(std::int32_t x, std::int32_t y, std::int32_t kindIndex, bool underConstruction,
                                 std::uint32_t roomId);
    void ReturnAllRooms();
    void DropRoomMaterials(const GAME_CRoomBase& room);
    void DrawShip(float originX, float originY, float scaleX, float scaleY);

    std::unique_ptr<std::array<GAME_CRoomBase, kRoomPoolSize>> roomPool_;
    EffectFieldHolder effectFieldHolder_;
};

// Whether any part of the rectangle lies on the canvas seen through the view offset and scale,
// widened by 2 pixels on every side.
bool IsRectOnScreen(float viewX, float viewY, float viewScale, float x, float y, float width, float height);
