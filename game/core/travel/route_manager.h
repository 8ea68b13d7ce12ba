// The route manager: for now the route engine and the run of one route script's registration.
#pragma once

#include <cstdint>
#include <span>

#include "framework/utility/script_package/program_record.h"
#include "game/core/data/record_entries.h"
#include "game/core/travel/script_route.h"

// Runs the route the ship travels. This holds what the route scripts'
// registration runs on: the route engine and the id of the route whose
// script it runs.
class GAME_CRouteManager {
public:
    GAME_CRouteManager() : script_(this) {}
    GAME_CRouteManager(const GAME_CRouteManager&) = delete;
    GAME_CRouteManager& operator=(const GAME_CRouteManager&) = delete;

    // Sets the route engine up for one entry of the route package: the
    // route id and its script.
    void BeginRegistration(std::uint32_t routeId, const vesk::utility::script_package::ProgramRecord* program);
    // After the registration label ran: the engine lets go of the script.
    void FinishRegistration();

    std::uint32_t GetRouteId() const { return routeId_; }
    GAME_CScriptRoute& Script() { return script_; }

    // The position on the route, in distance units from its departure.
    std::int32_t GetPosition() const { return position_; }
    void SetPosition(std::int32_t position) { position_ = position; }
    // While the route holds the game the clock stops and autosaves wait.
    bool IsHolding() const { return holding_; }
    void SetHolding(bool holding) { holding_ = holding; }
    // A route event runs: no autosave, no game-over check.
    bool IsRouteEventRunning() const { return routeEventRunning_; }
    void SetRouteEventRunning(bool running) { routeEventRunning_ = running; }
    // The route is run from its far end back to its start.
    bool IsReversed() const { return reversed_; }
    void SetReversed(bool reversed) { reversed_ = reversed; }
    // The events stay when the route restarts on the same route.
    bool KeepsEvents() const { return keepEvents_; }

    // The route save block of a slot: route id, direction words and position.
    void WriteSaveBlock(std::span<std::uint8_t> slot) const;

    // The journey's progress and its limit, and the route's two nodes (the map screen reads them).
    std::int32_t progress = 0;
    std::int32_t progressLimit = 0;
    std::uint32_t nodeA = 0;
    std::uint32_t nodeB = 0;

private:
    std::uint32_t routeId_ = kNoId;
    GAME_CScriptRoute script_;
    std::int32_t position_ = 0;
    bool holding_ = false;
    bool routeEventRunning_ = false;
    bool keepEvents_ = false;
    bool reversed_ = false;
};
