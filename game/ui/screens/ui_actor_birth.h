// The crew birth screen (slot 42): not built yet, a stand-in that closes on cancel or a pointer press.
#pragma once

#include "game/ui/unbuilt_screen.h"

class GAME_CObjectActor;

class GAME_CUIActorBirth : public GAME_CUIUnbuiltScreen, public UIScreenSlot<kSlotActorBirth> {
public:
    GAME_CUIActorBirth() : GAME_CUIUnbuiltScreen() {}

    void SetFamily(GAME_CObjectActor* first, GAME_CObjectActor* second, GAME_CObjectActor* newborn)
    {
        parents[0] = first;
        parents[1] = second;
        child = newborn;
    }

    GAME_CObjectActor* parents[2] = {nullptr, nullptr};
    GAME_CObjectActor* child = nullptr;
};
