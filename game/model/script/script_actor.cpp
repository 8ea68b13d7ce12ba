// The actor script engine.
#include "game/model/script/script_actor.h"

#include "game/model/script/actor_commands.h"
#include "game/model/object/object_actor.h"

GAME_CScriptActor::GAME_CScriptActor(GAME_CObjectActor* actor)
    : GAME_CScriptObjectEngine(GetActorCommandTable()), actor_(actor)
{
}

void GAME_CScriptActor::OnJump(int kind)
{
    if (kind != vesk::utility::script::kJumpRestart) {
        return;
    }
    Period().Set(1);
    if (actor_ != nullptr) {
        actor_->SetDrawOffset({0.0f, GAME_CObjectActor::kStandardDrawOffsetY});
        actor_->SetVisible(true);
    }
}
