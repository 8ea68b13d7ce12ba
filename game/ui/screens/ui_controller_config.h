// The controller configuration screen (slot 39): the binding screen over the pad's buttons.
#pragma once

#include "game/ui/screens/ui_binding_config.h"

class GAME_CUIControllerConfig : public GAME_CUIBindingConfig, public UIScreenSlot<kSlotControllerConfig> {
public:
    explicit GAME_CUIControllerConfig(const UIScreenContext& context) : GAME_CUIBindingConfig(context, PadBindingStrategy()) {}
};
