// The body of the windows that show one task: its item line, its progress bar, the material rows under their caption with their scroll bar, and the crew rows under theirs.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "framework/math/vector.h"
#include "game/ui/crew_row.h"
#include "game/ui/material_rows.h"
#include "game/ui/widget_builders.h"

// The task cancel and room construction windows lay it out the same against their window's top-left
// corner. Built in parts into the owner's draw list: the sprites, the heading texts, the rows' texts.
class UITaskDetails {
public:
    static constexpr int kMaterialRows = 8;

    // Under the parent, from the window's corner `window`: the item icon, the bar, the materials'
    // caption, row icons and scroll bar, the crew's caption and the crew rows' pictures (60 units apart).
    void BuildPictures(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent, vesk::math::Vec2 window,
                       std::span<UICrewRow> crew);
    // The window's title, the item's line beside its icon and the time left over the bar.
    void BuildHeading(std::vector<GAME_CUIObjectBase*>& list);
    // The material rows' names and counts, then the crew rows' texts.
    void BuildTexts(std::vector<GAME_CUIObjectBase*>& list, std::span<UICrewRow> crew);
    // The captions in the language's form (on opening).
    void ApplyLanguage() const { captions_.Apply(); }

    // A material row's item: its icon and name; an id the item list does not know shows any item's
    // icon and the id itself.
    void ShowItem(UIMaterialRow& row, std::uint32_t itemId) const;
    // The share of the bar shown, 0..1.
    float BarShare() const;

    GAME_CUINullObject* icon = nullptr;
    UIGaugeFill bar;
    GAME_CUILabelObject* title = nullptr;
    GAME_CUILabelObject* item = nullptr;
    GAME_CUILabelObject* time = nullptr;
    GAME_CUIScrollBarObject* scroll = nullptr;
    std::array<UIMaterialRow, kMaterialRows> rows{};

private:
    GAME_CUIObjectBase* parent_ = nullptr;
    vesk::math::Vec2 window_{};
    UILanguagePictures captions_;
    std::int32_t anyItemIcon_ = -1;
};
