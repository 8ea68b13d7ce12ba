// An item's description as the item windows show it: its own text, where it is made and what it goes into.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class GAME_CStaticDatabase;
class GAME_CUILabelObject;

// The text ends every line with a line feed: the item's own text and an empty line, then the
// production section (the crafting tasks that make it, under a heading per run of one room's
// entries, or a line saying it cannot be made), an empty line, and the material section (what it is
// made into, headed the same way, or a line saying it has no use). A formatted line keeps at most
// kItemDescriptionLineLimit characters. An item without a production record reads as one without
// entries: it cannot be made and has no use.
inline constexpr std::size_t kItemDescriptionLineLimit = 79;
std::u16string ComposeItemDescription(const GAME_CStaticDatabase& database, std::uint32_t itemId);

// An item window's description as rows of labels that scroll over its lines. The windows differ in
// two rules, which the window gives.
struct UIDescriptionRules {
    // Every break ends a line and the text after the last break stands as a line that no scrolling
    // counts; else breaks end lines as in a panel and every line counts.
    bool lastLineUncounted = false;
    // Rows no line reaches are emptied; else they keep what they showed.
    bool blanksPastEnd = true;
};

class UIDescriptionRows {
public:
    explicit UIDescriptionRows(UIDescriptionRules rules) : rules_(rules) {}

    // The item's description split into lines of at most maxLineLength characters (none without a
    // database); the scroll maximum for rows rows shown.
    std::int32_t Compose(const GAME_CStaticDatabase* database, std::uint32_t itemId, std::size_t maxLineLength, int rows);
    // The rows from line first on.
    void Show(std::span<GAME_CUILabelObject* const> rows, std::int32_t first) const;
    const std::vector<std::u16string>& Lines() const { return lines_; }

private:
    UIDescriptionRules rules_;
    std::vector<std::u16string> lines_;
};
