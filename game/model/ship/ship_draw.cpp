// Drawing the ship's grid: floor cells, rooms, hull damage, task gauges and effect fields.
#include <algorithm>
#include <cmath>

#include "framework/graphics/polygon_render.h"
#include "framework/graphics/sprite_registry.h"
#include "framework/math/scalar.h"
#include "game/services/data/room_records.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_sprite_draw.h"
#include "game/model/ship/ship_world.h"
#include "game/model/ship/task_base.h"

namespace {

constexpr int kSpriteGroup = 2;
constexpr int kBlendAlpha = 4;
constexpr std::uint32_t kGaugeColor = 0xFF40D0FFu;   // amber
constexpr std::uint32_t kGaugeBack = 0xC0303030u;

// The grid as drawn: where cell (0, 0) starts and the signed size of a cell (negative: mirrored).
struct GridFrame {
    float originX = 0.0f;
    float originY = 0.0f;
    float cellWidth = 24.0f;
    float cellHeight = 24.0f;
    float spriteScaleX = 1.0f;
    float spriteScaleY = 1.0f;

    bool MirroredX() const { return cellWidth < 0.0f; }
    bool MirroredY() const { return cellHeight < 0.0f; }
    float Left(std::int32_t column, std::int32_t span = 1) const
    {
        return std::min(originX + column * cellWidth, originX + (column + span) * cellWidth);
    }
    float Top(std::int32_t row, std::int32_t span = 1) const
    {
        return std::min(originY + row * cellHeight, originY + (row + span) * cellHeight);
    }
};

GridFrame MakeFrame(const GAME_CShip& ship, float originX, float originY, float scaleX, float scaleY)
{
    const float zoom = ship_world::CameraZoom();
    GridFrame frame;
    frame.originX = originX;
    frame.originY = originY;
    frame.cellWidth = ship.grid.cellWidth * scaleX * zoom * 0.25f;
    frame.cellHeight = ship.grid.cellHeight * scaleY * zoom * 0.25f;
    frame.spriteScaleX = std::fabs(scaleX) * zoom * 0.25f;
    frame.spriteScaleY = std::fabs(scaleY) * zoom * 0.25f;
    return frame;
}

void DrawCellSprite(const GridFrame& frame, std::int32_t sprite, std::int32_t x, std::int32_t y, std::uint32_t color)
{
    ShipSpriteLook look;
    look.scaleX = frame.spriteScaleX;
    look.scaleY = frame.spriteScaleY;
    look.color = color;
    DrawShipSprite(sprite, frame.Left(x), frame.Top(y), look);
}

void DrawRoom(const GridFrame& frame, GAME_CRoomBase& room)
{
    const float left = frame.Left(room.gridX, room.width);
    const float top = frame.Top(room.gridY, room.height);
    const float width = std::fabs(frame.cellWidth) * room.width;
    const float height = std::fabs(frame.cellHeight) * room.height;
    room.screenRect = {left, top, left + width, top + height};
    ShipSpriteLook look;
    look.scaleX = frame.spriteScaleX * room.scaleX;
    look.scaleY = frame.spriteScaleY * room.scaleY;
    look.pivotX = 0.5f;
    look.pivotY = 1.0f;
    look.flipX = frame.MirroredX();
    look.flipY = frame.MirroredY();
    const float shiftX = (room.offsetX + room.offset2X) * frame.spriteScaleX * (frame.MirroredX() ? -1.0f : 1.0f);
    const float shiftY = (room.offsetY + room.offset2Y) * frame.spriteScaleY;
    if (room.scriptFlagA) {
        const float cellWidth = std::fabs(frame.cellWidth);
        const float cellHeight = std::fabs(frame.cellHeight);
        for (std::int32_t row = 0; row < room.height; ++row) {
            for (std::int32_t column = 0; column < room.width; ++column) {
                const float x = frame.Left(room.gridX + column) + cellWidth * 0.5f;
                const float y = frame.Top(room.gridY + row) + cellHeight;
                DrawShipSprite(room.spriteId, x + shiftX, y + shiftY, look);
            }
        }
        return;
    }
    DrawShipSprite(room.spriteId, left + width * 0.5f + shiftX, top + height + shiftY, look);
}

void DrawTaskGauge(const GAME_CShip& ship, const GridFrame& frame, const GAME_CRoomBase& room)
{
    const GAME_CTaskBase* task = room.boundTasks.empty() ? nullptr : room.boundTasks.front();
    if (task == nullptr || task->progress <= 0) return;
    const float fraction =
        task->GetTaskValue() > 0
            ? std::clamp(static_cast<float>(task->progress) / static_cast<float>(task->GetTaskValue()), 0.0f, 1.0f)
            : 1.0f;
    const float centreX = (room.screenRect[0] + room.screenRect[2]) * 0.5f;
    ShipSpriteLook look;
    look.scaleX = frame.spriteScaleX;
    look.scaleY = frame.spriteScaleY;
    look.pivotX = 0.5f;
    look.color = kGaugeBack;
    DrawShipSprite(ship.labelBaseSprite, centreX, room.screenRect[1], look);
    look.color = kGaugeColor;
    look.u1 = fraction;
    look.pivotX = 0.0f;
    const vesk::resource::SYS_CTexture* base = vesk::resource::GetSpriteAt(kSpriteGroup, ship.labelBaseSprite);
    const float baseWidth = base != nullptr ? static_cast<float>(base->GetWidth()) * frame.spriteScaleX : 0.0f;
    DrawShipSprite(ship.labelBaseSprite, centreX - baseWidth * 0.5f, room.screenRect[1], look);
}

}  // namespace

void GAME_CShip::DrawShip(float originX, float originY, float scaleX, float scaleY)
{
    const GridFrame frame = MakeFrame(*this, originX, originY, scaleX, scaleY);
    vesk::graphics::BeginSpriteDraw(kSpriteGroup, kBlendAlpha);
    for (std::int32_t y = 0; y < grid.height; ++y) {
        for (std::int32_t x = 0; x < grid.width; ++x) {
            const GAME_CShipGrid::Cell* cell = grid.GetCell(x, y);
            if (cell->usable != 0 && !cell->HoldsRoom()) DrawCellSprite(frame, cell->sprite, x, y, 0xFFFFFFFFu);
        }
    }
    for (GAME_CRoomBase* room : rooms) {
        if (room == nullptr || room->gridX < 0 || room->gridY < 0) continue;
        if (room->broken) {
            for (std::int32_t row = 0; row < room->height; ++row) {
                for (std::int32_t column = 0; column < room->width; ++column) {
                    const GAME_CShipGrid::Cell* cell = grid.GetCell(room->gridX + column, room->gridY + row);
                    if (cell != nullptr) DrawCellSprite(frame, cell->sprite, room->gridX + column, room->gridY + row, 0xFFFFFFFFu);
                }
            }
        }
        DrawRoom(frame, *room);
    }
    for (const DamageMarker* marker : damageMarkers) {
        if (marker == nullptr) continue;
        const DamageMarkerAnim anim = GetDamageMarkerAnim(*marker);
        ShipSpriteLook look;
        look.scaleX = frame.spriteScaleX * anim.scaleX;
        look.scaleY = frame.spriteScaleY * anim.scaleY;
        look.color = WithAlpha(0xFFFFFFFFu, anim.alpha);
        look.pivotX = 0.5f;
        look.pivotY = 0.5f;
        const float x = frame.Left(marker->cellX) + std::fabs(frame.cellWidth) * 0.5f;
        const float y = frame.Top(marker->cellY) + std::fabs(frame.cellHeight) * 0.5f;
        DrawShipSprite(damageMarkerSprite, x, y, look);
    }
    for (const GAME_CRoomBase* room : rooms) {
        if (room != nullptr) DrawTaskGauge(*this, frame, *room);
    }
}

void GAME_CShip::DrawRooms()
{
    if (body->IsZoomedOut()) return;
    const GAME_CShipBodyRender::DrawRecord& origin = body->GetDrawRecord();
    DrawShip(origin.x, origin.y, body->scaleX, body->scaleY);
}

void GAME_CShip::Draw(const ShipDrawPosition& position)
{
    if (body->IsZoomedOut()) return;
    const float scaleX = body->scaleX < 0.0f ? -position.scale : position.scale;
    const float scaleY = body->scaleY < 0.0f ? -position.scale : position.scale;
    DrawShip(position.x, position.y, scaleX, scaleY);
    DrawEffectFields();
}

void GAME_CShip::DrawEffectFields()
{
    if (body->IsZoomedOut()) return;
    const GAME_CShipBodyRender::DrawRecord& origin = body->GetDrawRecord();
    const GridFrame frame = MakeFrame(*this, origin.x, origin.y, body->scaleX, body->scaleY);
    // Layer sprites by visual kind and frame: 0 none, 1 the first sprite of the pair, 2 the second.
    static constexpr std::uint8_t kLayerA[3][4] = {{1, 2, 1, 2}, {1, 2, 1, 2}, {0, 2, 1, 2}};
    static constexpr std::uint8_t kLayerB[3][4] = {{2, 1, 2, 1}, {2, 1, 2, 1}, {1, 2, 0, 2}};
    vesk::graphics::BeginSpriteDraw(kSpriteGroup, kBlendAlpha);
    for (const GAME_CEffectField* field : GetEffectFields()) {
        if (field == nullptr) continue;
        const std::int32_t t = field->GetLifetime();
        const float colourAlpha = static_cast<float>(field->GetColor() >> 24) / 255.0f;
        const float pulse = t < 301 ? std::sin(static_cast<float>(t % 30) * 12.0f * vesk::math::kFloatDegreesToRadians)
                                    : std::sin(static_cast<float>((t - 300) % 60) * 6.0f * vesk::math::kFloatDegreesToRadians);
        const std::uint32_t color = WithAlpha(field->GetColor() | 0xFF000000u, (pulse + 1.0f) * 0.5f * colourAlpha);
        const std::int32_t kind = field->GetVisualKind();
        const std::int32_t frameIndex = std::clamp(field->GetAnimationFrame(), 0, 3);
        std::int32_t layers[2] = {-1, -1};
        if (kind >= 1 && kind <= 3) {
            const auto& pair = effectFieldSprites[static_cast<std::size_t>(kind - 1)];
            const std::uint8_t a = kLayerA[kind - 1][frameIndex];
            const std::uint8_t b = kLayerB[kind - 1][frameIndex];
            layers[0] = a == 0 ? -1 : pair[a - 1];
            layers[1] = b == 0 ? -1 : pair[b - 1];
        }
        const std::int32_t range = field->GetRange();
        for (std::int32_t y = field->GetY() - range; y < field->GetY() + field->GetHeight() + range; ++y) {
            for (std::int32_t x = field->GetX() - range; x < field->GetX() + field->GetWidth() + range; ++x) {
                // A field's range reaches past the deck at the hull's ends; it lies over deck cells alone.
                const GAME_CShipGrid::Cell* cell = grid.IsInside(x, y) ? grid.GetCell(x, y) : nullptr;
                if (cell == nullptr || cell->usable == 0) continue;
                if (layers[0] < 0 && layers[1] < 0) {
                    if (((x + y) & 1) == 0) DrawCellSprite(frame, floorSprite, x, y, color);
                    continue;
                }
                for (const std::int32_t sprite : layers) {
                    if (sprite >= 0) DrawCellSprite(frame, sprite, x, y, color);
                }
            }
        }
    }
}
