// The 2D camera: scrolls and zooms the view onto the ship, follows requests and keeps it in bounds.
#pragma once

#include <cstdint>

#include "framework/memory/heaps.h"
#include "game/model/world/tween.h"

class GAME_CObjectBase;
class GAME_CRoomBase;

class GAME_CCamera2D : public vesk::memory::MainHeapObject {
public:
    enum Mode : std::uint32_t { kFree = 0, kFollowObject = 1, kFollowCrew = 2, kFocusCell = 3 };

    GAME_CCamera2D();
    virtual ~GAME_CCamera2D() = default;
    GAME_CCamera2D(const GAME_CCamera2D&) = delete;
    GAME_CCamera2D& operator=(const GAME_CCamera2D&) = delete;

    // Each frame from the main-game update, also while a manual save runs.
    void Update();
    // Whether the update leaves the view where it stands this frame (no input followed, a screen on
    // top without field control, a tween or a target under way): it neither scrolls nor settles
    // the ship's scroll-changed flag then.
    bool IsHeld() const;
    // Frames a floor cell of the grid; a cell outside it or without its flag changes nothing.
    bool FocusCell(std::int32_t x, std::int32_t y);
    // Keeps the ship's scroll inside the bounds (unless the option turns clamping off).
    void ClampToShip();
    void ClampVertical();
    // Moves by the velocity and clamps.
    void ApplyScroll();
    void SetTargetX(float x, std::int32_t frames);
    // Clamped to the zoom limits; at once when frames < 1, else eased.
    void SetZoom(float zoom, std::int32_t frames);
    // The zoom the limits let the camera take for the one asked for.
    float ClampZoom(float zoom) const;
    void ZoomInput();
    // Where a grid column and row stand on the canvas at the current zoom.
    void CellScreenPosition(std::int32_t x, std::int32_t y, float* outX, float* outY) const;

    std::int32_t labelBaseIndex = -1;
    const void* labelBase = nullptr;
    std::uint32_t mode = kFree;
    // Followed in mode 1 and mode 2; a dead one is no longer followed. Mode 2 follows the room
    // its screen shows when it follows no crew member.
    const GAME_CObjectBase* followedObject = nullptr;
    const GAME_CObjectBase* followedCrew = nullptr;
    const GAME_CRoomBase* followedRoom = nullptr;
    std::int32_t focusX = 0;
    std::int32_t focusY = 0;
    float positionX = 0.0f;
    float positionY = 0.0f;
    float velocityX = 0.0f;
    float velocityY = 0.0f;
    std::int32_t targetX = 0;
    float zoom = 1.0f;
    Tween positionTween;
    Tween zoomTween;
    std::int32_t boundRight = 0;
    std::int32_t boundLeft = 0;
    std::int32_t boundBottom = 0;
    std::int32_t boundTop = 0;
    float zoomMin = 1.5f;
    float zoomMax = 10.0f;
    float zoomStep = 0.01f;
    float zoomDefault = 2.0f;
    float baseScrollSpeed = 10.0f;
    float value6 = 1.0f;
    std::uint32_t cellRequestActive = 0;
    std::uint32_t followsInput = 1;
    // The player zooms in play; screens that take the field away stop it (field control).
    std::uint32_t zoomInputAllowed = 1;

private:
    // What a frame of a held zoom key adds: the database's zoom step, which scrolling does not move.
    float keyZoomStep_ = 0.01f;

    // The bounds of the ship's scroll; keepCentreCovered adds that the grid covers the canvas centre.
    void ComputeBounds(bool keepCentreCovered = false);
    void UpdateFree();
    void UpdateFocusCell();
    void UpdateFollowObject();
    void UpdateFollowCrew();
    // Velocity that brings a canvas point to the canvas centre, at the given share per frame.
    void PullTowardsCentre(float x, float y, float share);
    void DropShortVelocity();
    void KeepInsideBounds();
};
