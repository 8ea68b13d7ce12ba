// The rumour log (slot 35): every rumour bought so far, under each hideout whose pub tells it, and its text read again.
#include "game/ui/screens/ui_talk_log.h"

#include <algorithm>

#include "game/model/world/game_world.h"
#include "game/services/data/static_database.h"
#include "game/services/input/input_actions.h"
#include "game/services/save/working_slot.h"
#include "game/ui/menu_window.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_manager.h"
#include "game/ui/ui_text.h"

namespace {

constexpr float kRumourX = 152.0f;
constexpr float kHideoutX = 379.0f;
constexpr float kFirstRowY = 106.0f;
constexpr float kCursorX = 108.0f;
constexpr float kCursorFirstY = 104.0f;
// The first row's pointer rectangle; the others stand a line apart.
constexpr vesk::math::Vec2 kRowHitTopLeft{121.0f, 100.0f};
constexpr vesk::math::Vec2 kRowHitSize{396.0f, kUILineStep};

}  // namespace

GAME_CUITalkLog::GAME_CUITalkLog(const UIScreenContext& context)
    : GAME_CUIScreen({.holdsGame = true, .settlesAtOnce = true, .holdStaysWithSlot = kSlotPause}, &context)
{
    BuildListWindow();
    text_.Build([this](GAME_CUIIconObject*) { steps_.Go(kLeavingText); }, UIRumourTextWindow::Keys::kSoundedSteps);
}

void GAME_CUITalkLog::BuildListWindow()
{
    GAME_CUINullObject* root = Root();
    BeginUIMenuWindow(widgets_, root, [this](GAME_CUIIconObject*) {
        SetOpen(false);
        Context().ui.SetOpen(kSlotPause, true);
    });
    headers_.Add(widgets_, root, "ui_text_name", {127.0f, 87.0f});
    headers_.Add(widgets_, root, "ui_text_ajito", {kHideoutX, 87.0f});
    for (int r = 0; r + 1 < kRows; ++r) {
        AddWidget(MakeUIPictureUnder(root, "ui_separator_big", 107.0f, kFirstRowY + 15.0f + kUILineStep * static_cast<float>(r)));
    }
    AddWidget(MakeUIPictureUnder(root, "ui_separator_center", 99.0f, 252.0f));
    cursor_.Build(widgets_, root, {.at = {kCursorX, kCursorFirstY}, .highlightAt = {17.0f, 1.0f}, .arrowAt = {0.0f, 0.0f}});
    listScroll_ = MakeUIScrollBar(root, 525.0f, 105.0f, 8.0f, 144.0f);
    AddWidget(listScroll_);
    UIButtonSpec read{.sprite = "ui_enterbutton", .pressedSprite = "ui_enterbutton_touch", .sound = kSeUIDecide,
                      .action = kActionDecide, .release = [this](GAME_CUIIconObject*) {
                          if (!entries_.empty()) steps_.Go(kEnteringText);
                      }};
    PlaceUIButtonTopLeft(read, 384.0f, 260.0f);
    GAME_CUIIconObject* readButton = MakeUIButton(root, read);
    AddWidget(readButton);
    AddUIMenuWindowTitle(widgets_, root, "ADD_TEXT_UI_TALK_LOG_TITLE");
    AddWidget(MakeUILabel(readButton, "PUB_GET_RUMOR_BUTTON_TEXT", 0.0f, 0.0f, 0.5f, 0.5f));
    for (int r = 0; r < kRows; ++r) {
        Row& row = rows_[static_cast<std::size_t>(r)];
        const float y = kFirstRowY + kUILineStep * static_cast<float>(r);
        row.rumour = MakeUILabel(root, "", kRumourX, y);
        AddWidget(row.rumour);
        row.hideout = MakeUILabel(root, "", kHideoutX, y);
        AddWidget(row.hideout);
    }
    EndUIMenuWindow(widgets_, root);
}

void GAME_CUITalkLog::OnEnterState(UIScreenState state)
{
    if (state != kOpening) return;
    ShowAllWidgets();
    text_.ShowWidgets();
    text_.Root()->UpdateTree(false);
    headers_.Apply();
    RebuildEntries();
}

void GAME_CUITalkLog::RebuildEntries()
{
    for (Row& row : rows_) {
        row.rumour->SetTextW(u"");
        row.hideout->SetTextW(u"");
    }
    entries_.clear();
    if (const GAME_CStaticDatabase* database = Context().Database()) {
        const auto hideouts = static_cast<std::int32_t>(database->Hideouts().size());
        for (std::int32_t h = 0; h < hideouts; ++h) {
            const HideoutData* hideout = database->GetHideoutDataAt(h, nullptr);
            if (hideout == nullptr) continue;
            for (std::uint32_t id : hideout->rumors) {
                std::int32_t position = -1;
                if (database->FindRumorDataIndexed(id, &position) == nullptr || position < 0) continue;
                if (!working_slot::RumorBought(static_cast<std::size_t>(position))) continue;
                entries_.push_back({static_cast<std::uint32_t>(position), static_cast<std::uint32_t>(h)});
            }
        }
    }
    list_.count = static_cast<std::int32_t>(entries_.size());
    list_.ShowFromStart(*listScroll_);
    const std::uint32_t cursorColor = entries_.empty() ? kUIHidden : kUIWhite;
    cursor_.arrow->SetColor(cursorColor);
    cursor_.highlight->SetColor(cursorColor);
}

void GAME_CUITalkLog::RefreshRows()
{
    const GAME_CStaticDatabase* database = Context().Database();
    if (database == nullptr) return;
    const std::int32_t shown = std::min(list_.top + kRows, list_.count);
    for (std::int32_t index = list_.top; index < shown; ++index) {
        const Entry& entry = entries_[static_cast<std::size_t>(index)];
        const Row& row = rows_[static_cast<std::size_t>(index - list_.top)];
        std::uint32_t rumourId = kNoId;
        std::uint32_t hideoutId = kNoId;
        database->GetRumorDataAt(static_cast<std::int32_t>(entry.rumour), &rumourId);
        database->GetHideoutDataAt(static_cast<std::int32_t>(entry.hideout), &hideoutId);
        row.rumour->SetTextW(UITagName(rumourId).c_str());
        row.hideout->SetTextW(UITagName(hideoutId).c_str());
    }
}

void GAME_CUITalkLog::EveryFrame()
{
    RefreshRows();
    cursor_.StepArrow();
    const vesk::math::Vec2 holder{kCursorX, kCursorFirstY + kUILineStep * static_cast<float>(list_.cursor)};
    cursor_.holder->SetPosition(&holder);
}

void GAME_CUITalkLog::UpdateMain(bool input)
{
    bool free = input;
    if (!steps_.Is(kList)) {
        free = text_.Update(input && steps_.Is(kText));
    } else {
        free = Root()->UpdateTree(input);
        if (list_.Follow(*listScroll_)) RefreshRows();
    }
    steps_.Advance([this](Step entered) {
        if (entered == kEnteringText) OpenEntry();
    });
    switch (steps_.Current()) {
    case kList: UpdateList(free); break;
    case kEnteringText: steps_.Go(kText); break;
    case kText:
        if (free) text_.StepByKeys();
        break;
    case kLeavingText: steps_.Go(kList); break;
    }
}

void GAME_CUITalkLog::UpdateList(bool input)
{
    if (!input || entries_.empty()) return;
    switch (list_.Click(ClickedUIListRow(kRowHitTopLeft, list_.ShownRows(), kRowHitSize))) {
    case UIListClick::kMoved: break;
    case UIListClick::kDecided: steps_.Go(kEnteringText); break;
    case UIListClick::kNone:
        if (list_.StepByKeys() != 0) list_.Show(*listScroll_);
        break;
    }
}

void GAME_CUITalkLog::OpenEntry()
{
    const GAME_CStaticDatabase* database = Context().Database();
    if (database == nullptr || list_.Index() >= list_.count) return;
    std::uint32_t rumourId = kNoId;
    database->GetRumorDataAt(static_cast<std::int32_t>(entries_[static_cast<std::size_t>(list_.Index())].rumour), &rumourId);
    text_.Show(rumourId);
}

void GAME_CUITalkLog::Draw()
{
    if (State() == kClosed) return;
    DrawWidgets(steps_.Is(kList) ? widgets_ : text_.Widgets());
    FlushUISprites();
}
