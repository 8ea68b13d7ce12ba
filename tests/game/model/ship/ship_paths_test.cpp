// Walking costs over the ship grid: row changes through ladder rooms, the search for the nearest crossing, unreachable cells.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "game/model/ship/ship.h"
#include "game/model/ship/ship_paths.h"
#include "tests/support/ship_world.h"

namespace {

using support::kLadder;

class ShipPaths : public support::ShipWorld {};

TEST_F(ShipPaths, CostsOnAThreeRowShipWithLaddersMatchTheWalk)
{
    // Ladders (1 x 2) at column 2 over rows 0-1 and at column 7 over rows 1-2: row 0 reaches row 1
    // in columns 2 and 7, row 1 reaches row 2 in column 7 only.
    Place(kLadder, 2, 0);
    Place(kLadder, 7, 1);
    GAME_CShip& ship = Ship();

    EXPECT_EQ(ship.PathCost(3, 1, 3, 1), 0);
    EXPECT_EQ(ship.PathCost(0, 0, 9, 0), 9);
    // Down to column 2 (2 + 1), along to column 7 (5 + 1), along to column 9 (2).
    EXPECT_EQ(ship.PathCost(0, 0, 9, 2), 11);
    // Up the same way round.
    EXPECT_EQ(ship.PathCost(9, 2, 0, 0), 11);
    // From column 4 the nearer crossing to row 0 is column 2.
    EXPECT_EQ(ship.PathCost(4, 1, 4, 0), 5);
    EXPECT_EQ(GAME_CShip::GetPathCost(0, 0, 9, 2), 11);
    // To the nearer footprint cell (2, 1) of the first ladder: up at column 7 (7 + 1), back 5.
    EXPECT_EQ(ship.GetRoomPathCost(0, 2, *ship.GetRoomAtCell(2, 0)), 13);
    EXPECT_EQ(ship_paths::FindRowChange(ship, 4, 1, 0), 2);
    EXPECT_EQ(ship_paths::FindRowChange(ship, 4, 1, 2), 7);

    // Without the second ladder nothing reaches row 2 from above, and row 2 reaches nothing above.
    ship.RemoveRoom(ship.GetRoomIndex(ship.GetRoomAtCell(7, 1)));
    EXPECT_EQ(ship.PathCost(0, 0, 9, 2), -1);
    EXPECT_EQ(ship.PathCost(9, 2, 9, 1), -1);
    EXPECT_FALSE(ship.IsReachable(0, 0, 0, 2));
    EXPECT_EQ(ship.PathCost(9, 2, 0, 2), 9);
}

TEST_F(ShipPaths, TheLeftCrossingWinsAtEqualDistance)
{
    Place(kLadder, 2, 0);
    Place(kLadder, 6, 0);
    Place(kLadder, 0, 1);
    // From column 4 both crossings to row 1 are 2 away; the left one leads on to column 0 (cost
    // 3 + 3), the right one would have cost 3 + 7.
    EXPECT_EQ(Ship().PathCost(4, 0, 0, 2), 6);
}

TEST_F(ShipPaths, CellsOutsideTheGridAndRoomsUnderConstructionLeadNowhere)
{
    GAME_CShip& ship = Ship();
    ASSERT_NE(ship.PlaceNewRoom(2, 0, kLadder, kNoId, false), nullptr);
    EXPECT_EQ(ship.PathCost(2, 0, 2, 1), -1);

    // The ship is 10 x 3: column 10 and row 3 lie outside even though the array holds them.
    EXPECT_EQ(ship.PathCost(10, 0, 0, 0), -1);
    EXPECT_EQ(ship.PathCost(0, 0, 0, 3), -1);
    EXPECT_EQ(ship.PathCost(10, 0, 10, 0), 0);

    // Along a row nothing between the cells is looked at.
    ship.grid.GetCell(5, 0)->usable = 0;
    EXPECT_EQ(ship.PathCost(0, 0, 9, 0), 9);
}

TEST_F(ShipPaths, TheWalkFollowsEveryChangeOfTheLayoutAsked)
{
    // The row changes found are kept: each change below comes after the same walks were asked of
    // the layout before it.
    GAME_CShip& ship = Ship();
    GAME_CRoomBase* ladder = ship.PlaceNewRoom(2, 0, kLadder, kNoId, false);
    ASSERT_NE(ladder, nullptr);
    EXPECT_EQ(ship.PathCost(0, 0, 0, 1), -1);
    EXPECT_EQ(ship.PathCost(0, 1, 0, 0), -1);

    // The build finishes: down at column 2 (2 + 1) and back 2, up the same way.
    ladder->Finish(true);
    EXPECT_EQ(ship.PathCost(0, 0, 0, 1), 5);
    EXPECT_EQ(ship.PathCost(0, 1, 0, 0), 5);
    std::vector<std::uint8_t> slot = EmptySlot();
    ship.WriteSaveRecord(slot);

    // Taken down and built again further right: as many rooms as before, in another column.
    ship.RemoveRoom(ship.GetRoomIndex(ladder));
    EXPECT_EQ(ship.PathCost(0, 0, 0, 1), -1);
    Place(kLadder, 6, 0);
    EXPECT_EQ(ship.PathCost(0, 0, 0, 1), 13);

    // The save loaded brings the ladder back where it stood.
    ship.BuildLayout(slot);
    EXPECT_EQ(ship.PathCost(0, 0, 0, 1), 5);
    EXPECT_EQ(ship.PathCost(9, 1, 9, 0), 15);

    // Another hull without rooms, then the same ladder on it.
    ASSERT_TRUE(ship.ChangeShip(MakeTag("SHPX")));
    EXPECT_EQ(ship.PathCost(0, 0, 0, 1), -1);
    Place(kLadder, 2, 0);
    EXPECT_EQ(ship.PathCost(0, 0, 0, 1), 5);
}

}  // namespace
