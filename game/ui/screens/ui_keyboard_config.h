// The keyboard configuration screen (slot 40): the binding screen over the keys and mouse buttons.
#pragma once

#include "game/ui/screens/ui_binding_config.h"

class GAME_CUIKeyboardConfig : public GAME_CUIBindingConfig, public UIScreenSlot<kSlotKeyboardConfig> {
public:
    explicit GAME_CUIKeyboardConfig(const UIScreenContext& context) : GAME_CUIBindingConfig(context, KeyboardBindingStrategy()) {}
};
