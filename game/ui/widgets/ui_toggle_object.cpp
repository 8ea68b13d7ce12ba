// The toggle: a two-state switch flipped by a click.
#include "game/ui/widgets/ui_toggle_object.h"

#include "game/ui/ui_draw.h"

using vesk::math::Vec2;

UIToggleObjectDesc* InitUIToggleObjectDesc(UIToggleObjectDesc* desc)
{
    *desc = UIToggleObjectDesc{kUIPlacementDefaults, 0.0f, 0.0f};
    return desc;
}

GAME_CUIToggleObject::GAME_CUIToggleObject(const UIToggleObjectDesc* desc)
    : GAME_CUIPlacedObject(kTakesPosition | kTakesPivot | kTakesScale | kTakesSize | kTakesVisible)
{
    UIToggleObjectDesc defaults;
    if (desc == nullptr) desc = InitUIToggleObjectDesc(&defaults);
    Place(*desc);
    size_ = {desc->width, desc->height};
    bgOff_ = FindUISprite("ui_option_toggle_bg_off");
    bgOn_ = FindUISprite("ui_option_toggle_bg_on");
    button_ = FindUISprite("ui_option_toggle_button");
    textOn_ = FindUISprite("ui_text_on");
    textOff_ = FindUISprite("ui_text_off");
}

void GAME_CUIToggleObject::Update(bool input)
{
    decided_ = 0;
    if (!IsVisible() || !input) return;
    size_ = UISpriteSize(Background());
    const Vec2 world = WorldPosition();
    const Vec2 scale = WorldScale();
    const Vec2 topLeft{world.x - pivot_.x * size_.x * scale.x, world.y - pivot_.y * size_.y * scale.y};
    const Vec2 bottomRight{world.x + (1.0f - pivot_.x) * size_.x * scale.x, world.y + (1.0f - pivot_.y) * size_.y * scale.y};
    if (IsUIClickInRect(topLeft, bottomRight)) {
        value = value == 0 ? 1 : 0;
        PlayUISE(kSeUICursor);
        decided_ = 1;
    }
}

void GAME_CUIToggleObject::Draw()
{
    const std::int32_t background = Background();
    if (GetUISprite(background) == nullptr) return;
    const Vec2 world = WorldPosition();
    const Vec2 bgSize = UISpriteSize(background);
    const Vec2 buttonSize = UISpriteSize(button_);
    const float x = static_cast<float>(static_cast<int>(world.x - pivot_.x * bgSize.x));
    const float y = static_cast<float>(static_cast<int>(world.y - pivot_.y * bgSize.y));
    // A label centred in a button-sized area whose top-left corner is given.
    auto drawLabel = [&](std::int32_t label, float left) {
        const Vec2 labelSize = UISpriteSize(label);
        DrawUISprite({static_cast<float>(static_cast<int>(left + (buttonSize.x - labelSize.x) * 0.5f)),
                      static_cast<float>(static_cast<int>(y + (buttonSize.y - labelSize.y) * 0.5f))},
                     label);
    };
    DrawUISprite({x, y}, background);
    if (value == 0) {
        DrawUISprite({x + static_cast<float>(static_cast<int>(bgSize.x * 0.5f)), y}, button_);
        drawLabel(textOff_, x);
    } else {
        DrawUISprite({x, y}, button_);
        drawLabel(textOn_, x + buttonSize.x);
    }
}
