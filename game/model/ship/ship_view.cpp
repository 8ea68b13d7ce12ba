// The ship on screen: the zoomed-out view, the grid's screen corners, the cell under the pointer or cursor, and the on-screen test.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "framework/process/canvas.h"
#include "framework/input/touch_search.h"
#include "game/services/input/input_map.h"
#include "game/model/world/camera2d.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_world.h"

namespace {

constexpr float kZoomedOutZoom = 1.0f;
constexpr float kCloseZoom = 2.0f;
constexpr std::int32_t kZoomFrames = 15;

struct Rect {
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
};

// A pointer of the input map on the cell: a click, a held pointer or the hovering one. In cursor
// mode a pinching pointer (phase 3) does not count.
bool PointerInRect(const Rect& rect, bool cursorMode)
{
    if (!IsInputMapActive()) return false;
    const GAME_CInputMap* map = GetInputMap();
    const vesk::math::Vec2 min{rect.left, rect.top};
    const vesk::math::Vec2 max{rect.right, rect.bottom};
    for (const vesk::input::TouchList* list : {&map->GetPressedPointers(), &map->GetHeldPointers(), &map->GetIdlePointers()}) {
        const vesk::input::TouchPoint* point = vesk::input::FindObjectInRect(*list, min, max);
        if (point != nullptr && (!cursorMode || point->gesture != vesk::input::Gesture::Pinch)) return true;
    }
    return false;
}

}  // namespace

void GAME_CShip::ToggleZoom()
{
    if (body->IsZoomChanging()) return;
    GAME_CCamera2D* camera = ship_world::Camera();
    if (body->currentState == GAME_CShipBodyRender::kClose) {
        if (camera != nullptr) camera->SetZoom(kZoomedOutZoom, kZoomFrames);
        body->targetState = GAME_CShipBodyRender::kZoomingOut;
        body->transitionTimer = 0;
    } else if (body->currentState == GAME_CShipBodyRender::kZoomedOut) {
        if (camera != nullptr) camera->SetZoom(kCloseZoom, kZoomFrames);
        body->targetState = GAME_CShipBodyRender::kZoomingIn;
        body->transitionTimer = 0;
    }
}

void GAME_CShip::SetZoomedOut(bool zoomedOut)
{
    if (body->IsZoomChanging()) return;
    if (zoomedOut && body->currentState == GAME_CShipBodyRender::kClose) {
        body->targetState = GAME_CShipBodyRender::kZoomingOut;
        body->transitionTimer = 0;
    } else if (!zoomedOut && body->currentState == GAME_CShipBodyRender::kZoomedOut) {
        body->targetState = GAME_CShipBodyRender::kZoomingIn;
        body->transitionTimer = 0;
    }
}

vesk::math::Vec2 GAME_CShip::ScreenSizeOfCells(vesk::math::Vec2 cells, vesk::math::Vec2 scale, float zoom) const
{
    return {cells.x * grid.cellWidth * std::fabs(scale.x) * zoom * 0.25f, cells.y * grid.cellHeight * std::fabs(scale.y) * zoom * 0.25f};
}

vesk::math::Vec2 GAME_CShip::CellScreenSize() const
{
    return ScreenSizeOfCells({1.0f, 1.0f}, {body->scaleX, body->scaleY}, ship_world::CameraZoom());
}

vesk::math::Vec2 GAME_CShip::GridScreenSize() const
{
    return ScreenSizeOfCells({static_cast<float>(grid.width), static_cast<float>(grid.height)}, {body->scaleX, body->scaleY},
                             ship_world::CameraZoom());
}

void GAME_CShip::GetGridScreenMin(float* x, float* y) const
{
    const vesk::math::Vec2 extent = GridScreenSize();
    const GAME_CShipBodyRender::DrawRecord& origin = body->GetDrawRecord();
    *x = body->scaleX < 0.0f ? origin.x - extent.x : origin.x;
    *y = body->scaleY < 0.0f ? origin.y - extent.y : origin.y;
}

void GAME_CShip::GetGridScreenMax(float* x, float* y) const
{
    const vesk::math::Vec2 extent = GridScreenSize();
    const GAME_CShipBodyRender::DrawRecord& origin = body->GetDrawRecord();
    *x = body->scaleX < 0.0f ? origin.x : origin.x + extent.x;
    *y = body->scaleY < 0.0f ? origin.y : origin.y + extent.y;
}

bool GAME_CShip::GetCellUnderCursor(float* column, float* row, bool cursorMode, bool usePointer, bool* clicked) const
{
    if (clicked != nullptr) *clicked = false;
    const vesk::math::Vec2 cell = CellScreenSize();
    const float cellWidth = cell.x;
    const float cellHeight = cell.y;
    float minX = 0.0f;
    float minY = 0.0f;
    GetGridScreenMin(&minX, &minY);
    const bool turning = IsTurning();
    const vesk::math::Vec2 boxCentre = GetCursorBoxCentre();
    const float boxCentreX = boxCentre.x;
    const float boxCentreY = boxCentre.y;
    const bool pointerAllowed = usePointer && !turning && (!cursorMode || cursorWord == 0);
    const bool boxAllowed = !cursorMode || cursorWord != 0;
    for (std::int32_t r = 0; r < grid.height; ++r) {
        for (std::int32_t c = 0; c < grid.width; ++c) {
            const Rect rect{minX + static_cast<float>(c) * cellWidth, minY + static_cast<float>(r) * cellHeight,
                            minX + static_cast<float>(c + 1) * cellWidth, minY + static_cast<float>(r + 1) * cellHeight};
            bool hit = pointerAllowed && PointerInRect(rect, cursorMode);
            if (!hit && boxAllowed) {
                const float centreX = (rect.left + rect.right) * 0.5f;
                const float centreY = (rect.top + rect.bottom) * 0.5f;
                hit = std::fabs(centreX - boxCentreX) < (cellWidth + cursorBoxWidth) * 0.5f &&
                      std::fabs(centreY - boxCentreY) < (cellHeight + cursorBoxHeight) * 0.5f;
            }
            if (!hit) continue;
            if (clicked != nullptr && IsInputMapActive()) {
                *clicked = GetInputMap()->IsPointerInRect({rect.left, rect.top}, {rect.right, rect.bottom});
            }
            *column = static_cast<float>(body->scaleX < 0.0f ? grid.width - 1 - c : c);
            *row = static_cast<float>(body->scaleY < 0.0f ? grid.height - 1 - r : r);
            return true;
        }
    }
    return false;
}

vesk::math::Vec2 GAME_CShip::GetCursorBoxCentre() const
{
    const GAME_CCamera2D* camera = ship_world::Camera();
    const float offset = camera != nullptr ? camera->positionY - static_cast<float>(scrollY) : 0.0f;
    return {vesk::process::kCanvasWidth * 0.5f, vesk::process::kCanvasHeight * 0.5f + offset};
}

bool IsRectOnScreen(float viewX, float viewY, float viewScale, float x, float y, float width, float height)
{
    const float scale = viewScale != 0.0f ? viewScale : 1.0f;
    const float left = -viewX / scale - 2.0f;
    const float top = -viewY / scale - 2.0f;
    const float right = (vesk::process::kCanvasWidth - viewX) / scale + 2.0f;
    const float bottom = (vesk::process::kCanvasHeight - viewY) / scale + 2.0f;
    // Any overlap counts: a rectangle larger than the canvas has no corner on it and is on it all the same.
    const float x0 = std::min(x, x + width);
    const float x1 = std::max(x, x + width);
    const float y0 = std::min(y, y + height);
    const float y1 = std::max(y, y + height);
    return x1 >= left && x0 <= right && y1 >= top && y0 <= bottom;
}
