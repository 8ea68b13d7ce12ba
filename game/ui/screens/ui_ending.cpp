// The ending (slot 46): a letterboxed strip of desert where the hull rolls in, a rat walks to a cow, and all fades to black.
#include "game/ui/screens/ui_ending.h"

#include <algorithm>
#include <cmath>

#include "framework/graphics/sprite_registry.h"
#include "framework/math/scalar.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_body_render.h"
#include "game/model/world/background_view.h"
#include "game/model/world/camera2d.h"
#include "game/model/world/game_world.h"
#include "game/services/data/static_database.h"
#include "game/services/data/tag.h"
#include "game/services/save/working_slot.h"
#include "game/services/sound/sound_player.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_manager.h"

namespace {

constexpr int kEnemySpriteGroup = 3;
constexpr float kTileWidth = 398.0f;
constexpr float kBarHeight = 60.0f;
constexpr float kGroundLift = 67.0f;
constexpr float kStartEndMark = 1200.0f;
constexpr float kRatStart = -100.0f;
constexpr float kRatStep = 3.0f;
constexpr std::int32_t kCowStartsAt = 60;
constexpr std::int32_t kCowRestFrames = 120;
constexpr std::uint32_t kBlack = 0xFF000000u;
// The hideout at the end of the road.
constexpr std::uint32_t kVisitedAtTheEnd = MakeTag("AD29");
constexpr const char* kCowNames[5] = {"cow_02_01", "cow_02_02", "cow_02_03", "cow_02_04", "cow_01_01"};
constexpr int kCowStanding = 4;

// The cow's loop: which of the five sprites, for how many frames.
struct CowStep {
    int sprite;
    std::int32_t frames;
};
constexpr CowStep kCowLoop[] = {{4, 30}, {0, 10}, {1, 30}, {0, 10}, {4, 15}, {2, 10}, {3, 10},
                                {2, 10}, {4, 15}, {2, 10}, {3, 10}, {2, 10}, {4, 15}};

std::uint32_t Alpha(float share) { return static_cast<std::uint32_t>(std::clamp(share, 0.0f, 1.0f) * 255.0f) << 24; }

}  // namespace

GAME_CUIEnding::GAME_CUIEnding(const UIScreenContext& context)
    : GAME_CUIScreen({.mover = {.kind = UIMover::Kind::kImmediate}}, &context)
{
}

GAME_CShipBodyRender* GAME_CUIEnding::Hull() const { return Context().world.ship->body.get(); }

void MarkEndHideoutVisited(const GAME_CStaticDatabase* database)
{
    std::int32_t position = -1;
    if (database != nullptr && database->FindHideoutDataIndexed(kVisitedAtTheEnd, &position) != nullptr && position >= 0) {
        working_slot::MarkHideoutVisited(static_cast<std::uint32_t>(position));
    }
}

void GAME_CUIEnding::OnEnterState(UIScreenState state)
{
    GAME_CGameWorld& world = Context().world;
    switch (state) {
    case kOpening: {
        world.held = 1;
        // Every opening waits afresh for the other screens to go.
        retryCounter_ = 0;
        MarkEndHideoutVisited(Context().Database());
        stages_.Reset(kHullWaits);
        cowTime_ = 0;
        counter_ = 0;
        EnterStage(kHullWaits);
        world.ship->SetZoomedOut(false);
        GAME_CCamera2D& camera = *world.camera;
        camera.positionX = camera.positionY = 0.0f;
        camera.velocityX = camera.velocityY = 0.0f;
        camera.targetX = 0;
        for (std::size_t i = 0; i < cowSprites_.size(); ++i) {
            cowSprites_[i] = vesk::resource::FindSpriteIndex(kEnemySpriteGroup, kCowNames[i]);
        }
        ratSprites_ = {FindUISprite("dot_rat0_0"), FindUISprite("dot_rat0_1"), FindUISprite("dot_rat0_2")};
        working_slot::MarkEndingReachedInSystem();
        break;
    }
    case kMain:
        Context().ui.StartFade({.from = 0, .to = 0, .frames = 0, .channel = 0});
        world.shipHidden2 = 1;
        break;
    case kClosing:
        world.shipHidden2 = 0;
        counter_ = 0;
        break;
    default: break;
    }
}

bool GAME_CUIEnding::StepTransition(UIScreenState state)
{
    if (state == kOpening) return StandAlone(retryCounter_);
    return ++counter_ >= kClosingFrames;
}

void GAME_CUIEnding::UpdateMain(bool)
{
    stages_.Advance([this](Stage stage) {
        counter_ = 0;
        EnterStage(stage);
    });
    StepStage();
}

void GAME_CUIEnding::EnterStage(Stage stage)
{
    GAME_CGameWorld& world = Context().world;
    GAME_CShipBodyRender* hull = Hull();
    switch (stage) {
    case kHullWaits:
        duration_ = 180;
        viewScroll_ = 0.0f;
        ratPosition_ = kRatStart;
        endMark_ = kStartEndMark;
        walkCounter_ = 0;
        cowTime_ = 0;
        world.shipHidden = 1;
        world.shipHidden2 = 1;
        if (hull != nullptr) {
            hull->alternativeDraw = 1;
            hull->alternativeX = -kCanvasWidth;
            hull->alternativeY = 0.0f;
            hull->sinking = 0;
            hull->shakeX = hull->shakeY = 0.0f;
        }
        break;
    case kHullRollsIn: duration_ = static_cast<std::int32_t>(kCanvasWidth - kCanvasWidth * 0.5f); break;
    case kRatWalks:
        walkCounter_ = 0;
        ratPosition_ = kRatStart;
        endMark_ = kStartEndMark;
        cowTime_ = 0;
        break;
    case kFadeOut:
        endMark_ = kStartEndMark;
        cowTime_ = 0;
        duration_ = 60;
        break;
    case kFollowShot:
        duration_ = 60;
        viewScroll_ = ratPosition_ - kCanvasWidth;
        endMark_ = ratPosition_ + 1793.0f;
        if (hull != nullptr) hull->alternativeDraw = 0;
        break;
    case kCow: counter_ = 0; break;
    case kFadeToBlack:
        duration_ = 180;
        PlayUISE(static_cast<std::int32_t>(kLastStageSE));
        Context().Sound().StopBGM(180);
        break;
    }
}

void GAME_CUIEnding::WalkAndScroll(std::int32_t counterStep)
{
    ++walkCounter_;
    ratPosition_ += kRatStep;
    viewScroll_ += std::floor((std::sin(static_cast<float>(counter_ % 360) * vesk::math::kFloatDegreesToRadians) + 1.0f) * 3.0f + 1.0f);
    counter_ += counterStep;
}

void GAME_CUIEnding::StepStage()
{
    switch (stages_.Current()) {
    case kHullWaits:
        if (++counter_ >= duration_) stages_.Go(kHullRollsIn);
        break;
    case kHullRollsIn: {
        if (GAME_CShipBodyRender* hull = Hull()) {
            ++hull->animationTimer;
            if (hull->sinking == 0) hull->shakeX = hull->shakeY = 0.0f;
            const float t = static_cast<float>(counter_) / static_cast<float>(std::max(duration_, 1));
            hull->alternativeX = (t - 1.0f) * kCanvasWidth - kCanvasWidth * 0.5f * t;
            hull->alternativeY = 5.0f;
            if (counter_ + 1 >= duration_) {
                hull->alternativeX = -kCanvasWidth * 0.5f;
                hull->alternativeY = 5.0f;
            }
        }
        if (++counter_ >= duration_) stages_.Go(kRatWalks);
        break;
    }
    case kRatWalks:
        ++counter_;
        ++walkCounter_;
        ratPosition_ += kRatStep;
        if (ratPosition_ >= kCanvasWidth) stages_.Go(kFadeOut);
        break;
    case kFadeOut:
        counter_ += 2;
        ++walkCounter_;
        ratPosition_ += kRatStep;
        if (counter_ >= duration_) stages_.Go(kFollowShot);
        break;
    case kFollowShot:
        WalkAndScroll(2);
        if (counter_ >= duration_) stages_.Go(kCow);
        break;
    case kCow:
        WalkAndScroll(1);
        if (counter_ >= kCowStartsAt) ++cowTime_;
        if (ratPosition_ >= endMark_ - 120.0f) {
            ratPosition_ = endMark_ - 120.0f;
            walkCounter_ = 0;
        }
        if (viewScroll_ + 200.0f >= endMark_ - 70.0f) viewScroll_ = endMark_ - 270.0f;
        if (counter_ >= kCowFrames + kCowRestFrames) stages_.Go(kFadeToBlack);
        break;
    case kFadeToBlack:
        if (++counter_ >= duration_) {
            SetOpen(false);
            Context().ui.SetOpen(kSlotStaffRoll, true);
        }
        break;
    }
}

std::int32_t GAME_CUIEnding::CowSprite() const
{
    if (cowTime_ >= kCowFrames) return cowSprites_[kCowStanding];
    std::int32_t time = cowTime_ % kCowLoopFrames;
    for (const CowStep& step : kCowLoop) {
        if (time < step.frames) return cowSprites_[static_cast<std::size_t>(step.sprite)];
        time -= step.frames;
    }
    return cowSprites_[kCowStanding];
}

void GAME_CUIEnding::DrawTiles(int image, float scroll, float y, float pivotY) const
{
    const GAME_CBackgroundView* background = Context().world.background.get();
    const std::int32_t texture = background != nullptr ? background->GetEndingImage(image) : -1;
    if (texture < 0) return;
    vesk::graphics::DrawParam param;
    vesk::graphics::InitDrawParam(param);
    param.pivotY = pivotY;
    // Only the tiles that cover the canvas.
    float x = -std::fmod(std::max(scroll, 0.0f), kTileWidth);
    for (; x < kCanvasWidth; x += kTileWidth) DrawGroupSprite(-1, {x, y}, texture, param);
}

void GAME_CUIEnding::DrawRat() const
{
    const int frame = (walkCounter_ / 4) % 4;
    const std::int32_t sprite = ratSprites_[frame == 1 ? 1 : frame == 3 ? 2 : 0];
    vesk::graphics::DrawParam param;
    vesk::graphics::InitDrawParam(param);
    param.scaleX = param.scaleY = 2.0f;
    param.pivotX = 0.5f;
    param.pivotY = 1.0f;
    DrawUISprite({ratPosition_ - viewScroll_, kCanvasHeight - kGroundLift}, sprite, param);
    FlushUISprites();
}

void GAME_CUIEnding::DrawCow() const
{
    vesk::graphics::DrawParam param;
    vesk::graphics::InitDrawParam(param);
    param.scaleX = param.scaleY = 2.0f;
    param.pivotY = 1.0f;
    DrawGroupSprite(kEnemySpriteGroup, {endMark_ - viewScroll_ - 29.0f, kCanvasHeight - kGroundLift}, CowSprite(), param);
}

void GAME_CUIEnding::PreDraw()
{
    if (State() == kClosed) return;
    if (duration_ < 1) {
        DrawUIRect({0.0f, 0.0f}, {kCanvasWidth, kCanvasHeight}, kBlack);
        return;
    }
    DrawTiles(0, 0.75f * viewScroll_, kBarHeight, 0.0f);
    DrawRat();
    if (GAME_CShipBodyRender* hull = Hull(); hull != nullptr && hull->alternativeDraw != 0) {
        hull->DrawBody();
        hull->DrawFront();
        FlushUISprites();
    }
    DrawCow();
    // The foreground strip stands on the lower bar.
    DrawTiles(1, viewScroll_, kCanvasHeight - kBarHeight, 1.0f);
    DrawUIRect({0.0f, 0.0f}, {kCanvasWidth, kBarHeight}, kBlack);
    DrawUIRect({0.0f, kCanvasHeight - kBarHeight}, {kCanvasWidth, kBarHeight}, kBlack);
    const float share = static_cast<float>(counter_) / static_cast<float>(std::max(duration_, 1));
    switch (stages_.Current()) {
    case kHullWaits:
    case kFollowShot: DrawUIRect({0.0f, 0.0f}, {kCanvasWidth, kCanvasHeight}, Alpha(1.0f - share)); break;
    case kFadeOut:
    case kFadeToBlack: DrawUIRect({0.0f, 0.0f}, {kCanvasWidth, kCanvasHeight}, Alpha(share)); break;
    default: break;
    }
}
