// The quest board (slot 9): the offers of the town where the ship stands, their detail, and taking, delivering and giving them up.
#include "game/ui/screens/ui_quest_board.h"

#include <algorithm>

#include "game/model/quest/quest_rules.h"
#include "game/model/travel/travel_controller.h"
#include "game/model/world/game_world.h"
#include "game/services/data/static_database.h"
#include "game/services/data/world_records.h"
#include "game/services/input/input_actions.h"
#include "game/services/input/input_map.h"
#include "game/services/save/quest_boards.h"
#include "game/services/save/save_image.h"
#include "game/services/text/message_text.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/hideout_facility.h"
#include "game/ui/room_window.h"
#include "game/ui/screen_callbacks.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_manager.h"
#include "game/ui/ui_text.h"
#include "game/ui/widgets/ui_category_change_object.h"

using vesk::math::Vec2;

namespace {

constexpr std::int32_t kSeDelivered = 60;
constexpr std::size_t kAcceptedLimit = 128;
constexpr std::size_t kTitleLimit = 127;
// The notice window slides down to where the room windows stand.
constexpr TweenPoint kNoticeShown{kUIRoomWindowAt.x, kUIRoomWindowAt.y};
constexpr TweenPoint kNoticeHidden{kUIRoomWindowAt.x, -kCanvasHeight};
constexpr std::uint32_t kNoticeStripColor = 0x90FFFFFFu;
// Buttons slide in and out over a few frames; a refresh lets them settle at once, but never for ever.
constexpr int kSettlePasses = 64;

bool HasNotice(const QuestData* quest) { return quest != nullptr && !quest->noticeKey.empty(); }

void ShowButton(const UIQuestButton& button, bool shown, bool enabled)
{
    button.button->SetVisible(shown);
    button.caption->SetVisible(shown);
    EnableUIButton(button.button, enabled, button.caption);
}

}  // namespace

GAME_CUIQuestBoard::GAME_CUIQuestBoard(const UIScreenContext& context)
    : GAME_CUIScreen({.holdsGame = true, .dialog = UIDialogOnClose::kClose, .holdStaysWithSlot = kSlotAjitoMenu}, &context)
{
    offers_.fill(kNoId);
    Build();
    BuildNotice();
}

GAME_CUIQuestBoard::~GAME_CUIQuestBoard() { DeleteWidgets(noticeWidgets_); }

void GAME_CUIQuestBoard::Build()
{
    window_.Build(widgets_, Root(),
                  {.owner = this, .close = CloseAndOpenHideoutMenu(this, Context().ui),
                   .buttons = {{"QUESTBOARD_BUTTON_ACCEPT", kActionDecide, 305.0f, [this](GAME_CUIIconObject*) { OnAccept(); }},
                               {"QUESTBOARD_BUTTON_DELIVERY", kActionDecide, 275.0f, [this](GAME_CUIIconObject*) { OnDelivery(); }},
                               {"QUESTBOARD_BUTTON_RETIRE", kActionMenuFunctionB, 305.0f, [this](GAME_CUIIconObject*) { OnRetire(); }}}});
    accept_ = window_.Button(0);
    delivery_ = window_.Button(1);
    retire_ = window_.Button(2);
}

void GAME_CUIQuestBoard::BuildNotice()
{
    noticeWidgets_.push_back(MakeUICategorySwitch(1));
    notice_ = MakeUIPicture("ui_windowbase", kNoticeHidden.x, kNoticeHidden.y);
    noticeWidgets_.push_back(notice_);
    const float width = UISpriteSize(notice_->Sprite()).x;
    for (const auto& [name, y] : {std::pair{"ui_window_scan_title", 10.0f}, std::pair{"ui_window_scan_main", 34.0f}}) {
        GAME_CUINullObject* strip = MakeUIPictureUnder(notice_, name, 0.0f, y);
        const float stripWidth = UISpriteSize(strip->Sprite()).x;
        const Vec2 stretch{stripWidth > 0.0f ? width / stripWidth : 1.0f, 1.0f};
        strip->SetScale(&stretch);
        strip->SetColor(kNoticeStripColor);
        noticeWidgets_.push_back(strip);
    }
    UIButtonSpec close{.sprite = "ui_closebutton", .pressedSprite = "ui_closebutton_touch", .sound = kSeUICancel,
                       .action = kActionCancel, .release = [this](GAME_CUIIconObject*) {
                           noticeSlide_ = {.from = kNoticeShown, .to = kNoticeHidden, .duration = kSlideFrames};
                       }};
    PlaceUIButtonTopLeft(close, 278.0f, 20.0f);
    noticeWidgets_.push_back(MakeUIButton(notice_, close));
    noticeWidgets_.push_back(MakeUICategorySwitch(0, true));
    noticeTitle_ = MakeUILabel(notice_, "", 20.0f, 12.0f);
    noticeWidgets_.push_back(noticeTitle_);
    noticeBody_ = MakeUILabel(notice_, "", 20.0f, 38.0f);
    noticeWidgets_.push_back(noticeBody_);
    noticeWidgets_.push_back(MakeUICategorySwitch(2, true));
    std::erase(noticeWidgets_, nullptr);
}

Vec2 GAME_CUIQuestBoard::NoticePosition() const { return *notice_->GetPosition(); }

bool GAME_CUIQuestBoard::IsNoticeShown() const { return pages_.Is(kAccepted) && !noticeTitle_->Literal().empty(); }

bool GAME_CUIQuestBoard::IsEnabled(const GAME_CUIIconObject* button) { return button->IsVisible() && !button->IsDisabled(); }

bool GAME_CUIQuestBoard::IsAccepted(int slot) const
{
    return board_ >= 0 && slot >= 0 && slot < kOfferSlots && QuestBoardRecord(GetWorkingSlot(), board_).IsAccepted(slot);
}

std::uint32_t GAME_CUIQuestBoard::SelectedOffer() const
{
    const std::int32_t slot = list_.Index();
    return slot >= 0 && slot < kOfferSlots ? offers_[static_cast<std::size_t>(slot)] : kNoId;
}

void GAME_CUIQuestBoard::ReadBoard()
{
    offers_.fill(kNoId);
    std::int32_t count = 0;
    if (board_ >= 0) {
        const QuestBoardRecord record(GetWorkingSlot(), board_);
        for (int slot = 0; slot < offerSlots_; ++slot) {
            offers_[static_cast<std::size_t>(slot)] = record.Id(slot);
            if (!record.IsEmpty(slot)) ++count;
        }
    }
    list_.count = count;
    window_.DetailBar()->SetDrawWhenEmpty(count > 0);
}

void GAME_CUIQuestBoard::OnEnterState(UIScreenState state)
{
    switch (state) {
    case kOpening: {
        ShowAllWidgets();
        for (GAME_CUIObjectBase* widget : noticeWidgets_) widget->SetVisible(true);
        window_.Open();
        detailScroll_ = 0;
        selectedQuest_ = kNoId;
        focus_ = kFocusList;
        // The town where the ship stands; a place that is no hideout has no board.
        board_ = -1;
        offerSlots_ = 0;
        const GAME_CStaticDatabase* database = Context().Database();
        const LocationRecord* location = Context().world.travel ? Context().world.travel->GetLocation() : nullptr;
        const HideoutData* hideout = nullptr;
        if (database != nullptr && location != nullptr) hideout = database->FindHideoutDataIndexed(location->hideoutId, &board_);
        if (hideout == nullptr) board_ = -1;
        if (hideout != nullptr && board_ >= 0) offerSlots_ = std::clamp(hideout->offerCount, 0, kOfferSlots);
        ReadBoard();
        list_.ShowFromStart(*window_.ListBar());
        window_.Title()->SetTextW(UILimitedText(UIHideoutFacilityTitle(Context(), kTypeNameQuestBoard), kTitleLimit).c_str());
        pages_.Reset(kList);
        Refresh();
        Context().world.SetFieldStick(false);
        break;
    }
    case kMain: UIRunArmedRouteLabel(Context(), RouteScreenLabel::kQuestBoard); break;
    case kClosing: Context().world.SetFieldStick(true); break;
    default: break;
    }
}

void GAME_CUIQuestBoard::EveryFrame()
{
    window_.GiveWheelToHoveredBar();
    window_.PlaceCursor(focus_ == kFocusList, list_.cursor, list_.count == 0);
}

void GAME_CUIQuestBoard::Refresh()
{
    window_.ListBar()->SetValue(list_.top);
    window_.ClearRows();
    const std::uint32_t mask = board_ >= 0 ? QuestBoardRecord(GetWorkingSlot(), board_).Mask() : 0;
    for (int r = 0; r < UIQuestWindow::kRows; ++r) {
        const std::int32_t slot = list_.top + r;
        if (slot >= kOfferSlots) break;
        const std::uint32_t id = offers_[static_cast<std::size_t>(slot)];
        if (id == kNoId || id == 0) continue;
        const bool known = FindUIQuestData(Context().Database(), id) != nullptr;
        window_.ShowRow(r, UITagName(id), known && ((mask >> slot) & 1u) != 0);
    }
    detailScroll_ = 0;
    window_.DetailBar()->SetValue(0);
    ShowDetail();
}

void GAME_CUIQuestBoard::ShowDetail()
{
    if (list_.count == 0) {
        window_.ShowEmpty("QUESTBOARD_NOQUEST");
        ShowButtons(kNoId, nullptr, false);
        return;
    }
    const std::uint32_t id = SelectedOffer();
    const QuestData* quest = id != kNoId ? FindUIQuestData(Context().Database(), id) : nullptr;
    const bool accepted = IsAccepted(list_.Index());
    const std::int32_t days = accepted ? QuestBoardRecord(GetWorkingSlot(), board_).Value(list_.Index()) : -1;
    window_.ShowDetail({.questId = id, .quest = quest, .daysLeft = days,
                        .limitLine = accepted ? UIQuestLimitLine::kAccepted : UIQuestLimitLine::kOffer},
                       detailScroll_);
    ShowButtons(id, quest, accepted);
}

void GAME_CUIQuestBoard::ShowButtons(std::uint32_t questId, const QuestData* quest, bool accepted)
{
    ShowButton(accept_, !accepted, quest != nullptr && !accepted);
    ShowButton(delivery_, accepted, quest != nullptr && accepted && IsQuestDeliverable(questId));
    ShowButton(retire_, accepted, accepted);
    SettleButtons();
}

void GAME_CUIQuestBoard::SettleButtons()
{
    for (int pass = 0; pass < kSettlePasses; ++pass) {
        bool busy = false;
        for (GAME_CUIIconObject* button : {accept_.button, delivery_.button, retire_.button}) {
            button->UpdateSubtree(false);
            busy = busy || button->IsBusy();
        }
        if (!busy) break;
    }
}

void GAME_CUIQuestBoard::UpdateMain(bool input)
{
    pages_.Advance([this](Page page) { EnterPage(page); });
    switch (pages_.Current()) {
    case kList: UpdateList(input); break;
    case kAskAccept:
    case kAskDelivery:
    case kAskRetire: {
        Root()->UpdateTree(false);
        const Page yes = pages_.Is(kAskAccept) ? kAccepted : pages_.Is(kAskDelivery) ? kDelivered : kRetired;
        if (!FollowDialogAnswer(pages_, yes, kList)) break;
        if (yes != kAccepted) {
            const char* key = yes == kDelivered ? "QUESTBOARD_DELIVERY_FINISHED" : "QUESTBOARD_RETIRE_FINISHED";
            NoticeInDialog(kSlotQuestBoard, {.text = UIQuestMessage(key, selectedQuest_, kUIQuestNoticeLimit)});
        } else if (HasNotice(FindUIQuestData(Context().Database(), selectedQuest_))) {
            // A quest with a notice tells it in the notice window instead.
            CloseDialog();
        } else {
            NoticeInDialog(kSlotQuestBoard, {.text = UIQuestMessage("QUESTBOARD_ACCEPT_FINISHED", selectedQuest_, kAcceptedLimit)});
        }
        break;
    }
    case kAccepted: UpdateNotice(input); break;
    case kDelivered:
    case kRetired:
    case kLimitReached:
    case kNoRoomForReward:
        Root()->UpdateTree(false);
        if (IsDialogShown()) break;
        // The road may have armed a scene for the first delivery seen through.
        if (pages_.Is(kDelivered)) UIRunArmedRouteLabel(Context(), RouteScreenLabel::kQuestDelivered);
        pages_.Go(kList);
        break;
    }
}

void GAME_CUIQuestBoard::EnterPage(Page page)
{
    const std::span<std::uint8_t> slot = GetWorkingSlot();
    switch (page) {
    case kList:
        selectedQuest_ = kNoId;
        focus_ = kFocusList;
        Refresh();
        break;
    case kAskAccept: Ask("QUESTBOARD_ACCEPT_YESNO"); break;
    case kAskDelivery: Ask("QUESTBOARD_DELIVERY_YESNO"); break;
    case kAskRetire: Ask("QUESTBOARD_RETIRE_YESNO"); break;
    case kAccepted: {
        QuestBoardWriter(slot, board_).Accept(slot, list_.Index(), selectedQuest_);
        noticeTitle_->SetTextW(u"");
        noticeBody_->SetTextA("");
        const QuestData* quest = FindUIQuestData(Context().Database(), selectedQuest_);
        if (!HasNotice(quest)) break;
        noticeTitle_->SetTextW(UIQuestMessage("QUESTBOARD_ACCEPT_FINISHED", selectedQuest_, kAcceptedLimit).c_str());
        noticeBody_->SetTextA(quest->noticeKey.c_str());
        noticeSlide_ = {.from = kNoticeHidden, .to = kNoticeShown, .duration = kSlideFrames};
        const Vec2 hidden{kNoticeHidden.x, kNoticeHidden.y};
        notice_->SetPosition(&hidden);
        notice_->UpdateTree(false);
        break;
    }
    case kDelivered:
        DeliverQuest(slot, board_, list_.Index(), selectedQuest_);
        AfterRemoval();
        PlayUISE(kSeDelivered);
        break;
    case kRetired:
        PlayUISE(kSeUIQuestRetired);
        RetireQuest(slot, board_, list_.Index());
        AfterRemoval();
        break;
    case kLimitReached:
        PlayUISE(kSeUIError);
        NoticeInDialog(kSlotQuestBoard, {.text = GetMessageTextExpanded("QUESTBOARD_ACCEPT_OVER")});
        break;
    case kNoRoomForReward:
        // The market's words for goods the deck has no room for.
        PlayUISE(kSeUIError);
        NoticeInDialog(kSlotQuestBoard, {.text = GetMessageTextExpanded("MARKET_BUY_DISABLE_GRID")});
        break;
    }
}

void GAME_CUIQuestBoard::Ask(const char* key)
{
    selectedQuest_ = SelectedOffer();
    AskInDialog(kSlotQuestBoard, {.text = UIQuestMessage(key, selectedQuest_, kUIQuestQuestionLimit)});
}

// The offer list read again and the cursor one row up, as the removed offer's place closes.
void GAME_CUIQuestBoard::AfterRemoval()
{
    ReadBoard();
    if (--list_.cursor < 0) {
        list_.cursor = 0;
        --list_.top;
    }
    if (list_.top + list_.cursor < 0) list_.top = list_.cursor = 0;
    list_.Clamp();
    list_.Show(*window_.ListBar());
    Refresh();
}

void GAME_CUIQuestBoard::OnAccept()
{
    if (!pages_.Is(kList) || !IsEnabled(accept_.button) || IsAccepted(list_.Index())) return;
    pages_.Go(CanAcceptQuest(GetWorkingSlot()) ? kAskAccept : kLimitReached);
}

void GAME_CUIQuestBoard::OnDelivery()
{
    if (!pages_.Is(kList) || !IsEnabled(delivery_.button) || !IsAccepted(list_.Index())) return;
    // Reward items that find no room on the deck would be lost: the delivery waits for room.
    pages_.Go(QuestRewardsFitOnDeck(SelectedOffer()) ? kAskDelivery : kNoRoomForReward);
}

void GAME_CUIQuestBoard::OnRetire()
{
    if (!pages_.Is(kList) || !retire_.button->IsVisible() || !IsAccepted(list_.Index())) return;
    pages_.Go(kAskRetire);
}

void GAME_CUIQuestBoard::UpdateList(bool input)
{
    const bool free = Root()->UpdateTree(input && !AnyWidgetBusyOrDecided());
    if (window_.FollowDetailBar(detailScroll_)) {
        PlayUISE(kSeUICursor);
        ShowDetail();
    }
    if (window_.FollowListBar(list_)) {
        Refresh();
        return;
    }
    list_.Tick();
    if (!free || list_.count == 0 || !pages_.Is(kList) || pages_.Asked() != kList) return;

    const int clicked = window_.ClickedRow(list_.count - list_.top);
    if (clicked >= 0) {
        focus_ = kFocusList;
        if (list_.Click(clicked, true) == UIListClick::kDecided) {
            // A double click presses the shown button: it takes an open offer (through its question)
            // or delivers a taken one.
            if (IsAccepted(list_.Index())) {
                OnDelivery();
            } else {
                OnAccept();
            }
        }
        Refresh();
        return;
    }
    if (window_.DetailPaneClicked()) {
        if (focus_ != kFocusDetail) PlayUISE(kSeUICursor);
        focus_ = kFocusDetail;
        return;
    }
    if (window_.WalkFocusByKeys(focus_, detailScroll_, [this] {
            PlayUISE(kSeUICursor);
            ShowDetail();
        })) {
        return;
    }
    if (list_.StepByKeys() == 0) return;
    list_.Show(*window_.ListBar());
    Refresh();
}

void GAME_CUIQuestBoard::UpdateNotice(bool input)
{
    if (noticeTitle_->Literal().empty()) {
        Root()->UpdateTree(false);
        if (!IsDialogShown()) pages_.Go(kList);
        return;
    }
    TweenPoint at{};
    UpdateTweenEaseOut(noticeSlide_, at);
    const Vec2 place{at.x, at.y};
    notice_->SetPosition(&place);
    notice_->UpdateTree(input && !notice_->IsAnyDecided());
    if (IsTweenFinished(noticeSlide_) && static_cast<int>(at.y) <= 1 - static_cast<int>(kCanvasHeight)) pages_.Go(kList);
}

void GAME_CUIQuestBoard::Draw()
{
    if (State() == kClosed) return;
    DrawWidgets(widgets_);
    if (State() == kMain && IsNoticeShown()) DrawWidgets(noticeWidgets_);
}
