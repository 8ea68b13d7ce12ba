// The ammunition screen (slot 15): a weapon room's ammunition, reloading and cancelling, and the room's task page.
#include "game/ui/screens/ui_bullet.h"

#include <algorithm>

#include "game/model/stores/ammo_storage.h"
#include "game/services/data/static_lookups.h"
#include "game/services/data/tag.h"
#include "game/services/text/full_width.h"
#include "game/model/world/game_world.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/task_manager.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_room_access.h"
#include "game/ui/ui_text.h"
#include "game/ui/widgets/ui_callback.h"

using vesk::math::Vec2;

namespace {

// The pages' roots stand at the canvas origin; positions below are canvas units.
constexpr Vec2 kHome{0.0f, 0.0f};
constexpr Vec2 kSlideFrom{0.0f, -360.0f};
constexpr float kRowX = 378.0f;
constexpr float kFigureX = 121.0f;
constexpr float kLineTop = 142.0f;
// A row's pointer rectangle: from its label's place this far right and down.
constexpr Vec2 kRowHitSize{86.0f, 13.0f};
constexpr float kFramesToSeconds = 0.0166667f;
// The bullet page's focus: 2 the list, then the task tab, the bullet tab, the right and left skip arrows.
constexpr UIRoomFirstPageFocus kFocus = UIRoomFirstPageFocus::Numbered(2);
constexpr std::array<const char*, 4> kHeaderNames{"ui_text_currentbullet", "ui_text_food_stock", "ui_text_information", "ui_text_ammo_menu"};
constexpr std::array<Vec2, 4> kHeaderPlaces{{{97.0f, 87.0f}, {308.0f, 87.0f}, {97.0f, 126.0f}, {372.0f, 126.0f}}};
constexpr std::size_t kMessageLimit = 240;
const std::vector<std::uint32_t> kNoKinds;

}  // namespace

GAME_CUIBullet::GAME_CUIBullet(const UIScreenContext& context) : GAME_CUIRoomScreen(context, kHome, kSlideFrom, {.closesFromHome = true})
{
    reloads_.reserve(4);
    BuildBulletPage();
    BuildTaskPage();
}

GAME_CUIBullet::~GAME_CUIBullet() = default;

void GAME_CUIBullet::BuildBulletPage()
{
    firstRoot_ = MakeUIGroupNode(kHome.x, kSlideFrom.y);
    firstFrame_ = BeginPage(firstPage_, firstRoot_, MakeUIRoomWindowUnder(firstRoot_));
    AddHeaders(firstRoot_, kHeaderNames, kHeaderPlaces);
    firstPage_.push_back(MakeUIPictureUnder(firstRoot_, "ui_icon_build", 99.0f, 97.0f));
    stock_.BuildGauge(firstPage_, firstRoot_, {312.0f, 102.0f}, "ui_labelbase");
    BuildUISeparatedLines(firstPage_, firstRoot_, figures_, {.first = {kFigureX, kLineTop}});
    ClearUISeparatedLines(figures_);
    BuildUISeparatedLines(firstPage_, firstRoot_, rows_,
                          {.first = {kRowX, kLineTop}, .separatorSprite = "ui_separator_right", .separator = {-21.0f, 15.0f}});
    marker_ = MakeUIPictureUnder(rows_[0].label, "ui_select_highlight_current", -4.0f, -2.0f);
    firstPage_.push_back(marker_);
    firstPage_.push_back(MakeUIScrollBar(firstRoot_, 346.0f, 139.0f, 8.0f, 108.0f));
    firstPage_.push_back(MakeUIScrollBar(firstRoot_, 535.0f, 139.0f, 8.0f, 108.0f));

    AddTabBar(firstPage_, firstFrame_, {"BULLETUI_TAB_BULLET", "BULLETUI_TAB_TASK", false, nullptr, UIBind(this, &GAME_CUIBullet::OnTaskTabButton)});
    currentKind_ = MakeUILabel(firstRoot_, "", 120.0f, 99.0f);
    firstPage_.push_back(currentKind_);
    stock_.BuildLabel(firstPage_, firstRoot_, {430.0f, 99.0f});
    AddUISeparatedLineLabels(firstPage_, figures_);
    AddUISeparatedLineLabels(firstPage_, rows_);
    EndPage(firstPage_, firstFrame_);
}

void GAME_CUIBullet::BuildTaskPage()
{
    taskRoot_ = MakeUIGroupNode(kHome.x, kSlideFrom.y);
    // The page's places are the usual ones, taken from the canvas origin the root stands at.
    FillTaskPage(MakeUIRoomWindowUnder(taskRoot_), UIRoomTaskTabLayout{}.MovedBy(kUIRoomWindowAt),
                 {"BULLETUI_TAB_BULLET", "BULLETUI_TAB_TASK", true, UIBind(this, &GAME_CUIBullet::OnAmmoTabButton), nullptr});
}

std::int32_t GAME_CUIBullet::RoomIndex() const { return GetUIRoomIndex(Context().world, target); }

GAME_CAmmo* GAME_CUIBullet::Store() const
{
    const std::int32_t index = RoomIndex();
    return index < 0 ? nullptr : FindAmmoStorage(index);
}

const std::vector<std::uint32_t>& GAME_CUIBullet::Kinds() const
{
    return target != nullptr && target->roomData != nullptr ? target->roomData->acceptedItems : kNoKinds;
}

bool GAME_CUIBullet::IsReloadPending() const
{
    const GAME_CGameWorld& world = Context().world;
    return world.tasks && world.tasks->CountReloadTasksOfRoom(RoomIndex()) > 0;
}

std::int32_t GAME_CUIBullet::KeyEntryCount() const
{
    return std::min(static_cast<std::int32_t>(Kinds().size()), kVisibleRows) + (IsReloadPending() ? 1 : 0);
}

std::uint32_t GAME_CUIBullet::KindUnderCursor() const
{
    const std::size_t index = static_cast<std::size_t>(std::max(0, list_.top + list_.cursor));
    return index < Kinds().size() ? Kinds()[index] : kNoId;
}

bool GAME_CUIBullet::CanShowRoom() const { return target != nullptr && RoomIndex() >= 0 && Store() != nullptr; }

void GAME_CUIBullet::OnEnterOpening()
{
    BeginOpening();
    tabs_.Reset(target != nullptr && target->rememberedTab == kTaskPageState ? Tab::kTasks : Tab::kList);
    stock_.Forget();
    EnterAmmoList();
    EnterTaskPage();
}

void GAME_CUIBullet::OnEveryFrame()
{
    const GAME_CAmmo* store = Store();
    stock_.Show(store != nullptr, store != nullptr ? store->GetCount() : 0, store != nullptr ? store->GetCapacity() : 0);
    // The game goes on under the window: the crew finishes a reload while the list shows.
    if (tabs_.Is(Tab::kList) && tabs_.Asked() == Tab::kList && IsReloadPending() != cancelRowWritten_) FollowReloadState();
}

void GAME_CUIBullet::FollowReloadState()
{
    list_.count = KeyEntryCount();
    if (list_.Index() >= list_.count) list_.Select(list_.count - 1);
    if (bulletFocus_ == kFocus.list) ShowAmmoInfo(KindUnderCursor());
    PlaceBulletCursor(bulletFocus_);
}

void GAME_CUIBullet::UpdateMain(bool input)
{
    tabs_.Advance([this](Tab tab) { EnterTab(tab); });
    const std::int32_t infoScroll = taskTab_.ScrollBar()->Value();
    if (tabs_.Is(Tab::kTasks)) {
        UpdateTaskPage(input);
        AnswerInfoScroll(infoScroll);
        return;
    }
    const bool listing = tabs_.Is(Tab::kList);
    const bool routed = firstRoot_->UpdateTree(listing && input);
    input = listing && routed;
    taskRoot_->UpdateTree(false);
    switch (tabs_.Current()) {
    case Tab::kList: UpdateAmmoList(input); break;
    case Tab::kAskReload:
        if (FollowDialogAnswer(tabs_, Tab::kReloadStarted, Tab::kList)) {
            NoticeInDialog(kSlotBullet, {.text = UILimitedText(FormatUIMessage("BULLETUI_SELECT_RELOAD_START", {UITagName(selectedKind_)}), 256),
                                         .centred = true});
        }
        break;
    case Tab::kReloadStarted:
        if (!IsDialogShown()) tabs_.Go(Tab::kList);
        break;
    case Tab::kAskCancel: FollowDialogAnswer(tabs_, Tab::kCancelled, Tab::kList); break;
    case Tab::kCancelled: UpdateCancelFinished(); break;
    case Tab::kTasks: break;
    }
    taskTab_.UpdateControllerQuietly();
    AnswerInfoScroll(infoScroll);
}

void GAME_CUIBullet::EnterTab(Tab tab)
{
    switch (tab) {
    case Tab::kList: EnterAmmoList(); break;
    case Tab::kAskReload: EnterReloadConfirm(); break;
    case Tab::kReloadStarted: StartReload(); break;
    case Tab::kAskCancel: EnterCancelConfirm(); break;
    case Tab::kCancelled: FinishReloadCancel(); break;
    case Tab::kTasks: EnterTaskPage(); break;
    }
}

void GAME_CUIBullet::ShowAmmoInfo(std::uint32_t kind)
{
    firstFrame_.cursorNode->SetParent(rows_[static_cast<std::size_t>(std::clamp<int>(list_.cursor, 0, kVisibleRows - 1))].label);
    const GAME_CAmmo* store = Store();
    if (kind == kNoId) {
        ClearUISeparatedLines(figures_);
    } else {
        if (store != nullptr) {
            const std::uint32_t loaded = *store->GetAmmoId();
            if (loaded == kNoId) {
                currentKind_->SetTextA("");
            } else {
                currentKind_->SetTextW(UITagName(loaded).c_str());
            }
        }
        const ItemData* item = FindItemData(kind);
        const std::int32_t power = item != nullptr ? item->power : 0;
        const std::int32_t period = item != nullptr ? item->period : 0;
        const std::int32_t reach = item != nullptr ? item->reach : 0;
        const std::int32_t damage = target != nullptr ? target->CalcUpgradedOutput(power) : power;
        const std::u16string rate = ToFullWidthText(vesk::text::FormatText(u"%.1f", {static_cast<double>(period) * kFramesToSeconds}));
        const std::u16string values[] = {UIFullWidthNumber(damage), rate, UIFullWidthNumber(reach),
                                         UIFullWidthNumber(UIAvailableItemCount(kind, false))};
        const char* keys[] = {"BULLETUI_AMMO_DAMAGE", "BULLETUI_AMMO_FIRERATE", "BULLETUI_AMMO_FIRERANGE", "BULLETUI_AMMO_CURRENT_HOLD_NUM"};
        for (std::size_t k = 0; k < std::size(keys); ++k) {
            figures_[k].label->SetTextW(UILimitedText(FormatUIMessage(keys[k], {values[k]}), 127).c_str());
            figures_[k].separator->SetColor(kUIWhite);
        }
    }
    marker_->SetColor(kUIHidden);
    ClearUISeparatedLines(rows_);
    const std::vector<std::uint32_t>& kinds = Kinds();
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        const std::int64_t row = static_cast<std::int64_t>(i) - list_.top;
        if (row < 0 || row >= kVisibleRows) continue;
        GAME_CUILabelObject* label = rows_[static_cast<std::size_t>(row)].label;
        label->SetTextA(TagText(kinds[i]).c_str());
        rows_[static_cast<std::size_t>(row)].separator->SetColor(kUIWhite);
        if (store != nullptr && *store->GetAmmoId() == kinds[i]) {
            marker_->SetParent(label);
            marker_->SetColor(kUIWhite);
        }
    }
    const std::int64_t cancelRow = static_cast<std::int64_t>(kinds.size()) - list_.top;
    cancelRowWritten_ = IsReloadPending();
    if (cancelRowWritten_ && cancelRow >= 0 && cancelRow < kVisibleRows) {
        rows_[static_cast<std::size_t>(cancelRow)].label->SetTextA("BULLETUI_RELOAD_CANCEL");
    }
}

void GAME_CUIBullet::EnterAmmoList()
{
    ShowAmmoInfo(KindUnderCursor());
    PlaceBulletCursor(bulletFocus_);
}

void GAME_CUIBullet::PlaceBulletCursor(std::int32_t focus)
{
    if (focus == kFocus.list) {
        PlaceFirstCursorOnRow(rows_[static_cast<std::size_t>(std::clamp<int>(list_.cursor, 0, kVisibleRows - 1))].label);
        return;
    }
    ShowAmmoInfo(kNoId);
    PlaceFirstCursorOnButton(focus, kFocus);
}

void GAME_CUIBullet::UpdateAmmoList(bool input)
{
    const std::vector<std::uint32_t>& kinds = Kinds();
    if (kinds.empty() || !input) return;
    const std::int32_t kindCount = static_cast<std::int32_t>(kinds.size());
    const bool pending = IsReloadPending();
    const auto isCancelEntry = [&](std::int32_t index) { return pending && index == kindCount; };

    const int pointerRows = std::min(kindCount + (pending ? 1 : 0), kVisibleRows);
    for (int r = 0; r < pointerRows && !IsUIPointerRefused(); ++r) {
        const Vec2 at = rows_[static_cast<std::size_t>(r)].label->WorldPosition();
        if (!IsUIClickInRect(at, {at.x + kRowHitSize.x, at.y + kRowHitSize.y})) continue;
        if (r == list_.cursor && bulletFocus_ == kFocus.list) {
            if (isCancelEntry(list_.top + r)) {
                PlayUISE(kSeUIDecide);
                tabs_.Go(Tab::kAskCancel);
            } else {
                selectedKind_ = KindUnderCursor();
                TryReload();
            }
        } else {
            PlayUISE(kSeUICursor);
            list_.cursor = r;
            bulletFocus_ = kFocus.list;
            ShowAmmoInfo(KindUnderCursor());
            PlaceBulletCursor(kFocus.list);
        }
        return;
    }

    const std::int32_t start = bulletFocus_;
    const UIRoomKeys keys = UIRoomKeys::Read();
    list_.count = KeyEntryCount();
    if (bulletFocus_ == kFocus.list && keys.decide) {
        if (isCancelEntry(list_.Index())) {
            tabs_.Go(Tab::kAskCancel);
        } else {
            selectedKind_ = KindUnderCursor();
            TryReload();
        }
    } else if (StepFirstPageFocus(bulletFocus_, kFocus, keys, list_)) {
        ShowAmmoInfo(KindUnderCursor());
    }
    if (bulletFocus_ != start) {
        if (bulletFocus_ == kFocus.list) ShowAmmoInfo(KindUnderCursor());
        PlaceBulletCursor(bulletFocus_);
    }
    firstFrame_.cursorNode->UpdateTree(false);
}

void GAME_CUIBullet::TryReload()
{
    const GAME_CAmmo* store = Store();
    if (store == nullptr || selectedKind_ == kNoId) return;
    const std::int32_t capacity = std::max(store->GetCapacity(), 0);
    const std::int32_t load = *store->GetAmmoId() == selectedKind_ ? capacity - store->GetCount() : capacity;
    loadAmount_ = static_cast<std::uint32_t>(std::max(load, 0));
    if (loadAmount_ == 0) return;
    PlayUISE(kSeUIDecide);
    tabs_.Go(Tab::kAskReload);
}

void GAME_CUIBullet::EnterReloadConfirm()
{
    AskInDialog(kSlotBullet, {.text = UILimitedText(FormatUIMessage("BULLETUI_SELECT_RELOAD_YESNO", {UITagName(selectedKind_)}), kMessageLimit),
                              .centred = true});
}

void GAME_CUIBullet::StartReload()
{
    const std::int32_t roomIndex = RoomIndex();
    if (GAME_CAmmo* store = Store()) store->SetAmmoId(&selectedKind_);
    GAME_CGameWorld& world = Context().world;
    if (!world.tasks) return;
    world.tasks->FinishReloadTasksOfRoom(roomIndex);
    world.tasks->PurgeFinishedTasks();
    // A request the list refuses is dropped: the message has been shown already.
    GAME_CTaskBase::CreateFromRequest(MakeReloadRequest(roomIndex, selectedKind_));
}

void GAME_CUIBullet::EnterCancelConfirm()
{
    const GAME_CGameWorld& world = Context().world;
    if (world.tasks) world.tasks->GetReloadTasksOfRoom(RoomIndex(), reloads_);
    if (!world.tasks || reloads_.empty()) {
        // The reload ended meanwhile: nothing is left to cancel.
        tabs_.Go(Tab::kList);
        return;
    }
    selectedKind_ = reloads_.front()->GetReservedItemId();
    reloads_.clear();
    AskInDialog(kSlotBullet, {.text = UILimitedText(FormatUIMessage("BULLETUI_RELOAD_CANCEL_YESNO", {UITagName(selectedKind_)}), kMessageLimit),
                              .centred = true});
}

void GAME_CUIBullet::FinishReloadCancel()
{
    const std::u16string message = UILimitedText(FormatUIMessage("BULLETUI_RELOAD_CANCEL_FINISHED", {UITagName(selectedKind_)}), kMessageLimit);
    const std::uint32_t none = kNoId;
    if (GAME_CAmmo* store = Store()) store->SetAmmoId(&none);
    if (GAME_CGameWorld& world = Context().world; world.tasks) {
        world.tasks->FinishReloadTasksOfRoom(RoomIndex());
        world.tasks->PurgeFinishedTasks();
    }
    NoticeInDialog(kSlotBullet, {.text = message, .centred = true});
}

void GAME_CUIBullet::UpdateCancelFinished()
{
    if (IsDialogShown()) return;
    tabs_.Go(Tab::kList);
    list_.cursor = 0;
    list_.top = 0;
    ShowAmmoInfo(Kinds().empty() ? kNoId : Kinds().front());
}

void GAME_CUIBullet::OnAmmoTabButton()
{
    tabs_.Go(Tab::kList);
    if (target != nullptr) target->rememberedTab = 0;
}

void GAME_CUIBullet::OnTaskTabButton()
{
    tabs_.Go(Tab::kTasks);
    if (target != nullptr) target->rememberedTab = kTaskPageState;
}
