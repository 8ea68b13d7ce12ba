// The item dictionary screen (slot 31): not built yet, a stand-in that closes on cancel or a pointer press.
#pragma once

#include "game/ui/unbuilt_screen.h"

class GAME_CUIItemDictionary : public GAME_CUIUnbuiltScreen, public UIScreenSlot<kSlotItemDictionary> {
public:
    GAME_CUIItemDictionary() : GAME_CUIUnbuiltScreen() {}
};
