// Makes the screen each slot of the screen manager holds.
#pragma once

class GAME_CUIBase;

// The screen of a slot (1 to 49), null for slot 0 or when no memory is left.
GAME_CUIBase* MakeScreen(int slot);
