// The in-game HUD's drawing: the highlight of the current cell's room, the button bar and the cursors.
#include "game/model/world/game_world.h"
#include "game/model/ship/room_base.h"
#include "game/ui/screen_context.h"
#include "game/ui/screens/ui_common.h"
#include "game/ui/screens/ui_common_access.h"
#include "game/ui/sprite_stretch.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_manager.h"

namespace {

float CameraZoom(const GAME_CGameWorld& world) { return world.camera ? world.camera->zoom : 1.0f; }

// The ship's grid as the screen shows it: its top-left corner, a cell's size, and the cell that a
// grid column and row fall on. A mirrored hull counts from the far side of the grid, as its rooms
// are drawn and as the cell under the pointer is found, whatever the player data's option words say.
struct ScreenGrid {
    float x = 0.0f;
    float y = 0.0f;
    float cellWidth = 0.0f;
    float cellHeight = 0.0f;
    bool mirroredColumns = false;
    bool mirroredRows = false;
    std::int32_t width = 0;
    std::int32_t height = 0;

    std::int32_t Column(std::int32_t column) const { return mirroredColumns ? width - 1 - column : column; }
    std::int32_t Row(std::int32_t row) const { return mirroredRows ? height - 1 - row : row; }
};

ScreenGrid GridOnScreen(const GAME_CGameWorld& world, const GAME_CShip& ship)
{
    const vesk::math::Vec2 cell = ship.ScreenSizeOfCells({1.0f, 1.0f}, {ship.body->scaleX, ship.body->scaleY}, CameraZoom(world));
    ScreenGrid grid{.cellWidth = cell.x,
                    .cellHeight = cell.y,
                    .mirroredColumns = ship.body->scaleX < 0.0f,
                    .mirroredRows = ship.body->scaleY < 0.0f,
                    .width = ship.grid.width,
                    .height = ship.grid.height};
    ship.GetGridScreenMin(&grid.x, &grid.y);
    return grid;
}

}  // namespace

void GAME_CUICommon::Draw()
{
    BeginUISprites();
    DrawRoomHighlight();
    DrawWidgets(widgets_);
    if (steps_.Is(kButtonCursor)) {
        // The cursor stands with its bottom-left corner on the button's fixed point.
        DrawUISprite(CursorPoint(cursorIndex_), sprites_[0].index, {.pivotY = 1.0f});
    } else {
        DrawPadCursor();
    }
    FlushUISprites();
}

void GAME_CUICommon::DrawRoomHighlight()
{
    const GAME_CGameWorld& world = Context().world;
    const GAME_CShip* ship = HudShip(world);
    if (movedActor_ != nullptr || ship == nullptr) return;
    if (Context().ui.IsOpen(kSlotBuildSelectGrid) || ship->body->IsZoomedOut() || ship->body->IsZoomChanging()) return;
    if (currentCell_ < 0 || ship->grid.width < 1) return;
    const GAME_CRoomBase* room = ship->GetRoomAtCell(currentCell_ % ship->grid.width, currentCell_ / ship->grid.width);
    if (room == nullptr || room->roomData == nullptr) return;
    const ScreenGrid grid = GridOnScreen(world, *ship);
    vesk::graphics::DrawParam param;
    const vesk::math::Vec2 footprint{static_cast<float>(room->width) * grid.cellWidth, static_cast<float>(room->height) * grid.cellHeight};
    if (!StretchUISpriteMiddle(sprites_[1].index, footprint, param)) return;
    param.color = kHighlightColor;
    // The footprint of a room on a mirrored hull grows back towards the near side.
    const float shiftX = grid.mirroredColumns && room->width > 1 ? -static_cast<float>(room->width - 1) * grid.cellWidth : 0.0f;
    const float shiftY = grid.mirroredRows && room->height > 1 ? -static_cast<float>(room->height - 1) * grid.cellHeight : 0.0f;
    DrawUISprite({grid.x + static_cast<float>(grid.Column(room->gridX)) * grid.cellWidth + shiftX,
                  grid.y + static_cast<float>(grid.Row(room->gridY)) * grid.cellHeight + shiftY},
                 sprites_[1].index, param);
}

void GAME_CUICommon::DrawPadCursor()
{
    const GAME_CGameWorld& world = Context().world;
    const GAME_CShip* ship = HudShip(world);
    if (ship == nullptr || !IsPadCursorOn(world)) return;
    if (IsHudLocked(world) || Context().ui.IsOpen(kSlotBuildSelectGrid)) return;
    const vesk::math::Vec2 size = UISpriteSize(sprites_[0].index);
    const int halfWidth = static_cast<int>(size.x) / 2;
    const int halfHeight = static_cast<int>(size.y) / 2;
    vesk::math::Vec2 corner{0.0f, 0.0f};
    if (world.camera && world.camera->mode == GAME_CCamera2D::kFocusCell) {
        // The centre of the focus cell, mirrored like the highlight.
        const ScreenGrid grid = GridOnScreen(world, *ship);
        corner = {grid.x + (static_cast<float>(grid.Column(world.camera->focusX)) + 0.5f) * grid.cellWidth,
                  grid.y + (static_cast<float>(grid.Row(world.camera->focusY)) + 0.5f) * grid.cellHeight};
    } else {
        const vesk::math::Vec2 point = PadCursorPoint(world);
        corner = {point.x - static_cast<float>(halfWidth), point.y - static_cast<float>(halfHeight)};
    }
    DrawUISprite(corner, sprites_[0].index);
}
