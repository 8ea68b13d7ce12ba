// What a player at the wheel sees of the road's event window.
#pragma once

#include "game/ui/screens/ui_event.h"

namespace support {

// The window shows its text whole and waits for DECIDE to go on.
inline bool EventTextWaits(const GAME_CUIEvent* window)
{
    return window != nullptr && window->IsOpen() && window->AllShown() && !window->IsFinished();
}

}  // namespace support
