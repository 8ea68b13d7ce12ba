// What the hideout's facility windows share: how they come and go over the hideout menu, the hideout where the ship stands, the facility's title there and the road's label for it.
#pragma once

#include <string>

#include "game/model/travel/route_screen_labels.h"
#include "game/services/data/world_records.h"
#include "game/ui/ui_screen.h"

struct UIScreenContext;

// A facility window resting windowY units below the canvas top: it slides down from above the canvas,
// takes all input while open, holds the game behind it and closes the dialog it owns as it closes.
UIScreenSetup UIHideoutFacilitySetup(float windowY);
// The hideout where the ship stands; null between hideouts.
const HideoutData* UIHideoutHere(const UIScreenContext& context);
// The facility's name at the hideout where the ship stands: the hideout's name set in the
// facility's type name. Empty between hideouts.
std::u16string UIHideoutFacilityTitle(const UIScreenContext& context, HideoutTypeName facility);
// The label the road armed for this hideout screen runs once, as the screen reaches its main state.
void UIRunArmedRouteLabel(const UIScreenContext& context, RouteScreenLabel label);
