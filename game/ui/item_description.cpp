// An item's description as the item windows show it: its own text, where it is made and what it goes into.
#include "game/ui/item_description.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "game/services/data/item_records.h"
#include "game/services/data/static_database.h"
#include "game/services/data/tag.h"
#include "game/services/input/input_map.h"
#include "game/services/text/message_text.h"
#include "game/ui/text_lines.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_text.h"
#include "game/ui/widget_builders.h"
#include "game/ui/widgets/ui_label_object.h"
#include "game/ui/widgets/ui_null_object.h"

namespace {

class DescriptionWriter {
public:
    explicit DescriptionWriter(std::u16string& text) : text_(text) {}

    void Line(std::string_view key, std::initializer_list<vesk::text::FormatArg> args)
    {
        text_ += UILimitedText(FormatUIMessage(key, args), kItemDescriptionLineLimit);
        text_ += u'\n';
    }

    // A section: a line saying there are no entries, or its label line and each entry's line, under
    // a room heading that opens each run of one room's entries.
    template <typename Entry, typename PutEntry>
    void Section(const std::vector<Entry>& entries, std::string_view noneKey, std::string_view labelKey, const std::u16string& name,
                 PutEntry putEntry)
    {
        if (entries.empty()) {
            Line(noneKey, {name});
            return;
        }
        Line(labelKey, {name});
        const Entry* previous = nullptr;
        for (const Entry& entry : entries) {
            if (previous == nullptr || previous->roomId != entry.roomId) Line("ItemDiscript_Facility", {UITagName(entry.roomId)});
            previous = &entry;
            putEntry(entry);
        }
    }

private:
    std::u16string& text_;
};

}  // namespace

std::u16string ComposeItemDescription(const GAME_CStaticDatabase& database, std::uint32_t itemId)
{
    std::u16string text = GetMessageTextExpanded(TagText(itemId) + "_DISCRIPT");
    text += u"\n\n";
    // An item no record covers reads as one that nothing makes and nothing uses.
    static const ItemProductionData kNoEntries{};
    const ItemProductionData* production = database.FindItemProductionData(itemId);
    if (production == nullptr) production = &kNoEntries;
    const std::u16string name = UITagName(itemId);
    DescriptionWriter writer(text);

    writer.Section(production->producers, "ItemDiscript_Unproducible", "ItemDiscript_ProductLabel", name, [&](const ItemProducer& producer) {
        writer.Line("ItemDiscript_Production", {UITagName(producer.taskId), UIFullWidthNumber(producer.productCount), UITagName(producer.roomId)});
    });
    text += u'\n';
    writer.Section(production->consumers, "ItemDiscript_Unusable", "ItemDiscript_MaterialLabel", name, [&](const ItemConsumer& consumer) {
        writer.Line("ItemDiscript_Material", {UITagName(consumer.productItem), UIFullWidthNumber(consumer.productCount),
                                              UIFullWidthNumber(consumer.materialCount), UITagName(consumer.roomId)});
    });
    return text;
}

void UIDescriptionPane::BuildSprites(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent,
                                     const UIDescriptionLayout& layout)
{
    layout_ = layout;
    parent_ = parent;
    const vesk::math::Vec2 first = layout.firstLine;
    for (int k = 0; k + 1 < layout.rows; ++k) {
        list.push_back(MakeUIPictureUnder(parent, "ui_separator_big2", first.x - 8.0f, first.y + 15.0f + layout.step * static_cast<float>(k)));
    }
    bar_ = MakeUIScrollBar(parent, first.x + 430.0f, first.y + 2.0f, 8.0f, layout.barHeight);
    list.push_back(bar_);
}

void UIDescriptionPane::BuildTexts(std::vector<GAME_CUIObjectBase*>& list)
{
    for (int k = 0; k < layout_.rows; ++k) {
        rows_.push_back(MakeUILabel(parent_, "", layout_.firstLine.x, layout_.firstLine.y + layout_.step * static_cast<float>(k)));
        list.push_back(rows_.back());
    }
}

void UIDescriptionPane::Compose(const GAME_CStaticDatabase* database, std::uint32_t itemId, std::size_t maxLineLength)
{
    Clear();
    lines_.clear();
    if (database != nullptr) {
        const TextLineEnds ends = rules_.lastLineUncounted ? TextLineEnds::kEveryBreak : TextLineEnds::kPanel;
        lines_ = SplitTextLines(ComposeItemDescription(*database, itemId), {.maxLineLength = maxLineLength, .ends = ends});
    }
    std::int32_t counted = static_cast<std::int32_t>(lines_.size());
    if (rules_.lastLineUncounted) counted = std::max(counted - 1, 0);
    bar_->SetMaximum(std::max(counted - layout_.rows, 0));
    bar_->SetValue(0);
    Show();
}

void UIDescriptionPane::Show() const
{
    const auto first = static_cast<std::size_t>(bar_->Value());
    for (std::size_t k = 0; k < rows_.size(); ++k) {
        const std::size_t line = first + k;
        if (line < lines_.size()) {
            rows_[k]->SetTextW(lines_[line].c_str());
        } else if (rules_.blanksPastEnd) {
            rows_[k]->SetTextW(u"");
        }
    }
}

void UIDescriptionPane::Clear() const
{
    for (GAME_CUILabelObject* row : rows_) row->SetTextA("");
}

void UIDescriptionPane::Scroll(std::int32_t barBefore, bool keys)
{
    const std::int32_t value = bar_->Value();
    if (value != barBefore) {
        PlayUISE(kSeUICursor);
        Show();
        return;
    }
    if (!keys || bar_->Maximum() == 0) return;
    std::int32_t step = 0;
    if (IsUIMenuSlot(GAME_CInputMap::kModeHeld, kUIMenuUp)) {
        if (value > 0 && IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuUp)) step = -1;
    } else if (IsUIMenuSlot(GAME_CInputMap::kModeHeld, kUIMenuDown)) {
        if (value < bar_->Maximum() && IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuDown)) step = 1;
    }
    if (step == 0) return;
    PlayUISE(kSeUICursor);
    bar_->SetValue(value + step);
    Show();
}

void UIItemDetail::BuildSprites(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent, const UIItemDetailLayout& layout,
                                UILanguagePictures& headings)
{
    layout_ = layout;
    parent_ = parent;
    icon_ = MakeUIPictureUnder(parent, "", layout.icon.x, layout.icon.y);
    list.push_back(icon_);
    headings.Add(list, parent, "ui_text_sellprice", layout.priceHeading);
    headings.Add(list, parent, "ui_text_num", layout.amountHeading);
    headings.Add(list, parent, "ui_text_information", layout.informationHeading);
    description_.BuildSprites(list, parent, layout.description);
}

void UIItemDetail::BuildTexts(std::vector<GAME_CUIObjectBase*>& list)
{
    // Until an item is shown the title reads as the dictionary's.
    title_ = MakeUILabel(parent_, "ITEMDICTIONARY_WINDOWTITLE", layout_.title.x, layout_.title.y);
    price_ = MakeUILabel(parent_, "", layout_.price.x, layout_.price.y);
    amount_ = MakeUILabel(parent_, "", layout_.amount.x, layout_.amount.y);
    for (GAME_CUIObjectBase* label : {title_, price_, amount_}) list.push_back(label);
    description_.BuildTexts(list);
}

void UIItemDetail::Show(const GAME_CStaticDatabase* database, std::uint32_t itemId, const ItemData* record)
{
    title_->SetTextW(UITagName(itemId).c_str());
    icon_->SetSprite(record != nullptr ? record->iconSprite : kNoSprite);
    icon_->SetColor(kUIWhite);
    description_.Compose(database, itemId, kLineLength);
}
