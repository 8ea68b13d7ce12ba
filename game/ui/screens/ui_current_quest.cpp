// The current quests (slot 27): every quest taken on any town's board, the selected one's detail, and giving one up.
#include "game/ui/screens/ui_current_quest.h"

#include <algorithm>

#include "game/model/quest/quest_rules.h"
#include "game/model/world/game_world.h"
#include "game/services/data/static_database.h"
#include "game/services/data/world_records.h"
#include "game/services/input/input_actions.h"
#include "game/services/player/player_data.h"
#include "game/services/save/quest_boards.h"
#include "game/services/save/save_image.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_manager.h"
#include "game/ui/ui_text.h"

namespace {

constexpr int kBoards = 40;
constexpr int kBoardSlots = 32;

}  // namespace

GAME_CUICurrentQuest::GAME_CUICurrentQuest(const UIScreenContext& context)
    : GAME_CUIScreen({.holdsGame = true, .dialog = UIDialogOnClose::kClose}, &context)
{
    Build();
}

void GAME_CUICurrentQuest::Build()
{
    window_.Build(widgets_, Root(),
                  {.owner = this, .close = [this](GAME_CUIIconObject*) { OnClose(); }, .rowsLineY = 282.0f,
                   .buttons = {{"QUESTBOARD_BUTTON_RETIRE", kActionMenuFunctionB, 290.0f, [this](GAME_CUIIconObject*) { OnRetire(); }}}});
    retire_ = window_.Button(0);
}

void GAME_CUICurrentQuest::OnClose()
{
    SetOpen(false);
    Context().ui.SetOpen(openedFromHud != 0 ? kSlotCommon : kSlotPause, true);
}

void GAME_CUICurrentQuest::OnEnterState(UIScreenState state)
{
    switch (state) {
    case kOpening:
        ShowAllWidgets();
        window_.Open();
        window_.Title()->SetTextA("CURRENT_QUEST_UI_NAME");
        pages_.Reset(kBrowse);
        BuildList();
        Context().world.SetFieldStick(false);
        // Back up to the HUD, or out to the right towards the pause menu.
        SetClosingSlideEnd(openedFromHud != 0 ? std::nullopt : std::optional<TweenPoint>(TweenPoint{kCanvasWidth - 61.0f, 0.0f}));
        break;
    case kClosing: Context().world.SetFieldStick(true); break;
    case kClosed: openedFromHud = 0; break;
    default: break;
    }
}

void GAME_CUICurrentQuest::BuildList()
{
    entries_.clear();
    const std::span<std::uint8_t> slot = GetWorkingSlot();
    const GAME_CStaticDatabase* database = Context().Database();
    for (int board = 0; board < kBoards; ++board) {
        std::uint32_t hideoutId = kNoId;
        if (database == nullptr || database->GetHideoutDataAt(board, &hideoutId) == nullptr) hideoutId = kNoId;
        const QuestBoardRecord record(slot, board);
        for (int pair = 0; pair < kBoardSlots; ++pair) {
            if (record.IsEmpty(pair) || !record.IsAccepted(pair)) continue;
            entries_.push_back({record.Id(pair), record.Value(pair), hideoutId, board, pair});
        }
    }
    list_.count = static_cast<std::int32_t>(entries_.size());
    focus_ = kFocusList;
    list_.ShowFromStart(*window_.ListBar());
    window_.DetailBar()->SetDrawWhenEmpty(!entries_.empty());
    Refresh();
}

void GAME_CUICurrentQuest::Refresh()
{
    selectedQuest_ = kNoId;
    selectedEntry_ = -1;
    window_.ListBar()->SetValue(list_.top);
    window_.ClearRows();
    for (int r = 0; r < UIQuestWindow::kRows; ++r) {
        const std::int32_t index = list_.top + r;
        if (index >= list_.count) break;
        const CurrentQuestEntry& entry = entries_[static_cast<std::size_t>(index)];
        window_.ShowRow(r, UITagName(entry.questId), FindUIQuestData(Context().Database(), entry.questId) != nullptr);
    }
    detailScroll_ = 0;
    window_.DetailBar()->SetValue(0);
    ShowDetail(0);
}

void GAME_CUICurrentQuest::ShowDetail(std::int32_t scroll)
{
    bool canRetire = false;
    if (entries_.empty()) {
        window_.ShowEmpty("CURRENT_QUEST_UI_NO_ACCEPT");
    } else {
        const std::int32_t index = list_.Index();
        const CurrentQuestEntry& entry = entries_[static_cast<std::size_t>(index)];
        const QuestData* quest = FindUIQuestData(Context().Database(), entry.questId);
        window_.ShowDetail({.questId = entry.questId, .quest = quest, .daysLeft = entry.daysLeft,
                            .limitLine = UIQuestLimitLine::kAccepted, .showTown = true, .townId = entry.hideoutId},
                           scroll);
        if (quest != nullptr) {
            selectedQuest_ = entry.questId;
            selectedEntry_ = index;
            canRetire = true;
        }
    }
    EnableUIButton(retire_.button, canRetire, retire_.caption);
}

void GAME_CUICurrentQuest::EveryFrame()
{
    window_.GiveWheelToHoveredBar();
    window_.PlaceCursor(focus_ == kFocusList, list_.cursor, entries_.empty());
}

void GAME_CUICurrentQuest::UpdateMain(bool input)
{
    pages_.Advance([this](Page page) { EnterPage(page); });
    switch (pages_.Current()) {
    case kBrowse: Browse(input); break;
    case kAskRetire: {
        Root()->UpdateTree(false);
        if (FollowDialogAnswer(pages_, kRetired, kBrowse)) {
            NoticeInDialog(kSlotCurrentQuest, {.text = UIQuestMessage("QUESTBOARD_RETIRE_FINISHED", selectedQuest_, kUIQuestNoticeLimit)});
        }
        break;
    }
    case kRetired:
        Root()->UpdateTree(false);
        if (IsDialogShown()) break;
        BuildList();
        pages_.Go(kBrowse);
        break;
    }
}

void GAME_CUICurrentQuest::EnterPage(Page page)
{
    switch (page) {
    case kBrowse: break;
    case kAskRetire:
        if (selectedEntry_ < 0) {
            pages_.Reset(kBrowse);
            return;
        }
        AskInDialog(kSlotCurrentQuest, {.text = UIQuestMessage("QUESTBOARD_RETIRE_YESNO", selectedQuest_, kUIQuestQuestionLimit)});
        break;
    case kRetired: {
        PlayUISE(kSeUIQuestRetired);
        const CurrentQuestEntry& entry = entries_[static_cast<std::size_t>(selectedEntry_)];
        RetireQuest(GetWorkingSlot(), entry.board, entry.slot);
        break;
    }
    }
}

void GAME_CUICurrentQuest::OnRetire()
{
    if (selectedQuest_ == kNoId || selectedEntry_ < 0 || !pages_.Is(kBrowse)) return;
    pages_.Go(kAskRetire);
}

void GAME_CUICurrentQuest::Browse(bool input)
{
    const bool free = Root()->UpdateTree(input && !AnyWidgetBusyOrDecided());
    // The wheel or a drag on a bar.
    if (window_.FollowListBar(list_)) {
        Refresh();
        return;
    }
    if (window_.FollowDetailBar(detailScroll_)) ShowDetail(detailScroll_);
    if (!free || entries_.empty()) return;

    const int clicked = window_.ClickedRow(list_.count - list_.top);
    if (clicked >= 0) {
        focus_ = kFocusList;
        if (list_.Click(clicked) == UIListClick::kMoved) Refresh();
        return;
    }
    if (window_.WalkFocusByKeys(focus_, detailScroll_, [this] { ShowDetail(detailScroll_); })) return;
    // A list of one has nowhere to go: no sound either.
    if (list_.count <= 1 || list_.StepByKeys() == 0) return;
    list_.Show(*window_.ListBar());
    Refresh();
}
