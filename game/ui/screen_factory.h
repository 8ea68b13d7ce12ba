// Makes the screen each slot of the screen manager holds.
#pragma once

class GAME_CUIBase;
struct UIScreenContext;

// The screen of a slot (1 to 49), null for slot 0 or when no memory is left. The screens keep the
// context, which must outlive them.
GAME_CUIBase* MakeScreen(int slot, const UIScreenContext& context);
