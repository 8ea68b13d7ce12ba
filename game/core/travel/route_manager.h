// The route manager: for now the route engine and the run of one route script's registration.
#pragma once

#include <cstdint>

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

private:
    std::uint32_t routeId_ = kNoId;
    GAME_CScriptRoute script_;
};
