// Arena allocation costs: alloc-free pairs and a churn of live blocks, under the heap's lock.
#include <cstdlib>
#include <vector>

#include <benchmark/benchmark.h>

#include "framework/memory/arena.h"

namespace {

using vesk::memory::HeapRecord;

// An arena of size bytes with a lock, as the program's heaps have.
class BenchArena {
public:
    explicit BenchArena(std::size_t size) : memory_(std::aligned_alloc(4096, size))
    {
        vesk::memory::InitArena(&heap_, memory_, size, 0x80);
        vesk::memory::AttachHeapLock(&heap_);
    }
    ~BenchArena()
    {
        vesk::memory::CloseArena(&heap_);
        vesk::memory::DeleteHeapLock(&heap_);
        std::free(memory_);
    }
    HeapRecord* heap() { return &heap_; }

private:
    void* memory_;
    HeapRecord heap_;
};

// Allocate-then-free of one block: the common short-lived object.
void BM_MemAllocFreePair(benchmark::State& state)
{
    BenchArena arena(16 << 20);
    const auto size = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        void* block = vesk::memory::MemAlloc(arena.heap(), size);
        benchmark::DoNotOptimize(block);
        vesk::memory::MemFree(block);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MemAllocFreePair)->Arg(64)->Arg(4096);

// A window of live blocks freed out of order, so the free list grows.
void BM_MemAllocFreeChurn(benchmark::State& state)
{
    BenchArena arena(64 << 20);
    const auto live = static_cast<std::size_t>(state.range(0));
    std::vector<void*> blocks(live, nullptr);
    std::size_t next = 0;
    for (auto _ : state) {
        const std::size_t slot = (next * 7919) % live;
        vesk::memory::MemFree(blocks[slot]);
        blocks[slot] = vesk::memory::MemAlloc(arena.heap(), 32 + (next % 13) * 48);
        ++next;
    }
    for (void* block : blocks) {
        vesk::memory::MemFree(block);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MemAllocFreeChurn)->Arg(64)->Arg(1024);

}  // namespace
