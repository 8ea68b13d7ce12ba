// The hull variants: one class per kind of hull, each with its package, anchor, wheels and queries; and the null hull.
#include "game/model/ship/ship_body_variants.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "framework/process/canvas.h"
#include "framework/graphics/polygon_render.h"
#include "framework/draw/sprite_draw.h"
#include "framework/graphics/sprite_registry.h"
#include "framework/memory/heaps.h"
#include "game/services/data/tag.h"
#include "game/services/data/world_records.h"
#include "game/model/world/game_world_ready.h"
#include "game/model/object/object_enemy.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_sprite_draw.h"
#include "game/model/ship/ship_world.h"

namespace {

constexpr int kHullGroup = GAME_CShipBodyRender::kHullSpriteGroup;
constexpr int kRoomGroup = 2;
constexpr int kBlendAlpha = 4;
constexpr std::int32_t kCoverSprite = 1;
constexpr std::int32_t kSinkingSprite = 69;
constexpr std::uint32_t kSinkFrames = 180;
constexpr std::uint32_t kSinkDustFrames = 120;
constexpr std::uint32_t kWheelCycle = 12;
constexpr std::uint32_t kWheelFrameLength = 4;
constexpr float kHullY = 290.0f;
constexpr float kHullScale = 2.0f;
constexpr float kTargetBehind = 2.0f;

constexpr HullLayout kShp0{"SHP0", -51.5f, -32.0f, {{{{5, 6, 7}, {33.5f}, 1}, {{2, 3, 4}, {-25.5f}, 1}}}, 2, 0, {67.0f, -51.0f}, 2};
constexpr HullLayout kShp1{"SHP1", -65.5f, -49.0f, {{{{2, 3, 4}, {0.0f}, 1}}}, 1, 0, {0.0f}, 1};
constexpr HullLayout kProt{"PROT", -60.0f, -67.0f, {{{{3, 4, 5}, {-48.0f, 61.0f}, 2}}}, 1, 2, {-96.0f, 122.0f}, 2};
constexpr HullLayout kShp3{"SHP3", -76.5f, -91.0f, {{{{2, 3, 4}, {58.0f}, 1}, {{5, 6, 7}, {-25.0f}, 1}}}, 2, 0, {116.0f, -50.0f}, 2};
constexpr HullLayout kShp4{"SHP4", -113.0f, -165.0f, {{{{2, 3, 4}, {61.0f, -4.0f, -69.0f}, 3}}}, 1, 0, {122.0f, -8.0f}, 2};

const GAME_CShip* Ship() { return ship_world::Ship(); }
float ShipScrollX() { return Ship() != nullptr ? static_cast<float>(Ship()->scrollX) : 0.0f; }
float ShipScrollY() { return Ship() != nullptr ? static_cast<float>(Ship()->scrollY) : 0.0f; }
float ShipValue()
{
    const GAME_CShip* ship = Ship();
    return ship != nullptr && ship->shipData != nullptr ? static_cast<float>(ship->shipData->value) : 0.0f;
}

}  // namespace

std::string GAME_CShipBodyRenderHull::PackagePath(const char* tag)
{
    std::string name(tag);
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return "ship/ship/" + name + "/" + name + ".pac";
}

GAME_CShipBodyRenderHull::GAME_CShipBodyRenderHull(const HullLayout& layout)
    : layout_(layout), packagePath_(PackagePath(layout.tag))
{
    positionX = vesk::process::kCanvasWidth * 0.5f;
    positionY = kHullY;
    scaleX = kHullScale;
    scaleY = kHullScale;
    bottomMarginFactor = 5.0f;
    if (vesk::resource::SpriteRegistry* registry = vesk::resource::GetSpriteRegistry()) {
        registry->ReleaseSpritePackage(kHullGroup);
        registry->LoadSpritePackage({vesk::memory::MainHeap(), vesk::memory::MainHeap()}, kHullGroup, packagePath_);
        if (const vesk::resource::SYS_CTexture* cover = registry->GetSprite(kHullGroup, kCoverSprite)) {
            coverHeight_ = static_cast<float>(cover->GetHeight());
        }
    }
    UpdateVariant();
}

bool GAME_CShipBodyRenderHull::HasPackage() const
{
    const vesk::resource::SpriteRegistry* registry = vesk::resource::GetSpriteRegistry();
    const vesk::resource::SpriteGroup* group = registry ? registry->GetSpriteGroup(kHullGroup) : nullptr;
    return group != nullptr && !group->IsEmpty();
}

void GAME_CShipBodyRenderHull::UpdateVariant()
{
    if (!IsGameWorldReady()) return;
    const float h = ship_world::CameraZoom() * 0.5f;
    float x = positionX + scaleX * layout_.anchorX * h + drawOffsetX - ship_world::CameraScrollX() * h + ShipScrollX();
    float y = positionY + scaleY * layout_.anchorY * h + drawOffsetY + (2.0f - h * scaleY) * bottomMarginFactor +
              ShipScrollY();
    if (sinking != 0) {
        const std::uint32_t t = std::min(animationTimer, kSinkFrames);
        const float s = (t % 6 < 3) ? -3.0f * h : 3.0f * h;
        shakeX = s;
        shakeY = static_cast<float>(t) * 3.0f * h;
        x += shakeX;
        y += shakeY;
    }
    drawRecord = {x, y};
}

void GAME_CShipBodyRenderHull::DrawAlternativeBody()
{
    ShipSpriteLook look;
    look.scaleX = kHullScale;
    look.scaleY = kHullScale;
    look.pivotX = 0.5f;
    look.pivotY = 1.0f;
    const float x = positionX + alternativeX;
    const float y = positionY + alternativeY;
    const std::int32_t frame = static_cast<std::int32_t>((animationTimer % kWheelCycle) / kWheelFrameLength);
    const std::int32_t wheel = layout_.wheels[0].sprites[static_cast<std::size_t>(frame)];
    for (std::int32_t i = 0; i < layout_.alternativeWheelCount; ++i) {
        DrawShipSprite(wheel, x + layout_.alternativeWheels[static_cast<std::size_t>(i)], y, look);
    }
    DrawShipSprite(layout_.bodySprite, x, y, look);
}

void GAME_CShipBodyRenderHull::DrawBody()
{
    if (!HasPackage()) return;
    vesk::graphics::BeginSpriteDraw(kHullGroup, kBlendAlpha);
    if (alternativeDraw != 0) {
        DrawAlternativeBody();
        vesk::graphics::EndSpriteDraw();
        return;
    }
    const float zoom = ship_world::CameraZoom();
    ShipSpriteLook look;
    look.scaleX = std::fabs(scaleX) * zoom * 0.5f;
    look.scaleY = std::fabs(scaleY) * zoom * 0.5f;
    look.flipX = IsMirrored();
    look.pivotX = 0.5f;
    look.pivotY = 1.0f;
    const float x = positionX - ship_world::CameraScrollX() * zoom * 0.5f + ShipScrollX() + shakeX + drawOffsetX;
    const float y = positionY + ShipScrollY() + shakeY + drawOffsetY + (2.0f - look.scaleY) * bottomMarginFactor;
    const std::size_t frame = (animationTimer % kWheelCycle) / kWheelFrameLength;
    const float side = IsMirrored() ? -1.0f : 1.0f;
    for (std::int32_t set = 0; set < layout_.wheelSets; ++set) {
        const HullWheelSet& wheels = layout_.wheels[static_cast<std::size_t>(set)];
        for (std::int32_t i = 0; i < wheels.count; ++i) {
            DrawShipSprite(wheels.sprites[frame], x + side * wheels.offsets[static_cast<std::size_t>(i)] * look.scaleX, y, look);
        }
    }
    DrawShipSprite(layout_.bodySprite, x, y, look);
    vesk::graphics::EndSpriteDraw();
}

void GAME_CShipBodyRenderHull::DrawTurretWeapons(float cellWidth, float cellHeight)
{
    const GAME_CShip* ship = Ship();
    if (ship == nullptr) return;
    const bool mirrored = IsMirrored();
    for (std::int32_t n = 0; n < ship->CountRoomsOnGrid(); ++n) {
        const GAME_CRoomBase* room = ship->GetRoom(n);
        if (room == nullptr || room->underConstruction || room->broken) continue;
        const std::int32_t weapon = ship->GetTurretWeaponSprite(*room);
        if (weapon < 0) continue;
        const std::int32_t extra = room->kind == kRoomKindDoubleTurret ? 1 : 0;
        float x = drawRecord.x + (mirrored ? -(room->gridX + room->width + extra) * cellWidth : room->gridX * cellWidth);
        float y = drawRecord.y + room->gridY * cellHeight;
        ShipSpriteLook look;
        look.scaleX = cellWidth / std::max(1.0f, ship->grid.cellWidth);
        look.scaleY = cellHeight / std::max(1.0f, ship->grid.cellHeight);
        look.flipX = mirrored;
        if (room->target != nullptr) {
            const float farEdge = drawRecord.x + (mirrored ? -room->gridX : room->gridX + room->width) * cellWidth;
            const float distance = (room->target->position.x + ShipScrollX()) - farEdge;
            const float ahead = mirrored ? -distance : distance;
            if (ahead < -kTargetBehind) {
                look.flipX = !look.flipX;
                x += (mirrored ? -1.0f : 1.0f) * (room->width * 0.5f + extra) * cellWidth;
            } else if (std::fabs(ahead) <= kTargetBehind) {
                look.angle = mirrored ? 90.0f : -90.0f;
                y += room->height * cellHeight;
            }
        }
        DrawShipSprite(weapon, x, y, look);
    }
}

void GAME_CShipBodyRenderHull::DrawFront()
{
    if (!HasPackage() || currentState == kClose) return;
    const float zoom = ship_world::CameraZoom();
    const float sx = std::fabs(scaleX) * zoom * 0.5f;
    const float sy = std::fabs(scaleY) * zoom * 0.5f;
    const float x = positionX - ship_world::CameraScrollX() * zoom * 0.5f + ShipScrollX() + shakeX + drawOffsetX;
    const float y = positionY + ShipScrollY() + shakeY + drawOffsetY + (2.0f - sy) * bottomMarginFactor;
    vesk::graphics::BeginSpriteDraw(kHullGroup, kBlendAlpha);
    ShipSpriteLook cover;
    cover.scaleX = sx;
    cover.flipX = IsMirrored();
    cover.pivotX = 0.5f;
    const float progress = transitionLength > 0 ? static_cast<float>(transitionTimer) / static_cast<float>(transitionLength) : 1.0f;
    cover.scaleY = currentState == kZoomingOut ? sy * progress : currentState == kZoomingIn ? sy * (1.0f - progress) : sy;
    DrawShipSprite(kCoverSprite, x, y - coverHeight_ * sy, cover);

    const GAME_CShip* ship = Ship();
    vesk::graphics::BeginSpriteDraw(kRoomGroup, kBlendAlpha);
    if (ship != nullptr) {
        const float cellWidth = sx * 0.5f * ship->grid.cellWidth;
        const float cellHeight = sy * 0.5f * ship->grid.cellHeight;
        DrawTurretWeapons(cellWidth, cellHeight);
        for (const DamageMarker* marker : ship->damageMarkers) {
            if (marker == nullptr || damageMarkerIndex < 0) continue;
            const DamageMarkerAnim anim = GetDamageMarkerAnim(*marker);
            ShipSpriteLook look;
            look.scaleX = 2.0f * sx * 0.5f * anim.scaleX;
            look.scaleY = 2.0f * sy * 0.5f * anim.scaleY;
            look.color = WithAlpha(0xFFFFFFFFu, anim.alpha);
            look.pivotX = 0.5f;
            look.pivotY = 0.5f;
            const float column = IsMirrored() ? -(marker->cellX + 1.0f) : static_cast<float>(marker->cellX);
            DrawShipSprite(damageMarkerIndex, drawRecord.x + (column + 0.5f) * cellWidth,
                           drawRecord.y + (marker->cellY + 0.5f) * cellHeight, look);
        }
    }
    if (sinking != 0) {
        vesk::graphics::BeginSpriteDraw(kHullGroup, kBlendAlpha);
        ShipSpriteLook dust;
        dust.scaleX = sx;
        dust.scaleY = sy;
        dust.pivotX = 0.5f;
        dust.pivotY = 1.0f;
        const float rise = static_cast<float>(kSinkDustFrames - std::min(animationTimer, kSinkDustFrames)) * sy;
        DrawShipSprite(kSinkingSprite, x - shakeX, y - shakeY + rise, dust);
    }
    vesk::graphics::EndSpriteDraw();
}

GAME_CShipBodyRender_shp0::GAME_CShipBodyRender_shp0() : GAME_CShipBodyRenderHull(kShp0) {}
GAME_CShipBodyRender_shp1::GAME_CShipBodyRender_shp1() : GAME_CShipBodyRenderHull(kShp1) {}
GAME_CShipBodyRender_prot::GAME_CShipBodyRender_prot() : GAME_CShipBodyRenderHull(kProt) {}
GAME_CShipBodyRender_shp3::GAME_CShipBodyRender_shp3() : GAME_CShipBodyRenderHull(kShp3) {}
GAME_CShipBodyRender_shp4::GAME_CShipBodyRender_shp4() : GAME_CShipBodyRenderHull(kShp4) {}

float GAME_CShipBodyRender_shp3::GetViewLimit() const
{
    return ship_world::CameraZoom() * 0.5f * (ShipValue() * -24.0f);
}

float GAME_CShipBodyRender_shp3::GetViewShift(float value) const
{
    return (ship_world::CameraScrollX() - value) * 2.0f * (ship_world::CameraZoom() * 0.5f - 0.5f);
}

float GAME_CShipBodyRender_shp4::GetViewLimit() const
{
    return ship_world::CameraZoom() * 0.5f * (ShipValue() * -85.0f);
}

float GAME_CShipBodyRender_shp4::GetViewShift(float value) const
{
    return std::trunc((ship_world::CameraZoom() * 0.5f - 0.5f) * 1.5f * (ship_world::CameraScrollX() - value));
}

void GAME_CShipBodyRender_null::UpdateVariant()
{
    const GAME_CShip* ship = Ship();
    const float h = ship_world::CameraZoom() * 0.5f;
    const float columns = ship != nullptr ? static_cast<float>(ship->grid.width) * ship->grid.cellWidth : 0.0f;
    const float rows = ship != nullptr ? static_cast<float>(ship->grid.height) * ship->grid.cellHeight : 0.0f;
    const float x = positionX - columns * 0.25f * scaleX * h - ship_world::CameraScrollX() * h + ShipScrollX();
    const float y = positionY - rows * 0.25f * scaleY * h + (2.0f - h * scaleY) * bottomMarginFactor + ShipScrollY();
    drawRecord = {x, y};
}

std::string HullPackagePathOf(std::uint32_t shipTag)
{
    for (const HullLayout* layout : {&kShp0, &kShp1, &kShp3, &kShp4, &kProt}) {
        if (TagText(shipTag) == layout->tag) return GAME_CShipBodyRenderHull::PackagePath(layout->tag);
    }
    // The first ship's record draws with the prototype's hull.
    return shipTag == MakeTag("SHP2") ? GAME_CShipBodyRenderHull::PackagePath(kProt.tag) : std::string{};
}

std::unique_ptr<GAME_CShipBodyRender> CreateShipBodyRender(std::uint32_t shipTag)
{
    GAME_CShipBodyRender* render = nullptr;
    if (shipTag == MakeTag("SHP0")) {
        render = new GAME_CShipBodyRender_shp0;
    } else if (shipTag == MakeTag("SHP1")) {
        render = new GAME_CShipBodyRender_shp1;
    } else if (shipTag == MakeTag("SHP2") || shipTag == MakeTag("PROT")) {
        render = new GAME_CShipBodyRender_prot;
    } else if (shipTag == MakeTag("SHP3")) {
        render = new GAME_CShipBodyRender_shp3;
    } else if (shipTag == MakeTag("SHP4")) {
        render = new GAME_CShipBodyRender_shp4;
    } else {
        render = new GAME_CShipBodyRender_null;
    }
    return std::unique_ptr<GAME_CShipBodyRender>(render);
}
