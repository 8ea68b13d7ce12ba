// The list view: which rows show, the top row, the cursor, and how keys, clicks and the scroll bar move them.
#pragma once

#include <cstdint>
#include <functional>

class GAME_CUILabelObject;
class GAME_CUINullObject;
class GAME_CUIScrollBarObject;

// What the cursor does at an end of the list.
enum class UIListWrap {
    kStop,     // it stays (the screen may move its focus elsewhere)
    kRing,     // it goes over to the other end; upward it lands on the last row with the last page shown
    kTwoPart,  // a ring whose first `pinned` rows stand still above the rows that scroll
};

// What a click on a row did.
enum class UIListClick { kNone, kMoved, kDecided };

struct UIListView {
    static constexpr std::int32_t kDoubleClickFrames = 20;

    std::int32_t count = 0;    // rows in the list
    std::int32_t visible = 1;  // rows shown at once
    std::int32_t top = 0;      // first row of the scrolling part shown
    std::int32_t cursor = 0;   // the cursor's place among the shown rows
    UIListWrap wrap = UIListWrap::kStop;
    std::int32_t pinned = 0;   // two-part lists: rows that never scroll
    // Frames since the last click (a second click on the cursor row within the double-click time decides).
    std::int32_t sinceClick = kDoubleClickFrames;
    // Rows the cursor passes over, such as an option that does not apply at the moment; none when empty.
    std::function<bool(std::int32_t)> skips;

    bool Skips(std::int32_t index) const { return skips && skips(index); }

    std::int32_t Index() const { return top + cursor; }
    std::int32_t ShownRows() const { return count < visible ? count : visible; }
    std::int32_t MaxTop() const { return count > visible ? count - visible : 0; }
    // One row up (-1) or down (+1) under the wrap policy, one further when that row is skipped; false
    // when neither the top nor the cursor moved.
    bool Step(std::int32_t direction);
    // The page modifier's jump by a page of `visible` rows: down the top moves on (to the last page at
    // most; from there back to the first row), up it moves back (from the first page to the last).
    void JumpPage(std::int32_t direction);
    // The menu inputs up and down (auto-repeat): each plays the cursor sound and steps. The direction
    // taken, 0 for none.
    std::int32_t StepByKeys();
    // Top and cursor pulled back into the list after its count changed.
    void Clamp();
    // The cursor onto row `index` (kept inside the list), the list scrolled as little as shows it.
    void Select(std::int32_t index);
    // The cursor on the last row with the last page shown, or on the first row of the first page.
    void EnterAtEnd(bool last)
    {
        top = last ? MaxTop() : 0;
        cursor = last ? ShownRows() - 1 : 0;
    }
    // A click on shown row `row` (see ClickedUIListRow): another row takes the cursor with the cursor
    // sound, unless it is skipped; the cursor row decides, at once or, with doubleClick, only as the
    // second click of a double click.
    UIListClick Click(std::int32_t row, bool doubleClick = false);
    // Counts a frame for the double click.
    void Tick() { if (sinceClick < kDoubleClickFrames) ++sinceClick; }
    // A list that comes up anew: a click before it is no first half of a double click.
    void ForgetClick() { sinceClick = kDoubleClickFrames; }

    // The scroll bar shows the scrolling range and the top.
    void Show(GAME_CUIScrollBarObject& bar) const;
    // Back to the first row, the cursor on it, and the bar showing that; the next click starts anew.
    void ShowFromStart(GAME_CUIScrollBarObject& bar);
    // Takes a top the bar was dragged or wheeled to. True when the top moved: the rows on screen then
    // belong to the old top and the screen must show them anew. The cursor rides with the rows; carried
    // onto a skipped row it goes one further the way the rows went (back, at the window's edge).
    [[nodiscard]] bool Follow(const GAME_CUIScrollBarObject& bar);

private:
    // One row, skipped or not.
    bool StepOnce(std::int32_t direction);
};

// The widgets of a list row that shows an item: the node the row hangs from, the item's icon, its
// name, the line under the row and the count.
struct UIItemRowWidgets {
    GAME_CUINullObject* anchor = nullptr;
    GAME_CUINullObject* icon = nullptr;
    GAME_CUILabelObject* name = nullptr;
    GAME_CUINullObject* separator = nullptr;
    GAME_CUILabelObject* count = nullptr;
};
