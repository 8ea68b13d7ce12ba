// The ship's area of a save slot: rooms, upgrades, construction, hull damage, fuel and engine modes written, rebuilt and written again the same.
#include <gtest/gtest.h>

#include <algorithm>

#include "game/services/data/static_database.h"
#include "game/services/save/save_layout.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/ship/ship.h"
#include "game/model/world/game_world.h"
#include "platform/little_endian.h"
#include "tests/support/ship_world.h"

namespace {

using namespace support;
namespace slot = save_layout::slot;

class ShipSave : public ShipWorld {};

TEST_F(ShipSave, ALayoutRebuiltFromItsRecordSavesTheSameBytes)
{
    GAME_CShip& ship = Ship();
    Place(kLadder, 0, 0);
    GAME_CRoomBase& engine = Place(kEngine, 2, 2);
    Place(kHullPlate, 5, 2);
    ASSERT_NE(ship.PlaceNewRoom(7, 1, kHome, kNoId, false), nullptr);
    // The upgrades' names have no text here (no message file): they stay installed all the same.
    engine.ApplyUpgradeBits((1u << 0) | (1u << 2));
    // The turret's data lists its upgrades out of type order; the saved bits name types.
    Place(kTurret, 9, 0).ApplyUpgradeBits((1u << 4) | (1u << 0));
    engine.engineMode = kEngineOverLimit;
    ship.AddCellDamage(4, 1, 25);
    ship.AddCellDamage(9, 0, 7);
    ship.RecalcStats();
    ship.fuel = 123;
    ship.fuelCountdown = 45;

    std::vector<std::uint8_t> first = EmptySlot();
    ship.WriteSaveRecord(first);
    EXPECT_EQ(platform::ReadU32(first, slot::kShipTag), MakeTag("SHP2"));
    EXPECT_EQ(platform::ReadI16(first, slot::kFuel), 123);

    ship.ChangeShip(MakeTag("SHPX"));
    ship.BuildLayout(first);

    ASSERT_EQ(ship.CountRoomsOnGrid(), 5);
    const GAME_CRoomBase* rebuilt = ship.GetRoomAtCell(3, 2);
    ASSERT_NE(rebuilt, nullptr);
    EXPECT_EQ(rebuilt->kind, kEngine);
    EXPECT_EQ(rebuilt->installedUpgrades, (1u << 0) | (1u << 2));
    EXPECT_EQ(rebuilt->engineMode, kEngineOverLimit);
    EXPECT_EQ(rebuilt->engineOutput, 9);
    const GAME_CRoomBase* turret = ship.GetRoomAtCell(9, 0);
    ASSERT_NE(turret, nullptr);
    EXPECT_EQ(turret->installedUpgrades, (1u << 4) | (1u << 0));
    EXPECT_EQ(turret->turretAmmoCapacity, 5 + 3);
    EXPECT_EQ(turret->turretPower, 10 + 2);
    EXPECT_TRUE(ship.GetRoomAtCell(7, 1)->underConstruction);
    EXPECT_EQ(ship.GetRemainingHull(), 350 - 32);
    EXPECT_EQ(ship.fuel, 123);
    EXPECT_EQ(ship.fuelCountdown, 45);

    std::vector<std::uint8_t> second = EmptySlot();
    ship.WriteSaveRecord(second);
    EXPECT_TRUE(std::equal(first.begin(), first.end(), second.begin()));

    // Fuel is kept in 16 bits: a larger tank saves as much as fits, never a wrapped amount.
    ship.fuelCapacity = 40000;
    ship.fuel = 40000;
    ship.WriteSaveRecord(second);
    EXPECT_EQ(platform::ReadI16(second, slot::kFuel), 32767);
}

TEST_F(ShipSave, ASmallerShipOverwritesTheRecordsOfAnEarlierSave)
{
    GAME_CShip& ship = Ship();
    Place(kHome, 0, 0);
    Place(kHome, 1, 0);
    ship.AddCellDamage(5, 0, 3);
    std::vector<std::uint8_t> record = EmptySlot();
    ship.WriteSaveRecord(record);

    ship.RemoveRoom(1);
    ship.ClearDamage();
    ship.WriteSaveRecord(record);
    ship.BuildLayout(record);
    EXPECT_EQ(ship.CountRoomsOnGrid(), 1);
    EXPECT_TRUE(ship.damageMarkers.empty());
}

TEST_F(ShipSave, ALoadedLayoutStartsTheHullAlertPeriodAnew)
{
    // The crew's hull remarks draw random numbers: a game loaded over one that ran for a while must
    // make them on the same frames as the same game loaded afresh, or the two run on differently.
    GAME_CShip& ship = Ship();
    Place(kHome, 0, 0);
    std::vector<std::uint8_t> record = EmptySlot();
    ship.WriteSaveRecord(record);
    for (int i = 0; i < 150; ++i) ship.UpdateHullAlerts();
    ship.BuildLayout(record);
    int updates = 0;
    do {
        ship.UpdateHullAlerts();
        ++updates;
    } while (ship.alertCounter != 0 && updates < 2 * GAME_CShip::kAlertPeriod);
    EXPECT_EQ(updates, GAME_CShip::kAlertPeriod);
}

// A crew home counts its steps toward the next birth; a game saved and loaded on the way must see
// the child come on the step it would have come unsaved, not a whole count later.
TEST_F(ShipSave, ACrewHomeLoadedBackGoesOnCountingTowardItsNextBirth)
{
    GAME_CShip& ship = Ship();
    Place(kHome, 0, 0);
    auto moveIn = [&] {
        GAME_CRoomBase* home = ship.GetRoomAtCell(0, 0);
        for (GAME_CObjectActor* member : World().fieldObjects->crew) ASSERT_TRUE(home->TryAddCrew(member));
    };
    AddCrew(0, 0);
    AddCrew(0, 0);
    moveIn();
    DatabaseLimits& limits = GetStaticDatabase()->Limits();
    limits.first = 4;  // a due draw every fourth step of the pair
    limits.second = 10;
    limits.third = 10;  // and every due draw gives a child
    StepShip(3);
    ASSERT_EQ(World().fieldObjects->crew.size(), 2u);

    std::vector<std::uint8_t> record = EmptySlot();
    ship.WriteSaveRecord(record);
    ship.BuildLayout(record);
    moveIn();
    StepShip(1);
    EXPECT_EQ(World().fieldObjects->crew.size(), 3u) << "the loaded home forgot the steps it had counted";

    // A count below 0 is damage: it is named in the log and the count starts afresh.
    platform::WriteI32(record, slot::kRooms + 16, -7);
    ship.BuildLayout(record);
    EXPECT_EQ(ship.GetRoomAtCell(0, 0)->birthCounter, 0);
    EXPECT_TRUE(LogMentions("birth count -7"));
}

TEST_F(ShipSave, RecordsThatDoNotFitTheShipAreLeftOutWithALogLine)
{
    std::vector<std::uint8_t> record = EmptySlot();
    Ship().WriteSaveRecord(record);
    platform::WriteU32(record, slot::kRooms, MakeTag("ID03"));
    platform::WriteI16(record, slot::kRooms + 4, 40);
    platform::WriteI16(record, slot::kRooms + 6, -3);
    platform::WriteI16(record, slot::kDamageMarkers, 10);
    record[slot::kDamageMarkers + 2] = 100;
    record[slot::kEngineModes] = 9;
    Ship().BuildLayout(record);
    EXPECT_EQ(Ship().CountRoomsOnGrid(), 0);
    EXPECT_TRUE(Ship().damageMarkers.empty());
    EXPECT_TRUE(LogMentions("room record 0"));
    EXPECT_TRUE(LogMentions("damage record 0"));
}

// A slot whose ship tag names no ship keeps the hull the game has, but nothing of the game that ran
// on it: the damage, the turn and the mirrored hull of the game before the load are not the slot's.
TEST_F(ShipSave, ASlotOfAnUnknownShipKeepsNothingOfTheGameBefore)
{
    GAME_CShip& ship = Ship();
    Place(kHome, 0, 0);
    ship.AddCellDamage(5, 0, 3);
    std::vector<std::uint8_t> record = EmptySlot();
    ship.WriteSaveRecord(record);
    platform::WriteU32(record, slot::kShipTag, MakeTag("SHPZ"));

    // The game before the load was turned for the way back and took hits elsewhere.
    ship.AddCellDamage(4, 1, 25);
    ship.turnState = GAME_CShip::kTurned;
    ship.body->scaleX = -ship.body->scaleX;
    ship.BuildLayout(record);

    EXPECT_TRUE(LogMentions("the ship SHPZ does not exist"));
    EXPECT_EQ(ship.shipTag, MakeTag("SHP2"));
    EXPECT_EQ(ship.CountRoomsOnGrid(), 1);
    ASSERT_EQ(ship.damageMarkers.size(), 1u) << "the damage of the game before the load stayed";
    EXPECT_EQ(ship.GetRemainingHull(), ship.hullMax - 3);
    EXPECT_EQ(ship.turnState, GAME_CShip::kFacingForward);
    EXPECT_FALSE(ship.body->IsMirrored());
}

}  // namespace
