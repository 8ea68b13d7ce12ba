// The script-graphic engine: object pools, creation and lookup, the frame's passes and drawing by priority.
#include "framework/utility/script_graphic/script_engine.h"

#include <algorithm>
#include <string>

#include "framework/log/log.h"
#include "framework/utility/script/common_table.h"

namespace vesk::utility::script_graphic {

using thread::SYS_CScopedLock;

namespace {

constexpr std::size_t kReservedListEntries = 128;
constexpr std::size_t kReservedObjectPairs = 256;

template <typename Object>
void FillPool(std::vector<Object*>& pool, std::size_t count)
{
    pool.reserve(count);
    while (pool.size() < count) {
        Object* object = new Object();
        if (object == nullptr) {
            log::Error("script-graphic engine: no memory for its object pool");
            return;
        }
        pool.push_back(object);
    }
}

}  // namespace

UTL_CScriptEngine::UTL_CScriptEngine() { SetCommandTable(0, script::GetCommonCommandTable()); }

UTL_CScriptEngine::~UTL_CScriptEngine() { DeleteAll(); }

void UTL_CScriptEngine::Init(const script_package::ProgramRecord* program)
{
    SYS_CScopedLock lock(&lock_);
    Clear();
    objects_.reserve(kReservedListEntries);
    drawList_.reserve(kReservedListEntries);
    priorityIndex_.reserve(kReservedListEntries);
    SetCommandTable(0, script::GetCommonCommandTable());
    if (program == nullptr) {
        return;
    }
    SetProgram(program);
    SetCommandTable(1, GetGraphicCommandTable());
    // Topped up rather than refilled: a second Init must not grow the pools.
    FillPool(scriptPool_, kPooledObjects);
    FillPool(spritePool_, kPooledObjects);
    objects_.reserve(kReservedObjectPairs);
}

void UTL_CScriptEngine::Clear()
{
    SYS_CScopedLock lock(&lock_);
    // Listed objects go back to their pools rather than being lost.
    for (auto& [handle, object] : objects_) {
        object->ClearChildren();
        object->SetParent(nullptr);
        ReturnToPool(object);
    }
    objects_.clear();
    drawList_.clear();
    priorityIndex_.clear();
    nextHandle_ = 0;
    hitList_ = nullptr;
}

bool UTL_CScriptEngine::HasRoomForObject()
{
    if (objects_.size() < kMaxObjects) {
        refusingObjects_ = false;
        return true;
    }
    if (!refusingObjects_) {
        log::Error("script-graphic engine: no object made: " + std::to_string(kMaxObjects) +
                   " objects are listed already");
        refusingObjects_ = true;
    }
    return false;
}

template <typename Object>
Object* UTL_CScriptEngine::TakeFromPool(std::vector<Object*>& pool)
{
    if (!HasRoomForObject()) {
        return nullptr;
    }
    if (!pool.empty()) {
        Object* object = pool.back();
        pool.pop_back();
        return object;
    }
    Object* object = new Object();
    if (object == nullptr) {
        log::Error("script-graphic engine: no memory for a new object");
    }
    return object;
}

void UTL_CScriptEngine::List(UTL_CObjectBase* object, std::u16string_view name, UTL_CObjectBase* parent)
{
    object->handle = nextHandle_++;
    objects_.emplace_back(object->handle, object);
    object->Reset();
    object->SetName(name);
    // Also clears the parent a pooled object kept from its last life.
    object->SetParent(parent != object ? parent : nullptr);
}

UTL_CObjectScript* UTL_CScriptEngine::CreateScriptObject(std::u16string_view name, std::uint32_t startCommand,
                                                         UTL_CObjectBase* parent)
{
    SYS_CScopedLock lock(&lock_);
    UTL_CObjectScript* object = TakeFromPool(scriptPool_);
    if (object == nullptr) {
        return nullptr;
    }
    List(object, name, parent);
    object->threads.Clear();
    script::ScriptThreadBlock* const savedThreads = threads_;
    threads_ = &object->threads;
    Restart(startCommand);
    OnJump(script::kJumpRestart);
    threads_ = savedThreads;
    return object;
}

UTL_CObjectSprite* UTL_CScriptEngine::CreateSpriteObject(std::u16string_view name, std::int32_t group,
                                                         std::int32_t index, UTL_CObjectBase* parent)
{
    SYS_CScopedLock lock(&lock_);
    UTL_CObjectSprite* object = TakeFromPool(spritePool_);
    if (object == nullptr) {
        return nullptr;
    }
    List(object, name, parent);
    object->SetSprite(group, index);
    return object;
}

UTL_CObjectBase* UTL_CScriptEngine::FindObjectByHandle(std::uint32_t handle) const
{
    const auto found = std::lower_bound(objects_.begin(), objects_.end(), handle,
                                        [](const auto& pair, std::uint32_t wanted) { return pair.first < wanted; });
    return found != objects_.end() && found->first == handle ? found->second : nullptr;
}

UTL_CObjectBase* UTL_CScriptEngine::FindObjectByName(std::u16string_view name)
{
    SYS_CScopedLock lock(&lock_);
    for (const auto& [handle, object] : objects_) {
        if (object->GetName() == name) {
            return object;
        }
    }
    return nullptr;
}

bool UTL_CScriptEngine::KillObject(std::uint32_t handle)
{
    SYS_CScopedLock lock(&lock_);
    UTL_CObjectBase* object = FindObjectByHandle(handle);
    if (object == nullptr) {
        return false;
    }
    object->Kill();
    return true;
}

void UTL_CScriptEngine::KillAll()
{
    for (std::size_t i = 0; i < objects_.size(); ++i) {
        SYS_CScopedLock lock(&lock_);
        objects_[i].second->Kill();
    }
    RemoveDeadObjects();
}

void UTL_CScriptEngine::ReturnToPool(UTL_CObjectBase* object)
{
    object->handle = UTL_CObjectBase::kNoHandle;
    if (object->GetObjectKind() == kObjectScript) {
        scriptPool_.push_back(static_cast<UTL_CObjectScript*>(object));
    } else {
        spritePool_.push_back(static_cast<UTL_CObjectSprite*>(object));
    }
}

bool UTL_CScriptEngine::RemoveObject(std::uint32_t handle)
{
    SYS_CScopedLock lock(&lock_);
    UTL_CObjectBase* object = FindObjectByHandle(handle);
    if (object == nullptr) {
        return false;
    }
    // A child left behind would follow a pooled (later reused) parent.
    for (draw_unit::UTL_CObject2Base* child : object->GetChildren()) {
        child->Kill();
    }
    object->ClearChildren();
    object->SetParent(nullptr);
    const auto at = std::lower_bound(objects_.begin(), objects_.end(), handle,
                                     [](const auto& pair, std::uint32_t wanted) { return pair.first < wanted; });
    objects_.erase(at);
    ReturnToPool(object);
    // The draw list may hold it; it is rebuilt by the next sort.
    drawList_.clear();
    priorityIndex_.clear();
    return true;
}

void UTL_CScriptEngine::ClearChangedFlags()
{
    for (const auto& [handle, object] : objects_) {
        object->ClearFrameFlags();
    }
}

void UTL_CScriptEngine::RunObjectScript(UTL_CObjectScript* object)
{
    SYS_CScopedLock lock(&lock_);
    // Dead objects still listed run too: a child its parent killed earlier in
    // this pass still does this frame's work.
    if (object == nullptr || object->handle == UTL_CObjectBase::kNoHandle || object->ranThisFrame) {
        return;
    }
    script::ScriptThreadBlock* const savedThreads = threads_;
    script::ScriptThreadBlock* const savedBlock = currentBlock_;
    script::ScriptThread* const savedExecuting = executing_;
    UTL_CObjectScript* const savedObject = currentObject_;

    currentObject_ = object;
    threads_ = &object->threads;
    currentBlock_ = &object->threads;
    executing_ = nullptr;
    Update();
    if (object->threads.Main().running == 0) {
        object->Kill();
    }

    threads_ = savedThreads;
    currentBlock_ = savedBlock;
    executing_ = savedExecuting;
    currentObject_ = savedObject;
    object->ranThisFrame = true;
}

void UTL_CScriptEngine::RunObjectScripts()
{
    // By index: objects created by the scripts are appended and run in this pass.
    for (std::size_t i = 0; i < objects_.size(); ++i) {
        UTL_CObjectBase* object = objects_[i].second;
        if (object->GetObjectKind() == kObjectScript) {
            RunObjectScript(static_cast<UTL_CObjectScript*>(object));
        }
    }
}

void UTL_CScriptEngine::UpdateTransforms()
{
    for (std::size_t i = 0; i < objects_.size(); ++i) {
        objects_[i].second->UpdateTransform();
    }
}

void UTL_CScriptEngine::RemoveDeadObjects()
{
    SYS_CScopedLock lock(&lock_);
    bool removedAny = false;
    // Removing an object kills the children it still had, so sweep until a
    // sweep finds none.
    for (;;) {
        bool removed = false;
        for (const auto& [handle, object] : objects_) {
            if (!object->IsDead() || object->handle == UTL_CObjectBase::kNoHandle) {
                continue;
            }
            for (draw_unit::UTL_CObject2Base* child : object->GetChildren()) {
                child->Kill();
            }
            object->ClearChildren();
            object->SetParent(nullptr);
            ReturnToPool(object);
            removed = true;
        }
        if (!removed) {
            break;
        }
        std::erase_if(objects_, [](const auto& pair) { return pair.second->handle == UTL_CObjectBase::kNoHandle; });
        removedAny = true;
    }
    if (removedAny) {
        drawList_.clear();
        priorityIndex_.clear();
    }
}

void UTL_CScriptEngine::SortDrawList()
{
    drawList_.clear();
    for (const auto& [handle, object] : objects_) {
        drawList_.push_back(object);
    }
    // Stable: equal priorities keep handle order, so drawing is repeatable.
    std::stable_sort(drawList_.begin(), drawList_.end(), [](const UTL_CObjectBase* a, const UTL_CObjectBase* b) {
        return a->world.priority < b->world.priority;
    });
}

void UTL_CScriptEngine::RunFramePasses(void (*afterScripts)(UTL_CScriptEngine& engine))
{
    ClearChangedFlags();
    RunObjectScripts();
    if (afterScripts) afterScripts(*this);
    UpdateTransforms();
    RemoveDeadObjects();
    SortDrawList();
    BuildPriorityIndex();
}

void UTL_CScriptEngine::DrawAllPriorities()
{
    for (const auto& [priority, first] : priorityIndex_) DrawPriority(priority);
}

void UTL_CScriptEngine::BuildPriorityIndex()
{
    // One entry where each priority starts; a walk over the sorted list, so a
    // huge priority value costs nothing extra.
    priorityIndex_.clear();
    for (std::size_t i = 0; i < drawList_.size(); ++i) {
        const std::uint32_t priority = drawList_[i]->world.priority;
        if (i == 0 || priority != drawList_[i - 1]->world.priority) {
            priorityIndex_.emplace_back(priority, static_cast<std::uint32_t>(i));
        }
    }
}

void UTL_CScriptEngine::DrawPriority(std::uint32_t priority)
{
    SYS_CScopedLock lock(&lock_);
    const auto entry = std::lower_bound(priorityIndex_.begin(), priorityIndex_.end(), priority,
                                        [](const auto& pair, std::uint32_t wanted) { return pair.first < wanted; });
    if (entry == priorityIndex_.end() || entry->first != priority) {
        return;
    }
    const std::size_t end = drawList_.size();
    // The position of the next object of this priority that is drawn, or end.
    auto nextDrawn = [&](std::size_t from) {
        for (std::size_t j = from; j < end && drawList_[j]->world.priority == priority; ++j) {
            if (drawList_[j]->world.visible != 0) {
                return j;
            }
        }
        return end;
    };
    // Each drawn object learns whether the next drawn one shares its batch; the
    // last one of a batch draws it, so none is left open at the end.
    for (std::size_t at = nextDrawn(entry->second); at != end;) {
        UTL_CObjectBase* object = drawList_[at];
        const std::size_t next = nextDrawn(at + 1);
        const bool continues = next != end && drawList_[next]->GetObjectKind() == object->GetObjectKind() &&
                               drawList_[next]->world.blendMode == object->world.blendMode;
        object->Draw(continues);
        object->flags |= draw_unit::kDrawnThisFrame;
        at = next;
    }
}

std::size_t UTL_CScriptEngine::PooledCount(UTL_EObjectKind kind) const
{
    return kind == kObjectScript ? scriptPool_.size() : spritePool_.size();
}

void UTL_CScriptEngine::DeleteAll()
{
    // Listed objects are the engine's too; unlink first so no destructor
    // reaches an object already deleted.
    for (auto& [handle, object] : objects_) {
        object->ClearChildren();
        object->SetParent(nullptr);
    }
    for (auto& [handle, object] : objects_) {
        delete object;
    }
    objects_.clear();
    for (UTL_CObjectScript* object : scriptPool_) {
        delete object;
    }
    for (UTL_CObjectSprite* object : spritePool_) {
        delete object;
    }
    scriptPool_.clear();
    spritePool_.clear();
    drawList_.clear();
    priorityIndex_.clear();
}

}  // namespace vesk::utility::script_graphic
