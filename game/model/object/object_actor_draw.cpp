// Drawing a crew member: on the field, on a room view and while the player holds it.
#include <cmath>

#include "game/services/data/item_data.h"
#include "game/services/data/item_records.h"
#include "game/services/data/task_records.h"
#include "game/model/object/field_draw.h"
#include "game/model/object/object_actor.h"
#include "game/model/object/object_item.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_sprite_draw.h"
#include "game/model/ship/ship_world.h"
#include "game/model/ship/task_base.h"

namespace {

constexpr std::int32_t kBlinkFrames = 64;
constexpr std::uint32_t kExhaustedRed = 0x000000FFu;  // red in the low byte, alpha above
constexpr float kViewLeft = -64.0f;
constexpr float kViewRight = 400.0f;
constexpr float kViewTop = -64.0f;
constexpr float kViewBottom = 300.0f;
constexpr float kCarryRaise = 11.0f;
constexpr float kCursorX = 4.0f;
constexpr float kCursorY = 16.0f;

// The alpha of the exhaustion pulse: a triangle of 64 frames that peaks at 128.
std::uint32_t BlinkAlpha(std::int32_t phase)
{
    return static_cast<std::uint32_t>(phase < 32 ? phase * 4 : 128 - (phase - 32) * 4);
}

// The hull's scale pair, halved and positive, and whether it mirrors.
struct HullZoom {
    float x = 1.0f;
    float y = 1.0f;
    bool mirrored = false;
};

HullZoom CurrentHullZoom()
{
    HullZoom zoom;
    const GAME_CShip* ship = ship_world::Ship();
    if (ship == nullptr || !ship->body) return zoom;
    zoom.x = std::fabs(ship->body->scaleX) * 0.5f;
    zoom.y = std::fabs(ship->body->scaleY) * 0.5f;
    zoom.mirrored = ship->body->scaleX < 0.0f;
    return zoom;
}

// A crew member's sprite: bottom centre on the point, mirrored while it faces right.
ShipSpriteLook BodyLook(float sx, float sy, bool mirrored, float anchorX, float anchorY)
{
    ShipSpriteLook look;
    look.scaleX = sx;
    look.scaleY = sy;
    look.pivotX = anchorX;
    look.pivotY = anchorY;
    look.flipX = mirrored;
    return look;
}

}  // namespace

bool GAME_CObjectActor::SkipsDraw() const
{
    // Inside a room at the room's own work, the room shows the crew member.
    if (assigned != 0 && task != nullptr && task->IsRoomTask()) return true;
    return visible == 0;
}

void GAME_CObjectActor::DrawBody(const vesk::math::Vec2& point, float sx, float sy, bool mirrored, float liftY,
                                 float loadScale)
{
    ShipSpriteLook look = BodyLook(sx, sy, mirrored, anchorX, anchorY);
    DrawShipSprite(spriteIndex, point.x, point.y, look);
    if ((status.flags & GAME_CActorStatus::kFlagExhausted) != 0) {
        look.color = kExhaustedRed | BlinkAlpha(blinkPhase) << 24;
        DrawShipSprite(spriteIndex, point.x, point.y, look);
    }
    const float offsetX = carryOffset.x * scaleX * loadScale * (mirrored ? -1.0f : 1.0f);
    const vesk::math::Vec2 load{point.x + offsetX, point.y + carryOffset.y * scaleY * loadScale + liftY};
    if (task != nullptr && (task->GetKind() == kTaskCarrierFromInventory || task->GetKind() == kTaskReload)) {
        const GAME_CItemDataImpl* entry = task->GetTargetIndex().load;
        if (entry != nullptr && entry->record != nullptr) {
            ShipSpriteLook loadLook;
            loadLook.scaleX = loadScale;
            loadLook.scaleY = loadScale;
            loadLook.pivotX = 0.5f;
            loadLook.pivotY = 1.0f;
            DrawShipSprite(entry->record->iconSprite, load.x, load.y, loadLook);
        }
    }
    if (carriedItem != nullptr && !IsInItemGetLabel()) carriedItem->DrawCarried(load, loadScale, loadScale);
}

void GAME_CObjectActor::Draw()
{
    if (SkipsDraw()) return;
    blinkPhase = (status.flags & GAME_CActorStatus::kFlagExhausted) != 0 ? (blinkPhase + 1) % kBlinkFrames : 0;
    const bool facingRight = facingLeft == 0;
    const float zoom = FieldCameraZoom() * 0.5f;
    if (actionMode != kActionNormal) {
        // Thrown off the ship, the crew member is already in canvas units.
        DrawBody(position, scaleX * displayScaleX * zoom, scaleY * displayScaleY * zoom, facingRight, 0.0f, zoom);
        return;
    }
    const FieldFrame frame = CurrentFieldFrame();
    const HullZoom hull = CurrentHullZoom();
    DrawBody(frame.ToScreen(position), scaleX * displayScaleX * zoom * hull.x, scaleY * displayScaleY * zoom * hull.y,
             facingRight != hull.mirrored, 0.0f, frame.SpriteScaleX());
}

void GAME_CObjectActor::DrawOverlay(const FieldView& view)
{
    if (SkipsDraw()) return;
    const HullZoom hull = CurrentHullZoom();
    const float scale = view.scale * hull.x;
    float x = position.x;
    if (hull.mirrored) {
        const GAME_CShip* ship = ship_world::Ship();
        const float columns = ship != nullptr ? static_cast<float>(ship->grid.width) : GAME_CShipGrid::kMaxWidth;
        const float cellWidth = ship != nullptr ? ship->grid.cellWidth : GAME_CShipGrid::kDefaultCellSize;
        x = hull.x * ((columns + 1.0f) * cellWidth) - x;
    }
    const float width = static_cast<float>(GetBoxWidth());
    const float height = static_cast<float>(GetBoxHeight());
    const float left = x - width * anchorX;
    const float top = position.y - height * anchorY;
    const vesk::math::Vec2 point{view.x + x * scale, view.y + position.y * scale};
    const bool mirrored = (facingLeft == 0) != hull.mirrored;
    const float sx = scaleX * displayScaleX * scale;
    const float sy = scaleY * displayScaleY * scale;
    if (!IsRectOnScreen(view.x, view.y, scale, left, top, width, height)) {
        // A load held up over the head may still show when the crew member itself does not.
        if (carriedItem != nullptr && IsRectOnScreen(view.x, view.y, scale, left, top - scaleY * kCarryRaise, width, height)) {
            DrawShipSprite(spriteIndex, point.x, point.y, BodyLook(sx, sy, mirrored, anchorX, anchorY));
        }
        return;
    }
    if (point.x < kViewLeft || point.x > kViewRight || point.y < kViewTop || point.y > kViewBottom) return;
    DrawBody(point, sx, sy, mirrored, 0.0f, scale);
}

void GAME_CObjectActor::DrawOnView(const FieldView& view)
{
    if (held == 0 || SkipsDraw()) return;
    const HullZoom hull = CurrentHullZoom();
    const float scale = view.scale * hull.x;
    const vesk::math::Vec2 point{view.x + position.x * scale, view.y + position.y * scale};
    const bool mirrored = (facingLeft == 0) != hull.mirrored;
    GAME_CObjectItem* carried = carriedItem;
    carriedItem = nullptr;  // drawn last, over the cursor
    DrawBody(point, scaleX * displayScaleX * scale, scaleY * displayScaleY * scale, mirrored, 0.0f, scale);
    carriedItem = carried;
    ShipSpriteLook cursor;
    cursor.scaleX = scale;
    cursor.scaleY = scale;
    DrawShipSprite(grabCursorSprite, point.x + kCursorX * scale, point.y - kCursorY * scale, cursor);
    if (carried != nullptr && !IsInItemGetLabel()) {
        const vesk::math::Vec2 load{point.x + carryOffset.x * scaleX * scale, point.y + carryOffset.y * scaleY * scale};
        carried->DrawCarried(load, scale, scale);
    }
}
