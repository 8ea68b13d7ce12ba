// The game clock: days of 6300 simulation steps, hours and minutes, and its record in a slot.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "framework/memory/heaps.h"

// The clock shows minutes in steps of ten.
inline constexpr std::uint32_t kClockMinuteStep = 10;

struct GAME_CGameClock : vesk::memory::MainHeapObject {
    std::uint32_t day = 0;
    std::uint32_t step = 0;
    std::uint32_t displayedMinute = 0;  // a multiple of 10
    std::array<std::uint32_t, 3> phaseLengths{3600, 1800, 900};
    std::uint32_t itemsFound = 0;
    std::uint32_t counter = 0;
    std::uint32_t enemiesDefeated = 0;
    std::uint32_t word10 = 0;
    std::uint32_t word11 = 0;
    std::uint32_t timeStopped = 0;  // the crew's meters do not drain while set
    std::uint32_t flag = 0;

    // The day length: the three phases together.
    std::uint32_t DayLength() const;
};

// The clock, made and reset on first use.
GAME_CGameClock* GetGameClock();
GAME_CGameClock* PeekGameClock();
void DestroyGameClock();
void ResetGameClock(GAME_CGameClock& clock);

// The day starts at 6:00.
std::uint32_t GetClockHour(const GAME_CGameClock& clock);
std::uint32_t GetClockMinute(const GAME_CGameClock& clock);
// From a slot's clock record (the values are checked); the BGM id goes to the sound player.
void LoadGameClock(GAME_CGameClock& clock, std::span<const std::uint8_t> slot);
// Into a slot's clock record, with the sound player's BGM id.
void StoreGameClock(const GAME_CGameClock& clock, std::span<std::uint8_t> slot);
