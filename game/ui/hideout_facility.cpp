// What the hideout's facility windows share: how they come and go over the hideout menu, the hideout where the ship stands, the facility's title there and the road's label for it.
#include "game/ui/hideout_facility.h"

#include "game/model/travel/travel_controller.h"
#include "game/model/world/game_world.h"
#include "game/services/data/static_lookups.h"
#include "game/services/data/world_records.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_text.h"

UIScreenSetup UIHideoutFacilitySetup(float windowY)
{
    return {.input = UIInputRule::kBlocksWhileOpen,
            .mover = {.hidden = {0.0f, -kCanvasHeight - windowY}},
            .holdsGame = true,
            .dialog = UIDialogOnClose::kClose};
}

const HideoutData* UIHideoutHere(const UIScreenContext& context)
{
    const GAME_CTravelController* travel = context.world.travel.get();
    const LocationRecord* location = travel != nullptr ? travel->GetLocation() : nullptr;
    return location != nullptr ? FindHideoutData(location->hideoutId) : nullptr;
}

std::u16string UIHideoutFacilityTitle(const UIScreenContext& context, HideoutTypeName facility)
{
    const HideoutData* hideout = UIHideoutHere(context);
    if (hideout == nullptr) return {};
    return FormatUIMessage(hideout->typeNameKeys[facility], {UITagName(context.world.travel->GetLocation()->hideoutId)});
}

void UIRunArmedRouteLabel(const UIScreenContext& context, RouteScreenLabel label)
{
    if (GAME_CTravelController* travel = context.world.travel.get()) RunArmedRouteLabel(travel->routeManager.get(), label);
}
