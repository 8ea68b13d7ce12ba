// The ship-status panel (slot 1): for now a screen that opens and closes, keeps the notice it shows and the flag that asks it to redraw its figures.
#include "game/ui/screens/ui_ship_status.h"

void GAME_CUIShipStatus::Update(bool input)
{
    GAME_CUIScreen::Update(input);
    if (notice.display[2] > 0) --notice.display[2];
}
