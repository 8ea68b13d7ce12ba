// A small game world for travel tests: the ship world of ship tests with route scripts of a test's own.
#include "tests/support/travel_world.h"

#include <cstring>

#include "framework/memory/heaps.h"
#include "game/model/script/script_package.h"
#include "game/model/travel/travel_controller.h"
#include "game/model/world/game_world.h"
#include "tests/support/script_assembly.h"

namespace support {

void TravelWorld::LoadRoutes(std::string_view source)
{
    const std::vector<std::uint8_t> package = AssemblePackage(source, {"route.def"});
    ASSERT_FALSE(package.empty());
    void* image = vesk::memory::MainHeapAlloc(package.size());
    std::memcpy(image, package.data(), package.size());
    ASSERT_TRUE(LoadScriptPackageImage(kScriptPackageRoute, image, package.size()));
}

GAME_CTravelController& TravelWorld::Travel() const { return *World().travel; }

GAME_CRouteManager& TravelWorld::Route() const
{
    EXPECT_NE(World().travel->routeManager, nullptr);
    return *World().travel->routeManager;
}

GAME_CScriptRoute& TravelWorld::Script() const { return Route().Script(); }

void TravelWorld::StartOnRoute(std::uint32_t routeId, bool forward)
{
    StartRoute(Travel(), &routeId, forward, {}, {});
    ASSERT_NE(World().travel->routeManager, nullptr);
    ASSERT_EQ(Route().GetRouteId(), routeId);
}

void TravelWorld::RunLabel(std::u16string_view label)
{
    ASSERT_NE(Script().JumpToLabel(label), 0u);
    Script().Update();
}

std::int32_t TravelWorld::Variable(std::string_view name) const
{
    const RouteVariable* variable = Script().FindRouteVariable(name);
    EXPECT_NE(variable, nullptr) << name;
    return variable != nullptr ? variable->value : 0;
}

bool TravelWorld::HasVariable(std::string_view name) const { return Script().FindRouteVariable(name) != nullptr; }

void TravelWorld::StepWorld(int count)
{
    for (int i = 0; i < count; ++i) World().Step();
}

}  // namespace support
