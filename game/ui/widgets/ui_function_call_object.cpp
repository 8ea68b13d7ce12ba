// The callback node: puts a screen's own update and draw code into the widget tree and the draw list.
#include "game/ui/widgets/ui_function_call_object.h"

UIFunctionCallObjectDesc* InitUIFunctionCallObjectDesc(UIFunctionCallObjectDesc* desc)
{
    *desc = UIFunctionCallObjectDesc{};
    return desc;
}

GAME_CUIFunctionCallObject::GAME_CUIFunctionCallObject(const UIFunctionCallObjectDesc* desc) : GAME_CUIPlacedObject(kTakesVisible)
{
    if (desc != nullptr) desc_ = *desc;
}

void GAME_CUIFunctionCallObject::Update(bool)
{
    KeepWorldMatrix();
    if (desc_.update != nullptr) desc_.update();
}

void GAME_CUIFunctionCallObject::Draw()
{
    if (desc_.draw != nullptr) desc_.draw();
}
