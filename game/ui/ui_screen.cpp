// The screen state machine every screen stands on: requests, the four states, pages, movers and the done rule.
#include "game/ui/ui_screen.h"

#include <algorithm>

#include "game/model/world/game_world.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_manager.h"

GAME_CUIScreen::GAME_CUIScreen(UIInputRule rule, bool fieldControl)
    : GAME_CUIScreen(UIScreenSetup{.input = rule, .fieldControl = fieldControl}, nullptr)
{
}

GAME_CUIScreen::GAME_CUIScreen(const UIScreenSetup& setup, const UIScreenContext* context) : setup_(setup), context_(context)
{
    // Holding the game without the world to hold would be a silent no-op.
    if (context_ == nullptr) setup_.holdsGame = false;
    root_ = MakeUIGroupNode(0.0f, 0.0f);
    if (root_ != nullptr) {
        widgets_.push_back(root_);
        movedRoots_.push_back(root_);
    }
}

GAME_CUIScreen::~GAME_CUIScreen() { DeleteWidgets(widgets_); }

void GAME_CUIScreen::AddWidget(GAME_CUIObjectBase* widget)
{
    if (widget != nullptr) widgets_.push_back(widget);
}

void GAME_CUIScreen::AddMovedRoot(GAME_CUIObjectBase* root)
{
    if (root != nullptr) movedRoots_.push_back(root);
}

void UIScreenRequests::Request(bool wanted)
{
    if (wanted && openFlag == 0) {
        open = 1;
        openFlag = 1;
    } else if (!wanted && openFlag != 0) {
        close = 1;
    }
}

UIScreenState UIScreenRequests::TakeNextState(UIScreenState next)
{
    if (open != 0) {
        next = UIScreenState::kOpening;
    } else if (close != 0 && next != UIScreenState::kClosed) {
        // A close asked again once the closing has ended must not start it anew, or a caller that
        // closes a screen every frame would keep it closing for ever.
        next = UIScreenState::kClosing;
    }
    open = 0;
    close = 0;
    return next;
}

std::int32_t UIScreenRequests::TakeNextState(std::int32_t next)
{
    return static_cast<std::int32_t>(TakeNextState(static_cast<UIScreenState>(next)));
}

bool GAME_CUIScreen::PassesInput() const
{
    switch (setup_.input) {
    case UIInputRule::kAlwaysPasses: return true;
    case UIInputRule::kNeverPasses: return false;
    case UIInputRule::kPassesWhenSettled: return state_ == kMain && next_ == kMain;
    default: return !IsOpen();
    }
}

bool GAME_CUIScreen::AnyWidgetBusyOrDecided() const
{
    return std::any_of(widgets_.begin(), widgets_.end(),
                       [](const GAME_CUIObjectBase* widget) { return widget->IsBusy() || widget->IsDecided(); });
}

void GAME_CUIScreen::ShowAllWidgets()
{
    for (GAME_CUIObjectBase* widget : widgets_) widget->SetVisible(true);
}

bool GAME_CUIScreen::UpdateWidgetsInTurn(bool input)
{
    bool free = input && !AnyWidgetBusyOrDecided();
    for (GAME_CUIObjectBase* widget : widgets_) {
        widget->UpdateTree(free);
        if (widget->IsBusy() || widget->IsDecided()) free = false;
    }
    return free;
}

bool GAME_CUIScreen::StandAlone(std::int32_t& retryCounter) const
{
    if (--retryCounter > 0) return false;
    if (context_->ui.CloseAllExcept()) return true;
    retryCounter = kStandAloneRetryFrames;
    return false;
}

float GAME_CUIScreen::MoverAlpha() const
{
    if (setup_.mover.kind != UIMover::Kind::kFade || setup_.mover.frames < 1) return 1.0f;
    return static_cast<float>(fade_) / static_cast<float>(setup_.mover.frames);
}

void GAME_CUIScreen::SetHold(bool held) const { context_->world.held = held ? 1 : 0; }

bool GAME_CUIScreen::KeepsHoldOnClose() const
{
    return setup_.holdStaysWithSlot >= 0 && context_->ui.IsOpen(setup_.holdStaysWithSlot);
}

void GAME_CUIScreen::Update(bool input)
{
    lastInput_ = input;
    if (setup_.holdsGame) SetHold(true);
    BeginFrame(input);
    next_ = requests_.TakeNextState(next_);
    if (IsSuspended()) return;
    if (next_ != state_) {
        EnterState(next_);
        if (state_ == kClosed) return;
    }
    EveryFrame();
    if (state_ == kOpening || state_ == kClosing) {
        const bool moved = StepMover();
        const bool ownPartDone = StepTransition(state_);
        if (moved && ownPartDone && !AnyWidgetBusyOrDecided()) {
            next_ = state_ == kOpening ? kMain : kClosed;
            if (setup_.settlesAtOnce) EnterState(next_);
        }
    } else if (state_ == kMain) {
        UpdateMain(input);
    }
}

void GAME_CUIScreen::EnterState(UIScreenState state)
{
    state_ = state;
    switch (state_) {
    case kClosed:
        requests_.openFlag = 0;
        if (setup_.holdsGame && !KeepsHoldOnClose()) SetHold(false);
        break;
    case kOpening: StartMover(true); break;
    case kClosing:
        if (setup_.dialog == UIDialogOnClose::kClose) CloseDialog();
        if (setup_.dialog == UIDialogOnClose::kCloseAnsweringYes) CloseDialogAnsweringYes();
        StartMover(false);
        break;
    default: break;
    }
    OnEnterState(state_);
}

void GAME_CUIScreen::StartMover(bool opening)
{
    const UIMover& mover = setup_.mover;
    if (mover.kind != UIMover::Kind::kSlide) return;
    const TweenPoint to = opening ? mover.shown : mover.closedAt.value_or(mover.hidden);
    InitTween(slide_, to.x, to.y, mover.frames, 0);
    TweenPoint from = opening ? mover.hidden : mover.shown;
    if (!opening && mover.closesFromWhereItStands && root_ != nullptr) from = {root_->GetPosition()->x, root_->GetPosition()->y};
    RestartTweenFrom(slide_, from);
}

bool GAME_CUIScreen::StepMover()
{
    const UIMover& mover = setup_.mover;
    bool ended = true;
    if (mover.kind == UIMover::Kind::kSlide) {
        TweenPoint point = mover.shown;
        UpdateTweenEaseOut(slide_, point);
        const vesk::math::Vec2 position{point.x, point.y};
        for (GAME_CUIObjectBase* root : movedRoots_) root->SetPosition(&position);
        ended = IsTweenFinished(slide_);
    } else if (mover.kind == UIMover::Kind::kFade) {
        fade_ = std::clamp(fade_ + (state_ == kOpening ? 1 : -1), 0, std::max(mover.frames, 0));
        ended = fade_ == (state_ == kOpening ? std::max(mover.frames, 0) : 0);
    }
    for (GAME_CUIObjectBase* root : movedRoots_) root->UpdateTree(false);
    return ended;
}

void GAME_CUIScreen::Draw()
{
    DrawWidgets(widgets_);
    FlushUISprites();
}
