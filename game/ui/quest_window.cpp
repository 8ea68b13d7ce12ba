// The window both quest screens stand in: its frame, the rows of quests with their cursor, and the selected quest's detail pane.
#include "game/ui/quest_window.h"

#include <algorithm>

#include "framework/text/format_text.h"
#include "game/services/data/item_records.h"
#include "game/services/data/static_database.h"
#include "game/services/data/static_lookups.h"
#include "game/services/data/tag.h"
#include "game/services/data/world_records.h"
#include "game/services/input/input_map.h"
#include "game/services/text/message_text.h"
#include "game/ui/list_view.h"
#include "game/ui/room_window.h"
#include "game/ui/text_lines.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_text.h"
#include "game/ui/wheel_areas.h"
#include "game/ui/widgets/ui_category_change_object.h"

using vesk::math::Vec2;

namespace {

constexpr Vec2 kFirstRow{317.0f, 157.0f};
// A little under the heading line, so that the line does not cross the first row of text.
constexpr Vec2 kDescription{42.0f, 154.0f};
constexpr Vec2 kDetailOrigin{36.0f, 212.0f};
// Beside a row's label, and at the detail pane when it has the focus.
constexpr Vec2 kCursorOnRow{-18.0f, -1.0f};
constexpr Vec2 kCursorOnDetail{20.0f, 212.0f};
// A row's pointer rectangle around its label.
constexpr Vec2 kRowHitFrom{-17.0f, -4.0f};
constexpr Vec2 kRowHitTo{80.0f, 12.0f};
// Where the pointer gives the wheel to the detail pane's bar and to the list's, on the canvas.
constexpr Vec2 kDetailWheelFrom{95.0f, 155.0f};
constexpr Vec2 kDetailWheelTo{345.0f, 285.0f};
constexpr Vec2 kListWheelFrom{355.0f, 105.0f};
constexpr Vec2 kListWheelTo{535.0f, 215.0f};
// The owner's buttons stand with their left edge here.
constexpr float kButtonLeft = 314.0f;
constexpr std::size_t kDescriptionUnits = 143;
constexpr std::size_t kDescriptionLineUnits = 63;

bool EndsItemList(const ItemCount& entry) { return entry.itemId == kNoId || entry.count <= 0; }

std::u16string Text(const char* key) { return GetMessageTextExpanded(key); }

std::int32_t ItemIcon(std::uint32_t itemId)
{
    const ItemData* item = FindItemData(itemId);
    return item != nullptr ? item->iconSprite : kNoSprite;
}

// The description as the detail pane shows it: at most three lines.
std::array<std::u16string, 3> SplitQuestDescription(std::u16string_view text)
{
    std::array<std::u16string, 3> lines;
    // A CR LF pair leaves an empty line here, as each of the two breaks.
    std::vector<std::u16string> split = SplitTextLines(text.substr(0, std::min(text.size(), kDescriptionUnits)),
                                                       {.maxLines = lines.size(), .maxLineLength = kDescriptionLineUnits, .ends = TextLineEnds::kEveryBreak});
    for (std::size_t i = 0; i < split.size(); ++i) lines[i] = std::move(split[i]);
    return lines;
}

}  // namespace

const QuestData* FindUIQuestData(const GAME_CStaticDatabase* database, std::uint32_t questId)
{
    return database != nullptr ? database->FindQuestData(questId) : nullptr;
}

std::u16string UIQuestMessage(const char* key, std::uint32_t questId, std::size_t limit)
{
    return UILimitedText(FormatUIMessage(key, {UITagName(questId)}), limit);
}

void UIQuestWindow::Build(std::vector<GAME_CUIObjectBase*>& list, GAME_CUINullObject* root, const Spec& spec)
{
    BuildSprites(list, root, spec);
    BuildTexts(list, spec);
    EndUIRoomWindow(list, window_);
    places_ = {
        UIFocusPlace{.id = kQuestFocusList, .next = {kUINoFocus, kUINoFocus, kQuestFocusDetail, kUINoFocus}},
        UIFocusPlace{.id = kQuestFocusDetail, .next = {kUINoFocus, kUINoFocus, kUINoFocus, kQuestFocusList}},
    };
}

void UIQuestWindow::BuildSprites(std::vector<GAME_CUIObjectBase*>& list, GAME_CUINullObject* root, const Spec& spec)
{
    window_ = MakeUIRoomWindowUnder(root);
    BeginUIRoomWindow(list, window_, window_, {.closeRelease = spec.close, .owner = spec.owner});
    headings_.Add(list, window_, "ui_text_information", {36.0f, 138.0f});
    headings_.Add(list, window_, "ui_text_quest", {311.0f, 138.0f});
    headingLine_ = MakeUIPictureUnder(window_, "ui_separator_left_strong3", 36.0f, 151.0f);
    list.push_back(headingLine_);
    list.push_back(MakeUIPictureUnder(window_, "ui_separator_right_strong", 307.0f, spec.rowsLineY));
    detailBar_ = MakeUIScrollBar(window_, 285.0f, 212.0f, 8.0f, 126.0f);
    list.push_back(detailBar_);
    listBar_ = MakeUIScrollBar(window_, 474.0f, 157.0f, 8.0f, 108.0f);
    list.push_back(listBar_);
    for (int r = 0; r < kRows; ++r) {
        Row& row = rows_[static_cast<std::size_t>(r)];
        row.anchor = MakeUIGroupUnder(window_, kFirstRow.x, kFirstRow.y + kUILineStep * static_cast<float>(r));
        list.push_back(row.anchor);
        row.mark = MakeUIPictureUnder(row.anchor, "ui_accept_highlight", 0.0f, 0.0f);
        list.push_back(row.mark);
        if (r > 0) {
            row.separator = MakeUIPictureUnder(row.anchor, "ui_separator_right", -21.0f, -3.0f);
            list.push_back(row.separator);
        }
    }
    cursorAnchor_ = MakeUIGroupUnder(window_, kCursorOnDetail.x, kCursorOnDetail.y);
    list.push_back(cursorAnchor_);
    highlight_ = MakeUIPictureUnder(cursorAnchor_, "ui_select_highlight", 16.0f, -1.0f);
    list.push_back(highlight_);
    cursor_.arrow = MakeUIPictureUnder(cursorAnchor_, "ui_cursor_common_r90", 0.0f, 0.0f);
    list.push_back(cursor_.arrow);
    detail_.BuildSprites(list, window_,
                         {.origin = kDetailOrigin, .lines = kDetailLines, .separator = {0.0f, 14.0f}, .icon = {0.0f, -2.0f},
                          .iconTextX = 17.0f, .separatorBelow = true, .valueRight = 236.0f});
    buttons_.clear();
    for (const ButtonSpec& button : spec.buttons) {
        UIButtonSpec sprite{.sprite = "ui_enterbutton", .pressedSprite = "ui_enterbutton_touch", .sound = kSeUIDecide,
                            .action = button.action, .release = button.release};
        PlaceUIButtonTopLeft(sprite, kButtonLeft, button.top);
        buttons_.push_back({.button = MakeUIButton(window_, sprite)});
        list.push_back(buttons_.back().button);
    }
}

void UIQuestWindow::BuildTexts(std::vector<GAME_CUIObjectBase*>& list, const Spec& spec)
{
    list.push_back(MakeUICategorySwitch(0, true));
    title_ = MakeUIRoomWindowTitle(window_, "");
    list.push_back(title_);
    for (std::size_t i = 0; i < description_.size(); ++i) {
        description_[i] = MakeUILabel(window_, "", kDescription.x, kDescription.y + kUILineStep * static_cast<float>(i));
        list.push_back(description_[i]);
    }
    detail_.BuildTexts(list);
    for (Row& row : rows_) {
        row.label = MakeUILabel(row.anchor, "", 0.0f, 0.0f);
        list.push_back(row.label);
    }
    // Centred on the canvas's middle.
    empty_ = MakeUILabel(window_, "", kCanvasWidth * 0.5f - kUIRoomWindowAt.x, 208.0f, 0.5f);
    list.push_back(empty_);
    for (std::size_t b = 0; b < buttons_.size(); ++b) {
        buttons_[b].caption = MakeUILabel(buttons_[b].button, spec.buttons[b].caption, 0.0f, 0.0f, 0.5f, 0.5f);
        list.push_back(buttons_[b].caption);
    }
}

void UIQuestWindow::Open()
{
    headings_.Apply();
    cursor_.Restart();
}

void UIQuestWindow::ClearRows()
{
    for (Row& row : rows_) {
        row.label->SetTextW(u"");
        row.mark->SetColor(kUIHidden);
        if (row.separator != nullptr) row.separator->SetColor(kUIHidden);
    }
}

void UIQuestWindow::ShowRow(int row, std::u16string_view name, bool marked)
{
    if (row < 0 || row >= kRows) return;
    Row& shown = rows_[static_cast<std::size_t>(row)];
    shown.label->SetTextW(std::u16string(name.substr(0, GAME_CUILabelObject::kTextLimit)).c_str());
    shown.mark->SetColor(marked ? kUIWhite : kUIHidden);
    if (shown.separator != nullptr) shown.separator->SetColor(kUIWhite);
}

void UIQuestWindow::PlaceCursor(bool onList, int row, bool empty)
{
    const Vec2 place = onList ? Vec2{kFirstRow.x + kCursorOnRow.x, kFirstRow.y + kCursorOnRow.y + kUILineStep * static_cast<float>(row)}
                              : kCursorOnDetail;
    cursorAnchor_->SetPosition(&place);
    cursor_.Step({0.0f, 0.0f}, -1.0f);
    cursor_.arrow->SetColor(empty ? kUIHidden : kUIWhite);
    highlight_->SetColor(empty || !onList ? kUIHidden : kUIWhite);
    headingLine_->SetColor(empty ? kUIHidden : kUIWhite);
}

int UIQuestWindow::ClickedRow(int filledRows)
{
    const Vec2 first = rows_[0].label->WorldPosition();
    return ClickedUIListRow({first.x + kRowHitFrom.x, first.y + kRowHitFrom.y}, std::min(filledRows, kRows),
                            {kRowHitTo.x - kRowHitFrom.x, kRowHitTo.y - kRowHitFrom.y});
}

bool UIQuestWindow::DetailPaneClicked() const { return IsUIClickInRect({18.0f, 100.0f}, {182.0f, 206.0f}); }

void UIQuestWindow::ClearDetail()
{
    for (GAME_CUILabelObject* line : description_) line->SetTextW(u"");
    detail_.Clear();
    empty_->SetTextA("");
}

void UIQuestWindow::ShowEmpty(const char* key)
{
    ClearDetail();
    empty_->SetTextA(key);
    detailBar_->SetMaximum(0);
}

void UIQuestWindow::ShowDetail(const UIQuestDetailSubject& subject, std::int32_t scroll)
{
    ClearDetail();
    const QuestData* quest = subject.quest;
    if (quest == nullptr) {
        description_[0]->SetTextA("QUESTBOARD_DATA_NOT_FOUND");
        detailBar_->SetMaximum(0);
        return;
    }
    const std::array<std::u16string, 3> lines = SplitQuestDescription(GetMessageTextExpanded(TagText(subject.questId) + "_DISCRIPT"));
    for (std::size_t i = 0; i < lines.size(); ++i) description_[i]->SetTextW(lines[i].c_str());

    detail_.Begin(scroll);
    if (subject.showTown) {
        detail_.Put(FormatUIMessage("QUESTBOARD_ACCEPT_AJITO", {UITagName(subject.townId)}), true, symbols_.Index(GAME_CQuestSymbolSprites::kTown));
    }
    const bool limited = quest->limitDays != -1;
    const std::int32_t limitIcon = limited ? symbols_.Index(GAME_CQuestSymbolSprites::kLimit) : kNoSprite;
    const std::u16string unlimited = Text("QUESTBOARD_LIMITS_DAYS_UNLIMITED");
    switch (subject.limitLine) {
    case UIQuestLimitLine::kOffer:
        detail_.Put(Text("QUESTBOARD_LIMITS"), true, limitIcon,
                    FormatUIMessage("QUESTBOARD_LIMITS_DAYS", {limited ? UIFullWidthNumber(quest->limitDays) : unlimited}));
        break;
    case UIQuestLimitLine::kAccepted:
        detail_.Put(Text("CURRENT_QUEST_UI_REMAIN_DAYS"), true, limitIcon,
                    subject.daysLeft < 0 ? unlimited : FormatUIMessage("QUESTBOARD_RESET_DAYS", {UIFullWidthNumber(subject.daysLeft)}));
        break;
    }
    detail_.Put(Text("QUESTBOARD_NEEDITEM"), false, kNoSprite);
    for (const ItemCount& needed : quest->neededItems) {
        if (EndsItemList(needed)) break;
        const std::u16string counts = vesk::text::FormatText(
            u"%ls(%ls)", {UIFullWidthNumber(needed.count), UIFullWidthNumber(UIAvailableItemCount(needed.itemId, false))});
        detail_.Put(UITagName(needed.itemId), true, ItemIcon(needed.itemId), counts);
    }
    detail_.Put(Text("QUESTBOARD_REWARD"), false, kNoSprite);
    if (quest->fuel > 0) {
        detail_.Put(Text("FUEL"), true, symbols_.Index(GAME_CQuestSymbolSprites::kFuel), UIFullWidthNumber(quest->fuel) + Text("FUEL_UNIT_TEXT"));
    }
    if (quest->money > 0) {
        detail_.Put(Text("MONEY"), true, symbols_.Index(GAME_CQuestSymbolSprites::kMoney), Text("MONEY_MARK") + UIFullWidthNumber(quest->money));
    }
    for (const ItemCount& reward : quest->rewardItems) {
        if (EndsItemList(reward)) break;
        detail_.Put(UITagName(reward.itemId), true, ItemIcon(reward.itemId), UIFullWidthNumber(reward.count));
    }
    detail_.End(*detailBar_);
}

bool UIQuestWindow::WalkFocusByKeys(std::int32_t& focus, std::int32_t& scroll, const std::function<void()>& scrolled) const
{
    const UIFocusMap focusMap(places_);
    if (IsUIMenuPressed(kUIMenuLeft)) focusMap.Walk(focus, kUIFocusLeft);
    if (IsUIMenuPressed(kUIMenuRight)) focusMap.Walk(focus, kUIFocusRight);
    if (focus != kQuestFocusDetail) return false;
    std::int32_t step = 0;
    if (IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuUp)) step = -1;
    if (IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuDown)) step = 1;
    if (step == 0) return true;
    detailBar_->SetValue(scroll + step);
    scroll = detailBar_->Value();
    scrolled();
    return true;
}

void UIQuestWindow::GiveWheelToHoveredBar() const
{
    GiveWheelToHoveredArea({{detailBar_, kDetailWheelFrom, kDetailWheelTo}, {listBar_, kListWheelFrom, kListWheelTo}});
}

bool UIQuestWindow::FollowListBar(UIListView& list) const
{
    if (!list.Follow(*listBar_)) return false;
    PlayUISE(kSeUICursor);
    return true;
}

bool UIQuestWindow::FollowDetailBar(std::int32_t& scroll) const
{
    if (detailBar_->Value() == scroll) return false;
    scroll = detailBar_->Value();
    return true;
}
