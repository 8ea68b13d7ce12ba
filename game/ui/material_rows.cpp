// The material rows of the task windows: an item icon, its name, its count, and a separator under every row but the last.
#include "game/ui/material_rows.h"

#include "game/ui/ui_draw.h"
#include "game/ui/widget_builders.h"
#include "game/ui/widgets/ui_label_object.h"
#include "game/ui/widgets/ui_null_object.h"

namespace {

// Where a row's separator stands from its icon.
constexpr vesk::math::Vec2 kSeparatorFromIcon{17.0f, 17.0f};

}  // namespace

void BuildUIMaterialRowPictures(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent, std::span<UIMaterialRow> rows,
                                vesk::math::Vec2 iconAt)
{
    for (std::size_t i = 0; i < rows.size(); ++i) {
        UIMaterialRow& row = rows[i];
        const float y = iconAt.y + kUILineStep * static_cast<float>(i);
        row.icon = MakeUIPictureUnder(parent, "dot_itemsymbol_13", iconAt.x, y);
        list.push_back(row.icon);
        if (i + 1 < rows.size()) {
            row.separator = MakeUIPictureUnder(parent, "ui_separator_left_rat", iconAt.x + kSeparatorFromIcon.x, y + kSeparatorFromIcon.y);
            list.push_back(row.separator);
        }
    }
}

void BuildUIMaterialRowTexts(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent, std::span<UIMaterialRow> rows,
                             vesk::math::Vec2 nameAt, float countRight)
{
    for (std::size_t i = 0; i < rows.size(); ++i) {
        UIMaterialRow& row = rows[i];
        const float y = nameAt.y + kUILineStep * static_cast<float>(i);
        row.name = MakeUILabel(parent, "", nameAt.x, y);
        list.push_back(row.name);
        row.count = MakeUILabel(parent, "", countRight, y, 1.0f);
        list.push_back(row.count);
    }
}

void ShowUIMaterialRow(std::span<UIMaterialRow> rows, std::size_t i, bool shown)
{
    if (i >= rows.size()) return;
    if (i > 0) rows[i - 1].separator->SetColor(shown ? kUIWhite : kUIHidden);
    if (shown) return;
    rows[i].icon->SetColor(kUIHidden);
    rows[i].name->SetTextW(u"");
    rows[i].count->SetTextW(u"");
}
