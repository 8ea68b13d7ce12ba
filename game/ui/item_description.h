// An item's description as the item windows show it: its own text, where it is made and what it goes into.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/math/vector.h"
#include "game/ui/widget_builders.h"

class GAME_CStaticDatabase;
class GAME_CUILabelObject;
class GAME_CUIObjectBase;
class GAME_CUIScrollBarObject;
struct ItemData;

// The text ends every line with a line feed: the item's own text and an empty line, then the
// production section (the crafting tasks that make it, under a heading per run of one room's
// entries, or a line saying it cannot be made), an empty line, and the material section (what it is
// made into, headed the same way, or a line saying it has no use). A formatted line keeps at most
// kItemDescriptionLineLimit characters. An item without a production record reads as one without
// entries: it cannot be made and has no use.
inline constexpr std::size_t kItemDescriptionLineLimit = 79;
std::u16string ComposeItemDescription(const GAME_CStaticDatabase& database, std::uint32_t itemId);

// The two rules in which the item windows' descriptions differ.
struct UIDescriptionRules {
    // Every break ends a line and the text after the last break stands as a line that no scrolling
    // counts; else breaks end lines as in a panel and every line counts.
    bool lastLineUncounted = false;
    // While scrolling, rows no line reaches are emptied; else they keep what they showed.
    bool blanksPastEnd = true;
};

// Where an item window's description stands under its parent: the first line, the rows shown and the
// step between them. The separators between the rows and the scroll bar (8 units wide, barHeight
// tall) stand at fixed offsets from the first line.
struct UIDescriptionLayout {
    vesk::math::Vec2 firstLine{};
    int rows = 1;
    float step = 18.0f;
    float barHeight = 0.0f;
};

// An item window's description as rows of labels that scroll over its lines with a bar, under the
// window's rules. Built in two parts into the owner's draw list: the
// separators and the bar with the sprites, the rows with the texts.
class UIDescriptionPane {
public:
    explicit UIDescriptionPane(UIDescriptionRules rules) : rules_(rules) {}

    void BuildSprites(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent, const UIDescriptionLayout& layout);
    void BuildTexts(std::vector<GAME_CUIObjectBase*>& list);

    // The item's description split into lines of at most maxLineLength characters (none without a
    // database); the bar's maximum becomes the lines that do not fit, and the emptied rows show from
    // the top.
    void Compose(const GAME_CStaticDatabase* database, std::uint32_t itemId, std::size_t maxLineLength);
    // The rows from the bar's value on.
    void Show() const;
    // Every row emptied.
    void Clear() const;
    // After the owner's tree update, given the bar's value before it: a bar the pointer moved shows its
    // rows with the cursor sound; else, with keys, up or down held scrolls a line at each repeat with
    // the cursor sound, stopping at the ends.
    void Scroll(std::int32_t barBefore, bool keys);

    GAME_CUIScrollBarObject* Bar() const { return bar_; }
    const GAME_CUILabelObject* Row(int row) const { return rows_[static_cast<std::size_t>(row)]; }
    const std::vector<std::u16string>& Lines() const { return lines_; }

private:
    UIDescriptionRules rules_;
    UIDescriptionLayout layout_{};
    GAME_CUIObjectBase* parent_ = nullptr;
    GAME_CUIScrollBarObject* bar_ = nullptr;
    std::vector<GAME_CUILabelObject*> rows_;
    std::vector<std::u16string> lines_;
};

// Where an item window shows one item: its icon, the headings of the sell price, the amount and the
// information, its name as the window's title, the price and amount lines, and the description.
struct UIItemDetailLayout {
    vesk::math::Vec2 icon{};
    vesk::math::Vec2 priceHeading{};
    vesk::math::Vec2 amountHeading{};
    vesk::math::Vec2 informationHeading{};
    vesk::math::Vec2 title{};
    vesk::math::Vec2 price{};
    vesk::math::Vec2 amount{};
    UIDescriptionLayout description{};
};

// One item as the item windows show it. Built in two parts into the owner's draw list: the icon, the
// headings (into the owner's language pictures) and the description's sprites; then the title, the
// price and amount lines and the description's rows. The window words the price and the amount.
class UIItemDetail {
public:
    // A description line keeps at most this many characters.
    static constexpr std::size_t kLineLength = 127;

    explicit UIItemDetail(UIDescriptionRules rules) : description_(rules) {}

    void BuildSprites(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent, const UIItemDetailLayout& layout,
                      UILanguagePictures& headings);
    void BuildTexts(std::vector<GAME_CUIObjectBase*>& list);
    // The item's name as the title, its icon (none without a record) and its description.
    void Show(const GAME_CStaticDatabase* database, std::uint32_t itemId, const ItemData* record);

    GAME_CUILabelObject* Title() const { return title_; }
    GAME_CUILabelObject* Price() const { return price_; }
    GAME_CUILabelObject* Amount() const { return amount_; }
    UIDescriptionPane& Description() { return description_; }
    const UIDescriptionPane& Description() const { return description_; }

private:
    UIItemDetailLayout layout_{};
    GAME_CUIObjectBase* parent_ = nullptr;
    GAME_CUINullObject* icon_ = nullptr;
    GAME_CUILabelObject* title_ = nullptr;
    GAME_CUILabelObject* price_ = nullptr;
    GAME_CUILabelObject* amount_ = nullptr;
    UIDescriptionPane description_;
};
