// The list view's movement: the wrap policies, the keys, clicks with their double click, and the scroll bar.
#include "game/ui/list_view.h"

#include <algorithm>

#include "game/services/input/input_map.h"
#include "game/ui/ui_draw.h"
#include "game/ui/widgets/ui_scroll_bar_object.h"

bool UIListView::Step(std::int32_t direction)
{
    const bool moved = StepOnce(direction);
    if (moved && Skips(Index())) StepOnce(direction);
    return moved;
}

bool UIListView::StepOnce(std::int32_t direction)
{
    if (count <= 0 || direction == 0) return false;
    const std::int32_t topBefore = top;
    const std::int32_t cursorBefore = cursor;
    const std::int32_t lastCursor = ShownRows() - 1;
    const bool wraps = wrap != UIListWrap::kStop;
    if (direction > 0) {
        // A top restored past the list's end leaves the cursor on the last row.
        if (cursor < lastCursor && Index() < count - 1) {
            ++cursor;
        } else if (top < MaxTop()) {
            ++top;
        } else if (wraps) {
            top = 0;
            cursor = 0;
        }
    } else {
        // The first scrolling row scrolls back before the cursor leaves it (in a two-part list that
        // is the row under the pinned ones).
        const bool atScrollHead = cursor == 0 || (wrap == UIListWrap::kTwoPart && cursor == pinned);
        if (atScrollHead && top > 0) {
            --top;
        } else if (cursor > 0) {
            --cursor;
        } else if (wraps) {
            top = MaxTop();
            cursor = lastCursor;
        }
    }
    return top != topBefore || cursor != cursorBefore;
}

void UIListView::JumpPage(std::int32_t direction)
{
    const std::int32_t last = MaxTop();
    if (direction > 0) {
        if (top < last) {
            top = std::min(top + visible, last);
        } else {
            top = 0;
            cursor = 0;
        }
    } else if (direction < 0) {
        top = top > 0 ? std::max(top - visible, 0) : last;
    }
}

std::int32_t UIListView::StepByKeys()
{
    std::int32_t direction = 0;
    if (IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuUp)) {
        direction = -1;
    } else if (IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuDown)) {
        direction = 1;
    }
    if (direction == 0) return 0;
    PlayUISE(kSeUICursor);
    Step(direction);
    return direction;
}

void UIListView::Clamp()
{
    top = std::clamp(top, 0, MaxTop());
    cursor = std::clamp(cursor, 0, std::max(ShownRows() - 1, 0));
}

void UIListView::Select(std::int32_t index)
{
    index = std::clamp(index, 0, std::max(count - 1, 0));
    if (index < top) top = index;
    if (index >= top + visible) top = index - visible + 1;
    Clamp();
    cursor = index - top;
}

UIListClick UIListView::Click(std::int32_t row, bool doubleClick)
{
    if (row < 0 || (row != cursor && Skips(top + row))) return UIListClick::kNone;
    const bool quick = sinceClick < kDoubleClickFrames;
    sinceClick = 0;
    if (row != cursor) {
        cursor = row;
        PlayUISE(kSeUICursor);
        return UIListClick::kMoved;
    }
    return !doubleClick || quick ? UIListClick::kDecided : UIListClick::kNone;
}

void UIListView::Show(GAME_CUIScrollBarObject& bar) const
{
    bar.SetMaximum(MaxTop());
    bar.SetValue(top);
}

void UIListView::ShowFromStart(GAME_CUIScrollBarObject& bar)
{
    top = cursor = 0;
    ForgetClick();
    Show(bar);
}

bool UIListView::Follow(const GAME_CUIScrollBarObject& bar)
{
    const std::int32_t before = top;
    top = bar.Value();
    if (top == before) return false;
    if (Skips(Index())) {
        const std::int32_t way = top > before ? 1 : -1;
        const std::int32_t further = cursor + way;
        cursor = further >= 0 && further < ShownRows() ? further : cursor - way;
    }
    return true;
}
