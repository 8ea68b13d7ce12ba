// The sprite button: slides in and out, takes a press from the pointer, the pad or a key, bounces and calls back.
#pragma once

#include <cstdint>
#include <functional>

#include "game/model/world/tween.h"
#include "game/ui/widgets/ui_placed_object.h"

class GAME_CUIIconObject;
// Press and release callbacks: a bound member or any function, given the icon.
using UIIconCallback = std::function<void(GAME_CUIIconObject* icon)>;

struct UIIconObjectDesc {
    std::int32_t latched;
    float hiddenX, hiddenY;
    float shownX, shownY;
    float normalScaleX, normalScaleY;
    float pressedScaleX, pressedScaleY;
    float pivotX, pivotY;
    float width, height;
    std::int32_t hitShape;  // 0 rectangle, 1 circle, others never hit
    std::int32_t normalSprite;
    std::int32_t pressedSprite;  // -1: the normal sprite
    UIIconCallback pressCallback;
    UIIconCallback releaseCallback;
    std::uint32_t tweenDelay;
    std::int32_t appearTween;
    std::int32_t disappearTween;
    std::uint32_t padMask;
    std::uint32_t color;
    std::int32_t soundEffect;
    std::int32_t ownScale;
    std::int32_t appearFrames;
    std::int32_t disappearFrames;
    std::int32_t pressedFrames;
    float rotation;
    std::int32_t repeatMode;
    std::int32_t action;
    std::int32_t useAction;
};
UIIconObjectDesc* InitUIIconObjectDesc(UIIconObjectDesc* desc);
// Width and height of the hit area; the hit shape becomes 0.
void SetUIIconObjectDescSize(UIIconObjectDesc* desc, float width, float height);

// The cursor sprite of the dialogs: its index in the UI group and the sprite it resolves to.
struct UICursorSprite {
    std::int32_t index;
    void* sprite;
};
void InitUICursorSprite(UICursorSprite* cursor);

// States: 0 hidden, 1 idle (takes presses), 2 appearing, 3 disappearing, 4 pressed.
class GAME_CUIIconObject : public GAME_CUIPlacedObject {
public:
    explicit GAME_CUIIconObject(const UIIconObjectDesc* desc = nullptr);

    void Update(bool input) override;
    void Draw() override;
    // Slides in or out: the flag clears only when the icon has slid out.
    void SetVisible(bool visible) override;
    bool IsBusy() const override { return state_ == 2 || state_ == 3 || state_ == 4; }
    // Unless disabled, the next update takes a press.
    virtual void Press();

    void SetDisabled(bool disabled) { disabled_ = disabled ? 1 : 0; }
    bool IsDisabled() const { return disabled_ != 0; }
    void SetColor(std::uint32_t color) { desc_.color = color; }
    std::uint32_t Color() const { return desc_.color; }
    void SetSprites(std::int32_t normal, std::int32_t pressed)
    {
        desc_.normalSprite = normal;
        desc_.pressedSprite = pressed;
    }
    void SetHitSize(float width, float height) { size_ = {width, height}; }
    // The sound of a press (-1: none), and the input action that presses it (-1: none).
    void SetSound(std::int32_t id) { desc_.soundEffect = id; }
    void SetAction(std::int32_t action)
    {
        desc_.action = action < 0 ? 0 : action;
        desc_.useAction = action < 0 ? 0 : 1;
    }
    // Moves both rest positions (and the current one) of the slide.
    void SetShownPosition(float x, float y);
    void SetHiddenPosition(float x, float y);
    int State() const { return state_; }
    // Puts the icon straight into a state (a latched icon leaves state 4 this way).
    void RequestState(int state) { requested_ = state; }

private:
    // One frame of a slide; at its end the icon rests at the end point and asks for the next state.
    void Slide(Tween& tween, vesk::math::Vec2 end, int nextState);
    bool PointerHits();
    bool PadOrKeyHits() const;

    // The description as given, with what the setters change since; the transform lives in the base and
    // the slide's ends in hidden_ and shown_.
    UIIconObjectDesc desc_{};
    vesk::math::Vec2 hidden_{};
    vesk::math::Vec2 shown_{};
    int state_ = 0;
    int requested_ = 0;
    std::uint32_t frame_ = 0;
    Tween appear_{};
    Tween disappear_{};
    std::uint32_t disabled_ = 0;
    std::uint32_t holdFrames_ = 0;
    std::uint32_t pressRequest_ = 0;
};
