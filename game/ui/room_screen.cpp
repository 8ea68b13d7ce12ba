// What the room screens share: the open, slide and close of both pages, the room skips, the cover by sub-windows, and each page's frame, headers, cursor and questions.
#include "game/ui/room_screen.h"

#include <algorithm>

#include "game/services/input/input_actions.h"
#include "game/services/input/input_map.h"
#include "game/services/sound/sound_player.h"
#include "game/model/world/game_world.h"
#include "game/model/ship/room_base.h"
#include "game/ui/room_window.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/focus_map.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_text.h"
#include "game/ui/widgets/ui_callback.h"
#include "game/ui/widgets/ui_category_change_object.h"
#include "game/ui/ui_manager.h"

using vesk::math::Vec2;

namespace {

constexpr std::uint32_t kCoverLimit = 10;
constexpr float kTabPressedScale = 0.95f;
constexpr std::int32_t kTabPressedFrames = 10;

}  // namespace

// The screen slides its two page roots itself; the state machine's mover stands still.
GAME_CUIRoomScreen::GAME_CUIRoomScreen(const UIScreenContext& context, Vec2 home, Vec2 slideFrom, const UIRoomScreenRules& rules)
    : GAME_CUIScreen({.mover = {.kind = UIMover::Kind::kImmediate}}, &context),
      taskTab_(context),
      arrowSprite_(FindUISprite("ui_cursor_common_r90")),
      gridCursorSprite_(FindUISprite("ui_cursor_grid_normal")),
      home_(home),
      slideFrom_(slideFrom),
      rules_(rules)
{
    InitTween(slide_, home.x, home.y, kSlideFrames, 0);
}

GAME_CUIRoomScreen::~GAME_CUIRoomScreen()
{
    DeleteWidgets(firstPage_);
    DeleteWidgets(taskPage_);
}

UIRoomPageFrame GAME_CUIRoomScreen::BeginPage(std::vector<GAME_CUIObjectBase*>& list, GAME_CUINullObject* root,
                                              GAME_CUINullObject* window)
{
    const UIRoomWindowButtons buttons =
        BeginUIRoomWindow(list, root, window, {.skipLeftRelease = UIBind(this, &GAME_CUIRoomScreen::OnSkipLeftButton),
                                                .skipRightRelease = UIBind(this, &GAME_CUIRoomScreen::OnSkipRightButton),
                                                .owner = this});
    UIRoomPageFrame frame;
    frame.window = window;
    frame.close = buttons.close;
    frame.skipLeft = buttons.skipLeft;
    frame.skipRight = buttons.skipRight;
    return frame;
}

void GAME_CUIRoomScreen::AddTabBar(std::vector<GAME_CUIObjectBase*>& list, UIRoomPageFrame& frame, const UIRoomTabSpec& spec)
{
    GAME_CUINullObject* window = frame.window;
    list.push_back(MakeUIPictureUnder(window, "ui_tab_separator", 36.0f, 311.0f));
    const float tabHalfWidth = UISpriteSize(FindUISprite("ui_tab_on")).x * 0.5f;
    const bool taskPage = spec.taskPage;
    // The lit tab (the page's own) stands 3 units higher than the other.
    const auto addTab = [&](float left, bool lit, std::int32_t action, UIIconCallback release) {
        UIButtonSpec tab{.sprite = lit ? "ui_tab_on" : "ui_tab_off", .pressedSprite = "", .x = left + tabHalfWidth,
                         .y = lit ? 311.0f : 314.0f, .pivotY = 0.0f, .sound = kSeUIDecide, .action = action,
                         .pressedFrames = kTabPressedFrames, .pressedScale = kTabPressedScale, .release = release};
        GAME_CUIIconObject* button = MakeUIButton(window, tab);
        list.push_back(button);
        return button;
    };
    if (!spec.taskTabOnly) frame.firstTab = addTab(44.0f, !taskPage, kActionMenuTabLeft, spec.firstTabRelease);
    frame.taskTab = addTab(264.0f, taskPage, kActionMenuTabRight, spec.taskTabRelease);

    frame.cursorNode = MakeUIGroupUnder(window, -43.0f, 174.0f);
    list.push_back(frame.cursorNode);
    frame.cursorSprite = MakeUIPictureUnder(frame.cursorNode, "ui_cursor_common_r90", 0.0f, 0.0f);
    frame.cursorSprite->SetColor(kUIHidden);
    list.push_back(frame.cursorSprite);
    if (!taskPage && spec.highlightSprite != nullptr) {
        // The highlight lies under the row's words and above the frame: it goes before the cursor.
        frame.highlight = MakeUIPictureUnder(frame.cursorNode, spec.highlightSprite, 17.0f, -1.0f);
        list.insert(std::find(list.begin(), list.end(), frame.cursorNode), frame.highlight);
    }

    list.push_back(MakeUICategorySwitch(0));
    frame.title = MakeUIRoomWindowTitle(window, "BUILD_TEXT_UI_TITLE");
    list.push_back(frame.title);
    if (frame.firstTab != nullptr) list.push_back(MakeUILabel(frame.firstTab, spec.firstTabKey, 0.0f, 11.0f, 0.5f, 0.5f));
    list.push_back(MakeUILabel(frame.taskTab, spec.taskTabKey, 0.0f, 11.0f, 0.5f, 0.5f));
}

void GAME_CUIRoomScreen::EndPage(std::vector<GAME_CUIObjectBase*>& list, const UIRoomPageFrame& frame)
{
    EndUIRoomWindow(list, frame.window);
}

void GAME_CUIRoomScreen::AddHeaders(GAME_CUIObjectBase* parent, std::span<const char* const> names, std::span<const Vec2> places)
{
    for (std::size_t i = 0; i < names.size() && i < places.size(); ++i) headers_.Add(firstPage_, parent, names[i], places[i]);
}

void GAME_CUIRoomScreen::FillTaskPage(GAME_CUINullObject* window, const UIRoomTaskTabLayout& layout, const UIRoomTabSpec& tabs)
{
    taskFrame_ = BeginPage(taskPage_, taskRoot_, window);
    taskTab_.BuildSprites(taskPage_, taskRoot_, layout);
    AddTabBar(taskPage_, taskFrame_, tabs);
    // The task tab's cursor places are relative to the page root, like the rest of its layout.
    if (window != taskRoot_) taskFrame_.cursorNode->SetParent(taskRoot_);
    taskTab_.BuildTexts(taskPage_);
    EndPage(taskPage_, taskFrame_);
    taskTab_.SetFrame(taskFrame_, this);
}

void GAME_CUIRoomScreen::SkipToNextRoom()
{
    if (!IsOpen()) return;
    SetOpen(false);
    skipNext_ = 1;
}

void GAME_CUIRoomScreen::SkipToPrevRoom()
{
    if (!IsOpen()) return;
    SetOpen(false);
    skipPrevious_ = 1;
}

void GAME_CUIRoomScreen::OnSkipLeftButton()
{
    SetOpen(false);
    skipPrevious_ = 1;
}

void GAME_CUIRoomScreen::OnSkipRightButton()
{
    SetOpen(false);
    skipNext_ = 1;
}

void GAME_CUIRoomScreen::EveryFrame()
{
    blink_.Tick();
    for (const UIRoomPageFrame* frame : {&firstFrame_, &taskFrame_}) {
        if (frame->cursorSprite == nullptr) continue;
        const Vec2 at{blink_.Bob(), frame->cursorSprite->GetPosition()->y};
        frame->cursorSprite->SetPosition(&at);
    }
    if (Context().ui.IsOpen(kSlotRoomActorInfo)) {
        cover_ = kCoverLimit;
    } else if (GAME_CUIRoomTaskTab::IsSubWindowOpen(Context().ui) || IsOwnSubWindowOpen()) {
        cover_ = std::min(cover_ + 1, kCoverLimit);
    } else {
        cover_ = 0;
    }
    OnEveryFrame();
}

bool GAME_CUIRoomScreen::StepTransition(UIScreenState state)
{
    if (state == kOpening && !CanShowRoom()) {
        // The room's loop started as the screen was asked to open; with no closing to stop it, it stops here.
        Context().Sound().StopTrackedSE();
        SetNextState(kClosed);
        return false;
    }
    return StepSlide();
}

void GAME_CUIRoomScreen::OnEnterState(UIScreenState state)
{
    GAME_CGameWorld& world = Context().world;
    switch (state) {
    case kClosed:
        CloseDialog();
        if (skipNext_ == 0 && skipPrevious_ == 0) {
            StopCameraRoomFocus(Context().world);
            if (rules_.forgetsRoom) target = nullptr;
            world.held = 0;
        } else {
            const bool previous = skipPrevious_ != 0;
            skipNext_ = 0;
            skipPrevious_ = 0;
            Context().ui.OpenAdjacentRoomScreen(target, previous);
        }
        break;
    case kOpening:
        world.held = 1;
        OnEnterOpening();
        break;
    case kClosing: {
        const Vec2 at = rules_.closesFromHome || firstRoot_ == nullptr ? home_ : *firstRoot_->GetPosition();
        InitTween(slide_, home_.x, slideFrom_.y, kSlideFrames, 0);
        RestartTweenFrom(slide_, {at.x, at.y});
        Context().Sound().StopTrackedSE();
        world.roomScreenClosing = 1;
        break;
    }
    default: break;
    }
}

void GAME_CUIRoomScreen::BeginOpening()
{
    InitTween(slide_, home_.x, home_.y, kSlideFrames, 0);
    RestartTweenFrom(slide_, {slideFrom_.x, slideFrom_.y});
    for (auto* list : {&firstPage_, &taskPage_}) {
        for (GAME_CUIObjectBase* widget : *list) widget->SetVisible(true);
    }
    const std::u16string name = target != nullptr ? UITagName(target->GetRoomId()) : std::u16string();
    for (const UIRoomPageFrame* frame : {&firstFrame_, &taskFrame_}) {
        if (frame->title != nullptr) frame->title->SetTextW(name.c_str());
    }
    headers_.Apply();
    taskTab_.Attach(target);
    taskTab_.ApplyLanguage();
    Context().world.roomScreenClosing = 0;
}

bool GAME_CUIRoomScreen::StepSlide()
{
    TweenPoint point{home_.x, home_.y};
    UpdateTweenEaseOut(slide_, point);
    const Vec2 at{point.x, point.y};
    for (GAME_CUINullObject* root : {firstRoot_, taskRoot_}) {
        if (root == nullptr) continue;
        root->SetPosition(&at);
        root->UpdateTree(false);
    }
    taskTab_.UpdateControllerQuietly();
    const auto busy = [](const std::vector<GAME_CUIObjectBase*>& list) {
        return std::any_of(list.begin(), list.end(), [](const GAME_CUIObjectBase* widget) { return widget->IsBusy(); });
    };
    return IsTweenFinished(slide_) && !busy(firstPage_) && !busy(taskPage_);
}

void GAME_CUIRoomScreen::EnterTaskPage()
{
    taskTab_.Enter();
    taskTab_.Place(taskTab_.Focus());
}

void GAME_CUIRoomScreen::UpdateTaskPage(bool input)
{
    taskTab_.GiveWheelToHoveredPart();
    if (taskRoot_->IsAnyDecided()) input = false;
    input = taskRoot_->UpdateTree(input);
    if (firstRoot_ != nullptr) firstRoot_->UpdateTree(false);
    taskTab_.Update(input);
}

void GAME_CUIRoomScreen::AnswerInfoScroll(std::int32_t before)
{
    if (taskTab_.ScrollBar()->Value() == before) return;
    PlayUISE(kSeUICursor);
    taskTab_.FillPanel(taskTab_.ScrollBar()->Value());
}

void GAME_CUIRoomScreen::Draw()
{
    if (State() == kClosed || target == nullptr || cover_ >= kCoverHides) return;
    DrawWidgets(ShowsTaskPage() ? taskPage_ : firstPage_);
}

UIRoomKeys UIRoomKeys::Read()
{
    return {.decide = IsUIActionTriggered(kActionDecide),
            .up = IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuUp),
            .down = IsUIMenuSlot(GAME_CInputMap::kModeRepeat, kUIMenuDown),
            .left = IsUIMenuSlot(GAME_CInputMap::kModePressed, kUIMenuLeft),
            .right = IsUIMenuSlot(GAME_CInputMap::kModePressed, kUIMenuRight)};
}

std::array<UIFocusPlace, 5> GAME_CUIRoomScreen::FirstPageFocusPlaces(const UIRoomFirstPageFocus& places) const
{
    // The buttons stand where they stand on the task page, so the cursor takes the task page's places.
    const auto& at = taskTab_.Layout().focusPlaces;
    constexpr std::int32_t none = kUINoFocus;
    // Between the tabs the cursor moves without a sound unless the places say otherwise; to and from
    // the skip arrows it sounds.
    return {{
        {.id = places.list, .next = {none, none, places.skipLeft, places.skipRight}},
        {.id = places.taskTab, .pointer = at[0], .marker = arrowSprite_,
         .next = {none, none, places.firstTab, places.tabsLeadToSkips ? places.skipRight : none}, .silent = places.silentTabs,
         .button = firstFrame_.taskTab},
        {.id = places.firstTab, .pointer = at[1], .marker = arrowSprite_,
         .next = {none, none, places.tabsLeadToSkips ? places.skipLeft : none, places.taskTab}, .silent = places.silentTabs,
         .button = firstFrame_.firstTab},
        {.id = places.skipRight, .pointer = at[2], .marker = gridCursorSprite_, .next = {none, none, places.list, none},
         .button = firstFrame_.skipRight},
        {.id = places.skipLeft, .pointer = at[3], .marker = gridCursorSprite_, .next = {none, none, none, places.list},
         .button = firstFrame_.skipLeft},
    }};
}

bool GAME_CUIRoomScreen::StepTabAndSkipFocus(std::int32_t& focus, const UIRoomFirstPageFocus& places, const UIRoomKeys& keys)
{
    const std::array<UIFocusPlace, 5> table = FirstPageFocusPlaces(places);
    const UIFocusMap map(table);
    if (map.Find(focus) == nullptr) return false;
    if ((keys.right && map.Step(focus, kUIFocusRight)) || (keys.left && map.Step(focus, kUIFocusLeft))) return true;
    if (keys.decide) map.Press(focus);
    return true;
}

bool GAME_CUIRoomScreen::StepFirstPageFocus(std::int32_t& focus, const UIRoomFirstPageFocus& places, const UIRoomKeys& keys,
                                            UIListView& list)
{
    const bool upOrDown = keys.up || keys.down;
    if (focus == places.list) {
        if (list.count <= 0) return false;
        if (!upOrDown) {
            StepTabAndSkipFocus(focus, places, keys);
            return false;
        }
        PlayUISE(kSeUICursor);
        const std::int32_t direction = keys.up ? -1 : 1;
        if (list.Step(direction)) return true;
        list.EnterAtEnd(direction > 0);
        focus = places.taskTab;
        return false;
    }
    if ((focus == places.taskTab || focus == places.firstTab) && upOrDown && list.count > 0) {
        focus = places.list;
        list.EnterAtEnd(keys.up);
        return false;
    }
    if (!StepTabAndSkipFocus(focus, places, keys)) focus = places.list;
    return false;
}

void GAME_CUIRoomScreen::PlaceFirstCursorOnRow(GAME_CUIObjectBase* row)
{
    GAME_CUINullObject* node = firstFrame_.cursorNode;
    node->SetParent(row);
    const Vec2 at{-21.0f, -1.0f};
    node->SetPosition(&at);
    firstFrame_.cursorSprite->SetSprite(arrowSprite_);
    firstFrame_.cursorSprite->SetColor(kUIWhite);
    // A first page built without a row highlight (the map's) has none to show or hide.
    if (firstFrame_.highlight != nullptr) firstFrame_.highlight->SetColor(kUIWhite);
    node->UpdateTree(false);
}

void GAME_CUIRoomScreen::PlaceFirstCursorOnButton(std::int32_t focus, const UIRoomFirstPageFocus& places, bool shown)
{
    const std::array<UIFocusPlace, 5> table = FirstPageFocusPlaces(places);
    const UIFocusPlace& place = *UIFocusMap(table).Find(std::clamp(focus, places.taskTab, places.skipLeft));
    GAME_CUINullObject* node = firstFrame_.cursorNode;
    node->SetParent(firstRoot_);
    node->SetPosition(&place.pointer);
    firstFrame_.cursorSprite->SetSprite(place.marker);
    firstFrame_.cursorSprite->SetColor(shown ? kUIWhite : kUIHidden);
    if (firstFrame_.highlight != nullptr) firstFrame_.highlight->SetColor(kUIHidden);
    node->UpdateTree(false);
}
