// The game clock: days of 6300 simulation steps, hours and minutes, and its record in a slot.
#include "game/services/clock/game_clock.h"

#include <algorithm>
#include <string>

#include "game/services/save/save_field_log.h"
#include "game/services/save/save_layout.h"
#include "game/services/sound/sound_player.h"
#include "platform/little_endian.h"

using namespace save_layout;

namespace {

constexpr std::uint32_t kHoursPerDay = 24;
constexpr std::uint32_t kFirstHour = 6;
constexpr std::uint32_t kMinutesPerDay = 1440;

GAME_CGameClock* g_clock = nullptr;

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

namespace {

// The music word is the track + 1; 0 and 0xFFFFFFFF both mean none.
std::uint32_t ReadClockBgm(std::span<const std::uint8_t> slot)
{
    const std::uint32_t word = platform::ReadU32(slot, slot::kClockBgm);
    if (word == 0 || word == 0xFFFFFFFFu) return kNoBgm;
    if (word - 1 < kBgmCount) return word - 1;
    LogBadWorkingSlotField("clock music", slot::kClockBgm,
                           "track word " + std::to_string(word) + " names no track; no music is taken");
    return kNoBgm;
}

}  // namespace

void LoadGameClock(GAME_CGameClock& clock, std::span<const std::uint8_t> slot)
{
    clock.day = platform::ReadU32(slot, slot::kClockDay);
    clock.step = platform::ReadU32(slot, slot::kClockStep);
    if (clock.step >= clock.DayLength()) {
        LogBadWorkingSlotField("clock step", slot::kClockStep,
                               std::to_string(clock.step) + " is past the day; 0 is taken");
        clock.step = 0;
    }
    clock.itemsFound = platform::ReadU32(slot, slot::kClockItemsFound);
    clock.counter = platform::ReadU32(slot, slot::kClockCounter);
    clock.enemiesDefeated = platform::ReadU32(slot, slot::kClockEnemiesDefeated);
    clock.timeStopped = ReadWorkingSlotFlag(slot, slot::kClockTimeStopped, "clock time-stopped flag");
    clock.flag = ReadWorkingSlotFlag(slot, slot::kClockFlag, "clock flag");
    clock.displayedMinute = GetClockMinute(clock) / kClockMinuteStep * kClockMinuteStep;
    const std::uint32_t bgm = ReadClockBgm(slot);
    GAME_CSoundPlayer* sound = PeekSoundPlayer();
    if (sound != nullptr) {
        sound->currentBgm = bgm;
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
