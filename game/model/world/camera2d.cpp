// The 2D camera: scrolls and zooms the view onto the ship, follows requests and keeps it in bounds.
#include "game/model/world/camera2d.h"

#include <algorithm>
#include <cmath>

#include "framework/graphics/sprite_registry.h"
#include "framework/input/input_manager.h"
#include "framework/process/canvas.h"
#include "game/services/player/player_data.h"
#include "game/services/data/static_database.h"
#include "game/services/input/input_map.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/save/settings_limits.h"
#include "game/model/object/field_draw.h"
#include "game/model/object/object_base.h"
#include "game/model/world/game_world.h"

namespace {

constexpr float kDecay = 0.9f;
constexpr float kStickThreshold = 0.9f;
constexpr float kDragFactor = -0.1f;
constexpr float kMinVelocity = 1.0f;
constexpr float kFocusPull = 0.5f;
constexpr float kObjectPull = 0.75f;
constexpr float kCrewPull = 0.5f;
// A wheel notch zooms by a tenth of the current zoom at the default sensitivity (50 %).
constexpr float kWheelZoomShare = 0.1f;
constexpr float kDefaultWheelSensitivity = 50.0f;
constexpr int kLabelGroup = 2;

GAME_CShip* WorldShip()
{
    GAME_CGameWorld* world = PeekGameWorld();
    return world ? world->ship.get() : nullptr;
}

bool ClampingOff()
{
    const GAME_CPlayerData* player = GetPlayerData();
    return player != nullptr && player->noScrollClamp != 0;
}

// The saved wheel sensitivity, 0..100 %, as the options store it in the system record.
float WheelSensitivity()
{
    return static_cast<float>(ReadSettingUpTo(GetWorkingSystemRecord(), save_layout::system::kWheelSensitivity,
                                              save_layout::system::kMaxWheelSensitivity, "wheel sensitivity"));
}

float CameraSpeedOption()
{
    const GAME_CPlayerData* player = GetPlayerData();
    return player ? static_cast<float>(player->cameraSpeed) : 50.0f;
}

// -1, 0 or +1 on each axis from the scroll actions: the view stick past 0.9 or a held key.
void ScrollDirection(float* dx, float* dy)
{
    *dx = 0.0f;
    *dy = 0.0f;
    if (!IsInputMapActive()) return;
    const GAME_CInputMap* map = GetInputMap();
    const vesk::math::Vec2& stick = map->GetViewStickPosition();
    if (stick.x < -kStickThreshold || map->IsActionHeld(kActionCursorLeft)) *dx -= 1.0f;
    if (stick.x > kStickThreshold || map->IsActionHeld(kActionCursorRight)) *dx += 1.0f;
    if (stick.y < -kStickThreshold || map->IsActionHeld(kActionCursorUp)) *dy -= 1.0f;
    if (stick.y > kStickThreshold || map->IsActionHeld(kActionCursorDown)) *dy += 1.0f;
    const vesk::math::Vec2 drag = map->GetDragPosition();
    *dx += drag.x * kDragFactor;
    *dy += drag.y * kDragFactor;
}

// The room when the ship still holds it; a room broken up meanwhile is not read.
const GAME_CRoomBase* FollowedRoomOnShip(const GAME_CRoomBase* room)
{
    const GAME_CShip* ship = WorldShip();
    if (room == nullptr || ship == nullptr) return nullptr;
    const auto& rooms = ship->rooms;
    return std::find(rooms.begin(), rooms.end(), room) != rooms.end() ? room : nullptr;
}

}  // namespace

GAME_CCamera2D::GAME_CCamera2D()
{
    labelBaseIndex = vesk::resource::FindSpriteIndex(kLabelGroup, "ui_labelbase");
    labelBase = vesk::resource::GetSpriteAt(kLabelGroup, labelBaseIndex);
    if (const GAME_CStaticDatabase* database = GetStaticDatabase()) {
        const CameraValues& values = database->Camera();
        zoomMin = values.zoomMin;
        zoomMax = values.zoomMax;
        zoomStep = values.zoomValue3;
        keyZoomStep_ = values.zoomValue3;
        zoomDefault = values.zoomValue4;
        baseScrollSpeed = values.scrollSpeed;
        value6 = values.value6;
    }
    InitTween(positionTween, 0.0f, 0.0f, 0, 0);
    InitTween(zoomTween, zoom, 0.0f, 0, 0);
}

void GAME_CCamera2D::ComputeBounds(bool keepCentreCovered)
{
    const GAME_CShip* ship = WorldShip();
    if (ship == nullptr) return;
    float minX = 0.0f, minY = 0.0f, maxX = 0.0f, maxY = 0.0f;
    ship->GetGridScreenMin(&minX, &minY);
    ship->GetGridScreenMax(&maxX, &maxY);
    const float centreX = (minX + maxX) * 0.5f;
    const float centreY = (minY + maxY) * 0.5f;
    // The grid's centre may go anywhere on the canvas, never off it.
    constexpr float kWidth = vesk::process::kCanvasWidth;
    constexpr float kHeight = vesk::process::kCanvasHeight;
    float left = 0.0f, right = kWidth, top = 0.0f, bottom = kHeight;
    if (keepCentreCovered) {
        // A grid smaller than the canvas also keeps covering the canvas centre: a view scrolled to the
        // edge while zoomed in would leave the ship zoomed out in a corner, off the canvas or behind the
        // HUD. The width is the unturned one: a turn squeezes the hull through nothing.
        const float unturnedScale = ship->body->scaleY;
        const vesk::math::Vec2 columns{static_cast<float>(ship->grid.width), 1.0f};
        const float halfWidth = ship->ScreenSizeOfCells(columns, {unturnedScale, unturnedScale}, zoom).x * 0.5f;
        const float halfHeight = (maxY - minY) * 0.5f;
        left = std::max(left, kWidth * 0.5f - halfWidth);
        right = std::min(right, kWidth * 0.5f + halfWidth);
        top = std::max(top, kHeight * 0.5f - halfHeight);
        bottom = std::min(bottom, kHeight * 0.5f + halfHeight);
    }
    boundLeft = static_cast<std::int32_t>(ship->scrollX + (left - centreX));
    boundRight = static_cast<std::int32_t>(ship->scrollX + (right - centreX));
    boundTop = static_cast<std::int32_t>(ship->scrollY + (top - centreY));
    boundBottom = static_cast<std::int32_t>(ship->scrollY + (bottom - centreY));
}

void GAME_CCamera2D::Update()
{
    TweenPoint zoomOut{zoom, 0.0f};
    UpdateTweenEaseOut(zoomTween, zoomOut);
    zoom = zoomOut.x;
    TweenPoint targetOut{static_cast<float>(targetX), 0.0f};
    UpdateTweenEaseOut(positionTween, targetOut);
    targetX = static_cast<std::int32_t>(targetOut.x);

    // A cell request ends when the view has reached the cell, or when another mode took the camera
    // first (a closing crew window, a road's script): left standing, it held the zoom input back for good.
    if (mode != kFocusCell) cellRequestActive = 0;
    GAME_CGameWorld* world = PeekGameWorld();
    GAME_CShip* ship = WorldShip();
    if (world == nullptr || ship == nullptr) return;
    if (IsHeld()) {
        velocityX = 0.0f;
        velocityY = 0.0f;
        ClampVertical();
        return;
    }
    ship->scrollChanged = 0;
    if (cellRequestActive == 0) ZoomInput();
    // The ship's own view, neither zoomed out to the road nor changing its zoom, keeps the ship in sight.
    ComputeBounds(!ship->body->IsZoomedOut() && !ship->body->IsZoomChanging());
    switch (mode) {
    case kFree:
        UpdateFree();
        break;
    case kFocusCell:
        UpdateFocusCell();
        break;
    case kFollowObject:
        UpdateFollowObject();
        break;
    case kFollowCrew:
        UpdateFollowCrew();
        break;
    default:
        velocityX = 0.0f;
        velocityY = 0.0f;
        break;
    }
    if (mode == kFree && velocityY != 0.0f) {
        zoomStep = std::clamp(zoomStep + velocityY, 0.0f, 102.0f);
        ship->scrollChanged = 1;
    }
    ApplyScroll();
}

bool GAME_CCamera2D::IsHeld() const
{
    const GAME_CGameWorld* world = PeekGameWorld();
    if (world == nullptr || !world->ui) return true;
    if (world->ui->IsOpen(kSlotGameOver) && mode == kFocusCell) return false;
    const bool fieldBlocked = !world->ui->GetTopFieldControl() && cellRequestActive == 0;
    return fieldBlocked || followsInput == 0 || !IsTweenFinished(positionTween) || targetX != 0;
}

void GAME_CCamera2D::UpdateFree()
{
    const GAME_CGameWorld* world = PeekGameWorld();
    velocityX *= kDecay;
    velocityY *= kDecay;
    if (!world->ui->GetTopFieldControl() || world->held != 0 || world->paused != 0 || world->inputBlocked != 0) return;
    float dx = 0.0f, dy = 0.0f;
    ScrollDirection(&dx, &dy);
    const float speed = (CameraSpeedOption() + 50.0f) / 2.0f * 0.01f * baseScrollSpeed;
    if (dx != 0.0f) velocityX = -(dx * speed);
    if (dy != 0.0f) velocityY = -(dy * speed);
}

void GAME_CCamera2D::PullTowardsCentre(float x, float y, float share)
{
    velocityX = (vesk::process::kCanvasWidth * 0.5f - x) * share;
    velocityY = (vesk::process::kCanvasHeight * 0.5f - y) * share;
}

void GAME_CCamera2D::DropShortVelocity()
{
    if (std::hypot(velocityX, velocityY) < kMinVelocity) {
        velocityX = 0.0f;
        velocityY = 0.0f;
    }
}

void GAME_CCamera2D::UpdateFocusCell()
{
    float cellX = 0.0f, cellY = 0.0f;
    CellScreenPosition(focusX, focusY, &cellX, &cellY);
    PullTowardsCentre(cellX, cellY, kFocusPull);
    KeepInsideBounds();
    DropShortVelocity();
    if (velocityX == 0.0f && velocityY == 0.0f) cellRequestActive = 0;
}

void GAME_CCamera2D::UpdateFollowObject()
{
    const float previousX = velocityX;
    const float previousY = velocityY;
    if (followedObject == nullptr || followedObject->dead != 0) {
        velocityX = 0.0f;
        velocityY = 0.0f;
        return;
    }
    const vesk::math::Vec2 target = CurrentFieldFrame().ToScreen(followedObject->GetPosition());
    PullTowardsCentre(target.x, target.y, kObjectPull);
    // A turn of direction means the view has caught up: it waits rather than swinging past.
    if (velocityX * previousX < 0.0f) velocityX = 0.0f;
    if (velocityY * previousY < 0.0f) velocityY = 0.0f;
}

void GAME_CCamera2D::UpdateFollowCrew()
{
    vesk::math::Vec2 target;
    if (followedCrew != nullptr && followedCrew->dead == 0) {
        // The crew member's middle rather than its feet: half a cell above where it stands.
        const FieldFrame frame = CurrentFieldFrame();
        target = frame.ToScreen(followedCrew->GetPosition());
        target.y -= FieldCellHeight() * frame.SpriteScaleY() * 0.5f;
    } else if (const GAME_CRoomBase* room = FollowedRoomOnShip(followedRoom)) {
        target = {(room->screenRect[0] + room->screenRect[2]) * 0.5f, (room->screenRect[1] + room->screenRect[3]) * 0.5f};
    } else {
        velocityX = 0.0f;
        velocityY = 0.0f;
        return;
    }
    PullTowardsCentre(target.x, target.y, kCrewPull);
    KeepInsideBounds();
    DropShortVelocity();
}

void GAME_CCamera2D::KeepInsideBounds()
{
    const GAME_CShip* ship = WorldShip();
    const float x = ship->scrollX + velocityX;
    if (x < boundLeft || x > boundRight) velocityX = 0.0f;
    const float y = ship->scrollY + velocityY;
    if (y < boundTop) velocityY = static_cast<float>(boundTop - ship->scrollY);
    if (y > boundBottom) velocityY = static_cast<float>(boundBottom - ship->scrollY);
}

bool GAME_CCamera2D::FocusCell(std::int32_t x, std::int32_t y)
{
    GAME_CShip* ship = WorldShip();
    if (ship == nullptr) return false;
    const GAME_CShipGrid::Cell* cell = ship->grid.GetCell(x, y);
    if (cell == nullptr || cell->usable == 0) return false;
    mode = kFocusCell;
    focusX = x;
    focusY = y;
    cellRequestActive = 1;
    ship->scrollChanged = 1;
    return true;
}

void GAME_CCamera2D::ClampToShip()
{
    GAME_CShip* ship = WorldShip();
    if (ship == nullptr || ClampingOff()) return;
    ComputeBounds();
    ship->scrollX = static_cast<std::int16_t>(std::clamp<std::int32_t>(ship->scrollX, boundLeft, std::max(boundLeft, boundRight)));
    ship->scrollY = static_cast<std::int16_t>(std::clamp<std::int32_t>(ship->scrollY, boundTop, std::max(boundTop, boundBottom)));
    positionX = ship->scrollX;
    positionY = ship->scrollY;
}

void GAME_CCamera2D::ClampVertical()
{
    GAME_CShip* ship = WorldShip();
    if (ship == nullptr || ClampingOff()) return;
    ComputeBounds();
    ship->scrollY = static_cast<std::int16_t>(std::clamp<std::int32_t>(ship->scrollY, boundTop, std::max(boundTop, boundBottom)));
    positionY = std::clamp(positionY, static_cast<float>(boundTop), static_cast<float>(std::max(boundTop, boundBottom)));
}

void GAME_CCamera2D::ApplyScroll()
{
    GAME_CShip* ship = WorldShip();
    if (ship == nullptr) return;
    const std::int16_t oldX = ship->scrollX;
    const std::int16_t oldY = ship->scrollY;
    positionX += velocityX;
    positionY += velocityY;
    if (!ClampingOff()) {
        positionX = std::clamp(positionX, static_cast<float>(boundLeft), static_cast<float>(std::max(boundLeft, boundRight)));
        positionY = std::clamp(positionY, static_cast<float>(boundTop), static_cast<float>(std::max(boundTop, boundBottom)));
    }
    ship->scrollX = static_cast<std::int16_t>(std::clamp(positionX, -32768.0f, 32767.0f));
    ship->scrollY = static_cast<std::int16_t>(std::clamp(positionY, -32768.0f, 32767.0f));
    if (ship->scrollX != oldX || ship->scrollY != oldY) ship->scrollChanged = 1;
}

void GAME_CCamera2D::SetTargetX(float x, std::int32_t frames)
{
    const GAME_CShip* ship = WorldShip();
    const float scroll = ship ? static_cast<float>(ship->scrollX) : 0.0f;
    const float target = x - scroll * zoom;
    if (frames < 1) {
        targetX = static_cast<std::int32_t>(target);
        InitTween(positionTween, target, 0.0f, 0, 0);
        return;
    }
    positionTween.to = {target, 0.0f};
    positionTween.duration = frames;
    positionTween.delay = 0;
    RestartTweenFrom(positionTween, {static_cast<float>(targetX), 0.0f});
}

float GAME_CCamera2D::ClampZoom(float newZoom) const { return std::clamp(newZoom, zoomMin, std::max(zoomMin, zoomMax)); }

void GAME_CCamera2D::SetZoom(float newZoom, std::int32_t frames)
{
    const float clamped = ClampZoom(newZoom);
    if (frames < 1) {
        zoom = clamped;
        InitTween(zoomTween, clamped, 0.0f, 0, 0);
        return;
    }
    zoomTween.to = {clamped, 0.0f};
    zoomTween.duration = frames;
    zoomTween.delay = 0;
    RestartTweenFrom(zoomTween, {zoom, 0.0f});
}

void GAME_CCamera2D::ZoomInput()
{
    if (zoomInputAllowed == 0 || !IsTweenFinished(zoomTween) || !IsInputMapActive()) return;
    const GAME_CGameWorld* world = PeekGameWorld();
    if (world == nullptr || !world->ui || !world->ui->GetTopFieldControl()) return;
    const GAME_CInputMap* map = GetInputMap();
    const vesk::input::MouseInput* mouse = vesk::input::GetMouseInput();
    const std::int32_t wheel = mouse != nullptr ? mouse->wheelSteps : 0;
    GAME_CInputMap::PinchResult pinch;
    if (map->GetReleasedPointer(pinch) && std::fabs(pinch.distance) > zoomStep) {
        SetZoom(zoom * (1.0f + pinch.distance * 0.01f), 0);
    } else if (wheel != 0) {
        const float share = kWheelZoomShare * WheelSensitivity() / kDefaultWheelSensitivity;
        SetZoom(zoom * (1.0f + static_cast<float>(wheel) * share), 0);
    } else if (map->IsZoomInHeld()) {
        SetZoom(zoom + keyZoomStep_, 0);
    } else if (map->IsZoomOutHeld()) {
        SetZoom(zoom - keyZoomStep_, 0);
    }
}

void GAME_CCamera2D::CellScreenPosition(std::int32_t x, std::int32_t y, float* outX, float* outY) const
{
    const GAME_CShip* ship = WorldShip();
    if (ship == nullptr) {
        *outX = vesk::process::kCanvasWidth * 0.5f;
        *outY = vesk::process::kCanvasHeight * 0.5f;
        return;
    }
    const std::int32_t column = ship->body->scaleX < 0.0f ? ship->grid.width - x - 1 : x;
    // Rows go by the cell's height at the hull's height scale: cells need not be square, and a turning
    // hull narrows its columns only.
    const vesk::math::Vec2 cell = ship->ScreenSizeOfCells({1.0f, 1.0f}, {ship->body->scaleX, ship->body->scaleY}, zoom);
    float minX = 0.0f, minY = 0.0f;
    ship->GetGridScreenMin(&minX, &minY);
    *outX = minX + (static_cast<float>(column) + 0.5f) * cell.x;
    *outY = minY + (static_cast<float>(y) + 0.5f) * cell.y;
}
