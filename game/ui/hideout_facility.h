// What the hideout's facility windows share: how they come and go over the hideout menu, and the hideout where the ship stands.
#pragma once

#include "game/ui/ui_screen.h"

struct HideoutData;
struct UIScreenContext;

// A facility window resting windowY units below the canvas top: it slides down from above the canvas,
// takes all input while open, holds the game behind it and closes the dialog it owns as it closes.
UIScreenSetup UIHideoutFacilitySetup(float windowY);
// The hideout where the ship stands; null between hideouts.
const HideoutData* UIHideoutHere(const UIScreenContext& context);
