// A list's cursor: the holder that stands at the cursor's row, the highlight over the row, and the arrow before it that bobs.
#include "game/ui/list_cursor.h"

#include "game/ui/widget_builders.h"

void UIListCursor::Build(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent, const UIListCursorLayout& layout)
{
    arrowAt_ = layout.arrowAt;
    holder = MakeUIGroupUnder(parent, layout.at.x, layout.at.y);
    list.push_back(holder);
    highlight = MakeUIPictureUnder(holder, layout.highlightSprite, layout.highlightAt.x, layout.highlightAt.y);
    list.push_back(highlight);
    arrow = MakeUIPictureUnder(holder, "ui_cursor_common_r90", arrowAt_.x, arrowAt_.y);
    list.push_back(arrow);
}
