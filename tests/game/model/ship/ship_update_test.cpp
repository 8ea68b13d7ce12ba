// The ship's simulation step: fuel burnt along the route, turns at the route's ends, rooms broken by hull damage, the hull alert.
#include <gtest/gtest.h>

#include <memory>

#include "game/services/data/static_database.h"
#include "game/services/clock/game_clock.h"
#include "game/model/world/game_world.h"
#include "game/model/ship/ship.h"
#include "tests/support/ship_world.h"
#include "game/ui/ui_manager.h"

namespace {

using namespace support;

class ShipUpdate : public ShipWorld {
protected:
    void SetUp() override
    {
        ShipWorld::SetUp();
        RouteData* route = GetStaticDatabase()->GetOrCreateRouteData(MakeTag("R001"));
        route->startLocation = MakeTag("H001");
        route->endLocation = MakeTag("H002");
        route->length = 5000;
        World().travel->routeManager = std::make_unique<GAME_CRouteManager>();
        World().travel->routeManager->SetLength(route->length);
    }

    void TravelTo(std::int32_t position) { World().travel->routeManager->SetPosition(position); }

    int LogLineCount() const { return UIManagerOf(&World())->MessageLog()->CountLines(); }
};

TEST_F(ShipUpdate, FuelBurnsByDistanceAndTheTurnsHoldTheShip)
{
    GAME_CShip& ship = Ship();
    ship.fuel = 300;
    ship.fuelCountdown = 100;
    ship.fuelRate = 100;

    // 250 units at rate 100 from a full countdown: two units burnt, 50 left to the next.
    TravelTo(250);
    StepShip(1);
    EXPECT_EQ(ship.fuel, 298);
    EXPECT_EQ(ship.fuelCountdown, 50);
    EXPECT_EQ(ship.body->animationTimer, 1u);

    // Leaving the route's start turns the hull for 30 steps; the ship does nothing else meanwhile.
    ship.ApplyRouteEndpoint(MakeTag("R001"), MakeTag("H001"));
    TravelTo(400);
    StepShip(29);
    EXPECT_EQ(ship.turnState, GAME_CShip::kTurningAway);
    EXPECT_EQ(ship.fuel, 298);
    StepShip(1);
    EXPECT_EQ(ship.turnState, GAME_CShip::kTurned);
    EXPECT_FLOAT_EQ(ship.body->scaleX, -2.0f);
    EXPECT_EQ(ship.fuel, 298);  // the jump made while turning burns nothing
    EXPECT_EQ(ship.routePosition, 400);

    // A rate of 0 burns as rate 1, and a long jump ends at an empty tank.
    ship.fuelRate = 0;
    TravelTo(400 + 49);
    StepShip(1);
    EXPECT_EQ(ship.fuel, 298);
    EXPECT_EQ(ship.fuelCountdown, 1);
    TravelTo(2000000000);
    StepShip(1);
    EXPECT_EQ(ship.fuel, 0);

    // While the clock's flag is up the tank stays full.
    GetGameClock()->flag = 1;
    StepShip(1);
    EXPECT_EQ(ship.fuel, ship.fuelCapacity);
    EXPECT_EQ(ship.fuelCountdown, 0);
}

TEST_F(ShipUpdate, ARoomWornThroughByHullDamageBreaksAndIsRemoved)
{
    GAME_CShip& ship = Ship();
    GAME_CRoomBase& engine = Place(kEngine, 3, 2);
    Place(kHome, 0, 2);
    ship.AddCellDamage(3, 2, 60);
    ship.AddCellDamage(4, 2, 60);
    EXPECT_EQ(engine.GetRemainingDurability(), -20);
    const int linesBefore = LogLineCount();

    StepShip(1);
    EXPECT_TRUE(engine.broken);
    EXPECT_TRUE(engine.IsInLabel(room_label::kBreak));
    EXPECT_EQ(LogLineCount(), linesBefore + 1);

    StepShip(5);
    EXPECT_EQ(ship.CountRoomsOnGrid(), 1);
    EXPECT_EQ(ship.GetRoomAtCell(3, 2), nullptr);
    EXPECT_EQ(ship.GetRoomAtCell(0, 2)->kind, kHome);
    // The damage stays on the hull.
    EXPECT_EQ(ship.GetRemainingHull(), 300 - 120);
}

TEST_F(ShipUpdate, TheHullAlertFiresAtHalfTheHull)
{
    GAME_CShip& ship = Ship();
    ship.AddCellDamage(1, 1, 149);
    ship.UpdateHullAlerts();
    EXPECT_EQ(LogLineCount(), 0);
    ship.AddCellDamage(1, 1, 1);
    ship.UpdateHullAlerts();
    EXPECT_EQ(LogLineCount(), 1);
}

TEST_F(ShipUpdate, RepairedDamageFadesAndGoes)
{
    GAME_CShip& ship = Ship();
    ship.AddCellDamage(2, 1, 30);
    DamageMarker* marker = ship.FindCellDamage(2, 1);
    ASSERT_NE(marker, nullptr);
    StepShip(10);
    EXPECT_EQ(marker->state, DamageMarker::kAppear);
    StepShip(1);
    EXPECT_EQ(marker->state, DamageMarker::kShown);
    AddDamageMarkerValue(*marker, -30);
    EXPECT_EQ(marker->state, DamageMarker::kVanish);
    EXPECT_EQ(ship.GetRemainingHull(), 300);
    StepShip(10);
    EXPECT_EQ(marker->deleteFlag, 1u);
    StepShip(1);
    EXPECT_EQ(ship.FindCellDamage(2, 1), nullptr);
}

TEST_F(ShipUpdate, ARepairEndsAtTheLastUnitAndAHitOnTheFadingMarkersCellCountsInFull)
{
    GAME_CShip& ship = Ship();
    ship.AddCellDamage(2, 1, 1);
    StepShip(11);
    // The last unit repaired: no damage is left on the cell, and a further unit repairs nothing.
    ship.AddCellDamage(2, 1, -1);
    EXPECT_EQ(ship.FindCellDamage(2, 1), nullptr);
    ship.AddCellDamage(2, 1, -1);
    EXPECT_EQ(ship.GetRemainingHull(), 300);
    // A hit on the cell in the step the repaired marker is about to go stays on the hull.
    StepShip(10);
    ship.AddCellDamage(2, 1, 30);
    StepShip(1);
    EXPECT_EQ(ship.GetRemainingHull(), 270);
    ASSERT_NE(ship.FindCellDamage(2, 1), nullptr);
    EXPECT_EQ(ship.FindCellDamage(2, 1)->amount, 30);
}

}  // namespace
