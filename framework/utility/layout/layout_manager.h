// The layout manager: pooled layout objects grouped into 64 layers.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <vector>

#include "framework/memory/heaps.h"
#include "framework/utility/layout/layout_object.h"
#include "framework/utility/layout/layout_registry.h"

namespace vesk::layout {

inline constexpr int kLayerCount = 64;
inline constexpr int kLayoutObjectCount = 128;
// Every layer has four object lists: two in each of the manager's two list arrays.
inline constexpr int kListsPerLayer = 4;
inline constexpr std::size_t kLayerListReserve = 64;
inline constexpr std::size_t kWorkingListReserve = 128;

// Pools the layout objects and groups those in use into 64 layers. Objects
// are made once and live until shut-down.
class SYS_CLayoutManager : public memory::MainHeapObject {
public:
    explicit SYS_CLayoutManager(SYS_CLayoutRegistry& registry);
    ~SYS_CLayoutManager();
    SYS_CLayoutManager(const SYS_CLayoutManager&) = delete;
    SYS_CLayoutManager& operator=(const SYS_CLayoutManager&) = delete;

    // Moves a free object into list 0..3 of the layer; null when none is free
    // or the layer or list does not exist.
    SYS_CObjectForVesk* AcquireObject(int layer, int list);
    // A part (or sub-record) from the registry appended to the object; null
    // when the registry's pool is empty.
    plix::SYS_CPart* AddPart(SYS_CObjectForVesk& object);
    plix::SYS_CPart* AddSubRecord(SYS_CObjectForVesk& object);

    // The layer's own block of size zeroed bytes, replacing any earlier one;
    // freed when the layer is released. Null for a bad layer or no memory.
    void* AllocateLayerBlock(int layer, std::size_t size);
    void* LayerBlock(int layer) const;

    // Every layout object of the layer back to the pool with its parts and
    // data, then the layer's block freed. A layer outside 0..63 is ignored.
    void ReleaseLayer(int layer);

    const std::vector<SYS_CObjectForVesk*>& LayerList(int layer, int list) const;
    std::vector<SYS_CObjectForVesk*>& WorkingList() { return working_; }
    std::size_t FreeObjectCount() const { return free_.size(); }

private:
    std::vector<SYS_CObjectForVesk*>& ListOf(int layer, int list);
    void ResetObject(SYS_CObjectForVesk& object);

    SYS_CLayoutRegistry& registry_;
    std::vector<std::unique_ptr<SYS_CObjectForVesk>> objects_;  // owns every object, free or in use
    std::vector<SYS_CObjectForVesk*> free_;
    std::array<void*, kLayerCount> blocks_{};
    // Layer n's lists are entries n and n + 64 of each array.
    std::array<std::array<std::vector<SYS_CObjectForVesk*>, kLayerCount * 2>, 2> lists_;
    std::vector<SYS_CObjectForVesk*> working_;
};

// Creates the registry and the manager with its 128 objects; false when they
// exist already or memory is short.
bool CreateLayoutManager();
void ReleaseLayer(int layer);
// Releases every layer, then the objects, the manager and the registry.
void ReleaseLayoutManager();

// Null outside CreateLayoutManager .. ReleaseLayoutManager.
SYS_CLayoutManager* GetLayoutManager();
SYS_CLayoutRegistry* GetLayoutRegistry();

}  // namespace vesk::layout
