// The travel controller: the current route manager and the ship's journey along it.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "framework/memory/heaps.h"
#include "game/core/travel/route_manager.h"

// No route is started yet, so there is no route manager and nothing moves.
class GAME_CTravelController : public vesk::memory::MainHeapObject {
public:
    void UpdateFrame() {}
    void StepTimers() {}
    void LoadFromSlot(std::span<const std::uint8_t>) {}
    void AfterLoad() {}

    std::unique_ptr<GAME_CRouteManager> routeManager;
    std::uint32_t bgmLock = 0;
};
