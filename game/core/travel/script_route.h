// The route script engine: runs a route's script for the route manager.
#pragma once

#include "game/core/script/script_object_engine.h"

class GAME_CRouteManager;

// Table 1 the route table. The owner is the route manager.
class GAME_CScriptRoute final : public GAME_CScriptObjectEngine {
public:
    explicit GAME_CScriptRoute(GAME_CRouteManager* manager);

    void Attach(const vesk::utility::script_package::ProgramRecord* program) { AttachProgram(program); }
    void OnJump(int) override {}

    GAME_CRouteManager* GetManager() const { return manager_; }

private:
    GAME_CRouteManager* manager_;
};

// The route table: 61 slots. Its commands come with the travel layer; until
// then every slot is empty, so a route statement does nothing.
vesk::utility::script::CommandTable GetRouteCommandTable();
