// One step of the game clock, with the hourly refills of the routes and the daily refresh.
#include "game/model/world/clock_step.h"

#include <algorithm>
#include <cstdlib>

#include "game/services/data/static_database.h"
#include "game/services/save/offer_sets.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/model/world/game_world.h"
#include "game/model/world/game_world_ready.h"
#include "platform/little_endian.h"

using namespace save_layout;

namespace {

// Per-route records in the travel area: 140 bytes each, the two event accumulators at 128 and 132.
constexpr std::size_t kRouteRecordSize = 140;
constexpr std::size_t kRouteRecordCount = 128;
constexpr std::size_t kSecondAccumulator = 128;
constexpr std::size_t kFirstAccumulator = 132;

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
    for (int guard = 0; guard < 6 && std::abs(std::int64_t{clock.displayedMinute} - minute) >= kClockMinuteStep; ++guard) {
        clock.displayedMinute = (clock.displayedMinute + kClockMinuteStep) % 60;
    }
}

void HourlyRefill()
{
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    if (database == nullptr) return;
    const GAME_CRouteManager* current = CurrentRouteManager();
    const std::uint32_t currentId = current ? current->GetRouteId() : 0xFFFFFFFF;
    std::span<std::uint8_t> slot = GetWorkingSlot();
    std::size_t position = 0;
    for (const auto& [id, route] : database->Routes()) {
        if (position >= kRouteRecordCount) break;
        const std::size_t record = slot::kTravel + slot::kTravelKeptOffset + position * kRouteRecordSize;
        ++position;
        if (id == currentId) continue;
        // Words 17 and 18 of the route record are the hourly amounts, 19 and 20 their maxima.
        const auto& words = route.accumulatorWords;
        platform::WriteI32(slot, record + kFirstAccumulator,
                           Raise(platform::ReadI32(slot, record + kFirstAccumulator), words[0], words[2]));
        platform::WriteI32(slot, record + kSecondAccumulator,
                           Raise(platform::ReadI32(slot, record + kSecondAccumulator), words[1], words[3]));
    }
}

void DailyRefresh()
{
    RefreshOfferSetsDaily(GetWorkingSlot());
    if (GAME_CGameWorld* world = PeekGameWorld(); world && world->fieldObjects) world->fieldObjects->AgeCrewOneDay();
}
