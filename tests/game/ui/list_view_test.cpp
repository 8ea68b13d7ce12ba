// The list view's wrap policies as a table: stop, ring and the two-part list over 1, 6 and 40 rows; the page jump; a skipped row.
#include <gtest/gtest.h>

#include <vector>

#include "game/ui/list_view.h"

namespace {

struct Case {
    const char* name;
    UIListWrap wrap;
    std::int32_t pinned;
    std::int32_t count;
    std::int32_t top, cursor;  // before
    std::int32_t direction;
    std::int32_t wantTop, wantCursor;
    bool moved;
};

// Six rows show at a time.
const std::vector<Case> kCases = {
    // One row: nothing moves, whatever the policy.
    {"stop, 1 row, down", UIListWrap::kStop, 0, 1, 0, 0, 1, 0, 0, false},
    {"ring, 1 row, up", UIListWrap::kRing, 0, 1, 0, 0, -1, 0, 0, false},
    {"two-part, 1 row, down", UIListWrap::kTwoPart, 1, 1, 0, 0, 1, 0, 0, false},
    // Six rows: all show; the top never moves.
    {"stop, 6 rows, down inside", UIListWrap::kStop, 0, 6, 0, 2, 1, 0, 3, true},
    {"stop, 6 rows, down at the end", UIListWrap::kStop, 0, 6, 0, 5, 1, 0, 5, false},
    {"stop, 6 rows, up at the start", UIListWrap::kStop, 0, 6, 0, 0, -1, 0, 0, false},
    {"ring, 6 rows, down at the end", UIListWrap::kRing, 0, 6, 0, 5, 1, 0, 0, true},
    {"ring, 6 rows, up at the start", UIListWrap::kRing, 0, 6, 0, 0, -1, 0, 5, true},
    // Forty rows: the top scrolls when the cursor would leave the shown rows.
    {"stop, 40 rows, down scrolls", UIListWrap::kStop, 0, 40, 3, 5, 1, 4, 5, true},
    {"stop, 40 rows, up scrolls", UIListWrap::kStop, 0, 40, 3, 0, -1, 2, 0, true},
    {"stop, 40 rows, down at the last row", UIListWrap::kStop, 0, 40, 34, 5, 1, 34, 5, false},
    {"ring, 40 rows, down from the last row", UIListWrap::kRing, 0, 40, 34, 5, 1, 0, 0, true},
    {"ring, 40 rows, up from the first row shows the last page", UIListWrap::kRing, 0, 40, 0, 0, -1, 34, 5, true},
    {"ring, 40 rows, up inside", UIListWrap::kRing, 0, 40, 10, 3, -1, 10, 2, true},
    // Two parts: the pinned first row stays; the row under it scrolls back before the cursor leaves it.
    {"two-part, 40 rows, up under the pinned row", UIListWrap::kTwoPart, 1, 40, 5, 1, -1, 4, 1, true},
    {"two-part, 40 rows, up onto the pinned row", UIListWrap::kTwoPart, 1, 40, 0, 1, -1, 0, 0, true},
    {"two-part, 40 rows, up from the pinned row wraps", UIListWrap::kTwoPart, 1, 40, 0, 0, -1, 34, 5, true},
    {"two-part, 40 rows, down from the last row wraps", UIListWrap::kTwoPart, 1, 40, 34, 5, 1, 0, 0, true},
    {"two-part, 6 rows, up from the pinned row wraps", UIListWrap::kTwoPart, 1, 6, 0, 0, -1, 0, 5, true},
};

TEST(ListViewTest, EachPolicyMovesTheTopAndCursorAsItsTableSays)
{
    for (const Case& c : kCases) {
        UIListView list{.count = c.count, .visible = 6, .top = c.top, .cursor = c.cursor, .wrap = c.wrap, .pinned = c.pinned};
        EXPECT_EQ(list.Step(c.direction), c.moved) << c.name;
        EXPECT_EQ(list.top, c.wantTop) << c.name;
        EXPECT_EQ(list.cursor, c.wantCursor) << c.name;
        EXPECT_LT(list.Index(), c.count) << c.name;
    }
}

// A page jump over forty rows, six shown: the top moves a page and stops at the last page; from the
// last page down goes back to the first row, from the first page up to the last page; the cursor
// keeps its row otherwise.
TEST(ListViewTest, APageJumpStopsAtTheLastPageAndGoesRoundFromEitherEnd)
{
    struct Jump {
        std::int32_t top, cursor, direction, wantTop, wantCursor;
    };
    const Jump jumps[] = {
        {0, 3, 1, 6, 3}, {30, 3, 1, 34, 3}, {34, 3, 1, 0, 0}, {10, 3, -1, 4, 3}, {3, 3, -1, 0, 3}, {0, 3, -1, 34, 3},
    };
    for (const Jump& j : jumps) {
        UIListView list{.count = 40, .visible = 6, .top = j.top, .cursor = j.cursor, .wrap = UIListWrap::kRing};
        list.JumpPage(j.direction);
        EXPECT_EQ(list.top, j.wantTop) << j.top << " by " << j.direction;
        EXPECT_EQ(list.cursor, j.wantCursor) << j.top << " by " << j.direction;
    }
}

// A row that is skipped is passed over both ways, across a scroll too; the rows around it are reached
// as ever.
TEST(ListViewTest, TheCursorPassesOverASkippedRow)
{
    UIListView list{.count = 12, .visible = 6, .cursor = 4, .wrap = UIListWrap::kStop};
    list.skips = [](std::int32_t row) { return row == 6; };
    std::vector<std::int32_t> rows;
    for (const std::int32_t direction : {1, 1, 1, -1, -1}) {
        list.Step(direction);
        rows.push_back(list.Index());
    }
    EXPECT_EQ(rows, (std::vector<std::int32_t>{5, 7, 8, 7, 5}));
    EXPECT_EQ(list.top, 3);
}

}  // namespace
