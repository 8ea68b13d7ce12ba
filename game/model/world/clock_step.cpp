// One step of the game clock, with the hourly refills of the routes and the daily refresh.
#include "game/model/world/clock_step.h"

#include <algorithm>
#include <cstdlib>

#include "game/services/data/static_database.h"
#include "game/services/save/quest_boards.h"
#include "game/services/save/save_image.h"
#include "game/model/world/game_world.h"
#include "game/model/travel/route_save_block.h"
#include "game/model/world/game_world_ready.h"
#include "platform/little_endian.h"

namespace {

const GAME_CRouteManager* CurrentRouteManager()
{
    const GAME_CGameWorld* world = PeekGameWorld();
    return world && world->travel ? world->travel->routeManager.get() : nullptr;
}

std::int32_t Raise(std::int32_t value, std::int32_t amount, std::int32_t maximum)
{
    const std::int64_t raised = std::int64_t{value} + std::max(amount, 0);
    return static_cast<std::int32_t>(std::max<std::int64_t>(std::min<std::int64_t>(raised, maximum), value));
}

}  // namespace

void StepGameClock(GAME_CGameClock& clock)
{
    const GAME_CRouteManager* route = CurrentRouteManager();
    if (IsGameWorldReady() && route != nullptr && route->IsHolding()) return;
    const std::uint32_t length = std::max<std::uint32_t>(clock.DayLength(), 1);
    const std::uint32_t hourBefore = GetClockHour(clock);
    clock.step = (clock.step + 1) % length;
    const std::uint32_t hourAfter = GetClockHour(clock);
    if (hourBefore != hourAfter) {
        HourlyRefill();
        if (hourBefore >= 23) {
            ++clock.day;
            DailyRefresh();
        }
    }
    const std::int64_t minute = GetClockMinute(clock);
    const std::int64_t step = kClockMinuteStep;
    for (int guard = 0; guard < 6 && std::abs(std::int64_t{clock.displayedMinute} - minute) >= step; ++guard) {
        clock.displayedMinute = (clock.displayedMinute + kClockMinuteStep) % 60;
    }
}

void HourlyRefill()
{
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    if (database == nullptr) return;
    const GAME_CRouteManager* current = CurrentRouteManager();
    const std::uint32_t currentId = current ? current->GetRouteId() : 0xFFFFFFFF;
    const RouteSaveBlock slot = route_block::Working();
    if (slot.empty()) return;
    std::size_t position = 0;
    for (const auto& [id, route] : database->Routes()) {
        if (position >= static_cast<std::size_t>(route_block::kRouteRecordCount)) break;
        const std::size_t record = route_block::RouteRecord(position);
        ++position;
        if (id == currentId) continue;
        // Words 17 and 18 of the route record are the hourly amounts, 19 and 20 their maxima.
        const auto& words = route.accumulatorWords;
        platform::WriteI32(slot, record + route_block::kFirstAccumulator,
                           Raise(platform::ReadI32(slot, record + route_block::kFirstAccumulator), words[0], words[2]));
        platform::WriteI32(slot, record + route_block::kSecondAccumulator,
                           Raise(platform::ReadI32(slot, record + route_block::kSecondAccumulator), words[1], words[3]));
    }
}

void DailyRefresh() { RefreshOfferSetsDaily(GetWorkingSlot()); }
