// Callbacks the screens share: close, close and open the HUD, close and step to the next or previous room, draw the shared dialog.
#pragma once

#include "game/ui/widgets/ui_icon_object.h"

class GAME_CUIBase;
class GAME_CUIManager;

// Release callbacks of sprite buttons, bound to the screen they act on and the manager it lives in.
// Closes the screen.
UIIconCallback CloseScreenCallback(GAME_CUIBase* screen);
// Closes the screen and opens the HUD (slot 3).
UIIconCallback CloseAndOpenHud(GAME_CUIBase* screen, GAME_CUIManager& ui);
// Closes a hideout service's screen and opens the hideout menu (slot 7) again.
UIIconCallback CloseAndOpenHideoutMenu(GAME_CUIBase* screen, GAME_CUIManager& ui);
// Close the screen, then every open room screen steps to the next or previous room.
UIIconCallback CloseAndSkipToNextRoom(GAME_CUIBase* screen, GAME_CUIManager& ui);
UIIconCallback CloseAndSkipToPrevRoom(GAME_CUIBase* screen, GAME_CUIManager& ui);

// Draw function of a callback node: the shared dialog when it is shown, else the 2D renderer is
// turned back to UI sprites with a fresh text style, as after the dialog.
void DrawSharedDialogCallback();
