// The actor script engine: runs a crew member's script on the crew member that embeds it.
#pragma once

#include "game/model/script/script_object_engine.h"

class GAME_CObjectActor;

// Table 1 the actor table. The owner is the crew member that embeds the engine.
class GAME_CScriptActor final : public GAME_CScriptObjectEngine {
public:
    explicit GAME_CScriptActor(GAME_CObjectActor* actor);

    void Attach(const vesk::utility::script_package::ProgramRecord* program) { AttachProgram(program); }

    // After a restart at an entry or label: period 1, counter 0, and the crew
    // member drawn again at its standard offset.
    void OnJump(int kind) override;

    GAME_CObjectActor* GetActor() const { return actor_; }

private:
    GAME_CObjectActor* actor_;
};
