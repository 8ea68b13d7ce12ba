// The achievement list (slot 43): the twenty achievements six rows at a time, with the selected one's icon, description and progress.
#include "game/ui/screens/ui_achieve_list.h"

#include <algorithm>
#include <string>

#include "game/services/achievement/achievements.h"
#include "game/services/player/player_data.h"
#include "game/services/save/working_slot.h"
#include "game/ui/menu_window.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_manager.h"
#include "game/ui/ui_text.h"

namespace {

constexpr std::uint32_t kBarColor = 0xFF00FFFFu;
constexpr float kFirstRowY = 97.0f;
constexpr vesk::math::Vec2 kRowHitTopLeft{101.0f, 94.0f};
constexpr vesk::math::Vec2 kRowHitSize{256.0f, kUILineStep};

bool IsAchieved(int index)
{
    const vesk::achievement::StorefrontAchievementRow* rows = GetStorefrontAchievementRows();
    return rows != nullptr && rows[index].achieved != 0;
}

std::uint32_t GoalOf(int index)
{
    const GAME_CAchievementManager* manager = GetAchievementManager();
    return manager != nullptr ? manager->thresholds[static_cast<std::size_t>(index)] : 1;
}

std::uint32_t CounterOf(int index)
{
    return working_slot::AchievementCounter(static_cast<std::size_t>(index));
}

}  // namespace

GAME_CUIAchieveList::GAME_CUIAchieveList(const UIScreenContext& context) : GAME_CUIScreen(UIScreenSetup{}, &context)
{
    Build();
}

void GAME_CUIAchieveList::Build()
{
    GAME_CUINullObject* root = Root();
    BeginUIMenuWindow(widgets_, root, [this](GAME_CUIIconObject*) { OnClose(); });
    titleSprites_.Find("ui_text_achivement");
    // Korean takes the English heading.
    titleSprites_.ids[2] = titleSprites_.ids[1];
    infoSprites_.Find("ui_text_information");
    title_ = MakeUIPictureUnder(root, "ui_text_achivement", 97.0f, 86.0f);
    AddWidget(title_);
    info_ = MakeUIPictureUnder(root, "ui_text_information", 97.0f, 217.0f);
    AddWidget(info_);
    scrollBar_ = MakeUIScrollBar(root, 367.0f, 94.0f, 8.0f, 100.0f);
    AddWidget(scrollBar_);
    AddWidget(MakeUIPictureUnder(root, "ui_achivement_separator_left2", 107.0f, 202.0f));
    AddWidget(MakeUIPictureUnder(root, "ui_achivement_separator_right", 392.0f, 95.0f));
    AddWidget(MakeUIPictureUnder(root, "ui_achivement_separator_bottom", 107.0f, 247.0f));
    AddWidget(MakeUIPictureUnder(root, "ui_achivement_separator_bottom", 107.0f, 265.0f));
    for (int r = 0; r < kRows; ++r) {
        UIItemRowWidgets& row = rows_[static_cast<std::size_t>(r)];
        row.anchor = MakeUIGroupUnder(root, 130.0f, kFirstRowY + kUILineStep * static_cast<float>(r));
        AddWidget(row.anchor);
        row.separator = MakeUIPictureUnder(row.anchor, "ui_achivement_separator_left", -3.0f, 15.0f);
        AddWidget(row.separator);
        row.name = MakeUILabel(row.anchor, "", 0.0f, 0.0f);
    }
    GAME_CUINullObject* pane = MakeUIGroupUnder(root, 428.0f, 105.0f);
    AddWidget(pane);
    pane_.icon = MakeUIPictureUnder(pane, "", 0.0f, 0.0f);
    const vesk::math::Vec2 iconScale{1.5f, 1.5f};
    pane_.icon->SetScale(&iconScale);
    AddWidget(pane_.icon);
    GAME_CUINullObject* holder = MakeUIGroupUnder(root, 194.0f, 211.0f);
    AddWidget(holder);
    AddWidget(MakeUIPictureUnder(holder, "ui_achivement_bar_frame", -2.0f, -3.0f));
    pane_.bar = MakeUIGaugeFill(holder, "ui_labelbase", kBarColor, kBarLength, 13.0f);
    AddWidget(pane_.bar.picture);
    GAME_CUINullObject* cursorHolder = MakeUIGroupUnder(root, 109.0f, kFirstRowY);
    AddWidget(cursorHolder);
    cursor_.arrow = MakeUIPictureUnder(cursorHolder, "ui_cursor_common_r90", 0.0f, 0.0f);
    AddWidget(cursor_.arrow);
    AddUIMenuWindowTitle(widgets_, root, "ACHIEVEMENTUI_TITLE");
    pane_.progress = MakeUILabel(root, "", 320.0f, 210.0f);
    AddWidget(pane_.progress);
    pane_.description = MakeUILabel(root, "", 118.0f, 232.0f);
    AddWidget(pane_.description);
    for (const UIItemRowWidgets& row : rows_) AddWidget(row.name);
    EndUIMenuWindow(widgets_, root);
}

float GAME_CUIAchieveList::Pane::BarWidth() const
{
    return bar.picture->GetScale()->x * UISpriteSize(bar.picture->Sprite()).x * 0.5f;
}

void GAME_CUIAchieveList::OnClose()
{
    SetOpen(false);
    if (openedFromTitle == 0) Context().ui.SetOpen(kSlotPause, true);
}

void GAME_CUIAchieveList::OnEnterState(UIScreenState state)
{
    if (state == kClosed) {
        openedFromTitle = 0;
        return;
    }
    if (state != kOpening) return;
    ShowAllWidgets();
    title_->SetSprite(titleSprites_.Current());
    info_->SetSprite(infoSprites_.Current());
    rows_[kRows - 1].separator->SetColor(kUIHidden);
    cursor_.Restart();
    list_.ShowFromStart(*scrollBar_);
    RefreshList();
}

void GAME_CUIAchieveList::EveryFrame()
{
    cursor_.Step({0.0f, kUILineStep * static_cast<float>(list_.cursor)});
}

void GAME_CUIAchieveList::UpdateMain(bool input)
{
    const bool free = Root()->UpdateTree(input);
    if (list_.Follow(*scrollBar_)) {
        PlayUISE(kSeUICursor);
        RefreshList();
        return;
    }
    if (!free) return;
    // A click moves the cursor to its row; the selected row clicked again does nothing, as there is
    // nothing to decide. Either way the keys rest this frame.
    if (const std::int32_t row = ClickedUIListRow(kRowHitTopLeft, kRows, kRowHitSize); row >= 0) {
        if (list_.Click(row) == UIListClick::kMoved) RefreshList();
        return;
    }
    if (list_.StepByKeys() == 0) return;
    list_.Show(*scrollBar_);
    RefreshList();
}

void GAME_CUIAchieveList::RefreshList()
{
    for (int v = 0; v < kRows; ++v) {
        const int index = list_.top + v;
        if (index >= kAchievementCount) break;
        const bool unlocked = IsAchieved(index);
        GAME_CUILabelObject* label = rows_[static_cast<std::size_t>(v)].name;
        label->SetColor(GetUIColor(unlocked ? kUIColorText : kUIColorDimText));
        label->SetTextA(unlocked ? GetAchievementGameRow(index).messageKey.data() : "ACHIEVE_HIDDEN");
        if (v == list_.cursor) ShowSelected(index, unlocked);
    }
}

void GAME_CUIAchieveList::ShowSelected(int index, bool unlocked)
{
    const AchievementGameRow& row = GetAchievementGameRow(index);
    pane_.icon->SetSprite(FindUISprite(row.icon.data()));
    pane_.icon->SetColor(unlocked ? kUIWhite : kUIHidden);
    const std::string descriptionKey = std::string(row.messageKey.data()) + "_DISCRIPT";
    pane_.description->SetTextA(descriptionKey.c_str());
    const std::uint32_t goal = GoalOf(index);
    const std::uint32_t current = unlocked ? goal : CounterOf(index);
    const std::u16string text = UIFullWidthNumber(current) + u"/" + UIFullWidthNumber(goal);
    pane_.progress->SetTextW(text.c_str());
    // A goal of 0 is reached by any count: a full bar, no division.
    const float ratio = goal == 0 ? 1.0f : std::clamp(static_cast<float>(current) / static_cast<float>(goal), 0.0f, 1.0f);
    pane_.bar.Show(ratio);
}
