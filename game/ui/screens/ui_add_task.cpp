// The add-task screen (slot 22): the tasks a room can run, the needs of the one under the cursor, and the normal and repeating orders.
#include "game/ui/screens/ui_add_task.h"

#include <algorithm>

#include "game/model/stores/food_storage.h"
#include "game/services/player/player_data.h"
#include "game/services/data/room_records.h"
#include "game/services/data/static_lookups.h"
#include "game/services/data/tag.h"
#include "game/services/input/input_actions.h"
#include "game/services/save/working_slot.h"
#include "game/services/text/message_text.h"
#include "game/model/world/game_world.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/task_manager.h"
#include "game/ui/room_window.h"
#include "game/ui/screen_callbacks.h"
#include "game/ui/screen_context.h"
#include "game/ui/text_lines.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_room_access.h"
#include "game/ui/ui_text.h"
#include "game/ui/widgets/ui_category_change_object.h"

using vesk::math::Vec2;

namespace {

constexpr float kInfoX = 36.0f;
constexpr float kRowX = 317.0f;
constexpr float kLineTop = 157.0f;
constexpr float kIconTextX = 26.0f;
// The first row's pointer rectangle on the canvas.
constexpr Vec2 kRowHitTopLeft{378.0f, 106.0f};
constexpr std::uint32_t kOrderOnlyOne = 0x80000003u;
constexpr std::uint32_t kOrderFatal = 0x80000000u;

bool IsUpgradeInstalled(const GAME_CRoomBase& room, std::uint32_t bit) { return bit < 32 && (room.installedUpgrades & (1u << bit)) != 0; }

// Whether the room may run the record: its kind, the event flags it waits for, the upgrade it would
// install and the upgrades it needs.
bool RoomOffers(const GAME_CRoomBase& room, const RoomData& data, const TaskData& record)
{
    if (!GAME_CUIAddTask::ListsTaskKind(record.kind)) return false;
    for (const std::uint32_t flag : record.ids) {
        if (!working_slot::EventFlag(flag)) return false;
    }
    if (record.kind == kTaskRoomUpgrade) {
        const bool listed = std::any_of(data.upgrades.begin(), data.upgrades.end(), [&](const RoomUpgradeEntry& entry) {
            return entry.type != -1 && static_cast<std::uint32_t>(entry.type) == record.productItem;
        });
        if (listed && IsUpgradeInstalled(room, record.productItem)) return false;
    }
    return HasRequiredUpgrades(record, &room);
}

bool IsResultPresent(const TaskEffect& effect) { return effect.id != kNoId && effect.value >= 1 && effect.count >= 1; }


const char* OrderErrorKey(std::uint32_t code)
{
    switch (code) {
    case kTaskRequestTooMany: return "ADDTASK_TEXT_ERROR_TASK_NUM";
    case kTaskRequestAlready: return "ADDTASK_TEXT_ERROR_ALREADY";
    case kTaskRequestOnlyOne: return "ADDTASK_TEXT_ERROR_ONLYONE";
    case kTaskRequestNeedsUpgrade: return "ADDTASK_TEXT_ERROR_NEED_UPGRADE";
    default: return "ADDTASK_TEXT_ERROR_FATALERROR";
    }
}

}  // namespace

bool GAME_CUIAddTask::ListsTaskKind(std::int32_t kind)
{
    switch (kind) {
    case kTaskRoomBuild:
    case kTaskItemCraft:
    case kTaskRoomUpgrade:
    case kTaskAttackToEnemy:
    case kTaskPatient:
    case kTaskRouteScan:
    case kTaskEngineMaintenance:
    case kTaskRefuel: return true;
    default: return false;
    }
}

// The window stands still; a refused order's dialog stays up until the screen has closed.
GAME_CUIAddTask::GAME_CUIAddTask(const UIScreenContext& context)
    : GAME_CUIScreen({.input = UIInputRule::kNeverPasses, .mover = {.kind = UIMover::Kind::kImmediate}}, &context)
{
    Build();
}

void GAME_CUIAddTask::Build()
{
    actorIcon_ = FindUISprite("ui_icon_actor");
    timerIcon_ = FindUISprite("ui_icon_timer");

    window_ = MakeUIPicture("ui_windowbase", kUIRoomWindowAt.x, kUIRoomWindowAt.y);
    AddMovedRoot(window_);
    BeginUIRoomWindow(widgets_, window_, window_,
                      {.closeSprite = "ui_backbutton", .closePressedSprite = "ui_backbutton_touch", .skipLeftRelease = CloseAndSkipToPrevRoom(this, Context().ui),
                       .skipRightRelease = CloseAndSkipToNextRoom(this, Context().ui), .owner = this});

    UIButtonSpec order{.sprite = "ui_enterbutton", .pressedSprite = "ui_enterbutton_touch", .x = 382.0f, .y = 270.0f,
                       .sound = kSeUIDecide, .action = kActionDecide, .release = [this](GAME_CUIIconObject*) { IssueTaskRequest(EntryUnderCursor(), false); }};
    normal_ = MakeUIButton(window_, order);
    widgets_.push_back(normal_);
    order.y = 296.0f;
    order.action = kActionMenuFunctionA;
    order.release = [this](GAME_CUIIconObject*) { IssueTaskRequest(EntryUnderCursor(), true); };
    repeat_ = MakeUIButton(window_, order);
    widgets_.push_back(repeat_);

    headers_.Add(widgets_, window_, "ui_text_information", {36.0f, 138.0f});
    headers_.Add(widgets_, window_, "ui_text_execute_enable", {310.0f, 138.0f});

    info_.BuildSprites(widgets_, window_, {.origin = {kInfoX, kLineTop}, .lines = kInfoLines, .iconTextX = kIconTextX});
    for (int row = 0; row < kVisibleRows; ++row) {
        rows_[static_cast<std::size_t>(row)] = MakeUILabel(window_, "", kRowX, kLineTop + kUILineStep * static_cast<float>(row));
        if (row > 0) {
            rowSeparators_[static_cast<std::size_t>(row)] = MakeUIPictureUnder(rows_[static_cast<std::size_t>(row)], "ui_separator_right", -21.0f, -3.0f);
            widgets_.push_back(rowSeparators_[static_cast<std::size_t>(row)]);
        }
    }
    cursor_.Build(widgets_, rows_[0], {.highlightSprite = "ui_select_highlight", .highlightAt = {-4.0f, -2.0f}, .arrowAt = {-20.0f, 0.0f}});

    listScroll_ = MakeUIScrollBar(window_, 474.0f, 156.0f, 8.0f, 100.0f);
    widgets_.push_back(listScroll_);
    // The bar stops at the window face's bottom edge.
    infoScroll_ = MakeUIScrollBar(window_, 285.0f, 156.0f, 6.0f, 180.0f, true);
    widgets_.push_back(infoScroll_);

    // Texts after the sprites.
    widgets_.push_back(MakeUICategorySwitch(0));
    title_ = MakeUIRoomWindowTitle(window_, "BUILD_TEXT_UI_TITLE");
    widgets_.push_back(title_);
    widgets_.push_back(MakeUILabel(normal_, "ADDTASK_TEXT_BUTTON_NORMAL", 0.0f, 0.0f, 0.5f, 0.5f));
    widgets_.push_back(MakeUILabel(repeat_, "ADDTASK_TEXT_BUTTON_REPEAT", 0.0f, 0.0f, 0.5f, 0.5f));
    info_.BuildTexts(widgets_);
    for (GAME_CUILabelObject* row : rows_) widgets_.push_back(row);
    emptyLabel_ = MakeUILabel(window_, "ADDTASK_TEXT_NOENABLETASK", kCanvasWidth * 0.5f - kUIRoomWindowAt.x, 208.0f, 0.5f);
    widgets_.push_back(emptyLabel_);
    EndUIRoomWindow(widgets_, window_);
}

std::int32_t GAME_CUIAddTask::RoomIndex() const { return GetUIRoomIndex(Context().world, target); }

const TaskData* GAME_CUIAddTask::EntryUnderCursor() const
{
    const std::size_t index = static_cast<std::size_t>(std::max(0, list_.Index()));
    return index < entries_.size() ? entries_[index] : nullptr;
}

void GAME_CUIAddTask::RebuildTaskList()
{
    headers_.Apply();
    if (target != nullptr) {
        title_->SetTextW(UITagName(target->GetRoomId()).c_str());
    }
    pages_.Reset(kList);
    list_.top = 0;
    list_.cursor = 0;
    list_.ForgetClick();
    ShowAllWidgets();

    entries_.clear();
    if (preset != nullptr) entries_.push_back(preset);
    const RoomData* data = target != nullptr ? FindRoomData(target->GetRoomId()) : nullptr;
    if (data != nullptr) {
        for (const TaskData* record : data->offeredTasks) {
            if (record != nullptr && RoomOffers(*target, *data, *record)) entries_.push_back(record);
        }
    }
    if (target != nullptr) {
        list_.cursor = target->addTaskCursorRow;
        list_.top = target->addTaskFirstRow;
    }
    list_.count = static_cast<std::int32_t>(entries_.size());
    if (list_.top < 0 || list_.cursor < 0 || list_.cursor >= kVisibleRows || list_.count < list_.Index() + 1) {
        list_.cursor = 0;
        list_.top = 0;
    }
    list_.Show(*listScroll_);
    infoScroll_->SetMaximum(0);
    infoScroll_->SetValue(0);
    RefreshInfoPanel(EntryUnderCursor());

    const bool empty = entries_.empty();
    emptyLabel_->SetVisible(empty);
    cursor_.arrow->SetColor(empty ? kUIHidden : kUIWhite);
    cursor_.highlight->SetColor(empty ? kUIHidden : kUIWhite);
    infoScroll_->SetDrawWhenEmpty(!empty);
}

void GAME_CUIAddTask::OnEnterState(UIScreenState state)
{
    switch (state) {
    case kClosed:
        CloseDialog();
        preset = nullptr;
        break;
    case kOpening: RebuildTaskList(); break;
    case kClosing:
        if (target != nullptr) {
            target->addTaskCursorRow = static_cast<std::int16_t>(list_.cursor);
            target->addTaskFirstRow = static_cast<std::int16_t>(list_.top);
        }
        break;
    default: break;
    }
}

void GAME_CUIAddTask::EveryFrame()
{
    cursor_.StepArrow();
}

void GAME_CUIAddTask::UpdateMain(bool input)
{
    pages_.Advance([this](Page page) { page == kList ? ResetInfoPanel() : ShowOrderError(); });
    // The frame goes on in the page it began in: a refusal made by this frame's input shows its
    // message in the next.
    const bool onList = pages_.Is(kList);
    listScroll_->SetValue(list_.top);
    // A top kept from a longer list may lie past the bar's end: only a bar moved by this frame's
    // input moves the rows.
    const std::int32_t listValue = listScroll_->Value();
    const std::int32_t infoValue = infoScroll_->Value();
    const bool free = window_->UpdateTree(onList && input);
    if (listScroll_->Value() != listValue && list_.Follow(*listScroll_)) {
        PlayUISE(kSeUICursor);
        infoScroll_->SetMaximum(0);
        infoScroll_->SetValue(0);
        RefreshInfoPanel(EntryUnderCursor());
    } else if (infoScroll_->Value() != infoValue) {
        PlayUISE(kSeUICursor);
        RefreshInfoPanel(EntryUnderCursor());
    }
    if (!onList) {
        if (!IsDialogShown()) pages_.Go(kList);
        return;
    }
    if (pages_.Asked() == kList) UpdateListInput(free);
}

void GAME_CUIAddTask::UpdateListInput(bool input)
{
    list_.Tick();
    if (!input) return;
    const std::int32_t row = ClickedUIListRow(kRowHitTopLeft, list_.ShownRows());
    if (row >= 0) {
        if (list_.Click(row, true) == UIListClick::kDecided) IssueTaskRequest(EntryUnderCursor(), false);
        ResetInfoPanel();
        return;
    }
    if (list_.count == 0 || IsUIActionTriggered(kActionDecide)) return;
    if (list_.StepByKeys() != 0) ResetInfoPanel();
}

void GAME_CUIAddTask::ResetInfoPanel()
{
    infoScroll_->SetValue(0);
    RefreshInfoPanel(EntryUnderCursor());
}

void GAME_CUIAddTask::RefreshInfoPanel(const TaskData* entry)
{
    for (GAME_CUILabelObject* row : rows_) row->SetTextA("");
    for (GAME_CUINullObject* separator : rowSeparators_) {
        if (separator != nullptr) separator->SetColor(kUIHidden);
    }
    info_.Clear();
    if (entry == nullptr) {
        for (GAME_CUIIconObject* button : {normal_, repeat_}) {
            button->SetColor(kUIGrey);
            button->SetDisabled(true);
        }
        cursor_.holder->SetParent(rows_[0]);
        return;
    }
    normal_->SetColor(kUIWhite);
    normal_->SetDisabled(false);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const std::int64_t row = static_cast<std::int64_t>(i) - list_.top;
        if (row < 0 || row >= kVisibleRows) continue;
        rows_[static_cast<std::size_t>(row)]->SetTextA(TagText(entries_[i]->id).c_str());
        if (row != 0) rowSeparators_[static_cast<std::size_t>(row)]->SetColor(kUIWhite);
    }
    cursor_.holder->SetParent(rows_[static_cast<std::size_t>(std::clamp<int>(list_.cursor, 0, kVisibleRows - 1))]);
    const bool upgrade = entry->kind == kTaskRoomUpgrade;
    repeat_->SetColor(upgrade ? kUIGrey : kUIWhite);
    repeat_->SetDisabled(upgrade);

    // The description: a message text used as a format with the arguments of its kind.
    const std::string descriptionKey = TagText(entry->id) + "_DISCRIPT";
    std::u16string description;
    if (entry->productCount == 0 && entry->kind == kTaskCooking) {
        const GAME_CFoodStorage* store = FindFoodStorage(RoomIndex());
        description = FormatUIMessage(descriptionKey, {UITagName(store != nullptr ? *store->GetFoodId() : kNoId)});
    } else if (entry->productCount == 0) {
        description = FormatUIMessage(descriptionKey);
    } else {
        description = FormatUIMessage(descriptionKey, {UIFullWidthNumber(entry->productCount),
                                                       UIFullWidthNumber(UIAvailableItemCount(entry->productItem, true))});
    }
    if (description.size() > 255) description.resize(255);

    info_.Begin(infoScroll_->Value());
    for (const std::u16string& line : SplitTextLines(description, {.ends = TextLineEnds::kBreaksEndLines})) info_.Put(line, false, kNoSprite);
    info_.Put(FormatUIMessage("BUILD_TEXT_NEED_ACTOR_NUM", {UIFullWidthNumber(entry->crewLimit)}), true, actorIcon_);
    info_.Put(FormatUIMessage("BUILD_TEXT_NEED_ACTOR_STAMINA", {UIFullWidthNumber(entry->staminaChange / 1000, u"%02d")}),
                true, actorIcon_);
    const char* timeKey = IsResultPresent(entry->effectA) || IsResultPresent(entry->effectB) ? "ADDTASK_TEXT_TASK_FINISHTIME"
                          : entry->kind == kTaskEngineMaintenance                             ? "ADDTASK_TEXT_TASK_CONTINUE_TIME"
                                                                                              : "ADDTASK_TEXT_TASK_NEEDTIME";
    info_.Put(FormatUIMessage(timeKey, {UIFullWidthNumber(entry->durationSeconds), GetMessageTextExpanded("TIME_UNIT_TEXT")}),
                true, timerIcon_);
    for (const ItemCount& material : entry->materials) {
        if (IsUnusedItemCount(material)) break;
        const ItemData* item = FindItemData(material.itemId);
        info_.Put(vesk::text::FormatText(u"%ls：%ls（%ls）", {UITagName(material.itemId), UIFullWidthNumber(material.count),
                                                            UIFullWidthNumber(UIAvailableItemCount(material.itemId, true))}),
                  true, item != nullptr ? item->iconSprite : kNoSprite);
    }
    info_.End(*infoScroll_);
}

void GAME_CUIAddTask::IssueTaskRequest(const TaskData* record, bool repeat)
{
    if (record == nullptr) return;
    if (record->kind == kTaskRoomUpgrade) repeat = false;
    std::uint32_t code = 0;
    if (!CheckTaskRequest(*record, target, &code)) {
        PlayUISE(kSeUIError);
        pages_.Go(kOrderError);
        resultCode_ = code;
        return;
    }
    const std::int32_t roomIndex = RoomIndex();
    GAME_CTaskRequest request;
    switch (record->kind) {
    case kTaskRoomUpgrade: request = MakeRoomUpgradeRequest(*record, roomIndex); break;
    case kTaskCooking: request = MakeCookingRequest(roomIndex, 0); break;
    case kTaskPatient:
        request = MakePatientRequest(roomIndex, 0, record->treatedDebuff == kNoId ? 0 : record->treatedDebuff, 0);
        break;
    case kTaskRouteScan: request = MakeRouteScanRequest(roomIndex, 0); break;
    case kTaskEngineMaintenance: request = MakeEngineMaintenanceRequest(roomIndex, 0); break;
    case kTaskRefuel: request = MakeRefuelRequest(record->id, roomIndex, 0); break;
    default: request = MakeItemCraftRequest(*record, roomIndex, 0); break;
    }
    GAME_CTaskBase* task = GAME_CTaskBase::CreateFromRequest(request);
    if (task == nullptr) {
        resultCode_ = record->kind == kTaskEngineMaintenance ? kOrderOnlyOne : kOrderFatal;
        pages_.Go(kOrderError);
        PlayUISE(kSeUIError);
        return;
    }
    task->repeat = repeat ? 1 : 0;
    SetOpen(false);
    resultCode_ = code;
}

void GAME_CUIAddTask::ShowOrderError()
{
    NoticeInDialog(kSlotAddTask, {.text = GetMessageTextExpanded(OrderErrorKey(resultCode_))}, true);
}

void GAME_CUIAddTask::Draw()
{
    if (State() == kClosed || target == nullptr) return;
    DrawWidgets(widgets_);
}
