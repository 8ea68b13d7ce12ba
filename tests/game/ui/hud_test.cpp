// The in-game HUD: its buttons, speed lamps and locks, the button cursor, the hideout block, the play shortcuts, the current cell with its room and the crew move.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <utility>

#include "framework/app/framework_manager.h"
#include "framework/graphics/sprite_registry.h"
#include "framework/utility/script/script_thread.h"
#include "game/services/data/id_tags.h"
#include "game/services/player/player_data.h"
#include "game/services/save/save_manager.h"
#include "game/services/data/tag.h"
#include "game/services/input/input_actions.h"
#include "game/app/scene/scene_stack.h"
#include "game/model/object/field_draw.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/room_base.h"
#include "game/ui/screens/ui_actor_status.h"
#include "game/ui/screens/ui_common.h"
#include "game/ui/screens/ui_common_access.h"
#include "game/ui/screens/ui_pause.h"
#include "game/ui/screens/ui_title.h"
#include "game/ui/ui_draw.h"
#include "game/ui/widgets/ui_icon_object.h"
#include "game/ui/widgets/ui_null_object.h"
#include "tests/game/ui/ui_test_base.h"

namespace {

class HudTest : public support::UITest {
protected:
    void SetUp() override
    {
        support::UITest::SetUp();
        UI().SetOpen(kSlotCommon, true);
        StepFrames(20);
        hud = UI().Get<GAME_CUICommon>();
        ASSERT_EQ(hud->State(), UIScreenState::kMain);
    }

    float Speed() const { return world->timeScale->speed; }
    std::uint32_t LampAlpha(int lamp) const { return hud->SpeedLamp(lamp)->Color() >> 24; }
    GAME_CShip& Ship() const { return *world->ship; }
    GAME_CRouteManager& Route() const { return *world->travel->routeManager; }
    // A route event runs while the route script's main thread does.
    void SetRouteEventRunning(bool running) const { Route().Script().GetThreads()->Main().running = running ? 1 : 0; }
    // The ship sets out from the hideout it starts at: the hideout root closes and the block covers
    // the hideout button again.
    void LeaveHideout()
    {
        Route().SetPosition(Route().GetLength() / 2);
        ASSERT_TRUE(CloseScreen(kSlotAjitoRoot));
        StepFrames(GAME_CUICommon::kSlideFrames + 2);
        ASSERT_EQ(hud->HideoutBlock()->GetPosition()->x, 0.0f);
    }

    // Clicks the middle of a button and lets its press run out.
    void ClickButton(int button)
    {
        const vesk::math::Vec2 corner = hud->Icon(button)->WorldPosition();
        const vesk::math::Vec2 size = *hud->Icon(button)->GetSize();
        ClickAt(static_cast<int>(corner.x + size.x / 2), static_cast<int>(corner.y - size.y / 2));
    }

    // The canvas point of a field point, as the crew is drawn.
    static vesk::math::Vec2 OnCanvas(float x, float y) { return CurrentFieldFrame().ToScreen({x, y}); }
    // The canvas middle of a grid cell.
    vesk::math::Vec2 CellMiddle(int column, int row) const
    {
        const float cell = Ship().grid.cellWidth;
        return OnCanvas((static_cast<float>(column) + 0.5f) * cell, (static_cast<float>(row) + 0.5f) * cell);
    }
    void ClickCell(int column, int row)
    {
        const vesk::math::Vec2 point = CellMiddle(column, row);
        ClickAt(static_cast<int>(point.x), static_cast<int>(point.y));
    }
    std::int32_t CellIndex(int column, int row) const { return row * Ship().grid.width + column; }

    // A frame drawn as the game draws one, without stepping the game.
    static void DrawFrameNow()
    {
        vesk::app::BeginFrameDraw();
        DrawSceneStack(*GetSceneStack());
        vesk::app::EndFrameDraw();
    }

    GAME_CUICommon* hud = nullptr;
};

TEST_F(HudTest, SpeedShortcutsPressTheSpeedButtonsWhoseLampsFollowTheWorldSpeed)
{
    ASSERT_EQ(Speed(), 1.0f);
    EXPECT_EQ(LampAlpha(0), 255u);

    // Up from x1 presses x2: a click at once, the speed 5 frames after the press, one lamp lit.
    PressAction(kActionSpeedUp);
    StepFrames(1);
    StepFrames(1);
    EXPECT_TRUE(Played(kSeHudPress));
    EXPECT_TRUE(hud->Icon(GAME_CUICommon::kSpeed2)->IsDecided());
    StepFrames(5);
    EXPECT_EQ(Speed(), 1.0f);
    StepFrames(1);
    EXPECT_EQ(Speed(), 2.0f);
    StepFrames(1);
    EXPECT_EQ(LampAlpha(0), 0u);
    EXPECT_EQ(LampAlpha(1), 255u);
    EXPECT_EQ(LampAlpha(2), 0u);

    // At x3 up does nothing; next wraps round to x1.
    world->timeScale->speed = 3.0f;
    PressAction(kActionSpeedUp);
    StepFrames(10);
    EXPECT_EQ(Speed(), 3.0f);
    EXPECT_EQ(LampAlpha(2), 255u);
    PressAction(kActionSpeedNext);
    StepFrames(10);
    EXPECT_EQ(Speed(), 1.0f);
    // Down at x1 does nothing.
    PressAction(kActionSpeedDown);
    StepFrames(10);
    EXPECT_EQ(Speed(), 1.0f);

    // A speed set elsewhere: 2.95 lights x2 (29 tenths below 30), and matches no button.
    world->timeScale->speed = 2.95f;
    StepFrames(1);
    EXPECT_EQ(LampAlpha(1), 255u);
    PressAction(kActionSpeedNext);
    StepFrames(10);
    EXPECT_EQ(Speed(), 2.95f);

    // The lamps stand still while a menu holds the game.
    world->held = 1;
    world->timeScale->speed = 3.0f;
    StepFrames(1);
    EXPECT_EQ(LampAlpha(1), 255u);
    EXPECT_EQ(LampAlpha(2), 0u);
    world->held = 0;
    StepFrames(1);
    EXPECT_EQ(LampAlpha(2), 255u);

    // A speed button ends a focus pause (the window stays unfocused, the pause option off).
    GetPlayerData()->pauseWhenInactive = 0;
    SetFocus(false);
    StepFrames(1);
    world->paused = 1;
    hud->Icon(GAME_CUICommon::kSpeed1)->Press();
    StepFrames(10);
    EXPECT_EQ(Speed(), 1.0f);
    EXPECT_EQ(world->paused, 0u);
}

TEST_F(HudTest, TurnsEventsAndTheUILockTakeTheHudsInputAway)
{
    // While the ship departs or arrives the HUD takes nothing.
    Ship().turnState = GAME_CShip::kTurningAway;
    PressAction(kActionSpeedUp);
    StepFrames(10);
    EXPECT_EQ(Speed(), 1.0f);
    Ship().turnState = GAME_CShip::kTurningBack;
    ClickButton(GAME_CUICommon::kSpeed3);
    StepFrames(10);
    EXPECT_EQ(Speed(), 1.0f);
    Ship().turnState = GAME_CShip::kFacingForward;

    // During a route event only the speed buttons act: no shortcut, no other button. The event runs
    // on a route of no script, whose main thread has nothing to do.
    std::unique_ptr<GAME_CRouteManager> kept = std::exchange(world->travel->routeManager, std::make_unique<GAME_CRouteManager>());
    SetRouteEventRunning(true);
    PressAction(kActionSpeedUp);
    StepFrames(10);
    EXPECT_EQ(Speed(), 1.0f);
    ClickButton(GAME_CUICommon::kSpeed3);
    StepFrames(10);
    EXPECT_EQ(Speed(), 3.0f);
    PressAction(kActionShortcutBuild);
    StepFrames(10);
    EXPECT_FALSE(UI().IsOpen(kSlotBuild));
    SetRouteEventRunning(false);
    world->travel->routeManager = std::move(kept);

    // So it is with the event window open.
    UI().SetOpen(kSlotEvent, true);
    StepFrames(1);
    hud->Update(true);
    ClickButton(GAME_CUICommon::kAllCrew);
    StepFrames(10);
    EXPECT_FALSE(UI().IsOpen(kSlotAllActorInfo));
    ASSERT_TRUE(CloseScreen(kSlotEvent));

    // Under the UI lock nothing acts.
    world->inputBlocked = 1;
    ClickButton(GAME_CUICommon::kSpeed1);
    StepFrames(10);
    EXPECT_EQ(Speed(), 3.0f);
    world->inputBlocked = 0;

    // Without the locks the build shortcut opens the build menu and holds the game.
    PressAction(kActionShortcutBuild);
    StepFrames(10);
    EXPECT_TRUE(UI().IsOpen(kSlotBuild));
    EXPECT_EQ(world->held, 1u);
}

TEST_F(HudTest, TheButtonCursorWalksRoundTheNineButtonsAndPressesTheEnabledOnes)
{
    LeaveHideout();
    PressAction(kActionGameplayMenu);
    StepFrames(1);
    EXPECT_TRUE(Played(kSeUIDecide));
    EXPECT_EQ(hud->ButtonCursor(), GAME_CUICommon::kBuild);
    EXPECT_EQ(world->camera->followsInput, 0u);
    StepFrames(1);
    EXPECT_EQ(hud->SubStateNow(), GAME_CUICommon::kButtonCursor);
    EXPECT_FALSE(hud->PassesInput());

    // The cursor stands with its bottom-left corner on the build button's point.
    const support::RecordedSpriteDraw* cursor = FindSpriteDraw(2, "ui_cursor_grid_normal");
    ASSERT_NE(cursor, nullptr);
    EXPECT_EQ(cursor->x, 518.0f);
    EXPECT_EQ(cursor->y, 345.0f);
    EXPECT_EQ(CanvasPixel(518, 344) & 0xFFFFFFu, 0xF2C94Cu);
    EXPECT_NE(CanvasPixel(518, 345) & 0xFFFFFFu, 0xF2C94Cu);

    PressAction(kActionCursorRight);
    StepFrames(1);
    EXPECT_TRUE(Played(kSeUICursor));
    EXPECT_EQ(hud->ButtonCursor(), GAME_CUICommon::kHideout);
    StepFrames(1);
    PressAction(kActionCursorRight);
    StepFrames(1);
    EXPECT_EQ(hud->ButtonCursor(), GAME_CUICommon::kAllCrew);
    StepFrames(1);
    PressAction(kActionCursorLeft);
    StepFrames(1);
    EXPECT_TRUE(Played(kSeUICursor));
    EXPECT_EQ(hud->ButtonCursor(), GAME_CUICommon::kHideout);
    StepFrames(1);

    // The hideout button is disabled without a hideout: decide plays nothing and stays.
    PressAction(kActionDecide);
    StepFrames(1);
    EXPECT_TRUE(frames.back().soundEffects.empty());
    EXPECT_EQ(hud->SubStateNow(), GAME_CUICommon::kButtonCursor);

    // A click anywhere leaves the cursor with the cancel sound.
    ClickAt(320, 100);
    StepFrames(1);
    EXPECT_TRUE(Played(kSeUICancel));
    EXPECT_EQ(world->camera->followsInput, 1u);
    StepFrames(1);
    EXPECT_EQ(hud->SubStateNow(), GAME_CUICommon::kIdle);
    EXPECT_TRUE(hud->PassesInput());

    // Decide on an enabled button presses it, as a click would.
    PressAction(kActionGameplayMenu);
    StepFrames(2);
    PressAction(kActionCursorLeft);
    StepFrames(2);
    ASSERT_EQ(hud->ButtonCursor(), GAME_CUICommon::kSpeed3);
    PressAction(kActionDecide);
    StepFrames(10);
    EXPECT_EQ(Speed(), 3.0f);
}

// A click on a button while the button cursor is up presses that button and, as any click, leaves
// the cursor: the camera follows input again. Left up, the cursor kept the view from following, and
// the build grid the build button leads to waited for good for the view to settle.
TEST_F(HudTest, AClickOnAButtonUnderTheButtonCursorPressesItAndLeavesTheCursor)
{
    PressAction(kActionGameplayMenu);
    StepFrames(2);
    ASSERT_EQ(hud->SubStateNow(), GAME_CUICommon::kButtonCursor);
    ASSERT_EQ(world->camera->followsInput, 0u);
    ClickButton(GAME_CUICommon::kBuild);
    StepFrames(10);
    EXPECT_TRUE(UI().IsOpen(kSlotBuild));
    EXPECT_EQ(hud->SubStateNow(), GAME_CUICommon::kIdle);
    EXPECT_EQ(world->camera->followsInput, 1u);
}

TEST_F(HudTest, TheHideoutBlockSlidesAwayOnlyWhileAHideoutIsInReach)
{
    // Under way there is no hideout: the block covers the button.
    GAME_CUIIconObject* hideout = hud->Icon(GAME_CUICommon::kHideout);
    LeaveHideout();
    EXPECT_TRUE(hideout->IsDisabled());
    PressAction(kActionShortcutHideout);
    StepFrames(10);
    EXPECT_FALSE(UI().IsOpen(kSlotAjitoMenu));

    // Back at the route's start the hideout root opens and the block slides away.
    Route().SetPosition(0);
    ASSERT_TRUE(StepUntil([&] { return hud->HideoutBlock()->GetPosition()->x > 0.0f; }, 5));
    EXPECT_TRUE(UI().IsOpen(kSlotAjitoRoot));
    EXPECT_TRUE(hideout->IsDisabled());
    // Pressed while the block slides, the button does not answer.
    PressAction(kActionShortcutHideout);
    StepFrames(12);
    EXPECT_EQ(hideout->State(), 1);
    EXPECT_LT(hud->HideoutBlock()->GetPosition()->x, 60.0f);
    StepFrames(2);
    EXPECT_EQ(hud->HideoutBlock()->GetPosition()->x, 60.0f);
    EXPECT_EQ(hud->HideoutBlock()->GetPosition()->y, 48.0f);
    EXPECT_FALSE(hideout->IsDisabled());
    EXPECT_FALSE(UI().IsOpen(kSlotAjitoMenu));

    PressAction(kActionShortcutHideout);
    StepFrames(10);
    EXPECT_TRUE(UI().IsOpen(kSlotAjitoMenu));

    // Setting out again brings the block back.
    ASSERT_TRUE(CloseScreen(kSlotAjitoMenu));
    LeaveHideout();
    EXPECT_TRUE(hideout->IsDisabled());
}

TEST_F(HudTest, AClickSelectsACellAndASecondOpensItsRoomWhichTheHudHighlights)
{
    GAME_CRoomBase* kitchen = Ship().PlaceRoom(2, 1, FindRoomIdIndex(MakeTag("ID04")));
    ASSERT_NE(kitchen, nullptr);

    ClickCell(3, 1);
    StepFrames(2);
    EXPECT_EQ(hud->CurrentCell(), CellIndex(3, 1));
    EXPECT_FALSE(UI().IsOpen(kSlotDiningHall));
    // The label base covers the kitchen's two cells from its anchor, tinted green.
    const support::RecordedSpriteDraw* highlight = FindSpriteDraw(2, "ui_labelbase");
    ASSERT_NE(highlight, nullptr);
    const vesk::math::Vec2 corner = OnCanvas(2.0f * Ship().grid.cellWidth, 1.0f * Ship().grid.cellHeight);
    EXPECT_FLOAT_EQ(highlight->x, corner.x);
    EXPECT_FLOAT_EQ(highlight->y, corner.y);
    // Drawn again with the build grid cursor up, which hides the highlight: a quarter of green over it.
    const auto pixel = [&] {
        DrawFrameNow();
        return CanvasPixel(static_cast<int>(CellMiddle(2, 1).x), static_cast<int>(CellMiddle(2, 1).y));
    };
    const std::uint32_t tinted = pixel();
    UI().SetOpen(kSlotBuildSelectGrid, true);
    const std::uint32_t plain = pixel();
    StepFrames(1);
    ASSERT_TRUE(CloseScreen(kSlotBuildSelectGrid));
    const auto channel = [](std::uint32_t argb, int shift) { return static_cast<float>((argb >> shift) & 0xFFu); };
    EXPECT_NEAR(channel(tinted, 16), channel(plain, 16) * 0.75f, 2.0f);
    EXPECT_NEAR(channel(tinted, 8), channel(plain, 8) * 0.75f + 255.0f * 0.25f, 2.0f);
    EXPECT_NEAR(channel(tinted, 0), channel(plain, 0) * 0.75f + 120.0f * 0.25f, 2.0f);

    ClickCell(3, 1);
    StepFrames(2);
    EXPECT_TRUE(UI().IsOpen(kSlotDiningHall));
    EXPECT_EQ(UI().GetScreen(kSlotDiningHall)->target, kitchen);
    ASSERT_TRUE(CloseScreen(kSlotDiningHall));

    // Hovering moves the current cell while the camera is free, not while it follows something.
    PointerMove(static_cast<int>(CellMiddle(5, 2).x), static_cast<int>(CellMiddle(5, 2).y));
    StepFrames(2);
    EXPECT_EQ(hud->CurrentCell(), CellIndex(5, 2));
    EXPECT_EQ(FindSpriteDraw(2, "ui_labelbase"), nullptr);
    world->camera->mode = GAME_CCamera2D::kFollowObject;
    PointerMove(static_cast<int>(CellMiddle(3, 1).x), static_cast<int>(CellMiddle(3, 1).y));
    StepFrames(2);
    EXPECT_EQ(hud->CurrentCell(), CellIndex(5, 2));
    world->camera->mode = GAME_CCamera2D::kFree;

    // A press selects like a click; held down and dragged over the kitchen, it selects nothing more.
    PointerDown(static_cast<int>(CellMiddle(6, 2).x), static_cast<int>(CellMiddle(6, 2).y));
    StepFrames(1);
    EXPECT_EQ(hud->CurrentCell(), CellIndex(6, 2));
    PointerMove(static_cast<int>(CellMiddle(2, 1).x), static_cast<int>(CellMiddle(2, 1).y));
    StepFrames(3);
    EXPECT_EQ(hud->CurrentCell(), CellIndex(6, 2));
    PointerUp();
    StepFrames(1);

    // With the pad cursor on, a decide with no crew, no item and no room on the current cell still
    // uses the decide up: the speed shortcut of the same frame does nothing.
    PointerMove(-50, -50);
    SetPadCursorOn(*world, true);
    PressAction(kActionDecide);
    PressAction(kActionSpeedNext);
    StepFrames(10);
    EXPECT_EQ(Speed(), 1.0f);
    EXPECT_FALSE(UI().IsOpen(kSlotDiningHall));
}

// A decide on the keys puts the pad cursor up in the middle of the view; the mouse takes over again
// at its first click, which lands where it is clicked: two clicks on a room below the pad cursor
// select it and open it, quick taps as well as clicks.
TEST_F(HudTest, AClickTakesTheShipViewBackFromThePadCursorWhereItLands)
{
    GAME_CRoomBase* kitchen = Ship().PlaceRoom(2, 1, FindRoomIdIndex(MakeTag("ID04")));
    ASSERT_NE(kitchen, nullptr);
    PointerMove(-50, -50);
    PressAction(kActionDecide);
    StepFrames(2);
    ASSERT_TRUE(IsPadCursorOn(*world));
    float column = 0.0f;
    float row = 0.0f;
    ASSERT_TRUE(Ship().GetCellUnderCursor(&column, &row, false, false, nullptr));
    ASSERT_LT(row, 1.0f) << "the pad cursor stands above the kitchen";

    ClickCell(3, 1);
    StepFrames(2);
    EXPECT_FALSE(IsPadCursorOn(*world));
    EXPECT_EQ(hud->CurrentCell(), CellIndex(3, 1));
    ClickCell(3, 1);
    StepFrames(2);
    ASSERT_TRUE(UI().IsOpen(kSlotDiningHall));
    EXPECT_EQ(UI().GetScreen(kSlotDiningHall)->target, kitchen);
    ASSERT_TRUE(CloseScreen(kSlotDiningHall));

    PressAction(kActionDecide);
    StepFrames(2);
    ASSERT_TRUE(IsPadCursorOn(*world));
    const vesk::math::Vec2 kitchenCell = CellMiddle(2, 1);
    TapAt(static_cast<int>(kitchenCell.x), static_cast<int>(kitchenCell.y));
    StepFrames(2);
    EXPECT_FALSE(IsPadCursorOn(*world));
    TapAt(static_cast<int>(kitchenCell.x), static_cast<int>(kitchenCell.y));
    StepFrames(2);
    EXPECT_TRUE(UI().IsOpen(kSlotDiningHall));
}

TEST_F(HudTest, OnTheStartRouteTheCurrentCellFollowsThePointerWhateverTheCameraDoes)
{
    world->camera->mode = GAME_CCamera2D::kFollowObject;
    ASSERT_TRUE(Route().LoadStartRoute());
    ASSERT_TRUE(Route().IsStartRoute());
    // Also while the start route's event window keeps the input from the HUD.
    PointerMove(static_cast<int>(CellMiddle(3, 1).x), static_cast<int>(CellMiddle(3, 1).y));
    StepFrames(2);
    EXPECT_TRUE(UI().IsOpen(kSlotEvent));
    EXPECT_EQ(hud->CurrentCell(), CellIndex(3, 1));
    PointerMove(static_cast<int>(CellMiddle(1, 2).x), static_cast<int>(CellMiddle(1, 2).y));
    StepFrames(1);
    EXPECT_EQ(hud->CurrentCell(), CellIndex(1, 2));
    // Off the grid there is no current cell.
    PointerMove(-50, -50);
    StepFrames(1);
    EXPECT_EQ(hud->CurrentCell(), GAME_CUICommon::kNoCell);
}

TEST_F(HudTest, ACarriedCrewMemberFollowsThePointerAndIsBoundWhereItIsDroppedInARoomsMiddle)
{
    const std::int32_t kitchenKind = FindRoomIdIndex(MakeTag("ID04"));
    GAME_CRoomBase* kitchen = Ship().PlaceRoom(2, 1, kitchenKind);
    GAME_CRoomBase* store = Ship().PlaceRoom(6, 1, FindRoomIdIndex(MakeTag("ID20")));
    ASSERT_NE(kitchen, nullptr);
    ASSERT_NE(store, nullptr);
    GAME_CObjectActor* member = world->fieldObjects->AcquireActorObject();
    ASSERT_NE(member, nullptr);
    ActorSetupRecord setup;
    Ship().GetCellFloorPoint(0, 1, &setup.x, &setup.y, false);
    member->Init(setup);
    StepFrames(1);

    hud->BeginMoveActor(member);
    EXPECT_EQ(member->held, 1);
    EXPECT_TRUE(member->IsInActionLabel());
    StepFrames(1);
    EXPECT_EQ(hud->SubStateNow(), GAME_CUICommon::kCrewMove);
    EXPECT_FALSE(hud->PassesInput());

    // The member follows the pointer; off the grid or on a cell outside the hull it stays put.
    const float cell = Ship().grid.cellWidth;
    const vesk::math::Vec2 onKitchen = OnCanvas(3.0f * cell, 2.0f * cell - 1.0f);
    PointerMove(static_cast<int>(onKitchen.x), static_cast<int>(onKitchen.y));
    StepFrames(1);
    const vesk::math::Vec2 kept = member->position;
    EXPECT_NEAR(kept.x, 3.0f * cell, 2.0f);
    const vesk::math::Vec2 offGrid = OnCanvas(-2.0f * cell, 1.5f * cell);
    PointerMove(static_cast<int>(offGrid.x), static_cast<int>(offGrid.y));
    StepFrames(1);
    EXPECT_EQ(member->position.x, kept.x);
    const vesk::math::Vec2 outsideHull = OnCanvas(15.5f * cell, 1.5f * cell);
    PointerMove(static_cast<int>(outsideHull.x), static_cast<int>(outsideHull.y));
    StepFrames(1);
    EXPECT_EQ(member->position.x, kept.x);

    // Dropped in the kitchen's middle, which takes workers: bound, with the HUD's click.
    PointerMove(static_cast<int>(onKitchen.x), static_cast<int>(onKitchen.y));
    StepFrames(1);
    ClickAt(320, 100);
    StepFrames(1);
    EXPECT_TRUE(Played(kSeHudPress));
    EXPECT_EQ(member->workLink.room, kitchen);
    EXPECT_EQ(member->held, 0);
    StepFrames(1);
    EXPECT_EQ(hud->SubStateNow(), GAME_CUICommon::kIdle);
    EXPECT_EQ(hud->MovedActor(), nullptr);

    // Dropped on the storeroom, which takes no workers, it is only put down.
    hud->BeginMoveActor(member);
    const vesk::math::Vec2 onStore = OnCanvas(6.5f * cell, 2.0f * cell - 1.0f);
    PointerMove(static_cast<int>(onStore.x), static_cast<int>(onStore.y));
    StepFrames(2);
    ClickAt(320, 100);
    StepFrames(1);
    EXPECT_FALSE(Played(kSeHudPress));
    EXPECT_EQ(member->workLink.room, kitchen);
    EXPECT_NEAR(member->position.x, 6.5f * cell, 2.0f);
    EXPECT_EQ(member->held, 0);

    // Ended from outside, the member is let go where it is.
    hud->BeginMoveActor(member);
    StepFrames(1);
    hud->BeginMoveActor(nullptr);
    EXPECT_EQ(member->held, 0);
    EXPECT_TRUE(member->IsInNoActionLabel());
    StepFrames(1);
    EXPECT_EQ(hud->SubStateNow(), GAME_CUICommon::kIdle);

    // A click on a free crew member shows it and the camera follows it.
    const vesk::math::Vec2 standing = OnCanvas(member->position.x, member->position.y - 4.0f);
    ClickAt(static_cast<int>(standing.x), static_cast<int>(standing.y));
    StepFrames(2);
    EXPECT_TRUE(UI().IsOpen(kSlotActorStatus));
    EXPECT_EQ(UI().Get<GAME_CUIActorStatus>()->targetActor, member);
    EXPECT_EQ(world->camera->mode, static_cast<std::uint32_t>(GAME_CCamera2D::kFollowObject));
    EXPECT_EQ(world->camera->followedObject, member);
}

// On a hull turned for the way back the rooms are drawn mirrored and the cell under the pointer is
// found so, whatever the player data's option words hold. The highlight honoured one of them and,
// with it set, covered the mirror image of the room under the pointer.
TEST_F(HudTest, OnAMirroredHullTheHighlightCoversTheRoomUnderThePointer)
{
    GAME_CRoomBase* kitchen = Ship().PlaceRoom(2, 1, FindRoomIdIndex(MakeTag("ID04")));
    ASSERT_NE(kitchen, nullptr);
    Ship().body->scaleX = -std::fabs(Ship().body->scaleX);
    for (const std::uint32_t option : {0u, 1u}) {
        GetPlayerData()->noScrollClamp = option;
        PointerMove(static_cast<int>(CellMiddle(5, 2).x), static_cast<int>(CellMiddle(5, 2).y));
        StepFrames(2);
        ASSERT_EQ(hud->CurrentCell(), CellIndex(5, 2));
        PointerMove(static_cast<int>(CellMiddle(3, 1).x), static_cast<int>(CellMiddle(3, 1).y));
        StepFrames(2);
        ASSERT_EQ(hud->CurrentCell(), CellIndex(3, 1)) << option;
        const support::RecordedSpriteDraw* highlight = FindSpriteDraw(2, "ui_labelbase");
        ASSERT_NE(highlight, nullptr);
        // The kitchen's two cells run leftwards from column 2: its left edge is column 4's.
        const vesk::math::Vec2 corner = OnCanvas(4.0f * Ship().grid.cellWidth, 1.0f * Ship().grid.cellHeight);
        EXPECT_FLOAT_EQ(highlight->x, corner.x) << option;
        EXPECT_FLOAT_EQ(highlight->y, corner.y) << option;
    }
}

// The window losing the focus opens the pause menu over a crew member carried or the button cursor;
// its return to the title closes the HUD. Both stayed in the closed HUD and came back with the next
// game: the loaded game began with one of its crew in the player's hand (the pooled object of the
// one carried before) and the ship view deaf to every input, or with the camera held behind a
// button cursor left up.
class HudReturnToTitleTest : public support::GameFixture {
protected:
    void ReturnToTitleAndContinue()
    {
        SetFocus(false);
        StepFrames(2);
        SetFocus(true);
        ASSERT_TRUE(StepUntil([&] { return UI().Get<GAME_CUIPause>()->State() == GAME_CUIPause::kMain; }, 40));
        StepFrames(1);
        // Up from the return to the game reaches the quit entry; up twice more, its return to the title.
        for (const int action : {kActionCursorUp, kActionDecide, kActionCursorUp, kActionCursorUp, kActionDecide}) {
            PressAction(action);
            StepFrames(12);
        }
        ASSERT_TRUE(StepUntil([&] { return UI().Get<GAME_CUITitle>()->GetSubState() == GAME_CUITitle::kPressStart; }, 400));
        PressAction(kActionDecide);
        StepFrames(2);
        PressAction(kActionDecide);
        ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotTitle) && Hud().State() == UIScreenState::kMain; }, 400));
        StepFrames(2);
    }

    GAME_CUICommon& Hud() const { return *UI().Get<GAME_CUICommon>(); }
};

TEST_F(HudReturnToTitleTest, NeitherACarriedCrewMemberNorTheButtonCursorOutlivesIt)
{
    ASSERT_NO_FATAL_FAILURE(StartNewGameToFirstRoad());
    GAME_CGameWorld& world = *GetGameWorld();
    ASSERT_FALSE(world.fieldObjects->crew.empty());
    ASSERT_TRUE(GetSaveManager()->RequestSaveSlot(1));
    ASSERT_TRUE(StepUntilSaveIdle());

    Hud().BeginMoveActor(world.fieldObjects->crew.front());
    StepFrames(2);
    ASSERT_EQ(Hud().SubStateNow(), GAME_CUICommon::kCrewMove);
    ASSERT_NO_FATAL_FAILURE(ReturnToTitleAndContinue());
    ASSERT_FALSE(world.fieldObjects->crew.empty());
    for (const GAME_CObjectActor* loaded : world.fieldObjects->crew) EXPECT_EQ(loaded->held, 0);
    EXPECT_EQ(Hud().MovedActor(), nullptr);
    EXPECT_EQ(Hud().SubStateNow(), GAME_CUICommon::kIdle);
    EXPECT_TRUE(Hud().PassesInput());

    PressAction(kActionGameplayMenu);
    StepFrames(2);
    ASSERT_EQ(Hud().SubStateNow(), GAME_CUICommon::kButtonCursor);
    ASSERT_EQ(world.camera->followsInput, 0u);
    ASSERT_NO_FATAL_FAILURE(ReturnToTitleAndContinue());
    EXPECT_EQ(Hud().SubStateNow(), GAME_CUICommon::kIdle);
    EXPECT_EQ(world.camera->followsInput, 1u);
}

TEST_F(HudTest, TheZoomedOutViewReturnsOnDecideCancelOuterOrAClickAboveTheBarAndNothingElseRuns)
{
    Ship().SetZoomedOut(true);
    ASSERT_TRUE(StepUntil([&] { return Ship().body->IsZoomedOut(); }, 60));
    PressAction(kActionCancel);
    PressAction(kActionSpeedNext);
    StepFrames(1);
    EXPECT_EQ(Ship().body->targetState, static_cast<std::uint32_t>(GAME_CShipBodyRender::kZoomingIn));
    StepFrames(10);
    EXPECT_EQ(Speed(), 1.0f);
    ASSERT_TRUE(StepUntil([&] { return !Ship().body->IsZoomChanging(); }, 60));

    Ship().SetZoomedOut(true);
    ASSERT_TRUE(StepUntil([&] { return Ship().body->IsZoomedOut(); }, 60));
    ClickAt(320, 150);
    StepFrames(1);
    EXPECT_EQ(Ship().body->targetState, static_cast<std::uint32_t>(GAME_CShipBodyRender::kZoomingIn));
    ASSERT_TRUE(StepUntil([&] { return !Ship().body->IsZoomChanging(); }, 60));

    // Zoomed out, the other shortcuts work as in the normal view.
    Ship().SetZoomedOut(true);
    ASSERT_TRUE(StepUntil([&] { return Ship().body->IsZoomedOut(); }, 60));
    PressAction(kActionSpeedNext);
    StepFrames(10);
    EXPECT_EQ(Speed(), 2.0f);
}

TEST_F(HudTest, LanguagesPickTheButtonLetteringAndReopeningWhileClosingFinishesTheClosingFirst)
{
    GAME_CUIIconObject* build = hud->Icon(GAME_CUICommon::kBuild);
    const auto sprite = [](const char* name) { return vesk::resource::FindSpriteIndex(2, name); };
    GetPlayerData()->language = 3;
    hud->ApplyLanguageTextures();
    build->Press();
    StepFrames(1);
    EXPECT_NE(FindSpriteDraw(2, "ui_common_build_touch_eng"), nullptr);
    StepFrames(10);
    EXPECT_NE(FindSpriteDraw(2, "ui_common_build_eng"), nullptr);
    GetPlayerData()->language = 2;
    hud->ApplyLanguageTextures();
    StepFrames(1);
    EXPECT_NE(FindSpriteDraw(2, "ui_common_build_kr"), nullptr);
    EXPECT_GE(sprite("ui_common_questlist_touch_eng"), 0);

    hud->SetOpen(false);
    StepFrames(1);
    ASSERT_EQ(hud->State(), UIScreenState::kClosing);
    hud->SetOpen(true);
    EXPECT_EQ(hud->State(), UIScreenState::kClosed);
    EXPECT_TRUE(hud->IsOpen());
    StepFrames(20);
    EXPECT_EQ(hud->State(), UIScreenState::kMain);
}

}  // namespace
