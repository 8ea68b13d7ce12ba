// The crew status window's item page: a field item's name and count, and taking one or all of it away.
#include "framework/text/format_text.h"
#include "game/model/object/object_item.h"
#include "game/services/data/item_records.h"
#include "game/services/data/tag.h"
#include "game/services/input/input_actions.h"
#include "game/services/text/full_width.h"
#include "game/ui/screens/ui_actor_status.h"
#include "game/ui/ui_draw.h"

bool GAME_CUIActorStatus::RefreshItemPage(bool input)
{
    if (targetItem == nullptr || targetItem->dead != 0) {
        SetOpen(false);
        return false;
    }
    if (targetItem->count <= 0) {
        targetItem->dead = 1;
        SetOpen(false);
        return false;
    }
    if (!input) return true;
    StepCursor(item_.cursor);
    itemName_->SetTextA(TagText(targetItem->itemId).c_str());
    const std::int32_t limit = targetItem->record != nullptr ? targetItem->record->stackLimit : 0;
    itemCount_->SetTextW(ToFullWidthText(vesk::text::FormatText(u"%02d/%02d", {targetItem->count, limit})).c_str());
    return true;
}

void GAME_CUIActorStatus::UpdateItemPage(bool input)
{
    if (input && !CloseOrPress(item_)) ToggleRowOnRepeat();
}

void GAME_CUIActorStatus::OnItemTakeOne()
{
    if (targetItem == nullptr) return;
    if (--targetItem->count > 0) return;
    targetItem->count = 0;
    targetItem->dead = 1;
    SetOpen(false);
}

void GAME_CUIActorStatus::OnItemTakeAll()
{
    if (targetItem == nullptr) return;
    targetItem->count = 0;
    targetItem->dead = 1;
    SetOpen(false);
}
