// One frame of a hull sinking into the sand, as the game over and the new game's start show it.
#include "game/ui/sinking_hull.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "framework/math/random.h"
#include "game/model/world/game_world.h"
#include "game/model/ship/ship_body_render.h"
#include "game/services/data/static_database.h"
#include "game/ui/ui_draw.h"

namespace {

constexpr std::int32_t kRumbleSound = 27;
constexpr float kRumbleFactor = 0.75f;

}  // namespace

void AdvanceHullSink(GAME_CShipBodyRender* body)
{
    if (body == nullptr) return;
    ++body->animationTimer;
    if (body->sinking == 0) {
        body->shakeX = 0.0f;
        body->shakeY = 0.0f;
    }
}

void StepSinkingHull(GAME_CShipBodyRender* body, std::int32_t& frame, const std::function<void()>& burst)
{
    AdvanceHullSink(body);
    ++frame;
    if (frame >= kSinkBurstFrames) return;
    if (frame % 12 == 1) PlayUISE(kRumbleSound, kRumbleFactor);
    if (frame % 4 == 0) burst();
}

int RaiseSandPillars(GAME_CGameWorld& world, const GAME_CStaticDatabase* database, int count)
{
    const GAME_CRouteManager* route = world.travel ? world.travel->routeManager.get() : nullptr;
    if (route == nullptr || !world.fieldObjects || !world.ship) return 0;
    const ShipData* record = database != nullptr ? database->FindShipData(world.ship->shipTag) : nullptr;
    const std::int64_t reach =
        record != nullptr ? std::min<std::int64_t>(std::llabs(std::int64_t{record->offsets[0]} - record->offsets[1]), 16383) : 0;
    int raised = 0;
    for (; raised < count; ++raised) {
        GAME_CObjectSandPillar* pillar = world.fieldObjects->AcquireSandPillar();
        if (pillar == nullptr) break;
        const std::int64_t offset = reach > 0 ? vesk::math::RandInt(static_cast<int>(2 * reach)) - reach : 0;
        const auto at = static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t{route->GetPosition()} + offset,
                                                                           INT32_MIN, INT32_MAX));
        const std::int32_t rate = 207 + (vesk::math::Rand() & 63);
        const float scale = 2.0f * (1.0f + static_cast<float>(vesk::math::RandInt(50) - 100) * 0.001f);
        pillar->Start(at, rate, scale);
    }
    return raised;
}
