// The task tab of a room screen: the room's tasks, one row each, and the add-task button.
#include "game/ui/list_controller.h"

#include <algorithm>

#include "game/services/player/player_data.h"
#include "game/services/input/input_actions.h"
#include "game/services/input/input_map.h"
#include "game/services/text/message_text.h"
#include "game/ui/screen_context.h"
#include "game/ui/actor_list_panel.h"
#include "game/ui/screens/ui_add_task.h"
#include "game/ui/screens/ui_task_cancel.h"
#include "game/ui/ui_draw.h"
#include "game/ui/widget_builders.h"
#include "game/ui/ui_manager.h"
#include "game/ui/widgets/ui_callback.h"

using vesk::math::Vec2;

namespace {

constexpr float kGaugeWidth = 150.0f;
constexpr float kGaugeHeight = 14.0f;
constexpr std::uint32_t kGaugeFull = 0xDDFF33FFu;
constexpr std::uint32_t kGaugeCarried = 0xDDFFDD33u;
constexpr std::uint32_t kGaugeProgress = 0xDD33DDFFu;
constexpr std::int32_t kBuildKind = 0;

// The 4-character tag as the message key it doubles as.
void TagKey(std::uint32_t tag, char (&key)[5])
{
    for (int i = 0; i < 4; ++i) key[i] = static_cast<char>((tag >> (8 * i)) & 0xFFu);
    key[4] = 0;
}

}  // namespace

template <typename Visit>
void GAME_CUIListController::ForEachListedTask(Visit visit) const
{
    for (std::uint32_t r = 0; r < taskCount_; ++r) visit(r, GetUITaskView(tasks_[r]));
}

GAME_CUIListController::GAME_CUIListController(const UIScreenContext& context) : context_(context)
{
    cursorSprite_ = FindUISprite("ui_cursor_common_r90");
    rowSprite_ = FindUISprite("ui_cursor_baselabel");
    buttonSprite_ = FindUISprite("ui_enterbutton");
    buttonTouchSprite_ = FindUISprite("ui_enterbutton_touch");
    root_ = MakeUIGroupNode(0.0f, 0.0f);

    button_ = MakeUIButton(root_, {.sprite = "ui_enterbutton", .pressedSprite = "ui_enterbutton_touch", .sound = kSeUIDecide,
                                   .pressedFrames = 10, .pressedScale = 0.95f, .release = UIBind(this, &GAME_CUIListController::OnAddTask)});
    button_->SetVisible(true);

    label_ = MakeUILabel(button_, "ADDTASK_TEXT_ADDNEWTASK", 0.0f, 0.0f, 0.5f, 0.5f);
    PlaceButton();
}

GAME_CUIListController::~GAME_CUIListController()
{
    tasks_.fill(nullptr);
    if (panelOwned_) delete panel_;
    delete root_;
    delete button_;
    delete label_;
}

void GAME_CUIListController::SetActorPanel(GAME_CUIActorListPanel* panel)
{
    if (panelOwned_ && panel_ != panel) delete panel_;
    panel_ = panel;
    panelOwned_ = panel != nullptr;
    if (panel != nullptr) panel->SetController(this);
}

bool GAME_CUIListController::IsListedKind(std::int32_t kind)
{
    switch (kind) {
    case 0:
    case 2:
    case 3:
    case 7:
    case 9:
    case 12:
    case 13:
    case 14:
    case 17:
    case 18: return true;
    default: return false;
    }
}

void GAME_CUIListController::PlaceButton()
{
    if (button_ == nullptr) return;
    const Vec2 size = UISpriteSize(FindUISprite("ui_enterbutton"));
    const Vec2 first = RowAt(0);
    const float x = first.x - 22.0f + size.x * 0.5f;
    const float y = first.y + 121.0f + size.y * 0.5f;
    button_->SetShownPosition(x, y);
    button_->SetHiddenPosition(x, y);
}

void GAME_CUIListController::OpenTaskCancel(GAME_CTaskBase* task)
{
    auto* screen = context_.ui.Get<GAME_CUITaskCancel>();
    if (screen == nullptr) return;
    PlayUISE(kSeUIDecide);
    screen->task = task;
    screen->OpenForRoom(room_);
}

bool GAME_CUIListController::Update(bool input)
{
    if (room_ == nullptr) return panel_ != nullptr ? panel_->Update(nullptr, input) : input;
    if (root_ != nullptr && root_->IsAnyDecided()) input = false;
    blink_.Tick();
    RefreshTasks();
    rows_ = std::min(taskCount_ + 1, kMaxRows);
    cursor_ = std::min(cursor_, rows_);
    if (button_ != nullptr) {
        // Hidden tasks count against the room's five all the same.
        const bool full = boundCount_ >= kUIRoomTaskSlots;
        button_->SetDisabled(full);
        button_->SetColor(full ? kUIGrey : kUIWhite);
    }
    if (cursor_ >= taskCount_) cursor_ = taskCount_;
    // The button under the focused tab's cursor shows its touched face.
    if (button_ != nullptr) {
        const bool highlighted = focused && cursor_ == taskCount_;
        button_->SetSprites(highlighted ? buttonTouchSprite_ : buttonSprite_, buttonTouchSprite_);
    }

    if (root_ != nullptr) {
        const bool free = root_->UpdateTree(input);
        if (input && !free) return panel_ != nullptr ? panel_->Update(room_, false) : false;
    }

    // A row takes the click where its text was last drawn.
    const std::int32_t clicked = input ? ClickedUIListRow(RowAt(0), static_cast<std::int32_t>(taskCount_)) : -1;
    if (clicked >= 0) {
        const auto i = static_cast<std::uint32_t>(clicked);
        input = false;
        if (focused && i == cursor_) {
            OpenTaskCancel(tasks_[i]);
        } else {
            if (!focused) {
                focused = true;
                if (panel_ != nullptr) panel_->focused = false;
            }
            cursor_ = i;
            PlayUISE(kSeUICursor);
        }
    }
    if (input && focused) {
        if (IsUIActionTriggered(kActionDecide)) {
            // On the add-task button decide presses it, as a click does (a disabled one ignores it).
            if (cursor_ < taskCount_) {
                OpenTaskCancel(tasks_[cursor_]);
            } else if (button_ != nullptr) {
                button_->Press();
            }
            input = false;
        } else if (IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuUp)) {
            const std::uint32_t before = cursor_;
            cursor_ = (cursor_ + rows_ - 1) % rows_;
            if (cursor_ != before) PlayUISE(kSeUICursor);
            input = false;
        } else if (IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuDown)) {
            const std::uint32_t before = cursor_;
            cursor_ = (cursor_ + 1) % rows_;
            if (cursor_ != before) PlayUISE(kSeUICursor);
            input = false;
        }
    }
    return panel_ != nullptr ? panel_->Update(room_, input) : input;
}

void GAME_CUIListController::RefreshTasks()
{
    UIRoomTasks bound;
    boundCount_ = static_cast<std::uint32_t>(GetUIRoomTasks(room_, bound));
    // Only the tasks the list shows take rows, one after another: a hidden task, or one of a kind
    // the list leaves out, leaves no empty row to be chosen for a task the player cannot see.
    tasks_.fill(nullptr);
    taskCount_ = 0;
    for (std::uint32_t i = 0; i < boundCount_; ++i) {
        const UITaskView task = GetUITaskView(bound[i]);
        if (IsListedKind(task.kind) && !task.hidden) tasks_[taskCount_++] = bound[i];
    }
}

void GAME_CUIListController::OnAddTask(GAME_CUIIconObject* button)
{
    if (room_ == nullptr || button->IsDisabled()) return;
    auto* screen = context_.ui.Get<GAME_CUIAddTask>();
    if (screen == nullptr) return;
    screen->target = room_;
    if (preset != nullptr) screen->preset = preset;
    screen->SetOpen(true);
}

Vec2 GAME_CUIListController::RowAt(std::uint32_t row) const
{
    return {origin_.x + drawnOffset_.x, origin_.y + drawnOffset_.y + kUILineStep * static_cast<float>(row)};
}

void GAME_CUIListController::DrawTexts(Vec2 offset)
{
    drawnOffset_ = offset;
    if (panel_ != nullptr) panel_->DrawTexts(offset);
    // A screen keeps drawing its tab while it slides away without updating it; a task finished
    // meanwhile is gone, so the rows are read again from the room.
    RefreshTasks();
    if (room_ != nullptr) {
        const std::uint32_t color = GetUIColor(kUIColorText);
        if (taskCount_ == 0) {
            DrawUIText(RowAt(0), GetMessageTextExpanded("ADDTASK_TEXT_NOTASK_RESERVED"), color);
        } else {
            ForEachListedTask([&](std::uint32_t r, const UITaskView& task) {
                char key[5];
                TagKey(task.kind == kBuildKind ? 0x44425254u /* "TRBD" */ : task.tag, key);
                DrawUIText(RowAt(r), GetMessageTextExpanded(key), color);
            });
        }
    }
    if (label_ != nullptr && button_ != nullptr && button_->IsVisible()) label_->Draw();
}

void GAME_CUIListController::DrawSprites(Vec2 offset)
{
    drawnOffset_ = offset;
    if (panel_ != nullptr) panel_->DrawSprites(offset);
    PlaceButton();
    RefreshTasks();
    if (room_ != nullptr) ForEachListedTask([&](std::uint32_t r, const UITaskView& task) {
        const Vec2 row = RowAt(r);
        DrawUISprite({row.x - 21.0f, row.y + 15.0f}, rowSprite_);
        const Vec2 gauge{row.x - 3.0f, row.y + 1.0f};
        if (task.materialTotal > 0) {
            DrawUIRect(gauge, {kGaugeWidth, kGaugeHeight}, kGaugeFull);
            DrawUIRect(gauge, {kGaugeWidth * std::clamp(task.carried, 0.0f, 1.0f), kGaugeHeight}, kGaugeCarried);
        } else {
            DrawUIRect(gauge, {kGaugeWidth, kGaugeHeight}, kGaugeCarried);
        }
        DrawUIRect(gauge, {kGaugeWidth * std::clamp(task.progress, 0.0f, 1.0f), kGaugeHeight}, kGaugeProgress);
    });
    if (focused && room_ != nullptr) {
        const Vec2 row = RowAt(cursor_);
        Vec2 at = cursor_ < taskCount_ ? Vec2{row.x - 4.0f, row.y - 1.0f}
                                       : Vec2{button_->GetPosition()->x - UISpriteSize(FindUISprite("ui_enterbutton")).x * 0.5f,
                                              button_->GetPosition()->y - 5.0f};
        at.x -= 17.0f + blink_.Bob();
        DrawUISprite(at, cursorSprite_);
    }
    if (button_ != nullptr && button_->IsVisible()) button_->Draw();
}

void GAME_CUIListControllerPtr::Reset(GAME_CUIListController* controller)
{
    if (controller_ == controller) return;
    delete controller_;
    controller_ = controller;
}
