// The achievement popup (slot 49): slides in at the top of the view for each achievement unlocked.
#pragma once

#include <cstdint>

#include "game/model/world/tween.h"
#include "game/services/text/fixed_string.h"
#include "game/ui/ui_base.h"

// Open for the life of the game. States: 0 idle, 1 slide in, 2 shown, 3 fade out in place, 4 fade the
// next one in, 5 slide out. Tweens and waits last 30 frames; an achievement shows for 240.
class GAME_CUIAchievePopup : public GAME_CUIBase, public UIScreenSlot<kSlotAchievementPopup> {
public:
    static constexpr std::int32_t kTweenFrames = 30;
    static constexpr std::uint32_t kShownFrames = 240;
    static constexpr std::uint32_t kNone = 20;

    GAME_CUIAchievePopup();

    bool IsOpen() const override { return open_ != 0; }
    void SetOpen(bool open) override { open_ = open ? 1 : 0; }
    void Update(bool input) override;
    void PreDraw() override;
    void Draw() override {}
    bool PassesInput() const override { return true; }

    int State() const { return state_; }
    std::uint32_t Index() const { return index_; }
    // Everything drawn takes this alpha.
    std::uint32_t Alpha() const;
    float PointX() const { return pointX_; }
    float PointY() const { return pointY_; }

private:
    bool IsIdle() const;
    void Take(std::uint32_t index);
    void Enter(int state);

    int state_ = 0;
    int next_ = 0;
    std::uint32_t index_ = kNone;
    std::int32_t icon_ = -1;
    const char* titleKey_ = nullptr;
    std::uint32_t counter_ = 0;
    Tween tween_{};
    float pointX_ = 85.0f;
    float pointY_ = -70.0f;
    UTL_CFixedString<128> descriptionKey_;
    std::int32_t background_ = -1;
    std::uint32_t open_ = 0;
};
