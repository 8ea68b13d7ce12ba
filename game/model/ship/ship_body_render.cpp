// The hull renderers' shared part: placement defaults, the zoom view-state machine, and the factory by ship tag.
#include "game/model/ship/ship_body_render.h"

#include "framework/graphics/sprite_registry.h"
#include "game/model/ship/ship_body_variants.h"
#include "game/model/ship/ship_world.h"
#include "game/services/ui_port/ui_slots.h"

namespace {

constexpr int kSpriteGroup = 2;
constexpr std::uint32_t kZoomSound = 1;

}  // namespace

GAME_CShipBodyRender::GAME_CShipBodyRender()
{
    damageMarkerIndex = vesk::resource::FindSpriteIndex(kSpriteGroup, "dot_damagemarker_out");
    if (damageMarkerIndex >= 0) {
        if (const vesk::resource::SpriteRegistry* registry = vesk::resource::GetSpriteRegistry()) {
            damageMarkerSprite = registry->GetPackageSprite(vesk::resource::MakeSpriteHandle(kSpriteGroup, damageMarkerIndex));
        }
    }
}

float GAME_CShipBodyRender::GetViewShift(float) const { return 0.0f; }

void GAME_CShipBodyRender::Update()
{
    UpdateVariant();
    StepViewState();
}

void GAME_CShipBodyRender::StepViewState()
{
    if (targetState != currentState) {
        currentState = targetState;
        transitionTimer = 0;
        if ((currentState == kZoomingOut || currentState == kZoomingIn) && !ship_world::IsScreenOpen(kSlotGameOver) &&
            !ship_world::IsScreenOpen(kSlotTitle)) {
            ship_world::PlaySoundEffect(kZoomSound, 1.0f);
        }
    }
    if (currentState == kZoomingOut && ++transitionTimer >= transitionLength) {
        targetState = kZoomedOut;
    } else if (currentState == kZoomingIn && ++transitionTimer >= transitionLength) {
        targetState = kClose;
    }
}
