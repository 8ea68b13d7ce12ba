// The screen state machine: a fade mover held by a busy widget, the game hold, a page walk and the dialog a closing screen owns.
#include <gtest/gtest.h>

#include <vector>

#include "game/ui/dialog_flow.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_manager.h"
#include "game/ui/ui_screen.h"
#include "tests/game/ui/ui_test_base.h"

namespace {

class BusyWidget : public GAME_CUINullObject {
public:
    explicit BusyWidget(UINullObjectDesc* desc) : GAME_CUINullObject(desc) {}
    bool IsBusy() const override { return busy; }
    bool busy = false;
};

enum class Step { kFirst, kSecond, kThird };

class KitScreen : public GAME_CUIScreen {
public:
    static constexpr std::int32_t kFadeFrames = 4;

    explicit KitScreen(const UIScreenContext& context, int holdStaysWithSlot = -1)
        : GAME_CUIScreen({.mover = {.kind = UIMover::Kind::kFade, .frames = kFadeFrames}, .holdsGame = true,
                          .dialog = UIDialogOnClose::kClose, .holdStaysWithSlot = holdStaysWithSlot},
                         &context)
    {
        UINullObjectDesc desc;
        InitUINullObjectDesc(&desc);
        busy = new BusyWidget(&desc);
        AddWidget(busy);
    }

    BusyWidget* busy = nullptr;
    UIPages<Step> pages{Step::kFirst};
    std::vector<Step> entered;

protected:
    void UpdateMain(bool) override
    {
        pages.Advance([this](Step step) { entered.push_back(step); });
    }
};

class ScreenKitTest : public support::UITest {};

TEST_F(ScreenKitTest, AFadedScreenWaitsForItsBusyWidgetWalksItsPagesAndClosesItsDialogAndHold)
{
    UIScreenContext context{*world, *UIManagerOf(world)};
    KitScreen screen(context);
    world->held = 0;
    screen.busy->busy = true;
    screen.SetOpen(true);
    screen.Update(false);
    EXPECT_EQ(screen.State(), UIScreenState::kOpening);
    EXPECT_EQ(world->held, 1u);
    EXPECT_FLOAT_EQ(screen.MoverAlpha(), 0.25f);
    for (int frame = 0; frame < 10; ++frame) screen.Update(false);
    EXPECT_FLOAT_EQ(screen.MoverAlpha(), 1.0f);
    EXPECT_EQ(screen.State(), UIScreenState::kOpening) << "a busy widget holds the opening after the fade";
    screen.busy->busy = false;
    screen.Update(false);
    screen.Update(false);
    ASSERT_EQ(screen.State(), UIScreenState::kMain);

    screen.pages.Go(Step::kThird);
    screen.Update(true);
    screen.pages.Go(Step::kThird);
    screen.Update(true);
    screen.pages.Go(Step::kSecond);
    screen.Update(true);
    EXPECT_EQ(screen.entered, (std::vector<Step>{Step::kThird, Step::kSecond})) << "a page enters once, when it changes";

    AskInDialog(kSlotPause, {.text = u"?"});
    ASSERT_TRUE(IsDialogShown());
    screen.SetOpen(false);
    screen.Update(false);
    EXPECT_EQ(screen.State(), UIScreenState::kClosing);
    EXPECT_FLOAT_EQ(screen.MoverAlpha(), 0.75f) << "the closing fades back from where the opening ended";
    EXPECT_TRUE(StepUntil([] { return !IsDialogShown(); }, 30)) << "closing takes the screen's dialog with it";
    for (int frame = 0; frame < KitScreen::kFadeFrames && screen.IsOpen(); ++frame) screen.Update(false);
    EXPECT_FALSE(screen.IsOpen());
    EXPECT_EQ(world->held, 0u) << "the hold goes with the screen";

    // A screen that goes back to the pause menu leaves the hold to it while it is open.
    KitScreen passing(context, kSlotPause);
    passing.SetOpen(true);
    for (int frame = 0; frame < 10 && passing.State() != UIScreenState::kMain; ++frame) passing.Update(false);
    UI().SetOpen(kSlotPause, true);
    passing.SetOpen(false);
    for (int frame = 0; frame < 10 && passing.IsOpen(); ++frame) passing.Update(false);
    EXPECT_FALSE(passing.IsOpen());
    EXPECT_EQ(world->held, 1u) << "the pause menu holds the game on";
}

// A screen closed halfway through its slide leaves from where it stands towards its own closing point.
class SlideScreen : public GAME_CUIScreen {
public:
    SlideScreen()
        : GAME_CUIScreen({.mover = {.shown = {100.0f, 0.0f}, .hidden = {100.0f, -200.0f}, .closedAt = TweenPoint{300.0f, 0.0f},
                                    .closesFromWhereItStands = true}},
                         nullptr)
    {
    }
};

TEST_F(ScreenKitTest, ASlideCutShortClosesFromWhereItStandsToItsClosingPoint)
{
    SlideScreen screen;
    screen.SetOpen(true);
    for (int frame = 0; frame < 5; ++frame) screen.Update(false);
    const vesk::math::Vec2 halfway = *screen.Root()->GetPosition();
    ASSERT_GT(halfway.y, -200.0f);
    ASSERT_LT(halfway.y, 0.0f);
    screen.SetOpen(false);
    screen.Update(false);
    const vesk::math::Vec2 first = *screen.Root()->GetPosition();
    EXPECT_GT(first.x, 100.0f);
    EXPECT_LT(first.y, 0.0f) << "no jump to the shown point first";
    EXPECT_GT(first.y, halfway.y);
    for (int frame = 0; frame < UIMover::kSlideFrames && screen.IsOpen(); ++frame) screen.Update(false);
    EXPECT_FALSE(screen.IsOpen());
    EXPECT_FLOAT_EQ(screen.Root()->GetPosition()->x, 300.0f);
}

}  // namespace
