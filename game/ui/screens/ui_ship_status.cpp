// The ship-status panel (slot 1): for now a screen that opens and closes, keeps the notice it shows and the flag that asks it to redraw its figures.
#include "game/ui/screens/ui_ship_status.h"

#include "game/model/world/game_world.h"
#include "game/model/world/game_world_ready.h"

UINoticeRecord* InitNoticeRecord(UINoticeRecord* record)
{
    *record = UINoticeRecord{};
    return record;
}

UINoticeRecord* AssignNoticeRecord(UINoticeRecord* destination, const UINoticeRecord* source)
{
    destination->key.Assign(source->key.c_str());
    destination->frames = source->frames;
    destination->count = source->count;
    destination->flag = source->flag != 0 ? 1 : 0;
    destination->argumentKey.Assign(source->argumentKey.c_str());
    return destination;
}

void GAME_CUIShipStatus::Update(bool input)
{
    GAME_CUIScreen::Update(input);
    if (notice.display[2] > 0) --notice.display[2];
}

void FlagShipStatusRefresh()
{
    GAME_CGameWorld* world = PeekGameWorld();
    if (!IsGameWorldReady() || world == nullptr || !world->ui) return;
    if (auto* panel = world->ui->Get<GAME_CUIShipStatus>(kSlotShipStatus)) panel->refreshFlag = 1;
}
