// The pub (slot 8): the rumours the town's pub sells, seven rows at a time; a rumour is paid for once and its text read in a second window.
#include "game/ui/screens/ui_pub.h"

#include <algorithm>
#include <string>

#include "game/model/world/game_world.h"
#include "game/services/data/id_tags.h"
#include "game/services/data/static_database.h"
#include "game/services/input/input_actions.h"
#include "game/services/player/player_data.h"
#include "game/services/save/working_slot.h"
#include "game/services/text/message_text.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/hideout_facility.h"
#include "game/ui/menu_window.h"
#include "game/ui/screen_callbacks.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_manager.h"
#include "game/ui/ui_text.h"

namespace {

constexpr float kRowX = 152.0f;
constexpr float kFirstRowY = 106.0f;
constexpr float kPriceRightX = 349.0f;
// A row's pointer rectangle: its left edge from its name's position, and its size.
constexpr float kRowHitLeft = -45.0f;
constexpr vesk::math::Vec2 kRowHitSize{408.0f, 16.0f};
constexpr std::int32_t kSeRumourBought = 59;
constexpr std::uint32_t kEventFlagLimit = 1024;
constexpr std::uint32_t kMapRevealBits = 32;

}  // namespace

GAME_CUIPub::GAME_CUIPub(const UIScreenContext& context)
    : GAME_CUIScreen({.holdsGame = true, .dialog = UIDialogOnClose::kClose, .settlesAtOnce = true, .holdStaysWithSlot = kSlotAjitoMenu}, &context)
{
    BuildListWindow();
    text_.Build([this](GAME_CUIIconObject*) { steps_.Go(kBackToList); }, UIRumourTextWindow::Keys::kSilentSteps);
}

void GAME_CUIPub::BuildListWindow()
{
    GAME_CUINullObject* root = Root();
    BeginUIMenuWindow(widgets_, root, CloseAndOpenHideoutMenu(this, Context().ui));
    headers_.Add(widgets_, root, "ui_text_name", {127.0f, 87.0f});
    headers_.Add(widgets_, root, "ui_text_price", {412.0f, 87.0f});
    // The holder rides on the cursor row's anchor 45 units to its left, so that the arrow stands
    // before the row and the highlight ends inside the window.
    cursor_.Build(widgets_, root, {.at = {-45.0f, -1.0f}});
    for (int r = 0; r < kRows; ++r) {
        Row& row = rows_[static_cast<std::size_t>(r)];
        row.anchor = MakeUIGroupUnder(root, kRowX, kFirstRowY + kUILineStep * static_cast<float>(r));
        AddWidget(row.anchor);
        row.separator = MakeUIPictureUnder(row.anchor, "ui_separator_big", -45.0f, -3.0f);
        AddWidget(row.separator);
        row.check = MakeUIPictureUnder(row.anchor, "ui_icon_check", -19.0f, 3.0f);
        AddWidget(row.check);
    }
    listScroll_ = MakeUIScrollBar(root, 525.0f, 105.0f, 8.0f, 140.0f);
    AddWidget(listScroll_);
    AddWidget(MakeUIPictureUnder(root, "ui_separator_center", 99.0f, 247.0f));
    UIButtonSpec listen{.sprite = "ui_enterbutton", .pressedSprite = "ui_enterbutton_touch", .sound = kSeUIDecide,
                        .action = kActionDecide, .release = [this](GAME_CUIIconObject*) { OnDecideRumor(); }};
    PlaceUIButtonTopLeft(listen, 384.0f, 257.0f);
    listenButton_ = MakeUIButton(root, listen);
    AddWidget(listenButton_);
    AddUIMenuWindowTitle(widgets_, root, "");
    title_ = dynamic_cast<GAME_CUILabelObject*>(widgets_.back());
    AddWidget(MakeUILabel(listenButton_, "PUB_GET_RUMOR_BUTTON_TEXT", 0.0f, 0.0f, 0.5f, 0.5f));
    for (Row& row : rows_) {
        row.name = MakeUILabel(row.anchor, "", 0.0f, 0.0f);
        AddWidget(row.name);
        row.price = MakeUILabel(row.anchor, "", kPriceRightX, 0.0f, 1.0f);
        AddWidget(row.price);
    }
    AddWidget(MakeUIDrawHook([] { DrawSharedDialogCallback(); }));
    EndUIMenuWindow(widgets_, root);
}

void GAME_CUIPub::OnEnterState(UIScreenState state)
{
    switch (state) {
    case kOpening: BeginOpen(); break;
    case kMain: UIRunArmedRouteLabel(Context(), RouteScreenLabel::kPub); break;
    case kClosing: Context().world.SetFieldStick(true); break;
    default: break;
    }
}

void GAME_CUIPub::BeginOpen()
{
    ShowAllWidgets();
    text_.ShowWidgets();
    headers_.Apply();
    ListRumours();
    list_.cursor = 0;
    list_.top = 0;
    RefreshRows();
    Context().world.SetFieldStick(false);
}

void GAME_CUIPub::ListRumours()
{
    listed_.clear();
    title_->SetTextW(UIHideoutFacilityTitle(Context(), kTypeNamePub).c_str());
    const GAME_CStaticDatabase* database = Context().Database();
    const HideoutData* hideout = UIHideoutHere(Context());
    if (database != nullptr && hideout != nullptr) {
        for (std::uint32_t id : hideout->rumors) {
            std::int32_t position = -1;
            const RumorData* rumour = database->FindRumorDataIndexed(id, &position);
            if (rumour == nullptr || position < 0) continue;
            if (rumour->afterEnding != 0 && !working_slot::EndingSeen()) continue;
            listed_.push_back(static_cast<std::uint32_t>(position));
        }
    }
    list_.count = static_cast<std::int32_t>(listed_.size());
}

std::uint32_t GAME_CUIPub::SelectedRumourId() const
{
    const GAME_CStaticDatabase* database = Context().Database();
    std::uint32_t id = kNoId;
    if (database != nullptr && list_.Index() < list_.count) {
        database->GetRumorDataAt(static_cast<std::int32_t>(listed_[static_cast<std::size_t>(list_.Index())]), &id);
    }
    return id;
}

void GAME_CUIPub::RefreshRows()
{
    const GAME_CStaticDatabase* database = Context().Database();
    const std::u16string moneyMark = GetMessageTextExpanded("MONEY_MARK");
    for (int r = 0; r < kRows; ++r) {
        Row& row = rows_[static_cast<std::size_t>(r)];
        row.name->SetTextW(u"");
        row.price->SetTextW(u"");
        row.check->SetColor(kUIHidden);
        row.separator->SetColor(kUIHidden);
        const std::int32_t index = list_.top + r;
        if (database == nullptr || index >= list_.count) continue;
        const std::uint32_t position = listed_[static_cast<std::size_t>(index)];
        std::uint32_t id = kNoId;
        const RumorData* rumour = database->GetRumorDataAt(static_cast<std::int32_t>(position), &id);
        if (rumour == nullptr) continue;
        row.name->SetTextW(UITagName(id).c_str());
        if (r > 0) row.separator->SetColor(kUIWhite);
        const bool bought = working_slot::RumorBought(position);
        if (bought) row.check->SetColor(kUIWhite);
        const std::u16string price = moneyMark + UIFullWidthNumber(bought ? 0 : rumour->price);
        row.price->SetTextW(price.c_str());
    }
    cursor_.holder->SetParent(rows_[static_cast<std::size_t>(list_.cursor)].anchor);
    cursor_.holder->UpdateTree(false);
}

void GAME_CUIPub::EveryFrame()
{
    cursor_.StepArrow();
    const bool canListen = list_.count > 0 && list_.Index() < list_.count;
    EnableUIButton(listenButton_, canListen);
    listScroll_->SetMaximum(list_.MaxTop());
}

void GAME_CUIPub::UpdateMain(bool input)
{
    list_.Show(*listScroll_);
    bool free = false;
    const Step step = steps_.Current();
    if (step >= kListen) {
        free = text_.Update(input && step == kText);
        Root()->UpdateTree(false);
    } else {
        free = Root()->UpdateTree(input);
    }
    if (list_.Follow(*listScroll_)) RefreshRows();
    steps_.Advance([this](Step entered) { EnterStep(entered); });
    if (steps_.Is(kList)) {
        UpdateList(free);
    } else if (steps_.Is(kText)) {
        if (free) text_.StepByKeys();
    } else {
        UpdateStep();
    }
}

void GAME_CUIPub::UpdateList(bool input)
{
    if (!input || list_.count == 0) return;
    const vesk::math::Vec2 first = rows_[0].name->WorldPosition();
    const std::int32_t row = ClickedUIListRow({first.x + kRowHitLeft, first.y}, std::min(kRows, list_.count - list_.top), kRowHitSize);
    switch (list_.Click(row)) {
    case UIListClick::kMoved: RefreshRows(); break;
    case UIListClick::kDecided:
        PlayUISE(kSeUIDecide);
        OnDecideRumor();
        break;
    case UIListClick::kNone:
        if (list_.StepByKeys() != 0) RefreshRows();
        break;
    }
}

void GAME_CUIPub::OnDecideRumor()
{
    const GAME_CStaticDatabase* database = Context().Database();
    const GAME_CPlayerData* player = Context().Player();
    if (database == nullptr || player == nullptr || list_.Index() >= list_.count) return;
    const std::uint32_t position = listed_[static_cast<std::size_t>(list_.Index())];
    const RumorData* rumour = database->GetRumorDataAt(static_cast<std::int32_t>(position), nullptr);
    if (rumour == nullptr) return;
    if (working_slot::RumorBought(position)) {
        steps_.Go(kListen);
    } else if (static_cast<std::uint32_t>(player->money) < static_cast<std::uint32_t>(rumour->price)) {
        steps_.Go(kNotEnoughMoney);
    } else {
        steps_.Go(kListenQuestion);
    }
}

void GAME_CUIPub::EnterStep(Step step)
{
    switch (step) {
    case kList: RefreshRows(); break;
    case kNotEnoughMoney: NoticeInDialog(kSlotPub, {.text = GetMessageTextExpanded("PUB_NOT_ENOUGH_MONEY")}); break;
    case kListenQuestion:
        AskInDialog(kSlotPub, {.text = FormatUIMessage("PUB_RUMOR_LISTEN_YESNO", {UITagName(SelectedRumourId())}),
                               .areYouSure = true});
        break;
    case kListen: BuyAndShowRumor(); break;
    default: break;
    }
}

void GAME_CUIPub::UpdateStep()
{
    switch (steps_.Current()) {
    case kNotEnoughMoney:
        if (!IsDialogShown()) steps_.Go(kList);
        break;
    case kListenQuestion:
        if (FollowDialogAnswer(steps_, kListen, kList)) {
            PlayUISE(kSeRumourBought);
            CloseDialog();
        }
        break;
    case kListen: steps_.Go(kText); break;
    case kBackToList: steps_.Go(kList); break;
    default: break;
    }
}

void GAME_CUIPub::BuyAndShowRumor()
{
    RefreshRows();
    const GAME_CStaticDatabase* database = Context().Database();
    GAME_CPlayerData* player = Context().Player();
    if (database == nullptr || player == nullptr || list_.Index() >= list_.count) return;
    const std::uint32_t position = listed_[static_cast<std::size_t>(list_.Index())];
    std::uint32_t id = kNoId;
    const RumorData* rumour = database->GetRumorDataAt(static_cast<std::int32_t>(position), &id);
    if (rumour == nullptr) return;
    if (!working_slot::RumorBought(position)) {
        working_slot::SetRumorBought(position);
        player->AddMoney(-static_cast<std::int64_t>(rumour->price));
    }
    // The flags are set on every listen: setting a bit twice changes nothing.
    if (rumour->eventFlag < kEventFlagLimit) working_slot::SetEventFlag(rumour->eventFlag, true);
    if (rumour->discoveryBit < kMapRevealBits) working_slot::SetStoryFlag(rumour->discoveryBit, true);
    if (rumour->unlockedRoom != kNoId) {
        const std::int32_t kind = FindRoomIdIndex(rumour->unlockedRoom);
        if (kind >= 1 && kind <= 33) working_slot::SetRoomKindUnlocked(kind, true);
    }
    RefreshRows();
    text_.Show(id);
}

void GAME_CUIPub::Draw()
{
    if (State() == kClosed) return;
    DrawWidgets(steps_.Current() >= kListen ? text_.Widgets() : widgets_);
    FlushUISprites();
}
