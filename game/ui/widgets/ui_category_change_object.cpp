// The draw-state switch: turns the 2D renderer to text drawing or to UI sprites where a draw list changes kind.
#include "game/ui/widgets/ui_category_change_object.h"

#include "framework/text/font_manager.h"
#include "game/services/text/draw_state.h"
#include "game/ui/ui_draw.h"

UICategoryChangeObjectDesc* InitUICategoryChangeObjectDesc(UICategoryChangeObjectDesc* desc)
{
    *desc = UICategoryChangeObjectDesc{2, 0, 0};
    return desc;
}

GAME_CUICategoryChangeObject::GAME_CUICategoryChangeObject(const UICategoryChangeObjectDesc* desc) : GAME_CUIPlacedObject(kTakesVisible)
{
    if (desc == nullptr) {
        InitUICategoryChangeObjectDesc(&desc_);
    } else {
        desc_ = *desc;
    }
}

void GAME_CUICategoryChangeObject::Draw()
{
    if (desc_.flushAndResetText != 0) {
        FlushUISprites();
        if (vesk::text::SYS_CFontManager* fonts = vesk::text::GetFontManager()) fonts->ResetTextStyle();
    } else if (desc_.flush != 0) {
        FlushUISprites();
    }
    if (desc_.category == 0) {
        // Sprites queued so far are drawn under the states they were queued with.
        FlushUISprites();
        ResetDrawState();
    } else if (desc_.category == 1) {
        BeginUISprites();
    }
}

GAME_CUICategoryChangeObject* MakeUICategorySwitch(std::int32_t category, bool flush, bool resetText)
{
    UICategoryChangeObjectDesc desc;
    InitUICategoryChangeObjectDesc(&desc);
    desc.category = category;
    desc.flush = flush ? 1 : 0;
    desc.flushAndResetText = resetText ? 1 : 0;
    auto* widget = new GAME_CUICategoryChangeObject(&desc);
    if (widget != nullptr) widget->SetVisible(true);
    return widget;
}
