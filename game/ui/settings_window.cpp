// The window the options and binding screens share: nine visible rows over a scroll bar, three buttons, and the save, leave and default questions around a working copy.
#include "game/ui/settings_window.h"

#include <algorithm>
#include <string>

#include "game/services/input/input_actions.h"
#include "game/services/input/input_map.h"
#include "game/services/player/player_data.h"
#include "game/services/text/message_text.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/room_window.h"
#include "game/ui/screen_context.h"
#include "game/ui/system_save_wait.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_manager.h"
#include "game/ui/widget_builders.h"
#include "game/ui/widgets/ui_category_change_object.h"
#include "game/ui/widgets/ui_icon_object.h"
#include "game/ui/widgets/ui_label_object.h"
#include "game/ui/widgets/ui_null_object.h"
#include "game/ui/widgets/ui_scroll_bar_object.h"

namespace {

constexpr std::int32_t kPressFrames = 5;
constexpr const char* kButtonKeys[GAME_CUISettingsWindow::kButtonCount] = {"OPTION_SAVE", "OPTION_NOSAVE_RETURN",
                                                                          "OPTION_SET_DEFAULT"};
constexpr std::int32_t kButtonSounds[GAME_CUISettingsWindow::kButtonCount] = {kSeUIDecide, kSeUICancel, kSeUICancel};
constexpr float kButtonLeft = 136.0f;
constexpr float kButtonStep = 126.0f;
constexpr float kButtonTop = 260.0f;
constexpr float kListX = 127.0f;
constexpr float kListY = 90.0f;

UIDialogText Question(const char* key) { return {.text = GetMessageTextExpanded(key)}; }

}  // namespace

GAME_CUISettingsWindow::GAME_CUISettingsWindow(const UIScreenContext& context, const Layout& layout)
    : GAME_CUIScreen(UIScreenSetup{.dialog = UIDialogOnClose::kClose}, &context), layout_(layout), work_(layout.blockOffset)
{
    list_.count = layout_.rowCount;
    list_.visible = kVisibleRows;
    list_.skips = [this](std::int32_t row) { return SkipsRow(row); };
}

int GAME_CUISettingsWindow::Cursor() const { return button_ >= 0 ? layout_.rowCount + button_ : list_.Index(); }

void GAME_CUISettingsWindow::BuildWindow()
{
    AddWidget(MakeUICategorySwitch(1));
    BuildFrame();
    BuildButtons();
    listNode_ = MakeUIGroupUnder(Root(), kListX, kListY);
    AddWidget(listNode_);
    for (int r = 0; r < layout_.rowCount; ++r) BuildRowPictures(listNode_, r, kUILineStep * static_cast<float>(r));
    cursorNode_ = MakeUIGroupUnder(Root(), 107.0f, 89.0f);
    AddWidget(cursorNode_);
    blink_.arrow = MakeUIPictureUnder(cursorNode_, "ui_cursor_common_r90", 0.0f, 0.0f);
    AddWidget(blink_.arrow);
    highlight_ = MakeUIPictureUnder(Root(), "ui_option_select_highlight", 124.0f, 88.0f);
    AddWidget(highlight_);

    AddWidget(MakeUICategorySwitch(0, true));
    AddWidget(MakeUILabel(Root(), layout_.titleKey, 103.0f, 60.0f));
    for (int r = 0; r < layout_.rowCount; ++r) BuildRowTexts(listNode_, r, kUILineStep * static_cast<float>(r));
    for (int b = 0; b < kButtonCount; ++b) {
        AddWidget(MakeUILabel(buttons_[static_cast<std::size_t>(b)], kButtonKeys[b], 0.0f, 0.0f, 0.5f, 0.5f));
    }
    AddWidget(MakeUICategorySwitch(1, true));
    AddWidget(MakeUIDrawHook([] { DrawDialogIfShown(); }));
    AddWidget(MakeUICategorySwitch(1, true));
    AddWidget(MakeUIPictureUnder(Root(), "ui_windowbase_scan_title", 95.0f, 57.0f));
    AddWidget(MakeUIPictureUnder(Root(), "ui_windowbase_scan_main", 95.0f, 86.0f));
    AddWidget(MakeUICategorySwitch(2, true));
}

void GAME_CUISettingsWindow::BuildFrame()
{
    GAME_CUINullObject* root = Root();
    AddWidget(MakeUIRoomWindowUnder(root));
    AddWidget(MakeUIPictureUnder(root, "ui_windowbase_bg", 95.0f, 57.0f));
    UIButtonSpec close{.sprite = "ui_closebutton",
                       .pressedSprite = "ui_closebutton_touch",
                       .sound = kSeUICancel,
                       .action = kActionCancel,
                       .pressedFrames = kPressFrames,
                       .release = [this](GAME_CUIIconObject*) { AskLeave(); }};
    PlaceUIButtonTopLeft(close, 493.0f, 56.0f);
    AddWidget(MakeUIButton(root, close));
    for (int i = 0; i < kVisibleRows - 1; ++i) {
        AddWidget(MakeUIPictureUnder(root, "ui_separator_big", 107.0f, 105.0f + kUILineStep * static_cast<float>(i)));
    }
    AddWidget(MakeUIPictureUnder(root, "ui_separator_center", 99.0f, 251.0f));
    scrollBar_ = MakeUIScrollBar(root, 531.0f, 89.0f, 8.0f, 160.0f);
    AddWidget(scrollBar_);
}

void GAME_CUISettingsWindow::BuildButtons()
{
    for (int b = 0; b < kButtonCount; ++b) {
        UIButtonSpec spec{.sprite = "ui_enterbutton8",
                          .pressedSprite = "ui_enterbutton8_touch",
                          .sound = kButtonSounds[b],
                          .pressedFrames = kPressFrames};
        switch (b) {
        case kButtonSave: spec.release = [this](GAME_CUIIconObject*) { pages_.Go(Page::kSaveQuestion); }; break;
        case kButtonLeave: spec.release = [this](GAME_CUIIconObject*) { AskLeave(); }; break;
        default: spec.release = [this](GAME_CUIIconObject*) { pages_.Go(Page::kDefaultQuestion); }; break;
        }
        PlaceUIButtonTopLeft(spec, kButtonLeft + kButtonStep * static_cast<float>(b), kButtonTop);
        buttons_[static_cast<std::size_t>(b)] = MakeUIButton(Root(), spec);
        AddWidget(buttons_[static_cast<std::size_t>(b)]);
    }
}

void GAME_CUISettingsWindow::AskLeave()
{
    if (work_.DiffersFromStored()) {
        pages_.Go(Page::kLeaveQuestion);
        return;
    }
    SetOpen(false);
    OpenNextScreen();
}

void GAME_CUISettingsWindow::OnEnterState(UIScreenState state)
{
    if (state != kOpening) return;
    list_.top = 0;
    list_.cursor = 0;
    if (!layout_.keepsButtonOnOpen) button_ = -1;
    ShowAllWidgets();
    if (ReloadsOnOpen()) work_.Load();
    LoadWidgets();
    pages_.Reset(Page::kBrowse);
    EveryFrame();
}

void GAME_CUISettingsWindow::EveryFrame()
{
    if ((State() == kOpening || State() == kMain) && Context().ui.IsOpen(kSlotGameOver)) SetOpen(false);
    list_.Show(*scrollBar_);
    const vesk::math::Vec2 listAt{kListX, kListY - kUILineStep * static_cast<float>(list_.top)};
    listNode_->SetPosition(&listAt);
    for (int r = 0; r < layout_.rowCount; ++r) RefreshRow(r, RowShown(r));
    RefreshRows();
    PlaceCursor();
}

void GAME_CUISettingsWindow::PlaceCursor()
{
    blink_.Step({0.0f, 0.0f});
    if (OnRow()) {
        const float row = kUILineStep * static_cast<float>(list_.cursor);
        const vesk::math::Vec2 cursorAt{107.0f, 89.0f + row};
        const vesk::math::Vec2 highlightAt{124.0f, 88.0f + row};
        cursorNode_->SetPosition(&cursorAt);
        highlight_->SetPosition(&highlightAt);
        highlight_->SetColor(kUIWhite);
    } else {
        const vesk::math::Vec2 cursorAt{118.0f + kButtonStep * static_cast<float>(button_), 266.0f};
        cursorNode_->SetPosition(&cursorAt);
        highlight_->SetColor(kUIHidden);
    }
}

void GAME_CUISettingsWindow::SelectRow(int row)
{
    button_ = -1;
    list_.Select(row);
}

void GAME_CUISettingsWindow::UpdateMain(bool input)
{
    if (AnyWidgetBusyOrDecided()) input = false;
    pages_.Advance([this](Page page) { EnterPage(page); });
    const bool browsing = pages_.Is(Page::kBrowse);
    BeforeTree();
    bool free = Root()->UpdateTree(browsing && input);
    free = AfterTree(free);
    if (list_.Follow(*scrollBar_)) {
        if (!IsUIMenuSlot(GAME_CInputMap::kModeHeld, kUIMenuUp) && !IsUIMenuSlot(GAME_CInputMap::kModeHeld, kUIMenuDown)) {
            PlayUISE(kSeUICursor);
        }
    }
    switch (pages_.Current()) {
    case Page::kBrowse:
        if (free && browsing) RowInput();
        break;
    case Page::kOwn: UpdateOwnPage(); break;
    case Page::kSaving: UpdateSaving(); break;
    case Page::kSaveQuestion:
    case Page::kSaveRetry: FollowDialogAnswer(pages_, Page::kSaving, Page::kBrowse); break;
    case Page::kDefaultQuestion: FollowDialogAnswer(pages_, Page::kDefaultsNotice, Page::kBrowse); break;
    case Page::kLeaveQuestion: {
        const UIDialogAnswer answer = PollDialog();
        if (answer == UIDialogAnswer::kYes) {
            CloseDialog();
            SetOpen(false);
            OpenNextScreen();
            UndoUnsaved();
        } else if (answer == UIDialogAnswer::kNo || answer == UIDialogAnswer::kGone) {
            pages_.Go(Page::kBrowse);
        }
        break;
    }
    case Page::kSaveFinished:
    case Page::kDefaultsNotice:
        if (PollDialog() == UIDialogAnswer::kGone) pages_.Go(Page::kBrowse);
        break;
    }
    AfterPage();
}

void GAME_CUISettingsWindow::EnterPage(Page page)
{
    const auto slot = static_cast<std::uint32_t>(layout_.slot);
    switch (page) {
    case Page::kBrowse: break;
    case Page::kOwn: EnterOwnPage(); break;
    case Page::kSaveQuestion: AskInDialog(slot, Question("OPTION_SAVE_YESNO")); break;
    case Page::kSaving:
        BusyInDialog(slot);
        dots_ = 0;
        BeforeStore();
        work_.Store();
        PutStoredInForce();
        StartSystemSave();
        break;
    case Page::kSaveFinished: NoticeInDialog(slot, Question(SaveFinishedKey())); break;
    case Page::kSaveRetry: AskInDialog(slot, Question("PAUSEUI_SAVE_RETRY_YESNO")); break;
    case Page::kLeaveQuestion: AskInDialog(slot, Question("OPTION_NOSAVE_YESNO")); break;
    case Page::kDefaultQuestion: AskInDialog(slot, Question("OPTION_DEFAULT_YESNO")); break;
    case Page::kDefaultsNotice:
        ResetToDefaults();
        LoadWidgets();
        NoticeInDialog(slot, Question("OPTION_SAVE_FINISHED"));
        break;
    }
}

void GAME_CUISettingsWindow::UpdateSaving()
{
    dots_ = (dots_ + 1) % 16;
    SetDialogRunningText("PAUSEUI_SAVE_RUNNING", static_cast<std::uint32_t>(dots_));
    const UISystemSaveResult result = PollSystemSave();
    if (result == UISystemSaveResult::kWaiting || !SaveMayBeTold()) return;
    AfterSaveSettled();
    pages_.Go(result == UISystemSaveResult::kSaved ? Page::kSaveFinished : Page::kSaveRetry);
}

bool GAME_CUISettingsWindow::PointerOnRows()
{
    const int shown = std::clamp(layout_.rowCount - list_.top, 0, kVisibleRows);
    const int k = ClickedUIListRow({layout_.hitLeft, layout_.hitTop}, shown, {layout_.hitRight - layout_.hitLeft, layout_.hitHeight});
    if (k < 0) return false;
    const int row = list_.top + k;
    if (OnRow()) {
        if (list_.Click(k) == UIListClick::kDecided) DecideRow(row);
    } else if (!list_.Skips(row)) {
        PlayUISE(kSeUICursor);
        button_ = -1;
        list_.cursor = k;
    }
    return true;
}

void GAME_CUISettingsWindow::RowInput()
{
    if (PointerOnRows()) return;
    for (const int direction : {kUIMenuUp, kUIMenuDown}) {
        if (!IsUIMenuSlot(GAME_CInputMap::kModeHeld, direction)) continue;
        if (IsUIMenuSlot(GAME_CInputMap::kModeRepeat, direction)) StepCursor(direction == kUIMenuUp ? -1 : 1);
        return;
    }
    if (IsUIActionTriggered(kActionDecide)) {
        if (OnRow()) {
            DecideRow(list_.Index());
        } else {
            buttons_[static_cast<std::size_t>(button_)]->Press();
        }
        return;
    }
    if (OnRow()) {
        SideRow(list_.Index());
    } else if (IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuLeft)) {
        StepButtons(-1);
    } else if (IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuRight)) {
        StepButtons(1);
    }
}

void GAME_CUISettingsWindow::StepCursor(int direction)
{
    PlayUISE(kSeUICursor);
    const int last = layout_.rowCount - 1;
    if (!OnRow()) {
        if (direction < 0 && button_ == kButtonSave) {
            SelectRow(last);
        } else if (direction > 0 && button_ == kButtonDefault) {
            SelectRow(0);
        } else {
            button_ += direction;
        }
        return;
    }
    const int row = list_.Index();
    if ((direction < 0 && row == 0) || (direction > 0 && row == last)) {
        button_ = direction < 0 ? kButtonDefault : kButtonSave;
        return;
    }
    list_.Step(direction);
}

void GAME_CUISettingsWindow::StepButtons(int direction)
{
    PlayUISE(kSeUICursor);
    button_ = (button_ + direction + kButtonCount) % kButtonCount;
}
