// The information panel's lines: building them, clearing them, and filling them from the scroll value.
#include "game/ui/info_panel.h"

#include <algorithm>
#include <string>

#include "game/ui/ui_draw.h"
#include "game/ui/widget_builders.h"
#include "game/ui/widgets/ui_label_object.h"
#include "game/ui/widgets/ui_null_object.h"
#include "game/ui/widgets/ui_scroll_bar_object.h"

void UIInfoPanel::BuildSprites(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent, const UIInfoPanelLayout& layout)
{
    layout_ = layout;
    lines_.assign(static_cast<std::size_t>(std::max(layout.lines, 0)), Line{});
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        Line& line = lines_[i];
        line.group = MakeUIGroupUnder(parent, layout.origin.x, layout.origin.y + kUILineStep * static_cast<float>(i));
        list.push_back(line.group);
        if (i > 0 || layout.separatorOnFirst || layout.separatorBelow) {
            line.separator = MakeUIPictureUnder(line.group, "ui_separator_left", layout.separator.x, layout.separator.y);
            list.push_back(line.separator);
        }
        line.icon = MakeUIPictureUnder(line.group, "", layout.icon.x, layout.icon.y);
        list.push_back(line.icon);
    }
}

void UIInfoPanel::BuildTexts(std::vector<GAME_CUIObjectBase*>& list)
{
    for (Line& line : lines_) {
        line.label = MakeUILabel(line.group, "", 0.0f, 0.0f);
        list.push_back(line.label);
        if (layout_.valueRight > 0.0f) {
            line.value = MakeUILabel(line.group, "", layout_.valueRight, 0.0f, 1.0f);
            list.push_back(line.value);
        }
    }
}

void UIInfoPanel::Clear()
{
    for (Line& line : lines_) {
        line.label->SetTextA("");
        if (line.value != nullptr) line.value->SetTextA("");
        line.icon->SetColor(kUIHidden);
        if (line.separator != nullptr) line.separator->SetColor(kUIHidden);
    }
}

void UIInfoPanel::Begin(std::int32_t scroll)
{
    scroll_ = scroll;
    next_ = -scroll;
}

GAME_CUILabelObject* UIInfoPanel::NextShownLine(bool indented, std::int32_t icon)
{
    const std::int32_t at = next_++;
    if (at < 0 || at >= static_cast<std::int32_t>(lines_.size())) return nullptr;
    Line& line = lines_[static_cast<std::size_t>(at)];
    const vesk::math::Vec2 place{indented ? layout_.iconTextX : 0.0f, 0.0f};
    line.label->SetPosition(&place);
    line.icon->SetSprite(icon);
    line.icon->SetColor(icon == kNoSprite ? kUIHidden : kUIWhite);
    if (line.separator != nullptr) line.separator->SetColor(kUIWhite);
    if (line.value != nullptr) line.value->SetTextW(u"");
    return line.label;
}

void UIInfoPanel::Put(std::u16string_view text, bool indented, std::int32_t icon, std::u16string_view value)
{
    GAME_CUILabelObject* label = NextShownLine(indented, icon);
    if (label == nullptr) return;
    label->SetTextW(std::u16string(text).c_str());
    const Line& line = lines_[static_cast<std::size_t>(next_ - 1)];
    if (line.value != nullptr && !value.empty()) line.value->SetTextW(std::u16string(value).c_str());
}

void UIInfoPanel::PutKey(const char* key, bool indented, std::int32_t icon)
{
    if (GAME_CUILabelObject* label = NextShownLine(indented, icon)) label->SetTextA(key);
}

void UIInfoPanel::End(GAME_CUIScrollBarObject& bar) const
{
    // Under the text's last line no separator.
    const std::int32_t last = next_ - 1;
    if (layout_.separatorBelow && last >= 0 && last < static_cast<std::int32_t>(lines_.size())) {
        lines_[static_cast<std::size_t>(last)].separator->SetColor(kUIHidden);
    }
    bar.SetMaximum(std::max(next_ + scroll_ - static_cast<std::int32_t>(lines_.size()), 0));
}
