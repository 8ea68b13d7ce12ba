// The screen state protocol shared by the screens: requests, the four states and the usual slide.
#include "game/ui/ui_screen.h"

#include "game/ui/ui_draw.h"

GAME_CUIScreen::GAME_CUIScreen(UIInputRule rule, bool fieldControl) : rule_(rule), fieldControl_(fieldControl)
{
    root_ = MakeUIGroupNode(0.0f, 0.0f);
    if (root_ != nullptr) widgets_.push_back(root_);
}

GAME_CUIScreen::~GAME_CUIScreen() { DeleteWidgets(widgets_); }

void GAME_CUIScreen::AddWidget(GAME_CUIObjectBase* widget)
{
    if (widget != nullptr) widgets_.push_back(widget);
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

std::int32_t UIScreenRequests::TakeNextState(std::int32_t next)
{
    if (open != 0) {
        next = 1;
    } else if (close != 0 && next != 0) {
        // A close asked again once the closing slide has ended must not start the slide anew, or a
        // caller that closes a screen every frame would keep it closing for ever.
        next = 3;
    }
    open = 0;
    close = 0;
    return next;
}

bool GAME_CUIScreen::PassesInput() const
{
    switch (rule_) {
    case UIInputRule::kAlwaysPasses: return true;
    case UIInputRule::kNeverPasses: return false;
    case UIInputRule::kPassesWhenSettled: return state_ == 2 && next_ == 2;
    default: return !IsOpen();
    }
}

void GAME_CUIScreen::Update(bool input)
{
    lastInput_ = input;
    next_ = requests_.TakeNextState(next_);
    if (next_ != state_) {
        state_ = next_;
        switch (state_) {
        case 0: requests_.openFlag = 0; break;
        case 1:
            InitTween(slide_, 0.0f, 0.0f, kSlideFrames, 0);
            RestartTweenFrom(slide_, {0.0f, -kCanvasHeight});
            break;
        case 3:
            InitTween(slide_, 0.0f, -kCanvasHeight, kSlideFrames, 0);
            RestartTweenFrom(slide_, {0.0f, 0.0f});
            break;
        default: break;
        }
        OnEnterState(state_);
        if (state_ == 0) return;
    }
    if (state_ == 1 || state_ == 3) {
        TweenPoint point{0.0f, 0.0f};
        UpdateTweenEaseOut(slide_, point);
        const vesk::math::Vec2 position{point.x, point.y};
        if (root_ != nullptr) root_->SetPosition(&position);
        if (IsTweenFinished(slide_)) next_ = state_ == 1 ? 2 : 0;
        if (root_ != nullptr) root_->UpdateTree(false);
    } else if (state_ == 2) {
        UpdateMain(input);
    }
}

void GAME_CUIScreen::Draw()
{
    DrawWidgets(widgets_);
    FlushUISprites();
}
