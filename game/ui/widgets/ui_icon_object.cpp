// The sprite button: slides in and out, takes a press from the pointer, the pad or a key, bounces and calls back.
#include "game/ui/widgets/ui_icon_object.h"

#include <cmath>

#include "framework/graphics/sprite_registry.h"
#include "framework/input/input_manager.h"
#include "game/services/input/input_map.h"
#include "game/ui/ui_draw.h"

using vesk::math::Vec2;

namespace {

constexpr std::uint32_t kRepeatStartFrames = 30;
constexpr std::uint32_t kRepeatInterval = 4;
constexpr float kPi = 3.14159265358979f;

}  // namespace

UIIconObjectDesc* InitUIIconObjectDesc(UIIconObjectDesc* desc)
{
    *desc = UIIconObjectDesc{};
    desc->normalScaleX = desc->normalScaleY = 1.0f;
    desc->pressedScaleX = desc->pressedScaleY = 1.0f;
    desc->width = desc->height = 32.0f;
    desc->normalSprite = -1;
    desc->pressedSprite = -1;
    desc->color = 0xFFFFFFFFu;
    desc->soundEffect = -1;
    desc->appearFrames = 15;
    desc->disappearFrames = 15;
    desc->pressedFrames = 10;
    return desc;
}

void SetUIIconObjectDescSize(UIIconObjectDesc* desc, float width, float height)
{
    desc->width = width;
    desc->height = height;
    desc->hitShape = 0;
}

void InitUICursorSprite(UICursorSprite* cursor)
{
    cursor->index = FindUISprite("ui_cursor_common_r90");
    const vesk::resource::SpriteRegistry* registry = vesk::resource::GetSpriteRegistry();
    const std::uint32_t handle = 0x01000000u | (static_cast<std::uint32_t>(kUISpriteGroup) << 16) |
                                 (static_cast<std::uint32_t>(cursor->index) & 0xFFFFu);
    cursor->sprite = registry != nullptr && cursor->index >= 0 ? registry->GetPackageSprite(handle) : nullptr;
}

GAME_CUIIconObject::GAME_CUIIconObject(const UIIconObjectDesc* desc) : GAME_CUIPlacedObject(kTakesRotation)
{
    desc_ = UIDescOrDefaults(desc, InitUIIconObjectDesc);
    hidden_ = {desc_.hiddenX, desc_.hiddenY};
    shown_ = {desc_.shownX, desc_.shownY};
    position_ = hidden_;
    scale_ = {desc_.normalScaleX, desc_.normalScaleY};
    pivot_ = {desc_.pivotX, desc_.pivotY};
    size_ = {desc_.width, desc_.height};
    rotation_ = desc_.rotation;
    // A slide that is off completes on its first frame.
    const bool slidesIn = desc_.appearTween == 1;
    const bool slidesOut = desc_.disappearTween == 1;
    InitTween(appear_, shown_.x, shown_.y, slidesIn ? desc_.appearFrames : 0, slidesIn ? desc_.tweenDelay : 0);
    InitTween(disappear_, hidden_.x, hidden_.y, slidesOut ? desc_.disappearFrames : 0, slidesOut ? desc_.tweenDelay : 0);
}

void GAME_CUIIconObject::SetShownPosition(float x, float y)
{
    shown_ = {x, y};
    appear_.to = {x, y};
    if (state_ == 1 || state_ == 4) position_ = shown_;
}

void GAME_CUIIconObject::SetHiddenPosition(float x, float y)
{
    hidden_ = {x, y};
    disappear_.to = {x, y};
    if (state_ == 0) position_ = hidden_;
}

void GAME_CUIIconObject::SetVisible(bool visible)
{
    if ((visible_ != 0) == visible) return;
    if (visible) {
        requested_ = 2;
        visible_ = 1;
    } else {
        requested_ = 3;
    }
}

void GAME_CUIIconObject::Press()
{
    if (disabled_ == 0) pressRequest_ = 1;
}

void GAME_CUIIconObject::Update(bool input)
{
    if (!IsVisible()) return;
    if (disabled_ != 0) input = false;
    ++frame_;
    if (desc_.repeatMode != 0) {
        // The hold is counted on every frame it lasts, so repeats keep their pace across presses.
        if (PointerHits()) {
            ++holdFrames_;
        } else {
            holdFrames_ = 0;
        }
    }
    if (requested_ != state_) {
        state_ = requested_;
        frame_ = 0;
        switch (state_) {
        case 0:
            visible_ = 0;
            return;
        case 1: position_ = shown_; break;
        case 2: RestartTweenFrom(appear_, {hidden_.x, hidden_.y}); break;
        case 3: RestartTweenFrom(disappear_, {shown_.x, shown_.y}); break;
        case 4:
            if (desc_.pressCallback != nullptr) desc_.pressCallback(this);
            break;
        default: break;
        }
    }
    decided_ = 0;
    switch (state_) {
    case 1: {
        if (!input) break;
        bool pressed = false;
        if (pressRequest_ != 0) {
            pressRequest_ = 0;
            pressed = true;
        } else if (desc_.repeatMode != 0 ? (holdFrames_ == 1 || (holdFrames_ >= kRepeatStartFrames && holdFrames_ % kRepeatInterval == 0))
                                    : PointerHits()) {
            pressed = true;
        } else if (PadOrKeyHits()) {
            pressed = true;
        }
        if (pressed) {
            decided_ = 1;
            requested_ = 4;
            PlayUISE(desc_.soundEffect);
        }
        break;
    }
    case 2: Slide(appear_, shown_, 1); break;
    case 3: Slide(disappear_, hidden_, 0); break;
    case 4:
        decided_ = 1;
        if (desc_.latched == 0 && frame_ >= static_cast<std::uint32_t>(desc_.pressedFrames)) {
            requested_ = 1;
            if (desc_.releaseCallback != nullptr) desc_.releaseCallback(this);
        }
        break;
    default: break;
    }
}

void GAME_CUIIconObject::Slide(Tween& tween, Vec2 end, int nextState)
{
    TweenPoint point{position_.x, position_.y};
    UpdateTweenEaseOut(tween, point);
    position_ = {point.x, point.y};
    if (IsTweenFinished(tween)) {
        position_ = end;
        requested_ = nextState;
    }
}

bool GAME_CUIIconObject::PointerHits()
{
    if (disabled_ != 0) return false;
    const Vec2 world = WorldPosition();
    // A repeating button acts for as long as the pointer is down on it; the others on the press.
    const bool repeats = desc_.repeatMode != 0;
    if (desc_.hitShape == 0) {
        const Vec2 topLeft{world.x - pivot_.x * size_.x, world.y - pivot_.y * size_.y};
        const Vec2 bottomRight{world.x + (1.0f - pivot_.x) * size_.x, world.y + (1.0f - pivot_.y) * size_.y};
        return repeats ? IsUIDownInRect(topLeft, bottomRight) : IsUIClickInRect(topLeft, bottomRight);
    }
    if (desc_.hitShape == 1) {
        const Vec2 centre{world.x - pivot_.x * size_.x, world.y - pivot_.y * size_.y};
        return repeats ? IsUIDownInCircle(centre, size_.x) : IsUIClickInCircle(centre, size_.x);
    }
    return false;
}

bool GAME_CUIIconObject::PadOrKeyHits() const
{
    if (desc_.useAction != 0) return desc_.repeatMode == 0 ? IsUIActionTriggered(desc_.action) : IsUIActionRepeated(desc_.action);
    if (desc_.padMask == 0 || !IsInputMapActive()) return false;
    const vesk::input::PadInput* pad = vesk::input::GetPadInput(0);
    if (pad == nullptr) return false;
    const std::uint32_t mask = GetInputMap()->RemapPadButtons(desc_.padMask);
    return (pad->buttons.ForMode(desc_.repeatMode == 0 ? GAME_CInputMap::kModePressed : GAME_CInputMap::kModeRepeat) & mask) != 0;
}

void GAME_CUIIconObject::Draw()
{
    if (!IsVisible() || desc_.normalSprite == -1) return;
    scale_ = {desc_.normalScaleX, desc_.normalScaleY};
    if (desc_.latched == 0 && state_ == 4) {
        const float t = std::sin(static_cast<float>(frame_) * 18.0f * kPi / 180.0f);
        scale_.x = desc_.pressedScaleX * t + desc_.normalScaleX * (1.0f - t);
        scale_.y = desc_.pressedScaleY * t + desc_.normalScaleY * (1.0f - t);
    }
    const std::int32_t sprite = IsDecided() && desc_.pressedSprite != -1 ? desc_.pressedSprite : desc_.normalSprite;
    vesk::graphics::DrawParam param;
    vesk::graphics::InitDrawParam(param);
    param.pivotX = pivot_.x;
    param.pivotY = pivot_.y;
    param.angle = rotation_;
    param.color = desc_.color;
    Vec2 position = position_;
    Vec2 scale = scale_;
    if (Parent() != nullptr) {
        position = WorldPosition();
        if (desc_.ownScale == 0) scale = WorldScale();
    }
    param.scaleX = scale.x;
    param.scaleY = scale.y;
    DrawUISprite(position, sprite, param);
}
