// The layout manager's object pool, its 64 layers of object lists and their release.
#include "framework/utility/layout/layout_manager.h"

#include <string>

#include "framework/log/log.h"

namespace vesk::layout {

namespace {

SYS_CLayoutManager* g_manager = nullptr;
SYS_CLayoutRegistry* g_registry = nullptr;

bool ValidLayer(int layer) { return layer >= 0 && layer < kLayerCount; }

}  // namespace

SYS_CLayoutManager::SYS_CLayoutManager(SYS_CLayoutRegistry& registry) : registry_(registry)
{
    objects_.reserve(kLayoutObjectCount);
    free_.reserve(kLayoutObjectCount);
    for (int i = 0; i < kLayoutObjectCount; ++i) {
        objects_.push_back(std::make_unique<SYS_CObjectForVesk>(0));
        free_.push_back(objects_.back().get());
    }
    working_.reserve(kWorkingListReserve);
    for (auto& array : lists_) {
        for (auto& list : array) list.reserve(kLayerListReserve);
    }
}

SYS_CLayoutManager::~SYS_CLayoutManager()
{
    for (int layer = 0; layer < kLayerCount; ++layer) ReleaseLayer(layer);
    working_.clear();
}

std::vector<SYS_CObjectForVesk*>& SYS_CLayoutManager::ListOf(int layer, int list)
{
    return lists_[static_cast<std::size_t>(list / 2)][static_cast<std::size_t>(layer + (list % 2) * kLayerCount)];
}

const std::vector<SYS_CObjectForVesk*>& SYS_CLayoutManager::LayerList(int layer, int list) const
{
    static const std::vector<SYS_CObjectForVesk*> none;
    if (!ValidLayer(layer) || list < 0 || list >= kListsPerLayer) return none;
    return const_cast<SYS_CLayoutManager*>(this)->ListOf(layer, list);
}

SYS_CObjectForVesk* SYS_CLayoutManager::AcquireObject(int layer, int list)
{
    if (!ValidLayer(layer) || list < 0 || list >= kListsPerLayer || free_.empty()) return nullptr;
    SYS_CObjectForVesk* object = free_.back();
    free_.pop_back();
    ListOf(layer, list).push_back(object);
    return object;
}

plix::SYS_CPart* SYS_CLayoutManager::AddPart(SYS_CObjectForVesk& object)
{
    plix::SYS_CPart* part = registry_.parts.Take();
    if (part) object.Parts().push_back(part);
    return part;
}

plix::SYS_CPart* SYS_CLayoutManager::AddSubRecord(SYS_CObjectForVesk& object)
{
    plix::SYS_CPart* record = registry_.subRecords.Take();
    if (record) object.SubRecords().push_back(record);
    return record;
}

void* SYS_CLayoutManager::AllocateLayerBlock(int layer, std::size_t size)
{
    if (!ValidLayer(layer)) return nullptr;
    memory::MainHeapFree(blocks_[static_cast<std::size_t>(layer)]);
    blocks_[static_cast<std::size_t>(layer)] = memory::MainHeapAlloc(size);
    return blocks_[static_cast<std::size_t>(layer)];
}

void* SYS_CLayoutManager::LayerBlock(int layer) const
{
    return ValidLayer(layer) ? blocks_[static_cast<std::size_t>(layer)] : nullptr;
}

void SYS_CLayoutManager::ResetObject(SYS_CObjectForVesk& object)
{
    // Data entries belong to the parts that name them.
    for (const plix::SYS_CPart* part : object.Parts()) {
        if (part->dataKey) object.FreeData(*part->dataKey);
    }
    object.ResetState();
    for (plix::SYS_CPart* part : object.Parts()) registry_.parts.Return(part);
    for (plix::SYS_CPart* record : object.SubRecords()) registry_.subRecords.Return(record);
    // Freed rather than kept: the next layout may need far fewer.
    std::vector<plix::SYS_CPart*>().swap(object.Parts());
    std::vector<plix::SYS_CPart*>().swap(object.SubRecords());
}

void SYS_CLayoutManager::ReleaseLayer(int layer)
{
    if (!ValidLayer(layer)) {
        log::Warning("layout: there is no layer " + std::to_string(layer) + " to release");
        return;
    }
    for (int list = 0; list < kListsPerLayer; ++list) {
        std::vector<SYS_CObjectForVesk*>& objects = ListOf(layer, list);
        for (SYS_CObjectForVesk* object : objects) {
            ResetObject(*object);
            free_.push_back(object);
        }
        objects.clear();
    }
    memory::MainHeapFree(blocks_[static_cast<std::size_t>(layer)]);
    blocks_[static_cast<std::size_t>(layer)] = nullptr;
    working_.clear();
}

bool CreateLayoutManager()
{
    if (g_manager || g_registry) {
        log::Warning("layout: the layout manager exists already");
        return false;
    }
    g_registry = new SYS_CLayoutRegistry();
    if (g_registry) g_manager = new SYS_CLayoutManager(*g_registry);
    if (!g_manager) {
        log::Error("layout: out of memory for the layout manager");
        delete g_registry;
        g_registry = nullptr;
        return false;
    }
    return true;
}

void ReleaseLayer(int layer)
{
    if (g_manager) g_manager->ReleaseLayer(layer);
}

void ReleaseLayoutManager()
{
    // The manager's destructor releases every layer, so every part is back
    // in the registry before it goes.
    delete g_manager;
    g_manager = nullptr;
    delete g_registry;
    g_registry = nullptr;
}

SYS_CLayoutManager* GetLayoutManager()
{
    return g_manager;
}

SYS_CLayoutRegistry* GetLayoutRegistry()
{
    return g_registry;
}

}  // namespace vesk::layout
