// The ending (slot 46): a letterboxed strip of desert where the hull rolls in, a rat walks to a cow, and all fades to black.
#pragma once

#include <array>
#include <cstdint>

#include "game/ui/ui_screen.h"

class GAME_CShipBodyRender;
class GAME_CStaticDatabase;

// The hideout at the end of the road counts as visited in the working slot (the ending and the
// staff roll each mark it as they open).
void MarkEndHideoutVisited(const GAME_CStaticDatabase* database);

// Opened by the route script's ending command, which waits while it and the staff roll run. It
// stands alone, marks the ending reached in the system record and hands over to the staff roll.
// The world's ship is hidden from then on; the hull shows only in the strip's first stages.
class GAME_CUIEnding : public GAME_CUIScreen, public UIScreenSlot<kSlotEnding> {
public:
    enum class Stage : std::int32_t { kHullWaits, kHullRollsIn, kRatWalks, kFadeOut, kFollowShot, kCow, kFadeToBlack };
    using enum Stage;
    static constexpr std::int32_t kCowLoopFrames = 185;
    static constexpr std::int32_t kCowFrames = 4 * kCowLoopFrames;
    static constexpr std::int32_t kClosingFrames = 60;
    static constexpr std::uint32_t kLastStageSE = 47;

    explicit GAME_CUIEnding(const UIScreenContext& context);

    void PreDraw() override;
    void Draw() override {}

    Stage GetStage() const { return stages_.Current(); }
    std::int32_t StageCounter() const { return counter_; }
    std::int32_t RetryCounter() const { return retryCounter_; }
    float ViewScroll() const { return viewScroll_; }
    float RatPosition() const { return ratPosition_; }
    // The cow's sprite index in sprite group 3 at the current animation time (-1 when missing).
    std::int32_t CowSprite() const;

protected:
    void OnEnterState(UIScreenState state) override;
    bool StepTransition(UIScreenState state) override;
    void UpdateMain(bool input) override;

private:
    void EnterStage(Stage stage);
    void StepStage();
    void WalkAndScroll(std::int32_t counterStep);
    GAME_CShipBodyRender* Hull() const;
    void DrawTiles(int image, float scroll, float y, float pivotY) const;
    void DrawRat() const;
    void DrawCow() const;

    UIPages<Stage> stages_{kHullWaits};
    std::int32_t counter_ = 0;
    std::int32_t duration_ = 0;
    float viewScroll_ = 0.0f;
    float ratPosition_ = -100.0f;
    float endMark_ = 1200.0f;
    std::int32_t walkCounter_ = 0;
    std::int32_t cowTime_ = 0;
    std::int32_t retryCounter_ = 0;
    std::array<std::int32_t, 5> cowSprites_{-1, -1, -1, -1, -1};
    std::array<std::int32_t, 3> ratSprites_{-1, -1, -1};
};
