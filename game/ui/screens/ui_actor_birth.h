// The crew birth screen (slot 42): for now a screen that opens and closes and holds the family a birth hands it.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CObjectActor;

class GAME_CUIActorBirth : public GAME_CUIScreen {
public:
    GAME_CUIActorBirth() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}

    void SetFamily(GAME_CObjectActor* first, GAME_CObjectActor* second, GAME_CObjectActor* newborn)
    {
        parents[0] = first;
        parents[1] = second;
        child = newborn;
    }

    GAME_CObjectActor* parents[2] = {nullptr, nullptr};
    GAME_CObjectActor* child = nullptr;
};
