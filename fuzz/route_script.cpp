// Random route scripts run as a road's content in a small world, frame after frame: nothing may crash, hang or leave the
// route out of its bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "fuzz/registration_input.h"
#include "game/services/data/static_database.h"
#include "game/model/travel/travel_controller.h"
#include "game/model/world/game_world.h"
#include "tests/support/crew_test_data.h"

namespace {

constexpr std::uint32_t kRoad = 1;
constexpr std::uint16_t kRouteTableSlots = 61;
// Commands a thread may run in one frame; a script that loops without waiting is stopped there.
constexpr std::uint32_t kCommandBudget = 4096;
constexpr int kFrames = 40;

// One entry, the road's, whose creation label opens its first command; the input may also give
// an event label further in.
std::vector<std::uint8_t> RoadPackage(const std::uint8_t* data, std::size_t size)
{
    namespace writer = vesk::tools::script;
    registration_fuzz::InputReader in(data, size);
    writer::PackageEntry entry;
    entry.id = kRoad;
    const std::uint32_t count = 1 + in.U8() % 32;
    for (std::uint32_t i = 0; i < count; ++i) {
        writer::BlockCommand command;
        command.table = in.U8() & 1;
        command.mode = in.U8();
        command.slot = static_cast<std::uint16_t>(in.U16() % ((command.table == 0 ? 100 : kRouteTableSlots) + 2));
        command.operand = in.U16();
        registration_fuzz::ReadArgumentWords(in, command, 24);
        entry.commands.push_back(std::move(command));
    }
    entry.labels.push_back({u"経路作成", 0});
    entry.labels.push_back({u"event", in.U8() % count});
    return writer::WriteScriptPackage({entry});
}

GAME_CGameWorld& PrepareWorld()
{
    static GAME_CGameWorld* world = [] {
        GAME_CGameWorld* made = &support::MakeCrewTestWorld(VARNOLIS_SOURCE_DIR "/data/script/defs", MakeTag("SHP2"));
        GAME_CShip& ship = *made->ship;
        ship.PlaceRoom(0, 0, 1);
        for (int i = 0; i < 3; ++i) {
            GAME_CObjectActor* actor = made->fieldObjects->AcquireActorObject();
            ActorSetupRecord setup;
            ship.GetCellFloorPoint(i * 2, 2, &setup.x, &setup.y, false);
            actor->Init(setup);
        }
        return made;
    }();
    return *world;
}

void Require(bool holds)
{
    if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    GAME_CGameWorld& world = PrepareWorld();
    const std::vector<std::uint8_t> bytes = RoadPackage(data, size);
    void* image = vesk::memory::MainHeapAlloc(bytes.size());
    if (image == nullptr) return 0;
    std::memcpy(image, bytes.data(), bytes.size());
    LoadScriptPackageImage(kScriptPackageRoute, image, bytes.size());
    RouteData& record = *GetStaticDatabase()->GetOrCreateRouteData(kRoad);
    record = RouteData{};
    record.startLocation = MakeTag("AD01");
    record.endLocation = MakeTag("AD02");
    record.length = 1000;

    // A fresh road each input, its script held to a small budget before its creation label runs.
    GAME_CTravelController& travel = *world.travel;
    travel.routeManager = std::make_unique<GAME_CRouteManager>();
    travel.routeManager->Script().SetCommandBudget(kCommandBudget);
    travel.routeManager->SetLength(record.length);
    travel.routeManager->SetEnds(record.startLocation, record.endLocation);
    std::uint32_t road = kRoad;
    travel.routeManager->BuildRoute(&road, {}, {}, false);
    travel.routeManager->Script().JumpToLabel(u"event");
    for (int frame = 0; frame < kFrames && travel.routeManager != nullptr; ++frame) {
        travel.routeManager->Script().SetCommandBudget(kCommandBudget);
        travel.routeManager->Move(7.5f);
        travel.ProcessRouteRequests();
        travel.UpdateFrame();
        world.fieldObjects->Update();
        world.background->Update();
        const GAME_CRouteManager& route = *travel.routeManager;
        Require(route.GetPosition() >= 0 && route.GetPosition() <= route.GetLength());
    }
    world.fieldObjects->ClearEnemies();
    world.fieldObjects->ClearDropItems();
    world.background->ReleaseObjects();
    return 0;
}
