// The in-game HUD's drawing: the highlight of the current cell's room, the button bar and the cursors.
#include <cmath>

#include "game/services/player/player_data.h"
#include "game/model/world/game_world.h"
#include "game/model/ship/room_base.h"
#include "game/ui/screen_context.h"
#include "game/ui/screens/ui_common.h"
#include "game/ui/screens/ui_common_access.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_manager.h"

namespace {

// The middle half of the label base stretches over the room.
constexpr float kTextureInner = 0.25f;
constexpr float kTextureOuter = 0.75f;

// The player-data option word that also keeps column indices unmirrored on a mirrored hull.
bool KeepsColumnsUnmirrored()
{
    const GAME_CPlayerData* player = GetPlayerData();
    return player != nullptr && player->noScrollClamp != 0;
}

float CameraZoom(const GAME_CGameWorld& world) { return world.camera ? world.camera->zoom : 1.0f; }

}  // namespace

void GAME_CUICommon::Draw()
{
    BeginUISprites();
    DrawRoomHighlight();
    DrawWidgets(widgets_);
    if (steps_.Is(kButtonCursor)) {
        // The cursor stands with its bottom-left corner on the button's fixed point.
        vesk::graphics::DrawParam param;
        vesk::graphics::InitDrawParam(param);
        param.pivotX = 0.0f;
        param.pivotY = 1.0f;
        param.scaleX = 1.0f;
        param.scaleY = 1.0f;
        DrawUISprite(CursorPoint(cursorIndex_), sprites_[0].index, param);
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
    const vesk::math::Vec2 label = UISpriteSize(sprites_[1].index);
    if (room == nullptr || room->roomData == nullptr || label.x <= 0.0f || label.y <= 0.0f) return;
    const float zoom = CameraZoom(world);
    const float cellWidth = std::fabs(ship->body->scaleX * zoom * 0.25f) * ship->grid.cellWidth;
    const float cellHeight = std::fabs(ship->body->scaleY * zoom * 0.25f) * ship->grid.cellHeight;
    float x = 0.0f;
    float y = 0.0f;
    ship->GetGridScreenMin(&x, &y);
    std::int32_t column = room->gridX;
    std::int32_t row = room->gridY;
    float shiftX = 0.0f;
    float shiftY = 0.0f;
    // A mirrored hull counts from the far side of the current grid, and the footprint grows back
    // towards the near side.
    if (ship->body->scaleX < 0.0f && !KeepsColumnsUnmirrored()) {
        column = ship->grid.width - 1 - column;
        if (room->width > 1) shiftX = -static_cast<float>(room->width - 1) * cellWidth;
    }
    if (ship->body->scaleY < 0.0f) {
        row = ship->grid.height - 1 - row;
        if (room->height > 1) shiftY = -static_cast<float>(room->height - 1) * cellHeight;
    }
    vesk::graphics::DrawParam param;
    vesk::graphics::InitDrawParam(param);
    param.u0 = kTextureInner;
    param.v0 = kTextureInner;
    param.u1 = kTextureOuter;
    param.v1 = kTextureOuter;
    param.color = kHighlightColor;
    param.scaleX = static_cast<float>(room->width) * cellWidth / (label.x / 2.0f);
    param.scaleY = static_cast<float>(room->height) * cellHeight / (label.y / 2.0f);
    DrawUISprite({x + static_cast<float>(column) * cellWidth + shiftX, y + static_cast<float>(row) * cellHeight + shiftY},
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
        const float zoom = CameraZoom(world);
        const float cellWidth = std::fabs(ship->body->scaleX * zoom * 0.25f) * ship->grid.cellWidth;
        const float cellHeight = std::fabs(ship->body->scaleY * zoom * 0.25f) * ship->grid.cellHeight;
        std::int32_t column = world.camera->focusX;
        std::int32_t row = world.camera->focusY;
        if (ship->body->scaleX < 0.0f && !KeepsColumnsUnmirrored()) column = ship->grid.width - 1 - column;
        if (ship->body->scaleY < 0.0f) row = ship->grid.height - 1 - row;
        float x = 0.0f;
        float y = 0.0f;
        ship->GetGridScreenMin(&x, &y);
        corner = {x + (static_cast<float>(column) + 0.5f) * cellWidth, y + (static_cast<float>(row) + 0.5f) * cellHeight};
    } else {
        const vesk::math::Vec2 point = PadCursorPoint(world);
        corner = {point.x - static_cast<float>(halfWidth), point.y - static_cast<float>(halfHeight)};
    }
    DrawUISprite(corner, sprites_[0].index);
}
