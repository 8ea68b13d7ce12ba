// The four heaps' creation and release, and main-heap blocks that fall back to the general allocator.
#include "framework/memory/heaps.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_set>

#include "framework/log/log.h"
#include "platform/virtual_memory.h"

namespace vesk::memory {
namespace {

// General-allocator blocks keep the same alignment as heap blocks.
constexpr std::size_t kFallbackAlignment = 128;

HeapRecord g_records[4];
std::atomic<HeapRecord*> g_mainHeap{nullptr};
std::atomic<HeapRecord*> g_smallHeap{nullptr};
std::atomic<HeapRecord*> g_resourceHeap{nullptr};
std::atomic<HeapRecord*> g_particleHeap{nullptr};

// Blocks MainHeapAlloc took from the general allocator, so MainHeapFree can
// give them back without guessing. Never destroyed: frees may come late.
struct FallbackBlocks {
    std::mutex mutex;
    std::unordered_set<void*> blocks;
};

FallbackBlocks& Fallback()
{
    static auto* fallback = new FallbackBlocks();
    return *fallback;
}

void* FallbackAlloc(std::size_t n)
{
    const std::size_t rounded = (n + kFallbackAlignment - 1) & ~(kFallbackAlignment - 1);
    if (rounded < n) {
        return nullptr;
    }
    void* block = std::aligned_alloc(kFallbackAlignment, rounded);
    if (block == nullptr) {
        return nullptr;
    }
    std::memset(block, 0, rounded);
    FallbackBlocks& fallback = Fallback();
    std::lock_guard lock(fallback.mutex);
    fallback.blocks.insert(block);
    return block;
}

bool FallbackFree(void* block)
{
    FallbackBlocks& fallback = Fallback();
    {
        std::lock_guard lock(fallback.mutex);
        if (fallback.blocks.erase(block) == 0) {
            return false;
        }
    }
    std::free(block);
    return true;
}

// A heap whose arena comes from the system (parent null) or from a block of
// the parent heap.
HeapRecord* CreateHeap(HeapRecord& record, std::size_t size, std::size_t unit, HeapRecord* parent)
{
    void* arena = parent != nullptr ? MemAlloc(parent, size) : platform::AllocateZeroedPages(size);
    if (arena == nullptr) {
        log::Error("cannot get memory for a heap of " + std::to_string(size) + " bytes");
        return nullptr;
    }
    record = HeapRecord{};
    record.arenaFromSystem = parent == nullptr;
    // Fresh pages and heap blocks both read as zero already.
    if (!InitArena(&record, arena, size, unit, true)) {
        if (parent != nullptr) {
            MemFree(arena);
        } else {
            platform::FreeZeroedPages(arena, size);
        }
        return nullptr;
    }
    AttachHeapLock(&record);
    return &record;
}

void ReleaseHeap(std::atomic<HeapRecord*>& global)
{
    HeapRecord* heap = global.exchange(nullptr);
    if (heap == nullptr) {
        return;
    }
    CloseArena(heap);
    DeleteHeapLock(heap);
    if (heap->arenaFromSystem) {
        platform::FreeZeroedPages(heap->base, heap->size);
    } else {
        MemFree(heap->base);
    }
    *heap = HeapRecord{};
}

}  // namespace

HeapRecord* MainHeap() { return g_mainHeap.load(); }
HeapRecord* SmallHeap() { return g_smallHeap.load(); }
HeapRecord* ResourceHeap() { return g_resourceHeap.load(); }
HeapRecord* ParticleHeap() { return g_particleHeap.load(); }

bool CreateHeaps()
{
    if (g_mainHeap.load() != nullptr) {
        return true;
    }
    HeapRecord* main = CreateHeap(g_records[0], kMainHeapSize, kMainHeapUnit, nullptr);
    if (main == nullptr) {
        return false;
    }
    g_mainHeap.store(main);
    g_smallHeap.store(CreateHeap(g_records[1], kSmallHeapSize, kSmallHeapUnit, main));
    g_resourceHeap.store(CreateHeap(g_records[2], kResourceHeapSize, kResourceHeapUnit, main));
    return true;
}

bool CreateParticleHeap()
{
    if (g_particleHeap.load() == nullptr) {
        g_particleHeap.store(CreateHeap(g_records[3], kParticleHeapSize, kParticleHeapUnit, nullptr));
    }
    return g_particleHeap.load() != nullptr;
}

void ReleaseHeaps()
{
    ReleaseHeap(g_resourceHeap);
    ReleaseHeap(g_smallHeap);
    ReleaseHeap(g_particleHeap);
    ReleaseHeap(g_mainHeap);
}

void* MainHeapAlloc(std::size_t n)
{
    if (n == 0) {
        return nullptr;
    }
    if (HeapRecord* main = g_mainHeap.load()) {
        return MemAlloc(main, n);
    }
    return FallbackAlloc(n);
}

void MainHeapFree(void* pointer)
{
    if (pointer == nullptr) {
        return;
    }
    if (IsInAnyArena(pointer)) {
        MemFree(pointer);
        return;
    }
    if (FallbackFree(pointer)) {
        return;
    }
    // With the heaps gone this is a block of a released heap: nothing to do.
    if (g_mainHeap.load() != nullptr) {
        log::Error("MainHeapFree refused a pointer that no heap handed out");
    }
}

}  // namespace vesk::memory
