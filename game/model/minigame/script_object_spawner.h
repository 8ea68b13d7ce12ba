// Script objects of the effect engine made by label at a point: what enemy scripts spawn, and the frame the arcade game runs.
#pragma once

#include <string>

#include "framework/math/vector.h"
#include "framework/memory/heaps.h"

namespace vesk::utility::script_graphic {
class UTL_CScriptEngine;
class UTL_CObjectScript;
}  // namespace vesk::utility::script_graphic

// What a caller fills to spawn a script object: its name, its label, its parent's name (empty:
// none), its local placement and whether it is mirrored.
struct ScriptObjectRequest {
    std::u16string objectName;
    std::u16string labelName;
    std::u16string parentName;
    vesk::math::Vec2 position{};
    vesk::math::Vec2 scale{1.0f, 1.0f};
    float rotation = 0.0f;  // degrees
    bool mirror = false;
};

// Creates the request's object on the engine at its label, under its parent when that is alive;
// it inherits the parent's transform and visibility. Null (nothing made) without an engine or label.
vesk::utility::script_graphic::UTL_CObjectScript* SpawnScriptObject(vesk::utility::script_graphic::UTL_CScriptEngine* engine,
                                                                    const ScriptObjectRequest& request);

// The arcade scene's hold on the effect layer's engine, so its scripted effects run and show while
// the main game is not there to run them.
class GAME_CScriptObjectSpawner : public vesk::memory::MainHeapObject {
public:
    // Takes the effect layer's engine (none when the effects are not loaded).
    GAME_CScriptObjectSpawner();
    explicit GAME_CScriptObjectSpawner(vesk::utility::script_graphic::UTL_CScriptEngine* engine) : engine_(engine) {}

    vesk::utility::script_graphic::UTL_CScriptEngine* Engine() const { return engine_; }
    // One frame of the engine's passes.
    void RunScriptGraphicFrame();
    // Every priority of the engine, in order.
    void Draw();

private:
    vesk::utility::script_graphic::UTL_CScriptEngine* engine_ = nullptr;
};
