// Script objects of the effect engine made by label at a point: what enemy scripts spawn, and the frame the arcade game runs.
#include "game/model/minigame/script_object_spawner.h"

#include "framework/utility/draw_unit/transform2.h"
#include "framework/utility/effect/effect_layer.h"
#include "framework/utility/script_graphic/script_engine.h"

namespace sg = vesk::utility::script_graphic;
namespace du = vesk::utility::draw_unit;

sg::UTL_CObjectScript* SpawnScriptObject(sg::UTL_CScriptEngine* engine, const ScriptObjectRequest& request)
{
    if (engine == nullptr) return nullptr;
    sg::UTL_CObjectBase* parent = nullptr;
    if (!request.parentName.empty()) {
        parent = engine->FindObjectByName(request.parentName);
        if (parent != nullptr && parent->HasFlags(du::kDead)) parent = nullptr;
    }
    const auto label = engine->FindLabel(request.labelName);
    if (!label) return nullptr;
    sg::UTL_CObjectScript* object = engine->CreateScriptObject(request.objectName, label->commandIndex, parent);
    if (object == nullptr) return nullptr;
    object->local.position = request.position;
    object->local.scale = request.scale;
    object->local.rotation = request.rotation;
    object->local.flipX = request.mirror ? 1 : 0;
    object->SetFlags(du::kInheritTransform | du::kInheritVisible, true);
    return object;
}

GAME_CScriptObjectSpawner::GAME_CScriptObjectSpawner() : engine_(vesk::utility::particle::GetEffectEngine()) {}

void GAME_CScriptObjectSpawner::RunScriptGraphicFrame()
{
    if (engine_ != nullptr) engine_->RunFramePasses();
}

void GAME_CScriptObjectSpawner::Draw()
{
    if (engine_ != nullptr) engine_->DrawAllPriorities();
}
