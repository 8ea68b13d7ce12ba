// Random bytes in the travel areas of a game slot (the route save block, the background record and its objects, the
// travel flags), applied to a small world with two roads, stepped and saved again: the route must come out whole.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "framework/memory/heaps.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/model/script/script_package.h"
#include "game/model/travel/route_save_block.h"
#include "game/model/travel/travel_controller.h"
#include "game/model/world/game_world.h"
#include "tests/support/crew_test_data.h"
#include "tools/common/script_assembler.h"
#include "tools/common/script_commands.h"
#include "fuzz/slot_areas.h"

namespace {

using namespace save_layout;

constexpr fuzz_support::SlotArea kAreas[] = {
    {slot::kTravel, route_block::kFixedEvents},  // id, direction, position
    {slot::kTravel + route_block::kFixedEvents, route_block::kRouteRecords - route_block::kFixedEvents},
    {slot::kTravel + route_block::kRouteRecords, route_block::kRouteRecordCount * route_block::kRouteRecordSize},
    {slot::kTravel + route_block::kVariables, route_block::kSize - route_block::kVariables},
    {slot::kBackground, slot::kBackgroundSize},
    {slot::kBackgroundSaveList, slot::kBackgroundSaveListSize},
    {slot::kTravelFlags, 4},
};

// Two roads between two hideouts, with events, random calls and background objects.
constexpr std::string_view kRoutes = R"(
.entry 1
"データベース登録":
    reg.route 'AD01' 'AD02' 500
    reg.views_music 0 0 1 2 500 0
    reg.accumulators 10 10 10 10
    reg.call_first met 1
    reg.call_second met 1
    reg.event met 100 110
    halt
"経路作成":
    object.place 1 150 900
    object.place 2 350 1100
    return
met:
    var.set "met" "+=" 1
    event.random met 200 260 10 20 1
    return
.entry 2
"データベース登録":
    reg.route 'AD02' 'AD01' 800
    halt
"経路作成":
    return
)";

void LoadRoutes()
{
    vesk::tools::script::CommandSet commands;
    vesk::tools::script::Diagnostics errors;
    const std::string defs = VARNOLIS_SOURCE_DIR "/data/script/defs/";
    commands.LoadFile(defs + "common.def", errors);
    commands.LoadFile(defs + "route.def", errors);
    const auto result = vesk::tools::script::AssembleScript(kRoutes, "travel_areas.vss", commands);
    if (!errors.empty() || !result.Ok()) std::abort();
    void* image = vesk::memory::MainHeapAlloc(result.package.size());
    std::memcpy(image, result.package.data(), result.package.size());
    if (!LoadScriptPackageImage(kScriptPackageRoute, image, result.package.size())) std::abort();
}

// A world on road 1, at 120 with its events met, and the slot it saves.
const std::vector<std::uint8_t>& PrepareWorld()
{
    static const std::vector<std::uint8_t> slot = [] {
        GAME_CGameWorld& world = support::MakeCrewTestWorld(VARNOLIS_SOURCE_DIR "/data/script/defs", MakeTag("SHP2"));
        LoadRoutes();
        const std::uint32_t road = 1;
        StartRoute(*world.travel, &road, true, {}, {});
        world.travel->routeManager->Move(120.0f);
        world.travel->routeManager->RunScript();
        std::vector<std::uint8_t> record(kSlotSize, 0);
        InitSlotRecord(record);
        world.travel->routeManager->WriteSaveBlock(record);
        world.background->WriteSaveRecord(std::span(record).subspan(slot::kBackground, slot::kBackgroundSize),
                                          std::span(record).subspan(slot::kBackgroundSaveList, slot::kBackgroundSaveListSize));
        return record;
    }();
    return slot;
}

void Require(bool holds)
{
    if (!holds) std::abort();
}

void CheckRoute(const GAME_CGameWorld& world)
{
    Require(world.travel->routeManager != nullptr);
    const GAME_CRouteManager& route = *world.travel->routeManager;
    Require(route.GetPosition() >= 0 && route.GetPosition() <= route.GetLength());
    Require(route.GetRouteRecord() != nullptr);
    Require(world.background->ActiveObjects().size() <= static_cast<std::size_t>(GAME_CBackgroundView::kObjectCount));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1) return 0;
    std::vector<std::uint8_t> record = PrepareWorld();
    fuzz_support::OverwriteArea(record, kAreas, data, size);

    GAME_CGameWorld& world = *GetGameWorld();
    world.travel->LoadFromSlot(record);
    CheckRoute(world);
    for (int step = 0; step < 20; ++step) {
        world.travel->routeManager->Move(3.5f);
        world.travel->ProcessRouteRequests();
        world.background->Update();
        CheckRoute(world);
    }
    std::vector<std::uint8_t> again(kSlotSize, 0);
    InitSlotRecord(again);
    world.travel->routeManager->WriteSaveBlock(again);
    world.background->WriteSaveRecord(std::span(again).subspan(slot::kBackground, slot::kBackgroundSize),
                                      std::span(again).subspan(slot::kBackgroundSaveList, slot::kBackgroundSaveListSize));
    return 0;
}
