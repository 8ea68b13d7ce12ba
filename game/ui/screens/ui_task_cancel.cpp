// The task cancel window (slot 23): one running task of a room, its needs and crew, and the questions that cancel it or switch its repeat.
#include "game/ui/screens/ui_task_cancel.h"

#include <algorithm>

#include "game/model/object/object_actor.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/task_base.h"
#include "game/model/ship/task_manager.h"
#include "game/model/stores/food_storage.h"
#include "game/model/stores/stored_items.h"
#include "game/model/world/game_world.h"
#include "game/services/data/item_records.h"
#include "game/services/data/static_lookups.h"
#include "game/services/input/input_actions.h"
#include "game/services/input/input_map.h"
#include "game/services/player/player_data.h"
#include "game/services/text/message_text.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/room_window.h"
#include "game/ui/screen_context.h"
#include "game/ui/task_progress.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_manager.h"
#include "game/ui/ui_room_access.h"
#include "game/ui/ui_text.h"
#include "game/ui/widgets/ui_category_change_object.h"

using vesk::math::Vec2;

namespace {

constexpr Vec2 kCursorRest{349.0f, 230.0f};
constexpr float kButtonStep = 30.0f;
// A material not yet all delivered (or delivered beyond its need): magenta.
constexpr std::uint32_t kShortColor = 0xFFFF21FFu;
constexpr std::int32_t kThreeDigits = 999;
constexpr std::size_t kTitleLimit = 127;
constexpr std::size_t kSuffixLimit = 15;
constexpr std::size_t kQuestionLimit = 254;
constexpr std::size_t kNoticeLimit = 127;

bool IsFilled(std::uint32_t id, std::int32_t count) { return id != kNoId && count != 0; }

std::int64_t HeldOnBoard(std::uint32_t itemId) { return CountStoredItem(itemId) + CountFieldItem(itemId) + CountCarriedItem(itemId); }

}  // namespace

// It stands in place, takes all input while open and holds the game behind it.
GAME_CUITaskCancel::GAME_CUITaskCancel(const UIScreenContext& context)
    : GAME_CUIScreen({.input = UIInputRule::kBlocksWhileOpen, .mover = {.kind = UIMover::Kind::kImmediate}, .holdsGame = true,
                      .dialog = UIDialogOnClose::kClose},
                     &context)
{
    Build();
}

bool GAME_CUITaskCancel::KeepsHoldOnClose() const { return Context().ui.IsRoomScreenOpen(); }

void GAME_CUITaskCancel::Build()
{
    window_ = MakeUIRoomWindowUnder(Root());
    BeginUIRoomWindow(widgets_, window_, window_,
                      {.closeSprite = "ui_backbutton", .closePressedSprite = "ui_backbutton_touch", .owner = this});

    UIButtonSpec button{.sprite = "ui_enterbutton", .pressedSprite = "ui_enterbutton_touch", .sound = kSeUIDecide,
                        .action = kActionMenuFunctionA, .release = [this](GAME_CUIIconObject*) { OnRepeatButton(); }};
    PlaceUIButtonTopLeft(button, 367.0f, 224.0f);
    repeat_ = MakeUIButton(Root(), button);
    widgets_.push_back(repeat_);
    button.action = kActionMenuFunctionB;
    button.release = [this](GAME_CUIIconObject*) { OnCancelButton(); };
    PlaceUIButtonTopLeft(button, 367.0f, 254.0f);
    cancel_ = MakeUIButton(Root(), button);
    widgets_.push_back(cancel_);
    cursorArrow_.arrow = MakeUIPictureUnder(Root(), "ui_cursor_common_r90", kCursorRest.x, kCursorRest.y);
    widgets_.push_back(cursorArrow_.arrow);

    details_.BuildPictures(widgets_, Root(), kUIRoomWindowAt, crew_);

    widgets_.push_back(MakeUICategorySwitch(0));
    details_.BuildHeading(widgets_);
    repeatLabel_ = MakeUILabel(repeat_, "TASKCANCEL_BUTTON_REPEAT_ON", 0.0f, 0.0f, 0.5f, 0.5f);
    widgets_.push_back(repeatLabel_);
    widgets_.push_back(MakeUILabel(cancel_, "TASKCANCEL_CANCEL_BUTTON", 0.0f, 0.0f, 0.5f, 0.5f));
    details_.BuildTexts(widgets_, crew_);
    EndUIRoomWindow(widgets_, window_);
}

GAME_CTaskBase* GAME_CUITaskCancel::LiveTask() const
{
    const GAME_CGameWorld& world = Context().world;
    if (task == nullptr || !world.tasks) return nullptr;
    const auto& listed = world.tasks->tasks;
    if (std::find(listed.begin(), listed.end(), task) == listed.end()) return nullptr;
    return task->IsFinished() ? nullptr : task;
}

bool GAME_CUITaskCancel::IsRoomOnShip() const { return GetUIRoomIndex(Context().world, target) >= 0; }

void GAME_CUITaskCancel::OnEnterState(UIScreenState state)
{
    switch (state) {
    case kOpening:
        ShowAllWidgets();
        pages_.Reset(kMain);
        askedTaskId_ = kNoId;
        RefreshTaskView();
        RefreshTaskDetails();
        break;
    case kClosed:
        // The cancelled task leaves the list only now, so the room's list showed it to the end.
        if (Context().world.tasks) Context().world.tasks->PurgeFinishedTasks();
        task = nullptr;
        break;
    default: break;
    }
}

void GAME_CUITaskCancel::EveryFrame() { cursorArrow_.Tick(); }

void GAME_CUITaskCancel::RefreshTaskView()
{
    const GAME_CTaskBase* shown = LiveTask();
    if (shown == nullptr) return;
    const bool repeats = shown->repeat != 0;
    repeatLabel_->SetTextA(repeats ? "TASKCANCEL_BUTTON_REPEAT_OFF" : "TASKCANCEL_BUTTON_REPEAT_ON");
    const std::u16string suffix = repeats ? UILimitedText(GetMessageTextExpanded("TASKCANCEL_TASKREPEAT"), kSuffixLimit) : u"";
    details_.title->SetTextW(UILimitedText(UITagName(shown->id) + suffix, kTitleLimit).c_str());
    // An upgrade is made once: it cannot repeat.
    const bool upgrade = shown->GetKind() == kTaskRoomUpgrade;
    repeat_->SetDisabled(upgrade);
    repeat_->SetColor(upgrade ? kUIGrey : kUIWhite);
    repeatLabel_->SetColor(GetUIColor(upgrade ? kUIColorDimText : kUIColorText));
    ShowCrew(false);
}

void GAME_CUITaskCancel::RefreshTaskDetails()
{
    cursorArrow_.Restart();
    cursorArrow_.Place(kCursorRest);
    details_.ApplyLanguage();
    details_.time->SetTextW(u"");
    needs_.fill({kNoId, 0});
    details_.icon->SetColor(kUIHidden);
    details_.item->SetTextW(u"");
    scrollTop_ = 0;
    details_.scroll->SetMaximum(0);
    details_.scroll->SetValue(0);
    const GAME_CTaskBase* shown = LiveTask();
    if (shown != nullptr) {
        CollectMaterials(*shown);
        const std::int32_t total = shown->GetTaskValue();
        details_.time->SetTextW(UITimeLeftText(total, shown->progress).c_str());
        // A meal shows how full its eater is, a break how rested; other tasks their progress.
        const GAME_CObjectActor* first = shown->LeadingCrew();
        const std::int32_t kind = shown->GetKind();
        if (kind == kTaskMeal || kind == kTaskBreak) {
            if (first != nullptr) {
                const GAME_CActorStatus& status = first->status;
                const float value = static_cast<float>(kind == kTaskMeal ? status.GetCalorie() : status.GetStamina());
                const float maximum = static_cast<float>(std::max(kind == kTaskMeal ? status.computed.maxCalorie : status.computed.maxStamina, 1));
                details_.bar.Show(std::clamp(value / maximum, 0.0f, 1.0f));
            }
        } else {
            details_.bar.Show(UITaskShareDone(total, shown->progress));
        }
    }
    const auto filled = std::count_if(needs_.begin(), needs_.end(), [](const Material& need) { return IsFilled(need.id, need.count); });
    details_.scroll->SetMaximum(std::max<std::int32_t>(static_cast<std::int32_t>(filled) - kMaterialRows, 0));
    RefreshMaterialRows();
}

void GAME_CUITaskCancel::CollectMaterials(const GAME_CTaskBase& shown)
{
    if (shown.GetKind() == kTaskCooking) {
        // The dish the kitchen's store cooks; a room without a store or a dish without a recipe needs nothing.
        const GAME_CFoodStorage* store = FindFoodStorage(GetUIRoomIndex(Context().world, target));
        const CookingRecipe* recipe = store != nullptr ? FindCookingRecipe(*store->GetFoodId()) : nullptr;
        if (recipe == nullptr) return;
        for (std::size_t i = 0; i < needs_.size() && i < recipe->ingredients.size(); ++i) {
            const ItemCount& pair = recipe->ingredients[i];
            if (IsFilled(pair.itemId, pair.count)) needs_[i] = {pair.itemId, pair.count};
        }
        return;
    }
    const TaskData* record = shown.GetTaskData();
    if (record == nullptr) return;
    for (std::size_t i = 0; i < record->materials.size(); ++i) {
        const ItemCount& pair = record->materials[i];
        if (IsFilled(pair.itemId, pair.count)) needs_[i] = {pair.itemId, pair.count};
    }
    if (shown.GetKind() != kTaskPatient) ShowProduct(record->productItem, record->productCount);
}

void GAME_CUITaskCancel::ShowProduct(std::uint32_t itemId, std::int32_t count)
{
    const ItemData* item = FindItemData(itemId);
    if (item == nullptr) return;
    details_.icon->SetSprite(item->iconSprite);
    details_.icon->SetColor(kUIWhite);
    details_.item->SetTextW(vesk::text::FormatText(u"%ls×%ls(%ls)", {UITagName(itemId), UIFullWidthNumber(count), UIFullWidthNumber(HeldOnBoard(itemId))})
                          .c_str());
}

void GAME_CUITaskCancel::RefreshMaterialRows()
{
    const GAME_CTaskBase* shown = LiveTask();
    const std::int32_t top = std::max(scrollTop_, 0);
    for (int i = 0; i < kMaterialRows; ++i) {
        UIMaterialRow& row = details_.rows[static_cast<std::size_t>(i)];
        const std::size_t slot = static_cast<std::size_t>(top + i);
        const bool filled = slot < needs_.size() && IsFilled(needs_[slot].id, needs_[slot].count);
        ShowUIMaterialRow(details_.rows, static_cast<std::size_t>(i), filled);
        if (!filled) continue;
        const Material& need = needs_[slot];
        details_.ShowItem(row, need.id);
        const std::int64_t needed = std::min(need.count, kThreeDigits);
        const std::int64_t held = std::min<std::int64_t>(HeldOnBoard(need.id), kThreeDigits);
        row.count->SetTextW(vesk::text::FormatText(u"×%ls(%ls)", {UIFullWidthNumber(needed), UIFullWidthNumber(held)}).c_str());
        const std::int32_t missing = need.count - (shown != nullptr ? shown->CountMaterial(need.id) : 0);
        const std::uint32_t color = missing == 0 ? GetUIColor(kUIColorText) : kShortColor;
        row.name->SetColor(color);
        row.count->SetColor(color);
    }
}

void GAME_CUITaskCancel::ShowCrew(bool withTurn)
{
    const GAME_CTaskBase* shown = LiveTask();
    for (std::size_t r = 0; r < crew_.size(); ++r) {
        if (withTurn) crew_[r].StepTraitTurn();
        // Over two working crew members: rows for the first two.
        crew_[r].Show(shown != nullptr && r < shown->crew.size() ? shown->crew[r] : nullptr);
    }
}

void GAME_CUITaskCancel::UpdateMain(bool input)
{
    if (LiveTask() == nullptr || !IsRoomOnShip()) {
        // The task ended (cancelled here, finished by the crew) or its room went: nothing is left to show.
        if (pages_.Is(kMain) || !IsDialogShown()) {
            SetOpen(false);
            return;
        }
    }
    pages_.Advance([this](Page page) { EnterPage(page); });
    switch (pages_.Current()) {
    case kMain: UpdateTaskInput(input); break;
    case kAskCancel:
    case kAskRepeatOn:
    case kAskRepeatOff: {
        for (GAME_CUIObjectBase* widget : widgets_) widget->UpdateTree(false);
        const Page done = pages_.Is(kAskCancel) ? kCancelled : pages_.Is(kAskRepeatOn) ? kRepeatOn : kRepeatOff;
        FollowDialogAnswer(pages_, done, kMain);
        break;
    }
    default:
        if (!IsDialogShown()) pages_.Go(kMain);
        break;
    }
}

void GAME_CUITaskCancel::EnterPage(Page page)
{
    switch (page) {
    case kMain: RefreshTaskView(); break;
    case kAskCancel: Ask("TASKCANCEL_CANCEL_YESNO"); break;
    case kAskRepeatOn: Ask("TASKCANCEL_TASKREPEAT_YESNO"); break;
    case kAskRepeatOff: Ask("TASKCANCEL_TASKNOREPEAT_YESNO"); break;
    case kCancelled: ApplyCancel(); break;
    case kRepeatOn: ApplyRepeat(true); break;
    case kRepeatOff: ApplyRepeat(false); break;
    }
}

void GAME_CUITaskCancel::UpdateTaskInput(bool input)
{
    UpdateWidgetsInTurn(input);
    // The keys are the player's only in a frame whose input reached this window.
    if (input) {
        if (IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuUp) || IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuDown)) {
            PlayUISE(kSeUICursor);
            cursor_ = cursor_ == Cursor::kRepeat ? Cursor::kCancel : Cursor::kRepeat;
        }
        if (IsUIActionTriggered(kActionDecide)) {
            if (cursor_ == Cursor::kCancel) {
                OnCancelButton();
            } else if (!repeat_->IsDisabled()) {
                OnRepeatButton();
            }
        }
    }
    cursorArrow_.Place({kCursorRest.x, kCursorRest.y + kButtonStep * static_cast<float>(cursor_)}, -1.0f);
    scrollTop_ = details_.scroll->Value();
    RefreshMaterialRows();
    ShowCrew(true);
}

void GAME_CUITaskCancel::OnRepeatButton()
{
    const GAME_CTaskBase* shown = LiveTask();
    if (shown == nullptr || !pages_.Is(kMain)) return;
    askedTaskId_ = shown->id;
    pages_.Go(shown->repeat != 0 ? kAskRepeatOff : kAskRepeatOn);
}

void GAME_CUITaskCancel::OnCancelButton()
{
    const GAME_CTaskBase* shown = LiveTask();
    if (shown == nullptr || !pages_.Is(kMain)) return;
    askedTaskId_ = shown->id;
    pages_.Go(kAskCancel);
}

void GAME_CUITaskCancel::Ask(const char* key)
{
    const std::u16string question = UILimitedText(FormatUIMessage(key, {UITagName(target != nullptr ? target->GetRoomId() : kNoId), UITagName(askedTaskId_)}),
                                            kQuestionLimit);
    AskInDialog(kSlotTaskCancel, {.text = question, .areYouSure = true});
}

void GAME_CUITaskCancel::ApplyCancel()
{
    // The task leaves its room now and the list when the window has closed.
    if (GAME_CTaskBase* shown = LiveTask()) shown->Finish();
    const std::u16string notice =
        UILimitedText(FormatUIMessage("TASKCANCEL_CANCEL_FINISHED", {UITagName(target != nullptr ? target->GetRoomId() : kNoId), UITagName(askedTaskId_)}),
                kNoticeLimit);
    NoticeInDialog(kSlotTaskCancel, {.text = notice});
}

void GAME_CUITaskCancel::ApplyRepeat(bool on)
{
    GAME_CTaskBase* shown = LiveTask();
    if (shown == nullptr) return;
    shown->repeat = on ? 1 : 0;
    std::u16string notice = on ? GetMessageTextExpanded("TASKCANCEL_TASKREPEAT_FINISHED_0") + u"\n" + GetMessageTextExpanded("TASKCANCEL_TASKREPEAT_FINISHED_1")
                               : GetMessageTextExpanded("TASKCANCEL_TASKNOREPEAT_FINISHED");
    NoticeInDialog(kSlotTaskCancel, {.text = notice});
}

void GAME_CUITaskCancel::Draw()
{
    if (State() == kClosed || task == nullptr || target == nullptr) return;
    DrawWidgets(widgets_);
}
