// The game clock: days of 6300 simulation steps, hours and minutes, hourly refills and the daily refresh.
#include "game/model/world/game_clock.h"

#include <algorithm>
#include <string>

#include "framework/log/log.h"
#include "game/services/data/static_database.h"
#include "game/services/save/offer_sets.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/sound/sound_player.h"
#include "game/model/world/game_world.h"
#include "game/model/world/game_world_ready.h"
#include "platform/little_endian.h"

using namespace save_layout;

namespace {

GAME_CGameClock* g_clock = nullptr;

constexpr std::uint32_t kHoursPerDay = 24;
constexpr std::uint32_t kFirstHour = 6;
constexpr std::uint32_t kMinutesPerDay = 1440;
constexpr std::uint32_t kMinuteStep = 10;
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

std::uint32_t GAME_CGameClock::DayLength() const { return phaseLengths[0] + phaseLengths[1] + phaseLengths[2]; }

GAME_CGameClock* GetGameClock()
{
    if (g_clock == nullptr) {
        g_clock = new GAME_CGameClock;
        if (g_clock != nullptr) ResetGameClock(*g_clock);
    }
    return g_clock;
}

GAME_CGameClock* PeekGameClock() { return g_clock; }

void DestroyGameClock()
{
    delete g_clock;
    g_clock = nullptr;
}

void ResetGameClock(GAME_CGameClock& clock)
{
    clock.day = 0;
    clock.step = 0;
    clock.displayedMinute = 0;
    clock.phaseLengths = {3600, 1800, 900};
    clock.itemsFound = 0;
    clock.counter = 0;
    clock.enemiesDefeated = 0;
    clock.word10 = 0;
    clock.word11 = 0;
    clock.timeStopped = 0;
    clock.flag = 0;
}

std::uint32_t GetClockHour(const GAME_CGameClock& clock)
{
    const std::uint64_t length = clock.DayLength();
    if (length == 0) return 0;
    return static_cast<std::uint32_t>((kFirstHour + kHoursPerDay * std::uint64_t{clock.step} / length) % kHoursPerDay);
}

std::uint32_t GetClockMinute(const GAME_CGameClock& clock)
{
    const std::uint64_t length = clock.DayLength();
    if (length == 0) return 0;
    return static_cast<std::uint32_t>(kMinutesPerDay * std::uint64_t{clock.step} / length % 60);
}

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
    for (int guard = 0; guard < 6 && std::abs(std::int64_t{clock.displayedMinute} - minute) >= kMinuteStep; ++guard) {
        clock.displayedMinute = (clock.displayedMinute + kMinuteStep) % 60;
    }
}

void LoadGameClock(GAME_CGameClock& clock, std::span<const std::uint8_t> slot)
{
    clock.day = platform::ReadU32(slot, slot::kClockDay);
    clock.step = platform::ReadU32(slot, slot::kClockStep);
    if (clock.step >= clock.DayLength()) {
        vesk::log::Warning("save data: clock step " + std::to_string(clock.step) + " is past the day; 0 is taken");
        clock.step = 0;
    }
    clock.itemsFound = platform::ReadU32(slot, slot::kClockItemsFound);
    clock.counter = platform::ReadU32(slot, slot::kClockCounter);
    clock.enemiesDefeated = platform::ReadU32(slot, slot::kClockEnemiesDefeated);
    clock.timeStopped = platform::ReadU32(slot, slot::kClockTimeStopped);
    clock.flag = platform::ReadU32(slot, slot::kClockFlag);
    clock.displayedMinute = GetClockMinute(clock) / kMinuteStep * kMinuteStep;
    const std::uint32_t bgm = platform::ReadU32(slot, slot::kClockBgm) - 1;
    GAME_CSoundPlayer* sound = PeekSoundPlayer();
    if (sound != nullptr) {
        sound->currentBgm = bgm < kBgmCount ? bgm : kNoBgm;
        sound->battleTrackChosen = (bgm == 4 || bgm == 5) ? 1 : 0;
    }
}

void StoreGameClock(const GAME_CGameClock& clock, std::span<std::uint8_t> slot)
{
    platform::WriteU32(slot, slot::kClockDay, clock.day);
    platform::WriteU32(slot, slot::kClockStep, clock.step);
    platform::WriteU32(slot, slot::kClockItemsFound, clock.itemsFound);
    platform::WriteU32(slot, slot::kClockCounter, clock.counter);
    platform::WriteU32(slot, slot::kClockEnemiesDefeated, clock.enemiesDefeated);
    platform::WriteU32(slot, slot::kClockTimeStopped, clock.timeStopped);
    platform::WriteU32(slot, slot::kClockFlag, clock.flag);
    const GAME_CSoundPlayer* sound = PeekSoundPlayer();
    const std::uint32_t bgm = sound ? sound->currentBgm : kNoBgm;
    platform::WriteU32(slot, slot::kClockBgm, bgm < kBgmCount ? bgm + 1 : 0xFFFFFFFF);
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
