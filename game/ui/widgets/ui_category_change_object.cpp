// The draw-state switch: turns the 2D renderer to text drawing or to UI sprites where a draw list changes kind.
#include "game/ui/widgets/ui_category_change_object.h"

#include "framework/text/font_manager.h"
#include "game/services/text/draw_state.h"
#include "game/ui/ui_draw.h"

GAME_CUICategoryChangeObject::GAME_CUICategoryChangeObject(std::int32_t category, bool flush, bool resetText)
    : GAME_CUIPlacedObject(kTakesVisible), category_(category), flush_(flush), resetText_(resetText)
{
}

void GAME_CUICategoryChangeObject::Draw()
{
    if (resetText_) {
        FlushUISprites();
        if (vesk::text::SYS_CFontManager* fonts = vesk::text::GetFontManager()) fonts->ResetTextStyle();
    } else if (flush_) {
        FlushUISprites();
    }
    if (category_ == 0) {
        // Sprites queued so far are drawn under the states they were queued with.
        FlushUISprites();
        ResetDrawState();
    } else if (category_ == 1) {
        BeginUISprites();
    }
}

GAME_CUICategoryChangeObject* MakeUICategorySwitch(std::int32_t category, bool flush, bool resetText)
{
    auto* widget = new GAME_CUICategoryChangeObject(category, flush, resetText);
    widget->SetVisible(true);
    return widget;
}
