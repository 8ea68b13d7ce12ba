// A small game world for crew and field-object tests: the ship test world plus the crew's script, balloon groups and a route.
#include "tests/support/crew_world.h"

#include "game/services/data/static_database.h"
#include "game/model/travel/route_manager.h"
#include "game/model/world/game_world.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/ship/ship.h"
#include "tests/support/script_assembly.h"
#include "game/ui/ui_manager.h"

namespace support {

void CrewWorld::SetUp()
{
    ShipWorld::SetUp();
    for (const std::string& error : LoadTestCrewScript(DefinitionPath(""))) ADD_FAILURE() << error;
    DefineCrewTestData(*GetStaticDatabase());
    // A road without a record, long enough for every place the tests use.
    World().travel->routeManager = std::make_unique<GAME_CRouteManager>();
    World().travel->routeManager->SetLength(100000);
}

GAME_CFieldObjectManager& CrewWorld::Field() const { return *World().fieldObjects; }

GAME_CRouteManager& CrewWorld::Route() const { return *World().travel->routeManager; }

void CrewWorld::StepField(int count)
{
    for (int i = 0; i < count; ++i) Field().Update();
}

void CrewWorld::UseLargeShip() { ASSERT_TRUE(Ship().ChangeShip(MakeTag("SHPL"))); }

std::vector<std::u16string> CrewWorld::LogMessages() const
{
    std::vector<std::u16string> lines;
    const GAME_CUIMessageLog* log = UIManagerOf(&World())->MessageLog();
    for (int i = 0; i < log->CountLines(); ++i) lines.emplace_back(log->GetLine(i).text.c_str());
    return lines;
}

}  // namespace support
