// An item's description as the item windows show it: its own text, where it is made and what it goes into.
#include "game/ui/item_description.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

#include "game/services/data/static_database.h"
#include "game/services/data/tag.h"
#include "game/services/input/input_map.h"
#include "game/services/text/message_text.h"
#include "game/ui/text_lines.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_text.h"
#include "game/ui/widget_builders.h"

namespace {

class DescriptionWriter {
public:
    explicit DescriptionWriter(std::u16string& text) : text_(text) {}

    void Line(std::string_view key, std::initializer_list<vesk::text::FormatArg> args)
    {
        std::u16string line = FormatUIMessage(key, args);
        if (line.size() > kItemDescriptionLineLimit) line.resize(kItemDescriptionLineLimit);
        text_ += line;
        text_ += u'\n';
    }

    // The room heading opens each run of one room's entries.
    void RoomHeading(std::uint32_t roomId)
    {
        if (started_ && roomId == lastRoom_) return;
        started_ = true;
        lastRoom_ = roomId;
        Line("ItemDiscript_Facility", {UITagName(roomId)});
    }

    void StartSection() { started_ = false; }

private:
    std::u16string& text_;
    std::uint32_t lastRoom_ = 0;
    bool started_ = false;
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

    if (production->producers.empty()) {
        writer.Line("ItemDiscript_Unproducible", {name});
    } else {
        writer.Line("ItemDiscript_ProductLabel", {name});
        for (const ItemProducer& producer : production->producers) {
            writer.RoomHeading(producer.roomId);
            writer.Line("ItemDiscript_Production",
                        {UITagName(producer.taskId), UIFullWidthNumber(producer.productCount), UITagName(producer.roomId)});
        }
    }
    text += u'\n';

    writer.StartSection();
    if (production->consumers.empty()) {
        writer.Line("ItemDiscript_Unusable", {name});
    } else {
        writer.Line("ItemDiscript_MaterialLabel", {name});
        for (const ItemConsumer& consumer : production->consumers) {
            writer.RoomHeading(consumer.roomId);
            writer.Line("ItemDiscript_Material",
                        {UITagName(consumer.productItem), UIFullWidthNumber(consumer.productCount),
                         UIFullWidthNumber(consumer.materialCount), UITagName(consumer.roomId)});
        }
    }
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
