// A small game world for ship tests: player data, a static database of a few items, ships and room kinds, the room scripts, and the world.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "game/services/data/tag.h"
#include "tests/support/ship_test_data.h"

class GAME_CGameWorld;
class GAME_CRoomBase;
class GAME_CShip;
class GAME_CObjectActor;

namespace support {

// The world the test steps, on the data of ship_test_data.h; it starts on "SHP2".
class ShipWorld : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    GAME_CGameWorld& World() const;
    GAME_CShip& Ship() const;
    // A finished room of the kind at the cell; fails the test when it does not fit.
    GAME_CRoomBase& Place(std::int32_t kind, std::int32_t x, std::int32_t y);
    // A crew member from the pool standing on the cell.
    GAME_CObjectActor& AddCrew(std::int32_t x, std::int32_t y);
    // Simulation steps of the ship alone.
    void StepShip(int count);
    // The lines the log received since the test started.
    const std::vector<std::string>& LogLines() const { return logLines_; }
    bool LogMentions(std::string_view text) const;

    // A fresh slot image of the size of a game slot, initialised as the save image does.
    static std::vector<std::uint8_t> EmptySlot();

private:
    std::vector<std::string> logLines_;
};

}  // namespace support
