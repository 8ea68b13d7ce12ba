// Tests of the background view: time-of-day phases, the route's objects, the near-view passes and the saved records.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "framework/graphics/polygon_render.h"
#include "game/services/data/static_database.h"
#include "game/model/travel/travel_controller.h"
#include "game/model/world/background_view.h"
#include "game/services/clock/game_clock.h"
#include "game/model/world/game_world.h"
#include "tests/support/game_fixture.h"

namespace {

constexpr int kNearViewGroup = GAME_CBackgroundView::kNearViewSpriteGroup;

class BackgroundView : public support::GameFixture {
protected:
    void SetUp() override
    {
        support::GameFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(StartPlaying());
        world = GetGameWorld();
        view = world->background.get();
    }

    void Start(std::uint32_t routeId, bool forward = true)
    {
        StartRoute(*world->travel, &routeId, forward, {}, {});
        ASSERT_NE(world->travel->routeManager, nullptr);
        view->SetRoute(*world->travel->routeManager);
    }

    // The x of each draw of the sprite in the last frame, in draw order.
    std::vector<float> DrawsOf(std::int32_t sprite) const
    {
        std::vector<float> xs;
        for (const auto& draw : frames.back().sprites) {
            if (draw.group == kNearViewGroup && draw.ref == sprite) xs.push_back(draw.x);
        }
        return xs;
    }

    // The sprites of one layer in draw order, each run of one sprite counted once: the layer's
    // sprites of the first view are first..last, of the second view next..nextLast.
    std::vector<std::int32_t> NearLayerRefs(std::int32_t first, std::int32_t last, std::int32_t next,
                                            std::int32_t nextLast) const
    {
        std::vector<std::int32_t> refs;
        for (const auto& draw : frames.back().sprites) {
            const bool ofLayer = (draw.ref >= first && draw.ref <= last) || (draw.ref >= next && draw.ref <= nextLast);
            if (draw.group == kNearViewGroup && ofLayer && (refs.empty() || refs.back() != draw.ref)) {
                refs.push_back(draw.ref);
            }
        }
        return refs;
    }

    GAME_CGameWorld* world = nullptr;
    GAME_CBackgroundView* view = nullptr;
};

TEST_F(BackgroundView, APhaseChangeOfTheClockShowsThirtyStepsLater)
{
    GAME_CGameClock* clock = GetGameClock();
    clock->step = 100;
    view->Update();
    ASSERT_EQ(view->ShownPhase(), 0);
    clock->step = clock->phaseLengths[0];
    view->Update();
    EXPECT_EQ(view->TargetPhase(), 1);
    for (int i = 0; i < 28; ++i) view->Update();
    EXPECT_EQ(view->ShownPhase(), 0);
    view->Update();
    EXPECT_EQ(view->ShownPhase(), 1);
}

TEST_F(BackgroundView, ObjectsArePlacedOnceRecycledWhenAllAreOutAndMirrored)
{
    Start(2);
    view->ReleaseObjects();
    view->PlaceObject(100, 2, 1000, false);
    view->PlaceObject(100, 2, 1000, false);
    EXPECT_EQ(view->ActiveObjects().size(), 1u);
    view->PlaceObject(100, 2, 900, false);  // another depth is another object
    EXPECT_EQ(view->ActiveObjects().size(), 2u);
    view->PlaceObject(100, 9999, 1000, false);  // no such sprite
    EXPECT_EQ(view->ActiveObjects().size(), 2u);
    EXPECT_EQ(view->FreeObjectCount(), GAME_CBackgroundView::kObjectCount - 2u);

    for (int i = 0; i < GAME_CBackgroundView::kObjectCount; ++i) view->PlaceObject(1000 + i, 1, 1000, false);
    ASSERT_EQ(view->ActiveObjects().size(), static_cast<std::size_t>(GAME_CBackgroundView::kObjectCount));
    EXPECT_EQ(view->ActiveObjects().front()->routePosition, 1000);  // the two first ones were taken again
    EXPECT_EQ(view->ActiveObjects().back()->routePosition, 1000 + GAME_CBackgroundView::kObjectCount - 1);

    view->RemoveObjectsInRange(1100, 1000, 1);
    EXPECT_EQ(view->ActiveObjects().size(), GAME_CBackgroundView::kObjectCount - 101u);
    view->MirrorObjects(3000);
    EXPECT_EQ(view->ActiveObjects().front()->routePosition, 3000 - 1101);

    // A road run backward converts the placed position unless the place is kept.
    Start(2, false);
    view->ReleaseObjects();
    view->PlaceObject(100, 2, 1000, false);
    view->PlaceObject(200, 2, 1000, true);
    EXPECT_EQ(view->ActiveObjects()[0]->routePosition, 3000 - 100);
    EXPECT_EQ(view->ActiveObjects()[1]->routePosition, 200);
}

TEST_F(BackgroundView, TheSameNearViewOnBothSidesTilesTheWholeWidth)
{
    Start(1);  // dunes on both sides
    StepFrames(1);
    const float period = GAME_CBackgroundView::kPeriodUnits * view->Scale() / 2.0f;
    for (std::int32_t tile : {0, 3}) {
        const std::vector<float> xs = DrawsOf(tile);
        ASSERT_FALSE(xs.empty()) << "tile " << tile;
        EXPECT_LE(xs.front(), 0.0f);
        EXPECT_LT(xs.back(), 640.0f);
        EXPECT_GE(xs.back() + period, 640.0f);
        for (std::size_t i = 1; i < xs.size(); ++i) EXPECT_NEAR(xs[i] - xs[i - 1], period, 0.01f);
    }
}

TEST_F(BackgroundView, DuringAChangeOfViewTheFirstRunsToTheSeamAndTheSecondOnToTheEdge)
{
    Start(2);  // dunes into rocks
    StepFrames(1);
    // The near layer: dunes tiles (0) up to the seam, the dunes' end piece (2), the rocks' start
    // piece (7), then rocks tiles (6) to the right edge; the front layer the same with its sprites.
    EXPECT_EQ(NearLayerRefs(0, 2, 6, 8), (std::vector<std::int32_t>{0, 2, 7, 6}));
    EXPECT_EQ(NearLayerRefs(3, 5, 9, 11), (std::vector<std::int32_t>{3, 5, 10, 9}));
    const std::vector<float> rocks = DrawsOf(6);
    ASSERT_FALSE(rocks.empty());
    EXPECT_GE(rocks.back() + GAME_CBackgroundView::kPeriodUnits * view->Scale() / 2.0f, 640.0f);
    EXPECT_LE(DrawsOf(0).front(), 0.0f);
}

TEST_F(BackgroundView, NarrowOrMissingScenerySafelyDrawsNothingAndPassesEndClean)
{
    Start(2);
    // A zoom of 0 gives a period of 0: every pass ends at once.
    world->camera->zoom = 0.0f;
    view->Update();
    view->DrawDistantView();
    view->DrawNearViews();
    view->DrawFrontLayer();
    world->camera->zoom = 2.0f;
    view->Update();

    // A near view whose sprites are missing binds without dividing by zero and draws nothing.
    GetStaticDatabase()->AddNearViewData({{-1, -1, -1, -1, -1, -1}});
    const auto last = static_cast<std::int32_t>(GetStaticDatabase()->NearViews().size() - 1);
    RouteData* record = const_cast<RouteData*>(world->travel->routeManager->GetRouteRecord());
    record->nearViewA = last;
    record->nearViewB = 0;
    std::uint32_t other = 1;
    StartRoute(*world->travel, &other, true, {}, {});
    view->SetRoute(*world->travel->routeManager);
    std::uint32_t again = 2;
    StartRoute(*world->travel, &again, true, {}, {});
    view->SetRoute(*world->travel->routeManager);
    StepFrames(1);

    // With no object out the object pass still ends its batch.
    view->ReleaseObjects();
    view->DrawObjects();
    EXPECT_EQ(vesk::graphics::GetSpriteDrawState().group, -1);
}

TEST_F(BackgroundView, TheSavedRecordsBringBackTheOffsetsViewsAndObjects)
{
    Start(2);
    world->travel->routeManager->SetPosition(40);
    for (int i = 0; i < 5; ++i) {
        world->travel->routeManager->Move(7.0f);
        view->Update();
    }
    view->PlaceObject(500, 3, 1250, false);
    std::vector<std::uint8_t> record(GAME_CBackgroundView::kSaveRecordSize);
    std::vector<std::uint8_t> objects(GAME_CBackgroundView::kObjectListSize);
    view->WriteSaveRecord(record, objects);
    const auto offsets = view->Offsets();
    const std::size_t count = view->ActiveObjects().size();

    GAME_CBackgroundView fresh;
    std::vector<std::uint8_t> block(23724, 0);
    block[0] = 2;
    fresh.ReadSaveRecord(record, block, objects);
    EXPECT_EQ(fresh.Offsets(), offsets);
    EXPECT_EQ(fresh.NearViewId(0), 0);
    EXPECT_EQ(fresh.NearViewId(1), 1);
    EXPECT_EQ(fresh.BoundRouteId(), 2);
    ASSERT_EQ(fresh.ActiveObjects().size(), count);
    EXPECT_EQ(fresh.ActiveObjects().back()->routePosition, 500);
    EXPECT_FLOAT_EQ(fresh.ActiveObjects().back()->scale, 1.25f);
    std::vector<std::uint8_t> again(GAME_CBackgroundView::kObjectListSize);
    std::vector<std::uint8_t> recordAgain(GAME_CBackgroundView::kSaveRecordSize);
    fresh.WriteSaveRecord(recordAgain, again);
    EXPECT_EQ(again, objects);
    EXPECT_EQ(recordAgain, record);
}

}  // namespace
