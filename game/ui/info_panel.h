// The information panel: lines of text, each with an icon before it when it has one and a separator above it, scrolled by a bar.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "framework/math/vector.h"

class GAME_CUILabelObject;
class GAME_CUINullObject;
class GAME_CUIObjectBase;
class GAME_CUIScrollBarObject;

struct UIInfoPanelLayout {
    vesk::math::Vec2 origin{};  // the first line's place under the parent; lines follow a line step apart
    int lines = 1;
    // Relative to a line: its separator (every line but the first) and its icon.
    vesk::math::Vec2 separator{-2.0f, -3.0f};
    vesk::math::Vec2 icon{4.0f, -2.0f};
    // Where a line's text starts when the line has an icon.
    float iconTextX = 26.0f;
    // The first line has a separator above it too (a panel continuing lines drawn above it).
    bool separatorOnFirst = false;
    // Separators stand under the lines instead (at `separator` from each line), every line of the text
    // but its last having one.
    bool separatorBelow = false;
    // Each line also has a value, right-aligned to this x of the line (0: no values).
    float valueRight = 0.0f;
};

// Built in two parts (sprites, then texts) into the owner's draw list. A fill runs from the bar's
// value: Begin, Put every line of the whole text, End; the lines above the value and below the last
// shown one are counted, not shown, and the bar's maximum becomes the lines that do not fit.
class UIInfoPanel {
public:
    void BuildSprites(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent, const UIInfoPanelLayout& layout);
    void BuildTexts(std::vector<GAME_CUIObjectBase*>& list);

    // Every line empty, icons and separators hidden.
    void Clear();
    void Begin(std::int32_t scroll);
    // A line of the text; indented leaves room for an icon (a UI sprite, or none).
    void Put(std::u16string_view text, bool indented, std::int32_t icon, std::u16string_view value = {});
    // A line holding a message key, looked up when it is drawn.
    void PutKey(const char* key, bool indented, std::int32_t icon);
    void End(GAME_CUIScrollBarObject& bar) const;

    const GAME_CUILabelObject* Label(int line) const { return lines_[static_cast<std::size_t>(line)].label; }
    // Null without values.
    const GAME_CUILabelObject* Value(int line) const { return lines_[static_cast<std::size_t>(line)].value; }
    const GAME_CUINullObject* Icon(int line) const { return lines_[static_cast<std::size_t>(line)].icon; }
    const GAME_CUINullObject* Separator(int line) const { return lines_[static_cast<std::size_t>(line)].separator; }

private:
    // The line the next Put writes, when it is shown: placed, its icon and separator shown.
    GAME_CUILabelObject* NextShownLine(bool indented, std::int32_t icon);

    struct Line {
        GAME_CUINullObject* group = nullptr;
        GAME_CUILabelObject* label = nullptr;
        GAME_CUILabelObject* value = nullptr;
        GAME_CUINullObject* icon = nullptr;
        GAME_CUINullObject* separator = nullptr;
    };

    UIInfoPanelLayout layout_{};
    std::vector<Line> lines_;
    std::int32_t scroll_ = 0;
    std::int32_t next_ = 0;  // the line the next Put writes, counted from the bar's value
};
