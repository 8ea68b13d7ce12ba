// Builders of the widgets screens lay out by hand: labels, pictures, sprite buttons, scroll bars, draw hooks and language pictures.
#include "game/ui/widget_builders.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "game/services/player/player_data.h"
#include "game/ui/ui_draw.h"

GAME_CUILabelObject* MakeUILabel(GAME_CUIObjectBase* parent, const char* key, float x, float y, float pivotX, float pivotY)
{
    UILabelObjectDesc desc;
    InitUILabelObjectDesc(&desc);
    if (key != nullptr) std::strncpy(desc.key, key, sizeof desc.key - 1);
    desc.positionX = x;
    desc.positionY = y;
    desc.pivotX = pivotX;
    desc.pivotY = pivotY;
    auto* label = new GAME_CUILabelObject(&desc);
    if (parent != nullptr) label->SetParent(parent);
    return label;
}

GAME_CUINullObject* MakeUIPictureUnder(GAME_CUIObjectBase* parent, const char* spriteName, float x, float y)
{
    GAME_CUINullObject* picture = MakeUIPicture(spriteName, x, y);
    if (parent != nullptr) picture->SetParent(parent);
    return picture;
}

GAME_CUINullObject* MakeUIPictureCut(GAME_CUIObjectBase* parent, const char* spriteName, float x, float y, float width,
                                     float height)
{
    GAME_CUINullObject* picture = MakeUIPictureUnder(parent, spriteName, x, y);
    CutUIPicture(picture, width, height);
    return picture;
}

void CutUIPicture(GAME_CUINullObject* picture, float width, float height)
{
    const vesk::math::Vec2 size = UISpriteSize(picture->Sprite());
    if (size.x > 0.0f && size.y > 0.0f) picture->SetTextureRect(0.0f, 0.0f, std::min(1.0f, width / size.x), std::min(1.0f, height / size.y));
}

GAME_CUINullObject* MakeUIGroupUnder(GAME_CUIObjectBase* parent, float x, float y)
{
    GAME_CUINullObject* group = MakeUIGroupNode(x, y);
    if (parent != nullptr) group->SetParent(parent);
    return group;
}

GAME_CUIIconObject* MakeUIButton(GAME_CUIObjectBase* parent, const UIButtonSpec& spec)
{
    UIIconObjectDesc desc;
    InitUIIconObjectDesc(&desc);
    desc.normalSprite = FindUISprite(spec.sprite);
    desc.pressedSprite = FindUISprite(spec.pressedSprite);
    const vesk::math::Vec2 size = spec.size.x > 0.0f ? spec.size : UISpriteSize(desc.normalSprite);
    if (size.x > 0.0f) SetUIIconObjectDescSize(&desc, size.x, size.y);
    desc.hiddenX = desc.shownX = spec.x;
    desc.hiddenY = desc.shownY = spec.y;
    desc.pivotX = spec.pivotX;
    desc.pivotY = spec.pivotY;
    desc.soundEffect = spec.sound;
    desc.pressedFrames = spec.pressedFrames;
    desc.pressedScaleX = desc.pressedScaleY = spec.pressedScale;
    desc.releaseCallback = spec.release;
    desc.repeatMode = spec.repeats ? 1 : 0;
    desc.appearFrames = spec.appearFrames;
    if (spec.action >= 0) {
        desc.action = spec.action;
        desc.useAction = 1;
    }
    auto* button = new GAME_CUIIconObject(&desc);
    if (parent != nullptr) button->SetParent(parent);
    return button;
}

void PlaceUIButtonTopLeft(UIButtonSpec& spec, float left, float top)
{
    const vesk::math::Vec2 size = UISpriteSize(FindUISprite(spec.sprite));
    spec.x = left + size.x * spec.pivotX;
    spec.y = top + size.y * spec.pivotY;
}

void UIGaugeFill::Show(float ratio) const
{
    const vesk::math::Vec2 scale{ratio * fullScale, picture->GetScale()->y};
    picture->SetScale(&scale);
}

UIGaugeFill MakeUIGaugeFill(GAME_CUIObjectBase* parent, const char* spriteName, std::uint32_t color, float length, float height)
{
    UIGaugeFill gauge;
    gauge.picture = MakeUIPictureUnder(parent, spriteName, 0.0f, 0.0f);
    gauge.picture->SetTextureRect(0.25f, 0.25f, 0.75f, 0.75f);
    gauge.picture->SetColor(color);
    const vesk::math::Vec2 size = UISpriteSize(gauge.picture->Sprite());
    gauge.fullScale = size.x > 0.0f ? length / (size.x * 0.5f) : 1.0f;
    const vesk::math::Vec2 scale{0.0f, size.y > 0.0f ? height / (size.y * 0.5f) : 1.0f};
    gauge.picture->SetScale(&scale);
    return gauge;
}

void EnableUIButton(GAME_CUIIconObject* button, bool enabled, GAME_CUILabelObject* caption)
{
    button->SetDisabled(!enabled);
    button->SetColor(enabled ? kUIWhite : GetUIColor(kUIColorGreyed));
    if (caption != nullptr) caption->SetColor(GetUIColor(enabled ? kUIColorText : kUIColorDimText));
}

GAME_CUIScrollBarObject* MakeUIScrollBar(GAME_CUIObjectBase* parent, float x, float y, float width, float height,
                                         bool drawWhenEmpty, UIScrollEnds ends)
{
    UIScrollBarObjectDesc desc;
    InitUIScrollBarObjectDesc(&desc);
    desc.positionX = x;
    desc.positionY = y;
    desc.width = width;
    desc.height = height;
    desc.wheel = 1;
    desc.clamp = ends == UIScrollEnds::kClamp ? 1 : 0;
    desc.keyboard = 0;
    desc.drawWhenEmpty = drawWhenEmpty ? 1 : 0;
    auto* bar = new GAME_CUIScrollBarObject(&desc);
    if (parent != nullptr) bar->SetParent(parent);
    return bar;
}

GAME_CUIFunctionCallObject* MakeUIDrawHook(UIFunction draw)
{
    UIFunctionCallObjectDesc desc;
    InitUIFunctionCallObjectDesc(&desc);
    desc.draw = std::move(draw);
    auto* hook = new GAME_CUIFunctionCallObject(&desc);
    hook->SetVisible(true);
    return hook;
}

int UILanguageVariant()
{
    const GAME_CPlayerData* player = GetPlayerData();
    const std::uint32_t language = player != nullptr ? player->language : 0;
    if (language == 0) return 0;
    return language == 2 ? 2 : 1;
}

void UILanguageSprites::Find(std::string_view baseName)
{
    const std::string base(baseName);
    ids = {FindUISprite(base), FindUISprite(base + "_eng"), FindUISprite(base + "_kr")};
}

GAME_CUINullObject* UILanguagePictures::Add(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent,
                                            const char* spriteName, vesk::math::Vec2 at)
{
    GAME_CUINullObject* picture = MakeUIPictureUnder(parent, spriteName, at.x, at.y);
    pictures_.emplace_back(picture, UILanguageSprites{}).second.Find(spriteName);
    list.push_back(picture);
    return picture;
}

void UILanguagePictures::Apply() const
{
    for (const auto& [picture, sprites] : pictures_) picture->SetSprite(sprites.Current());
}
