// The room script engine.
#include "game/model/script/script_room.h"

#include "game/model/script/room_commands.h"
#include "game/model/ship/room_base.h"

GAME_CScriptRoom::GAME_CScriptRoom(GAME_CRoomBase* room) : GAME_CScriptObjectEngine(GetRoomCommandTable()), room_(room)
{
}

void GAME_CScriptRoom::OnJump(int kind)
{
    if (kind != vesk::utility::script::kJumpRestart) {
        return;
    }
    Period().Set(1);
    if (room_ != nullptr) {
        room_->SetScriptFlagA(false);
        room_->SetScriptFlagB(false);
    }
}
