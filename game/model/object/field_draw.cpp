// Where field objects stand and are drawn: grid cells in field pixels, field pixels to canvas points, route positions to canvas points.
#include "game/model/object/field_draw.h"

#include "framework/process/canvas.h"
#include "framework/graphics/named_sprite.h"
#include "game/model/world/game_world.h"
#include "game/model/ship/ship_world.h"

namespace {

constexpr int kUiSpriteGroup = 2;
constexpr float kGroundLift = 10.0f;
// The HUD's frame, whose height every field object's screen position needs.
const vesk::resource::NamedSprite g_hudFrame{kUiSpriteGroup, "ui_common_frame"};

const GAME_CRouteManager* CurrentRoute()
{
    const GAME_CGameWorld* world = PeekGameWorld();
    return world != nullptr && world->travel ? world->travel->routeManager.get() : nullptr;
}

}  // namespace

float FieldCellWidth()
{
    const GAME_CShip* ship = ship_world::Ship();
    return ship != nullptr ? ship->grid.cellWidth : GAME_CShipGrid::kDefaultCellSize;
}

float FieldCellHeight()
{
    const GAME_CShip* ship = ship_world::Ship();
    return ship != nullptr ? ship->grid.cellHeight : GAME_CShipGrid::kDefaultCellSize;
}

vesk::math::Vec2 CellFloorMiddle(std::int32_t column, std::int32_t row)
{
    return {static_cast<float>(column) * FieldCellWidth() + FieldCellWidth() / 2.0f,
            static_cast<float>(row + 1) * FieldCellHeight() - 1.0f};
}

FieldFrame CurrentFieldFrame()
{
    FieldFrame frame;
    const GAME_CShip* ship = ship_world::Ship();
    if (ship == nullptr || !ship->body) return frame;
    const float zoom = ship_world::CameraZoom();
    const GAME_CShipBodyRender::DrawRecord& origin = ship->body->GetDrawRecord();
    frame.originX = origin.x;
    frame.originY = origin.y;
    frame.scaleX = zoom * 0.5f * ship->body->scaleX * 0.5f;
    frame.scaleY = zoom * 0.5f * ship->body->scaleY * 0.5f;
    return frame;
}

float FieldCameraZoom() { return ship_world::CameraZoom(); }

float HudFrameHeight()
{
    const vesk::resource::SYS_CTexture* sprite = g_hudFrame.Sprite();
    return sprite != nullptr ? static_cast<float>(sprite->GetHeight()) : 0.0f;
}

std::int32_t ShipRoutePosition() { return ship_world::TravelDistance(); }

std::int32_t CurrentRouteLength() { return ship_world::RouteLength(); }

bool IsRouteReversed()
{
    const GAME_CRouteManager* route = CurrentRoute();
    return route != nullptr && route->IsReversed();
}

vesk::math::Vec2 RouteToScreen(std::int32_t routePosition)
{
    const float zoom = FieldCameraZoom();
    std::int64_t distance = std::int64_t{routePosition} - ShipRoutePosition();
    if (IsRouteReversed()) distance = -distance;
    const float half = static_cast<float>(distance / 2);
    vesk::math::Vec2 point;
    point.x = half * zoom * 0.5f + vesk::process::kCanvasWidth * 0.5f - ship_world::CameraScrollX() * zoom * 0.5f;
    point.y = vesk::process::kCanvasHeight - HudFrameHeight() - zoom * 0.5f * kGroundLift;
    if (const GAME_CShip* ship = ship_world::Ship()) {
        point.x += ship->scrollX;
        point.y += ship->scrollY;
    }
    return point;
}
