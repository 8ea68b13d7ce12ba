// The status strip's frame, headless: its update and its draw up to the queued sprites, over a ship furnished to the full on a scanned road with its enemies and none or every drop, a notice repeating. Aim: under 20 µs, nothing asked of the allocator.
#include <benchmark/benchmark.h>

#include "bench/allocation_counter.h"
#include "bench/travel_rig.h"
#include "game/model/travel/route_save_block.h"
#include "game/services/data/static_database.h"
#include "game/ui/screens/ui_ship_status.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_manager.h"
#include "platform/little_endian.h"

namespace {

using bench_support::TravelRig;

// The road scanned, so that the meter marks what lies along it, and as many drops as asked laid on it.
bool LineTheRoad(GAME_CGameWorld& world, std::int64_t drops)
{
    GAME_CRouteManager* route = world.travel->routeManager.get();
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    std::int32_t position = -1;
    if (route == nullptr || database == nullptr || database->FindRouteDataIndexed(route->GetRouteId(), &position) == nullptr) {
        return false;
    }
    const RouteSaveBlock block = route_block::Working();
    if (block.empty() || position < 0) return false;
    const std::size_t record = route_block::RouteRecord(static_cast<std::size_t>(position));
    platform::WriteU16(block, record + route_block::kScanLevel, 1);
    platform::WriteU16(block, record + route_block::kScanCountdown, 0xFFFF);
    for (std::int64_t i = 0; i < drops; ++i) {
        GAME_CObjectDropItem* drop = world.fieldObjects->AcquireDropItem();
        if (drop == nullptr) return false;
        drop->routePosition = static_cast<std::int32_t>(600 + 12 * i);
    }
    return route->GetRouteRecordValue() > 0;
}

void BM_ShipStatusFrame(benchmark::State& state)
{
    TravelRig rig({.heavy = true});
    GAME_CGameWorld* world = PeekGameWorld();
    if (!rig.Ok() || world == nullptr || !LineTheRoad(*world, state.range(0))) {
        state.SkipWithError("the road could not be set up");
        return;
    }
    GAME_CUIManager& ui = *UIManagerOf(world);
    ui.SetOpen(kSlotShipStatus, true);
    UINoticeRecord notice;
    notice.key.Assign("OLIF_GET_ITEM");
    notice.argumentKey.Assign("I002");
    notice.count = -1;
    notice.frames = 500;
    ui.ShowNotice(notice);
    for (int i = 0; i < 30; ++i) rig.Frame();
    GAME_CUIShipStatus& panel = *ui.Get<GAME_CUIShipStatus>();
    // The rasterizer's share is the renderer's, not the panel's.
    bench_support::TimeFramesCountingAllocations(
        state,
        [&] {
            panel.Update(false);
            panel.PreDraw();
        },
        FlushUISprites);
    state.counters["crew"] = static_cast<double>(world->fieldObjects->crew.size());
}
// Argument: the drops along the road besides the 16 enemies; 128 fills every drop slot.
BENCHMARK(BM_ShipStatusFrame)->Arg(0)->Arg(128)->ArgName("drops")->Unit(benchmark::kMicrosecond);

}  // namespace
