// The body of the windows that show one task: its item line, its progress bar, the material rows under their caption with their scroll bar, and the crew rows under theirs.
#include "game/ui/task_details.h"

#include <string>

#include "game/services/data/item_records.h"
#include "game/services/data/static_lookups.h"
#include "game/services/data/tag.h"
#include "game/ui/task_progress.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_text.h"
#include "game/ui/widgets/ui_label_object.h"

using vesk::math::Vec2;

namespace {

constexpr float kCrewRowStep = 60.0f;

}  // namespace

void UITaskDetails::BuildPictures(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent, Vec2 window,
                                  std::span<UICrewRow> crew)
{
    parent_ = parent;
    window_ = window;
    anyItemIcon_ = FindUISprite("dot_itemsymbol_13");
    const auto at = [window](float x, float y) { return Vec2{window.x + x, window.y + y}; };
    icon = MakeUIPictureUnder(parent, "dot_itemsymbol_13", window.x + 39.0f, window.y + 137.0f);
    list.push_back(icon);
    bar = BuildUITaskBar(list, parent, at(61.0f, 157.0f));
    captions_.Add(list, parent, "ui_text_num", at(36.0f, 179.0f));
    BuildUIMaterialRowPictures(list, parent, rows, at(39.0f, 191.0f));
    scroll = MakeUIScrollBar(parent, window.x + 275.0f, window.y + 193.0f, 8.0f, 144.0f);
    list.push_back(scroll);
    captions_.Add(list, parent, "ui_text_actor", at(287.0f, 138.0f));
    for (std::size_t r = 0; r < crew.size(); ++r) crew[r].BuildPictures(list, parent, at(292.0f, 151.0f + kCrewRowStep * static_cast<float>(r)));
}

void UITaskDetails::BuildHeading(std::vector<GAME_CUIObjectBase*>& list)
{
    title = MakeUILabel(parent_, "BUILD_TEXT_UI_TITLE", window_.x + 42.0f, window_.y + 111.0f);
    item = MakeUILabel(parent_, "", window_.x + 61.0f, window_.y + 139.0f);
    time = MakeUILabel(parent_, "", window_.x + 164.0f, window_.y + 157.0f, 0.5f);
    list.insert(list.end(), {title, item, time});
}

void UITaskDetails::BuildTexts(std::vector<GAME_CUIObjectBase*>& list, std::span<UICrewRow> crew)
{
    BuildUIMaterialRowTexts(list, parent_, rows, {window_.x + 61.0f, window_.y + 193.0f}, window_.x + 265.0f);
    for (UICrewRow& row : crew) row.BuildTexts(list);
}

void UITaskDetails::ShowItem(UIMaterialRow& row, std::uint32_t itemId) const
{
    const ItemData* item = FindItemData(itemId);
    row.icon->SetSprite(item != nullptr ? item->iconSprite : anyItemIcon_);
    row.icon->SetColor(kUIWhite);
    const std::string tag = TagText(itemId);
    row.name->SetTextW((item != nullptr ? UITagName(itemId) : std::u16string(tag.begin(), tag.end())).c_str());
}

float UITaskDetails::BarShare() const { return bar.fullScale > 0.0f ? bar.picture->GetScale()->x / bar.fullScale : 0.0f; }
