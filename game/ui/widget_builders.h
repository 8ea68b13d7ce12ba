// Builders of the widgets screens lay out by hand: labels, pictures, sprite buttons, scroll bars, draw hooks and language pictures.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "game/ui/widgets/ui_function_call_object.h"
#include "game/ui/widgets/ui_icon_object.h"
#include "game/ui/widgets/ui_label_object.h"
#include "game/ui/widgets/ui_null_object.h"
#include "game/ui/widgets/ui_scroll_bar_object.h"

// A label of a message key ("" for none) under the parent, in UI colour 4.
GAME_CUILabelObject* MakeUILabel(GAME_CUIObjectBase* parent, const char* key, float x, float y, float pivotX = 0.0f,
                                 float pivotY = 0.0f);
// A picture of a named UI sprite under the parent (-1 when the sprite is missing).
GAME_CUINullObject* MakeUIPictureUnder(GAME_CUIObjectBase* parent, const char* spriteName, float x, float y);
// A picture cut to at most the given size (its texture's top-left part), for a shared picture laid
// over a smaller window.
GAME_CUINullObject* MakeUIPictureCut(GAME_CUIObjectBase* parent, const char* spriteName, float x, float y, float width,
                                     float height);
// Cuts a picture made already to at most the given size, as MakeUIPictureCut does.
void CutUIPicture(GAME_CUINullObject* picture, float width, float height);
// A group node (draws nothing, its children draw) under the parent.
GAME_CUINullObject* MakeUIGroupUnder(GAME_CUIObjectBase* parent, float x, float y);

// A sprite button: its sprites by name, the point its pivot stands on, the pivot, the press sound,
// the logical action it answers (-1: none), pressed frames and scale, the release callback, its
// size (zero: the sprite's) and the frames it takes to appear.
struct UIButtonSpec {
    const char* sprite = "";
    const char* pressedSprite = "";
    float x = 0.0f;
    float y = 0.0f;
    float pivotX = 0.5f;
    float pivotY = 0.5f;
    std::int32_t sound = -1;
    std::int32_t action = -1;
    std::int32_t pressedFrames = 5;
    float pressedScale = 1.0f;
    UIIconCallback release;
    // A held pointer (or key) presses it again and again, not only a fresh press.
    bool repeats = false;
    vesk::math::Vec2 size{};
    std::int32_t appearFrames = 15;
};
GAME_CUIIconObject* MakeUIButton(GAME_CUIObjectBase* parent, const UIButtonSpec& spec);
// The point a button's pivot stands on when its sprite's top-left corner lies at (left, top).
void PlaceUIButtonTopLeft(UIButtonSpec& spec, float left, float top);
// A button that takes presses or not, greyed when not, and its caption (if given) in the text colour
// or greyed with it.
void EnableUIButton(GAME_CUIIconObject* button, bool enabled, GAME_CUILabelObject* caption = nullptr);

// A gauge's fill: the centre of a UI sprite in one colour, stretched to `length` by `height` units
// when full. It is made empty; Show stretches it to a share of the full length.
struct UIGaugeFill {
    GAME_CUINullObject* picture = nullptr;
    float fullScale = 1.0f;

    // ratio: 0 empty to 1 full.
    void Show(float ratio) const;
};
UIGaugeFill MakeUIGaugeFill(GAME_CUIObjectBase* parent, const char* spriteName, std::uint32_t color, float length, float height);

// Whether a scroll bar stops at its ends or goes round from one end to the other.
enum class UIScrollEnds { kClamp, kWrap };
// A scroll bar that takes the wheel, not the menu inputs.
GAME_CUIScrollBarObject* MakeUIScrollBar(GAME_CUIObjectBase* parent, float x, float y, float width, float height,
                                         bool drawWhenEmpty = false, UIScrollEnds ends = UIScrollEnds::kClamp);
// A shown callback node that draws with the function.
GAME_CUIFunctionCallObject* MakeUIDrawHook(UIFunction draw);

// 0 for Japanese, 2 for Korean, 1 for every other language: which of a picture's three forms shows.
int UILanguageVariant();
// The three forms of a picture with words on it: the name, the name with "_eng" and with "_kr".
struct UILanguageSprites {
    std::array<std::int32_t, 3> ids{-1, -1, -1};

    void Find(std::string_view baseName);
    std::int32_t Current() const { return ids[static_cast<std::size_t>(UILanguageVariant())]; }
};
// Pictures with words on them, each shown in the language's form by Apply (a screen calls it as it
// opens, so a language changed meanwhile shows).
class UILanguagePictures {
public:
    // A picture of the named sprite under the parent, added to the draw list.
    GAME_CUINullObject* Add(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent, const char* spriteName,
                            vesk::math::Vec2 at);
    void Apply() const;

private:
    std::vector<std::pair<GAME_CUINullObject*, UILanguageSprites>> pictures_;
};
