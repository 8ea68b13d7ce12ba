// The room construction window (slot 12): a room being built, its time left, materials and builder, and the question that gives the building up.
#include "game/ui/screens/ui_room_building.h"

#include <algorithm>

#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/task_base.h"
#include "game/model/ship/task_request.h"
#include "game/model/stores/stored_items.h"
#include "game/model/travel/route_manager.h"
#include "game/model/travel/travel_controller.h"
#include "game/model/world/game_world.h"
#include "game/services/data/item_records.h"
#include "game/services/data/room_records.h"
#include "game/services/input/input_actions.h"
#include "game/services/player/player_data.h"
#include "game/services/sound/sound_player.h"
#include "game/services/text/message_text.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/room_window.h"
#include "game/ui/screen_context.h"
#include "game/ui/task_progress.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_room_access.h"
#include "game/ui/ui_text.h"
#include "game/ui/widgets/ui_category_change_object.h"

using vesk::math::Vec2;

namespace {

// The cancel button while a waiting script needs the room: light grey.
constexpr std::uint32_t kWaitedGrey = 0xFFB4B4B4u;
constexpr std::int32_t kThreeDigits = 999;
constexpr std::size_t kQuestionLimit = 255;
constexpr int kLinesPerPair = 2;

// A count of a material line: one ideographic space for each digit fewer than three, the count
// (at most 999) in full-width digits, between the line's word and its unit.
std::u16string MaterialText(const char* wordKey, std::int64_t count)
{
    const std::int64_t shown = std::clamp<std::int64_t>(count, 0, kThreeDigits);
    const std::size_t digits = shown >= 100 ? 3 : shown >= 10 ? 2 : 1;
    return vesk::text::FormatText(u"%ls%ls%ls%ls", {GetMessageTextExpanded(wordKey), std::u16string(3 - digits, u'\u3000'),
                                                     UIFullWidthNumber(shown), GetMessageTextExpanded("ADD_TEXT_UI_ROOM_BUILD_004")});
}

}  // namespace

// It slides in from above the canvas and lets the world run on behind it.
GAME_CUIRoomBuilding::GAME_CUIRoomBuilding(const UIScreenContext& context)
    : GAME_CUIScreen({.input = UIInputRule::kBlocksWhileOpen,
                      .mover = {.shown = {kUIRoomWindowAt.x, kUIRoomWindowAt.y}, .hidden = {kUIRoomWindowAt.x, -kCanvasHeight}},
                      .dialog = UIDialogOnClose::kClose},
                     &context)
{
    Build();
}

void GAME_CUIRoomBuilding::Build()
{
    window_ = MakeUIPictureUnder(Root(), "ui_windowbase", 0.0f, 0.0f);
    BeginUIRoomWindow(widgets_, window_, window_, {.owner = this});

    UIButtonSpec button{.sprite = "ui_enterbutton", .pressedSprite = "ui_enterbutton_touch", .sound = kSeUIDecide,
                        .action = kActionMenuFunctionB, .release = [this](GAME_CUIIconObject*) { OnCancelButton(); }};
    PlaceUIButtonTopLeft(button, 306.0f, 305.0f);
    cancel_ = MakeUIButton(Root(), button);
    widgets_.push_back(cancel_);
    // The root stands at the window's place.
    details_.BuildPictures(widgets_, Root(), {0.0f, 0.0f}, {&builder_, 1});
    GAME_CUINullObject* cursorHolder = MakeUIGroupUnder(Root(), 288.0f, 311.0f);
    widgets_.push_back(cursorHolder);
    cursor_.arrow = MakeUIPictureUnder(cursorHolder, "ui_cursor_common_r90", 0.0f, 0.0f);
    widgets_.push_back(cursor_.arrow);

    widgets_.push_back(MakeUICategorySwitch(0));
    details_.BuildHeading(widgets_);
    cancelLabel_ = MakeUILabel(cancel_, "ROOM_BUILDING_CANCEL", 0.0f, 0.0f, 0.5f, 0.5f);
    widgets_.push_back(cancelLabel_);
    details_.BuildTexts(widgets_, {&builder_, 1});
    EndUIRoomWindow(widgets_, window_);
}

GAME_CRoomBase* GAME_CUIRoomBuilding::LiveRoom() const
{
    if (target == nullptr || GetUIRoomIndex(Context().world, target) < 0) return nullptr;
    return IsUIRoomUnderConstruction(target) ? target : nullptr;
}

GAME_CTaskBase* GAME_CUIRoomBuilding::FindBuildTask(GAME_CRoomBase& room, bool& posted) const
{
    UIRoomTasks tasks;
    const std::size_t count = GetUIRoomTasks(&room, tasks);
    posted = false;
    if (count == 0) {
        // A room placed without its task (or whose task went) gets one; its builders and carriers come by themselves.
        posted = GAME_CTaskBase::CreateFromRequest(MakeRoomBuildRequest(GetUIRoomIndex(Context().world, &room))) != nullptr;
        return nullptr;
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (tasks[i]->GetKind() == kTaskRoomBuild) return tasks[i];
    }
    return nullptr;
}

void GAME_CUIRoomBuilding::OnEnterState(UIScreenState state)
{
    GAME_CGameWorld& world = Context().world;
    switch (state) {
    case kOpening: {
        ShowAllWidgets();
        pages_.Reset(kMain);
        details_.ApplyLanguage();
        details_.item->SetTextW(target != nullptr ? UITagName(target->GetRoomId()).c_str() : u"");
        details_.time->SetTextW(u"");
        details_.bar.Show(0.0f);
        details_.scroll->SetValue(0);
        const RoomData* data = GetUIRoomData(target);
        const auto pairs = data == nullptr ? 0
                                           : std::find_if(data->materials.begin(), data->materials.end(), IsUnusedItemCount) - data->materials.begin();
        details_.scroll->SetMaximum(std::max<std::int32_t>(kLinesPerPair * static_cast<std::int32_t>(pairs) - kLines, 0));
        RefreshLines(nullptr);
        builder_.Empty();
        builder_.ResetTraitTurn();
        world.roomScreenClosing = 0;
        break;
    }
    case kClosing:
        // The room's sound, which the manager started as the window opened.
        Context().Sound().StopTrackedSE();
        world.roomScreenClosing = 1;
        break;
    default: break;
    }
}

void GAME_CUIRoomBuilding::EveryFrame()
{
    cursor_.Step({0.0f, 0.0f}, -1.0f);
    ShowCancelButton();
}

void GAME_CUIRoomBuilding::ShowCancelButton()
{
    if (target == nullptr) return;
    // A script waiting for this room to be finished keeps it from being given up.
    const GAME_CGameWorld& world = Context().world;
    const std::uint32_t awaited = world.ship ? world.ship->awaitedRoomId : kNoId;
    const bool waited = awaited != kNoId && awaited == target->GetRoomId();
    cancel_->SetDisabled(waited);
    cancel_->SetColor(waited ? kWaitedGrey : kUIWhite);
    cancelLabel_->SetColor(GetUIColor(waited ? kUIColorDimText : kUIColorText));
}

bool GAME_CUIRoomBuilding::StepTransition(UIScreenState state)
{
    if (state == kOpening && LiveRoom() == nullptr) SetOpen(false);
    return true;
}

void GAME_CUIRoomBuilding::UpdateMain(bool input)
{
    GAME_CRoomBase* room = LiveRoom();
    bool posted = false;
    GAME_CTaskBase* build = room != nullptr ? FindBuildTask(*room, posted) : nullptr;
    if (posted) return;
    if (build == nullptr) {
        // The room was finished, removed or left without a build task: nothing is left to show.
        SetOpen(false);
        return;
    }
    pages_.Advance([this](Page page) { EnterPage(page); });
    switch (pages_.Current()) {
    case kMain: UpdateInput(input); break;
    case kAsk: UpdateQuestion(); break;
    case kCancelled:
        if (!IsDialogShown()) SetOpen(false);
        break;
    }
    ShowProgress(*build);
    RefreshLines(build);
    builder_.StepTraitTurn();
    // With nobody at work the last builder stays shown.
    if (const GAME_CObjectActor* first = build->LeadingCrew()) builder_.Show(first);
}

void GAME_CUIRoomBuilding::EnterPage(Page page)
{
    switch (page) {
    case kMain: break;
    case kAsk: {
        const std::u16string question = FormatUIMessage("ROOM_BUILDING_CANCEL_YESNO", {UITagName(target->GetRoomId())});
        AskInDialog(kSlotRoomBuilding,
                    {.text = question.substr(0, kQuestionLimit), .areYouSure = true, .holdsGame = &Context().world});
        break;
    }
    case kCancelled:
        // The ship takes the room away at its next update; a room not yet built gives nothing back.
        target->removeRequested = true;
        NoticeInDialog(kSlotRoomBuilding, {.text = GetMessageTextExpanded("ROOM_BUILDING_CANCEL_FINISHED"), .holdsGame = &Context().world});
        break;
    }
}

void GAME_CUIRoomBuilding::UpdateInput(bool input)
{
    UpdateWidgetsInTurn(input);
    // Decide gives the building up too, but only in a frame whose input reached this window.
    if (input && IsUIActionTriggered(kActionDecide)) cancel_->Press();
}

void GAME_CUIRoomBuilding::UpdateQuestion()
{
    for (GAME_CUIObjectBase* widget : widgets_) widget->UpdateTree(false);
    FollowDialogAnswer(pages_, kCancelled, kMain);
}

void GAME_CUIRoomBuilding::OnCancelButton()
{
    if (LiveRoom() == nullptr || !pages_.Is(kMain)) return;
    // Nothing is given up while the start of the game is still being played.
    const GAME_CGameWorld& world = Context().world;
    const GAME_CRouteManager* route = world.travel ? world.travel->routeManager.get() : nullptr;
    if (route != nullptr && route->IsStartRoute()) return;
    pages_.Go(kAsk);
}

void GAME_CUIRoomBuilding::ShowProgress(const GAME_CTaskBase& build)
{
    const std::int32_t total = build.GetTaskValue();
    if (total <= 1) return;
    details_.time->SetTextW(UITimeLeftText(total, build.progress).c_str());
    details_.bar.Show(UITaskShareDone(total, build.progress));
}

void GAME_CUIRoomBuilding::RefreshLines(const GAME_CTaskBase* build)
{
    const RoomData* data = GetUIRoomData(target);
    const std::int32_t first = std::max(details_.scroll->Value(), 0);
    bool ended = false;
    for (int i = 0; i < kLines; ++i) {
        UIMaterialRow& line = details_.rows[static_cast<std::size_t>(i)];
        const std::size_t pair = static_cast<std::size_t>((first + i) / kLinesPerPair);
        const ItemCount* material = data != nullptr && pair < data->materials.size() ? &data->materials[pair] : nullptr;
        // An unused pair ends the list.
        ended = ended || material == nullptr || IsUnusedItemCount(*material);
        ShowUIMaterialRow(details_.rows, static_cast<std::size_t>(i), !ended);
        if (ended) continue;
        const std::uint32_t id = material->itemId;
        if ((first + i) % kLinesPerPair == 0) {
            details_.ShowItem(line, id);
            line.count->SetTextW(MaterialText("ADD_TEXT_UI_ROOM_BUILD_001", material->count).c_str());
        } else {
            line.icon->SetColor(kUIHidden);
            const std::int64_t missing = material->count - (build != nullptr ? build->CountMaterial(id) : 0);
            line.name->SetTextW(MaterialText("ADD_TEXT_UI_ROOM_BUILD_002", missing).c_str());
            line.count->SetTextW(MaterialText("ADD_TEXT_UI_ROOM_BUILD_003", CountStoredItem(id) + CountFieldItem(id)).c_str());
        }
    }
}

void GAME_CUIRoomBuilding::Draw()
{
    if (State() == kClosed) return;
    DrawWidgets(widgets_);
}
