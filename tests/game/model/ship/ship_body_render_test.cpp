// Hull renderers: the variant a ship tag gets, the zoom view states, and the sinking shake.
#include <gtest/gtest.h>

#include <cmath>

#include "game/model/ship/ship.h"
#include "game/model/ship/ship_body_variants.h"
#include "tests/support/ship_world.h"

namespace {

using namespace support;

class HullRender : public ShipWorld {};

TEST_F(HullRender, TheShipTagChoosesTheHull)
{
    GAME_CShip& ship = Ship();
    const auto* prot = dynamic_cast<const GAME_CShipBodyRender_prot*>(ship.body.get());
    ASSERT_NE(prot, nullptr);
    EXPECT_EQ(prot->GetPackagePath(), "ship/ship/prot/prot.pac");
    EXPECT_EQ(GAME_CShipBodyRenderHull::PackagePath("SHP4"), "ship/ship/shp4/shp4.pac");

    ASSERT_TRUE(ship.ChangeShip(MakeTag("SHPX")));
    EXPECT_NE(dynamic_cast<const GAME_CShipBodyRender_null*>(ship.body.get()), nullptr);
}

TEST_F(HullRender, ZoomingTakesTenUpdatesEachWay)
{
    GAME_CShipBodyRender& body = *Ship().body;
    body.targetState = GAME_CShipBodyRender::kZoomingOut;
    for (int update = 1; update <= 10; ++update) {
        body.Update();
        EXPECT_EQ(body.currentState, GAME_CShipBodyRender::kZoomingOut) << update;
        EXPECT_TRUE(body.IsZoomChanging());
    }
    body.Update();
    EXPECT_EQ(body.currentState, GAME_CShipBodyRender::kZoomedOut);
    EXPECT_TRUE(body.IsZoomedOut());

    body.targetState = GAME_CShipBodyRender::kZoomingIn;
    for (int update = 1; update <= 10; ++update) {
        body.Update();
        EXPECT_EQ(body.currentState, GAME_CShipBodyRender::kZoomingIn) << update;
    }
    body.Update();
    EXPECT_EQ(body.currentState, GAME_CShipBodyRender::kClose);
    EXPECT_FALSE(body.IsZoomChanging());
}

TEST_F(HullRender, ASinkingHullShakesAndSinksUpTo180Steps)
{
    GAME_CShipBodyRender& body = *Ship().body;
    body.sinking = 1;
    body.animationTimer = 200;
    const float restingY = body.positionY;
    body.UpdateVariant();
    // At the camera's zoom of 1 each step sinks the hull by 3 x 0.5.
    EXPECT_FLOAT_EQ(body.shakeY, 180 * 1.5f);
    EXPECT_FLOAT_EQ(std::fabs(body.shakeX), 1.5f);
    EXPECT_EQ(body.positionY, restingY);
}

}  // namespace
