// The room crew screen (slot 28): its widgets, the member's meters and traits, the focus walk, the bind, unbind and send-out questions and what they do.
#include "game/ui/screens/ui_room_actor_info.h"

#include <string>

#include "game/model/object/actor_ai_base.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/task_base.h"
#include "game/model/ship/task_crew.h"
#include "game/model/world/game_world.h"
#include "game/services/input/input_actions.h"
#include "game/services/input/input_map.h"
#include "game/services/player/player_data.h"
#include "game/services/text/actor_names.h"
#include "game/services/text/message_text.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/room_window.h"
#include "game/ui/screen_callbacks.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_room_access.h"
#include "game/ui/ui_text.h"
#include "game/ui/widgets/ui_category_change_object.h"

using vesk::math::Vec2;

namespace {

// Relative to the window.
constexpr float kButtonLeft = 309.0f;
constexpr float kFirstButtonTop = 196.0f;
constexpr float kButtonStep = 47.0f;
constexpr Vec2 kButtonCursor{289.0f, 201.0f};
constexpr Vec2 kEffectCursor{23.0f, 226.0f};
constexpr std::size_t kTextLimit = 240;
// The meters: a row's name left of its frame, "now/most" right of it up to the traits' scroll bar,
// a 110 by 6 bar in the frame.
constexpr Vec2 kFirstMeterFrame{97.0f, 177.0f};
constexpr std::uint32_t kMeterColor = UICrewMeters::kStaminaColor;

UICrewMeters::Layout RoomMeters()
{
    return {.row = {.name = {-27.0f, -2.0f}, .value = {187.0f, -2.0f}, .barSprite = "ui_labelbase"},
            .first = kFirstMeterFrame,
            .colors = {kMeterColor, kMeterColor, kMeterColor}};
}

}  // namespace

// It stands in place at once, without a slide.
GAME_CUIRoomActorInfo::GAME_CUIRoomActorInfo(const UIScreenContext& context)
    : GAME_CUIScreen({.input = UIInputRule::kBlocksWhileOpen, .mover = {.kind = UIMover::Kind::kImmediate}, .dialog = UIDialogOnClose::kClose},
                     &context),
      meters_(RoomMeters())
{
    Build();
}

void GAME_CUIRoomActorInfo::Build()
{
    window_ = MakeUIRoomWindowUnder(Root());
    const UIRoomWindowButtons frame = BeginUIRoomWindow(widgets_, window_, window_,
                                                        {.closeSprite = "ui_backbutton",
                                                         .closePressedSprite = "ui_backbutton_touch",
                                                         .skipLeftRelease = CloseAndSkipToPrevRoom(this, Context().ui),
                                                         .skipRightRelease = CloseAndSkipToNextRoom(this, Context().ui),
                                                         .owner = this});
    heading_.Add(widgets_, window_, "ui_text_actor", {36.0f, 138.0f});
    widgets_.push_back(MakeUIPictureUnder(window_, "ui_icon_actor", 42.0f, 151.0f));
    widgets_.push_back(MakeUIPictureUnder(window_, "ui_separator_left", 36.0f, 166.0f));
    meters_.BuildPictures(widgets_, window_);
    effects_.BuildSprites(widgets_, window_, {.origin = {40.0f, 228.0f}, .lines = kEffectLines, .separator = {-4.0f, -2.0f}});
    effectBar_ = MakeUIScrollBar(window_, 285.0f, 226.0f, 8.0f, 110.0f);
    widgets_.push_back(effectBar_);

    UIButtonSpec button{.sprite = "ui_enterbutton", .pressedSprite = "ui_enterbutton_touch", .sound = kSeUIDecide,
                        .release = [this](GAME_CUIIconObject*) { OnBindButton(); }};
    PlaceUIButtonTopLeft(button, kButtonLeft, kFirstButtonTop);
    bind_ = MakeUIButton(window_, button);
    widgets_.push_back(bind_);
    button.release = [this](GAME_CUIIconObject*) { OnExitButton(); };
    PlaceUIButtonTopLeft(button, kButtonLeft, kFirstButtonTop + kButtonStep);
    exit_ = MakeUIButton(window_, button);
    widgets_.push_back(exit_);
    buttonCursor_.arrow = MakeUIPictureUnder(window_, "ui_cursor_common_r90", kButtonCursor.x, kButtonCursor.y);
    widgets_.push_back(buttonCursor_.arrow);
    // The skip cursors frame their arrows.
    for (GAME_CUIIconObject* arrow : {frame.skipLeft, frame.skipRight}) {
        GAME_CUINullObject* cursor = MakeUIPictureUnder(arrow, "ui_cursor_grid_normal", 0.0f, 0.0f);
        const Vec2 size = UISpriteSize(cursor->Sprite());
        const Vec2 at{-size.x * 0.5f, -size.y * 0.5f};
        cursor->SetPosition(&at);
        widgets_.push_back(cursor);
        (arrow == frame.skipLeft ? skipLeftCursor_ : skipRightCursor_) = cursor;
    }

    widgets_.push_back(MakeUICategorySwitch(0));
    title_ = MakeUIRoomWindowTitle(window_, "");
    widgets_.push_back(title_);
    name_ = MakeUILabel(window_, "", 62.0f, 152.0f);
    widgets_.push_back(name_);
    meters_.BuildTexts(widgets_);
    effects_.BuildTexts(widgets_);
    bindLabel_ = MakeUILabel(bind_, "ROOMACTORINFO_BUTTON_BIND", 0.0f, 0.0f, 0.5f, 0.5f);
    widgets_.push_back(bindLabel_);
    widgets_.push_back(MakeUILabel(exit_, "ADD_TEXT_UI_ROOM_ACTOR_EXIT_BUTTON", 0.0f, 0.0f, 0.5f, 0.5f));
    EndUIRoomWindow(widgets_, window_);

    // Up and down toggle the two buttons (where binding is allowed) or scroll the traits; left from
    // the buttons goes to the traits while they scroll, else to the left arrow.
    const auto toggleRow = [this](int direction) {
        if (direction != kUIFocusUp && direction != kUIFocusDown) return false;
        if (bindingAllowed_) {
            PlayUISE(kSeUICursor);
            row_ = row_ == kRowBind ? kRowExit : kRowBind;
        }
        return true;
    };
    const auto scrollEffects = [this](int direction) {
        if (direction != kUIFocusUp && direction != kUIFocusDown) return false;
        PlayUISE(kSeUICursor);
        effectBar_->SetValue(effectBar_->Value() + (direction == kUIFocusUp ? -1 : 1));
        return true;
    };
    places_[0] = {.id = kFocusButtons,
                  .next = {kUINoFocus, kUINoFocus, kFocusEffects, kFocusSkipRight},
                  .otherwise = {kUINoFocus, kUINoFocus, kFocusSkipLeft, kUINoFocus},
                  .inside = toggleRow,
                  .repeats = true};
    places_[1] = {.id = kFocusEffects,
                  .next = {kUINoFocus, kUINoFocus, kFocusSkipLeft, kFocusButtons},
                  .condition = [this] { return effectBar_->Maximum() >= 1; },
                  .inside = scrollEffects,
                  .repeats = true};
    places_[2] = {.id = kFocusSkipLeft, .next = {kUINoFocus, kUINoFocus, kUINoFocus, kFocusButtons}, .button = frame.skipLeft};
    places_[3] = {.id = kFocusSkipRight, .next = {kUINoFocus, kUINoFocus, kFocusButtons, kUINoFocus}, .button = frame.skipRight};
}

void GAME_CUIRoomActorInfo::OnEnterState(UIScreenState state)
{
    if (state == kOpening) BeginOpen();
}

void GAME_CUIRoomActorInfo::BeginOpen()
{
    steps_.Reset(Step::kBrowse);
    const std::uint16_t kind = GetUIRoomKind(target);
    bindingAllowed_ = kind != kRoomKindStorage && kind != kRoomKindOpenStorage;
    ShowAllWidgets();
    bind_->SetVisible(bindingAllowed_);
    bind_->SetDisabled(!bindingAllowed_);
    bindLabel_->SetColor(bindingAllowed_ ? GetUIColor(kUIColorText) : kUIHidden);
    heading_.Apply();
    title_->SetTextW(RoomName().c_str());
    name_->SetTextW(MemberNameText().c_str());
    if (targetActor != nullptr) meters_.Show(targetActor->status);
    focus_ = kFocusButtons;
    row_ = bindingAllowed_ ? kRowBind : kRowExit;
    buttonCursor_.Restart();
    const std::size_t traits = targetActor != nullptr ? UICrewTraits::Of(targetActor->status).count : 0;
    effectBar_->SetMaximum(traits >= 3 ? static_cast<std::int32_t>(traits) - 2 : 0);
    effectBar_->SetValue(0);
    effects_.Clear();
    PlaceCursors();
}

std::u16string GAME_CUIRoomActorInfo::RoomName() const { return UITagName(target != nullptr ? target->GetRoomId() : kNoId); }

std::u16string GAME_CUIRoomActorInfo::MemberNameText() const
{
    return targetActor != nullptr ? RomanizeKanaPair(std::u16string_view(targetActor->status.name)) : u"";
}

bool GAME_CUIRoomActorInfo::IsMemberPresent() const { return target != nullptr && target->IsPresent(targetActor); }

bool GAME_CUIRoomActorInfo::IsStillThere() const
{
    // A member whose death has begun is gone already: it can be bound to no room, and once its death
    // has played its pooled object may come back as a newborn.
    return targetActor != nullptr && task_crew::IsAliveInField(*targetActor) && target != nullptr &&
           GetUIRoomIndex(Context().world, target) >= 0;
}

void GAME_CUIRoomActorInfo::OnBindButton()
{
    if (steps_.Is(Step::kBrowse) && bindingAllowed_) steps_.Go(IsMemberPresent() ? Step::kAskUnbind : Step::kAskBind);
}

void GAME_CUIRoomActorInfo::OnExitButton()
{
    if (steps_.Is(Step::kBrowse)) steps_.Go(Step::kAskExit);
}

void GAME_CUIRoomActorInfo::UpdateMain(bool input)
{
    // A member gone from the crew or a room gone from the ship leaves nothing to show or to bind.
    if (!IsStillThere()) {
        SetOpen(false);
        return;
    }
    steps_.Advance([this](Step step) { EnterStep(step); });
    buttonCursor_.Tick();
    bindLabel_->SetTextA(IsMemberPresent() ? "ROOMACTORINFO_BUTTON_UNBIND" : "ROOMACTORINFO_BUTTON_BIND");
    const bool browsing = steps_.Is(Step::kBrowse);
    if (browsing) RefreshEffects();
    const bool free = Root()->UpdateTree(browsing && input);
    switch (steps_.Current()) {
    case Step::kBrowse:
        if (free) HandleKeys();
        PlaceCursors();
        break;
    case Step::kAskBind: StepQuestion(Step::kBound, false); break;
    case Step::kAskUnbind: StepQuestion(Step::kUnbound, false); break;
    case Step::kAskExit: StepQuestion(Step::kExit, true); break;
    case Step::kBound:
    case Step::kUnbound:
        if (!IsDialogShown()) steps_.Go(Step::kBrowse);
        break;
    case Step::kExit:
        SendOut();
        steps_.Go(Step::kBrowse);
        SetOpen(false);
        break;
    }
}

void GAME_CUIRoomActorInfo::EnterStep(Step step)
{
    const std::u16string room = RoomName();
    const std::u16string member = MemberNameText();
    switch (step) {
    case Step::kAskBind: AskInDialog(kSlotRoomActorInfo, {.text = UILimitedText(FormatUIMessage("ACTOR_STATUS_BIND_YESNO", {room, member}), kTextLimit)}); break;
    case Step::kBound:
        target->AssignCrew(targetActor);
        NoticeInDialog(kSlotRoomActorInfo, {.text = UILimitedText(FormatUIMessage("ACTOR_STATUS_BIND_FINISHED", {room, member}), kTextLimit)});
        break;
    case Step::kAskUnbind:
        AskInDialog(kSlotRoomActorInfo, {.text = UILimitedText(FormatUIMessage("ACTOR_STATUS_UNBIND_YESNO", {room, member}), kTextLimit)});
        break;
    case Step::kUnbound:
        target->UnassignCrew(targetActor);
        PlayUISE(kUnbindSE);
        NoticeInDialog(kSlotRoomActorInfo, {.text = UILimitedText(FormatUIMessage("ACTOR_STATUS_UNBIND_FINISHED", {room, member}), kTextLimit)});
        break;
    case Step::kAskExit: AskInDialog(kSlotRoomActorInfo, {.text = UILimitedText(GetMessageTextExpanded("ADD_TEXT_UI_ROOM_ACTOR_01"), kTextLimit)}); break;
    case Step::kBrowse:
    case Step::kExit: break;
    }
}

void GAME_CUIRoomActorInfo::StepQuestion(Step onYes, bool closeOnYes)
{
    if (FollowDialogAnswer(steps_, onYes, Step::kBrowse) && closeOnYes) CloseDialog();
}

void GAME_CUIRoomActorInfo::HandleKeys()
{
    const UIFocusMap map(places_);
    if (IsUIActionTriggered(kActionDecide)) {
        if (focus_ == kFocusButtons) {
            (row_ == kRowBind ? bind_ : exit_)->Press();
        } else {
            map.Press(focus_);
        }
        return;
    }
    if (IsUIMenuSlot(GAME_CInputMap::kModePressed, kUIMenuLeft)) {
        map.Walk(focus_, kUIFocusLeft);
    } else if (IsUIMenuSlot(GAME_CInputMap::kModePressed, kUIMenuRight)) {
        map.Walk(focus_, kUIFocusRight);
    } else if (IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuUp)) {
        map.Walk(focus_, kUIFocusUp);
    } else if (IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuDown)) {
        map.Walk(focus_, kUIFocusDown);
    }
}

void GAME_CUIRoomActorInfo::RefreshEffects()
{
    effects_.Clear();
    const UICrewTraits traits = UICrewTraits::Of(targetActor->status);
    if (traits.count == 0) return;
    effects_.Begin(effectBar_->Value() * kLinesPerEffect);
    for (std::size_t i = 0; i < traits.count; ++i) {
        PutUICrewTrait(effects_, traits.entries[i], {.icons = true, .linesEach = kLinesPerEffect});
    }
}

void GAME_CUIRoomActorInfo::PlaceCursors()
{
    const bool onSkip = focus_ == kFocusSkipLeft || focus_ == kFocusSkipRight;
    buttonCursor_.arrow->SetColor(onSkip ? kUIHidden : kUIWhite);
    skipLeftCursor_->SetColor(focus_ == kFocusSkipLeft ? kUIWhite : kUIHidden);
    skipRightCursor_->SetColor(focus_ == kFocusSkipRight ? kUIWhite : kUIHidden);
    buttonCursor_.Place(focus_ == kFocusEffects ? kEffectCursor : Vec2{kButtonCursor.x, kButtonCursor.y + kButtonStep * static_cast<float>(row_)});
}

void GAME_CUIRoomActorInfo::SendOut()
{
    GAME_CObjectActor& member = *targetActor;
    target->UnassignCrew(&member);
    GAME_CTaskBase* task = member.task;
    if (task == nullptr) return;
    task->RemoveCrew(&member);
    // The room the task works in lets the member go too, or it would keep it counted as crew.
    const GAME_CShip* ship = Context().world.ship.get();
    if (task->IsRoomTask() && ship != nullptr) {
        if (GAME_CRoomBase* taskRoom = ship->GetRoom(task->GetRoomIndex())) taskRoom->RemoveCrew(&member);
    }
    member.task = nullptr;
    if (member.ai != nullptr) {
        member.ai->thinkCountdown = 0;
        member.ai->Think();
    }
    member.assigned = 0;
    // Not handed a task again for a moment: the member walks off first.
    member.moved = 1;
    member.movedCountdown = kTaskPauseFrames;
}
