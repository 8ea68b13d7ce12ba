// The enemy script engine and its named variables.
#include "game/model/script/script_enemy.h"

#include <algorithm>

#include "game/model/script/enemy_commands.h"
#include "game/model/world/game_world_ready.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_enemy.h"
#include "game/model/ship/ship_world.h"

namespace {

std::string_view CutName(std::string_view name)
{
    return name.substr(0, std::min(name.size(), GAME_CScriptEnemy::kVariableNameLength));
}

}  // namespace

GAME_CScriptEnemy::GAME_CScriptEnemy() : GAME_CScriptObjectEngine(GetEnemyCommandTable()) {}

void GAME_CScriptEnemy::Attach(const vesk::utility::script_package::ProgramRecord* program, GAME_CObjectEnemy* enemy)
{
    AttachProgram(program);
    enemy_ = enemy;
    effectOffset = {};
    effectScale = {1.0f, 1.0f};
    effectValue = 0.0f;
    anchorMode = 0;
    effectCounter = 0;
    target = nullptr;
    ClearVariables();
}

void GAME_CScriptEnemy::OnJump(int kind)
{
    if (kind != vesk::utility::script::kJumpRestart) {
        return;
    }
    Period().Set(0);
    if (enemy_ == nullptr) {
        return;
    }
    enemy_->SetFlagWord(GAME_CObjectEnemy::kFlagWordScriptStarted);
    // A held-back enemy runs its extra steps until its script starts a label.
    if (!IsGameWorldReady()) {
        return;
    }
    if (GAME_CFieldObjectManager* manager = ship_world::FieldObjects()) {
        manager->RemovePendingEnemy(enemy_);
    }
}

GAME_CScriptEnemy::Variable* GAME_CScriptEnemy::FindVariable(std::string_view name)
{
    name = CutName(name);
    if (name.empty()) {
        return nullptr;
    }
    for (Variable& variable : variables_) {
        if (variable.Name() == name) {
            return &variable;
        }
    }
    return nullptr;
}

GAME_CScriptEnemy::Variable* GAME_CScriptEnemy::FindOrCreateVariable(std::string_view name)
{
    if (Variable* found = FindVariable(name)) {
        return found;
    }
    name = CutName(name);
    if (name.empty()) {
        return nullptr;
    }
    for (Variable& variable : variables_) {
        if (variable.name[0] == '\0') {
            std::copy(name.begin(), name.end(), variable.name.begin());
            variable.value = 0;
            return &variable;
        }
    }
    return nullptr;
}

void GAME_CScriptEnemy::ClearVariable(std::string_view name)
{
    if (Variable* variable = FindVariable(name)) {
        *variable = Variable{};
    }
}

void GAME_CScriptEnemy::ClearVariables() { variables_.fill(Variable{}); }
