// The script-graphic engine: many small scripted graphic objects, run and drawn in passes each frame.
#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/input/touch_point.h"
#include "framework/lock/critical_section.h"
#include "framework/utility/script/script_engine.h"
#include "framework/utility/script_graphic/object_script.h"
#include "framework/utility/script_graphic/object_sprite.h"

namespace vesk::utility::script_graphic {

// Runs many small scripted graphic objects at once. Objects come from pools
// and are addressed by handle or by name; every frame the owner runs the
// passes in order (RunFramePasses): ClearChangedFlags, RunObjectScripts,
// UpdateTransforms, RemoveDeadObjects, SortDrawList, BuildPriorityIndex, then
// DrawPriority for each priority it draws.
//
// The lock is taken around creation, lookup by name, killing, each script
// run, dead-object removal and the drawing of a priority. It is re-entrant:
// scripts running under it create, find and kill objects.
class UTL_CScriptEngine final : public script::SYS_CScriptEngine {
public:
    static constexpr std::uint32_t kPooledObjects = 128;
    static constexpr std::uint32_t kTableSize = 140;
    // Objects a script makes run in the pass that made them, so a script that
    // makes copies of itself would list objects until memory ran out within
    // one frame: creation is refused while this many are listed.
    static constexpr std::uint32_t kMaxObjects = 4096;

    UTL_CScriptEngine();
    ~UTL_CScriptEngine() override;

    void OnJump(int) override {}

    // Installs the common table; with a program, also the graphic table, the
    // pools and empty lists. Objects still listed return to their pools.
    void Init(const script_package::ProgramRecord* program);
    // Every listed object back to its pool; handles start from 0 again.
    void Clear();

    // Creates a script object named name under parent (null: none) and starts
    // its script at startCommand. Null when kMaxObjects are listed or no memory
    // is left.
    UTL_CObjectScript* CreateScriptObject(std::u16string_view name, std::uint32_t startCommand,
                                          UTL_CObjectBase* parent);
    // Creates a sprite object showing sprite (group, index) of the sprite
    // registry. Null when kMaxObjects are listed or no memory is left.
    UTL_CObjectSprite* CreateSpriteObject(std::u16string_view name, std::int32_t group, std::int32_t index,
                                          UTL_CObjectBase* parent);

    UTL_CObjectBase* FindObjectByHandle(std::uint32_t handle) const;
    // The first listed object of that name, in handle order.
    UTL_CObjectBase* FindObjectByName(std::u16string_view name);
    // Marks the object and its descendants dead; false for an unknown handle.
    bool KillObject(std::uint32_t handle);
    // Kills every object and removes them all.
    void KillAll();
    // Takes the object out of the engine and back to its pool. Its children
    // cannot outlive it: they are killed and unparented. False for an
    // unknown handle.
    bool RemoveObject(std::uint32_t handle);

    // A frame's six passes in their order. afterScripts, when given, sees the
    // engine once the scripts have run, before the transforms are composed.
    void RunFramePasses(void (*afterScripts)(UTL_CScriptEngine& engine) = nullptr);
    // DrawPriority for every priority of the index, lowest first.
    void DrawAllPriorities();

    // The passes of a frame, one by one.
    void ClearChangedFlags();
    void RunObjectScripts();
    void UpdateTransforms();
    void RemoveDeadObjects();
    void SortDrawList();
    void BuildPriorityIndex();
    void DrawPriority(std::uint32_t priority);

    // Runs one script object's script for this frame (once a frame).
    void RunObjectScript(UTL_CObjectScript* object);

    // The script object whose script runs; null outside a run.
    UTL_CObjectScript* GetCurrentObject() const { return currentObject_; }

    // The pointers the pointer-near command tests instead of the input
    // manager's; the owner sets it each frame (null: ask the input manager).
    void SetHitList(const input::TouchList* hitList) { hitList_ = hitList; }
    const input::TouchList* GetHitList() const { return hitList_; }

    thread::SYS_CCriticalSection& Lock() { return lock_; }

    // Inspection.
    std::size_t ObjectCount() const { return objects_.size(); }
    const std::vector<std::pair<std::uint32_t, UTL_CObjectBase*>>& Objects() const { return objects_; }
    const std::vector<UTL_CObjectBase*>& DrawList() const { return drawList_; }
    const std::vector<std::pair<std::uint32_t, std::uint32_t>>& PriorityIndex() const { return priorityIndex_; }
    std::size_t PooledCount(UTL_EObjectKind kind) const;

private:
    template <typename Object>
    Object* TakeFromPool(std::vector<Object*>& pool);
    // False, with one log line until an object is made again, while kMaxObjects are listed.
    bool HasRoomForObject();
    void List(UTL_CObjectBase* object, std::u16string_view name, UTL_CObjectBase* parent);
    void ReturnToPool(UTL_CObjectBase* object);
    void DeleteAll();

    UTL_CObjectScript* currentObject_ = nullptr;
    std::vector<UTL_CObjectScript*> scriptPool_;
    std::vector<UTL_CObjectSprite*> spritePool_;
    std::uint32_t nextHandle_ = 0;
    bool refusingObjects_ = false;
    // Ordered by handle: handles only grow.
    std::vector<std::pair<std::uint32_t, UTL_CObjectBase*>> objects_;
    std::vector<UTL_CObjectBase*> drawList_;
    // (priority, first draw-list position), ascending.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> priorityIndex_;
    thread::SYSWIN_CCriticalSection lock_;
    const input::TouchList* hitList_ = nullptr;
};

// The graphic table: table 1 of the script-graphic engine.
script::CommandTable GetGraphicCommandTable();

}  // namespace vesk::utility::script_graphic
