// One frame of a hull sinking into the sand, as the game over and the new game's start show it.
#include "game/ui/sinking_hull.h"

#include "game/model/ship/ship_body_render.h"
#include "game/ui/ui_draw.h"

namespace {

constexpr std::int32_t kRumbleSound = 27;
constexpr float kRumbleFactor = 0.75f;

}  // namespace

void StepSinkingHull(GAME_CShipBodyRender* body, std::int32_t& frame, const std::function<void()>& burst)
{
    if (body != nullptr) {
        ++body->animationTimer;
        if (body->sinking == 0) {
            body->shakeX = 0.0f;
            body->shakeY = 0.0f;
        }
    }
    ++frame;
    if (frame >= kSinkBurstFrames) return;
    if (frame % 12 == 1) PlayUISE(kRumbleSound, kRumbleFactor);
    if (frame % 4 == 0) burst();
}
