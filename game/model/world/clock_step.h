// One step of the game clock, with the hourly refills of the routes and the daily refresh.
#pragma once

#include "game/services/clock/game_clock.h"

// The last stage of a simulation step: one step of the day, with the hourly and daily work.
void StepGameClock(GAME_CGameClock& clock);
// Every route but the current one gains its hourly amounts in its two event accumulators.
void HourlyRefill();
// The offer sets count down and renew. Crew members keep no age in days: nothing reads one.
void DailyRefresh();
