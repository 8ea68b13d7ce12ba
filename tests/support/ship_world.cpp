// A small game world for ship tests: player data, a static database of a few items, ships and room kinds, the room scripts, and the world.
#include "tests/support/ship_world.h"

#include "framework/log/log.h"
#include "framework/math/random.h"
#include "game/model/stores/ammo_storage.h"
#include "game/model/stores/food_storage.h"
#include "game/services/player/player_data.h"
#include "game/services/data/static_database.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/clock/game_clock.h"
#include "game/model/world/game_world.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/ship/ship.h"
#include "tests/support/script_assembly.h"

namespace support {

void ShipWorld::SetUp()
{
    vesk::log::SetSink([this](vesk::log::Level, std::string_view line) { logLines_.emplace_back(line); });
    vesk::math::SeedRandom(1);
    vesk::math::MarkRandomClockSeeded();
    CreatePlayerData();
    GAME_CStaticDatabase* database = GetStaticDatabase();
    ASSERT_NE(database, nullptr);
    DefineShipTestData(*database);
    for (const std::string& error : LoadTestRoomScripts(DefinitionPath(""))) ADD_FAILURE() << error;
    ASSERT_TRUE(Ship().ChangeShip(MakeTag("SHP2")));
}

void ShipWorld::TearDown()
{
    DestroyTestWorld();
}

GAME_CGameWorld& ShipWorld::World() const { return *GetGameWorld(); }

GAME_CShip& ShipWorld::Ship() const { return *GetGameWorld()->ship; }

GAME_CRoomBase& ShipWorld::Place(std::int32_t kind, std::int32_t x, std::int32_t y)
{
    GAME_CRoomBase* room = Ship().PlaceRoom(x, y, kind);
    EXPECT_NE(room, nullptr) << "room kind " << kind << " at " << x << ", " << y;
    static GAME_CRoomBase unused;
    return room != nullptr ? *room : unused;
}

GAME_CObjectActor& ShipWorld::AddCrew(std::int32_t x, std::int32_t y)
{
    GAME_CObjectActor* member = World().fieldObjects->AcquireActorObject();
    EXPECT_NE(member, nullptr);
    ActorSetupRecord setup;
    Ship().GetCellFloorPoint(x, y, &setup.x, &setup.y, false);
    member->Init(setup);
    return *member;
}

void ShipWorld::StepShip(int count)
{
    for (int i = 0; i < count; ++i) Ship().Update();
}

bool ShipWorld::LogMentions(std::string_view text) const
{
    for (const std::string& line : logLines_) {
        if (line.find(text) != std::string::npos) return true;
    }
    return false;
}

std::vector<std::uint8_t> ShipWorld::EmptySlot()
{
    std::vector<std::uint8_t> slot(save_layout::kSlotSize, 0);
    InitSlotRecord(slot);
    return slot;
}

}  // namespace support
