// The ship-status panel's drawing: the danger flash over the canvas, its widgets, and the marks of drops and enemies on the distance meter.
#include <cstdint>

#include "game/model/world/game_world.h"
#include "game/ui/screen_context.h"
#include "game/ui/screens/ui_ship_status.h"
#include "game/ui/sprite_stretch.h"

namespace {

using vesk::math::Vec2;

// A beat of the flash: rising over 20 frames, falling over 20 (from 101, not 100), dark for 20.
constexpr std::int32_t kRiseFrames = 20;
constexpr std::int32_t kFallEnd = 40;
constexpr std::int32_t kPeakAlpha = 101;
constexpr std::int32_t kAlphaStep = 5;
constexpr std::uint32_t kFlashRed = 0x000000FFu;
// Marks of drops and of enemies, red in the low byte.
constexpr std::uint32_t kDropMarkColor = 0xFFCCCC66u;
constexpr std::uint32_t kEnemyMarkColor = 0xFF6699CCu;
constexpr float kMarkWidth = 1.0f;
constexpr float kMarkHeight = 15.0f;
constexpr float kMarkRise = 3.0f;
constexpr float kMarkStart = 4.0f;
constexpr float kMarkRun = 64.0f;

}  // namespace

std::int32_t GAME_CUIShipStatus::FlashAlpha() const
{
    if (dangerCounter_ == 0) return 0;
    const std::int32_t p = dangerCounter_ % kFlashPeriod;
    if (p < kRiseFrames) return p * kAlphaStep;
    if (p < kFallEnd) return kPeakAlpha - (p - kRiseFrames) * kAlphaStep;
    return 0;
}

void GAME_CUIShipStatus::PreDraw()
{
    if (const std::int32_t alpha = FlashAlpha(); alpha > 0) {
        DrawUIRect({0.0f, 0.0f}, {kCanvasWidth, kCanvasHeight}, kFlashRed | (static_cast<std::uint32_t>(alpha) << 24));
    }
    DrawWidgets(widgets_);
}

void GAME_CUIShipStatus::DrawRouteMarks()
{
    const GAME_CGameWorld& world = Context().world;
    const GAME_CRouteManager* route = world.travel ? world.travel->routeManager.get() : nullptr;
    // Only a scanned route shows what lies along it.
    if (route == nullptr || route->GetRouteRecord() == nullptr || route->GetRouteRecordValue() <= 0 || !world.fieldObjects ||
        markSprite_ == kNoSprite) {
        return;
    }
    const bool mirrored = world.ship && world.ship->body && world.ship->body->scaleX < 0.0f;
    vesk::graphics::DrawParam param;
    if (!StretchUISpriteMiddle(markSprite_, {kMarkWidth, kMarkHeight}, param)) return;
    const Vec2 arrow = arrow_->WorldPosition();
    const double length = route->GetLength() > 0 ? static_cast<double>(route->GetLength()) : 1.0;
    auto mark = [&](std::int32_t position, std::uint32_t color) {
        double r = static_cast<double>(position) / length;
        if (mirrored) r = 1.0 - r;
        param.color = color;
        const auto x = static_cast<std::int32_t>(arrow.x + kMarkStart + kMarkRun * r);
        DrawUISprite({static_cast<float>(x), arrow.y - kMarkRise}, markSprite_, param);
    };
    for (const GAME_CObjectDropItem* drop : world.fieldObjects->activeDropItems) {
        if (drop != nullptr) mark(drop->routePosition, kDropMarkColor);
    }
    const auto& enemies = world.fieldObjects->enemies;
    const std::size_t walked = std::min(enemies.size(), GAME_CFieldObjectManager::kEnemyPoolSize);
    for (std::size_t i = 0; i < walked; ++i) {
        if (enemies[i] != nullptr) mark(enemies[i]->routePosition, kEnemyMarkColor);
    }
}
