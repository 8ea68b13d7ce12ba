// The knock-back mover: speed, overshoot, delay and the edge cases of its start.
#include <algorithm>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "framework/utility/move_control/knock_back.h"

using vesk::math::Vec2;
using vesk::utility::move_control::UTL_CKnockBack;

namespace {

// Applies until the mover finishes; returns the frames taken and every
// position passed.
struct MoveRun {
    int frames = 0;
    std::vector<Vec2> path;
};

MoveRun RunToEnd(UTL_CKnockBack& mover, Vec2& position, int limit = 1000)
{
    MoveRun run;
    while (mover.IsActive() && run.frames < limit) {
        mover.Apply(position);
        run.path.push_back(position);
        ++run.frames;
    }
    return run;
}

}  // namespace

TEST(KnockBack, ReachesTheTargetAtConstantSpeedInAboutTheGivenFrames)
{
    UTL_CKnockBack mover(10, 0, 0.0f, {100, 0}, 0.5f);
    Vec2 position{0, 0};
    mover.Start(position);
    EXPECT_FLOAT_EQ(mover.GetSpeed(), 10.0f);

    mover.Apply(position);
    EXPECT_FLOAT_EQ(position.x, 10.0f);
    EXPECT_FLOAT_EQ(mover.GetProgress(), 0.0f);  // measured before the step

    const MoveRun run = RunToEnd(mover, position);
    EXPECT_FALSE(mover.IsActive());
    EXPECT_FLOAT_EQ(position.x, 100.0f);
    EXPECT_FLOAT_EQ(position.y, 0.0f);
    // 9 more steps, one frame to notice the arrival, one for the empty return leg.
    EXPECT_EQ(run.frames, 11);
    EXPECT_FLOAT_EQ(mover.GetProgress(), 1.0f);
}

TEST(KnockBack, OvershootPassesTheTargetAndComesBack)
{
    UTL_CKnockBack mover(4, 0, 20.0f, {40, 0}, 0.0f);
    Vec2 position{0, 0};
    mover.Start(position);
    EXPECT_FLOAT_EQ(mover.GetOvershootPoint().x, 60.0f);
    EXPECT_FLOAT_EQ(mover.GetOvershootPoint().y, 0.0f);

    const MoveRun run = RunToEnd(mover, position);
    float furthest = 0.0f;
    for (const Vec2& p : run.path) {
        furthest = std::max(furthest, p.x);
        EXPECT_FLOAT_EQ(p.y, 0.0f);
    }
    EXPECT_FLOAT_EQ(furthest, 60.0f);
    EXPECT_FLOAT_EQ(position.x, 40.0f);
    EXPECT_FALSE(mover.IsActive());
}

TEST(KnockBack, OvershootFollowsTheDirectionOfTravel)
{
    UTL_CKnockBack mover(1, 0, 5.0f, {0, 0}, 0.0f);
    mover.Start({-3, -4});
    EXPECT_FLOAT_EQ(mover.GetOvershootPoint().x, 3.0f);
    EXPECT_FLOAT_EQ(mover.GetOvershootPoint().y, 4.0f);
}

TEST(KnockBack, DelayKeepsThePositionForThatManyFrames)
{
    UTL_CKnockBack mover(2, 3, 0.0f, {10, 10}, 0.0f);
    Vec2 position{0, 0};
    mover.Start(position);
    for (int frame = 0; frame < 3; ++frame) {
        mover.Apply(position);
        EXPECT_EQ(position, (Vec2{0, 0})) << "frame " << frame;
    }
    mover.Apply(position);
    EXPECT_FLOAT_EQ(position.x, 5.0f);
    EXPECT_FLOAT_EQ(position.y, 5.0f);
}

TEST(KnockBack, StartOnTheTargetFinishesInTwoFramesWithoutMovingOrNaN)
{
    UTL_CKnockBack mover(10, 0, 8.0f, {7, 7}, 1.0f);
    Vec2 position{7, 7};
    mover.Start(position);
    EXPECT_EQ(mover.GetOvershootPoint(), (Vec2{7, 7}));
    const MoveRun run = RunToEnd(mover, position);
    EXPECT_EQ(run.frames, 2);
    EXPECT_EQ(position, (Vec2{7, 7}));
    EXPECT_FALSE(std::isnan(mover.GetProgress()));
    EXPECT_FLOAT_EQ(mover.GetProgress(), 1.0f);
}

TEST(KnockBack, ZeroFramesArrivesInOneStep)
{
    UTL_CKnockBack mover(0, 0, 0.0f, {300, -200}, 0.0f);
    Vec2 position{0, 0};
    mover.Start(position);
    EXPECT_TRUE(std::isinf(mover.GetSpeed()));
    mover.Apply(position);
    EXPECT_EQ(position, (Vec2{300, -200}));
}

TEST(KnockBack, MinimumSpeedBoundsASlowMove)
{
    UTL_CKnockBack mover(100, 0, 0.0f, {10, 0}, 2.0f);
    mover.Start({0, 0});
    EXPECT_FLOAT_EQ(mover.GetSpeed(), 2.0f);
}

TEST(KnockBack, DoesNothingBeforeStartAndAfterTheEnd)
{
    UTL_CKnockBack mover(1, 0, 0.0f, {10, 0}, 0.0f);
    Vec2 position{0, 0};
    mover.Apply(position);
    EXPECT_EQ(position, (Vec2{0, 0}));
    EXPECT_FALSE(mover.IsActive());

    mover.Start(position);
    RunToEnd(mover, position);
    position = {1, 1};
    mover.Apply(position);
    EXPECT_EQ(position, (Vec2{1, 1}));
}

TEST(KnockBack, SetTargetMovesBothGoals)
{
    UTL_CKnockBack mover(1, 0, 3.0f, {10, 0}, 0.0f);
    mover.SetTarget({-1, 2});
    EXPECT_EQ(mover.GetTarget(), (Vec2{-1, 2}));
    EXPECT_EQ(mover.GetOvershootPoint(), (Vec2{-1, 2}));
}
