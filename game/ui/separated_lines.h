// Lines of text with a separator under each (and an icon before each when asked), as the room windows' lists and figure panels stand them.
#pragma once

#include <span>
#include <vector>

#include "framework/math/vector.h"

class GAME_CUILabelObject;
class GAME_CUINullObject;
class GAME_CUIObjectBase;

struct UISeparatedLine {
    GAME_CUILabelObject* label = nullptr;
    GAME_CUINullObject* separator = nullptr;
    // Null unless the lines were built with icons.
    GAME_CUINullObject* icon = nullptr;
};

struct UISeparatedLinesLayout {
    // The first line's place under the parent; the others follow a line step apart.
    vesk::math::Vec2 first{};
    const char* separatorSprite = "ui_separator_left";
    // Relative to its line.
    vesk::math::Vec2 separator{-24.0f, 15.0f};
    bool icons = false;
    vesk::math::Vec2 icon{-18.0f, -6.0f};
};

// Built in two parts: the lines with each one's separator and icon into the list (the pictures), then
// the labels (the texts).
void BuildUISeparatedLines(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent, std::span<UISeparatedLine> lines,
                           const UISeparatedLinesLayout& layout);
void AddUISeparatedLineLabels(std::vector<GAME_CUIObjectBase*>& list, std::span<const UISeparatedLine> lines);
// Every line empty, its separator and icon hidden.
void ClearUISeparatedLines(std::span<UISeparatedLine> lines);
