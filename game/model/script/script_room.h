// The room script engine: runs a room kind's script on the room that embeds it.
#pragma once

#include "game/model/script/script_object_engine.h"

class GAME_CRoomBase;

// Table 1 the room table. The owner is the room that embeds the engine.
class GAME_CScriptRoom final : public GAME_CScriptObjectEngine {
public:
    explicit GAME_CScriptRoom(GAME_CRoomBase* room);

    void Attach(const vesk::utility::script_package::ProgramRecord* program) { AttachProgram(program); }

    // After a restart at an entry or label: period 1, counter 0, and the
    // room's script flags A and B cleared.
    void OnJump(int kind) override;

    GAME_CRoomBase* GetRoom() const { return room_; }

private:
    GAME_CRoomBase* room_;
};
