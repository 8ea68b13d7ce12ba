// Callbacks the screens share: close, close and open the HUD, close and step to the next or previous room, draw the shared dialog.
#pragma once

#include <cstdint>

class GAME_CUIIconObject;

// Release callbacks of sprite buttons; the argument is the screen (a GAME_CUIBase).
// Closes the screen.
void CloseScreenCallback(void* screen, GAME_CUIIconObject* button);
// Closes the screen and opens the HUD (slot 3).
void CloseAndOpenHud(void* screen, GAME_CUIIconObject* button);
// Close the screen, then every open room screen steps to the next or previous room.
void CloseAndSkipToNextRoom(void* screen, GAME_CUIIconObject* button);
void CloseAndSkipToPrevRoom(void* screen, GAME_CUIIconObject* button);

// Draw function of a callback node (the arguments are not used): the shared dialog when it is shown,
// else the 2D renderer is turned back to UI sprites with a fresh text style, as after the dialog.
void DrawSharedDialogCallback(std::intptr_t, std::intptr_t);
