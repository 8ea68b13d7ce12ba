// The achievement popup (slot 49): slides in at the top of the view for each achievement unlocked.
#include "game/ui/achieve_popup.h"

#include "game/services/achievement/achievements.h"
#include "game/services/text/message_text.h"
#include "game/ui/ui_draw.h"

namespace {

constexpr float kX = 85.0f;
constexpr float kHiddenY = -70.0f;
constexpr float kShownY = 0.0f;
constexpr std::uint32_t kTextColor = 0x00FFFFFFu;

std::uint32_t PopQueued()
{
    GAME_CAchievementManager* manager = PeekAchievementManager();
    return manager != nullptr ? PopAchievementNotice(*manager) : kNoAchievementNotice;
}

}  // namespace

GAME_CUIAchievePopup::GAME_CUIAchievePopup() { background_ = FindUISprite("ui_popup_bg"); }

bool GAME_CUIAchievePopup::IsIdle() const
{
    // A missing icon sprite leaves a blank where the icon goes but still shows the achievement.
    return (state_ == 0 && next_ == 0) || index_ >= kNone || titleKey_ == nullptr;
}

void GAME_CUIAchievePopup::Take(std::uint32_t index)
{
    index_ = index;
    const AchievementGameRow& row = GetAchievementGameRow(static_cast<int>(index));
    icon_ = FindUISprite(row.icon.data());
    titleKey_ = row.messageKey.data();
    descriptionKey_.Assign(titleKey_);
    descriptionKey_.Append("_DISCRIPT");
}

void GAME_CUIAchievePopup::Enter(int state)
{
    state_ = state;
    counter_ = 0;
    switch (state) {
    case 1:
        InitTween(tween_, kX, kShownY, kTweenFrames, 0);
        RestartTweenFrom(tween_, {kX, kHiddenY});
        break;
    case 4:
        Take(index_);
        [[fallthrough]];
    case 3:
        // The point stays; the tween only measures the fade.
        InitTween(tween_, kX, kShownY, kTweenFrames, 0);
        tween_.from = {kX, kShownY - 1.0f};
        break;
    case 5:
        InitTween(tween_, kX, kHiddenY, kTweenFrames, 0);
        RestartTweenFrom(tween_, {kX, kShownY});
        break;
    default: break;
    }
}

void GAME_CUIAchievePopup::Update(bool)
{
    if (IsIdle()) {
        const std::uint32_t index = PopQueued();
        if (index >= kNone) return;
        Take(index);
        state_ = 0;
        next_ = 1;
        counter_ = 0;
        pointX_ = kX;
        pointY_ = kHiddenY;
    }
    if (next_ != state_) Enter(next_);
    TweenPoint point{pointX_, pointY_};
    switch (state_) {
    case 1:
    case 5:
        UpdateTweenEaseOut(tween_, point);
        pointX_ = point.x;
        pointY_ = point.y;
        if (IsTweenFinished(tween_)) next_ = state_ == 1 ? 2 : 0;
        break;
    case 2:
        pointX_ = kX;
        pointY_ = kShownY;
        if (counter_ + 1 >= kShownFrames) {
            const std::uint32_t queued = PopQueued();
            if (queued < kNone) {
                // The shown one keeps its picture and texts while it fades; entering 4 takes the new ones.
                index_ = queued;
                next_ = 3;
            } else {
                next_ = 5;
            }
        }
        break;
    case 3:
    case 4: {
        TweenPoint ignored{};
        UpdateTweenEaseOut(tween_, ignored);
        if (IsTweenFinished(tween_)) next_ = state_ == 3 ? 4 : 2;
        break;
    }
    default: break;
    }
    ++counter_;
    if (state_ == 0 && next_ == 0) index_ = kNone;
}

std::uint32_t GAME_CUIAchievePopup::Alpha() const
{
    const float progress = GetTweenProgress(tween_);
    switch (state_) {
    case 1:
    case 4: return static_cast<std::uint32_t>(progress * 255.0f);
    case 2: return 255;
    case 3:
    case 5: return static_cast<std::uint32_t>(255.0f - progress * 255.0f);
    default: return 0;
    }
}

void GAME_CUIAchievePopup::PreDraw()
{
    if (IsIdle() && state_ == 0) return;
    if (index_ >= kNone || titleKey_ == nullptr) return;
    const std::uint32_t alpha = Alpha() << 24;
    const std::uint32_t white = 0x00FFFFFFu | alpha;
    DrawUISprite({pointX_, pointY_}, background_, white);
    DrawUISprite({pointX_ + 9.0f, pointY_ + 4.0f}, icon_, white);
    FlushUISprites();
    const std::uint32_t text = kTextColor | alpha;
    DrawUIText({pointX_ + 75.0f, pointY_ + 8.0f}, GetMessageTextExpanded(titleKey_), text);
    DrawUIText({pointX_ + 75.0f, pointY_ + 8.0f + UILineHeight()}, GetMessageTextExpanded(descriptionKey_.c_str()), text);
}
