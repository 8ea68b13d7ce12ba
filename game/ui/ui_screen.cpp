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

void GAME_CUIScreen::SetOpen(bool open)
{
    if (open && open_ == 0) {
        openRequest_ = 1;
        open_ = 1;
    } else if (!open && open_ != 0) {
        closeRequest_ = 1;
    }
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
    if (openRequest_ != 0) {
        next_ = 1;
    } else if (closeRequest_ != 0) {
        next_ = 3;
    }
    openRequest_ = 0;
    closeRequest_ = 0;
    if (next_ != state_) {
        state_ = next_;
        switch (state_) {
        case 0: open_ = 0; break;
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
